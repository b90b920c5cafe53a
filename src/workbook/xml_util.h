#pragma once
// Small helpers for the XML parts of workbook files.
#include <pugixml.hpp>

#include <cstring>
#include <string>
#include <string_view>

namespace tarn::xml {

// The element or attribute name without its namespace prefix ("x:row" -> "row").
inline std::string_view localName(const char* name) {
    std::string_view n(name);
    const auto colon = n.find(':');
    return colon == std::string_view::npos ? n : n.substr(colon + 1);
}
inline bool is(const pugi::xml_node& node, std::string_view local) {
    return node.type() == pugi::node_element && localName(node.name()) == local;
}
inline pugi::xml_node child(const pugi::xml_node& node, std::string_view local) {
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
        if (is(c, local)) return c;
    return {};
}
// The attribute with this local name, whatever its prefix ("r:id", "id").
inline pugi::xml_attribute attribute(const pugi::xml_node& node, std::string_view local) {
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute())
        if (localName(a.name()) == local) return a;
    return {};
}
// The namespace prefix of an element with a colon, as "x:", or "".
inline std::string prefixOf(const pugi::xml_node& node) {
    std::string_view n(node.name());
    const auto colon = n.find(':');
    return colon == std::string_view::npos ? std::string() : std::string(n.substr(0, colon + 1));
}

// Parse flags for workbook parts: whitespace-only text is kept where it is a whole value.
inline constexpr unsigned kParseFlags =
    pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single;

// Serialises a document without indentation.
inline std::string serialize(const pugi::xml_document& doc) {
    struct Writer : pugi::xml_writer {
        std::string out;
        void write(const void* data, size_t size) override {
            out.append(static_cast<const char*>(data), size);
        }
    } writer;
    doc.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
    return std::move(writer.out);
}

}  // namespace tarn::xml

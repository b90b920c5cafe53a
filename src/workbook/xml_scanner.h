#pragma once
// A forward-only scanner over the tags and text of an XML document, for the large parts of
// a workbook (the worksheet, the shared strings): it builds no tree, so reading a sheet of
// forty thousand rows costs little more than looking at its bytes once, and every token
// knows where it stands in the source, so a copy can pass untouched parts through as they
// are. It handles what workbook parts hold: elements with prefixes, attributes in single or
// double quotes, character and entity references, CDATA, comments and processing
// instructions. A document type declaration is refused.
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace tarn {

struct XmlToken {
    enum class Kind { Open, Close, Text, Other };
    Kind kind = Kind::Other;
    bool selfClosing = false;   // <c r="A1"/>
    bool cdata = false;         // a Text token from <![CDATA[...]]>: no references
    std::string_view name;      // qualified name of an Open or Close tag
    std::string_view attributes;  // the raw attribute text of an Open tag
    std::string_view raw;       // the whole token in the source
    std::size_t offset = 0;     // where raw starts in the source

    // The local name: "x:row" -> "row".
    std::string_view localName() const;
    bool is(std::string_view local) const { return localName() == local; }
    // The raw (still escaped) value of an attribute, looked up by its qualified name.
    std::optional<std::string_view> attribute(std::string_view qualifiedName) const;
};

class XmlScanner {
public:
    explicit XmlScanner(std::string_view document) : doc_(document) {}

    // The next token; false at the end of the document or on malformed XML (error() then
    // says what and where).
    bool next(XmlToken& token);
    const std::string& error() const { return error_; }

private:
    bool fail(const std::string& what);
    std::string_view doc_;
    std::size_t pos_ = 0;
    std::string error_;
};

// Replaces the references of XML text (&amp; &lt; &gt; &quot; &apos; &#NN; &#xNN;) by
// their characters; false for an unknown or malformed reference.
bool decodeXmlText(std::string_view raw, std::string& out);

// The raw attribute text without the named attributes (each kept one keeps its leading
// blank and quoting).
std::string attributesWithout(std::string_view attributes, std::initializer_list<std::string_view> names);

// Escapes text for element content or a double-quoted attribute value; drops control
// characters that XML cannot hold.
std::string escapeXmlText(std::string_view text);

}  // namespace tarn

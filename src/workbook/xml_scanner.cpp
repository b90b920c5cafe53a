#include "workbook/xml_scanner.h"

#include <cstring>

#include "workbook/utf8.h"

namespace tarn {

namespace {

bool isSpace(char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r'; }

bool isNameChar(char ch) {
    return !isSpace(ch) && ch != '>' && ch != '/' && ch != '=' && ch != '<' && ch != '"' && ch != '\'';
}

}  // namespace

std::string_view XmlToken::localName() const {
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::optional<std::string_view> XmlToken::attribute(std::string_view qualifiedName) const {
    std::size_t i = 0;
    const std::string_view a = attributes;
    while (i < a.size()) {
        while (i < a.size() && isSpace(a[i])) ++i;
        const std::size_t nameStart = i;
        while (i < a.size() && isNameChar(a[i])) ++i;
        const std::string_view attrName = a.substr(nameStart, i - nameStart);
        while (i < a.size() && isSpace(a[i])) ++i;
        if (i >= a.size() || a[i] != '=') return std::nullopt;
        ++i;
        while (i < a.size() && isSpace(a[i])) ++i;
        if (i >= a.size() || (a[i] != '"' && a[i] != '\'')) return std::nullopt;
        const char quote = a[i++];
        const std::size_t valueStart = i;
        while (i < a.size() && a[i] != quote) ++i;
        if (i >= a.size()) return std::nullopt;
        if (attrName == qualifiedName) return a.substr(valueStart, i - valueStart);
        ++i;
    }
    return std::nullopt;
}

bool XmlScanner::fail(const std::string& what) {
    error_ = what + " at byte " + std::to_string(pos_);
    return false;
}

bool XmlScanner::next(XmlToken& t) {
    if (!error_.empty() || pos_ >= doc_.size()) return false;
    t = XmlToken();
    t.offset = pos_;
    if (doc_[pos_] != '<') {
        const std::size_t end = doc_.find('<', pos_);
        const std::size_t stop = end == std::string_view::npos ? doc_.size() : end;
        t.kind = XmlToken::Kind::Text;
        t.raw = doc_.substr(pos_, stop - pos_);
        pos_ = stop;
        return true;
    }
    auto skipTo = [&](std::string_view terminator) {
        const std::size_t end = doc_.find(terminator, pos_);
        if (end == std::string_view::npos) return false;
        pos_ = end + terminator.size();
        return true;
    };
    const std::string_view rest = doc_.substr(pos_);
    if (rest.starts_with("<!--")) {
        if (!skipTo("-->")) return fail("unterminated comment");
        t.raw = doc_.substr(t.offset, pos_ - t.offset);
        return true;
    }
    if (rest.starts_with("<![CDATA[")) {
        if (!skipTo("]]>")) return fail("unterminated CDATA section");
        t.kind = XmlToken::Kind::Text;
        t.cdata = true;
        t.raw = doc_.substr(t.offset + 9, pos_ - t.offset - 12);
        return true;
    }
    if (rest.starts_with("<?")) {
        if (!skipTo("?>")) return fail("unterminated processing instruction");
        t.raw = doc_.substr(t.offset, pos_ - t.offset);
        return true;
    }
    if (rest.starts_with("<!")) return fail("document type declarations are not accepted");

    std::size_t i = pos_ + 1;
    const bool closing = i < doc_.size() && doc_[i] == '/';
    if (closing) ++i;
    const std::size_t nameStart = i;
    while (i < doc_.size() && isNameChar(doc_[i])) ++i;
    if (i == nameStart) return fail("a tag without a name");
    t.name = doc_.substr(nameStart, i - nameStart);
    // Find the end of the tag, stepping over quoted attribute values.
    const std::size_t attrStart = i;
    char quote = 0;
    while (i < doc_.size()) {
        const char ch = doc_[i];
        if (quote) {
            if (ch == quote) quote = 0;
        } else if (ch == '"' || ch == '\'') {
            quote = ch;
        } else if (ch == '<') {
            return fail("'<' inside a tag");
        } else if (ch == '>') {
            break;
        }
        ++i;
    }
    if (i >= doc_.size()) return fail("unterminated tag");
    std::size_t attrEnd = i;
    if (!closing && attrEnd > attrStart && doc_[attrEnd - 1] == '/') {
        t.selfClosing = true;
        --attrEnd;
    }
    t.kind = closing ? XmlToken::Kind::Close : XmlToken::Kind::Open;
    t.attributes = doc_.substr(attrStart, attrEnd - attrStart);
    pos_ = i + 1;
    t.raw = doc_.substr(t.offset, pos_ - t.offset);
    return true;
}

bool decodeXmlText(std::string_view raw, std::string& out) {
    std::size_t i = 0;
    while (i < raw.size()) {
        const std::size_t amp = raw.find('&', i);
        if (amp == std::string_view::npos) {
            out.append(raw.substr(i));
            break;
        }
        out.append(raw.substr(i, amp - i));
        const std::size_t semi = raw.find(';', amp);
        if (semi == std::string_view::npos || semi - amp > 12) return false;
        const std::string_view ref = raw.substr(amp + 1, semi - amp - 1);
        if (ref == "amp") out.push_back('&');
        else if (ref == "lt") out.push_back('<');
        else if (ref == "gt") out.push_back('>');
        else if (ref == "quot") out.push_back('"');
        else if (ref == "apos") out.push_back('\'');
        else if (ref.size() >= 2 && ref[0] == '#') {
            const bool hex = ref[1] == 'x' || ref[1] == 'X';
            const std::string_view digits = ref.substr(hex ? 2 : 1);
            if (digits.empty()) return false;
            unsigned long cp = 0;
            for (char ch : digits) {
                int v;
                if (ch >= '0' && ch <= '9') v = ch - '0';
                else if (hex && ch >= 'a' && ch <= 'f') v = ch - 'a' + 10;
                else if (hex && ch >= 'A' && ch <= 'F') v = ch - 'A' + 10;
                else return false;
                cp = cp * (hex ? 16 : 10) + unsigned(v);
                if (cp > 0x10FFFF) return false;
            }
            if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
            appendUtf8(out, std::uint32_t(cp));
        } else {
            return false;
        }
        i = semi + 1;
    }
    return true;
}

std::string attributesWithout(std::string_view a, std::initializer_list<std::string_view> names) {
    std::string out;
    std::size_t i = 0;
    while (i < a.size()) {
        const std::size_t start = i;
        while (i < a.size() && isSpace(a[i])) ++i;
        const std::size_t nameStart = i;
        while (i < a.size() && isNameChar(a[i])) ++i;
        const std::string_view attrName = a.substr(nameStart, i - nameStart);
        while (i < a.size() && a[i] != '"' && a[i] != '\'') ++i;
        if (i >= a.size()) {
            out.append(a.substr(start));  // trailing blanks or something odd: keep as is
            break;
        }
        const char quote = a[i++];
        while (i < a.size() && a[i] != quote) ++i;
        if (i < a.size()) ++i;
        bool drop = false;
        for (std::string_view n : names) drop = drop || n == attrName;
        if (!drop) out.append(a.substr(start, i - start));
    }
    return out;
}

std::string escapeXmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (char ch : text) {
        switch (ch) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default:
                if (static_cast<unsigned char>(ch) >= 0x20 || ch == '\t' || ch == '\n' || ch == '\r')
                    out.push_back(ch);
        }
    }
    return out;
}

}  // namespace tarn

#include "model/message_text.h"

#include <cstdint>
#include <cstdio>

namespace tarn {

namespace {

// The length of the well-formed UTF-8 sequence at the start of `s` and its code point, or 0
// when it is not one (a stray continuation byte, a cut sequence, an overlong form, a
// surrogate, beyond U+10FFFF).
std::size_t utf8Sequence(std::string_view s, std::uint32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[0]);
    std::size_t n;
    std::uint32_t min;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        n = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        n = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        n = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (s.size() < n) return 0;
    for (std::size_t i = 1; i < n; ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

void appendHex(std::string& out, const char* prefix, std::uint32_t value, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%s%0*X", prefix, digits, unsigned(value));
    out += buf;
}

}  // namespace

std::string printableText(std::string_view text, std::size_t maxChars) {
    std::string out;
    std::size_t chars = 0;
    while (!text.empty()) {
        if (chars == maxChars) {
            out += "...";
            break;
        }
        std::uint32_t cp = 0;
        const std::size_t n = utf8Sequence(text, cp);
        if (n == 0) {
            appendHex(out, "\\x", static_cast<unsigned char>(text[0]), 2);
            text.remove_prefix(1);
        } else {
            if (cp == '\t')
                out += "\\t";
            else if (cp == '\n')
                out += "\\n";
            else if (cp == '\r')
                out += "\\r";
            else if (cp < 0x20 || cp == 0x7F)
                appendHex(out, "\\x", cp, 2);
            else if ((cp >= 0x80 && cp <= 0x9F) || cp == 0x2028 || cp == 0x2029)
                appendHex(out, "\\u", cp, 4);
            else
                out.append(text.substr(0, n));
            text.remove_prefix(n);
        }
        ++chars;
    }
    return out;
}

std::string quotedText(std::string_view text) { return "'" + printableText(text) + "'"; }

}  // namespace tarn

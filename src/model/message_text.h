#pragma once
// Texts of cells, fields and options as messages quote them. A message is one short line of
// printable text whatever the file held: a long text is cut, control characters and bytes
// that are not UTF-8 are shown as escapes.
#include <cstddef>
#include <string>
#include <string_view>

namespace tarn {

// Characters of a text that a message quotes before it cuts the rest off with "...".
inline constexpr std::size_t kQuotedChars = 40;

// `text` made printable: at most `maxChars` characters (then "..."), a tab, line break or
// other control character as \t, \n, \r or \xNN (\u0085 for those beyond ASCII), each byte
// that is not part of well-formed UTF-8 as \xNN.
std::string printableText(std::string_view text, std::size_t maxChars = kQuotedChars);

// printableText between single quotes: "'n/a'".
std::string quotedText(std::string_view text);

}  // namespace tarn

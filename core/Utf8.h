#pragma once

#include <string>
#include <string_view>

namespace zq {

// Whether the bytes are well-formed UTF-8: no stray continuation bytes, no
// overlong forms, no surrogates, nothing past U+10FFFF.
bool isValidUtf8(std::string_view bytes);
// One code point written as UTF-8.
void appendUtf8(std::string& out, char32_t code);
// Bytes as UTF-8: valid UTF-8 stays as it is, anything else is read as
// Latin-1.
std::string utf8Text(std::string_view bytes);

} // namespace zq

// Text from documents, files and clients as a person sees it: in the outline,
// in messages and in traces nothing may act on the terminal.
#pragma once

#include <string>
#include <string_view>

namespace vxhost {

// Line breaks and tabs show as \n and \t, other control bytes as \xHH, and
// so does every byte that is not part of a UTF-8 character (a terminal in
// an 8-bit mode would act on some of them), as well as the C1 controls
// written in UTF-8; everything else as it is.
void append_shown(std::string &out, std::string_view text);
std::string shown(std::string_view text);
// As shown, between double quotes, with quotes and backslashes escaped so
// that the quoted text reads back unambiguously.
std::string quoted(std::string_view text);

// The length of the UTF-8 character that `text` starts with; 0 when it
// starts with anything else (a malformed or overlong sequence, a surrogate).
size_t utf8_length(std::string_view text);

}  // namespace vxhost

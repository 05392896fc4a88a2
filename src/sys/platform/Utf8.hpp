#pragma once

#include <cstddef>
#include <string>

namespace sys::platform {

// Decodes UTF-8 into wide text (UTF-16 where wchar_t is 16 bits wide, code points where it
// is 32). A byte that does not begin a well-formed sequence (an overlong form, a surrogate,
// a value beyond U+10FFFF or a cut-off tail) becomes U+FFFD, and decoding goes on after it.
std::wstring decodeUtf8(const char* bytes, std::size_t size);

}  // namespace sys::platform

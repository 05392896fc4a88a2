#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace sys::platform {

// Files hold text as UTF-16LE on every platform. Where wchar_t is 32 bits wide, characters
// beyond the basic plane become surrogate pairs on the way out and are joined on the way
// in; a lone surrogate passes through unchanged both ways.

// Returns the number of code units appended.
std::size_t appendUtf16le(std::string& out, const std::wstring& text);
// Decodes `units` code units (2 * units bytes) of UTF-16LE.
std::wstring decodeUtf16le(const unsigned char* bytes, std::size_t units);

}  // namespace sys::platform

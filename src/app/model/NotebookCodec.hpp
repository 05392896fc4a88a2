#pragma once

#include "err/Exceptions.hpp"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace app::model {

class Notebook;

// Raised for a notebook file that is not a readable archive, with the archive format's
// fixed message for each kind of failure.
class ArchiveException : public err::RuntimeException {
public:
    enum class Code { InvalidSignature, UnsupportedVersion, IncompatibleNativeFormat, StreamError };

    explicit ArchiveException(Code code);
    Code code() const noexcept { return code_; }

private:
    Code code_;
};

// Receives the file's bytes in order, in chunks.
using ByteSink = std::function<void(const char* data, std::size_t size)>;

// Writes the notebook as a binary archive of library version 5 in the 32-bit native
// layout (4-byte lengths). The layout is fixed byte for byte, so that notebook files
// written by earlier versions stay readable.
void writeNotebook(const Notebook& notebook, const ByteSink& sink);
std::string encodeNotebook(const Notebook& notebook);

// Reads a notebook archive. Every length is checked against the bytes that remain, so a
// damaged file raises ArchiveException instead of reading past its end. Invalid dates
// raise the date library's range errors.
std::shared_ptr<Notebook> readNotebook(const unsigned char* data, std::size_t size);

}  // namespace app::model

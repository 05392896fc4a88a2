// Feeds arbitrary bytes, read as UTF-16LE like an imported file, to the XML note reader.
// A file it cannot read may only raise the reader's own errors: a missing marker (a
// logic error), an unreadable date (the date library's range or conversion errors).
#include "app/model/NotebookExchange.hpp"
#include "sys/platform/Utf16.hpp"

#include <cstdint>
#include <stdexcept>
#include <typeinfo>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = sys::platform::decodeUtf16le(data, size / 2);
    try {
        app::model::parseXmlNotes(text);
    } catch (const std::logic_error&) {
    } catch (const std::bad_cast&) {}
    return 0;
}

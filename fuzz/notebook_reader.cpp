// Feeds arbitrary bytes to the notebook file reader. A damaged file may only raise the
// archive's error or a date range error; whatever it accepts must write back to bytes
// that read again to the same notebook.
#include "app/model/Notebook.hpp"
#include "app/model/NotebookCodec.hpp"

#include <cstdint>
#include <cstdlib>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::shared_ptr<app::model::Notebook> notebook;
    try {
        notebook = app::model::readNotebook(data, size);
    } catch (const app::model::ArchiveException&) {
        return 0;
    } catch (const std::out_of_range&) {
        return 0;
    }
    const std::string written = app::model::encodeNotebook(*notebook);
    const auto reread =
        app::model::readNotebook(reinterpret_cast<const unsigned char*>(written.data()), written.size());
    if (reread->count() != notebook->count()) {
        std::abort();
    }
    for (int i = 0; i < notebook->count(); ++i) {
        const app::model::Note& a = notebook->note(i);
        const app::model::Note& b = reread->note(i);
        if (a.title() != b.title() || a.text() != b.text() || a.source() != b.source() || a.link() != b.link()
            || a.created() != b.created() || a.tags() != b.tags()) {
            std::abort();
        }
    }
    return 0;
}

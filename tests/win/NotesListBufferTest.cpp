#include "app/mainframe/NotesList.hpp"
#include "app/mainframe/noteslist/Palette.hpp"
#include "app/model/Notebook.hpp"
#include "gdi/MemoryCanvas.hpp"
#include "gdi/UpdateCanvas.hpp"

#include "ControlHost.hpp"
#include "WinTestSupport.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using app::mainframe::NotesList;
using app::model::Note;
using testing_support::ControlHost;
namespace themes = app::mainframe::noteslist::themes;

namespace {

// Notes of one to six lines, each word of their texts and titles `word`.
std::unique_ptr<app::model::Notebook> notebookOf(const std::wstring& word) {
    app::model::Notebook::Notes notes;
    for (int i = 0; i < 40; ++i) {
        std::wstring text = word;
        for (int line = 0; line < i % 6; ++line) {
            text += L"\n" + word + L" " + word;
        }
        notes.emplace_back(text, L"", word, Note::now());
    }
    return std::make_unique<app::model::Notebook>(std::move(notes));
}

std::vector<COLORREF> printed(const NotesList& list) {
    RECT client;
    GetClientRect(list.getHandle(), &client);
    gdi::UpdateCanvas screen(nullptr);
    gdi::MemoryCanvas canvas(screen.getHandle(), client.right, client.bottom);
    SendMessageW(list.getHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.getHandle()), PRF_CLIENT);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            pixels.push_back(GetPixel(canvas.getHandle(), x, y));
        }
    }
    return pixels;
}

}  // namespace

// Lists share their back buffer and the bitmaps of items they dropped: a list painted
// after another one, in other colours with other notes, shows nothing of that one.
TEST(NotesListBuffer, AListPaintsTheSameAfterAnotherListsPaint) {
    ControlHost host;
    const auto ours = notebookOf(L"alpha");
    const auto theirs = notebookOf(L"WWWWWW");
    std::vector<COLORREF> alone;
    {
        NotesList list(&host, ours->view());
        list.create();
        list.setBounds(0, 0, 300, 240, false);
        list.setBaseColor(themes::blue);
        alone = printed(list);
        list.destroy();
    }
    for (const int scrolled : {0, 7}) {
        NotesList other(&host, theirs->view());
        other.create();
        other.setBounds(0, 0, 300, 240, false);
        other.setBaseColor(themes::green);
        other.scroller().setSmoothScrolling(false);
        other.scroller().scrollBy(scrolled, true);
        printed(other);
        other.destroy();

        NotesList list(&host, ours->view());
        list.create();
        list.setBounds(0, 0, 300, 240, false);
        list.setBaseColor(themes::blue);
        const std::vector<COLORREF> after = printed(list);
        list.destroy();
        ASSERT_EQ(alone.size(), after.size());
        int differences = 0;
        for (std::size_t i = 0; i < alone.size(); ++i) {
            differences += alone[i] != after[i] ? 1 : 0;
        }
        EXPECT_EQ(0, differences) << scrolled;
    }
}

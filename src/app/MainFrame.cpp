#include "app/MainFrame.hpp"

#include "app/LinkOpener.hpp"
#include "app/Placement.hpp"
#include "app/PlacementWin32.hpp"
#include "app/ProductLinks.hpp"
#include "app/Settings.hpp"
#include "app/model/NoteMerge.hpp"
#include "app/model/Notebook.hpp"
#include "app/model/NotebookExchange.hpp"
#include "app/model/NotebookStore.hpp"
#include "app/mainframe/AboutDialog.hpp"
#include "app/mainframe/HotkeyEditDialog.hpp"
#include "app/mainframe/NoteAppearanceDialog.hpp"
#include "app/mainframe/NoteEditDialog.hpp"
#include "app/mainframe/ReplaceTagsDialog.hpp"
#include "app/mainframe/TagDialog.hpp"
#include "app/mainframe/TrayToggle.hpp"
#include "app/model/TextFilter.hpp"
#include "err/Exceptions.hpp"
#include "gdi/Color.hpp"
#include "gdi/Font.hpp"
#include "res/StringsBundle.hpp"
#include "sys/platform/FileSystem.hpp"
#include "ui/FileDialog.hpp"
#include "ui/MessageBox.hpp"
#include "ui/clip/Clipboard.hpp"
#include "ui/layout/Place.hpp"
#include "ui/input/KeyNames.hpp"
#include "ui/menu/CheckItem.hpp"
#include "ui/menu/DefaultItem.hpp"
#include "ui/menu/Item.hpp"

#include <algorithm>
#include <cwctype>
#include <vector>

namespace app {

using mainframe::noteslist::statemanager::SelectionMode;
using ui::menu::CheckCommand;
using ui::menu::Command;

namespace {

constexpr int initialWidth = 480;
constexpr int initialHeight = 638;
// The work that can wait for the first paint: the first backup and the folder check.
constexpr int startDelay = 500;
// Posted by the saving worker when a background save failed.
constexpr UINT WM_SAVEFAILED = WM_APP + 1;
// Posted when the window is enabled again: the dialog that disabled it has closed.
constexpr UINT WM_DIALOGCLOSED = WM_APP + 2;
constexpr std::size_t clippedBalloonLength = 128;
constexpr int trayIconId = 1;
constexpr int balloonTimeout = 4000;

// A stored preference, or the default when the stored text does not parse: a damaged
// settings line costs that one preference, not the start of the program.
template <class T>
T storedOr(const char* key, const T& defaultValue) {
    try {
        return Settings::instance().get<T>(key, defaultValue);
    } catch (const err::RuntimeException&) {
        return defaultValue;
    }
}

std::wstring widenMessage(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

}  // namespace

MainFrame::MainFrame(ui::Window* owner)
    : ui::Frame(res::getText("app.title"), owner), notebook_(model::loadNotebook(model::notebookPath())) {
    Settings::instance().setScheduler(&settingsSaver_);
    setWidth(initialWidth);
    setHeight(initialHeight);
    // Every change is written in the background at once: the file never lags behind the
    // list by more than the write itself.
    saveAfterChange_ =
        notebook_->changed.connect([this] { model::saveNotebookAsync(*notebook_, model::notebookPath()); });
    filter_ = std::make_unique<mainframe::FilterControl>(this, notebook_->view());
    notesList_ = std::make_unique<mainframe::NotesList>(this, notebook_->view());
    contextMenu_ = std::make_unique<ui::menu::Popup>();
    addCommands();
}

MainFrame::~MainFrame() {
    model::setSaveFailureListener(nullptr);
    Settings::instance().setScheduler(nullptr);
}

void MainFrame::addCommand(const std::string& key, Command::Action action, Command::Predicate enabled, int icon) {
    commands_[key] = std::make_unique<Command>(key, std::move(action), std::move(enabled),
                                               icon != 0 ? gdi::Icon(icon, 16, 16) : gdi::Icon());
}

void MainFrame::addCheckCommand(const std::string& key, Command::Action action, Command::Predicate checked) {
    commands_[key] = std::make_unique<CheckCommand>(key, std::move(action), std::move(checked));
}

ui::menu::Command& MainFrame::command(const std::string& key) {
    auto found = commands_.find(key);
    if (found == commands_.end()) {
        throw err::InvalidArgumentException("No command " + key);
    }
    return *found->second;
}

void MainFrame::addCommands() {
    const auto hasNotes = [this] { return notebook_->view().count() > 0; };
    const auto selectionNotEmpty = [this] { return selectedCount() > 0; };

    addCommand("menu.file.import", [this] { importNotes(); });
    addCommand("menu.file.export", [this] { exportNotes(); });
    addCommand("menu.file.exit", [this] { exit(); });
    addCommand("menu.edit.new", [this] { newNote(); });
    addCommand(
        "menu.edit.edit", [this] { editNote(); },
        [this] {
            const int focus = notesList_->getFocus();
            return focus >= 0 && focus < notebook_->view().count() && selectedCount() == 1;
        });
    addCommand(
        "menu.edit.copy", [this] { copyNotes(); }, selectionNotEmpty, 134);
    addCommand(
        "menu.edit.paste", [this] { pasteNote(); }, Command::Predicate(), 141);
    addCommand(
        "menu.edit.delete", [this] { deleteNotes(); }, selectionNotEmpty, 117);
    addCommand(
        "menu.edit.merge", [this] { mergeNotes(); }, [this] { return selectedCount() > 1; });
    addCommand("menu.edit.replacetags", [this] { replaceTags(); });
    addCommand(
        "menu.edit.selectall", [this] { notesList_->selectAll(); }, hasNotes);
    static constexpr int themeIcons[] = {111, 114, 113, 112, 120, 110, 116, 115};
    for (std::size_t i = 0; i < Settings::themeColors.size(); ++i) {
        const ColorRef color = Settings::themeColors[i].color;
        const std::string key = std::string("menu.view.notecolor.") + Settings::themeColors[i].name;
        commands_[key] = std::make_unique<CheckCommand>(
            key, [this, color] { setBaseColor(color); }, [this, color] { return baseColor_ == color; },
            Command::Predicate(), gdi::Icon(themeIcons[i], 16, 16));
    }
    addCommand("menu.view.noteappearance", [this] { editAppearance(); });
    addCommand("menu.options.hotkey", [this] { editHotkeys(); });
    addCheckCommand(
        "menu.options.silentclipping",
        [this] { toggleSetting(Settings::silentClippingKey, Settings::defaultSilentClipping); },
        [] { return storedOr(Settings::silentClippingKey, Settings::defaultSilentClipping); });
    addCheckCommand(
        "menu.options.minimizetotray",
        [this] { toggleSetting(Settings::minimizeToTrayKey, Settings::defaultMinimizeToTray); },
        [] { return storedOr(Settings::minimizeToTrayKey, Settings::defaultMinimizeToTray); });
    addCheckCommand(
        "menu.options.closetotray", [this] { toggleSetting(Settings::closeToTrayKey, Settings::defaultCloseToTray); },
        [] { return storedOr(Settings::closeToTrayKey, Settings::defaultCloseToTray); });
    addCheckCommand(
        "menu.options.alwaysontop", [this] { toggleAlwaysOnTop(); }, [this] { return isTopmost(); });
    addCommand("menu.help.help", [this] { openFile(getHandle(), helpPagePath()); });
    addCommand(
        "menu.help.website", [this] { openFile(getHandle(), websiteAddress()); }, Command::Predicate(), 129);
    addCommand(
        "menu.help.forum", [this] { openFile(getHandle(), forumAddress()); }, Command::Predicate(), 129);
    addCommand("menu.help.about", [this] {
        mainframe::AboutDialog dialog(this, rgb(0, 90, 240));
        dialog.run();
    });
    addCommand(
        "noteslist.openlink", [this] { browseLink(); }, [this] { return focusHasLink(); }, 129);
    addCommand(
        "noteslist.tag", [this] { tagNotes(); }, selectionNotEmpty, 135);
    addCommand("tray.addnew", [this] { trayNewNote(); });
    addCommand("tray.restore", [this] { restore(); });
    addCommand("tray.exit", [this] { exit(); });
}

std::unique_ptr<ui::menu::Popup> MainFrame::popupOf(const std::string& textKey,
                                                    std::initializer_list<const char*> keys) {
    auto popup = std::make_unique<ui::menu::Popup>(textKey);
    for (const char* key : keys) {
        if (std::string(key) == "-") {
            popup->appendSeparator();
            continue;
        }
        Command& entry = command(key);
        if (auto* check = dynamic_cast<CheckCommand*>(&entry)) {
            popup->appendItem(std::make_unique<ui::menu::CheckItem>(*check));
        } else {
            popup->appendItem(std::make_unique<ui::menu::Item>(entry));
        }
    }
    return popup;
}

void MainFrame::buildMenus() {
    ui::menu::Menubar& bar = getMenubar();
    bar.appendSubmenu(popupOf("menu.file", {"menu.file.import", "-", "menu.file.export", "-", "menu.file.exit"}));
    bar.appendSubmenu(popupOf(
        "menu.edit", {"menu.edit.new", "menu.edit.edit", "-", "menu.edit.copy", "menu.edit.paste", "menu.edit.delete",
                      "-", "menu.edit.merge", "-", "menu.edit.replacetags", "-", "menu.edit.selectall"}));
    auto view = std::make_unique<ui::menu::Popup>("menu.view");
    view->appendSubmenu(popupOf("menu.view.notecolor",
                                {"menu.view.notecolor.red", "menu.view.notecolor.orange", "menu.view.notecolor.yellow",
                                 "menu.view.notecolor.green", "menu.view.notecolor.cyan", "menu.view.notecolor.blue",
                                 "menu.view.notecolor.purple", "menu.view.notecolor.gray"}));
    view->appendSeparator();
    view->appendItem(std::make_unique<ui::menu::Item>(command("menu.view.noteappearance")));
    bar.appendSubmenu(std::move(view));
    bar.appendSubmenu(popupOf(
        "menu.options", {"menu.options.hotkey", "-", "menu.options.silentclipping", "-", "menu.options.minimizetotray",
                         "menu.options.closetotray", "menu.options.alwaysontop"}));
    bar.appendSubmenu(
        popupOf("menu.help", {"menu.help.help", "menu.help.website", "menu.help.forum", "-", "menu.help.about"}));

    contextMenu_ = popupOf(std::string(), {"menu.edit.new", "menu.edit.edit", "menu.edit.merge", "-",
                                           "noteslist.openlink", "-", "noteslist.tag", "-", "menu.edit.copy",
                                           "menu.edit.paste", "menu.edit.delete", "-", "menu.edit.selectall"});
    contextMenu_->install(this);

    trayMenu_ = std::make_unique<ui::menu::Popup>();
    trayMenu_->appendItem(std::make_unique<ui::menu::Item>(command("tray.addnew")));
    trayMenu_->appendSeparator();
    trayMenu_->appendItem(std::make_unique<ui::menu::DefaultItem>(command("tray.restore")));
    trayMenu_->appendItem(std::make_unique<ui::menu::Item>(command("tray.exit")));
    trayMenu_->install(this);
    addAccelerators();
}

void MainFrame::addAccelerators() {
    ui::input::Accelerators& keys = getAccelerators();
    const auto run = [this](const char* key) { return [this, key] { command(key).execute(); }; };
    keys.add(0, VK_F1, run("menu.help.help"));
    keys.add(FALT, 'X', [this] { onClose(); });
    keys.add(0, VK_ESCAPE, [this] { escape(); });
    keys.add(FCONTROL, 'F', [this] { filter_->focusEdit(); });
    keys.add(0, VK_INSERT, run("menu.edit.new"));
    keys.add(FCONTROL, 'M', run("menu.edit.merge"));
    keys.add(0, VK_F3, run("noteslist.openlink"));
    keys.add(FALT, VK_UP, [this] { moveNotes(-1); });
    keys.add(FALT, VK_DOWN, [this] { moveNotes(1); });
    keys.add(0, VK_F4, run("noteslist.tag"));
}

void MainFrame::afterCreate() {
    setSmallIcon(1);
    setBigIcon(1);
    filter_->create();
    notesList_->create();
    getRootPane().put(filter_.get(), ui::layout::Place::top);
    getRootPane().put(notesList_.get(), ui::layout::Place::center);
    setDefaultControl(notesList_.get());
    // The bar keeps the program's own blue whatever the theme of the notes.
    const ColorRef blue = rgb(0, 90, 240);
    filter_->setBackgroundColors(gdi::blend(gdi::desaturate(blue, 50), gdi::white, 0.15),
                                 gdi::blend(gdi::desaturate(blue, 30), gdi::white, 0.35));
    connectList();
    connectFilter();
    ui::Frame::afterCreate();
    createTrayIcon();
    startHotkeys();
    filter_->clear();
    applySettings();
    HWND window = getHandle();
    model::setSaveFailureListener([window](const model::SaveFailure&) { PostMessageW(window, WM_SAVEFAILED, 0, 0); });
}

void MainFrame::createTrayIcon() {
    // The program needs Windows 7 or later, where the tray takes the application icon.
    tray_ = std::make_unique<ui::NotifyIcon>(*this, trayIconId, 1, res::getText("app.title"));
    tray_->setMenu(trayMenu_.get());
    tray_->leftClicked.connect([this] { toggleFromTray(); });
    tray_->balloonClicked.connect([this] { bringToFront(); });
    tray_->add();
}

void MainFrame::startHotkeys() {
    grabber_ = std::make_unique<TextGrabber>(*this, [this](const GrabbedData& data) { captured(data); });
    const ClipHotkeyChoice& clipKey = grabber_->startChoice();
    if (clipKey.fallback) {
        const std::wstring used = clipKey.keyCode != 0 ? ui::input::hotkeyText(clipKey.keyCode, clipKey.modifiers)
                                                       : res::getText("hotkeys.clip.none");
        tray_->showBalloon(res::getText("hotkeys.taken.title"), res::formatText("hotkeys.clip.fallback", used),
                           balloonTimeout);
    }
    hotkeys_ = std::make_unique<mainframe::HotkeyManager>(*this);
    hotkeys_->showRequested.connect([this] { toggleByHotkey(); });
    hotkeys_->newNoteRequested.connect([this] { trayNewNote(); });
    std::wstring taken;
    for (const std::wstring& key : hotkeys_->failedAtStart()) {
        taken += (taken.empty() ? L"" : L", ") + key;
    }
    if (!taken.empty()) {
        tray_->showBalloon(res::getText("hotkeys.taken.title"), res::formatText("hotkeys.taken", taken),
                           balloonTimeout);
    }
}

void MainFrame::captured(const GrabbedData& data) {
    if (!IsWindowEnabled(getHandle())) {
        // A dialog is open and may hold a note: the capture waits until it closes.
        waitingCaptures_.push_back(data);
        return;
    }
    if (storedOr(Settings::silentClippingKey, Settings::defaultSilentClipping)) {
        tray_->showBalloon(res::getText("app.clipped.title"), data.text.substr(0, clippedBalloonLength),
                           balloonTimeout);
    } else {
        restore();
    }
    filter_->clear();
    if (data.text.empty()) {
        newNoteFromEmptyCapture(data);
    } else {
        addCapture(data);
    }
}

void MainFrame::addCapture(const GrabbedData& data) {
    // With a source and no title, the note takes the source as its title.
    model::Note note(data.text, data.windowTitle, std::wstring(), model::Note::now());
    note.setLink(data.link);
    notebook_->addNote(note);
}

void MainFrame::newNoteFromEmptyCapture(const GrabbedData& data) {
    HWND previous = GetForegroundWindow();
    model::Note note(std::wstring(), data.moduleName, data.windowTitle, model::Note::now());
    mainframe::NoteEditDialog dialog(this, note, res::getText("noteedit.new.title"), baseColor_,
                                     notesList_->renderer().getTextFont());
    if (dialog.run() == ui::DialogResult::accepted) {
        notebook_->addNote(dialog.getNote());
    }
    if (previous != nullptr && IsWindow(previous)) {
        SetForegroundWindow(previous);
    }
}

void MainFrame::saveFailed() {
    // One balloon per run of failures: the next successful save ends the run.
    if (saveFailureShown_) {
        return;
    }
    const std::optional<model::SaveFailure> failure = model::lastSaveFailure();
    if (!failure) {
        return;
    }
    saveFailureShown_ = true;
    tray_->showBalloon(res::getText("app.backgroundsavefailed.title"),
                       res::formatText("app.backgroundsavefailed", failure->path), balloonTimeout);
}

void MainFrame::connectList() {
    mainframe::NotesList& list = *notesList_;
    list.editRequested.connect([this] { command("menu.edit.edit").execute(); });
    list.copyRequested.connect([this] { command("menu.edit.copy").execute(); });
    list.pasteRequested.connect([this] { command("menu.edit.paste").execute(); });
    list.deleteRequested.connect([this] { command("menu.edit.delete").execute(); });
    list.linkRequested.connect([this] { command("noteslist.openlink").execute(); });
    list.charTyped.connect([this](int character) {
        // Typing in the list starts a search, unless there is nothing to search.
        if (notebook_->count() > 0 && std::iswprint(static_cast<wint_t>(character))
            && !std::iswspace(static_cast<wint_t>(character))) {
            filter_->typeChar(static_cast<wchar_t>(character));
        }
    });
    list.contextMenuRequested.connect([this](int x, int y) {
        contextMenu_->refreshEnabledStates();
        contextMenu_->track(x, y, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON);
    });
}

void MainFrame::connectFilter() {
    filter_->filterChanged.connect([this] { applyFilter(); });
    filter_->filterCleared.connect([this] { notesList_->focus(); });
    filter_->listFocusRequested.connect([this] { notesList_->focus(); });
}

void MainFrame::applyFilter() {
    model::INotebookView& view = notebook_->view();
    if (filter_->hasText()) {
        view.setFilter(std::make_unique<model::TextFilter>(filter_->getFields(), filter_->getText()));
    } else if (view.hasFilter()) {
        view.setFilter(nullptr);
    }
    if (view.count() > 0) {
        notesList_->setFocusIndex(0, SelectionMode::single);
    }
}

void MainFrame::escape() {
    if (filter_->hasText()) {
        filter_->clear();
    } else {
        PostMessageW(getHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    }
}

void MainFrame::applySettings() {
    setBaseColor(storedOr(Settings::baseColorKey, Settings::defaultBaseColor));
    mainframe::noteslist::NoteRenderer& renderer = notesList_->renderer();
    const Font header = storedOr(Settings::noteHeaderFontKey, renderer.getHeaderFont()->userFont());
    if (header != renderer.getHeaderFont()->userFont()) {
        notesList_->setHeaderFont(std::make_shared<gdi::Font>(header));
    }
    const Font text = storedOr(Settings::noteTextFontKey, renderer.getTextFont()->userFont());
    if (text != renderer.getTextFont()->userFont()) {
        notesList_->setTextFont(std::make_shared<gdi::Font>(text));
    }
    setTopmost(storedOr(Settings::alwaysOnTopKey, isTopmost()));
    notesList_->setMaxDisplayedLines(storedOr(Settings::maxDisplayedNoteLinesKey, renderer.getMaxDisplayedLines()));
    applyPlacement();
}

void MainFrame::showAtStart(int showCommand) {
    if (showCommand == SW_SHOWMINNOACTIVE) {
        hideToTray();
    } else {
        show(showCommand);
    }
    startBackgroundWork();
}

void MainFrame::startBackgroundWork() {
    startLater_.callLater(startDelay, [this] {
        model::backupNotebook(notebook_, model::backupFolder(), backupCycle_);
        checkProgramFolder();
    });
}

void MainFrame::checkProgramFolder() {
    const std::wstring probe =
        sys::platform::programFolder() + L"\\~varnel-write-check-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    sys::platform::FileSystem& files = sys::platform::fileSystem();
    sys::platform::FileSystem::Handle handle = 0;
    if (files.createNew(probe, handle) == 0) {
        files.close(handle);
        files.remove(probe);
        return;
    }
    ui::showError(getHandle(), res::formatText("app.foldernotwritable", sys::platform::programFolder()),
                  res::getText("app.foldernotwritable.title"));
}

std::set<int> MainFrame::selectedItems() const {
    std::set<int> items = notesList_->getSelection().toSet();
    const int count = notebook_->view().count();
    for (auto it = items.begin(); it != items.end();) {
        it = (*it < 0 || *it >= count) ? items.erase(it) : std::next(it);
    }
    return items;
}

// Counted without listing the notes: menus ask on every opening, and a selection of all
// 100,000 notes is one run of the list's selection.
std::size_t MainFrame::selectedCount() const {
    return notebook_->view().count() > 0 ? notesList_->getSelection().size() : 0;
}

bool MainFrame::focusHasLink() const {
    model::INotebookView& view = notebook_->view();
    const int focus = notesList_->getFocus();
    return focus >= 0 && focus < view.count() && model::Note::isUrl(view.note(focus).link());
}

int MainFrame::indexOfNote(int id) const {
    const model::Notebook& notebook = *notebook_;
    for (int i = 0; i < notebook.count(); ++i) {
        if (notebook.note(i).id() == id) {
            return i;
        }
    }
    return -1;
}

void MainFrame::newNote() {
    filter_->clear();
    mainframe::NoteEditDialog dialog(
        this, model::Note(std::wstring(), std::wstring(), std::wstring(), model::Note::now()),
        res::getText("noteedit.new.title"), baseColor_, notesList_->renderer().getTextFont());
    if (dialog.run() == ui::DialogResult::accepted) {
        notebook_->addNote(dialog.getNote());
    }
}

void MainFrame::editNote() {
    // The dialog edits a copy: while it runs, notes may be added and the notebook's storage
    // move. The copy goes back by the note's id, if the note is still there.
    const model::Note& note = notebook_->view().note(notesList_->getFocus());
    const int id = note.id();
    mainframe::NoteEditDialog dialog(this, note, res::getText("noteedit.title") + L" '" + note.title() + L"'",
                                     baseColor_, notesList_->renderer().getTextFont());
    if (dialog.run() != ui::DialogResult::accepted) {
        return;
    }
    const int index = indexOfNote(id);
    if (index >= 0) {
        notebook_->note(index) = dialog.getNote();
        notebook_->changed();
    }
}

void MainFrame::tagNotes() {
    std::vector<int> ids;
    for (int item : selectedItems()) {
        ids.push_back(notebook_->view().note(item).id());
    }
    mainframe::TagDialog dialog(this, baseColor_);
    if (dialog.run() != ui::DialogResult::accepted) {
        return;
    }
    for (int id : ids) {
        const int index = indexOfNote(id);
        if (index >= 0) {
            model::Note& note = notebook_->note(index);
            note.addTags(dialog.getTagsToAdd());
            note.removeTags(dialog.getTagsToRemove());
        }
    }
    notebook_->changed();
    // The same notes stay selected where the view shows them now.
    std::set<int> items;
    model::INotebookView& view = notebook_->view();
    for (int i = 0; i < view.count() && items.size() < ids.size(); ++i) {
        if (std::find(ids.begin(), ids.end(), view.note(i).id()) != ids.end()) {
            items.insert(i);
        }
    }
    notesList_->setSelection(items);
}

void MainFrame::replaceTags() {
    mainframe::ReplaceTagsDialog dialog(this, baseColor_);
    if (dialog.run() == ui::DialogResult::accepted) {
        notebook_->replaceTags(dialog.getSourceTags(), dialog.getDestinationTags());
    }
}

void MainFrame::editAppearance() {
    mainframe::NoteAppearanceDialog dialog(this, rgb(0, 90, 240), notesList_->renderer().getHeaderFont(),
                                           notesList_->renderer().getTextFont(),
                                           notesList_->renderer().getMaxDisplayedLines());
    if (dialog.run() != ui::DialogResult::accepted) {
        return;
    }
    notesList_->setHeaderFont(dialog.getHeaderFont());
    notesList_->setTextFont(dialog.getTextFont());
    notesList_->setMaxDisplayedLines(dialog.getMaxLines());
    Settings& settings = Settings::instance();
    settings.set<Font>(Settings::noteHeaderFontKey, dialog.getHeaderFont()->userFont());
    settings.set<Font>(Settings::noteTextFontKey, dialog.getTextFont()->userFont());
    settings.set<int>(Settings::maxDisplayedNoteLinesKey, dialog.getMaxLines());
}

void MainFrame::editHotkeys() {
    using Dialog = mainframe::HotkeyEditDialog;
    const auto [clipKey, clipModifiers] = grabber_->hotkey();
    const auto [showKey, showModifiers] = hotkeys_->showHotkey();
    const auto [newKey, newModifiers] = hotkeys_->newNoteHotkey();
    Dialog dialog(
        this, baseColor_,
        Dialog::Hotkey{clipKey, clipModifiers, [this](unsigned k, unsigned m) { grabber_->setHotkey(k, m); }},
        Dialog::Hotkey{showKey, showModifiers, [this](unsigned k, unsigned m) { hotkeys_->setShowHotkey(k, m); }},
        Dialog::Hotkey{newKey, newModifiers, [this](unsigned k, unsigned m) { hotkeys_->setNewNoteHotkey(k, m); }},
        // While the dialog is open the clip key is free, so it can be pressed into a box.
        [this] { grabber_->releaseHotkey(); }, [this] { grabber_->resumeHotkey(); });
    dialog.run();
}

void MainFrame::copyNotes() {
    std::vector<const model::Note*> notes;
    for (int item : selectedItems()) {
        notes.push_back(&notebook_->view().note(item));
    }
    if (!ui::clip::writeUnicodeText(getHandle(), model::notesAsText(notes))) {
        throw err::SystemException("Can't put the notes on the clipboard");
    }
}

void MainFrame::pasteNote() {
    const std::optional<std::wstring> text = ui::clip::readUnicodeText(getHandle());
    if (!text || text->empty()) {
        return;
    }
    notebook_->addNote(model::Note(*text, ui::clip::ownerWindowTitle(), std::wstring(), model::Note::now()));
}

void MainFrame::deleteNotes() {
    const std::set<int> items = selectedItems();
    if (items.empty()) {
        return;
    }
    const bool one = items.size() == 1;
    const std::wstring text = one ? res::formatText("confirmdelete.one", notebook_->view().note(*items.begin()).title())
                                  : res::formatText("confirmdelete.many", std::to_wstring(items.size()));
    const std::wstring title = res::getText(std::string("confirmdelete.title.") + (one ? "one" : "many"));
    if (ui::askYesNo(getHandle(), text, title) == IDYES) {
        notebook_->view().deleteNotes(items);
    }
}

void MainFrame::mergeNotes() {
    model::mergeNotes(notebook_->view(), selectedItems());
}

void MainFrame::moveNotes(int delta) {
    std::set<int> items = selectedItems();
    if (items.empty()) {
        return;
    }
    const int focus = notesList_->getFocus();
    if (!notebook_->view().moveNotes(items, delta)) {
        return;
    }
    // The view rebuilt and the list forgot its state: the moved notes are selected again
    // where they are now, and the focus moves with them.
    const int count = notebook_->view().count();
    if (focus >= 0) {
        notesList_->setFocusIndex(std::clamp(focus + delta, 0, count - 1), SelectionMode::moveOnly);
    }
    notesList_->setSelection(items);
}

void MainFrame::browseLink() {
    openLink(getHandle(), notebook_->view().note(notesList_->getFocus()).link());
}

void MainFrame::exportNotes() {
    const auto choice = ui::askSaveFile(getHandle(), res::getText("export.title"), res::getText("export.filemask"));
    if (!choice) {
        return;
    }
    int written = 0;
    try {
        written =
            choice->filterIndex == 1 ? notebook_->exportToText(choice->path) : notebook_->exportToXml(choice->path);
    } catch (const std::exception&) {
        ui::showError(getHandle(), res::getText("export.errormsg"), res::getText("export.errormsg.title"));
        return;
    }
    ui::showInformation(getHandle(), res::formatText("export.successmsg", std::to_wstring(written)),
                        res::getText("export.successmsg.title"));
}

void MainFrame::importNotes() {
    const auto choice = ui::askOpenFile(getHandle(), res::getText("import.title"), res::getText("import.filemask"));
    if (!choice) {
        return;
    }
    int added = 0;
    try {
        added = choice->filterIndex == 1 ? notebook_->importFromNotebook(choice->path)
                                         : notebook_->importFromXml(choice->path);
    } catch (const std::exception&) {
        ui::showError(getHandle(), res::getText("import.errormsg"), res::getText("import.errormsg.title"));
        return;
    }
    ui::showInformation(getHandle(), res::formatText("import.successmsg", std::to_wstring(added)),
                        res::getText("import.successmsg.title"));
}

void MainFrame::setBaseColor(ColorRef color) {
    baseColor_ = color;
    notesList_->setBaseColor(color);
    Settings::instance().set<ColorRef>(Settings::baseColorKey, color);
}

void MainFrame::toggleSetting(const char* key, bool defaultValue) {
    Settings::instance().set<bool>(key, !storedOr(key, defaultValue));
}

void MainFrame::toggleAlwaysOnTop() {
    const bool on = !isTopmost();
    setTopmost(on);
    Settings::instance().set<bool>(Settings::alwaysOnTopKey, on);
}

void MainFrame::hideToTray() {
    if (!tray_ || !tray_->isAdded()) {
        // Without a tray icon a hidden window could not be reached again.
        ShowWindow(getHandle(), SW_MINIMIZE);
        return;
    }
    ShowWindow(getHandle(), SW_HIDE);
    ShowWindow(getHandle(), SW_SHOWMINIMIZED);
    ShowWindow(getHandle(), SW_HIDE);
}

void MainFrame::bringToFront() {
    SetForegroundWindow(getHandle());
    ShowWindow(getHandle(), IsIconic(getHandle()) ? SW_RESTORE : SW_SHOW);
}

void MainFrame::restore() {
    ShowWindow(getHandle(), IsIconic(getHandle()) ? SW_RESTORE : SW_SHOW);
    bringToFront();
}

void MainFrame::toggleFromTray() {
    const bool active = GetForegroundWindow() == getHandle() && IsWindowVisible(getHandle());
    switch (mainframe::trayToggleAction(IsIconic(getHandle()) != FALSE, active, lastDeactivation_, GetTickCount())) {
    case mainframe::ToggleAction::Restore:
        restore();
        break;
    case mainframe::ToggleAction::Minimize:
        PostMessageW(getHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        break;
    case mainframe::ToggleAction::BringToFront:
        bringToFront();
        break;
    }
}

void MainFrame::toggleByHotkey() {
    if (GetForegroundWindow() == getHandle() && IsWindowVisible(getHandle()) && !IsIconic(getHandle())) {
        PostMessageW(getHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else {
        restore();
    }
}

void MainFrame::trayNewNote() {
    if (!IsWindowEnabled(getHandle())) {
        // A dialog of the window is open: bring it into view instead of a second one.
        restore();
        return;
    }
    if (!IsIconic(getHandle())) {
        bringToFront();
    }
    command("menu.edit.new").execute();
}

bool MainFrame::handleMessage(const MSG& msg, LRESULT& result) {
    switch (msg.message) {
    case WM_SAVEFAILED:
        saveFailed();
        return true;
    case WM_ENABLE:
        if (msg.wParam && !waitingCaptures_.empty()) {
            PostMessageW(getHandle(), WM_DIALOGCLOSED, 0, 0);
        }
        break;
    case WM_DIALOGCLOSED:
        while (!waitingCaptures_.empty() && IsWindowEnabled(getHandle())) {
            const GrabbedData data = waitingCaptures_.front();
            waitingCaptures_.pop_front();
            captured(data);
        }
        return true;
    case WM_QUERYENDSESSION:
        result = TRUE;
        return true;
    case WM_ENDSESSION:
        if (msg.wParam) {
            saveForSessionEnd();
        }
        result = 0;
        return true;
    case WM_EXITSIZEMOVE:
        savePlacement();
        break;
    default:
        break;
    }
    return ui::Frame::handleMessage(msg, result);
}

bool MainFrame::onActivate(WPARAM wParam, LPARAM lParam) {
    // 0 stands for "active", so a deactivation at tick 0 is recorded as 1.
    lastDeactivation_ = LOWORD(wParam) == WA_INACTIVE ? std::max<DWORD>(GetTickCount(), 1) : 0;
    return ui::Frame::onActivate(wParam, lParam);
}

bool MainFrame::onClose() {
    if (storedOr(Settings::closeToTrayKey, Settings::defaultCloseToTray)) {
        hideToTray();
        return true;
    }
    closed();
    exit();
    return true;
}

bool MainFrame::onSysCommand(int command) {
    switch (command & 0xFFF0) {
    case SC_MOVE:
    case SC_SIZE:
        savePlacement();
        break;
    case SC_MINIMIZE:
        if (storedOr(Settings::minimizeToTrayKey, Settings::defaultMinimizeToTray) && tray_ && tray_->isAdded()) {
            // Hidden and minimised already: the default minimise would show the window again.
            hideToTray();
            return true;
        }
        break;
    default:
        break;
    }
    return ui::Frame::onSysCommand(command);
}

bool MainFrame::exit() {
    if (!IsWindowEnabled(getHandle())) {
        // A dialog is open, perhaps with typed text: it comes forward instead.
        restore();
        return false;
    }
    if (exiting_) {
        return false;
    }
    exiting_ = true;
    const bool saved = saveNotebookAsking();
    exiting_ = false;
    if (!saved) {
        return false;
    }
    savePlacement();
    PostQuitMessage(0);
    return true;
}

bool MainFrame::saveNotebookAsking() {
    for (;;) {
        if (model::saveNotebook(*notebook_, model::notebookPath())) {
            return true;
        }
        const std::optional<model::SaveFailure> failure = model::lastSaveFailure();
        const std::wstring reason = failure ? widenMessage(failure->message) : std::wstring();
        const int answer =
            ui::centeredMessageBox(getHandle(), res::formatText("app.savefailed", model::notebookPath(), reason),
                                   res::getText("app.savefailed.title"), MB_RETRYCANCEL | MB_ICONERROR);
        if (answer != IDRETRY) {
            return false;
        }
    }
}

void MainFrame::saveForSessionEnd() {
    model::saveNotebook(*notebook_, model::notebookPath());
    savePlacement();
    Settings::instance().save();
}

void MainFrame::savePlacement() {
    if (!isAttached()) {
        return;
    }
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(getHandle(), &placement)) {
        return;
    }
    const RECT& r = placement.rcNormalPosition;
    const Rect stored{r.left, r.top, r.right, r.bottom};
    if (storedOr(Settings::normalPositionKey, Rect()) != stored) {
        Settings::instance().set<Rect>(Settings::normalPositionKey, stored);
    }
}

void MainFrame::applyPlacement() {
    const Rect fallback = Settings::defaultNormalPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    Rect wanted = storedOr(Settings::normalPositionKey, fallback);
    if (wanted.right <= wanted.left || wanted.bottom <= wanted.top) {
        wanted = fallback;
    }
    // The stored rectangle is in workspace coordinates, which start at the primary work
    // area's corner. A monitor that is gone or a damaged value must not put the window where
    // nobody can reach it.
    RECT primary = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0);
    const auto moved = [](Rect r, int dx, int dy) {
        return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
    };
    const Rect onScreen = moved(wanted, primary.left, primary.top);
    const Rect fitted = moved(fitIntoArea(onScreen, nearestWorkArea(onScreen)), -primary.left, -primary.top);

    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(getHandle(), &placement);
    placement.flags = 0;
    placement.showCmd = IsWindowVisible(getHandle()) ? SW_SHOWNORMAL : SW_HIDE;
    placement.rcNormalPosition = RECT{fitted.left, fitted.top, fitted.right, fitted.bottom};
    SetWindowPlacement(getHandle(), &placement);
}

}  // namespace app

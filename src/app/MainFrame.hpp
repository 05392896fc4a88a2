#pragma once
#include "app/Color.hpp"
#include "app/GrabbedData.hpp"
#include "app/TextGrabber.hpp"
#include "app/mainframe/FilterControl.hpp"
#include "app/mainframe/HotkeyManager.hpp"
#include "app/mainframe/NotesList.hpp"
#include "sys/timers/Runner.hpp"
#include "ui/Frame.hpp"
#include "ui/NotifyIcon.hpp"
#include "ui/menu/CheckCommand.hpp"
#include "ui/menu/Popup.hpp"

#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace app::model {
class Notebook;
}

namespace app {

// The program's one top-level window: the notes list under a menu bar, every user command
// by its string key, the window's placement, and the saves that keep the notes safe.
class MainFrame : public ui::Frame {
public:
    // Loads the notebook; a notebook file that cannot be read raises, and nothing is made.
    explicit MainFrame(ui::Window* owner);
    ~MainFrame() override;

    bool handleMessage(const MSG& msg, LRESULT& result) override;
    void afterCreate() override;
    void buildMenus() override;
    bool onActivate(WPARAM wParam, LPARAM lParam) override;
    bool onClose() override;
    bool onSysCommand(int command) override;

    // Shows the window the first time with the show command of the start.
    void showAtStart(int showCommand);
    // The window's ways between shown, minimised and hidden in the tray.
    void hideToTray();
    void bringToFront();
    void restore();
    void toggleFromTray();
    void toggleByHotkey();
    void trayNewNote();

    // Saves the notebook and ends the message loop. When the save fails the user may retry;
    // giving up keeps the program running and answers false.
    bool exit();

    ui::menu::Command& command(const std::string& key);
    mainframe::NotesList& notesList() { return *notesList_; }
    mainframe::FilterControl& filterControl() { return *filter_; }
    ui::NotifyIcon& trayIcon() { return *tray_; }
    mainframe::HotkeyManager& hotkeys() { return *hotkeys_; }
    TextGrabber& grabber() { return *grabber_; }
    model::Notebook& notebook() { return *notebook_; }

private:
    void addCommand(const std::string& key, ui::menu::Command::Action action,
                    ui::menu::Command::Predicate enabled = ui::menu::Command::Predicate(), int icon = 0);
    void addCheckCommand(const std::string& key, ui::menu::Command::Action action,
                         ui::menu::Command::Predicate checked);
    void addCommands();
    void addAccelerators();
    void connectList();
    void connectFilter();
    // Shows the notes that match the filter bar, the first of them focused.
    void applyFilter();
    void escape();
    void createTrayIcon();
    void startHotkeys();
    // A capture arrived: a note at once, or the new-note dialog when nothing was copied.
    void captured(const GrabbedData& data);
    void addCapture(const GrabbedData& data);
    void newNoteFromEmptyCapture(const GrabbedData& data);
    void saveFailed();
    void applySettings();
    std::unique_ptr<ui::menu::Popup> popupOf(const std::string& textKey, std::initializer_list<const char*> keys);

    std::set<int> selectedItems() const;
    std::size_t selectedCount() const;
    bool focusHasLink() const;

    void newNote();
    void editNote();
    void tagNotes();
    void replaceTags();
    void editAppearance();
    void editHotkeys();
    // The notebook index of the note with this id, or -1 when it is gone.
    int indexOfNote(int id) const;
    void copyNotes();
    void pasteNote();
    void deleteNotes();
    void mergeNotes();
    void moveNotes(int delta);
    void browseLink();
    void exportNotes();
    void importNotes();
    void setBaseColor(ColorRef color);
    void toggleSetting(const char* key, bool defaultValue);
    void toggleAlwaysOnTop();

    void savePlacement();
    void applyPlacement();
    void startBackgroundWork();
    void checkProgramFolder();
    // The end of a Windows session: everything the user keeps is written, without asking.
    void saveForSessionEnd();
    bool saveNotebookAsking();

    std::shared_ptr<model::Notebook> notebook_;
    std::unique_ptr<mainframe::FilterControl> filter_;
    std::unique_ptr<mainframe::NotesList> notesList_;
    std::map<std::string, std::unique_ptr<ui::menu::Command>> commands_;
    std::unique_ptr<ui::menu::Popup> contextMenu_;
    std::unique_ptr<ui::menu::Popup> trayMenu_;
    std::unique_ptr<ui::NotifyIcon> tray_;
    std::unique_ptr<TextGrabber> grabber_;
    std::unique_ptr<mainframe::HotkeyManager> hotkeys_;
    // Captures that arrived while a dialog of the window was open, added when it closes.
    std::deque<GrabbedData> waitingCaptures_;
    sys::timers::Runner settingsSaver_;
    sys::timers::Runner backupCycle_;
    sys::timers::Runner startLater_;
    ColorRef baseColor_ = 0;
    unsigned lastDeactivation_ = 0;
    bool exiting_ = false;
    // A balloon about failing background saves was shown and no save succeeded since.
    bool saveFailureShown_ = false;
    boost::signals2::scoped_connection saveAfterChange_;
};

}  // namespace app

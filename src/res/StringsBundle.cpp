#include "res/StringsBundle.hpp"

#include "err/Exceptions.hpp"
#include "res/Format.hpp"

namespace res {

StringsBundle::StringsBundle() {
    add("app.name", L"Varnel");
    add("app.version", L"Beta M7.3");
    add("app.title", text("app.name"));
    add("ok", L"OK");
    add("cancel", L"Cancel");
    add("error", L"Error");
    add("app.unknownError", L"An error has occurred.");
    add("undo", L"&Undo\tCtrl+Z");
    add("app.activatedExistingInstance", L"Activated already running " + text("app.name") + L" instance.");
    add("redo", L"&Redo\tCtrl+Y");
    add("menu.file", L" &File ");
    add("menu.file.export", L"&Export\u2026");
    add("menu.file.import", L"&Import\u2026");
    add("menu.file.exit", L"E&xit");
    add("menu.edit", L" &Edit ");
    add("menu.edit.new", L"&Add\tIns");
    add("menu.edit.edit", L"&Edit\tEnter");
    add("menu.edit.copy", L"&Copy\tCtrl+C");
    add("menu.edit.cut", L"Cu&t\tCtrl+X");
    add("menu.edit.paste", L"&Paste\tCtrl+V");
    add("menu.edit.delete", L"&Delete\tDel");
    add("menu.edit.merge", L"&Merge\tCtrl+M");
    add("menu.edit.replacetags", L"&Replace Tags\u2026");
    add("menu.edit.selectall", L"Select &All\tCtrl+A");
    add("menu.view", L" &View ");
    add("menu.view.noteappearance", L"&Note Appearance\u2026");
    add("menu.view.notecolor", L"&Color Theme");
    add("menu.view.notecolor.red", L"&Red");
    add("menu.view.notecolor.orange", L"&Orange");
    add("menu.view.notecolor.yellow", L"&Yellow");
    add("menu.view.notecolor.green", L"&Green");
    add("menu.view.notecolor.cyan", L"&Cyan");
    add("menu.view.notecolor.blue", L"&Blue");
    add("menu.view.notecolor.purple", L"&Purple");
    add("menu.view.notecolor.gray", L"Gr&ay");
    add("menu.options", L" &Options ");
    add("menu.options.hotkey", L"&Hot Keys\u2026");
    add("menu.options.silentclipping", L"&Silent Clipping");
    add("menu.options.minimizetotray", L"&Minimize to System Tray");
    add("menu.options.closetotray", L"Cl&ose to System Tray");
    add("menu.options.alwaysontop", L"&Always on Top");
    add("menu.help", L" &Help ");
    add("menu.help.help", L"&Help\tF1");
    add("menu.help.website", L"&Website");
    add("menu.help.forum", L"&Forum");
    add("confirmdelete.one", L"Delete note\n'{1}'?");
    add("menu.help.about", L"&About " + text("app.title"));
    add("confirmdelete.many", L"Delete {1} selected notes?");
    add("confirmdelete.title.one", L"Delete Note?");
    add("confirmdelete.title.many", L"Delete Notes?");
    add("filter", L"Filter:");
    add("filter.textandtitle", L"&Text and Title");
    add("filter.text", L"Te&xt Only");
    add("filter.title", L"T&itle Only");
    add("filter.time", L"&Date and Time");
    add("filter.link", L"&Link");
    add("filter.tags", L"Ta&gs");
    add("filter.all", L"&Anywhere");
    add("noteslist.notebookempty",
        L"Your notebook is empty.\n\nTo take notes press the Ins key, or select text in "
        L"other applications and press the clipping hot key (Ctrl+F12 by default).\nYou "
        L"can also create notes via pasting text from the clipboard.");
    add("noteslist.notfound", L"No notes found which match current filter.\n");
    add("noteslist.openlink", L"Browse &Link\tF3");
    add("noteslist.tag", L"&Tag\u2026\tF4");
    add("noteedit.title", L"Edit");
    add("about.title", L"About " + text("app.title"));
    add("about.text", text("app.name") + L" " + text("app.version") + L"\n"
                          + L"Made by the Varnel team. Free to use and share."
                          + L"\n\nTip: Use hot key to clip text from other applications (Ctrl+F12 by default).");
    add("noteedit.accepthint", L"(Ctrl+Enter to accept changes)");
    add("noteedit.link", L"Link:");
    add("noteedit.keywords", L"Tags:");
    add("noteedit.new.title", L"New Note");
    add("noteedit.discard", L"Discard the changes made to this note?");
    add("noteedit.discard.title", L"Discard Changes");
    add("noteappearance.title", L"Note Appearance");
    add("noteappearance.pt", L"pt");
    add("noteappearance.bold", L"Bold");
    add("noteappearance.italic", L"Italic");
    add("noteappearance.headerfontlabel", L"Header font:");
    add("noteappearance.textfontlabel", L"Text font:");
    add("noteappearance.maxnotelines", L"Maximum displayed text lines (0 - 100):");
    add("noteappearance.change", L"\u2026");
    add("tagsedit.title", L"Add / Remove Tags");
    add("tagsedit.addtags", L"Add tags:");
    add("tagsedit.removetags", L"Remove tags:");
    add("replacetags.title", L"Replace Tags");
    add("replacetags.sourcetags", L"Replace tags:");
    add("replacetags.desttags", L"With tags:");
    add("replacetags.hint",
        L"Using this dialog you can rename, split, merge and delete tags.\n\nE.g. to "
        L"delete tags, type them in the first edit box,\n and leave the second edit box "
        L"empty.");
    add("tray.addnew", L"New Note");
    add("tray.restore", L"Restore");
    add("tray.exit", L"Exit");
    add("help.filename", L"varnel.htm");
    add("link.ask", L"This link does not lead to a web page:\n\n{1}\n\nOpen it anyway?");
    add("link.ask.title", L"Open Link?");
    add("link.refused", L"This link was not opened because it could start a program or script:\n\n{1}");
    add("link.refused.title", L"Link Not Opened");
    add("link.failed", L"The link could not be opened:\n\n{1}\n\n{2}");
    add("link.failed.title", L"Cannot Open Link");
    add("export.title", L"Export Notes");
    add("export.filemask", L"Unicode Text (*.txt)|*.txt|XML (*.xml)|*.xml");
    add("export.successmsg.title", L"Export Success");
    add("export.successmsg", L"Note export completed. Exported notes: {1}.");
    add("export.errormsg", L"The program has encountered an error during export.");
    add("export.errormsg.title", L"Export Error");
    add("import.title", L"Import Notes");
    add("import.filemask", L"Varnel notebook (*.dat)|*.dat|XML (*.xml)|*.xml");
    add("import.successmsg.title", L"Import Success");
    add("import.successmsg", L"Note import completed. Imported notes: {1}.");
    add("import.errormsg", L"The program has encountered an error during import.");
    add("import.errormsg.title", L"Import Error");
    add("options.hotkeys.title", L"Configure Hot Keys");
    add("options.hotkeys.clip.label", L"Clip text hot key:");
    add("options.hotkeys.show.label", L"Show main window hot key:");
    add("options.hotkeys.newnote.label", L"Add new note hot key:");
    add("options.hotkeys.hint",
        L"To deactivate a hot key, press Esc in the corresponding edit box.\n\nTry to "
        L"pick hot keys which are not used by other applications, otherwise Varnel might "
        L"interfere with their normal operation or may not function properly itself.");
    add("options.hotkeys.clip.hint", L"Using Alt or Shift keys in this combination may reduce the clipping ability.");
    add("options.hotkeys.cannotregister", L"This key combination cannot be registered. Please pick another one.");
    add("options.hotkeys.cannotregister.title", L"Cannot Register Hot Key");
    add("options.hotkeys.duplicate",
        L"{1} is chosen for more than one hot key. Please pick a different "
        L"combination for each.");
    add("app.savefailed",
        L"Your notes could not be saved to\n{1}\n\n{2}\n\nClose any program that may be using the file, or "
        L"free some disk space, then choose Retry. Cancel keeps "
            + text("app.name") + L" running with your notes.");
    add("app.savefailed.title", L"Notes Not Saved");
    add("app.foldernotwritable",
        text("app.name") + L" cannot write to its folder\n{1}\n\nYour notes are kept next to the program. Move " +
        text("app.name") + L" to a folder you can write to, such as one in your Documents, so that your notes "
        L"are saved.");
    add("app.foldernotwritable.title", L"Notes Cannot Be Saved");
    add("hotkeys.taken", L"Another program uses {1}. Choose other keys in Options, Hot Keys.");
    add("hotkeys.taken.title", L"Hot key not available");
    add("hotkeys.clip.fallback",
        L"Another program uses your clip hot key. This time clip with {1}; your choice is kept for the next start.");
    add("hotkeys.clip.none", L"the tray menu only");
    add("app.clipped.title", text("app.name") + L" clipped:");
    add("app.backgroundsavefailed",
        L"Your notes could not be saved to {1}. " + text("app.name") + L" keeps trying after every change.");
    add("app.backgroundsavefailed.title", L"Notes not saved");
    add("filtercontrol.total", L"{1} note");
    add("filtercontrol.total_many", L"{1} notes");
    add("filtercontrol.filtered", L"{1} note found (Esc to cancel)");
    add("filtercontrol.filtered_many", L"{1} notes found (Esc to cancel)");
}

const StringsBundle& StringsBundle::instance() {
    static const StringsBundle bundle;
    return bundle;
}

void StringsBundle::add(const char* key, const std::wstring& text) {
    if (entries_.emplace(key, text).second) {
        keys_.emplace_back(key);
    }
}

const std::wstring& StringsBundle::text(const char* key) const {
    return (*this)[key];
}

const std::wstring& StringsBundle::operator[](const std::string& key) const {
    const auto i = entries_.find(key);
    if (i == entries_.end()) {
        err::throwInvalidArgument("res::`anonymous-namespace'::StringsBundle::operator []", "i != map.end()");
    }
    return i->second;
}

const std::wstring& getText(const std::string& key) {
    return StringsBundle::instance()[key];
}

std::wstring formatText(const std::string& key, const std::wstring& a1, const std::wstring& a2, const std::wstring& a3,
                        const std::wstring& a4, const std::wstring& a5) {
    return format(getText(key), a1, a2, a3, a4, a5);
}

// The table is filled during static initialisation, before any window exists.
namespace {
const StringsBundle& filledAtStart = StringsBundle::instance();
}

}  // namespace res

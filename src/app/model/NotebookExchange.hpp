#pragma once

#include "app/model/Note.hpp"

#include <string>
#include <vector>

namespace app::model {

class Notebook;

// Export files: UTF-16LE with a byte-order mark, every line ending in CR LF. Both write
// every note of the notebook in notebook order, through a temporary file that replaces
// the target only when complete; a failure raises err::IOException and leaves an
// existing target as it was. The result is the number of notes written.
int exportToXml(const Notebook& notebook, const std::wstring& path);
int exportToText(const Notebook& notebook, const std::wstring& path);

// The plain-text form of one note, as the text export and Copy write it, with CR LF line
// ends; and that of several notes, with three empty lines between two blocks.
std::wstring noteTextBlock(const Note& note);
std::wstring notesAsText(const std::vector<const Note*>& notes);

// Imports are all or nothing: the whole file is read and parsed first, then every note
// is appended at once (noteAdded with the new count, then changed). On an error the
// notebook is left exactly as it was. The result is the number of notes added.
int importFromXml(Notebook& notebook, const std::wstring& path);
// A missing file adds nothing; one that exists but cannot be read raises err::IOException.
int importFromNotebook(Notebook& notebook, const std::wstring& path);

// The notes of a whole export text (the decoded file, byte-order mark included), in file
// order. Raises err::LogicException when there is no note element or one is not closed,
// and the date library's errors for a date and time that cannot be read.
std::vector<Note> parseXmlNotes(const std::wstring& text);

}  // namespace app::model

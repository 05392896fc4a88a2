#pragma once

// The notebooks the filter benchmarks type into, and their baseline: a plain substring
// scan over the very strings the filter searches.

#include "app/model/Notebook.hpp"
#include "app/model/TextFilter.hpp"

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace bench::view {

// Length of every note's text in the filter benchmarks.
constexpr std::size_t textLength = 600;

// A notebook of `size` notes of textLength characters, built on first use and kept for
// the whole run; the same notes on every run. The folded text copies the baseline scans
// are made with the notes, as the program made them before it made them on first use.
app::model::Notebook& notebookOf(int size);

// The strings the filter looks at for these fields, note by note, in its order.
struct Scan {
    std::vector<const std::wstring*> strings;
    std::vector<std::size_t> begin;  // per note, then one past the last
};

Scan scanOf(const app::model::Notebook& notebook, app::model::TextFilter::Fields fields);

// For every note, std::wstring::find(query) over its strings, stopping at the first hit,
// collecting the indices of the hits into `hits` (reserved by the caller). For the tags
// field the note's joined tag text is searched as a whole, which finds the same notes as
// the filter for a query without tag separators.
void plainScan(const Scan& scan, const std::wstring& query, std::vector<int>& hits);

// One round of typing into the filter bar of a notebook's view, each step timed: the
// word key by key (after a change to the notebook, so nothing found before is reused),
// Backspace down to its first letter, and a change of the field choice with the whole
// word typed. With the plain scans it is measured against, in the same round.
struct TypingRound {
    std::vector<double> keys;        // seconds per keystroke, the first included
    std::vector<double> backspaces;  // seconds per Backspace
    double fieldChange = 0;
    double scanFirstKey = 0;     // plain scan for the first letter
    double scanWord = 0;         // plain scan for the whole word
    double scanFieldChange = 0;  // plain scan for the whole word in the other fields
    std::size_t keptBytes = 0;   // the view's kept results after the word was typed
};

// `round` decides whether the baselines run before or after the typing, so that rounds
// take turns. Checks every step's result against a plain scan.
TypingRound typeWord(app::model::Notebook& notebook, app::model::TextFilter::Fields fields,
                     app::model::TextFilter::Fields changedTo, const std::wstring& word, int round);

// Prints each step's time over the rounds (mean and slowest), the RATIO lines (first key
// and field change against their plain scans, the sum of the keystrokes against one
// plain scan of the word, the kept results against one list of every note's index) and
// the FRAME lines of the steps that must each fit in a 16 ms frame.
void printTyping(std::ostream& out, const std::wstring& word, const std::vector<TypingRound>& rounds, int notes);

}  // namespace bench::view

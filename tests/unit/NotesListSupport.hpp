#pragma once

// Stand-ins for what the notes list's layout reads from the outside: a view over a plain
// vector of notes and text measures that count how often they are asked.

#include "app/mainframe/noteslist/noterenderer/TextMeasure.hpp"
#include "app/model/INotebookView.hpp"
#include "app/model/Note.hpp"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace noteslist_test {

class VectorView : public app::model::INotebookView {
public:
    void add(const std::wstring& text, const std::wstring& tags = L"") {
        notes.emplace_back(text, L"", L"title", app::model::Note::now());
        if (!tags.empty()) {
            notes.back().setTags(tags);
        }
    }

    int count() const override { return static_cast<int>(notes.size()); }
    app::model::Note& note(int position) override { return notes.at(static_cast<std::size_t>(position)); }
    bool hasFilter() const override { return false; }
    const app::model::Filter* filter() const override { return nullptr; }
    void setFilter(std::unique_ptr<app::model::Filter>) override {}
    void deleteNotes(const std::set<int>&) override {}
    void deleteAll() override {}
    bool moveNotes(std::set<int>&, int) override { return false; }

    std::vector<app::model::Note> notes;
};

// Every character `width` pixels wide unless listed; counts the questions by character.
class CountingMeasure : public app::mainframe::noteslist::noterenderer::TextMeasure {
public:
    explicit CountingMeasure(int width = 10, int height = 13) : width(width), height(height) {}

    int characterWidth(char32_t c) override {
        ++asked[c];
        ++characterCalls;
        const auto special = widths.find(c);
        return special == widths.end() ? width : special->second;
    }
    int lineHeight() override {
        ++heightCalls;
        return height;
    }

    int width;
    int height;
    std::map<char32_t, int> widths;
    std::map<char32_t, int> asked;
    int characterCalls = 0;
    int heightCalls = 0;
};

}  // namespace noteslist_test

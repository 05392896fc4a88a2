#pragma once

#include "app/mainframe/noteslist/BoundedCache.hpp"
#include "app/mainframe/noteslist/noterenderer/CharacterWidths.hpp"
#include "app/mainframe/noteslist/noterenderer/LineBreaker.hpp"
#include "app/mainframe/noteslist/noterenderer/TextMeasure.hpp"

#include <cstddef>
#include <memory>
#include <string>

namespace app::model {
class INotebookView;
}

namespace app::mainframe::noteslist::noterenderer {

// Line breaking for every note of one list at one width. Breakers are kept per item, up
// to a budget of code units of the texts they hold, and are shared with their callers: a
// breaker handed out stays valid, with the widths it was made with, however the cache and
// the font change afterwards.
class NoteTextFormatter {
public:
    static constexpr std::size_t defaultBudget = 2000000;  // code units of cached texts

    NoteTextFormatter(model::INotebookView& view, std::shared_ptr<TextMeasure> measure,
                      std::size_t budget = defaultBudget);

    void setWidth(int w);
    int getWidth() const { return width_; }
    int getLineHeight() const { return lineHeight_; }

    int getLineCount(int item);
    std::wstring getLine(int item, int line);
    std::shared_ptr<const LineBreaker> getLineBreaker(int item);

    // A new text font: its measure replaces the old one, the widths and breakers go.
    void setTextMeasure(std::shared_ptr<TextMeasure> measure);
    void clear();
    void forget(int item);

    std::size_t cachedBreakers() const { return breakers_.size(); }

private:
    void resetWidths();

    model::INotebookView& view_;
    std::shared_ptr<TextMeasure> measure_;
    std::shared_ptr<CharacterWidths> widths_;
    int width_ = 10;
    int lineHeight_ = 0;
    BoundedCache<int, std::shared_ptr<const LineBreaker>> breakers_;
};

}  // namespace app::mainframe::noteslist::noterenderer

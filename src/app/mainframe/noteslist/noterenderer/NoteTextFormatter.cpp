#include "app/mainframe/noteslist/noterenderer/NoteTextFormatter.hpp"

#include "app/model/INotebookView.hpp"
#include "app/model/Note.hpp"
#include "err/Exceptions.hpp"

namespace app::mainframe::noteslist::noterenderer {

namespace {

// What an entry costs besides its text: the breaker and its first lines, in code units.
constexpr std::size_t entryOverhead = 32;

}  // namespace

NoteTextFormatter::NoteTextFormatter(model::INotebookView& view, std::shared_ptr<TextMeasure> measure,
                                     std::size_t budget)
    : view_(view), breakers_(budget) {
    if (!measure) {
        err::throwInvalidArgument("app::mainframe::noteslist::noterenderer::NoteTextFormatter::NoteTextFormatter",
                                  "measure");
    }
    measure_ = std::move(measure);
    resetWidths();
}

void NoteTextFormatter::resetWidths() {
    // The measure is held by the widths too, so that breakers still in use keep theirs.
    std::shared_ptr<TextMeasure> measure = measure_;
    widths_ = std::make_shared<CharacterWidths>([measure](char32_t c) { return measure->characterWidth(c); });
    lineHeight_ = measure_->lineHeight();
}

void NoteTextFormatter::setWidth(int w) {
    if (!(w >= 0)) {
        err::throwInvalidArgument("app::mainframe::noteslist::noterenderer::NoteTextFormatter::setWidth", "w >= 0");
    }
    if (w == width_) {
        return;
    }
    width_ = w;
    breakers_.clear();
    lineHeight_ = measure_->lineHeight();
}

void NoteTextFormatter::setTextMeasure(std::shared_ptr<TextMeasure> measure) {
    if (!measure) {
        err::throwInvalidArgument("app::mainframe::noteslist::noterenderer::NoteTextFormatter::setTextMeasure",
                                  "measure");
    }
    measure_ = std::move(measure);
    breakers_.clear();
    resetWidths();
}

void NoteTextFormatter::clear() {
    breakers_.clear();
}

void NoteTextFormatter::forget(int item) {
    breakers_.erase(item);
}

std::shared_ptr<const LineBreaker> NoteTextFormatter::getLineBreaker(int item) {
    if (const auto* cached = breakers_.find(item)) {
        return *cached;
    }
    // The note's own text, shared: a breaker costs no copy of it.
    std::shared_ptr<const std::wstring> text = view_.note(item).sharedText();
    const std::size_t length = text->size();
    auto breaker = std::make_shared<const LineBreaker>(std::move(text), width_, widths_);
    breakers_.insert(item, breaker, length + entryOverhead);
    return breaker;
}

int NoteTextFormatter::getLineCount(int item) {
    return getLineBreaker(item)->getLineCount();
}

std::wstring NoteTextFormatter::getLine(int item, int line) {
    return getLineBreaker(item)->getLine(line);
}

}  // namespace app::mainframe::noteslist::noterenderer

#pragma once

#include "ui/controls/FramedControl.hpp"

#include <boost/signals2/signal.hpp>

#include <string>

namespace ui::controls {

// A single-line (or, with the creator's style bits, multi-line) system edit with a flat frame
// and an inner padding.
class Edit : public FramedControl {
public:
    // Without style bits the edit scrolls horizontally as the user types.
    explicit Edit(Window* parent, unsigned style = 0, unsigned exStyle = 0);
    ~Edit() override;

    std::wstring getClassName() const override;
    std::wstring getSuperclassName() const override;
    unsigned getStyle() const override;
    unsigned getExStyle() const override;
    void afterCreate() override;

    bool onContextMenu(HWND window, int x, int y) override;
    bool onCommand(int code, ULONG_PTR param) override;

    std::wstring getText() const;
    void setText(const std::wstring& text);
    void setReadOnly(bool readOnly);

    // The text was changed, by the user or by the program.
    boost::signals2::signal<void()> changed;

private:
    unsigned style_;
    unsigned exStyle_;
};

}  // namespace ui::controls

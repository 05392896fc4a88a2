#pragma once

#include "ui/Control.hpp"

#include <boost/signals2/signal.hpp>

#include <string>

namespace ui::controls {

// A push button. The default button of a dialog tells its parent its id when it is created.
class Button : public Control {
public:
    Button(Window* parent, std::wstring caption, bool isDefault = false, unsigned extraStyle = 0);
    ~Button() override;

    std::wstring getClassName() const override;
    std::wstring getSuperclassName() const override;
    unsigned getStyle() const override;
    bool onCreate(CREATESTRUCT* createStruct) override;
    bool onCommand(int code, ULONG_PTR param) override;

    const std::wstring& getCaption() const { return caption_; }
    bool isDefault() const { return default_; }

    boost::signals2::signal<void()> clicked;

private:
    std::wstring caption_;
    unsigned extraStyle_;
    bool default_;
};

}  // namespace ui::controls

#pragma once

namespace ui {

// Something whose size and minimum size can be set.
class Sizable {
public:
    virtual ~Sizable() = default;
    virtual void setWidth(int width) = 0;
    virtual void setHeight(int height) = 0;
    virtual void setMinWidth(int width) = 0;
    virtual void setMinHeight(int height) = 0;
};

}  // namespace ui

#pragma once

#include "gdi/Canvas.hpp"

namespace gdi {

// A memory device context of its own, compatible with the given one; it belongs to no window.
class CompatibleCanvas : public Canvas {
public:
    explicit CompatibleCanvas(HDC dc);
    ~CompatibleCanvas() override;
};

}  // namespace gdi

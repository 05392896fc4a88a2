#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>

namespace gdi {

class MemoryCanvas;

// Memory canvases kept when their users drop them, to be handed out again. The first
// drawing on a new bitmap costs many times a later one (the system finds and clears its
// memory then), so a list that paints its items into bitmaps paints faster into bitmaps
// some list has drawn on before. Idle canvases are kept up to a budget of pixels, the
// oldest going first. Every canvas is made compatible with the device it was first asked
// for: the pool serves painters of one screen. User-interface thread only.
class CanvasPool {
public:
    explicit CanvasPool(std::size_t budget);
    ~CanvasPool();
    CanvasPool(const CanvasPool&) = delete;
    CanvasPool& operator=(const CanvasPool&) = delete;

    // A canvas of at least width x height, which goes back to the pool when its last share
    // is dropped. An idle canvas is taken when it is no more than twice the area asked for
    // (the smallest such, the last dropped of equals), a new one made otherwise. What it
    // shows is undefined: the taker paints every pixel it uses. Throws
    // err::SystemException when no bitmap can be made.
    std::shared_ptr<MemoryCanvas> take(HDC compatibleWith, int width, int height);

    std::size_t idleCount() const;
    std::size_t idlePixels() const;

private:
    struct Shelf;
    std::shared_ptr<Shelf> shelf_;
};

}  // namespace gdi

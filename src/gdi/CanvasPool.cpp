#include "gdi/CanvasPool.hpp"

#include "gdi/Bitmap.hpp"
#include "gdi/MemoryCanvas.hpp"

#include <list>

namespace gdi {

namespace {

std::size_t areaOf(const MemoryCanvas& canvas) {
    return static_cast<std::size_t>(canvas.getBitmap()->getWidth())
           * static_cast<std::size_t>(canvas.getBitmap()->getHeight());
}

}  // namespace

// Shared with the deleters of the canvases handed out: a canvas dropped after its pool
// is simply deleted.
struct CanvasPool::Shelf {
    std::size_t budget;
    std::size_t pixels = 0;
    std::list<std::unique_ptr<MemoryCanvas>> idle;  // oldest first

    void put(std::unique_ptr<MemoryCanvas> canvas) {
        const std::size_t area = areaOf(*canvas);
        if (area > budget) {
            return;
        }
        idle.push_back(std::move(canvas));
        pixels += area;
        while (pixels > budget) {
            pixels -= areaOf(*idle.front());
            idle.pop_front();
        }
    }
};

CanvasPool::CanvasPool(std::size_t budget) : shelf_(std::make_shared<Shelf>()) {
    shelf_->budget = budget;
}

CanvasPool::~CanvasPool() = default;

std::shared_ptr<MemoryCanvas> CanvasPool::take(HDC compatibleWith, int width, int height) {
    const std::size_t wanted = static_cast<std::size_t>(width > 0 ? width : 0) * (height > 0 ? height : 0);
    auto best = shelf_->idle.end();
    for (auto it = shelf_->idle.begin(); it != shelf_->idle.end(); ++it) {
        const Bitmap& bitmap = *(*it)->getBitmap();
        const std::size_t area = areaOf(**it);
        if (bitmap.getWidth() >= width && bitmap.getHeight() >= height && area <= 2 * wanted
            && (best == shelf_->idle.end() || area <= areaOf(**best))) {
            best = it;
        }
    }
    std::unique_ptr<MemoryCanvas> canvas;
    if (best != shelf_->idle.end()) {
        canvas = std::move(*best);
        shelf_->pixels -= areaOf(*canvas);
        shelf_->idle.erase(best);
    } else {
        canvas = std::make_unique<MemoryCanvas>(compatibleWith, width, height);
    }
    std::weak_ptr<Shelf> shelf = shelf_;
    return std::shared_ptr<MemoryCanvas>(canvas.release(), [shelf](MemoryCanvas* dropped) {
        std::unique_ptr<MemoryCanvas> owned(dropped);
        if (const auto pool = shelf.lock()) {
            try {
                pool->put(std::move(owned));
            } catch (const std::bad_alloc&) {
                // Not kept, then: deleted with `owned`.
            }
        }
    });
}

std::size_t CanvasPool::idleCount() const {
    return shelf_->idle.size();
}

std::size_t CanvasPool::idlePixels() const {
    return shelf_->pixels;
}

}  // namespace gdi

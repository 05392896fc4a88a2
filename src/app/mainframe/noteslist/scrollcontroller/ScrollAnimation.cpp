#include "app/mainframe/noteslist/scrollcontroller/ScrollAnimation.hpp"

#include "err/Exceptions.hpp"

#include <cstdlib>

namespace app::mainframe::noteslist::scrollcontroller {

namespace {

constexpr int steps = 6;

}  // namespace

int ScrollAnimation::start(int d, bool accumulate) {
    if (accumulate && running() && ((remaining_ > 0 && d > 0) || (remaining_ < 0 && d < 0))) {
        d += remaining_;
    }
    if (d / steps == 0) {
        cancel();
        return d;
    }
    remaining_ = d;
    step_ = d / steps;
    return 0;
}

// Six full steps, then what the division left; never past the distance.
ScrollAnimation::Tick ScrollAnimation::tick() {
    if ((remaining_ > 0 && step_ < 0) || (remaining_ < 0 && step_ > 0)) {
        cancel();
        throw err::InvalidStateException("Error in doNextScrollTick");
    }
    // A tick posted before the animation ended or was cancelled finds nothing to do.
    if (!running()) {
        return Tick{};
    }
    Tick result;
    if (std::abs(step_) > std::abs(remaining_)) {
        result.pixels = remaining_;
        cancel();
        return result;
    }
    result.pixels = step_;
    remaining_ -= step_;
    result.finished = false;
    return result;
}

void ScrollAnimation::cancel() {
    remaining_ = 0;
    step_ = 0;
}

}  // namespace app::mainframe::noteslist::scrollcontroller

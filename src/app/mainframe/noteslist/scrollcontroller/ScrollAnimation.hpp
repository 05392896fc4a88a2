#pragma once

namespace app::mainframe::noteslist::scrollcontroller {

// The arithmetic of a smooth scroll: a distance handed out in steps of a sixth, one per
// timer tick, that always add up to exactly the distance. The window side starts the
// timer while running() and applies what start and tick give.
class ScrollAnimation {
public:
    struct Tick {
        int pixels = 0;        // to scroll now
        bool finished = true;  // the animation is over; stop the timer and repaint
    };

    // Starts scrolling by d pixels and answers the pixels to apply at once: d itself when
    // it is too short to animate (a sixth of it is no pixel), else 0. With `accumulate`, a
    // request in the direction of a running animation adds to what it still has to go
    // (wheel notches and scroll-bar clicks in quick succession); otherwise it replaces it
    // (a distance already measured from the current position).
    int start(int d, bool accumulate);
    Tick tick();
    // Drops the running animation: an immediate scroll owns the position now.
    void cancel();

    bool running() const { return remaining_ != 0 || step_ != 0; }
    int remaining() const { return remaining_; }
    int step() const { return step_; }

private:
    int remaining_ = 0;
    int step_ = 0;
};

}  // namespace app::mainframe::noteslist::scrollcontroller

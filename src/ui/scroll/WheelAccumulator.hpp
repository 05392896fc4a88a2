#pragma once

namespace ui::scroll {

// Mouse wheel deltas turned into scrolling: whole notches of 120 are used, the rest is
// kept for the next message, so two half notches scroll once.
class WheelAccumulator {
public:
    static constexpr int notch = 120;
    // The system's wheel setting meaning "a page per notch".
    static constexpr int pageScroll = -1;

    struct Scroll {
        int lines = 0;  // for scrollLines: negative up
        int pages = 0;  // for scrollPages: negative up
    };

    // Adds a wheel delta (positive: away from the user, which scrolls up) with the system's
    // lines per notch: (lines + 1) * notches * 1.5 lines of the list, or a page per notch
    // with pageScroll; nothing at 0.
    Scroll add(int delta, int linesPerNotch);
    void reset() { accumulated_ = 0; }
    int accumulated() const { return accumulated_; }

private:
    int accumulated_ = 0;
};

}  // namespace ui::scroll

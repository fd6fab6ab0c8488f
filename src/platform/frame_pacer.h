// Paces presents to the display's refresh when the swap does not wait for it.
#pragma once

#include <chrono>

namespace platform {

// Keeps presents to one per display refresh when the swap does not wait for the display
// (Xvfb, drivers without swap control, some minimised windows), instead of drawing frames
// nobody sees. Times come from the caller, so the decisions can be followed exactly.
class FramePacer {
public:
    using Clock = std::chrono::steady_clock;

    // A swap interval the driver refused means sleeping for good; an accepted one is
    // trusted until presents turn out to come faster than the display, and checked again
    // now and then after that, since a window that was minimised may be shown again.
    void Start(bool swapIntervalSet, Clock::time_point now);
    // The rate the display reports, 0 when it reports none.
    void SetRefreshRate(int hz);
    // A rate given by the player for a display that reports none or a wrong one; it sets
    // the pace of sleeping, while a swap that waits keeps the display's own.
    void SetGivenRate(int hz);
    bool Sleeping() const { return sleeping_; }
    void AfterSwap(Clock::time_point now);
    // When the next refresh is due; a late caller starts a new schedule.
    Clock::time_point NextRefresh(Clock::time_point now);

private:
    static constexpr int kDefaultHz = 60;
    static constexpr int kChecked = 60;
    static constexpr std::chrono::seconds kCheckAgainAfter{10};

    void Check(Clock::time_point now);
    static std::chrono::nanoseconds Period(int hz);

    int displayHz_ = 0;
    int givenHz_ = 0;
    // Between sleeps, and the shortest refresh either rate allows, which judges the swap.
    std::chrono::nanoseconds period_{1000000000 / kDefaultHz};
    std::chrono::nanoseconds shortest_{1000000000 / kDefaultHz};
    Clock::time_point due_{};
    Clock::time_point checkStart_{};
    Clock::time_point decided_{};
    int checked_ = 0;
    bool sleeping_ = true;
    bool swapIntervalSet_ = false;
};

}  // namespace platform

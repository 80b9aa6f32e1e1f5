// The process-wide pace of the docking layer's animations: the auto-hide
// slide and the floating frame's roll-up step every timer period until the
// duration has passed; the leave poll checks whether the mouse went away.
#pragma once

struct DockingAnimationSettings
{
    static constexpr double kSpeed = -1.0;  // negative: the duration decides
    static constexpr unsigned kTimerPeriod = 16;
    static constexpr unsigned kDuration = 128;
    static constexpr unsigned kLeavePoll = 100;
    static constexpr bool kAutoCollapse = true;
    static constexpr int kStripHoverTime = -1;

    static int Steps() { return kTimerPeriod ? static_cast<int>(kDuration / kTimerPeriod) : 1; }
};

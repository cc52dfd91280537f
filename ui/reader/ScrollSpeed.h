#pragma once

// The pace of the automatic scrolling: the timer interval in milliseconds; a larger number is a
// slower scroll.
namespace ScrollSpeed {

constexpr int Lowest = 10;
constexpr int Highest = 500;
constexpr int DefaultStep = 2;
// Growth of the reveal surface per tick, in twips.
constexpr double RevealStep = 20;

// The interval after a speed change: plus `step` for index 0 (slower), minus it for index 1
// (faster), then held between Lowest and Highest.
int Changed(int interval, int index, int step);

// What a left click at height y of a surface H high does: the upper third is faster, the lower
// third slower, and the middle third (both of its limits included) pauses or resumes.
enum class ClickZone { Faster, Slower, PauseOrResume };
ClickZone ZoneOf(double y, double height);

}

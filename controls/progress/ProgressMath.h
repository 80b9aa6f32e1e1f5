// The arithmetic shared by the progress bars and the progress dialog, kept
// apart from the windows. Every bound and position is a 32-bit value from a
// caller; nothing here divides by an empty range or wraps around.
#pragma once

#include <string>

namespace progress {

// Whole percent of `position` within [lower, upper], clamped to 0..100.
// An empty or inverted range gives 100 once the position reaches the upper
// bound, else 0.
int PercentOf(int position, int lower, int upper);

// Pixels of a bar `length` long that `position` fills, clamped to 0..length.
int FilledLength(int position, int lower, int upper, int length);

// The percent label of the progress dialog: "37%", "100%".
std::wstring PercentLabel(int percent);

// The dialog's caption while it shows a percentage: "Progress... 37%".
std::wstring CaptionWithPercent(const std::wstring& caption, int percent);

// The snake style's head and tail after a position change.
struct SnakeState {
  int head = 0;
  int tail = 0;
  bool reversedToggled = false;
  bool headBeyondEnd = false;
};
SnakeState MoveSnake(int current, int tail, int value, bool relative, int lower, int upper, int length);

}  // namespace progress

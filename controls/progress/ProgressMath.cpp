#include "ProgressMath.h"

#include <algorithm>
#include <cstdlib>

namespace progress {

int PercentOf(int position, int lower, int upper) {
  if (upper <= lower) return position >= upper ? 100 : 0;
  const long long span = static_cast<long long>(upper) - lower;
  const long long done = std::clamp(static_cast<long long>(position) - lower, 0LL, span);
  return static_cast<int>(done * 100 / span);
}

int FilledLength(int position, int lower, int upper, int length) {
  if (length <= 0) return 0;
  if (upper <= lower) return position >= upper ? length : 0;
  const long long span = static_cast<long long>(upper) - lower;
  const long long done = std::clamp(static_cast<long long>(position) - lower, 0LL, span);
  return static_cast<int>(done * length / span);
}

std::wstring PercentLabel(int percent) { return std::to_wstring(percent) + L"%"; }

std::wstring CaptionWithPercent(const std::wstring& caption, int percent) {
  return caption + L" " + PercentLabel(percent);
}

SnakeState MoveSnake(int current, int tail, int value, bool relative, int lower, int upper, int length) {
  SnakeState state;
  long long head;
  if (relative) {
    long long now = current;
    if (now == upper && now - tail < length) now = static_cast<long long>(tail) + length;
    head = std::llabs(static_cast<long long>(value)) + now;
  } else {
    head = value;
  }
  const long long turn = static_cast<long long>(upper) + length;
  if (head > turn) {
    head = std::min(head + lower - length - upper, turn);
    state.reversedToggled = true;
  } else if (head >= upper) {
    state.headBeyondEnd = true;
  }
  head = std::clamp(head, static_cast<long long>(INT32_MIN), static_cast<long long>(INT32_MAX));
  state.head = static_cast<int>(head);
  state.tail = static_cast<int>(std::max(head - length, static_cast<long long>(lower)));
  return state;
}

}  // namespace progress

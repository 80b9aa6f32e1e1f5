#include "MessageBoxLayout.h"

#include <algorithm>

namespace markup {

ButtonSet ButtonSetForStyle(uint32_t style) {
  using namespace mbbutton;
  const bool yesToAll = style & mbstyle::kYesToAll, noToAll = style & mbstyle::kNoToAll;
  auto yesNo = [&](ButtonSet& set) {
    set.ids.push_back(kYes);
    if (yesToAll) set.ids.push_back(kYesToAll);
    set.ids.push_back(kNo);
    if (noToAll) set.ids.push_back(kNoToAll);
  };
  ButtonSet set;
  switch (style & mbstyle::kButtonSetMask) {
    case 0: set = {{kOk}, true}; break;
    case 1: set = {{kOk, kCancel}, true}; break;
    case 2: set = {{kAbort, kRetry, kIgnore}, false}; break;
    case 3: yesNo(set); set.ids.push_back(kCancel); set.cancelAllowed = true; break;
    case 4: yesNo(set); break;
    case 5: set = {{kRetry, kCancel}, true}; break;
    case 6: set = {{kCancel, kRetry, kContinue}, true}; break;
    case 7: set = {{kContinue, kAbort}, false}; break;
    case 8: set = {{kSkip, kSkipAll, kCancel}, true}; break;
    case 9: set = {{kIgnore, kIgnoreAll, kCancel}, true}; break;
    default: set = {{kOk}, true}; break;  // a set without buttons could never be closed
  }
  return set;
}

BuiltInCaption BuiltInCaptionFor(int id) {
  switch (id) {
    case 1: return {9001, u"OK"};
    case 2: return {9002, u"Cancel"};
    case 3: return {9005, u"Abort"};
    case 4: return {9004, u"Retry"};
    case 5: return {9003, u"Ignore"};
    case 6: return {9007, u"Yes"};
    case 7: return {9008, u"No"};
    case 9: return {9006, u"Help"};
    case 10: return {9015, u"Try again"};
    case 11: return {9009, u"Continue"};
    case 14: return {9018, u"Skip"};
    case 15: return {9019, u"Skip all"};
    case 16: return {9017, u"Ignore all"};
    case 19: return {9013, u"Yes to all"};
    case 20: return {9014, u"No to all"};
    case 21: return {9016, u"Report"};
    case 30: return {9011, u"<< More"};
    case 31: return {9010, u"More >>"};
    case mbbutton::kCheckBoxCaption: return {9012, u"Do not show again"};
    case mbbutton::kCountdownFormat: return {9020, u"%s (%d seconds remaining)"};
    default: return {};
  }
}

int DefaultButtonIndex(uint32_t style, size_t buttonCount) {
  size_t index = (style & mbstyle::kDefaultButtonMask) >> 8;
  return index < buttonCount ? static_cast<int>(index) : 0;
}

std::vector<std::u16string> ParseCustomButtons(std::u16string_view text) {
  std::vector<std::u16string> captions;
  std::u16string line;
  std::u16string all;
  for (char16_t c : text) {
    if (c != u'\r') all += c;
  }
  all += u'\n';
  for (char16_t c : all) {
    if (c != u'\n') {
      line += c;
      continue;
    }
    if (!line.empty() && captions.size() < 4) captions.push_back(line);
    line.clear();
  }
  return captions;
}

Size ButtonSizeForText(Size text) { return Size{MulDiv(text.cx, 80, 45), MulDiv(text.cy, 23, 13)}; }

int ContentWidth(int widestCandidate, int buttonCount, int buttonWidth, const MessageBoxMetrics& metrics) {
  return std::max(widestCandidate, metrics.bandMargin + buttonCount * (buttonWidth + metrics.buttonGap));
}

Size WindowSizeFor(int contentWidth, int headerHeight, int bodyHeight, int buttonBandHeight, const FrameMetrics& frame) {
  return Size{contentWidth + 2 * frame.dialogFrameX,
              headerHeight + bodyHeight + buttonBandHeight + frame.captionHeight + 2 * frame.dialogFrameY};
}

std::vector<int> ButtonLefts(const Rect& client, int buttonCount, int buttonWidth, int alignment,
                             const MessageBoxMetrics& metrics) {
  std::vector<int> lefts;
  const int total = buttonCount * (buttonWidth + metrics.buttonGap) - metrics.buttonGap;
  int left = client.left + (client.Width() - total) / 2;
  if (alignment == 0) left = client.left + metrics.bandMargin;
  if (alignment == 1) left = client.right - metrics.bandMargin - total;
  for (int i = 0; i < buttonCount; ++i) lefts.push_back(left + i * (buttonWidth + metrics.buttonGap));
  return lefts;
}

int ButtonTop(const Rect& client, int buttonHeight, bool checkBoxBelow, const MessageBoxMetrics& metrics) {
  return client.bottom - metrics.bandMargin - (checkBoxBelow ? 24 : 0) - buttonHeight;
}

int TextWrapWidth(int workAreaWidth, int textMargin) {
  return std::max(100, workAreaWidth * 2 / 3 - 2 * std::max(textMargin, 0));
}

Rect PlaceInWorkArea(Size size, const Rect& over, const Rect& workArea) {
  const long long width = std::clamp<long long>(size.cx, 0, std::max(workArea.Width(), 0));
  const long long height = std::clamp<long long>(size.cy, 0, std::max(workArea.Height(), 0));
  long long left = over.left + (static_cast<long long>(over.Width()) - width) / 2;
  long long top = over.top + (static_cast<long long>(over.Height()) - height) / 2;
  left = std::clamp<long long>(left, workArea.left, workArea.right - width);
  top = std::clamp<long long>(top, workArea.top, workArea.bottom - height);
  return Rect{static_cast<int>(left), static_cast<int>(top), static_cast<int>(left + width),
              static_cast<int>(top + height)};
}

}  // namespace markup

// The arithmetic of the markup message box: its button sets, captions, default
// button, custom buttons, button placement and window size. Kept apart from the
// dialog so that it is checked without a display.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "MarkupTypes.h"

namespace markup {

namespace mbstyle {
constexpr uint32_t kButtonSetMask = 0x0000000F;
constexpr uint32_t kIconMask = 0x000000F0;
constexpr uint32_t kDefaultButtonMask = 0x00000F00;
constexpr uint32_t kHelp = 0x00004000;
constexpr uint32_t kSetForeground = 0x00010000;
constexpr uint32_t kTopmost = 0x00040000;
constexpr uint32_t kRight = 0x00080000;
constexpr uint32_t kCheckBox = 0x01000000;
constexpr uint32_t kChecked = 0x02000000;
constexpr uint32_t kCheckBoxBelow = 0x04000000;
constexpr uint32_t kYesToAll = 0x08000000;
constexpr uint32_t kNoToAll = 0x10000000;
constexpr uint32_t kNoResources = 0x20000000;
constexpr uint32_t kNoBeep = 0x40000000;
}  // namespace mbstyle

namespace mbbutton {
constexpr int kOk = 1, kCancel = 2, kAbort = 3, kRetry = 4, kIgnore = 5, kYes = 6, kNo = 7, kHelp = 9;
constexpr int kTryAgain = 10, kContinue = 11, kSkip = 14, kSkipAll = 15, kIgnoreAll = 16, kYesToAll = 19;
constexpr int kNoToAll = 20, kReport = 21, kCustomFirst = 23, kMoreOpen = 30, kMoreClosed = 31;
constexpr int kCheckBoxCaption = 0x01000000;
constexpr int kCountdownFormat = static_cast<int>(0x80000000u);
}  // namespace mbbutton

struct ButtonSet {
  std::vector<int> ids;
  bool cancelAllowed = false;
};

// The buttons of the style's low four bits, with "Yes to all"/"No to all" when asked.
ButtonSet ButtonSetForStyle(uint32_t style);

struct BuiltInCaption {
  int stringId = 0;  // 0: none
  const char16_t* english = u"";
};
// The string id and English caption of a button identifier (or of the check box
// label and the countdown format); an unknown identifier has neither.
BuiltInCaption BuiltInCaptionFor(int id);

// Index of the default button: style bits 8 to 11, 0 when not below the count.
int DefaultButtonIndex(uint32_t style, size_t buttonCount);

// Up to four non-empty lines of the custom buttons text, carriage returns dropped.
std::vector<std::u16string> ParseCustomButtons(std::u16string_view text);

// A button's size for its caption's text extent, before the 80 × 23 minimum.
Size ButtonSizeForText(Size text);

struct MessageBoxMetrics {
  int bandMargin = 11;
  int buttonGap = 11;
  int textMargin = 14;
  int separatorInset = 5;
  int checkLeft = 10;
  int checkSize = 13;
};

// The window width: the widest candidate, at least room for the buttons.
int ContentWidth(int widestCandidate, int buttonCount, int buttonWidth, const MessageBoxMetrics& metrics = {});

struct FrameMetrics {
  int dialogFrameX = 0;
  int dialogFrameY = 0;
  int captionHeight = 0;
};
Size WindowSizeFor(int contentWidth, int headerHeight, int bodyHeight, int buttonBandHeight, const FrameMetrics& frame);

// Left edges of the buttons in the client rectangle, by alignment (0 left, 1 right, 2 centred).
std::vector<int> ButtonLefts(const Rect& client, int buttonCount, int buttonWidth, int alignment,
                             const MessageBoxMetrics& metrics = {});
int ButtonTop(const Rect& client, int buttonHeight, bool checkBoxBelow, const MessageBoxMetrics& metrics = {});

// The width at which the texts of a box wrap: two thirds of the work area
// less the margins, so that a long line makes a tall box, not a wide one.
int TextWrapWidth(int workAreaWidth, int textMargin);

// A window of `size` centred on `over` and kept inside the work area (cut to
// it when larger), so that a box is never placed off-screen.
Rect PlaceInWorkArea(Size size, const Rect& over, const Rect& workArea);

}  // namespace markup

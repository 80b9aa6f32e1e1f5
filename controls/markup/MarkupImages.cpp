// Image tags of a run: "bmp" bitmaps, "icon" icons and "ilst" cells of image
// strips or of the drawer's image list.
#include "MarkupDrawer.h"
#include "MarkupScan.h"

namespace markup {
namespace {

constexpr int kMaxImageSize = 4096;

MarkupImageSource SourceOf(const MarkupImageParams& params) {
  MarkupImageSource source;
  source.resourceId = params.resourceId;
  source.moduleResourceId = params.moduleResourceId;
  source.handle = params.handle;
  source.file = params.file;
  source.moduleFile = params.moduleFile;
  return source;
}

bool HasSource(const MarkupImageParams& params) {
  return params.resourceId != 0 || params.moduleResourceId != 0 || params.handle != 0 || !params.file.empty();
}

int Scaled(int natural, int value, bool percent) {
  return Clamp(percent ? MulDiv(natural, value, 100) : value, 0, kMaxImageSize);
}

}  // namespace

MarkupImageParams CMarkupDrawer::ParseImageAttributes(std::u16string_view params) {
  MarkupImageParams image;
  size_t pos = 0;
  std::u16string name;
  while (pos < params.size()) {
    std::u16string value = NextAttribute(params, pos, name);
    if (name == u"index") image.index = ParseSize(value, image.index);
    else if (name == u"idres") image.resourceId = ParseSize(value, image.resourceId);
    else if (name == u"iddll") image.moduleResourceId = ParseSize(value, image.moduleResourceId);
    else if (name == u"handle") image.handle = value.empty() ? image.handle : static_cast<uintptr_t>(ParseCNumber(value));
    else if (name == u"cx") image.cellWidth = ParseSize(value, image.cellWidth);
    else if (name == u"cy") image.cellHeight = ParseSize(value, image.cellHeight);
    else if (name == u"speed") image.speed = ParseSize(value, image.speed);
    else if (name == u"file") { if (!value.empty()) image.file = value; }
    else if (name == u"srcdll") { if (!value.empty()) image.moduleFile = value; }
    else if (name == u"mask") {
      image.maskColor = ParseColor(value, image.maskColor);
      image.useMask = true;
    } else if (name == u"style") image.style = image.hotStyle = ParseImageStyle(value);
    else if (name == u"hotstyle") image.hotStyle = ParseImageStyle(value);
    else if (name == u"width") {
      image.widthIsPercent = IsPercent(value);
      image.width = ParseSize(value, image.width);
    } else if (name == u"height") {
      image.heightIsPercent = IsPercent(value);
      image.height = ParseSize(value, image.height);
    }
  }
  image.cellWidth = Clamp(image.cellWidth, 0, kMaxImageSize);
  image.cellHeight = Clamp(image.cellHeight, 0, kMaxImageSize);
  image.width = Clamp(image.width, 0, limits::kMaxBoxSize);
  image.height = Clamp(image.height, 0, limits::kMaxBoxSize);
  return image;
}

// Wraps before an image that does not fit, takes its space and returns its top.
void CMarkupDrawer::PlaceImageSpace(int spaceWidth, int spaceHeight, int& top) {
  int room = output_.Width() + output_.left - x_;
  if (maximumWidth_ != 0 && output_.Width() != 0 && spaceWidth > room) {
    line_.wrapped = 1;
    NewLine(1);
  }
  remainingWidth_ -= spaceWidth;
  if (measuring_) line_.alignment = style_.horizontalAlign;
  top = PlaceImage(y_, spaceHeight);
}

MarkupImageDraw CMarkupDrawer::ImageDrawArguments(const MarkupImageParams& params, int top, int width, int height,
                                                  bool shadow) const {
  MarkupImageDraw how;
  how.x = x_;
  how.y = top;
  how.width = width;
  how.height = height;
  bool hot = style_.linkKind != 0 && style_.linkNumber == hotLink_;
  how.effectBits = hot ? params.hotStyle : params.style;
  if (!enabled_) how.effectBits = (how.effectBits & 0xFF00) | 0x0008;
  how.useMask = params.useMask;
  how.maskColor = params.maskColor;
  how.shadow = shadow;
  how.shadowDx = shadow_.offsetX;
  how.shadowDy = shadow_.offsetY;
  how.blurWidth = shadow_.blurWidth;
  how.blurHeight = shadow_.blurHeight;
  how.color = enabled_ ? shadow_.color : disabledColor_;
  return how;
}

void CMarkupDrawer::DrawImageTag(int id, std::u16string_view tagParams) {
  MarkupImageParams params = ParseImageAttributes(tagParams);
  const bool shadow = ((params.style | params.hotStyle) & 0x0300) != 0;
  const bool fromImageList = id == kTagImageStrip && !HasSource(params) && imageList_ != 0;
  if (!HasSource(params) && !fromImageList) return;

  MarkupImage image;
  int width = 0, height = 0;
  bool icon = id == kTagIcon || fromImageList;
  int cellWidth = 0, cellHeight = 0, frameIndex = params.index;
  if (id == kTagBitmap || (id == kTagImageStrip && !fromImageList)) {
    image = canvas_->LoadBitmapImage(SourceOf(params));
    if (!image) return;
    if (id == kTagBitmap) {
      width = Scaled(image.width, params.width, params.widthIsPercent);
      height = Scaled(image.height, params.height, params.heightIsPercent);
    } else {
      cellWidth = params.cellWidth;
      cellHeight = params.cellHeight;
      if (cellWidth == 0 && cellHeight == 0) cellWidth = cellHeight = std::min(image.width, image.height);
      if (cellWidth == 0) cellWidth = cellHeight;
      if (cellHeight == 0) cellHeight = cellWidth;
      int columns = cellWidth > 0 ? image.width / cellWidth : 0;
      int rows = cellHeight > 0 ? image.height / cellHeight : 0;
      int frames = columns * rows;
      if (params.speed != 0) {
        if (measuring_) {
          animations_.push_back(MarkupAnimation{params.index, frames, 0, params.speed});
        } else if (static_cast<size_t>(++animationCounter_) < animations_.size()) {
          frameIndex = animations_[animationCounter_].imageIndex;
        }
      }
      if (columns == 0 || rows == 0 || frameIndex < 0 || frameIndex >= frames) {
        canvas_->ReleaseImage(image, false);
        return;
      }
      width = Scaled(cellWidth, params.width, params.widthIsPercent);
      height = Scaled(cellHeight, params.height, params.heightIsPercent);
    }
  } else if (id == kTagIcon) {
    Size system = canvas_->SystemIconSize();
    int wantedWidth = Scaled(system.cx, params.width, params.widthIsPercent);
    int wantedHeight = Scaled(system.cy, params.height, params.heightIsPercent);
    image = canvas_->LoadIconImage(SourceOf(params), wantedWidth, wantedHeight);
    if (!image) return;
    width = Clamp(image.width, 0, kMaxImageSize);
    height = Clamp(image.height, 0, kMaxImageSize);
  } else {
    if (params.index < 0 || params.index >= canvas_->ImageListCount(imageList_)) return;
    image = canvas_->ImageListIcon(imageList_, params.index);
    if (!image) return;
    width = Scaled(imageListWidth_, params.width, params.widthIsPercent);
    height = Scaled(imageListHeight_, params.height, params.heightIsPercent);
  }

  int spaceWidth = width, spaceHeight = height;
  if (shadow && width != 0 && height != 0) {
    spaceWidth += shadow_.offsetX;
    spaceHeight += shadow_.offsetY;
  }
  int top = 0;
  PlaceImageSpace(spaceWidth, spaceHeight, top);
  if (!measuring_ && width != 0 && height != 0) {
    AddHotArea(Rect{x_, top, x_ + spaceWidth, top + spaceHeight});
    MarkupImageDraw how = ImageDrawArguments(params, top, width, height, shadow);
    if (id == kTagBitmap) canvas_->DrawBitmap(image, how);
    else if (icon) canvas_->DrawIcon(image, how);
    else canvas_->DrawStripImage(image, frameIndex, cellWidth, cellHeight, how);
  }
  x_ = SaturatingAdd(x_, spaceWidth);
  canvas_->ReleaseImage(image, icon);
}

}  // namespace markup

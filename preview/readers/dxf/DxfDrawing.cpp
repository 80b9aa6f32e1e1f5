#include "DxfDrawing.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace preview {

namespace {

constexpr size_t kCandidateBytes = 511;

// One group: a code line and a value line, with the value's surrounding blanks removed.
class DxfGroupReader {
 public:
  explicit DxfGroupReader(std::string_view text) : text_(text) {}

  // False at the end of the text; `result` says why when it is a fault.
  bool Next(int& code, std::string_view& value, DxfReadResult& result) {
    std::string_view codeLine;
    if (!NextLine(codeLine)) return false;
    if (!NextLine(value)) {
      result = {DxfReadStatus::Truncated, line_};
      return false;
    }
    codeLine = Trim(codeLine);
    const auto parsed = std::from_chars(codeLine.data(), codeLine.data() + codeLine.size(), code);
    if (codeLine.empty() || parsed.ec != std::errc() || parsed.ptr != codeLine.data() + codeLine.size()) {
      result = {DxfReadStatus::BadGroupCode, line_ - 1};
      return false;
    }
    if (value.size() > kDxfMaxValueLength) {
      result = {DxfReadStatus::TooLarge, line_};
      return false;
    }
    value = Trim(value);
    return true;
  }

  size_t Line() const { return line_; }

 private:
  static std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
  }

  bool NextLine(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const size_t end = text_.find('\n', pos_);
    const size_t stop = end == std::string_view::npos ? text_.size() : end;
    line = text_.substr(pos_, stop - pos_);
    pos_ = end == std::string_view::npos ? text_.size() : end + 1;
    ++line_;
    return true;
  }

  std::string_view text_;
  size_t pos_ = 0;
  size_t line_ = 0;
};

bool ParseNumber(std::string_view value, double& number) {
  if (value.empty() || value.size() > 64) return false;
  char buffer[65];
  std::memcpy(buffer, value.data(), value.size());
  buffer[value.size()] = '\0';
  char* end = nullptr;
  errno = 0;
  number = std::strtod(buffer, &end);
  return end == buffer + value.size() && errno == 0 && std::isfinite(number);
}

bool KindOf(std::string_view name, DxfEntityKind& kind) {
  static const struct {
    const char* Name;
    DxfEntityKind Kind;
  } kKinds[] = {{"LINE", DxfEntityKind::Line},   {"CIRCLE", DxfEntityKind::Circle},
                {"ARC", DxfEntityKind::Arc},     {"POINT", DxfEntityKind::Point},
                {"LWPOLYLINE", DxfEntityKind::Polyline}, {"TEXT", DxfEntityKind::Text}};
  for (const auto& entry : kKinds) {
    if (name == entry.Name) {
      kind = entry.Kind;
      return true;
    }
  }
  return false;
}

void AddToExtents(const DxfEntity& entity, DxfExtents& extents) {
  const bool round = entity.Kind == DxfEntityKind::Circle || entity.Kind == DxfEntityKind::Arc;
  for (const DxfPoint& point : entity.Points) {
    if (round) {
      extents.Add(point.X - entity.Radius, point.Y - entity.Radius);
      extents.Add(point.X + entity.Radius, point.Y + entity.Radius);
    } else {
      extents.Add(point.X, point.Y);
    }
  }
}

// Applies one group to the entity being read; false for a number that is not one.
bool ApplyGroup(int code, std::string_view value, DxfEntity& entity, size_t& vertices) {
  double number = 0.0;
  const bool numeric = (code >= 10 && code <= 59) || code == 70;
  if (numeric && !ParseNumber(value, number)) return false;
  if (code == 8) entity.Layer.assign(value);
  if (code == 1 && entity.Kind == DxfEntityKind::Text) entity.Text.assign(value);
  if (entity.Kind == DxfEntityKind::Polyline) {
    // Each 10 starts a vertex; its 20 completes it.
    if (code == 10) {
      if (++vertices > kDxfMaxVertices) return false;
      entity.Points.push_back({number, 0.0});
    }
    if (code == 20 && !entity.Points.empty()) entity.Points.back().Y = number;
    if (code == 70) {
      // A 16-bit flag word; bit 0 closes the polyline.
      if (number < -32768.0 || number > 65535.0) return false;
      entity.Closed = (static_cast<int32_t>(number) & 1) != 0;
    }
    return true;
  }
  const size_t wanted = entity.Kind == DxfEntityKind::Line ? 2 : 1;
  if (entity.Points.size() < wanted) entity.Points.resize(wanted);
  if (code == 10) entity.Points[0].X = number;
  if (code == 20) entity.Points[0].Y = number;
  if (code == 11 && wanted == 2) entity.Points[1].X = number;
  if (code == 21 && wanted == 2) entity.Points[1].Y = number;
  if (code == 40) entity.Radius = std::fabs(number);
  if (code == 50) entity.StartAngle = number;
  if (code == 51) entity.EndAngle = number;
  return true;
}

}  // namespace

bool LooksLikeDxfWithHeader(const uint8_t* data, size_t size) {
  if (data == nullptr) return false;
  const size_t limit = std::min(size, kCandidateBytes);
  const auto* nul = static_cast<const uint8_t*>(std::memchr(data, 0, limit));
  const std::string_view text(reinterpret_cast<const char*>(data), nul ? static_cast<size_t>(nul - data) : limit);
  return text.find("SECTION") != std::string_view::npos && text.find("HEADER") != std::string_view::npos;
}

void DxfExtents::Add(double x, double y) {
  if (Empty) {
    Min = Max = {x, y};
    Empty = false;
    return;
  }
  Min.X = std::min(Min.X, x);
  Min.Y = std::min(Min.Y, y);
  Max.X = std::max(Max.X, x);
  Max.Y = std::max(Max.Y, y);
}

DxfReadResult ReadDxfDrawing(std::string_view text, DxfDrawing& drawing) {
  drawing = {};
  if (text.find('\0') != std::string_view::npos) return {DxfReadStatus::NotText, 0};
  DxfGroupReader reader(text);
  DxfReadResult result;
  bool inEntities = false;
  bool expectSectionName = false;
  bool reading = false;  // an entity of a kind we draw is open
  size_t vertices = 0;
  DxfEntity entity;
  int code = 0;
  std::string_view value;
  auto finishEntity = [&] {
    if (!reading) return;
    AddToExtents(entity, drawing.Extents);
    drawing.Entities.push_back(std::move(entity));
    entity = {};
    reading = false;
  };
  while (reader.Next(code, value, result)) {
    if (code == 0) {
      finishEntity();
      if (value == "SECTION") expectSectionName = true;
      else if (value == "ENDSEC") inEntities = false;
      else if (value == "EOF") break;
      else if (inEntities) {
        DxfEntityKind kind;
        if (KindOf(value, kind)) {
          if (drawing.Entities.size() >= kDxfMaxEntities) return {DxfReadStatus::TooLarge, reader.Line()};
          entity = {};
          entity.Kind = kind;
          reading = true;
        }
      }
      continue;
    }
    if (code == 2 && expectSectionName) {
      inEntities = value == "ENTITIES";
      expectSectionName = false;
      continue;
    }
    if (reading && !ApplyGroup(code, value, entity, vertices)) {
      return {vertices > kDxfMaxVertices ? DxfReadStatus::TooLarge : DxfReadStatus::BadNumber, reader.Line()};
    }
  }
  if (result.Status != DxfReadStatus::Ok) return result;
  finishEntity();
  return result;
}

DxfViewProperties FitExtents(const DxfExtents& extents, int width, int height) {
  DxfViewProperties view{};
  view.WindowRight = std::max(width, 1);
  view.WindowBottom = std::max(height, 1);
  view.ZoomLevel = 1.0;
  view.PixelsPerUnit = 1.0;
  if (extents.Empty) return view;
  const double spanX = extents.Max.X - extents.Min.X;
  const double spanY = extents.Max.Y - extents.Min.Y;
  const double byWidth = spanX > 0.0 ? view.WindowRight / spanX : 0.0;
  const double byHeight = spanY > 0.0 ? view.WindowBottom / spanY : 0.0;
  double scale = byWidth > 0.0 && byHeight > 0.0 ? std::min(byWidth, byHeight) : std::max(byWidth, byHeight);
  if (!std::isfinite(scale) || scale <= 0.0) scale = 1.0;
  view.PixelsPerUnit = scale;
  // The origin is the drawing point at the window's top-left pixel, the drawing
  // centred in the window.
  const double centreX = extents.Min.X / 2.0 + extents.Max.X / 2.0;
  const double centreY = extents.Min.Y / 2.0 + extents.Max.Y / 2.0;
  view.OriginX = centreX - (view.WindowRight / 2.0) / scale;
  view.OriginY = centreY - (view.WindowBottom / 2.0) / scale;
  return view;
}

}  // namespace preview

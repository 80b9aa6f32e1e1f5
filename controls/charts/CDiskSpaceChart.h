// A static control that measures one drive and draws a flat three-dimensional
// pie of used against free space with two captions and colour squares, all
// inside its own client rectangle.
#pragma once

#include <cstdint>

#include "Framework.h"
#include "PieGeometry.h"

class CDiskSpaceChart : public CStatic {
 public:
  static constexpr COLORREF kUsedColour = 0xFF8080;
  static constexpr COLORREF kFreeColour = 0xFFD3BD;

  // Stores the root ("C:\"), measures the drive and repaints.
  void SetDrive(const char* driveRoot);
  // Shows sizes measured elsewhere (or again) and repaints.
  void SetSizes(uint64_t totalBytes, uint64_t freeBytes);

  uint64_t UsedBytes() const { return usedBytes_; }
  uint64_t TotalBytes() const { return totalBytes_; }
  uint64_t FreeBytes() const { return freeBytes_; }
  // -1 while there is nothing to show.
  int UsedPercent() const;

  static CString FormatCaption(const wchar_t* label, uint64_t bytes);

 protected:
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  void QuerySizes();
  void DrawCaptions(CDC* dc, const charts::DiskPieLayout& layout);
  void DrawPie(CDC* dc, const charts::DiskPieLayout& layout);

  CString driveRoot_;
  uint64_t usedBytes_ = 0;
  uint64_t totalBytes_ = 0;
  uint64_t freeBytes_ = 0;
  int maximum_ = 100;
  int minimum_ = 0;
};

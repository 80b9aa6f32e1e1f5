// The file-system page (page 3). Its tree of found volumes and its form come with
// the Extensive Scan's file-system step; for now an empty view in its place.
#pragma once

#include "Framework.h"

class CFileSystemView : public CView {
  DECLARE_DYNCREATE(CFileSystemView)
 public:
  void OnDraw(CDC* dc) override;
};

// The scan page (page 2). Its source choice, scan panel and workers come with the
// scan step; for now the page is an empty view that keeps its place in the table.
#pragma once

#include "Framework.h"

class CSecondView_HDD : public CView {
  DECLARE_DYNCREATE(CSecondView_HDD)
 public:
  void OnDraw(CDC* dc) override;
};

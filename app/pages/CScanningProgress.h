// A form view of scanning progress on form 193. Nothing creates it, and the
// resources hold no form of that id, so creating it would fail.
#pragma once

#include "Framework.h"

class CScanningProgress : public CFormView {
  DECLARE_DYNCREATE(CScanningProgress)
 public:
  static constexpr UINT kFormId = 193;
  CScanningProgress() : CFormView(kFormId) {}
  void OnInitialUpdate() override;
};

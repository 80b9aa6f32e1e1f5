// A radio button whose text is drawn again, centred and transparent, over the
// standard control's own painting.
#pragma once

#include "Framework.h"

class CTransparentRadio : public CButton {
  DECLARE_DYNAMIC(CTransparentRadio)
 protected:
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()
};

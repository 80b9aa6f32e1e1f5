// A control of the pages is shown exactly while it is enabled.
#pragma once

#include "Framework.h"

inline void ShowEnabled(CWnd& control, bool shown) {
  control.ShowWindow(shown ? SW_SHOW : SW_HIDE);
  control.EnableWindow(shown);
}

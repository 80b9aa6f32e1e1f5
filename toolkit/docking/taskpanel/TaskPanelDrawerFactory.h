// The task panel's drawing styles by number.
#pragma once

#include <memory>

#include "CTaskPanelDrawer.h"

// Styles 0 to 12; any other number gives style 2.
std::unique_ptr<CTaskPanelDrawer> CreateTaskPanelDrawer(int nStyle, CKitTaskPanel* pPanel);

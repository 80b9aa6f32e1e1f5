// Arrangements the docking tests share: three panes left of and below the
// view (two of them tabbed), one auto-hidden on the right and one floating.
#pragma once

#include "core/StoredArrangement.h"

kit::docking::StoredNode SamplePane(int32_t id, std::u16string title, int32_t holder);
kit::docking::StoredNode SampleContainer(int32_t type, std::vector<int32_t> children);
kit::docking::StoredArrangement SampleArrangement();

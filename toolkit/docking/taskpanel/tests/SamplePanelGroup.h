// A group that uses every stored key with a value other than its default:
// three items, one of them hidden, with margins that keep some sides at the
// drawing style's default.
#pragma once

#include "core/TaskPanelModel.h"

void FillSample(kit::taskpanel::Group& group);
// Every stored field of the two items is the same (gtest expectations).
void ExpectSameItem(const kit::taskpanel::GroupItem& a, const kit::taskpanel::GroupItem& b);

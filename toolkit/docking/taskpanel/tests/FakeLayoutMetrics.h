// A drawing style for layout tests with distinct margins on every side; text
// items are 18 pixels high and as wide as they may be, captions 25.
#pragma once

#include "core/GroupLayout.h"

class FakeLayoutMetrics : public kit::taskpanel::LayoutMetrics
{
public:
    using Group = kit::taskpanel::Group;
    using GroupItem = kit::taskpanel::GroupItem;

    kit::KitRect GroupOuterMargins(const Group&) override { return {2, 3, 4, 5}; }
    kit::KitRect GroupInnerMargins(const Group&) override { return {6, 7, 8, 9}; }
    kit::KitRect ItemOuterMargins(const GroupItem&) override { return {1, 1, 1, 2}; }
    kit::KitRect ImageItemOffset() override { return {6, 6, 6, 6}; }
    kit::KitRect MeasureItem(const GroupItem&, const kit::KitRect& bounds) override
    {
        return {bounds.left, bounds.top, bounds.right, bounds.top + 18};
    }
    int MeasureCaption(const Group&) override { return 25; }
};

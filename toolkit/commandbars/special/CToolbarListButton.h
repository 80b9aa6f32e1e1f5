// An item of the toolbar list: its tag is the index of its toolbar in the
// command bars, and a click shows or hides that toolbar (no command is sent).
#pragma once

#include "CKitControl.h"

class CToolbarListButton : public CKitControlButton
{
public:
    void Execute() override;

protected:
    CKitControl* CreateSameKind() const override { return new CToolbarListButton; }
};

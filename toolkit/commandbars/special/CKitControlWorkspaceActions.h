// The tab-group actions placeholder: in an MDI frame whose client shows tab
// groups it lists the available group moves after itself; without such a
// client it stays as it is (this program's frame has none).
#pragma once

#include "CKitControl.h"

class CKitControlWorkspaceActions : public CKitControlButton
{
    DECLARE_SERIAL(CKitControlWorkspaceActions)
public:
    void PrepareLayout(DWORD dwMode) override;

protected:
    CKitControl* CreateSameKind() const override { return new CKitControlWorkspaceActions; }
};

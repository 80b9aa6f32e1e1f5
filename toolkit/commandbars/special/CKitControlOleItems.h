// The OLE-verbs placeholder: outside customization it hides itself and, for
// a view whose document is an OLE document with a selected embedded item,
// puts a popup of the item's verbs after itself.
#pragma once

#include "CKitControl.h"

class CKitControlOleItems : public CKitControlButton
{
    DECLARE_SERIAL(CKitControlOleItems)
public:
    void PrepareLayout(DWORD dwMode) override;
    BOOL AcceptsCustomizeDrop(CKitCommandBar* pBar, CPoint point, int& nEffect) override;

protected:
    CKitControl* CreateSameKind() const override { return new CKitControlOleItems; }
};

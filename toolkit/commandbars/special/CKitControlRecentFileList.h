// The recent-file placeholder: at each layout it hides itself and inserts
// one temporary button per entry of the application's recent-file list
// ("&1 name", command ids from GetFirstCommandId); in customization the
// items go and the placeholder shows, greyed while the list is empty.
#pragma once

#include "CKitControl.h"

class CRecentFileList;

class CKitControlRecentFileList : public CKitControlButton
{
    DECLARE_SERIAL(CKitControlRecentFileList)
public:
    CKitControlRecentFileList() = default;

    // The framework application's list, or null.
    virtual CRecentFileList* GetRecentFileList();
    virtual int GetFirstCommandId() { return 0xE110; }
    void PrepareLayout(DWORD dwMode) override;
    BOOL AcceptsCustomizeDrop(CKitCommandBar* pBar, CPoint point, int& nEffect) override;

protected:
    CKitControl* CreateSameKind() const override { return new CKitControlRecentFileList; }
};

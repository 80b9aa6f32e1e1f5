// CCommandImageList: an image list whose image i stands for command id
// first id + i, with the command icons made for those ids.
#pragma once

#include "Framework.h"
#include "core/IconKeyMap.h"

class CCommandIcon;

class CCommandImageList
{
public:
    CCommandImageList(HIMAGELIST hImageList, UINT nFirstID, BOOL bOwns);
    ~CCommandImageList();
    CCommandImageList(const CCommandImageList&) = delete;
    CCommandImageList& operator=(const CCommandImageList&) = delete;

    BOOL ContainsId(UINT nID) const;
    // The icon of the id at the list's icon size, made on first request.
    CCommandIcon* GetIcon(UINT nID);
    void Draw(CDC* pDC, int x, int y, CCommandIcon* pIcon, int cx, int cy);
    void ReleaseIcons();

    HIMAGELIST m_hImageList;
    BOOL m_bOwns;
    UINT m_nFirstID;

private:
    kit::IconKeyMap<CCommandIcon*> m_icons;
};

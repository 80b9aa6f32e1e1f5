#include "CCommandImageList.h"

#include "CCommandIcon.h"

CCommandImageList::CCommandImageList(HIMAGELIST hImageList, UINT nFirstID, BOOL bOwns)
    : m_hImageList(hImageList), m_bOwns(bOwns), m_nFirstID(nFirstID)
{
}

CCommandImageList::~CCommandImageList()
{
    if (m_bOwns && m_hImageList != nullptr)
        ::ImageList_Destroy(m_hImageList);
    ReleaseIcons();
}

BOOL CCommandImageList::ContainsId(UINT nID) const
{
    return nID >= m_nFirstID && nID - m_nFirstID < static_cast<UINT>(::ImageList_GetImageCount(m_hImageList));
}

CCommandIcon* CCommandImageList::GetIcon(UINT nID)
{
    if (CCommandIcon** ppIcon = m_icons.Find(nID))
        return *ppIcon;
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(m_hImageList, &cx, &cy);
    auto* pIcon = new CCommandIcon(nID, cx, cy, this);
    m_icons.Set(nID, pIcon);
    return pIcon;
}

void CCommandImageList::Draw(CDC* pDC, int x, int y, CCommandIcon* pIcon, int cx, int cy)
{
    ::ImageList_DrawEx(m_hImageList, static_cast<int>(pIcon->GetID() - m_nFirstID), pDC->GetSafeHdc(), x, y, cx, cy,
                       CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
}

void CCommandImageList::ReleaseIcons()
{
    m_icons.ForEach([](UINT, CCommandIcon* pIcon) { pIcon->InternalRelease(); });
    m_icons.Clear();
}

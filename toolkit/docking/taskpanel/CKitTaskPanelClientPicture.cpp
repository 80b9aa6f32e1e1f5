// A picture in the bottom-right corner of a group's client area (a
// watermark behind the items).
#include "CKitTaskPanel.h"

using namespace kit::taskpanel;

namespace {

class ClientPicture : public ItemAttachment
{
public:
    ClientPicture(HIMAGELIST hImageList, CSize size) : m_hImageList(hImageList), m_size(size) {}
    ~ClientPicture() override
    {
        if (m_hImageList)
            ::ImageList_Destroy(m_hImageList);
    }

    HIMAGELIST m_hImageList;
    CSize m_size;
};

}  // namespace

BOOL CKitTaskPanel::SetGroupClientPicture(Group* pGroup, HIMAGELIST hImageList)
{
    if (!pGroup)
        return FALSE;
    pGroup->attachment.reset();
    if (hImageList)
    {
        // A copy of its own, so the caller's list may go.
        HIMAGELIST hCopy = ::ImageList_Duplicate(hImageList);
        int cx = 0;
        int cy = 0;
        if (!hCopy || !::ImageList_GetIconSize(hCopy, &cx, &cy))
        {
            if (hCopy)
                ::ImageList_Destroy(hCopy);
            return FALSE;
        }
        pGroup->attachment = std::make_unique<ClientPicture>(hCopy, CSize(cx, cy));
    }
    if (GetSafeHwnd() && m_nLockCount == 0)
        Invalidate();
    return TRUE;
}

void CKitTaskPanel::DrawGroupClientPicture(CDC* pDC, const Group& group, CRect rect)
{
    const auto* pPicture = dynamic_cast<const ClientPicture*>(group.attachment.get());
    if (!pPicture || ::ImageList_GetImageCount(pPicture->m_hImageList) != 1)
        return;
    ::ImageList_Draw(pPicture->m_hImageList, 0, pDC->GetSafeHdc(), rect.right - pPicture->m_size.cx,
                     rect.bottom - pPicture->m_size.cy, ILD_NORMAL);
}

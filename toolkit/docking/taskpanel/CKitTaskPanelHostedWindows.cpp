// Items of the control type host a child window of the application. The
// window shows where the item lies while its group is at rest and the item
// in view; while the group moves, a picture of the window stands in for it.
#include <algorithm>

#include "CKitTaskPanel.h"
#include "DeviceContexts.h"
#include "core/GroupPlacement.h"

using namespace kit::taskpanel;

namespace {

// The hosted window and its picture. The window belongs to the application:
// when the item goes, the window is only hidden.
class HostedWindow : public ItemAttachment
{
public:
    explicit HostedWindow(HWND hWnd) : m_hWnd(hWnd) {}
    ~HostedWindow() override
    {
        if (::IsWindow(m_hWnd))
            ::ShowWindow(m_hWnd, SW_HIDE);
        DeleteSnapshot();
    }
    void DeleteSnapshot()
    {
        if (m_hSnapshot)
            ::DeleteObject(m_hSnapshot);
        m_hSnapshot = nullptr;
        m_size = CSize(0, 0);
    }

    HWND m_hWnd;
    HBITMAP m_hSnapshot = nullptr;
    CSize m_size{0, 0};
};

HostedWindow* HostedOf(const GroupItem& item)
{
    return item.type == kTypeControl ? dynamic_cast<HostedWindow*>(item.attachment.get()) : nullptr;
}

// The window painted into a bitmap over the item's background colour.
HBITMAP TakeWindowSnapshot(HWND hWnd, COLORREF crBackground)
{
    if (!::IsWindow(hWnd))
        return nullptr;
    CRect window;
    ::GetWindowRect(hWnd, &window);
    if (window.IsRectEmpty())
        return nullptr;
    CClientDC windowDC(CWnd::FromHandle(hWnd));
    CBitmap frame;
    CBitmap picture;
    if (!frame.CreateCompatibleBitmap(&windowDC, window.Width(), window.Height()) ||
        !picture.CreateCompatibleBitmap(&windowDC, window.Width(), window.Height()))
        return nullptr;
    {
        CBitmapDC frameDC(&windowDC, &frame);
        frameDC.FillSolidRect(0, 0, window.Width(), window.Height(), crBackground);
        ::SendMessageW(hWnd, WM_PRINT, reinterpret_cast<WPARAM>(frameDC.GetSafeHdc()), PRF_NONCLIENT);
        CBitmapDC pictureDC(&windowDC, &picture);
        pictureDC.BitBlt(0, 0, window.Width(), window.Height(), &frameDC, 0, 0, SRCCOPY);
        CPoint client(0, 0);
        ::ClientToScreen(hWnd, &client);
        pictureDC.SetViewportOrg(client.x - window.left, client.y - window.top);
        ::SendMessageW(hWnd, WM_PRINT, reinterpret_cast<WPARAM>(pictureDC.GetSafeHdc()),
                       PRF_ERASEBKGND | PRF_CHILDREN | PRF_CLIENT);
    }
    return static_cast<HBITMAP>(picture.Detach());
}

}  // namespace

GroupItem* CKitTaskPanel::AddWindowItem(Group* pGroup, HWND hWnd, CSize size)
{
    GroupItem* pItem = AddItem(pGroup, kTypeControl, L"");
    if (!pItem)
        return nullptr;
    pItem->itemSize = {size.cx, size.cy};
    pItem->attachment = std::make_unique<HostedWindow>(hWnd);
    Relayout(FALSE);
    return pItem;
}

HWND CKitTaskPanel::GetHostedWindow(const GroupItem& item) const
{
    const HostedWindow* pHosted = HostedOf(item);
    return pHosted ? pHosted->m_hWnd : nullptr;
}

void CKitTaskPanel::PlaceHostedWindow(Group& group, GroupItem& item)
{
    HostedWindow* pHosted = HostedOf(item);
    if (!pHosted || !::IsWindow(pHosted->m_hWnd) || !GetSafeHwnd())
        return;
    const HWND hWnd = pHosted->m_hWnd;
    if (!item.visible || !group.visible || GetGroupItemLayout(group) == kImageLayout)
    {
        pHosted->DeleteSnapshot();
        ::ShowWindow(hWnd, SW_HIDE);
        return;
    }
    const CRect outer = m_pDrawer->GetItemOuterMargins(item);
    const CRect inner = m_pDrawer->GetGroupInnerMargins(group);
    const CRect client = GetGroupClientRect(group);
    int width = client.Width() - outer.left - outer.right - inner.left - inner.right;
    if (item.itemSize.cx != 0 && item.itemSize.cx < width)
        width = item.itemSize.cx;
    const int height = item.itemRect.Height();
    const int x = item.itemRect.left;
    const int y = client.top + item.itemRect.top - GetScrollPosition() - GetGroupScrollOffset(group);

    const BOOL bAtRest = !group.expanding && IsGroupExpanded(&group) &&
                         client.Height() == GetGroupClientRect(group, TRUE).Height();
    if (bAtRest)
    {
        const int innerTop = inner.top;
        const BOOL bInView = IsItemInViewport(group, item, false, MakePlacement(FALSE), innerTop);
        if (bInView)
            ::SetWindowPos(hWnd, nullptr, x, y, width, height,
                           SWP_NOACTIVATE | SWP_NOZORDER | SWP_SHOWWINDOW);
        else
            ::ShowWindow(hWnd, SW_HIDE);
        pHosted->DeleteSnapshot();
        return;
    }
    // Moving or collapsed: a picture stands in for the window.
    if (!::IsWindowVisible(hWnd) && pHosted->m_hSnapshot && pHosted->m_size == CSize(width, height))
        return;
    pHosted->DeleteSnapshot();
    if (height > 0)
    {
        ::SetWindowPos(hWnd, nullptr, x, -height, width, height, SWP_NOACTIVATE | SWP_NOZORDER | SWP_SHOWWINDOW);
        pHosted->m_hSnapshot = TakeWindowSnapshot(hWnd, m_pDrawer->GetItemBackgroundColor(item));
        pHosted->m_size = CSize(width, height);
    }
    ::ShowWindow(hWnd, SW_HIDE);
}

void CKitTaskPanel::DrawHostedWindowItem(CDC* pDC, const GroupItem& item, CRect rect)
{
    const HostedWindow* pHosted = HostedOf(item);
    if (!pHosted || !pHosted->m_hSnapshot || ::IsWindowVisible(pHosted->m_hWnd))
        return;
    pDC->DrawState(rect.TopLeft(), CSize(rect.Width(), rect.Height()), pHosted->m_hSnapshot, DST_BITMAP | DSS_NORMAL);
}

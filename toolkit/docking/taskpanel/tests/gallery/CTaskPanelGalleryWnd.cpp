#include "CTaskPanelGalleryWnd.h"

#include "CCommandIconStore.h"

namespace {

void AddLink(CKitTaskPanel& panel, CKitTaskPanel::Group* pGroup, LPCWSTR lpszCaption, int nIcon, int nID)
{
    CKitTaskPanel::GroupItem* pItem = panel.AddItem(pGroup, kit::taskpanel::kTypeLink, lpszCaption, nIcon, nID);
    pItem->dragText = reinterpret_cast<const char16_t*>(lpszCaption);
}

// Small square icons of plain colours for the sample items.
void AddSampleIcons(CCommandIconStore& store)
{
    const COLORREF colours[] = {RGB(200, 40, 40), RGB(40, 150, 40), RGB(40, 40, 200), RGB(200, 150, 0)};
    HIMAGELIST hList = ::ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 0);
    HDC hScreen = ::GetDC(nullptr);
    for (const COLORREF colour : colours)
    {
        HDC hDC = ::CreateCompatibleDC(hScreen);
        HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 16, 16);
        HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
        RECT all{0, 0, 16, 16};
        HBRUSH hMask = ::CreateSolidBrush(RGB(255, 0, 255));
        ::FillRect(hDC, &all, hMask);
        RECT inner{2, 2, 14, 14};
        HBRUSH hFill = ::CreateSolidBrush(colour);
        ::FillRect(hDC, &inner, hFill);
        ::SelectObject(hDC, hOld);
        ::ImageList_AddMasked(hList, hBitmap, RGB(255, 0, 255));
        ::DeleteObject(hFill);
        ::DeleteObject(hMask);
        ::DeleteObject(hBitmap);
        ::DeleteDC(hDC);
    }
    ::ReleaseDC(nullptr, hScreen);
    const UINT ids[] = {1, 2, 3, 4};
    store.SetIconsFromImageList(hList, ids, 4, 16, 16);
    ::ImageList_Destroy(hList);
}

}  // namespace

DROPEFFECT COtherProgramDropTarget::OnDragOver(CWnd*, COleDataObject* pDataObject, DWORD, CPoint)
{
    return pDataObject && pDataObject->IsDataAvailable(CF_TEXT) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

BOOL COtherProgramDropTarget::OnDrop(CWnd*, COleDataObject* pDataObject, DROPEFFECT, CPoint)
{
    m_bSawPanelFormat = pDataObject->IsDataAvailable(static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"TaskPanelGroupItem")));
    HGLOBAL hText = pDataObject->GetGlobalData(CF_TEXT);
    if (!hText)
        return FALSE;
    const SIZE_T size = ::GlobalSize(hText);
    if (const char* pText = static_cast<const char*>(::GlobalLock(hText)))
    {
        m_strDropped.assign(pText, strnlen(pText, size));
        ::GlobalUnlock(hText);
    }
    ::GlobalFree(hText);
    return TRUE;
}

BEGIN_MESSAGE_MAP(CTaskPanelGalleryWnd, CWnd)
  ON_MESSAGE(WM_TASKPANEL_NOTIFY, OnTaskPanelNotify)
END_MESSAGE_MAP()

BOOL CTaskPanelGalleryWnd::CreateGallery(int x, int y, int nStyle)
{
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | WS_CLIPCHILDREN;
    CRect rect(x, y, x + 2 * kPanelWidth + 140, y + 420);
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE));
    if (!CreateEx(0, lpszClass, L"Task panel gallery", style, rect, nullptr, 0))
        return FALSE;
    CRect client;
    GetClientRect(client);
    m_left.SelectPanelStyle(nStyle);
    m_right.SelectPanelStyle(nStyle);
    const DWORD panelStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    if (!m_left.Create(panelStyle, CRect(0, 0, kPanelWidth, client.bottom), this, kLeftPanel) ||
        !m_right.Create(panelStyle, CRect(kPanelWidth + 10, 0, 2 * kPanelWidth + 10, client.bottom), this,
                        kRightPanel) ||
        !m_other.CreateEx(WS_EX_CLIENTEDGE, AfxRegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_WINDOW)),
                          L"Other program", WS_CHILD | WS_VISIBLE,
                          CRect(2 * kPanelWidth + 20, 10, client.right - 10, 110), this, 303))
        return FALSE;
    m_otherTarget.Register(&m_other);
    return TRUE;
}

void CTaskPanelGalleryWnd::FillSamples()
{
    for (CKitTaskPanel* pPanel : {&m_left, &m_right})
    {
        AddSampleIcons(*pPanel->GetIconStore());
        pPanel->AllowDrag(kit::taskpanel::kDragDefault);
        pPanel->SetAnimation(0);
    }
    m_left.LockUpdate(TRUE);
    CKitTaskPanel::Group* pTasks = m_left.AddGroup(L"Recovery tasks", -1, 10);
    pTasks->special = true;
    AddLink(m_left, pTasks, L"Scan drive", 1, 11);
    AddLink(m_left, pTasks, L"Open snapshot", 2, 12);
    AddLink(m_left, pTasks, L"Save files", 3, 13);
    CKitTaskPanel::Group* pDetails = m_left.AddGroup(L"Details", -1, 20);
    m_left.AddItem(pDetails, kit::taskpanel::kTypeText, L"NTFS volume, 12,345 files found", -1, 21);
    AddLink(m_left, pDetails, L"Drive information", 4, 22);
    CKitTaskPanel::Group* pDrives = m_left.AddGroup(L"Drives", -1, 30);
    pDrives->layout = 1;
    for (int i = 0; i < 6; ++i)
        AddLink(m_left, pDrives, L"Drive", 1 + i % 4, 31 + i);
    m_left.LockUpdate(FALSE);

    CKitTaskPanel::Group* pFavourites = m_right.AddGroup(L"Favourites", -1, 40);
    AddLink(m_right, pFavourites, L"Recent scan", 2, 41);
}

LRESULT CTaskPanelGalleryWnd::OnTaskPanelNotify(WPARAM wParam, LPARAM lParam)
{
    Notification notification{wParam, lParam, FALSE};
    if (wParam == kTpnGroupExpanding)
    {
        const auto* pInfo = reinterpret_cast<const TaskPanelExpandingInfo*>(lParam);
        notification.param = reinterpret_cast<LPARAM>(pInfo->pGroup);
        notification.expand = pInfo->bExpanding;
        m_notifications.push_back(notification);
        return m_bVetoExpand ? -1 : 0;
    }
    m_notifications.push_back(notification);
    return 0;
}

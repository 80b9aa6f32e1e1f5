#include "CColorsPage.h"

#include "CColorTable.h"
#include "CDrawTools.h"
#include "CSharedMetrics.h"
#include "DeviceContexts.h"
#include "GdiSelectors.h"

CColorsPage::CColorsPage() : m_pTips(new CScreenTipContext) {}

CColorsPage::~CColorsPage()
{
    m_pPopup.reset();
    m_pTips->InternalRelease();
}

CRect CColorsPage::SwatchRect(int slot)
{
    const int column = slot % kColumns;
    const int row = slot / kColumns;
    const int left = kMargin + column * (kSwatchWidth + kGap);
    const int top = kMargin + row * (kSwatchHeight + kGap);
    return CRect(left, top, left + kSwatchWidth, top + kSwatchHeight);
}

CRect CColorsPage::GradientRect(int number)
{
    const int index = number - 1;
    const int left = kMargin + (index % 2) * (kGradientWidth + kGap * 2);
    const int top = kGradientTop + (index / 2) * (kGradientHeight + kGap * 2);
    return CRect(left, top, left + kGradientWidth, top + kGradientHeight);
}

INT_PTR CColorsPage::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const
{
    for (int slot = 0; slot < kit::kColorSlotCount; ++slot) {
        const CRect rect = SwatchRect(slot);
        if (!rect.PtInRect(point))
            continue;
        CString text;
        text.Format(L"Slot %d", slot);
        FillToolInfo(pTI, m_hWnd, rect, static_cast<UINT_PTR>(slot + 1), text);
        return slot + 1;
    }
    for (int number = 1; number <= kit::kStyleGradientCount; ++number) {
        const CRect rect = GradientRect(number);
        if (!rect.PtInRect(point))
            continue;
        CString text;
        text.Format(L"Gradient %d", number);
        FillToolInfo(pTI, m_hWnd, rect, kGradientToolBase + number, text);
        return static_cast<INT_PTR>(kGradientToolBase + number);
    }
    return -1;
}

void CColorsPage::Paint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CColorTable* pTable = GetColorTable();
    CUiMemDC dc(pDC, client);
    dc.FillSolidRect(&client, pTable->GetColor(COLOR_BTNFACE));
    for (int slot = 0; slot < kit::kColorSlotCount; ++slot) {
        CRect rect = SwatchRect(slot);
        dc.FillSolidRect(&rect, pTable->GetColor(slot));
        CRect label = rect;
        label.top = label.bottom - 12;
        label.right = label.left + 18;
        dc.FillSolidRect(&label, kClrWhite);
        CFontSelector font(&dc, &GetSharedMetrics()->m_fontNormal);
        CString text;
        text.Format(L"%d", slot);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(kClrBlack);
        dc.DrawText(text, &label, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }
    for (int number = 1; number <= kit::kStyleGradientCount; ++number) {
        CRect rect = GradientRect(number);
        CDrawTools::FillStyleGradient(&dc, &rect, pTable->gradients[number - 1], TRUE);
    }
}

LRESULT CColorsPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_pTips->FilterMouseMessage(this, message, wParam, lParam);
    switch (message) {
    case WM_PAINT: {
        CPaintDC dc(this);
        Paint(&dc);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        RefreshColorTable();
        Invalidate();
        break;
    default:
        break;
    }
    return CGalleryPage::WindowProc(message, wParam, lParam);
}

void CColorsPage::OpenPopup(int slot)
{
    ClosePopup();
    CRect rect = SwatchRect(slot);
    ClientToScreen(&rect);
    rect.OffsetRect(0, rect.Height());
    rect.right = rect.left + 120;
    rect.bottom = rect.top + 80;
    m_pPopup = std::make_unique<CGalleryPopup>(this);
    if (!m_pPopup->Open(rect))
        m_pPopup.reset();
}

void CColorsPage::ClosePopup()
{
    m_pPopup.reset();
}

CGalleryPopup::~CGalleryPopup()
{
    CPopupMouseTracker::GetThreadTracker()->RemoveTrackedPopup(this);
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CGalleryPopup::Open(const RECT& rcScreen)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursorW(nullptr, IDC_ARROW));
    if (!CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, lpszClass, L"Gallery popup", WS_POPUP | WS_BORDER,
                  rcScreen.left, rcScreen.top, rcScreen.right - rcScreen.left, rcScreen.bottom - rcScreen.top,
                  m_pPage->GetTopLevelParent()->GetSafeHwnd(), nullptr))
        return FALSE;
    ShowWindow(SW_SHOWNOACTIVATE);
    CPopupMouseTracker::GetThreadTracker()->AddTrackedPopup(this);
    return TRUE;
}

int CGalleryPopup::HitTestWindow(POINT ptScreen)
{
    CRect rect;
    GetWindowRect(&rect);
    return rect.PtInRect(ptScreen) ? 1 : -2;
}

void CGalleryPopup::OnTrackedMouseMove(UINT, CPoint ptClient)
{
    ++m_nMovesSeen;
    CRect client;
    GetClientRect(&client);
    m_bHot = client.PtInRect(ptClient);
}

void CGalleryPopup::EndTracking()
{
    CPopupMouseTracker::GetThreadTracker()->RemoveTrackedPopup(this);
    if (GetSafeHwnd())
        ShowWindow(SW_HIDE);
}

LRESULT CGalleryPopup::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        CDrawTools::FillStyleGradient(&dc, &client, GetColorTable()->gradients[3], FALSE);
        return 0;
    }
    if (message == WM_MOUSEACTIVATE)
        return MA_NOACTIVATE;
    return CWnd::WindowProc(message, wParam, lParam);
}

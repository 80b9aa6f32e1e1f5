#include "CKitDialogBar.h"

#include "CCommandBarDrawer.h"
#include "CKitPopupBar.h"
#include "CToolBarControls.h"
#include "GdiSelectors.h"
#include "core/ControlLayout.h"
#include "core/PopupPlacement.h"

using namespace kit::commandbars;

IMPLEMENT_DYNCREATE(CKitDialogBar, CKitToolBar)

namespace
{

constexpr int kCaptionButton = 16;
constexpr int kFloatingLength = 32000;
constexpr int kSizingBorder = 3;
constexpr DWORD kCaptionFlags = 0x1E;  // opens left, no keyboard, updated by hand, not customizable

// The caption of a dialog bar: its text, and a menu when it has one.
class CDialogBarCaptionPopup : public CKitControlPopup
{
public:
    CDialogBarCaptionPopup() : CKitControlPopup(kControlPopup) { m_dwFlags = kCaptionFlags; }

    CSize GetSize(CDC* /*pDC*/) override { return m_rcControl.Size(); }
    BOOL HasMenu() const
    {
        auto* pBar = dynamic_cast<CKitDialogBar*>(m_pParent);
        CKitCommandBar* pPopup = const_cast<CDialogBarCaptionPopup*>(this)->GetCommandBar();
        return pBar != nullptr && pBar->m_bCaptionMenuEnabled && pPopup != nullptr &&
               pPopup->GetControls()->GetCount() > 0;
    }
    void Draw(CDC* pDC) override
    {
        const BOOL bMenu = HasMenu();
        if (bMenu)
            GetDrawer()->FillControlBackground(pDC, this);
        pDC->SetBkMode(TRANSPARENT);
        CRect rcText = m_rcControl;
        rcText.DeflateRect(2, 0, bMenu ? 15 : 2, 0);
        CFontSelector font(pDC, GetDrawer()->FontForControl(m_pParent, FALSE));
        pDC->DrawText(GetCaption(), &rcText, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        if (bMenu)
        {
            const int x = m_rcControl.right - 10;
            const int y = m_rcControl.CenterPoint().y - 2;
            CCommandBarDrawer::FillTriangleLiteral(pDC, {x - 4, y}, {x + 4, y}, {x, y + 4}, ::GetTextColor(pDC->m_hDC));
        }
    }
    BOOL SetPopupOpen(BOOL bOpen) override { return bOpen && !HasMenu() ? FALSE : CKitControlPopup::SetPopupOpen(bOpen); }

protected:
    CKitControl* CreateSameKind() const override { return new CDialogBarCaptionPopup; }
};

// The close button of a dialog bar: a Marlett cross on the control's background.
class CDialogBarCloseButton : public CBarCloseButton
{
public:
    void Draw(CDC* pDC) override { DrawWindowButtonGlyph(pDC, this, L"r"); }

protected:
    CKitControl* CreateSameKind() const override { return new CDialogBarCloseButton; }
};

}  // namespace

CKitDialogBar::CKitDialogBar()
{
    m_bCustomizable = FALSE;
    m_pCaptionPopup = CKitPopupBar::NewPopupBar(nullptr);
}

CKitDialogBar::~CKitDialogBar()
{
    if (m_pCaptionPopup != nullptr)
        m_pCaptionPopup->InternalRelease();
}

void CKitDialogBar::SetClientWindow(HWND hWnd)
{
    m_hClient = hWnd;
    RepositionClient();
}

void CKitDialogBar::SetCaption(const CString& strCaption)
{
    m_strCaption = strCaption;
    DelayLayout();
}

int CKitDialogBar::MeasureCaption()
{
    if (!m_bCaptionVisible)
        return 0;
    CClientDC dc(this);
    return ResolveDrawer()->DrawGripper(&dc, this, FALSE).cy;
}

CRect CKitDialogBar::GetClientMargins()
{
    return CRect(m_rcMargins.left, m_rcMargins.top + MeasureCaption(), m_rcMargins.right, m_rcMargins.bottom);
}

CSize CKitDialogBar::CalcDialogBarSize(int nLength, DWORD dwMode, CSize szClient)
{
    CSize size(szClient.cx + m_rcMargins.left + m_rcMargins.right, szClient.cy + m_rcMargins.top + m_rcMargins.bottom);
    if (!m_bCaptionVisible)
        return size;
    m_nCaptionHeight = MeasureCaption();
    size.cy += m_nCaptionHeight;
    if ((dwMode & kLayoutStretch) != 0)
    {
        if ((dwMode & kLayoutVertDock) != 0)
            size.cy = std::max(static_cast<int>(size.cy), nLength);
        else
            size.cx = std::max(static_cast<int>(size.cx), nLength);
    }
    if ((dwMode & 0x02) != 0)
        size.cx = std::min(static_cast<int>(size.cx), nLength);
    else
        size.cy = std::min(static_cast<int>(size.cy), nLength);
    return size;
}

void CKitDialogBar::PlaceCaptionControls(CSize szBar)
{
    const int nMiddle = m_rcMargins.top + m_nCaptionHeight / 2 - kCaptionButton / 2;
    int nRight = szBar.cx - m_rcMargins.right;
    CKitControl* pClose = m_controls.FindControl(kBarCloseId);
    if (m_bCloseable && m_bCaptionVisible)
    {
        if (pClose == nullptr)
            pClose = m_controls.Add(new CDialogBarCloseButton, kBarCloseId, CString(), -1, TRUE);
        pClose->SetHideFlags(0);
        pClose->SetRect(CRect(nRight - kCaptionButton, nMiddle, nRight, nMiddle + kCaptionButton));
        nRight -= kCaptionButton;
    }
    else if (pClose != nullptr)
    {
        pClose->SetHideFlags(kHideByProgram);
    }
    auto* pCaption = static_cast<CDialogBarCaptionPopup*>(m_controls.FindControl(kDialogBarCaptionId));
    if (pCaption == nullptr)
    {
        pCaption = new CDialogBarCaptionPopup;
        m_controls.Add(pCaption, kDialogBarCaptionId, CString(), -1, TRUE);
        m_pCaptionPopup->InternalAddRef();
        pCaption->SetCommandBar(m_pCaptionPopup);
    }
    pCaption->m_strCaption = m_strCaption.IsEmpty() ? m_strTitle : m_strCaption;
    pCaption->SetHideFlags(m_bCaptionVisible ? 0 : kHideByProgram);
    CClientDC dc(this);
    const int nLeft = m_rcMargins.left + ResolveDrawer()->DrawGripper(&dc, this, FALSE).cx;
    pCaption->SetRect(CRect(nLeft, nMiddle, nRight, nMiddle + kCaptionButton));
    // Its menu opens below it, right edges lined up.
    m_pCaptionPopup->SetPopupDirection(kPopupExtendLeft | kPopupDropDown);
}

CSize CKitDialogBar::CalcDynamicLayout(int /*nLength*/, DWORD dwMode)
{
    const CSize size = CalcDialogBarSize(kFloatingLength, dwMode, m_szFloatingClient);
    PlaceCaptionControls(size);
    return size;
}

CSize CKitDialogBar::CalcDockedSize(int nLength, DWORD dwMode)
{
    const CSize size = CalcDialogBarSize(nLength, dwMode, m_szDockingClient);
    PlaceCaptionControls(size);
    return size;
}

void CKitDialogBar::OnResizeTrack(const CRect& rcWindow, int nHitCode)
{
    if (rcWindow.Width() < m_szMinClient.cx || rcWindow.Height() < m_szMinClient.cy)
        return;
    const CRect margins = GetClientMargins();
    const CSize szClient(rcWindow.Width() - margins.left - margins.right,
                         rcWindow.Height() - margins.top - margins.bottom);
    if (m_nPosition == kBarFloating)
    {
        m_szFloatingClient = szClient;
        CalcDynamicLayout(-1, kLayoutCommit);
        SetWindowPos(nullptr, rcWindow.left, rcWindow.top, rcWindow.Width(), rcWindow.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        Invalidate(FALSE);
        return;
    }
    if (nHitCode == HTLEFT || nHitCode == HTRIGHT)
        m_szDockingClient.cx = szClient.cx;
    else
        m_szDockingClient.cy = szClient.cy;
    OnRecalcLayout();
}

int CKitDialogBar::HitTestWindow(POINT ptScreen)
{
    CRect rc;
    GetWindowRect(&rc);
    rc.bottom = rc.top + m_rcMargins.top + m_nCaptionHeight;
    return rc.PtInRect(ptScreen) ? 1 : -2;
}

void CKitDialogBar::RepositionClient()
{
    if (!::IsWindow(m_hClient) || !::IsWindow(m_hWnd))
        return;
    CRect rc;
    GetClientRect(&rc);
    const CRect margins = GetClientMargins();
    rc.DeflateRect(margins.left, margins.top, margins.right, margins.bottom);
    ::SetWindowPos(m_hClient, nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(m_hClient, nullptr, TRUE);
}

LRESULT CKitDialogBar::OnNcHitTest(CPoint ptScreen)
{
    CRect rc;
    GetWindowRect(&rc);
    rc.DeflateRect(kSizingBorder, kSizingBorder);
    const BOOL bAlone = (m_dwFlags & 0x40) != 0;
    const BOOL bAbove = ptScreen.y < rc.top;
    const BOOL bBelow = ptScreen.y >= rc.bottom;
    const BOOL bLeft = ptScreen.x < rc.left;
    const BOOL bRight = ptScreen.x >= rc.right;
    switch (m_nPosition)
    {
    case kBarFloating:
        if (bAbove && bLeft)
            return HTTOPLEFT;
        if (bAbove && bRight)
            return HTTOPRIGHT;
        if (bBelow && bLeft)
            return HTBOTTOMLEFT;
        if (bBelow && bRight)
            return HTBOTTOMRIGHT;
        if (bAbove)
            return HTTOP;
        if (bBelow)
            return HTBOTTOM;
        if (bLeft)
            return HTLEFT;
        if (bRight)
            return HTRIGHT;
        break;
    case kBarBottom:
        if (ptScreen.y <= rc.top)
            return HTTOP;
        if (bRight && !bAlone)
            return HTRIGHT;
        break;
    case kBarTop:
        if (bBelow)
            return HTBOTTOM;
        if (bRight && !bAlone)
            return HTRIGHT;
        break;
    case kBarLeft:
    case kBarPopup:
        if (bBelow && !bAlone)
            return HTBOTTOM;
        if (bRight)
            return HTRIGHT;
        break;
    case kBarRight:
        if (bBelow && !bAlone)
            return HTBOTTOM;
        if (ptScreen.x <= rc.left)
            return HTLEFT;
        break;
    default:
        break;
    }
    return HTNOWHERE;
}

LRESULT CKitDialogBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_SIZE:
    {
        const LRESULT lResult = CKitToolBar::WindowProc(message, wParam, lParam);
        RepositionClient();
        return lResult;
    }
    case WM_NCHITTEST:
        if (m_bResizable)
        {
            const LRESULT nHit = OnNcHitTest(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
            if (nHit != HTNOWHERE)
                return nHit;
        }
        break;
    default:
        break;
    }
    return CKitToolBar::WindowProc(message, wParam, lParam);
}

#include "CKitStatusBar.h"

#include "CCommandBarDrawer.h"
#include "DeviceContexts.h"
#include "window/CCmdUI.h"
#include "window/CFrameWnd.h"

#include <algorithm>

namespace
{

constexpr int kPanePadding = 6;
constexpr int kMinimumHeight = 20;

// The command updates of one pane: enable clears the disabled look, check
// pops the pane out, text goes to the control at once.
class CStatusPaneCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        auto* pBar = static_cast<CKitStatusBar*>(m_pOther);
        const DWORD dwStyle = pBar->GetPaneStyle(static_cast<int>(m_nIndex)) & ~kPaneDisabled;
        pBar->SetPaneStyle(static_cast<int>(m_nIndex), bOn ? dwStyle : (dwStyle | kPaneDisabled));
    }
    void SetCheck(int nCheck) override
    {
        auto* pBar = static_cast<CKitStatusBar*>(m_pOther);
        const DWORD dwStyle = pBar->GetPaneStyle(static_cast<int>(m_nIndex)) & ~kPanePopOut;
        pBar->SetPaneStyle(static_cast<int>(m_nIndex), nCheck != 0 ? (dwStyle | kPanePopOut) : dwStyle);
    }
    void SetText(LPCTSTR lpszText) override
    {
        static_cast<CKitStatusBar*>(m_pOther)->SetPaneText(static_cast<int>(m_nIndex), lpszText, TRUE);
    }
};

}  // namespace

CKitStatusBarPane::~CKitStatusBarPane()
{
    if (m_pChild == nullptr)
        return;
    if (::IsWindow(m_pChild->m_hWnd))
        m_pChild->DestroyWindow();
    if (m_bDeleteChild)
        delete m_pChild;
}

CFont* CKitStatusBarPane::GetFont()
{
    if (m_pFont != nullptr)
        return m_pFont;
    return m_pOwner != nullptr ? m_pOwner->GetFont() : nullptr;
}

CKitStatusBar::CKitStatusBar()
{
    CNonClientMetrics metrics;
    m_font.CreateFontIndirect(&metrics.lfStatusFont);
    m_cyTopBorder = 2;
    m_cxLeftBorder = 0;
    m_cxRightBorder = 0;
    m_cyBottomBorder = 0;
}

CKitStatusBar::~CKitStatusBar()
{
    for (CKitStatusBarPane* pPane : m_panes)
        pPane->InternalRelease();
}

BOOL CKitStatusBar::Create(CWnd* pParent, DWORD dwStyle, UINT nId)
{
    return CreateEx(pParent, 0, dwStyle, nId);
}

BOOL CKitStatusBar::CreateEx(CWnd* pParent, DWORD dwCtrlStyle, DWORD dwStyle, UINT nId)
{
    DWORD dwWindowStyle = (dwStyle & 0xFFFF0000 & ~0x00400000u) | CCS_NOMOVEY | dwCtrlStyle;
    if (pParent != nullptr && (pParent->GetStyle() & WS_THICKFRAME) != 0)
        dwWindowStyle |= SBARS_SIZEGRIP;
    if (!CreateBarWindow(STATUSCLASSNAMEW, dwStyle & 0x40FFFF, dwWindowStyle, pParent, nId))
        return FALSE;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), FALSE);
    SendMessage(SB_SETMINHEIGHT, kMinimumHeight);
    m_nMinHeight = kMinimumHeight;
    EnableToolTips(TRUE);  // pane tips
    return TRUE;
}

BOOL CKitStatusBar::DefinePanes(const UINT* pIds, int nCount)
{
    RemoveAllPanes();
    BOOL bResult = TRUE;
    for (int i = 0; i < nCount; ++i)
    {
        auto* pPane = new CKitStatusBarPane;
        pPane->m_pOwner = this;
        pPane->m_nId = pIds[i];
        pPane->m_bSendText = TRUE;
        if (pIds[i] != 0)
        {
            if (!pPane->m_strText.LoadString(pIds[i]))
            {
                pPane->InternalRelease();
                bResult = FALSE;
                break;
            }
            m_panes.push_back(pPane);
            pPane->m_nWidth = BestFit(pPane);
            continue;
        }
        pPane->m_nWidth = ::GetSystemMetrics(SM_CXSCREEN) / 4;
        if (i == 0)
            pPane->m_dwStyle |= kPaneStretch | kPaneNoBorders;
        m_panes.push_back(pPane);
    }
    UpdateAllPanes(TRUE, TRUE);
    return bResult;
}

void CKitStatusBar::RemoveAllPanes()
{
    std::vector<CKitStatusBarPane*> panes;
    panes.swap(m_panes);
    for (CKitStatusBarPane* pPane : panes)
        pPane->InternalRelease();
    UpdateAllPanes(TRUE, FALSE);
}

CKitStatusBarPane* CKitStatusBar::GetPane(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetPaneCount() ? m_panes[static_cast<size_t>(nIndex)] : nullptr;
}

int CKitStatusBar::CommandToIndex(UINT nId) const
{
    for (int i = 0; i < GetPaneCount(); ++i)
        if (m_panes[static_cast<size_t>(i)]->m_nId == nId)
            return i;
    return -1;
}

int CKitStatusBar::GetVisiblePaneCount() const
{
    int nCount = 0;
    for (const CKitStatusBarPane* pPane : m_panes)
        nCount += pPane->m_bVisible ? 1 : 0;
    return nCount;
}

int CKitStatusBar::BestFit(CKitStatusBarPane* pPane)
{
    CClientDC dc(this);
    CFont* pFont = pPane->GetFont();
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, pFont->m_hObject);
    SIZE extent = {};
    ::GetTextExtentPoint32W(dc.m_hDC, pPane->m_strText, pPane->m_strText.GetLength(), &extent);
    ::SelectObject(dc.m_hDC, hOld);
    return extent.cx;
}

BOOL CKitStatusBar::HasSizeGrip() const
{
    return (GetStyle() & SBARS_SIZEGRIP) != 0 && GetParent() != nullptr && !GetParent()->IsZoomed();
}

void CKitStatusBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    CControlBar::CalcInsideRect(rect, bHorz);
    if (HasSizeGrip())
    {
        int borders[3] = {};
        SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
        rect.right -= 2 * ::GetSystemMetrics(SM_CXBORDER) + borders[0] + ::GetSystemMetrics(SM_CXVSCROLL);
    }
}

void CKitStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateTexts)
{
    if (!::IsWindow(m_hWnd))
        return;
    if (bUpdateRects)
    {
        CRect rc;
        GetWindowRect(&rc);
        rc.OffsetRect(-rc.left, -rc.top);
        CalcInsideRect(rc, TRUE);
        int borders[3] = {};
        SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
        const int nGap = borders[2];

        int nVisible = 0;
        int nStretching = 0;
        int nSpare = rc.Width() + nGap;
        for (size_t i = 0; i < m_panes.size(); ++i)
        {
            CKitStatusBarPane* pPane = m_panes[i];
            pPane->m_nIndex = static_cast<int>(i);
            pPane->m_nPart = pPane->m_bVisible ? nVisible++ : -1;
            if (!pPane->m_bVisible)
                continue;
            nStretching += (pPane->m_dwStyle & kPaneStretch) != 0 ? 1 : 0;
            nSpare -= pPane->m_nWidth + nGap + kPanePadding;
        }
        std::vector<int> edges;
        int nRight = borders[0];
        for (CKitStatusBarPane* pPane : m_panes)
        {
            if (!pPane->m_bVisible)
                continue;
            nRight += pPane->m_nWidth + kPanePadding;
            if ((pPane->m_dwStyle & kPaneStretch) != 0 && nSpare > 0 && nStretching > 0)
            {
                const int nShare = nSpare / nStretching;
                nRight += nShare;
                nSpare -= nShare;
            }
            if ((pPane->m_dwStyle & kPaneStretch) != 0)
                --nStretching;
            edges.push_back(nRight);
            nRight += nGap;
        }
        SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.empty() ? nullptr : edges.data()));
        PositionPaneWindows();
    }
    if (bUpdateTexts)
        for (size_t i = 0; i < m_panes.size(); ++i)
            if (m_panes[i]->m_bVisible && m_panes[i]->m_bSendText)
                SetPaneText(static_cast<int>(i), m_panes[i]->m_strText, TRUE);
}

void CKitStatusBar::PositionPaneWindows()
{
    for (size_t i = 0; i < m_panes.size(); ++i)
    {
        CKitStatusBarPane* pPane = m_panes[i];
        if (pPane->m_pChild == nullptr || !::IsWindow(pPane->m_pChild->m_hWnd))
            continue;
        CRect rc;
        GetItemRect(static_cast<int>(i), rc);
        if ((pPane->m_dwStyle & kPaneNoBorders) == 0)
            rc.DeflateRect(::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CXEDGE));
        pPane->m_pChild->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                                      SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CKitStatusBar::SetPaneWindow(int nIndex, CWnd* pChild, BOOL bDelete)
{
    CKitStatusBarPane* pPane = GetPane(nIndex);
    if (pPane == nullptr)
        return;
    pPane->m_pChild = pChild;
    pPane->m_bDeleteChild = bDelete;
    PositionPaneWindows();
}

void CKitStatusBar::SetPaneTooltip(int nIndex, LPCTSTR lpszTooltip)
{
    if (CKitStatusBarPane* pPane = GetPane(nIndex))
        pPane->m_strTooltip = lpszTooltip;
}

INT_PTR CKitStatusBar::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const
{
    const INT_PTR nHit = CControlBar::OnToolHitTest(point, pTI);
    if (nHit != -1)
        return nHit;
    CRect rc;
    CKitStatusBarPane* pPane = HitTest(point, &rc);
    if (pPane == nullptr || pPane->GetTooltip().IsEmpty())
        return -1;
    if (pTI != nullptr)
    {
        pTI->hwnd = m_hWnd;
        pTI->rect = rc;
        pTI->uId = pPane->m_nId;
        // The tooltip copies the text when the tool is added.
        pTI->lpszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(pPane->GetTooltip()));
    }
    return static_cast<INT_PTR>(pPane->m_nId);
}

void CKitStatusBar::GetItemRect(int nIndex, CRect& rc) const
{
    rc.SetRectEmpty();
    CKitStatusBarPane* pPane = GetPane(nIndex);
    if (pPane == nullptr || pPane->m_nPart < 0 ||
        !SendMessage(SB_GETRECT, static_cast<WPARAM>(pPane->m_nPart), reinterpret_cast<LPARAM>(&rc)))
    {
        rc.SetRectEmpty();
        return;
    }
    if (pPane->m_nPart != GetVisiblePaneCount() - 1)
        return;
    if ((pPane->m_dwStyle & kPaneStretch) != 0)
    {
        CRect rcClient;
        GetClientRect(&rcClient);
        rc.right = rcClient.right;
        if ((GetStyle() & SBARS_SIZEGRIP) != 0)
            rc.right -= ::GetSystemMetrics(SM_CXSMICON) + ::GetSystemMetrics(SM_CXEDGE);
    }
    else
    {
        rc.right = rc.left + pPane->m_nWidth + 3 * ::GetSystemMetrics(SM_CXEDGE);
    }
}

DWORD CKitStatusBar::GetPaneStyle(int nIndex) const
{
    CKitStatusBarPane* pPane = GetPane(nIndex);
    return pPane != nullptr ? pPane->m_dwStyle : 0;
}

void CKitStatusBar::SetPaneStyle(int nIndex, DWORD dwStyle)
{
    CKitStatusBarPane* pPane = GetPane(nIndex);
    if (pPane == nullptr || pPane->m_dwStyle == dwStyle)
        return;
    const BOOL bStretchChanged = ((pPane->m_dwStyle ^ dwStyle) & kPaneStretch) != 0;
    pPane->m_dwStyle = dwStyle;
    if (bStretchChanged)
        UpdateAllPanes(TRUE, FALSE);
    pPane->m_bSendText = TRUE;
    SetPaneText(nIndex, pPane->m_strText, TRUE);
}

BOOL CKitStatusBar::SetPaneText(int nIndex, LPCTSTR lpszText, BOOL bUpdateNow)
{
    CKitStatusBarPane* pPane = GetPane(nIndex);
    if (pPane == nullptr)
        return FALSE;
    const CString strText = lpszText != nullptr ? lpszText : L"";
    if (!pPane->m_bSendText && pPane->m_strText == strText)
        return TRUE;
    pPane->m_strText = strText;
    if (!pPane->m_bVisible)
        return FALSE;
    if (!bUpdateNow)
    {
        pPane->m_bSendText = TRUE;
        return TRUE;
    }
    pPane->m_bSendText = FALSE;
    if (::IsWindow(m_hWnd))
    {
        const WPARAM wParam = static_cast<WPARAM>(pPane->m_nPart) | (pPane->m_dwStyle & 0xFF00);
        const LPCTSTR lpszSent = (pPane->m_dwStyle & kPaneDisabled) != 0 ? L"" : static_cast<LPCTSTR>(pPane->m_strText);
        SendMessage(SB_SETTEXTW, wParam, reinterpret_cast<LPARAM>(lpszSent));
        Invalidate(FALSE);
    }
    return TRUE;
}

CString CKitStatusBar::GetPaneText(int nIndex) const
{
    CKitStatusBarPane* pPane = GetPane(nIndex);
    return pPane != nullptr ? pPane->m_strText : CString();
}

CKitStatusBarPane* CKitStatusBar::HitTest(CPoint point, CRect* pRect) const
{
    for (int i = 0; i < GetPaneCount(); ++i)
    {
        if (!m_panes[static_cast<size_t>(i)]->m_bVisible)
            continue;
        CRect rc;
        GetItemRect(i, rc);
        if (rc.PtInRect(point))
        {
            if (pRect != nullptr)
                *pRect = rc;
            return m_panes[static_cast<size_t>(i)];
        }
    }
    return nullptr;
}

CSize CKitStatusBar::CalcFixedLayout(BOOL, BOOL)
{
    CClientDC dc(this);
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, m_font.m_hObject);
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(dc.m_hDC, &tm);
    ::SelectObject(dc.m_hDC, hOld);
    int borders[3] = {};
    if (::IsWindow(m_hWnd))
        SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    const int nHeight = tm.tmHeight - tm.tmInternalLeading - 1 + 2 * (::GetSystemMetrics(SM_CYBORDER) + borders[1]) +
                        m_cyTopBorder + m_cyBottomBorder;
    return CSize(32767, std::max(nHeight, m_nMinHeight));
}

void CKitStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusPaneCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetPaneCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        state.m_nID = GetPane(static_cast<int>(state.m_nIndex))->m_nId;
        if (!OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            state.DoUpdate(pTarget, FALSE);
    }
    UpdateDialogControls(pTarget, FALSE);
}

void CKitStatusBar::Paint()
{
    UpdateAllPanes(FALSE, TRUE);
    CPaintDC paintDC(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CCommandBarDrawer* pDrawer = GetCommandBarDrawer();
    CDoubleBufferDC dc(paintDC.m_hDC, rcClient);
    pDrawer->PaintStatusBarBackground(&dc, this);
    const int nLastPart = GetVisiblePaneCount() - 1;
    for (int i = 0; i < GetPaneCount(); ++i)
    {
        CKitStatusBarPane* pPane = m_panes[static_cast<size_t>(i)];
        if (!pPane->m_bVisible)
            continue;
        CRect rc;
        GetItemRect(i, rc);
        if ((pPane->m_dwStyle & kPaneNoBorders) == 0)
            pDrawer->DrawStatusBarPaneBorder(&dc, rc, pPane->m_nPart == nLastPart);
        pPane->m_bDrawDisabledText = m_bDrawDisabledText;
        pDrawer->DrawStatusBarPane(&dc, rc, pPane);
    }
    if (HasSizeGrip() && GetParent() != nullptr && (GetParent()->GetStyle() & WS_THICKFRAME) != 0)
        pDrawer->DrawStatusBarGripper(&dc, rcClient);
}

LRESULT CKitStatusBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT:
        if (!m_bUseDrawer)
            break;
        Paint();
        return 0;
    case WM_ERASEBKGND:
        if (m_bUseDrawer)
            return TRUE;
        break;
    case WM_NCHITTEST:
    {
        const LRESULT nHit = CControlBar::WindowProc(message, wParam, lParam);
        return nHit == HTBOTTOMRIGHT ? nHit : HTCLIENT;
    }
    case WM_SIZE:
    {
        const LRESULT lResult = CControlBar::WindowProc(message, wParam, lParam);
        UpdateAllPanes(TRUE, FALSE);
        Invalidate(FALSE);
        return lResult;
    }
    case SB_SETMINHEIGHT:
    {
        const LRESULT lResult = CControlBar::WindowProc(message, wParam, lParam);
        m_nMinHeight = static_cast<int>(wParam);
        return lResult;
    }
    case WM_SETTEXT:
    {
        const int nIndex = CommandToIndex(0);
        if (nIndex < 0)
            return -1;
        return SetPaneText(nIndex, reinterpret_cast<LPCTSTR>(lParam), TRUE) ? 0 : -1;
    }
    case WM_GETTEXT:
    {
        const size_t nMax = static_cast<size_t>(wParam);
        if (nMax == 0)
            return 0;
        auto* pszBuffer = reinterpret_cast<LPTSTR>(lParam);
        const int nIndex = CommandToIndex(0);
        const CString strText = nIndex >= 0 ? GetPaneText(nIndex) : CString();
        const size_t nCopy = std::min(static_cast<size_t>(strText.GetLength()), nMax - 1);
        memcpy(pszBuffer, static_cast<LPCTSTR>(strText), nCopy * sizeof(wchar_t));
        pszBuffer[nCopy] = 0;
        return static_cast<LRESULT>(nCopy + 1);
    }
    case WM_GETTEXTLENGTH:
    {
        const int nIndex = CommandToIndex(0);
        return nIndex >= 0 ? GetPaneText(nIndex).GetLength() : 0;
    }
    default:
        break;
    }
    return CControlBar::WindowProc(message, wParam, lParam);
}

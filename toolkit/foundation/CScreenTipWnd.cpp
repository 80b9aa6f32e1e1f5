#include "CScreenTipWnd.h"

#include "CColorTable.h"
#include "CDrawTools.h"
#include "CScreenTipContext.h"
#include "CVisualStyleData.h"
#include "GdiSelectors.h"

#include <algorithm>

namespace {

// One mouse hook for the process, owned by the tip window that installed it.
HHOOK g_hTipMouseHook = nullptr;
HWND g_hTipHookOwner = nullptr;

bool IsRelayedMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

bool AnyMouseButtonDown()
{
    return (::GetKeyState(VK_LBUTTON) & 0x8000) || (::GetKeyState(VK_RBUTTON) & 0x8000) ||
           (::GetKeyState(VK_MBUTTON) & 0x8000);
}

}  // namespace

CScreenTipWnd::CScreenTipWnd(CScreenTipContext* pContext) : m_pContext(pContext)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    m_font.CreateFontIndirect(&metrics.lfStatusFont);
}

CScreenTipWnd::~CScreenTipWnd()
{
    if (g_hTipHookOwner == m_hWnd && g_hTipMouseHook) {
        ::UnhookWindowsHookEx(g_hTipMouseHook);
        g_hTipMouseHook = nullptr;
        g_hTipHookOwner = nullptr;
    }
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CScreenTipWnd::Create(CWnd* pParent, DWORD dwStyle)
{
    UINT nClassStyle = CS_SAVEBITS | CS_OWNDC;
    if (QueryDllVersion(L"COMCTL32.DLL") >= 0x60000 && !(dwStyle & 0x2000))
        nClassStyle |= CS_DROPSHADOW;
    LPCTSTR lpszClass = AfxRegisterWndClass(nClassStyle, ::LoadCursorW(nullptr, IDC_ARROW));
    m_hWndOwner = pParent->GetSafeHwnd();
    return CreateEx(WS_EX_TOOLWINDOW, lpszClass, nullptr, dwStyle | WS_POPUP, 0, 0, 0, 0, m_hWndOwner, nullptr);
}

void CScreenTipWnd::AddTool(const TOOLINFOW& info)
{
    Tool tool;
    tool.bTextByCallback = info.lpszText == LPSTR_TEXTCALLBACKW;
    if (!tool.bTextByCallback && info.lpszText) {
        if (IS_INTRESOURCE(info.lpszText))
            tool.text.LoadString(info.hinst, static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.lpszText)));
        else
            tool.text = info.lpszText;
    }
    tool.uFlags = info.uFlags;
    tool.rect = info.rect;
    tool.hinst = info.hinst;
    tool.hWnd = info.hwnd;
    tool.uId = info.uId;
    m_tools.push_back(tool);
}

void CScreenTipWnd::DeleteTool(const TOOLINFOW& info)
{
    if (m_shown.Is(info.hwnd, info.uId))
        Hide();
    if (m_clicked.Is(info.hwnd, info.uId))
        m_clicked = Tool();
    if (m_pending.Is(info.hwnd, info.uId)) {
        KillShowTimer();
        m_pending = Tool();
    }
    std::erase_if(m_tools, [&info](const Tool& tool) { return tool.Is(info.hwnd, info.uId); });
}

void CScreenTipWnd::Activate(BOOL bActivate)
{
    m_bActive = bActivate;
    if (bActivate)
        return;
    KillShowTimer();
    m_pending = Tool();
    if (IsWindowVisible())
        Hide();
}

const CScreenTipWnd::Tool* CScreenTipWnd::HitTest(POINT ptScreen) const
{
    if (AnyMouseButtonDown())
        return nullptr;
    for (const Tool& tool : m_tools) {
        if (!tool.hWnd || !::IsWindow(tool.hWnd))
            continue;
        CRect area;
        if (tool.uFlags & TTF_IDISHWND) {
            ::GetWindowRect(reinterpret_cast<HWND>(tool.uId), &area);
        } else {
            area = tool.rect;
            ::MapWindowPoints(tool.hWnd, nullptr, reinterpret_cast<LPPOINT>(&area), 2);
        }
        if (!area.PtInRect(ptScreen))
            continue;
        POINT pt = ptScreen;
        auto hUnder = reinterpret_cast<HWND>(
            const_cast<CScreenTipWnd*>(this)->SendMessage(TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&pt)));
        if (hUnder == tool.hWnd || ((tool.uFlags & TTF_IDISHWND) && hUnder == reinterpret_cast<HWND>(tool.uId)))
            return &tool;
    }
    return nullptr;
}

void CScreenTipWnd::RelayEvent(const MSG& msg)
{
    if (!m_bActive || !IsRelayedMouseMessage(msg.message))
        return;
    POINT pt = msg.pt;
    const Tool* pHit = HitTest(pt);
    if (msg.message == WM_LBUTTONDOWN) {
        m_clicked = pHit ? *pHit : Tool();
        pHit = nullptr;
    } else if (pHit && !m_clicked.IsNone() && pHit->Is(m_clicked.hWnd, m_clicked.uId)) {
        pHit = nullptr;
    }
    if (m_nTimer && (!pHit || !pHit->Is(m_pending.hWnd, m_pending.uId))) {
        KillShowTimer();
        m_pending = Tool();
    }
    if (!pHit) {
        Hide();
        return;
    }
    if (pHit->Is(m_shown.hWnd, m_shown.uId) && !m_shown.IsNone())
        return;
    if (::GetTickCount() - m_dwLastChange >= kReshowWindow) {
        if (!m_nTimer) {
            m_pending = *pHit;
            m_nTimer = SetTimer(kShowTimer, kInitialDelay, nullptr);
        }
        return;
    }
    ShowTool(pHit);
}

void CScreenTipWnd::OnShowTimer()
{
    POINT pt;
    ::GetCursorPos(&pt);
    const Tool* pHit = HitTest(pt);
    const Tool pending = m_pending;
    KillShowTimer();
    m_pending = Tool();
    if (pHit && pHit->Is(pending.hWnd, pending.uId))
        ShowTool(pHit);
}

void CScreenTipWnd::KillShowTimer()
{
    if (m_nTimer)
        KillTimer(m_nTimer);
    m_nTimer = 0;
}

void CScreenTipWnd::ShowTool(const Tool* pTool)
{
    if (pTool->Is(m_shown.hWnd, m_shown.uId) && !m_shown.IsNone())
        return;
    const Tool tool = *pTool;
    const CSize size = CalcTipSize(tool);
    if (size.cx == 0 && size.cy == 0) {
        Hide();
        return;
    }
    ShowWindow(SW_HIDE);
    POINT pt;
    ::GetCursorPos(&pt);
    ::SetWindowPos(m_hWnd, HWND_TOP, pt.x, pt.y + 21, size.cx, size.cy, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
    if (!g_hTipMouseHook) {
        g_hTipMouseHook = ::SetWindowsHookExW(WH_MOUSE, &TipMouseHookProc, nullptr, ::GetCurrentThreadId());
        g_hTipHookOwner = m_hWnd;
    }
    m_clicked = Tool();
    m_shown = tool;
    m_dwLastChange = ::GetTickCount();
}

void CScreenTipWnd::Hide()
{
    if (g_hTipHookOwner == m_hWnd && g_hTipMouseHook) {
        ::UnhookWindowsHookEx(g_hTipMouseHook);
        g_hTipMouseHook = nullptr;
        g_hTipHookOwner = nullptr;
    }
    m_pending = Tool();
    if (GetSafeHwnd())
        ShowWindow(SW_HIDE);
    if (!m_shown.IsNone())
        m_dwLastChange = ::GetTickCount();
    m_shown = Tool();
}

LRESULT CALLBACK CScreenTipWnd::TipMouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && g_hTipHookOwner) {
        auto* pTip = static_cast<CScreenTipWnd*>(CWnd::FromHandlePermanent(g_hTipHookOwner));
        const auto* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        // A mouse event over another window than the shown tool's hides the tip.
        if (pTip && !pTip->m_shown.IsNone() && pInfo->hwnd != pTip->m_shown.hWnd)
            ::PostMessageW(g_hTipHookOwner, WM_MOUSEMOVE, 0, 0);
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

CString CScreenTipWnd::GetToolText(const Tool& tool)
{
    CString text = tool.text;
    if (tool.bTextByCallback) {
        NMTTDISPINFOW info{};
        info.hdr.hwndFrom = m_hWnd;
        info.hdr.idFrom = tool.uId;
        info.hdr.code = TTN_GETDISPINFOW;
        info.hinst = tool.hinst;
        info.uFlags = tool.uFlags;
        HWND hTarget = tool.hWnd ? tool.hWnd : ::GetParent(m_hWnd);
        ::SendMessageW(hTarget, WM_NOTIFY, tool.uId, reinterpret_cast<LPARAM>(&info));
        if (info.lpszText && !IS_INTRESOURCE(info.lpszText))
            text = info.lpszText;
        else if (info.lpszText && info.hinst)
            text.LoadString(info.hinst, static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.lpszText)));
        else
            text = info.szText;
    }
    if (!(GetStyle() & TTS_NOPREFIX))
        StripMnemonics(text);
    return text;
}

CSize CScreenTipWnd::CalcTipSize(const Tool& tool)
{
    const CString text = GetToolText(tool);
    if (text.IsEmpty())
        return CSize(0, 0);
    CClientDC dc(this);
    CFontSelector font(&dc, &m_font);
    CRect textRect(0, 0, m_pContext->GetMaxTipWidth(), 0);
    dc.DrawText(text, &textRect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    CSize size = textRect.Size();
    if (!m_strTitle.IsEmpty()) {
        CRect titleRect(0, 0, 0, 0);
        dc.DrawText(m_strTitle, &titleRect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        size.cy += titleRect.Height() + 8;
        size.cx = std::max<LONG>(size.cx, titleRect.Width());
    }
    const CRect& margins = m_pContext->m_rcMargins;
    return CSize(size.cx + margins.left + margins.right + 6, size.cy + margins.top + margins.bottom + 6);
}

void CScreenTipWnd::DrawTipBackground(CDC* pDC, CRect rect)
{
    pDC->FillSolidRect(&rect, m_pContext->GetBackColor());
    const COLORREF topLeft = (GetStyle() & 0x1000) ? GetColorTable()->GetColor(COLOR_BTNFACE) : kClrBlack;
    pDC->Draw3dRect(&rect, topLeft, kClrBlack);
}

void CScreenTipWnd::DrawTipText(CDC* pDC, const CString& strText, CRect rect)
{
    if (!m_strTitle.IsEmpty()) {
        CRect titleRect = rect;
        pDC->DrawText(m_strTitle, &titleRect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        const int titleHeight = titleRect.Height();
        titleRect.right = rect.right;
        pDC->DrawText(m_strTitle, &titleRect, DT_SINGLELINE | DT_NOPREFIX);
        pDC->FillSolidRect(rect.left, rect.top + titleHeight + 4, rect.Width(), 1, kClrBlack);
        rect.top += titleHeight + 8;
    }
    pDC->DrawText(strText, &rect, DT_WORDBREAK | DT_NOPREFIX);
}

void CScreenTipWnd::Paint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    DrawTipBackground(&dc, client);
    const CRect& margins = m_pContext->m_rcMargins;
    CRect textRect(client.left + margins.left + 3, client.top + margins.top + 3, client.right - margins.right - 3,
                   client.bottom - margins.bottom - 3);
    CFontSelector font(&dc, &m_font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_pContext->GetTextColor());
    DrawTipText(&dc, GetToolText(m_shown), textRect);
}

LRESULT CScreenTipWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case TTM_ADDTOOLW:
        if (lParam)
            AddTool(*reinterpret_cast<const TOOLINFOW*>(lParam));
        return TRUE;
    case TTM_DELTOOLW:
        if (lParam)
            DeleteTool(*reinterpret_cast<const TOOLINFOW*>(lParam));
        return 0;
    case TTM_ACTIVATE:
        Activate(static_cast<BOOL>(wParam));
        return 0;
    case TTM_RELAYEVENT:
        if (lParam)
            RelayEvent(*reinterpret_cast<const MSG*>(lParam));
        return 0;
    case TTM_SETTITLEW:
        m_strTitle = lParam ? CString(reinterpret_cast<LPCWSTR>(lParam)) : CString();
        if (!(GetStyle() & TTS_NOPREFIX))
            StripMnemonics(m_strTitle);
        return TRUE;
    case TTM_UPDATETIPTEXTW:
        if (const auto* pInfo = reinterpret_cast<const TOOLINFOW*>(lParam)) {
            for (Tool& tool : m_tools) {
                if (!tool.Is(pInfo->hwnd, pInfo->uId))
                    continue;
                tool.bTextByCallback = pInfo->lpszText == LPSTR_TEXTCALLBACKW;
                tool.text = tool.bTextByCallback || !pInfo->lpszText ? CString() : CString(pInfo->lpszText);
            }
        }
        return 0;
    case TTM_WINDOWFROMPOINT: {
        const auto* pPoint = reinterpret_cast<const POINT*>(lParam);
        HWND hWnd = pPoint ? ::WindowFromPoint(*pPoint) : nullptr;
        if (hWnd && (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) &&
            ::SendMessageW(hWnd, WM_TIP_USE_PARENT, 0, 0) == 1)
            hWnd = ::GetParent(hWnd);
        return reinterpret_cast<LRESULT>(hWnd);
    }
    case WM_PAINT:
        Paint();
        return 0;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
        Hide();
        return 0;
    case WM_TIMER:
        if (wParam == kShowTimer) {
            OnShowTimer();
            return 0;
        }
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CScreenTipGradientWnd::DrawTipBackground(CDC* pDC, CRect rect)
{
    COLORREF frame = kClrBlack;
    COLORREF from = m_pContext->GetBackColor();
    COLORREF to = kClrWhite;
    switch (GetLunaScheme()) {
    case kit::kSchemeBlue:
        frame = RGB(0, 0, 128);
        break;
    case kit::kSchemeOlive:
        frame = RGB(63, 93, 56);
        break;
    case kit::kSchemeSilver:
        frame = RGB(75, 75, 111);
        break;
    default:
        break;
    }
    if (frame != kClrBlack) {
        from = RGB(255, 212, 151);
        to = RGB(255, 242, 200);
    }
    CDrawTools::GradientFill(pDC, &rect, from, to, FALSE);
    pDC->Draw3dRect(&rect, frame, frame);
}

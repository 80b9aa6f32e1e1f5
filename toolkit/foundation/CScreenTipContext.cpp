#include "CScreenTipContext.h"

#include "CColorTable.h"
#include "CDrawTools.h"
#include "CScreenTipRichWnd.h"
#include "CScreenTipWnd.h"
#include "CVisualStyleData.h"

#include <cstdlib>
#include <cwchar>

namespace {

const UINT kRegularToolInfoSize = TTTOOLINFOW_V1_SIZE;
const UINT kExtendedToolInfoSize = TTTOOLINFOW_V2_SIZE;
// Owner-private flag bits: 0x40000000 asks for the tip even while the owner
// is inactive; neither reaches the tooltip control.
constexpr UINT kShowWhileInactive = 0x40000000;
constexpr UINT kOwnerPrivateFlags = 0xC0000000;

LPWSTR HeapCopy(LPCWSTR lpszText)
{
    const size_t length = std::wcslen(lpszText);
    auto* pCopy = static_cast<LPWSTR>(std::malloc((length + 1) * sizeof(wchar_t)));
    if (pCopy)
        std::wmemcpy(pCopy, lpszText, length + 1);
    return pCopy;
}

bool IsCancellingMessage(UINT message)
{
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST)
        return true;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

bool IsTrackingMessage(UINT message)
{
    switch (message) {
    case WM_NCMOUSEMOVE:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        return true;
    default:
        return false;
    }
}

bool AnyMouseButtonDown()
{
    return (::GetKeyState(VK_LBUTTON) & 0x8000) || (::GetKeyState(VK_RBUTTON) & 0x8000) ||
           (::GetKeyState(VK_MBUTTON) & 0x8000);
}

}  // namespace

BOOL CScreenTipCtrl::CreateTip(CWnd* pParentWnd, DWORD dwStyle)
{
    return CWnd::CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd->GetSafeHwnd(), nullptr);
}

LRESULT CScreenTipCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == TTM_ACTIVATE)
        m_bActive = wParam != 0;
    if (message == WM_WINDOWPOSCHANGING && !m_bActive) {
        // An inactive tooltip never shows, also when a show timer it started
        // while active fires later (Wine's control shows it all the same).
        reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
    }
    LRESULT lResult = CToolTipCtrl::WindowProc(message, wParam, lParam);
    if (message == TTM_WINDOWFROMPOINT) {
        auto hWnd = reinterpret_cast<HWND>(lResult);
        if (hWnd && (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) &&
            ::SendMessageW(hWnd, WM_TIP_USE_PARENT, 0, 0) == 1)
            lResult = reinterpret_cast<LRESULT>(::GetParent(hWnd));
    }
    return lResult;
}

CScreenTipContext::CScreenTipContext()
    : m_dwComCtlVersion(QueryDllVersion(L"COMCTL32.DLL")), m_nMaxTipWidth(::GetSystemMetrics(SM_CXSCREEN) / 2)
{
    AfxInitRichEdit();
}

CScreenTipContext::~CScreenTipContext()
{
    DeleteTipWindow();
}

COLORREF CScreenTipContext::GetBackColor() const
{
    return m_clrBack != static_cast<COLORREF>(-1) ? m_clrBack : GetColorTable()->GetColor(COLOR_INFOBK);
}

COLORREF CScreenTipContext::GetTextColor() const
{
    return m_clrText != static_cast<COLORREF>(-1) ? m_clrText : GetColorTable()->GetColor(COLOR_INFOTEXT);
}

void CScreenTipContext::DeleteTipWindow()
{
    if (!m_pTipWnd)
        return;
    if (m_pTipWnd->GetSafeHwnd())
        m_pTipWnd->DestroyWindow();
    delete m_pTipWnd;
    m_pTipWnd = nullptr;
    m_lastTool = TOOLINFOW{};
}

void CScreenTipContext::CancelTips()
{
    ActivateTip(FALSE);
}

void CScreenTipContext::ActivateTip(BOOL bActivate)
{
    if (!m_pTipWnd || !m_pTipWnd->GetSafeHwnd())
        return;
    m_pTipWnd->SendMessage(TTM_ACTIVATE, bActivate);
    m_bTipActive = bActivate;
}

void CScreenTipContext::ModifyTipStyle(DWORD dwRemove, DWORD dwAdd)
{
    const DWORD dwNew = (m_dwTipStyle | dwAdd) & ~dwRemove;
    if (dwNew == m_dwTipStyle)
        return;
    m_dwTipStyle = dwNew;
    DeleteTipWindow();
}

void CScreenTipContext::SetKind(int nKind)
{
    if (nKind == m_nKind)
        return;
    m_nKind = nKind;
    DeleteTipWindow();
}

CWnd* CScreenTipContext::CreateTipWindow(CWnd* pParent)
{
    if (m_nKind == kCommonTip || m_nKind == kBalloonTip) {
        auto* pTip = new CScreenTipCtrl;
        pTip->CreateTip(pParent, m_dwTipStyle | TTS_ALWAYSTIP | (m_nKind == kBalloonTip ? TTS_BALLOON : 0));
        return pTip;
    }
    CScreenTipWnd* pTip = nullptr;
    if (m_nKind == kOwnRichTip)
        pTip = new CScreenTipRichWnd(this);
    else if (m_nKind == kOwnGradientTip)
        pTip = new CScreenTipGradientWnd(this);
    else
        pTip = new CScreenTipWnd(this);
    pTip->Create(pParent, m_dwTipStyle | TTS_ALWAYSTIP);
    return pTip;
}

void CScreenTipContext::FilterMouseMessage(CWnd* pOwner, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!pOwner || !pOwner->GetSafeHwnd())
        return;
    MSG msg{};
    msg.hwnd = pOwner->GetSafeHwnd();
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = ::GetMessageTime();
    ::GetCursorPos(&msg.pt);
    Filter(pOwner, msg);
}

void CScreenTipContext::PrepareTipWindow()
{
    CWnd* pTip = m_pTipWnd;
    pTip->SendMessage(TTM_SETMAXTIPWIDTH, 0, m_nMaxTipWidth);
    pTip->SendMessage(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(static_cast<LPRECT>(&m_rcMargins)));
    if (m_clrBack != static_cast<COLORREF>(-1))
        pTip->SendMessage(TTM_SETTIPBKCOLOR, m_clrBack);
    if (m_clrText != static_cast<COLORREF>(-1))
        pTip->SendMessage(TTM_SETTIPTEXTCOLOR, m_clrText);
    if (m_nReshowDelay != -1)
        pTip->SendMessage(TTM_SETDELAYTIME, TTDT_RESHOW, m_nReshowDelay);
    if (m_nInitialDelay != -1)
        pTip->SendMessage(TTM_SETDELAYTIME, TTDT_INITIAL, m_nInitialDelay);
    if (m_nAutoPopDelay != -1)
        pTip->SendMessage(TTM_SETDELAYTIME, TTDT_AUTOPOP, m_nAutoPopDelay);
    ActivateTip(FALSE);
}

void CScreenTipContext::Filter(CWnd* pOwner, MSG& msg)
{
    const bool buttonDown = AnyMouseButtonDown();
    if (IsCancellingMessage(msg.message)) {
        CancelTips();
        return;
    }
    if (msg.message == WM_MOUSELEAVE) {
        // The owner hears nothing more until the pointer comes back, so the
        // tool it left is forgotten: coming back to it is a new hover, also
        // after a click cancelled its tip.
        ForgetLastTool();
        return;
    }
    if (!IsTrackingMessage(msg.message) || buttonDown)
        return;

    const BOOL bActive = IsTopLevelWindowActive(pOwner);
    if (m_pTipWnd && m_pTipWnd->GetSafeHwnd() && m_pTipWnd->IsWindowVisible() && !bActive) {
        ActivateTip(FALSE);
        return;
    }

    CWnd* pParent = pOwner->GetParentOwner();
    if (m_pTipWnd) {
        HWND hMadeFor = ::GetWindow(m_pTipWnd->GetSafeHwnd(), GW_OWNER);
        if (!hMadeFor)
            hMadeFor = ::GetParent(m_pTipWnd->GetSafeHwnd());
        if (hMadeFor != pParent->GetSafeHwnd())
            DeleteTipWindow();
    }
    if (!m_pTipWnd) {
        m_pTipWnd = CreateTipWindow(pParent);
        if (!m_pTipWnd || !m_pTipWnd->GetSafeHwnd()) {
            delete m_pTipWnd;
            m_pTipWnd = nullptr;
            return;
        }
        m_lastTool = TOOLINFOW{};
        PrepareTipWindow();
    }

    CPoint point = msg.pt;
    pOwner->ScreenToClient(&point);
    CScreenTipTexts texts;
    TOOLINFOW info{};
    info.cbSize = m_bExtendedToolInfo ? kExtendedToolInfoSize : kRegularToolInfoSize;
    info.lParam = reinterpret_cast<LPARAM>(&texts);
    const INT_PTR nHit = pOwner->OnToolHitTest(point, &info);

    const bool sameTool = m_lastTool.cbSize != 0 && info.hwnd == m_lastTool.hwnd && info.uId == m_lastTool.uId;
    if (sameTool && ::EqualRect(&info.rect, &m_lastTool.rect)) {
        if (nHit != -1)
            RelayToTip(msg);
        FreeHitTestTexts(info, texts);
        return;
    }
    if (sameTool) {
        m_pTipWnd->SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&m_lastTool));
        m_lastTool = TOOLINFOW{};
    }

    if (nHit == -1) {
        ActivateTip(FALSE);
    } else {
        TOOLINFOW added = info;
        added.uFlags &= ~kOwnerPrivateFlags;
        m_pTipWnd->SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&added));
        if (m_nKind != kOwnRichTip && (m_dwComCtlVersion > 0x5004F || m_nKind != kCommonTip)) {
            if (m_bExtendedToolInfo && texts.lpszTitle && texts.lpszBody) {
                m_pTipWnd->SendMessage(TTM_SETTITLEW, m_nTitleIcon, reinterpret_cast<LPARAM>(texts.lpszTitle));
                added.lpszText = texts.lpszBody;
                m_pTipWnd->SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&added));
            } else {
                m_pTipWnd->SendMessage(TTM_SETTITLEW, 0, 0);
            }
        }
        if ((info.uFlags & kShowWhileInactive) || bActive) {
            ActivateTip(TRUE);
            ::SetWindowPos(m_pTipWnd->GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        }
    }

    RelayToTip(msg);
    if (!sameTool && m_lastTool.cbSize != 0)
        m_pTipWnd->SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&m_lastTool));

    m_lastTool = TOOLINFOW{};
    if (nHit != -1) {
        m_lastTool.cbSize = info.cbSize;
        m_lastTool.uFlags = info.uFlags & ~kOwnerPrivateFlags;
        m_lastTool.hwnd = info.hwnd;
        m_lastTool.uId = info.uId;
        m_lastTool.rect = info.rect;
    }
    FreeHitTestTexts(info, texts);
}

void CScreenTipContext::ForgetLastTool()
{
    ActivateTip(FALSE);
    if (m_pTipWnd && m_pTipWnd->GetSafeHwnd() && m_lastTool.cbSize != 0)
        m_pTipWnd->SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&m_lastTool));
    m_lastTool = TOOLINFOW{};
}

void CScreenTipContext::RelayToTip(const MSG& msg)
{
    // A deactivated tip hears nothing until the context activates it again:
    // some tooltip controls show a tip from relayed input even while inactive.
    if (!m_pTipWnd || !m_pTipWnd->GetSafeHwnd() || !m_bTipActive)
        return;
    MSG relayed = msg;
    POINT pt = msg.pt;
    relayed.hwnd = reinterpret_cast<HWND>(m_pTipWnd->SendMessage(TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&pt)));
    if (!relayed.hwnd)
        relayed.hwnd = msg.hwnd;
    if (relayed.message >= WM_MOUSEFIRST && relayed.message <= WM_MBUTTONDBLCLK) {
        ::ScreenToClient(relayed.hwnd, &pt);
        relayed.lParam = MAKELPARAM(pt.x, pt.y);
    }
    m_pTipWnd->SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void CScreenTipContext::FreeHitTestTexts(TOOLINFOW& info, CScreenTipTexts& texts)
{
    if (info.lpszText && info.lpszText != LPSTR_TEXTCALLBACKW && !info.hinst)
        std::free(info.lpszText);
    info.lpszText = nullptr;
    std::free(texts.lpszBody);
    std::free(texts.lpszTitle);
    texts = CScreenTipTexts{};
}

void AFXAPI FillToolInfo(TOOLINFOW* pTI, HWND hWnd, const RECT& rect, UINT_PTR nID, LPCWSTR lpszText,
                         LPCWSTR lpszTitle, LPCWSTR lpszBody)
{
    if (!pTI || pTI->cbSize < kRegularToolInfoSize)
        return;
    pTI->hwnd = hWnd;
    pTI->rect = rect;
    pTI->uId = nID;
    pTI->lpszText = HeapCopy(lpszText ? lpszText : L"");
    if (pTI->cbSize >= kExtendedToolInfoSize && lpszTitle && *lpszTitle && lpszBody && *lpszBody && pTI->lParam) {
        auto* pTexts = reinterpret_cast<CScreenTipTexts*>(pTI->lParam);
        pTexts->lpszBody = HeapCopy(lpszBody);
        pTexts->lpszTitle = HeapCopy(lpszTitle);
    }
}

#include "CUiHyperLink.h"

#include "CColorTable.h"
#include "CToolkitResources.h"
#include "DeviceContexts.h"

#include <shellapi.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CUiHyperLink, CStatic)

namespace {

constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHandCursorID = 9973;

// The message of each shell error code (string resources 9037 to 9049);
// anything else formats 9050 with the code.
UINT ShellErrorString(int nError)
{
    switch (nError)
    {
    case 0: return 9037;
    case ERROR_FILE_NOT_FOUND: return 9038;
    case ERROR_PATH_NOT_FOUND: return 9039;
    case SE_ERR_ACCESSDENIED: return 9040;
    case SE_ERR_OOM: return 9041;
    case ERROR_BAD_FORMAT: return 9042;
    case SE_ERR_SHARE: return 9043;
    case SE_ERR_ASSOCINCOMPLETE: return 9044;
    case SE_ERR_DDETIMEOUT: return 9045;
    case SE_ERR_DDEFAIL: return 9046;
    case SE_ERR_DDEBUSY: return 9047;
    case SE_ERR_NOASSOC: return 9048;
    case SE_ERR_DLLNOTFOUND: return 9049;
    default: return 0;
    }
}

} // namespace

BEGIN_MESSAGE_MAP(CUiHyperLink, CStatic)
  ON_WM_SETCURSOR()
  ON_WM_CREATE()
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_MOUSEMOVE()
  ON_WM_TIMER()
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_WM_WINDOWPOSCHANGED()
  ON_WM_NCHITTEST()
  ON_CONTROL_REFLECT_EX(STN_CLICKED, OnClicked)
END_MESSAGE_MAP()

CUiHyperLink::CUiHyperLink()
{
    m_hCursor = ::LoadCursorW(nullptr, IDC_HAND);
    if (m_hCursor == nullptr)
        m_hCursor = GetToolkitResources()->LoadCursor(kHandCursorID);
}

CUiHyperLink::~CUiHyperLink() = default;

// ----- set-up -----

void CUiHyperLink::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    if (m_bInitializeOnSubclass)
        InitControl();
}

BOOL CUiHyperLink::PreCreateWindow(CREATESTRUCT& cs)
{
    m_bInitializeOnSubclass = FALSE;
    return CStatic::PreCreateWindow(cs);
}

int CUiHyperLink::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    const int result = CStatic::OnCreate(lpCreateStruct);
    if (result != -1)
        InitControl();
    return result;
}

BOOL CUiHyperLink::IsTextControl() const
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    const DWORD type = GetStyle() & 0xFF;
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
}

void CUiHyperLink::InitControl()
{
    if (!IsTextControl())
        return;
    if (m_strURL.IsEmpty())
        GetWindowText(m_strURL);
    SetURL(m_strURL);
    ModifyStyle(0, SS_NOTIFY);
    ApplyFont();
}

BOOL CUiHyperLink::CreateLinkFont(CFont& font, BOOL bUnderline)
{
    LOGFONTW lf{};
    CFont* pFont = GetSafeHwnd() != nullptr ? GetFont() : nullptr;
    if (pFont == nullptr || pFont->GetSafeHandle() == nullptr || !pFont->GetLogFont(&lf))
    {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        lf = metrics.lfStatusFont;
    }
    lf.lfUnderline = bUnderline ? TRUE : FALSE;
    font.DeleteObject();
    return font.CreateFontIndirect(&lf);
}

void CUiHyperLink::ApplyFont()
{
    CFont font;
    if (!CreateLinkFont(font, m_bUnderline))
        return;
    // The control keeps using the old font until the new one is set.
    m_linkFont.DeleteObject();
    m_linkFont.Attach(font.Detach());
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_linkFont.GetSafeHandle()), TRUE);
}

void CUiHyperLink::SetURL(LPCTSTR lpszURL)
{
    m_strURL = lpszURL != nullptr ? lpszURL : L"";
    if (m_strToolTip.IsEmpty())
        m_strToolTip = m_strURL;
    if (m_strToolTip.IsEmpty() || GetSafeHwnd() == nullptr)
        return;
    if (m_toolTip.GetSafeHwnd() != nullptr)
    {
        m_toolTip.UpdateTipText(m_strURL, this);
        return;
    }
    if (m_toolTip.Create(this, 0))
    {
        CRect client;
        GetClientRect(&client);
        m_toolTip.AddTool(this, m_strToolTip, &client, 1);
        m_toolTip.Activate(m_bToolTipEnabled);
    }
}

// ----- colours and font -----

void CUiHyperLink::SetColors(COLORREF clrLink, COLORREF clrVisited, COLORREF clrHover)
{
    m_clrLink = clrLink;
    m_clrVisited = clrVisited;
    m_clrHover = clrHover;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CUiHyperLink::SetVisited(BOOL bVisited)
{
    m_bVisited = bVisited;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CUiHyperLink::SetUnderline(BOOL bUnderline)
{
    m_bUnderline = bUnderline;
    if (GetSafeHwnd() != nullptr)
        ApplyFont();
}

void CUiHyperLink::SetBackColor(COLORREF clr)
{
    m_clrBack = clr;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

COLORREF CUiHyperLink::GetBackColor() const
{
    return m_clrBack == static_cast<COLORREF>(-1) ? GetColorTable()->GetColor(kSlotButtonFace) : m_clrBack;
}

HBRUSH CUiHyperLink::CtlColor(CDC* pDC, UINT)
{
    if (!IsTextControl())
        return nullptr;
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_bHover ? m_clrHover : (m_bVisited ? m_clrVisited : m_clrLink));
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

// ----- pointer -----

BOOL CUiHyperLink::IsCursorOverText() const
{
    if (!IsTextControl())
        return TRUE;
    CString text;
    GetWindowText(text);
    CClientDC dc(const_cast<CUiHyperLink*>(this));
    CFont* pOld = dc.SelectObject(GetFont());
    const CSize extent = dc.GetTextExtent(text);
    dc.SelectObject(pOld);
    CRect rect;
    GetWindowRect(&rect);
    const int width = std::min(static_cast<int>(extent.cx), static_cast<int>(rect.Width()));
    switch (GetStyle() & 0xFF)
    {
    case SS_CENTER:
        rect.left += (rect.Width() - width) / 2;
        rect.right = rect.left + width;
        break;
    case SS_RIGHT:
        rect.left = rect.right - width;
        break;
    default:
        rect.right = rect.left + width;
        break;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    return rect.PtInRect(cursor);
}

BOOL CUiHyperLink::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hCursor != nullptr && IsCursorOverText())
    {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

void CUiHyperLink::OnMouseMove(UINT nFlags, CPoint point)
{
    if (IsTextControl() && IsCursorOverText())
        SetTimer(kHoverTimer, 10, nullptr);
    CStatic::OnMouseMove(nFlags, point);
}

void CUiHyperLink::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kHoverTimer)
    {
        CStatic::OnTimer(nIDEvent);
        return;
    }
    if (IsCursorOverText())
    {
        m_bHover = TRUE;
    }
    else
    {
        m_bHover = FALSE;
        KillTimer(kHoverTimer);
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

LRESULT CUiHyperLink::OnNcHitTest(CPoint) { return HTCLIENT; }

BOOL CUiHyperLink::PreTranslateMessage(MSG* pMsg)
{
    if (m_bToolTipEnabled && m_toolTip.GetSafeHwnd() != nullptr)
        m_toolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

// ----- painting -----

BOOL CUiHyperLink::OnEraseBkgnd(CDC*) { return TRUE; }

void CUiHyperLink::OnPaint()
{
    if ((GetExStyle() & WS_EX_TRANSPARENT) != 0)
    {
        Default();
        return;
    }
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CUiMemDC memDC(&dc, client, CStyleGradient(GetBackColor()));
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(memDC.GetSafeHdc()), 0);
}

void CUiHyperLink::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CStatic::OnWindowPosChanged(lpwndpos);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// ----- opening -----

BOOL CUiHyperLink::OnClicked()
{
    if (!IsCursorOverText())
        return TRUE;
    if (m_bNavigateOnClick)
        m_bVisited = GotoURL(nullptr, SW_SHOW);
    else
        m_bVisited = TRUE;
    if (m_bToolTipEnabled && m_toolTip.GetSafeHwnd() != nullptr)
        m_toolTip.Pop();
    Invalidate();
    // A text control lets the parent see the click as well.
    return !IsTextControl();
}

BOOL CUiHyperLink::GotoURL(LPCTSTR lpszFile, int nShowCmd, LPCTSTR lpszParameters, LPCTSTR lpszDirectory)
{
    // The link goes to the shell as the file to open, whole: no command
    // interpreter ever sees its text.
    const CString target = lpszFile != nullptr ? CString(lpszFile) : m_strURL;
    if (target.IsEmpty())
        return FALSE;
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(GetSafeHwnd(), L"open", target, lpszParameters, lpszDirectory, nShowCmd));
    if (result <= 32)
    {
        ReportError(static_cast<int>(result));
        return FALSE;
    }
    return TRUE;
}

void CUiHyperLink::ReportError(int nError)
{
    CString message;
    const UINT nID = ShellErrorString(nError);
    if (nID != 0)
    {
        GetToolkitResources()->LoadString(message, nID);
    }
    else
    {
        CString format;
        GetToolkitResources()->LoadString(format, 9050);
        message.Format(format, nError);
    }
    ::MessageBeep(MB_ICONEXCLAMATION);
    ::MessageBoxW(GetSafeHwnd(), message, nullptr, MB_ICONEXCLAMATION | MB_OK);
}

#include "CControlBar.h"

#include "CDC.h"
#include "CFrameWnd.h"
#include "GdiObjects.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CToolBar, CControlBar)
IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)
IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
    ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, OnHeightChange)
END_MESSAGE_MAP()

BOOL CControlBar::CreateBarWindow(LPCTSTR lpszClass, DWORD dwBarStyle, DWORD dwWindowStyle, CWnd* pParentWnd,
                                  UINT nID)
{
    m_dwStyle = dwBarStyle & CBRS_ALL;
    // The common controls must not place themselves: the layout does. The
    // window style carries the control's own low-word styles (a status bar's
    // size grip, a tool bar's flat look); only the gripper bit, which is a bar
    // style sharing a window style's place, is taken out.
    DWORD style = (dwWindowStyle & ~static_cast<DWORD>(CBRS_GRIPPER)) | WS_CHILD | CCS_NOPARENTALIGN | CCS_NORESIZE |
                  CCS_NODIVIDER;
    if (!CWnd::CreateEx(0, lpszClass, nullptr, style, 0, 0, 0, 0, pParentWnd->GetSafeHwnd(),
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID))))
        return FALSE;
    SetOwner(pParentWnd);
    if (pParentWnd != nullptr && pParentWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
    {
        m_pDockSite = static_cast<CFrameWnd*>(pParentWnd);
        m_pDockSite->AddControlBar(this);
    }
    return TRUE;
}

void CControlBar::PostNcDestroy()
{
    if (m_pDockSite != nullptr && CFrameWnd::IsFrameOfThread(m_pDockSite))
        m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
    if (m_bAutoDelete)
        delete this;
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    DWORD old = m_dwStyle;
    m_dwStyle = dwStyle;
    if (old != dwStyle)
        OnBarStyleChange(old, dwStyle);
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size;
    size.cx = (bStretch && bHorz) ? 32767 : 0;
    size.cy = (bStretch && !bHorz) ? 32767 : 0;
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD dwMode)
{
    return CalcFixedLayout(dwMode & LM_STRETCH, dwMode & LM_HORZ);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += 1;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += 1;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= 1;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= 1;
    if (bHorz)
    {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    }
    else
    {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
}

void CControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_pendingShow = bShow ? PendingShow::show : PendingShow::hide;
    if (m_pDockSite != nullptr)
        m_pDockSite->DelayRecalcLayout();
}

// Bars sit on the button face whatever the frame's own background is.
BOOL CControlBar::OnEraseBkgnd(CDC* pDC)
{
    RECT client;
    GetClientRect(&client);
    ::FillRect(pDC->m_hDC, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!(GetStyle() & WS_VISIBLE) || !(m_dwStyle & CBRS_ALIGN_ANY))
        return 0;

    CRect rect(layout->rect);
    CSize available = rect.Size();
    BOOL horizontal = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CSize size = CalcFixedLayout(layout->bStretch, horizontal);
    size.cx = std::min(size.cx, available.cx);
    size.cy = std::min(size.cy, available.cy);

    if (horizontal)
    {
        layout->sizeTotal.cy += size.cy;
        layout->sizeTotal.cx = std::max(layout->sizeTotal.cx, size.cx);
        if (m_dwStyle & CBRS_ALIGN_TOP)
        {
            layout->rect.top += size.cy;
        }
        else
        {
            rect.top = rect.bottom - size.cy;
            layout->rect.bottom -= size.cy;
        }
    }
    else
    {
        layout->sizeTotal.cx += size.cx;
        layout->sizeTotal.cy = std::max(layout->sizeTotal.cy, size.cy);
        if (m_dwStyle & CBRS_ALIGN_LEFT)
        {
            layout->rect.left += size.cx;
        }
        else
        {
            rect.left = rect.right - size.cx;
            layout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    if (layout->hDWP != nullptr)
        layout->hDWP = ::DeferWindowPos(layout->hDWP, m_hWnd, nullptr, rect.left, rect.top, rect.Width(),
                                        rect.Height(), SWP_NOACTIVATE | SWP_NOZORDER);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (m_pendingShow != PendingShow::none)
    {
        ShowWindow(m_pendingShow == PendingShow::show ? SW_SHOWNOACTIVATE : SW_HIDE);
        m_pendingShow = PendingShow::none;
    }
    if (!IsWindowVisible())
        return 0;
    CWnd* pOwner = GetOwner();
    CFrameWnd* pTarget = (pOwner != nullptr && pOwner->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
                             ? static_cast<CFrameWnd*>(pOwner)
                             : GetParentFrame();
    if (pTarget != nullptr)
        OnUpdateCmdUI(pTarget, static_cast<BOOL>(wParam));
    return 0;
}

// Toolbar buttons as command-update items.
namespace
{
class CToolCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        m_pOther->SendMessage(TB_ENABLEBUTTON, m_nID, MAKELONG(bOn ? TRUE : FALSE, 0));
    }
    void SetCheck(int nCheck) override { m_pOther->SendMessage(TB_CHECKBUTTON, m_nID, MAKELONG(nCheck != 0, 0)); }
    void SetText(LPCTSTR) override {}
};

class CStatusCmdUI : public CCmdUI
{
public:
    CStatusBar* m_pBar = nullptr;
    CString m_strOn;
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        m_pBar->SetPaneText(static_cast<int>(m_nIndex), bOn ? static_cast<LPCTSTR>(m_strOn) : L"");
    }
    void SetCheck(int) override {}
    void SetText(LPCTSTR lpszText) override { m_pBar->SetPaneText(static_cast<int>(m_nIndex), lpszText); }
};
} // namespace

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, TBSTYLE_FLAT, dwStyle, CRect(0, 0, 0, 0), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect, UINT nID)
{
    DWORD windowStyle = (dwStyle & (WS_VISIBLE | WS_CLIPSIBLINGS)) | dwCtrlStyle | TBSTYLE_TOOLTIPS;
    if (!CreateBarWindow(TOOLBARCLASSNAMEW, dwStyle, windowStyle, pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

CToolBar::~CToolBar()
{
    // The toolbar's image list holds the images; the bitmap goes after it.
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
    {
        m_bAutoDelete = FALSE; // being deleted already
        DestroyWindow();
    }
    if (m_hbmImageWell != nullptr)
        ::DeleteObject(m_hbmImageWell);
}

BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceW(hInst, lpszResourceName, MAKEINTRESOURCEW(241));
    if (hResource == nullptr)
        return FALSE;
    auto* data = static_cast<const WORD*>(::LockResource(::LoadResource(hInst, hResource)));
    DWORD bytes = ::SizeofResource(hInst, hResource);
    if (data == nullptr || bytes < 8 || data[0] != 1)
        return FALSE;
    WORD count = data[3];
    if (bytes < 8u + 2u * count)
        return FALSE;
    m_sizeImage = CSize(data[1], data[2]);
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(data[1], data[2]));

    int images = 0;
    for (WORD i = 0; i < count; ++i)
        if (data[4 + i] != 0)
            ++images;
    HBITMAP hBitmap = static_cast<HBITMAP>(
        ::LoadImageW(hInst, lpszResourceName, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS | LR_CREATEDIBSECTION));
    if (hBitmap != nullptr)
    {
        TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(hBitmap)};
        SendMessage(TB_ADDBITMAP, images, reinterpret_cast<LPARAM>(&add));
        if (m_hbmImageWell != nullptr)
            ::DeleteObject(m_hbmImageWell);
        m_hbmImageWell = hBitmap;
    }
    else
    {
        TBADDBITMAP add{HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
        SendMessage(TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&add));
    }
    std::vector<UINT> ids(data + 4, data + 4 + count);
    return SetButtons(ids.data(), count);
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    while (SendMessage(TB_BUTTONCOUNT) > 0)
        SendMessage(TB_DELETEBUTTON, 0);
    std::vector<TBBUTTON> buttons(nIDCount);
    int image = 0;
    for (int i = 0; i < nIDCount; ++i)
    {
        TBBUTTON& button = buttons[i];
        button = TBBUTTON{};
        if (lpIDArray == nullptr || lpIDArray[i] == 0)
        {
            button.fsStyle = TBSTYLE_SEP;
            button.iBitmap = 6;
        }
        else
        {
            button.iBitmap = image++;
            button.idCommand = static_cast<int>(lpIDArray[i]);
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = TBSTYLE_BUTTON;
        }
    }
    return static_cast<BOOL>(SendMessage(TB_ADDBUTTONSW, nIDCount, reinterpret_cast<LPARAM>(buttons.data())));
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button{};
    SendMessage(TB_GETBUTTON, nIndex, reinterpret_cast<LPARAM>(&button));
    return (button.fsStyle & TBSTYLE_SEP) ? 0 : static_cast<UINT>(button.idCommand);
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    SIZE extent{};
    SendMessage(TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&extent));
    if (extent.cy == 0)
        extent.cy = HIWORD(SendMessage(TB_GETBUTTONSIZE));
    CRect borders(0, 0, 0, 0);
    CalcInsideRect(borders, bHorz);
    int borderX = -borders.left + borders.right;   // CalcInsideRect shrinks: the growth is negative
    int borderY = -borders.top + borders.bottom;
    CSize size(extent.cx - borderX, extent.cy - borderY);
    if (bStretch)
    {
        if (bHorz)
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    return size;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        state.m_nID = GetItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID != 0)
            state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateBarWindow(STATUSCLASSNAMEW, dwStyle, dwStyle & WS_VISIBLE, pParentWnd, nID);
}

static CString IndicatorText(UINT nID)
{
    CString text;
    if (text.LoadString(nID))
        return text;
    switch (nID)
    {
    case ID_INDICATOR_CAPS:
        return L"CAP";
    case ID_INDICATOR_NUM:
        return L"NUM";
    case ID_INDICATOR_SCRL:
        return L"SCRL";
    default:
        return text;
    }
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    m_panes.clear();
    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ oldFont = ::SelectObject(hDC, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    for (int i = 0; i < nIDCount; ++i)
    {
        Pane pane{lpIDArray[i], IndicatorText(lpIDArray[i]), 0};
        SIZE extent{};
        ::GetTextExtentPoint32W(hDC, pane.text, pane.text.GetLength(), &extent);
        pane.cx = extent.cx + 12;
        m_panes.push_back(pane);
    }
    ::SelectObject(hDC, oldFont);
    ::ReleaseDC(m_hWnd, hDC);
    UpdateParts();
    return TRUE;
}

void CStatusBar::UpdateParts()
{
    if (m_panes.empty())
        return;
    RECT client;
    GetClientRect(&client);
    std::vector<int> rights(m_panes.size());
    int right = client.right - (GetStyle() & SBARS_SIZEGRIP ? ::GetSystemMetrics(SM_CXVSCROLL) : 0);
    for (size_t i = m_panes.size(); i-- > 1;)
    {
        rights[i] = right;
        right -= m_panes[i].cx;
    }
    rights[0] = right;
    rights.back() = -1; // the last pane runs to the edge
    SendMessage(SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
}

void CStatusBar::OnSize(UINT, int, int)
{
    Default();
    UpdateParts();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL)
{
    return static_cast<BOOL>(SendMessage(SB_SETTEXTW, nIndex, reinterpret_cast<LPARAM>(lpszNewText)));
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    int length = LOWORD(SendMessage(SB_GETTEXTLENGTHW, nIndex));
    CString text;
    SendMessage(SB_GETTEXTW, nIndex, reinterpret_cast<LPARAM>(text.GetBuffer(length + 1)));
    text.ReleaseBuffer();
    return text;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i].nID == nIDFind)
            return static_cast<int>(i);
    return -1;
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ oldFont = ::SelectObject(hDC, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(hDC, &metrics);
    ::SelectObject(hDC, oldFont);
    ::ReleaseDC(m_hWnd, hDC);
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    size.cy = metrics.tmHeight + 10;
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI state;
    state.m_pBar = this;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(m_panes.size());
    // Pane 0 is the message pane, written by the frame.
    for (state.m_nIndex = 1; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        state.m_nID = m_panes[state.m_nIndex].nID;
        state.m_strOn = m_panes[state.m_nIndex].text;
        if (state.m_nID != 0)
            state.DoUpdate(pTarget, FALSE);
    }
}

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    return CreateBarWindow(REBARCLASSNAMEW, dwStyle, (dwStyle & (WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN)) | dwCtrlStyle,
                           pParentWnd, nID);
}

BOOL CReBar::AddBar(CWnd* pBar, LPCTSTR pszText, CBitmap* pbmp, DWORD dwStyle)
{
    REBARBANDINFOW band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | (pszText ? RBBIM_TEXT : 0) | (pbmp ? RBBIM_BACKGROUND : 0);
    band.fStyle = dwStyle;
    band.hwndChild = pBar->m_hWnd;
    band.lpText = const_cast<LPWSTR>(pszText);
    band.hbmBack = pbmp != nullptr ? static_cast<HBITMAP>(pbmp->GetSafeHandle()) : nullptr;
    RECT rect;
    pBar->GetWindowRect(&rect);
    band.cxMinChild = rect.right - rect.left;
    band.cyMinChild = rect.bottom - rect.top;
    return static_cast<BOOL>(SendMessage(RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band)));
}

void CReBar::OnHeightChange(NMHDR*, LRESULT* pResult)
{
    // The bands wrapped or unwrapped: the frame lays its bars out again.
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->DelayRecalcLayout();
    *pResult = 0;
}

CSize CReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    size.cy = static_cast<int>(SendMessage(RB_GETBARHEIGHT));
    return size;
}

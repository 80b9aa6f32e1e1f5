#include "StyleGallery.h"

#include "GalleryIcons.h"

#include <algorithm>

namespace
{
// Background erasing is left out (every window paints all of itself) and
// painting goes to the window's Paint.
template <class Window>
bool HandlePaint(Window* pWnd, UINT message, LRESULT& result)
{
    if (message == WM_ERASEBKGND)
    {
        result = 1;
        return true;
    }
    if (message != WM_PAINT)
        return false;
    CPaintDC dc(pWnd);
    pWnd->Paint(&dc);
    result = 0;
    return true;
}
} // namespace

CGalleryControl::CGalleryControl(int nType, LPCTSTR lpszCaption, CCommandIcon* pIcon) : CKitControl(nType), m_pIcon(pIcon)
{
    m_strCaption = lpszCaption;
}

CCommandIcon* CGalleryControl::GetIcon(int) { return m_pIcon; }

// Bars.

CGalleryBar::CGalleryBar(CCommandBarDrawer* pDrawer, int nType, int nPosition) : m_pDrawer(pDrawer)
{
    m_pDrawer->InternalAddRef();
    m_nType = nType;
    m_nPosition = nPosition;
    m_expand.m_pParent = this;
}

CGalleryBar::~CGalleryBar()
{
    DestroyWindow();
    m_controls.RemoveAll();
    m_pDrawer->InternalRelease();
}

CGalleryControl* CGalleryBar::AddControl(int nType, LPCTSTR lpszCaption, CCommandIcon* pIcon)
{
    auto* pControl = new CGalleryControl(nType, lpszCaption, pIcon);
    m_controls.Add(pControl, this);
    return pControl;
}

CSize CGalleryBar::Layout()
{
    CClientDC dc(nullptr);
    const CRect rcBorders = m_pDrawer->GetBarBorders(this);
    const BOOL bPopup = m_nType == kBarTypePopup;
    // Popups and bars docked left or right stack their controls in a column.
    const BOOL bColumn = bPopup || IsVertical();
    int x = rcBorders.left;
    int y = rcBorders.top;
    if (m_dwStyle & kBarStyleGripper)
    {
        const CSize gripper = m_pDrawer->DrawGripper(&dc, this, FALSE);
        x += gripper.cx;
        y += gripper.cy;
    }

    int nRowHeight = 0;
    int nWidest = 0;
    std::vector<CSize> sizes;
    for (int i = 0; i < m_controls.GetCount(); ++i)
    {
        const CSize size = m_pDrawer->DrawControlDispatch(&dc, m_controls.GetAt(i), FALSE);
        sizes.push_back(size);
        nRowHeight = std::max<int>(nRowHeight, size.cy);
        nWidest = std::max<int>(nWidest, size.cx);
    }
    const int nStart = bColumn ? y : x;
    for (int i = 0; i < m_controls.GetCount(); ++i)
    {
        CKitControl* pControl = m_controls.GetAt(i);
        const CSize size = sizes[static_cast<size_t>(i)];
        if (pControl->GetBeginGroup())
        {
            const CSize separator = m_pDrawer->DrawSeparator(&dc, this, pControl, FALSE);
            (bColumn ? y : x) += bColumn ? separator.cy : separator.cx;
        }
        if (bPopup)
        {
            // Menu items stretch across the popup.
            pControl->m_rcControl = CRect(x, y, x + nWidest, y + size.cy);
            y += size.cy;
        }
        else if (bColumn)
        {
            const int left = x + (nWidest - size.cx) / 2;
            pControl->m_rcControl = CRect(left, y, left + size.cx, y + size.cy);
            y += size.cy;
        }
        else
        {
            // Controls keep their measured size, centred in the row.
            const int top = y + (nRowHeight - size.cy) / 2;
            pControl->m_rcControl = CRect(x, top, x + size.cx, top + size.cy);
            x += size.cx;
        }
    }
    const CRect rcRow = bColumn ? CRect(x, nStart, x + nWidest, y) : CRect(nStart, y, x, y + nRowHeight);
    for (int i = 0; i < m_controls.GetCount(); ++i)
        m_controls.GetAt(i)->m_rcRow = bPopup ? m_controls.GetAt(i)->m_rcControl : rcRow;

    const int nExpand = m_bExpandButton && !bPopup ? 13 : 0;
    if (bPopup && m_bExpandButton)
    {
        const int cy = m_pDrawer->DrawSpecialControl(&dc, kSpecialPopupExpand, &m_expand, this, FALSE, nullptr).cy;
        m_expand.m_rcControl = CRect(x, y, x + nWidest, y + cy);
        y += cy;
    }
    m_size = bColumn ? CSize(x + nWidest + rcBorders.right, y + rcBorders.bottom + nExpand)
                     : CSize(x + rcBorders.right + nExpand, y + nRowHeight + rcBorders.bottom);
    if (nExpand != 0)
        m_pDrawer->DrawSpecialControl(&dc, kSpecialToolbarExpand, &m_expand, this, FALSE, &m_size);
    return m_size;
}

void CGalleryBar::Paint(CDC* pDC)
{
    m_pDrawer->PaintBarBackground(pDC, this);
    if (m_dwStyle & kBarStyleGripper)
        m_pDrawer->DrawGripper(pDC, this, TRUE);
    for (int i = 0; i < m_controls.GetCount(); ++i)
    {
        CKitControl* pControl = m_controls.GetAt(i);
        if (pControl->GetBeginGroup())
            m_pDrawer->DrawSeparator(pDC, this, pControl, TRUE);
        m_pDrawer->DrawControlDispatch(pDC, pControl, TRUE);
    }
    if (m_bExpandButton)
        m_pDrawer->DrawSpecialControl(pDC, m_nType == kBarTypePopup ? kSpecialPopupExpand : kSpecialToolbarExpand,
                                      &m_expand, this, TRUE, &m_bHiddenControls);
}

LRESULT CGalleryBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    return HandlePaint(this, message, result) ? result : CKitCommandBar::WindowProc(message, wParam, lParam);
}

LRESULT CGalleryDockBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    return HandlePaint(this, message, result) ? result : CWnd::WindowProc(message, wParam, lParam);
}

// Status bar.

CGalleryStatusBar::CGalleryStatusBar(CCommandBarDrawer* pDrawer) : m_pDrawer(pDrawer)
{
    CNonClientMetrics metrics;
    m_font.CreateFontIndirect(&metrics.lfStatusFont);
    const struct
    {
        LPCTSTR text;
        int width;
        int alignment;
        DWORD style;
    } panes[] = {{L"Ready", 150, 0, 0}, {L"CAP", 40, 1, 0}, {L"NUM", 40, 1, kPaneDisabled}};
    for (const auto& spec : panes)
    {
        auto* pPane = new CKitStatusBarPane;
        pPane->m_strText = spec.text;
        pPane->m_nWidth = spec.width;
        pPane->m_nAlignment = spec.alignment;
        pPane->m_dwStyle = spec.style;
        pPane->m_pFont = &m_font;
        m_panes.push_back(pPane);
    }
}

CGalleryStatusBar::~CGalleryStatusBar()
{
    DestroyWindow();
    for (CKitStatusBarPane* pPane : m_panes)
        pPane->InternalRelease();
}

CRect CGalleryStatusBar::PaneRect(int nIndex) const
{
    CRect rcClient;
    GetClientRect(&rcClient);
    int x = 2;
    for (int i = 0; i < nIndex; ++i)
        x += m_panes[static_cast<size_t>(i)]->m_nWidth + 2;
    return CRect(x, 2, x + m_panes[static_cast<size_t>(nIndex)]->m_nWidth, rcClient.bottom);
}

void CGalleryStatusBar::Paint(CDC* pDC)
{
    m_pDrawer->PaintStatusBarBackground(pDC, this);
    const int nCount = static_cast<int>(m_panes.size());
    for (int i = 0; i < nCount; ++i)
    {
        const CRect rc = PaneRect(i);
        m_pDrawer->DrawStatusBarPane(pDC, rc, m_panes[static_cast<size_t>(i)]);
        m_pDrawer->DrawStatusBarPaneBorder(pDC, rc, i == nCount - 1);
    }
    CRect rcClient;
    GetClientRect(&rcClient);
    m_pDrawer->DrawStatusBarGripper(pDC, rcClient);
}

LRESULT CGalleryStatusBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    return HandlePaint(this, message, result) ? result : CWnd::WindowProc(message, wParam, lParam);
}

// The gallery window.

CGalleryColumn::~CGalleryColumn()
{
    pPopup.reset();
    pSideBar.reset();
    pMenuBar.reset();
    pToolBar.reset();
    pStatusBar.reset();
    pTopDock.reset();
    pRightDock.reset();
    if (pDrawer != nullptr)
        pDrawer->InternalRelease();
}

CStyleGalleryWindow::CStyleGalleryWindow() = default;

CStyleGalleryWindow::~CStyleGalleryWindow()
{
    DestroyWindow();
    m_columns.clear();
    for (CCommandIcon* pIcon : m_icons)
        ReleaseGalleryIcon(pIcon);
}

BOOL CStyleGalleryWindow::CreateGallery()
{
    m_icons = {CreateGalleryIcon(kCmdNew, RGB(255, 255, 255), GalleryShape::Page),
               CreateGalleryIcon(kCmdOpen, RGB(240, 200, 60), GalleryShape::Folder),
               CreateGalleryIcon(kCmdSave, RGB(40, 90, 200), GalleryShape::Disk),
               CreateGalleryIcon(kCmdBold, RGB(20, 20, 20), GalleryShape::Letter),
               CreateGalleryIcon(kCmdCut, RGB(200, 40, 40), GalleryShape::Cross),
               CreateGalleryIcon(kCmdUndo, RGB(30, 150, 60), GalleryShape::Arrow),
               CreateGalleryIcon(kCmdCopy, RGB(90, 90, 220), GalleryShape::Page),
               CreateGalleryIcon(kCmdPaste, RGB(170, 110, 50), GalleryShape::Folder),
               CreateGalleryIcon(kCmdStatusBar, RGB(120, 120, 120), GalleryShape::Disk)};

    const int styles[] = {0, 1, 2, 4};
    const int nWidth = static_cast<int>(std::size(styles)) * (kColumnWidth + 8) + 8;
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
    CRect rcWindow(0, 0, nWidth, 400);
    ::AdjustWindowRectEx(&rcWindow, WS_OVERLAPPEDWINDOW, FALSE, 0);
    rcWindow.OffsetRect(10 - rcWindow.left, 10 - rcWindow.top);
    if (!CreateEx(0, lpszClass, L"Command bar drawing styles", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rcWindow,
                  nullptr, 0))
        return FALSE;
    int x = 8;
    for (int nStyle : styles)
    {
        auto column = std::make_unique<CGalleryColumn>();
        column->nStyle = nStyle;
        BuildColumn(*column, x);
        m_columns.push_back(std::move(column));
        x += kColumnWidth + 8;
    }
    ShowWindow(SW_SHOW);
    UpdateWindow();
    return TRUE;
}

void CStyleGalleryWindow::BuildColumn(CGalleryColumn& column, int x)
{
    CCommandBarDrawer* pDrawer = CreateCommandBarDrawer(column.nStyle);
    column.strTitle.Format(L"Style %d", column.nStyle);
    if (column.nStyle == 2)
    {
        // Wine has no visual style: the blue scheme is asked for by name so
        // that style 2's scheme colours and orange highlights show.
        pDrawer->m_nSchemeSetting = 1;
        column.strTitle += L" (blue scheme)";
    }
    pDrawer->ReloadMetrics();
    column.pDrawer = pDrawer;

    const int nDockWidth = kColumnWidth - 30;
    const int nTop = kCaptionHeight;
    column.pTopDock = std::make_unique<CGalleryDockBar>(pDrawer);
    column.pRightDock = std::make_unique<CGalleryDockBar>(pDrawer);

    // Menu bar: File, Edit (its popup open below), View, Help.
    column.pMenuBar = std::make_unique<CGalleryBar>(pDrawer, kBarTypeMenuBar, kBarTop);
    CGalleryBar& menu = *column.pMenuBar;
    menu.AddControl(kControlPopup, L"&File");
    CGalleryControl* pEdit = menu.AddControl(kControlPopup, L"&Edit");
    pEdit->m_nSelected = kSelectedByMouse;
    pEdit->m_bPopped = TRUE;
    menu.AddControl(kControlPopup, L"&View");
    menu.AddControl(kControlPopup, L"&Help");

    // Toolbar: idle, hot, pressed, checked and disabled buttons, a split
    // button and the expand button.
    column.pToolBar = std::make_unique<CGalleryBar>(pDrawer, kBarTypeToolBar, kBarTop);
    CGalleryBar& tools = *column.pToolBar;
    tools.m_dwStyle = kBarStyleGripper;
    tools.m_dwFlags = kDockSideFlags;
    tools.m_bExpandButton = TRUE;
    tools.AddControl(kControlButton, L"New", m_icons[0]);
    tools.AddControl(kControlButton, L"Open", m_icons[1])->m_nSelected = kSelectedByMouse;
    CGalleryControl* pSave = tools.AddControl(kControlButton, L"Save", m_icons[2]);
    pSave->m_nSelected = kSelectedByMouse;
    pSave->m_nPressed = kPressedInClickLoop;
    CGalleryControl* pBold = tools.AddControl(kControlButton, L"Bold", m_icons[3]);
    pBold->m_bChecked = TRUE;
    pBold->m_bBeginGroup = TRUE;
    CGalleryControl* pCut = tools.AddControl(kControlButton, L"Cut", m_icons[4]);
    pCut->m_bEnabled = FALSE;
    CGalleryControl* pUndo = tools.AddControl(kControlSplitButtonPopup, L"Undo", m_icons[5]);
    pUndo->m_bBeginGroup = TRUE;
    pUndo->m_nSelected = kSelectedByMouse;
    tools.AddControl(kControlButton, L"Help");

    // The Edit popup: icon column, shortcut texts, a disabled item, a
    // keyboard-selected item, check marks with and without an icon, a
    // submenu and the expand row.
    column.pPopup = std::make_unique<CGalleryBar>(pDrawer, kBarTypePopup, kBarPopup);
    CGalleryBar& popup = *column.pPopup;
    popup.m_bExpandButton = TRUE;
    popup.m_pOpener = pEdit;
    popup.AddControl(kControlButton, L"&Undo", m_icons[5])->m_strShortcutText = L"Ctrl+Z";
    CGalleryControl* pCutItem = popup.AddControl(kControlButton, L"Cu&t", m_icons[4]);
    pCutItem->m_strShortcutText = L"Ctrl+X";
    pCutItem->m_bEnabled = FALSE;
    pCutItem->m_bBeginGroup = TRUE;
    CGalleryControl* pCopy = popup.AddControl(kControlButton, L"&Copy", m_icons[6]);
    pCopy->m_strShortcutText = L"Ctrl+C";
    pCopy->m_nSelected = kSelectedByKeyboard;
    popup.AddControl(kControlButton, L"&Paste", m_icons[7])->m_strShortcutText = L"Ctrl+V";
    CGalleryControl* pWrap = popup.AddControl(kControlButton, L"&Word Wrap");
    pWrap->m_bChecked = TRUE;
    pWrap->m_bBeginGroup = TRUE;
    popup.AddControl(kControlButton, L"Status &Bar", m_icons[8])->m_bChecked = TRUE;
    popup.AddControl(kControlPopup, L"&Recent Files");
    CGalleryControl* pRare = popup.AddControl(kControlButton, L"&Select All");
    pRare->m_bHiddenInMenu = TRUE;
    pRare->m_strShortcutText = L"Ctrl+A";

    // A toolbar docked on the right: a column with a gripper on top and a
    // popup button whose caption runs downwards.
    column.pSideBar = std::make_unique<CGalleryBar>(pDrawer, kBarTypeToolBar, kBarRight);
    CGalleryBar& side = *column.pSideBar;
    side.m_dwStyle = kBarStyleGripper;
    side.m_dwFlags = kDockSideFlags;
    side.AddControl(kControlButton, L"Copy", m_icons[6]);
    side.AddControl(kControlButton, L"Paste", m_icons[7])->m_nSelected = kSelectedByMouse;
    side.AddControl(kControlPopup, L"Tools")->m_bBeginGroup = TRUE;

    const CSize szMenu = menu.Layout();
    const CSize szTools = tools.Layout();
    const CSize szPopup = popup.Layout();
    const CSize szSide = side.Layout();

    const int nDockHeight = szMenu.cy + szTools.cy + 2;
    column.pTopDock->CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | CBRS_ALIGN_TOP,
                              CRect(x, nTop, x + nDockWidth, nTop + nDockHeight), this, 0);
    column.pRightDock->CreateEx(0, AfxRegisterWndClass(0), L"",
                                WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT,
                                CRect(x + nDockWidth, nTop, x + kColumnWidth, nTop + nDockHeight + 240), this, 0);
    side.CreateEx(0, AfxRegisterWndClass(0), L"Edit", WS_CHILD | WS_VISIBLE,
                  CRect(1, 2, 1 + szSide.cx, 2 + szSide.cy), column.pRightDock.get(), 5);
    // The toolbar's row above the menu bar's, so that the open popup hangs
    // over the column's empty part and leaves the buttons in sight.
    tools.CreateEx(0, AfxRegisterWndClass(0), L"Standard", WS_CHILD | WS_VISIBLE,
                   CRect(0, 0, szTools.cx, szTools.cy), column.pTopDock.get(), 2);
    menu.CreateEx(0, AfxRegisterWndClass(0), L"Menu Bar", WS_CHILD | WS_VISIBLE,
                  CRect(0, szTools.cy + 2, nDockWidth, szTools.cy + 2 + szMenu.cy), column.pTopDock.get(), 1);

    const CRect rcEdit = pEdit->GetRect();
    const int nPopupTop = nTop + nDockHeight - 1;
    popup.CreateEx(0, AfxRegisterWndClass(0), L"Edit", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                   CRect(x + rcEdit.left, nPopupTop, x + rcEdit.left + szPopup.cx, nPopupTop + szPopup.cy), this, 3);
    ::SetWindowPos(popup.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    column.pStatusBar = std::make_unique<CGalleryStatusBar>(pDrawer);
    CRect rcClient;
    GetClientRect(&rcClient);
    column.pStatusBar->CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE,
                                CRect(x, rcClient.bottom - 24, x + kColumnWidth, rcClient.bottom), this, 4);
    column.rcColumn = CRect(x, 0, x + kColumnWidth, rcClient.bottom);
}

void CStyleGalleryWindow::Paint(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    pDC->FillSolidRect(rcClient, ::GetSysColor(COLOR_WINDOW));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    HGDIOBJ hOld = ::SelectObject(pDC->m_hDC, ::GetStockObject(DEFAULT_GUI_FONT));
    for (const auto& column : m_columns)
    {
        CRect rcTitle(column->rcColumn.left, 2, column->rcColumn.right, kCaptionHeight);
        pDC->DrawText(column->strTitle, &rcTitle, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    ::SelectObject(pDC->m_hDC, hOld);
}

LRESULT CStyleGalleryWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    return HandlePaint(this, message, result) ? result : CWnd::WindowProc(message, wParam, lParam);
}

#include "CStandardControlsPage.h"

#include <vector>

CStandardControlsPage::~CStandardControlsPage()
{
    if (GetSafeHwnd())
        DestroyWindow();
    if (m_hIcon != nullptr)
        ::DestroyIcon(m_hIcon);
}

HICON CStandardControlsPage::CreateTestIcon()
{
    constexpr int kSize = 16;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kSize;
    info.bmiHeader.biHeight = -kSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HBITMAP hColor = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hColor == nullptr)
        return nullptr;
    auto* pixels = static_cast<DWORD*>(pBits);
    for (int y = 0; y < kSize; ++y)
    {
        for (int x = 0; x < kSize; ++x)
        {
            const bool inner = x >= 5 && x < 11 && y >= 5 && y < 11;
            const COLORREF c = inner ? kIconInner : kIconOuter;
            // Opaque 0xAARRGGBB.
            pixels[y * kSize + x] = 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    }
    std::vector<BYTE> maskBits(kSize * kSize / 8, 0);
    HBITMAP hMask = ::CreateBitmap(kSize, kSize, 1, 1, maskBits.data());
    ICONINFO iconInfo{TRUE, 0, 0, hMask, hColor};
    HICON hIcon = ::CreateIconIndirect(&iconInfo);
    ::DeleteObject(hMask);
    ::DeleteObject(hColor);
    return hIcon;
}

BOOL CStandardControlsPage::CreateList()
{
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS;
    if (!m_list.Create(style, CRect(10, 10, 470, 230), this, kListId))
        return FALSE;
    const int widths[] = {120, 80, 100, 120};
    const LPCTSTR titles[] = {L"Name", L"Size", L"Type", L"Modified"};
    m_list.InsertColumns(4, widths, titles);
    struct Row
    {
        LPCTSTR name, size, type, date;
    };
    const Row rows[] = {
        {L"report.docx", L"48 KB", L"Document", L"2024-03-02"},
        {L"holiday.jpg", L"2.1 MB", L"Picture", L"2023-08-14"},
        {L"budget.xlsx", L"96 KB", L"Workbook", L"2024-01-30"},
        {L"notes.txt", L"3 KB", L"Text", L"2022-11-05"},
        {L"archive.zip", L"12 MB", L"Archive", L"2021-06-21"},
        {L"song.mp3", L"5.4 MB", L"Audio", L"2020-02-09"},
    };
    for (int i = 0; i < static_cast<int>(std::size(rows)); ++i)
    {
        m_list.InsertItem(i, rows[i].name);
        m_list.SetItemText(i, 1, rows[i].size);
        m_list.SetItemText(i, 2, rows[i].type);
        m_list.SetItemText(i, 3, rows[i].date);
    }
    m_list.AddExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    if (!m_list.SubclassHeader(FALSE))
        return FALSE;
    m_list.AutoSaveColumns(kColumnSection, kColumnEntry);
    CUiFlatHeaderCtrl& header = m_list.GetFlatHeader();
    header.FreezeColumn(0);
    header.SetFitToWindow(TRUE);
    return TRUE;
}

BOOL CStandardControlsPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kCloseCaptionId && HIWORD(wParam) == BN_CLICKED)
    {
        m_nLastCaptionClick = LOWORD(wParam);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CStandardControlsPage::CreatePage(CWnd* pParent, const RECT& rect, UINT nID)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!Create(lpszClass, GetTitle(), WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, pParent, nID))
        return FALSE;
    if (!CreateList())
        return FALSE;

    const DWORD buttonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
    if (!m_button.Create(L"&Recover", buttonStyle, CRect(490, 10, 620, 46), this, kButtonId) ||
        !m_flatButton.Create(L"Flat button", buttonStyle, CRect(490, 56, 620, 92), this, kFlatButtonId))
    {
        return FALSE;
    }
    m_hIcon = CreateTestIcon();
    m_button.SetIcon(CSize(0, 0), m_hIcon, nullptr, TRUE);
    m_flatButton.SetXButtonStyle(kButtonFlatTheme | kButtonFlat, TRUE);
    m_flatButton.SetIcon(CSize(16, 16), m_hIcon, nullptr, TRUE);

    const DWORD editStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
    if (!m_edit.Create(editStyle, CRect(10, 250, 300, 274), this, kEditId) ||
        !m_readOnlyEdit.Create(editStyle | ES_READONLY, CRect(10, 284, 300, 308), this, kReadOnlyEditId))
    {
        return FALSE;
    }
    m_edit.AttachOwner(this);
    m_readOnlyEdit.AttachOwner(this);
    m_edit.SetWindowText(L"C:\\Recovered files");
    m_readOnlyEdit.SetWindowText(L"Read-only: drive D:");

    // The gallery never leaves itself: a click only marks the link visited.
    m_link.m_bNavigateOnClick = FALSE;
    if (!m_link.Create(L"Pelmo Recovery on the web", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(320, 252, 620, 272), this,
                       kLinkId))
    {
        return FALSE;
    }
    m_link.SetURL(L"https://www.example.com/pelmo-recovery");

    if (!m_flatCombo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN, CRect(490, 104, 620, 250), this,
                            kFlatComboId) ||
        !m_flatEdit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(490, 140, 620, 162), this,
                           kFlatEditId))
    {
        return FALSE;
    }
    for (LPCTSTR fileSystem : {L"FAT16", L"FAT32", L"NTFS"})
        m_flatCombo.AddString(fileSystem);
    m_flatCombo.EnableAutoComplete(TRUE);
    m_flatCombo.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    m_flatEdit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    m_flatEdit.SetWindowText(L"*.jpg; *.docx");

    m_pListView = new CUiListView();
    if (!m_pListView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, CRect(320, 284, 620, 320),
                             this, kListViewId))
    {
        m_pListView = nullptr; // deleted with its failed window
        return FALSE;
    }
    const int viewWidths[] = {150, 120};
    const LPCTSTR viewTitles[] = {L"Drive", L"File system"};
    m_pListView->InsertColumns(2, viewWidths, viewTitles);
    m_pListView->SubclassHeader(TRUE);
    m_pListView->SetSortImage(1, FALSE);

    if (!m_caption.Create(this, L"Recovered files", kCaptionRaised, WS_CHILD | WS_VISIBLE, CRect(10, 332, 470, 352),
                          kCaptionId) ||
        !m_closeCaption.Create(this, L"Tasks", kCaptionRaised | kCaptionCloseButton, WS_CHILD | WS_VISIBLE,
                               CRect(490, 332, 620, 352), kCloseCaptionId) ||
        !m_lentWindow.Create(L"The window the caption belongs to", WS_CHILD | WS_VISIBLE | WS_BORDER | SS_CENTER,
                             CRect(10, 356, 470, 390), this, kLentWindowId))
    {
        return FALSE;
    }
    m_caption.SetChildWindow(&m_lentWindow, GetParent());
    return TRUE;
}

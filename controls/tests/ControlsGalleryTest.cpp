// The application controls on a real display (Wine on Xvfb), driven as a user
// would: the mouse over the mode buttons, a pressed tool button, the skin
// region, the progress dialog to its end and through a quit, the pie for
// every size a drive can report, the pie chart's archive, the owner-drawn
// button and menu. One gallery serves all checks; screenshots are written
// beside the results.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "CFileOpenSaveDialog.h"
#include "CHandleHolder.h"
#include "CMaskedBitmap.h"
#include "CProgressDlg.h"
#include "CSysImageList.h"
#include "CTreeItemRef.h"
#include "ControlsGallery.h"
#include "GdiHandles.h"
#include "QVMenu.h"
#include "ShellOpen.h"
#include "SkinRegion.h"
#include "WindowCapture.h"

namespace {

using namespace gallery;

void Pump(int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) continue;  // a test's own quit, already checked
      if (!AfxPreTranslateMessage(&message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
    Sleep(5);
  } while (std::chrono::steady_clock::now() < end);
}

bool PumpUntil(const std::function<bool()>& done, int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < end) {
    if (done()) return true;
    Pump(20);
  }
  return done();
}

// Read through the window's own DC: what was drawn, whether or not the
// display has been brought up to date yet.
COLORREF PixelOf(HWND window, int x, int y) {
  GdiFlush();
  HDC dc = GetDC(window);
  const COLORREF pixel = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return pixel;
}

void MoveMouse(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  SetCursorPos(point.x, point.y);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = point.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = point.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof(input));
}

void Screenshot(HWND window, const wchar_t* name) {
  EXPECT_TRUE(CaptureWindowToBmp(window, std::wstring(name) + L".bmp")) << "no screenshot";
}

CControlsGallery& Gallery() {
  static CControlsGallery* gallery = [] {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    auto* made = new CControlsGallery;
    EXPECT_TRUE(made->CreateGallery());
    SetForegroundWindow(made->m_hWnd);
    Pump(400);
    return made;
  }();
  return *gallery;
}

CPoint CentreOf(CWnd& control, CWnd& parent) {
  CRect rect;
  control.GetWindowRect(&rect);
  parent.ScreenToClient(&rect);
  return rect.CenterPoint();
}

TEST(ControlsGalleryTest, HoverPublishesTheModeAndRepaintsThePage) {
  CControlsGallery& g = Gallery();
  MoveMouse(g.m_hWnd, 5, 300);
  Pump(200);
  const int paintsBefore = g.paintsSeen;
  const CPoint over = CentreOf(g.modes[1], g);
  MoveMouse(g.m_hWnd, over.x, over.y);
  MoveMouse(g.m_hWnd, over.x + 1, over.y);
  EXPECT_TRUE(PumpUntil([] { return HoveredModeButtonId == 2; }, 3000)) << HoveredModeButtonId;
  Pump(150);
  EXPECT_GT(g.paintsSeen, paintsBefore) << "the page was not repainted";
  EXPECT_EQ(PixelOf(g.m_hWnd, over.x, over.y), kModeHover);
  Screenshot(g.m_hWnd, L"gallery-mode-hovered");
  MoveMouse(g.m_hWnd, 5, 300);
  EXPECT_TRUE(PumpUntil([] { return HoveredModeButtonId == 0; }, 3000));
  Pump(150);
  EXPECT_EQ(PixelOf(g.m_hWnd, over.x, over.y), kModeNormal);
}

TEST(ControlsGalleryTest, PressedToolButtonDrawsThePressedFrame) {
  CControlsGallery& g = Gallery();
  MoveMouse(g.m_hWnd, 5, 300);
  Pump(100);
  const CPoint strip = CentreOf(g.toolStrip, g), single = CentreOf(g.toolSingle, g);
  EXPECT_EQ(g.toolStrip.FrameWidth(), 60);
  EXPECT_EQ(PixelOf(g.m_hWnd, strip.x, strip.y), kToolNormal);
  g.toolStrip.SendMessage(BM_SETSTATE, TRUE);
  g.toolSingle.SendMessage(BM_SETSTATE, TRUE);
  Pump(100);
  EXPECT_EQ(PixelOf(g.m_hWnd, strip.x, strip.y), kToolPressed) << "the strip's second frame";
  // A single-frame bitmap sinks instead of showing what lies beyond it.
  CRect singleRect;
  g.toolSingle.GetWindowRect(&singleRect);
  g.ScreenToClient(&singleRect);
  EXPECT_EQ(PixelOf(g.m_hWnd, singleRect.left, singleRect.top), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(PixelOf(g.m_hWnd, single.x, single.y), kToolHover);
  Screenshot(g.m_hWnd, L"gallery-tool-pressed");
  g.toolStrip.SendMessage(BM_SETSTATE, FALSE);
  g.toolSingle.SendMessage(BM_SETSTATE, FALSE);
  Pump(100);
  EXPECT_EQ(PixelOf(g.m_hWnd, strip.x, strip.y), kToolNormal);
  // One tool, whatever the number of SetTipText calls.
  g.toolStrip.SetTipText(L"Recover selected files and folders", TRUE);
  EXPECT_EQ(g.toolStrip.ToolTip().GetToolCount(), 1);
  g.toolStrip.SetTipText(static_cast<const wchar_t*>(nullptr), FALSE);
}

TEST(ControlsGalleryTest, SkinRegionLeavesOutTheTransparentColour) {
  // A 40 x 30 skin: green border of 5 pixels, red inside, one near-green
  // pixel (17, 238, 17) that counts as green and one (18, 238, 17) that does not.
  GdiObject<HBITMAP> skin(MakeBitmap(40, 30, RGB(0, 255, 0), RGB(0, 255, 0)));
  {
    ScreenDc screen;
    MemoryDc memory(screen.Get());
    SelectionGuard into(memory.Get(), skin.Get());
    RECT inside{5, 5, 35, 25};
    GdiObject<HBRUSH> red(CreateSolidBrush(RGB(255, 0, 0)));
    FillRect(memory.Get(), &inside, red.Get());
    SetPixel(memory.Get(), 10, 10, RGB(17, 238, 17));
    SetPixel(memory.Get(), 12, 10, RGB(18, 238, 17));
  }
  for (int mode : {0, 1}) {
    GdiObject<HRGN> region(CreateRegionFromBitmap(skin.Get(), RGB(0, 255, 0), mode));
    ASSERT_TRUE(region) << mode;
    EXPECT_FALSE(PtInRegion(region.Get(), 1, 1)) << mode;
    EXPECT_FALSE(PtInRegion(region.Get(), 39, 29)) << mode;
    EXPECT_TRUE(PtInRegion(region.Get(), 20, 15)) << mode;
    EXPECT_FALSE(PtInRegion(region.Get(), 10, 10)) << mode;
    EXPECT_TRUE(PtInRegion(region.Get(), 12, 10)) << mode;
    RECT box{};
    GetRgnBox(region.Get(), &box);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.bottom, 25);
  }
  GdiObject<HBITMAP> allGreen(MakeBitmap(8, 8, RGB(0, 255, 0), RGB(0, 255, 0)));
  GdiObject<HRGN> empty(CreateRegionFromBitmap(allGreen.Get(), RGB(0, 255, 0), 0));
  RECT box{};
  EXPECT_EQ(GetRgnBox(empty.Get(), &box), NULLREGION);
  EXPECT_EQ(CreateRegionFromBitmap(nullptr, 0, 0), nullptr);

  // The progress dialog keeps the region of its skin (green on the left).
  CProgressDlg skinned;
  skinned.SetSkinBitmap(MakeBitmap(30, 20, RGB(0, 255, 0), RGB(255, 0, 0)));
  ASSERT_NE(skinned.SkinRegion(), nullptr);
  EXPECT_FALSE(PtInRegion(skinned.SkinRegion(), 5, 5));
  EXPECT_TRUE(PtInRegion(skinned.SkinRegion(), 25, 5));

  // The masked bitmap leaves the same colour out when it draws.
  CMaskedBitmap masked;
  masked.Attach(MakeBitmap(20, 10, RGB(255, 255, 255), RGB(0, 0, 200)));
  EXPECT_EQ(masked.GetWidth(), 20);
  CControlsGallery& g = Gallery();
  CClientDC dc(&g);
  masked.DrawTransparent(&dc, 700, 520, RGB(255, 255, 255));
  EXPECT_EQ(PixelOf(g.m_hWnd, 703, 525), kSkin);
  EXPECT_EQ(PixelOf(g.m_hWnd, 715, 525), RGB(0, 0, 200));
  EXPECT_EQ(dc.GetTextColor(), GetTextColor(dc.m_hDC));
  g.Invalidate();
}

int LabelPercent(CProgressDlg& dialog, std::wstring* caption = nullptr) {
  wchar_t text[64] = {};
  GetDlgItemTextW(dialog.m_hWnd, IDC_PROGRESS_PERCENT, text, 64);
  if (caption) {
    wchar_t title[128] = {};
    GetWindowTextW(dialog.m_hWnd, title, 128);
    *caption = title;
  }
  return _wtoi(text);
}

TEST(ControlsGalleryTest, ProgressDialogShowsOneHundredPercentAtTheEnd) {
  CControlsGallery& g = Gallery();
  CProgressDlg dialog;
  ASSERT_TRUE(dialog.Create(&g));
  EXPECT_FALSE(g.IsWindowEnabled()) << "the owner is disabled while the dialog is up";
  dialog.SetRange(0, 100);
  dialog.ShowWindow(SW_SHOW);
  for (int position = 0; position <= 100; position += 5) dialog.SetPos(position);
  std::wstring caption;
  EXPECT_EQ(LabelPercent(dialog, &caption), 100);
  EXPECT_EQ(caption, L"Progress... 100%");
  dialog.SetPos(150);
  EXPECT_EQ(LabelPercent(dialog), 100) << "past the end is still 100 %, not 50";
  dialog.SetPos(37);
  EXPECT_EQ(LabelPercent(dialog), 37);
  dialog.SetPos(100);
  Pump(200);
  Screenshot(dialog.m_hWnd, L"progress-dialog");

  // A worker's report is carried out on the dialog's thread.
  std::thread worker([&dialog] { dialog.SetPos(40); });
  EXPECT_TRUE(PumpUntil([&] { return LabelPercent(dialog) == 40; }, 3000));
  worker.join();

  dialog.SendMessage(WM_COMMAND, IDCANCEL);
  EXPECT_TRUE(dialog.IsCancelled());
  EXPECT_TRUE(IsWindow(dialog.m_hWnd)) << "Cancel only raises the flag";
  dialog.DestroyWindow();
  EXPECT_TRUE(g.IsWindowEnabled());

  // An empty range divides by nothing.
  CProgressDlg empty;
  ASSERT_TRUE(empty.Create(&g));
  empty.SetRange(5, 5);
  empty.SetPos(5);
  EXPECT_EQ(LabelPercent(empty), 100);
  empty.DestroyWindow();
}

TEST(ControlsGalleryTest, ProgressDialogEndsItsLoopOnQuitAndPassesTheQuitOn) {
  CControlsGallery& g = Gallery();
  CProgressDlg dialog;
  ASSERT_TRUE(dialog.Create(&g));
  dialog.SetRange(0, 100);
  int reached = 0;
  for (int position = 0; position <= 100 && !dialog.IsCancelled(); ++position) {
    if (position == 30) PostQuitMessage(7);
    dialog.SetPos(position);
    reached = position;
  }
  EXPECT_EQ(reached, 30) << "the loop ends at the quit";
  EXPECT_TRUE(dialog.QuitReceived());
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit was swallowed";
  EXPECT_EQ(message.wParam, 7u);
  dialog.DestroyWindow();
  EXPECT_TRUE(g.IsWindowEnabled());
}

struct DriveCase {
  const char* name;
  uint64_t total, free;
};

TEST(ControlsGalleryTest, DiskPieStaysInsideItsRectangleForEverySize) {
  CControlsGallery& g = Gallery();
  const DriveCase drives[] = {{"empty", 1000, 1000},
                              {"full", 1000, 0},
                              {"tiny", 1, 0},
                              {"huge half", 0xFFFFFFFFFFFFFFFFull, 0x7FFFFFFFFFFFFFFFull},
                              {"huge one byte", 0xFFFFFFFFFFFFFFFFull, 0xFFFFFFFFFFFFFFFEull},
                              {"quarter", 4ull << 40, 3ull << 40}};
  CRect chart;
  g.diskChart.GetWindowRect(&chart);
  g.ScreenToClient(&chart);
  for (const DriveCase& drive : drives) {
    g.diskChart.SetSizes(drive.total, drive.free);
    g.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump(60);
    // The skin shows all round the control: nothing was drawn outside it.
    int outside = 0;
    for (int x = chart.left - 3; x < chart.right + 3; x += 2) {
      if (PixelOf(g.m_hWnd, x, chart.top - 2) != kSkin) ++outside;
      if (PixelOf(g.m_hWnd, x, chart.bottom + 1) != kSkin) ++outside;
    }
    for (int y = chart.top; y < chart.bottom; y += 2) {
      if (PixelOf(g.m_hWnd, chart.right + 1, y) != kSkin) ++outside;
      if (PixelOf(g.m_hWnd, chart.left - 2, y) != kSkin) ++outside;
    }
    EXPECT_EQ(outside, 0) << drive.name;
    const charts::DiskPieLayout layout =
        charts::LayoutDiskPie(chart.Width(), chart.Height(), g.diskChart.UsedPercent());
    // Halfway out on the top face (off the slices' edges): used at 100 %,
    // free at 0 %.
    const COLORREF centre =
        PixelOf(g.m_hWnd, chart.left + layout.cx - layout.rx / 2, chart.top + layout.cy - layout.bandHeight);
    if (g.diskChart.UsedPercent() == 100) {
      EXPECT_EQ(centre, CDiskSpaceChart::kUsedColour) << drive.name;
    } else if (g.diskChart.UsedPercent() == 0) {
      EXPECT_EQ(centre, CDiskSpaceChart::kFreeColour) << drive.name;
    }
  }
  // A drive that cannot be measured shows no stale pie.
  g.diskChart.SetDrive("Q:\\no such drive\\");
  EXPECT_EQ(g.diskChart.UsedPercent(), -1);
  g.diskChart.SetSizes(80ull << 30, 20ull << 30);
  EXPECT_EQ(CDiskSpaceChart::FormatCaption(L"Used Space", 512000), L"Used Space:500.00KB");
  EXPECT_EQ(CDiskSpaceChart::FormatCaption(L"Free Space", 3ull << 30), L"Free Space:3.00GB");
  EXPECT_EQ(CDiskSpaceChart::FormatCaption(L"Used Space", 1ull << 30), L"Used Space:1024.00MB");
}

TEST(ControlsGalleryTest, PieChartRoundTripsThroughItsArchiveAndRestoresTheDc) {
  CControlsGallery& g = Gallery();
  CMemFile file;
  {
    CArchive store(&file, CArchive::store);
    g.pie.Serialize(store);
  }
  const ULONGLONG length = file.GetLength();
  ASSERT_GT(length, 20u);
  BYTE* bytes = file.Detach();
  EXPECT_EQ(bytes[0], 1) << "the version comes first";
  EXPECT_EQ(bytes[4], 1) << "then the owns-slices flag";
  CMemFile reread(bytes, static_cast<UINT>(length));
  CPieChart loaded;
  loaded.m_nOwnsSlices = 1;
  {
    CArchive load(&reread, CArchive::load);
    loaded.Serialize(load);
  }
  free(bytes);
  EXPECT_EQ(loaded.m_strTitle, L"Partitions");
  EXPECT_EQ(loaded.m_outlineColor, 0x808080u);
  ASSERT_EQ(loaded.GetSliceCount(), 3);
  EXPECT_EQ(loaded.GetSlice(1)->m_nPercent, 30);
  EXPECT_EQ(loaded.GetSlice(1)->m_color, RGB(220, 120, 80));
  EXPECT_EQ(loaded.GetSlice(2)->GetLabel(), L"Free");

  CClientDC dc(&g);
  const CPoint before = dc.GetViewportOrg();
  loaded.Draw(&dc, 300, 440, 60, CPieChart::kLegendRight, 1, FALSE);
  EXPECT_EQ(dc.GetViewportOrg(), before) << "the viewport origin is put back";
  loaded.GetSlice(0)->m_nPercent = 44;  // 99 in all: nothing unless forced
  dc.FillSolidRect(CRect(230, 370, 370, 510), kSkin);
  loaded.Draw(&dc, 300, 440, 60, CPieChart::kNoLegend, 0, FALSE);
  EXPECT_EQ(PixelOf(g.m_hWnd, 300, 440), kSkin);
  g.Invalidate();
}

TEST(ControlsGalleryTest, OwnerDrawnButtonChecksColoursAndFocus) {
  CControlsGallery& g = Gallery();
  COwnerDrawButton& button = g.selectAll;
  EXPECT_TRUE(button.IsCheckboxMode());
  button.SendMessage(BM_SETCHECK, 2);
  EXPECT_EQ(button.SendMessage(BM_GETCHECK), 1);
  button.SendMessage(BM_SETCHECK, 3);
  EXPECT_EQ(button.GetCheck(), 0);
  button.SendMessage(BM_CLICK);
  Pump(50);
  EXPECT_EQ(button.GetCheck(), 1) << "a click ticks the box";
  EXPECT_EQ(button.ShiftStateColor(6, 10), 3u);
  EXPECT_EQ(button.OffsetColor(0, 256), 5u);
  EXPECT_EQ(button.SetPressedOffset(2), 6u);
  EXPECT_EQ(button.SetStateColor(6, 0), 3u);
  button.SetStateColor(4, RGB(200, 100, 50), FALSE);
  button.ShiftStateColor(4, 100, FALSE);
  COLORREF shifted = 0;
  button.GetStateColor(4, shifted);
  EXPECT_EQ(shifted, RGB(255, 155, 105));

  // Disabling a button without the focus leaves the focus alone; with it,
  // the focus moves on and comes back when the button is enabled again.
  g.menuButton.SetFocus();
  button.EnableWindow(FALSE);
  EXPECT_EQ(GetFocus(), g.menuButton.m_hWnd);
  button.EnableWindow(TRUE);
  button.SetFocus();
  button.EnableWindow(FALSE);
  EXPECT_NE(GetFocus(), button.m_hWnd);
  button.EnableWindow(TRUE);
  EXPECT_EQ(GetFocus(), button.m_hWnd);
  Pump(100);
  Screenshot(g.m_hWnd, L"gallery");
}

TEST(ControlsGalleryTest, OwnerDrawnMenuFromAResource) {
  CControlsGallery& g = Gallery();
  QVMenu& menu = g.menuButton.Menu();
  ASSERT_NE(menu.m_hMenu, nullptr);
  auto ownerDrawn = [](HMENU m, UINT position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(m, position, TRUE, &info);
    return (info.fType & MFT_OWNERDRAW) != 0;
  };
  EXPECT_FALSE(ownerDrawn(menu.m_hMenu, 0)) << "the top level stays plain";
  EXPECT_FALSE(ownerDrawn(menu.m_hMenu, 1));
  HMENU actions = GetSubMenu(menu.m_hMenu, 0);
  ASSERT_NE(actions, nullptr);
  EXPECT_TRUE(ownerDrawn(actions, 0));
  EXPECT_TRUE(ownerDrawn(actions, 3)) << "a nested popup is owner-drawn too";
  EXPECT_TRUE(GetMenuState(actions, 1, MF_BYPOSITION) & MF_CHECKED);
  HMENU more = GetSubMenu(actions, 3);
  ASSERT_NE(more, nullptr);
  EXPECT_TRUE(GetMenuState(more, 1, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_TRUE(QVMenu::IsOwnMenuHandle(actions));
  EXPECT_TRUE(QVMenu::IsOwnMenuHandle(more));
  CMenu* actionsMenu = CMenu::FromHandle(actions);
  EXPECT_EQ(QVMenu::FindMnemonic(L'X', MF_POPUP, actionsMenu), (MNC_EXECUTE << 16) | 4);
  EXPECT_EQ(QVMenu::FindMnemonic(L'x', 0, actionsMenu), 0);
  int position = -1;
  QVMenu* holder = menu.FindCommand(40004, position);
  ASSERT_NE(holder, nullptr);
  EXPECT_EQ(position, 1);
  CString text;
  EXPECT_TRUE(menu.GetItemText(40001, text, MF_BYCOMMAND));
  EXPECT_EQ(text.Find(L"&Open"), 0);
  EXPECT_NE(text.Find(L"\tCtrl+O"), -1);

  EXPECT_EQ(QVMenu::FindSharedImage(40001), 0) << "stored before the menu was loaded";
  EXPECT_NE(QVMenu::FindSharedImage(40003), -1);
  EXPECT_EQ(QVMenu::FindSharedImage(40005), -1);

  auto* record = reinterpret_cast<const OwnerDrawnMenuItem*>(holder->Record(0));
  EXPECT_EQ(record->sharedImageIndex, QVMenu::FindSharedImage(40003));
  MEASUREITEMSTRUCT measure{ODT_MENU, 0, 40003, 0, 0, reinterpret_cast<ULONG_PTR>(record)};
  LookWhenUnthemed = 0;
  holder->MeasureItem(&measure);
  EXPECT_EQ(measure.itemHeight, static_cast<UINT>(std::max(GetSystemMetrics(SM_CYMENU), 19)));
  LookWhenUnthemed = 1;  // the XP look, wherever the gallery runs
  holder->MeasureItem(&measure);
  EXPECT_EQ(measure.itemHeight, static_cast<UINT>(std::max(GetSystemMetrics(SM_CYMENU), 22)));

  // Drop the menu down from its button and photograph it.
  SetTimer(g.m_hWnd, 77, 700, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(Gallery().m_hWnd, id);
    HWND popup = FindWindowW(L"#32768", nullptr);
    if (popup) CaptureWindowToBmp(popup, L"owner-drawn-menu.bmp");
    EndMenu();
  });
  g.menuButton.SendMessage(BM_CLICK);
  Pump(200);
  LookWhenUnthemed = 0;
  EXPECT_EQ(GetFileAttributesW(L"owner-drawn-menu.bmp") != INVALID_FILE_ATTRIBUTES, true) << "the menu did not show";
}

TEST(ControlsGalleryTest, HyperlinkTextsAndHandlerCommands) {
  CControlsGallery& g = Gallery();
  EXPECT_EQ(g.link.GetURL(), L"http://www.example.com/");
  CString shown;
  g.link.GetWindowText(shown);
  EXPECT_EQ(shown, L"www.example.com") << "the shown text stays";
  EXPECT_TRUE(g.link.IsUnderlined()) << "mode 1 is always underlined";
  EXPECT_EQ(g.link.CurrentTextColour(), 0xEE0000u);
  EXPECT_EQ(OpenErrorText(31), L"Unable to open hyperlink:\n\nThere is no application associated\nwith the given filename extension.");
  EXPECT_EQ(OpenErrorText(26), L"Unable to open hyperlink:\n\nA sharing violation occurred. ");
  EXPECT_EQ(OpenErrorText(99), L"Unable to open hyperlink:\n\nUnknown Error (99) occurred.");
  EXPECT_EQ(HandlerCommandLine(L"\"C:\\b\\browser.exe\" -nohome \"%1\"", L"http://x/"),
            L"\"C:\\b\\browser.exe\" -nohome  \"http://x/\"");
  EXPECT_EQ(HandlerCommandLine(L"C:\\b\\browser.exe", L"http://x/"), L"C:\\b\\browser.exe \"http://x/\"");
  EXPECT_EQ(HandlerCommandLine(L"browser.exe %1", L"a\" & calc \""), L"") << "a quote cannot end the argument";
}

TEST(ControlsGalleryTest, HyperlinkUnderlinesWhileTheMouseIsOverIt) {
  CControlsGallery& g = Gallery();
  CHyperLinkStatic hover;
  // As a dialog's static is: made first, then subclassed.
  HWND raw = CreateWindowExW(0, L"STATIC", L"Write to support", WS_CHILD | WS_VISIBLE, 420, 540, 160, 20, g.m_hWnd,
                             reinterpret_cast<HMENU>(1098), GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(hover.SubclassWindow(raw));
  EXPECT_EQ(hover.GetURL(), L"Write to support") << "without a link the text is the link";
  hover.SetURL(L"mailto:support@example.com");
  CString text;
  hover.GetWindowText(text);
  EXPECT_EQ(text, L"Write to support") << "the shown text stays";
  EXPECT_FALSE(hover.IsUnderlined());
  const CPoint over = CentreOf(hover, g);
  MoveMouse(g.m_hWnd, over.x - 20, over.y);
  MoveMouse(g.m_hWnd, 425, over.y);
  EXPECT_TRUE(PumpUntil([&hover] { return hover.IsHovering() != FALSE; }, 2000));
  EXPECT_TRUE(hover.IsUnderlined());
  EXPECT_EQ(hover.CurrentTextColour(), 0x0000FFu);
  MoveMouse(g.m_hWnd, 5, 300);
  EXPECT_TRUE(PumpUntil([&hover] { return !hover.IsHovering(); }, 2000));
  EXPECT_FALSE(hover.IsUnderlined()) << "mode -1 drops the underline when the mouse leaves";
  hover.DestroyWindow();
}

// The snapshot dialogs write their filter with '|' between its parts, as the
// framework's dialog takes it: the system is given NUL-separated parts.
TEST(ControlsGalleryTest, FileDialogFiltersReachTheSystemNulSeparated) {
  const wchar_t expected[] = L"Pelmo Files (*.vbrx)\0*.vbrx\0\0";
  CFileOpenSaveDialog dialog(TRUE, L"vbrx", nullptr, 0, L"Pelmo Files (*.vbrx)|*.vbrx||");
  ASSERT_NE(dialog.m_ofn.lpstrFilter, nullptr);
  EXPECT_EQ(wmemcmp(dialog.m_ofn.lpstrFilter, expected, std::size(expected)), 0);
  CFileDialog framework(TRUE, L"vbrx", nullptr, 0, L"Pelmo Files (*.vbrx)|*.vbrx||");
  EXPECT_EQ(wmemcmp(framework.m_ofn.lpstrFilter, expected, std::size(expected)), 0);
  // A filter already in the system's form passes unchanged.
  const wchar_t system[] = L"Snapshots\0*.vbrx\0\0";
  CFileOpenSaveDialog already(TRUE, nullptr, nullptr, 0, system);
  EXPECT_EQ(wmemcmp(already.m_ofn.lpstrFilter, system, std::size(system)), 0);
}

TEST(ControlsGalleryTest, ShellHelpers) {
  CFileOpenSaveDialog dialog(TRUE, L"vbrx", nullptr, OFN_ALLOWMULTISELECT, L"Snapshots\0*.vbrx\0");
  const wchar_t selection[] = L"C:\\scans\0one.vbrx\0two.vbrx\0";
  wmemcpy(dialog.m_ofn.lpstrFile, selection, sizeof(selection) / sizeof(wchar_t));
  const wchar_t* position = dialog.GetFirstPathPosition();
  EXPECT_EQ(dialog.GetNextPathName(position), L"C:\\scans\\one.vbrx");
  EXPECT_EQ(dialog.GetNextPathName(position), L"C:\\scans\\two.vbrx");
  EXPECT_EQ(position, nullptr);
  const wchar_t root[] = L"C:\\\0a.vbrx\0\0";
  wmemcpy(dialog.m_ofn.lpstrFile, root, sizeof(root) / sizeof(wchar_t));
  position = dialog.GetFirstPathPosition();
  EXPECT_EQ(dialog.GetNextPathName(position), L"C:\\a.vbrx");
  EXPECT_EQ(position, nullptr);
  const wchar_t single[] = L"C:\\scans\\only.vbrx\0\0";
  wmemcpy(dialog.m_ofn.lpstrFile, single, sizeof(single) / sizeof(wchar_t));
  position = dialog.GetFirstPathPosition();
  EXPECT_EQ(dialog.GetNextPathName(position), L"C:\\scans\\only.vbrx");
  EXPECT_EQ(position, nullptr);
  EXPECT_TRUE(dialog.m_ofn.Flags & OFN_EXPLORER);

  CSysImageList images;
  EXPECT_NE(images.GetImageList(TRUE), nullptr);
  EXPECT_GE(images.GetIconIndex(L".txt", TRUE), 0);
  EXPECT_GE(images.GetFolderIconIndex(TRUE), 0);

  // Registry text is read by characters: a 300-character value comes back whole.
  const std::wstring longValue(300, L'v');
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\PelmoControlsTest", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(longValue.c_str()),
                 static_cast<DWORD>((longValue.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  std::wstring read;
  EXPECT_EQ(ReadRegDefaultValue(HKEY_CURRENT_USER, L"Software\\PelmoControlsTest", read), ERROR_SUCCESS);
  EXPECT_EQ(read, longValue);
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\PelmoControlsTest");
  EXPECT_NE(ReadRegDefaultValue(HKEY_CURRENT_USER, L"Software\\PelmoControlsTest", read), ERROR_SUCCESS);

  CHandleHolder holder;
  holder.m_handle = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  holder.Close();
  EXPECT_EQ(holder.m_handle, nullptr);

  CTreeCtrl tree;
  ASSERT_TRUE(tree.Create(WS_CHILD | TVS_HASLINES, CRect(0, 0, 100, 100), &Gallery(), 1099));
  CTreeItemRef top = CTreeItemRef(nullptr, &tree).InsertChild(L"Tables", 3);
  ASSERT_NE(top.m_hItem, nullptr);
  CTreeItemRef child = top.InsertChild(L"Customers", -1);
  EXPECT_EQ(top.GetImage(), 3);
  EXPECT_NE(child.m_hItem, nullptr);
  tree.DestroyWindow();
}

TEST(ControlsGalleryTest, GroupBoxSettersChainAndStatusListColours) {
  CControlsGallery& g = Gallery();
  EXPECT_EQ(&g.frameBox.SetCaptionAlignment(5), &g.frameBox);
  EXPECT_EQ(g.frameBox.Alignment(), 0);
  g.frameBox.SetCaptionBold(2);
  EXPECT_EQ(g.frameBox.CaptionLogFont().lfWeight, 700);
  g.frameBox.SetCaptionFace(CString(L"A face name far longer than the thirty-one units a LOGFONT holds"), 0);
  EXPECT_EQ(wcslen(g.frameBox.CaptionLogFont().lfFaceName), 31u);
  g.frameBox.SetCaptionFace(CString(L"Tahoma"), DEFAULT_CHARSET);

  COLORREF text = 0x123456, background = 0x654321;
  CStatusListCtrl::CellColours(L"Progress 40%", 0, 2, text, background);
  EXPECT_EQ(text, 0x00FF00u);
  EXPECT_EQ(background, 0u);
  text = 0x123456;
  CStatusListCtrl::CellColours(L"Done", 0, 0, text, background);
  EXPECT_EQ(text, 0xFF0000u);
  EXPECT_EQ(background, 0xB2F3F5u);
  text = 0x123456;
  CStatusListCtrl::CellColours(L"Waiting for Done", 0, 1, text, background);
  EXPECT_EQ(text, 0x123456u) << "only a status that begins with the word";

  // A new label text repaints the skin under the old one.
  g.label.SetWindowText(L"Short");
  Pump(50);
  CRect label;
  g.label.GetWindowRect(&label);
  g.ScreenToClient(&label);
  EXPECT_EQ(PixelOf(g.m_hWnd, label.right - 5, label.top + 8), kSkin);

  // So does a new caption or check of a transparent radio button: no ghost.
  g.radio.SetWindowText(L"A caption long enough to reach far");
  Pump(50);
  g.radio.SetWindowText(L"Short");
  g.radio.SendMessage(BM_SETCHECK, BST_CHECKED);
  Pump(50);
  CRect radio;
  g.radio.GetWindowRect(&radio);
  g.ScreenToClient(&radio);
  int ghosts = 0;
  for (int x = radio.left + 80; x < radio.right - 2; x += 3) {
    for (int y = radio.top + 2; y < radio.bottom - 2; y += 3) ghosts += PixelOf(g.m_hWnd, x, y) != kSkin;
  }
  EXPECT_EQ(ghosts, 0) << "the old caption shows through";
}

TEST(ControlsGalleryTest, ProgressBarsKeepTheirRangeAndColours) {
  CControlsGallery& g = Gallery();
  g.textBar.SendMessage(PBM_SETRANGE32, 0, 100);
  g.textBar.SendMessage(PBM_SETSTEP, 10);
  g.textBar.SendMessage(PBM_SETPOS, 95);
  g.textBar.SendMessage(PBM_STEPIT);
  EXPECT_EQ(g.textBar.SendMessage(PBM_GETPOS), 105) << "a step past the end is not wrapped";
  PBRANGE range{};
  EXPECT_EQ(g.textBar.SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), 0);
  EXPECT_EQ(range.iHigh, 100);
  Pump(50);
  CRect text;
  g.textBar.GetWindowRect(&text);
  g.ScreenToClient(&text);
  EXPECT_EQ(PixelOf(g.m_hWnd, text.right - 3, text.top + 3), 0x900000u) << "full past the end";
  g.textBar.SendMessage(PBM_SETPOS, 42);

  const std::vector<COLORREF> stops = g.gradient.m_colors;
  g.gradient.SendMessage(PBM_SETBARCOLOR, 0, RGB(255, 0, 0));
  EXPECT_EQ(g.gradient.m_colors, (std::vector<COLORREF>{RGB(255, 0, 0), RGB(255, 0, 0)}));
  Pump(50);
  CRect gradient;
  g.gradient.GetWindowRect(&gradient);
  g.ScreenToClient(&gradient);
  EXPECT_EQ(PixelOf(g.m_hWnd, gradient.left + 4, gradient.top + 4), RGB(255, 0, 0));
  EXPECT_EQ(PixelOf(g.m_hWnd, gradient.right - 4, gradient.top + 4), 0xFFFFFFu) << "the background past the bar";
  g.gradient.m_colors = stops;
  g.gradient.Invalidate();
}

}  // namespace

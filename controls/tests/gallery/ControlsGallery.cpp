#include "ControlsGallery.h"

#include "GdiHandles.h"

namespace gallery {

HBITMAP MakeBitmap(int width, int height, COLORREF left, COLORREF right) {
  ScreenDc screen;
  MemoryDc memory(screen.Get());
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen.Get(), width, height);
  SelectionGuard into(memory.Get(), bitmap);
  GdiObject<HBRUSH> leftBrush(::CreateSolidBrush(left)), rightBrush(::CreateSolidBrush(right));
  RECT leftHalf{0, 0, width / 2, height}, rightHalf{width / 2, 0, width, height};
  if (left == right) leftHalf.right = width;
  ::FillRect(memory.Get(), &leftHalf, leftBrush.Get());
  if (left != right) ::FillRect(memory.Get(), &rightHalf, rightBrush.Get());
  return bitmap;
}

HICON MakeIcon(int size, COLORREF colour) {
  GdiObject<HBITMAP> image(MakeBitmap(size, size, colour, colour));
  GdiObject<HBITMAP> mask(::CreateBitmap(size, size, 1, 1, nullptr));
  {
    ScreenDc screen;
    MemoryDc memory(screen.Get());
    SelectionGuard into(memory.Get(), mask.Get());
    ::PatBlt(memory.Get(), 0, 0, size, size, BLACKNESS);  // every pixel opaque
  }
  ICONINFO info{TRUE, 0, 0, mask.Get(), image.Get()};
  return ::CreateIconIndirect(&info);
}

BEGIN_MESSAGE_MAP(CControlsGallery, CWnd)
  ON_WM_ERASEBKGND()
  ON_WM_CTLCOLOR()
  ON_WM_PAINT()
END_MESSAGE_MAP()

CControlsGallery::CControlsGallery() = default;

BOOL CControlsGallery::CreateGallery() {
  LPCTSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), nullptr);
  if (!CreateEx(0, windowClass, L"Controls gallery", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                20, 20, 840, 600, nullptr, nullptr)) {
    return FALSE;
  }
  const DWORD child = WS_CHILD | WS_VISIBLE;
  const wchar_t* modeNames[] = {L"Quick Scan", L"File Trace", L"Extensive Scan"};
  for (int i = 0; i < 3; ++i) {
    modes[i].Create(modeNames[i], child | BS_OWNERDRAW, CRect(10 + 130 * i, 10, 130 + 130 * i, 60), this,
                    kModeButton1 + i);
    modes[i].SetButtonBitmaps(MakeBitmap(120, 50, kModeNormal, kModeNormal), MakeBitmap(120, 50, kModeHover, kModeHover));
    modes[i].m_pOwnerView = this;
    modes[i].m_nHoverId = i + 1;
  }
  toolStrip.Create(L"Next", child | BS_OWNERDRAW, CRect(420, 10, 480, 50), this, kToolStrip);
  toolStrip.SetButtonBitmaps(MakeBitmap(120, 40, kToolNormal, kToolPressed), MakeBitmap(60, 40, kToolHover, kToolHover));
  toolStrip.SetTipText(L"Next", TRUE);
  toolSingle.Create(L"Back", child | BS_OWNERDRAW, CRect(500, 10, 560, 50), this, kToolSingle);
  toolSingle.SetButtonBitmaps(MakeBitmap(60, 40, kToolNormal, kToolNormal), MakeBitmap(60, 40, kToolHover, kToolHover));
  toolSingle.SetTipText(L"Back", TRUE);

  frameBox.Create(L"Frame box", child | BS_GROUPBOX, CRect(10, 70, 260, 200), this, kFrameBox);
  frameBox.SetCaptionColor(RGB(0, 0, 160)).SetCaptionBold(TRUE).SetFillColor(kSkin);
  bandBox.Create(L"Band box", child | BS_GROUPBOX, CRect(270, 70, 520, 200), this, kBandBox);
  bandBox.SetBoxStyle(1).SetCaptionAlignment(1).SetFillColors(RGB(180, 200, 240), 0xFFFFFF);
  label.Create(L"Transparent label", child, CRect(20, 100, 240, 120), this, kLabel);
  radio.Create(L"Transparent radio", child | BS_AUTORADIOBUTTON, CRect(20, 130, 240, 150), this, kRadio);
  transparentRadio.Create(L"Centred radio", child | BS_AUTORADIOBUTTON, CRect(20, 160, 240, 180), this,
                          kTransparentRadio);
  for (CWnd* w : {static_cast<CWnd*>(&label), static_cast<CWnd*>(&radio), static_cast<CWnd*>(&transparentRadio),
                  static_cast<CWnd*>(&frameBox), static_cast<CWnd*>(&bandBox)}) {
    w->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  }
  colorLabel.Create(L"Colour label", child, CRect(540, 70, 800, 90), this, kColorLabel);
  colorLabel.SetColors(RGB(255, 255, 255), RGB(0, 90, 0));
  imageStatic.Create(L"Image static", child, CRect(540, 100, 800, 120), this, kImageStatic);
  link.Create(L"www.example.com", child | SS_NOTIFY, CRect(540, 130, 800, 150), this, kLink);
  link.SetURL(L"http://www.example.com/");
  link.SetUnderline(1);

  selectAll.Create(L"Select All", child | BS_AUTOCHECKBOX, CRect(540, 160, 680, 195), this, kSelectAll);
  selectAll.SetIcon(MakeIcon(16, RGB(0, 160, 0)), MakeIcon(16, RGB(160, 160, 160)));
  selectAll.OffsetColor(0, 100, FALSE);
  selectAll.OffsetColor(2, 30, FALSE);
  selectAll.DrawBorder(TRUE, FALSE);
  selectAll.DrawTransparent(TRUE);
  menuButton.Create(L"Menu", child | BS_PUSHBUTTON, CRect(690, 160, 800, 195), this, kMenuButton);
  {
    // Images for two commands of the drop-down, shared by every menu.
    CImageList images;
    images.Create(16, 15, ILC_COLORDDB | ILC_MASK, 1, 1);
    for (COLORREF colour : {RGB(200, 60, 60), RGB(60, 140, 60)}) {
      HICON icon = MakeIcon(16, colour);
      ImageList_ReplaceIcon(images, -1, icon);
      DestroyIcon(icon);
    }
    QVMenu store;
    store.StoreSharedImage(images, 0, 40001);
    store.StoreSharedImage(images, 1, 40003);
  }
  menuButton.SetMenu(kGalleryMenu, m_hWnd);

  gradient.Create(child | WS_BORDER, CRect(10, 210, 400, 235), this, kGradient);
  gradient.m_colors = {RGB(0, 40, 160), RGB(120, 180, 255)};
  gradient.m_clrBackground = 0xFFFFFF;
  gradient.m_clrTextOnBar = 0xFFFFFF;
  gradient.m_clrTextOnBackground = 0x7F0000;
  gradient.SetTextFormat(L"%d%%", PBS_PERCENT_TEXT);
  gradient.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  gradient.SendMessage(PBM_SETPOS, 60);
  textBar.Create(child, CRect(10, 245, 400, 270), this, kTextBar);
  textBar.SendMessage(PBM_SETPOS, 42);
  bitmapBar.Create(child | WS_BORDER, CRect(10, 280, 400, 300), this, kBitmapBar);
  tile_ = MakeBitmap(8, 8, RGB(200, 120, 0), RGB(240, 180, 60));
  bitmapBar.SetTile(tile_);
  bitmapBar.SetBarPos(75);

  statusList.Create(child | WS_BORDER | LVS_REPORT, CRect(410, 210, 810, 330), this, kStatusList);
  statusList.InsertColumn(0, L"Table", LVCFMT_LEFT, 90);
  statusList.InsertColumn(1, L"Status", LVCFMT_LEFT, 90);
  statusList.InsertColumn(2, L"Records", LVCFMT_LEFT, 90);
  const wchar_t* states[] = {L"Pending", L"Done", L"Fail", L"Progress 40%", L"Waiting for Done"};
  for (int i = 0; i < 5; ++i) {
    statusList.InsertItem(i, (L"Table " + std::to_wstring(i + 1)).c_str());
    statusList.SetItemText(i, 1, states[i]);
    statusList.SetItemText(i, 2, std::to_wstring(100 * (i + 1)).c_str());
  }

  diskChart.Create(L"", child, CRect(10, 330, 210, 520), this, kDiskChart);
  diskChart.SetSizes(80ull << 30, 20ull << 30);

  combo.Create(child | CBS_DROPDOWN | WS_VSCROLL, CRect(600, 350, 800, 500), this, kCombo);
  combo.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  for (const wchar_t* item : {L"FAT16", L"FAT32", L"NTFS"}) combo.AddString(item);
  combo.SetCurSel(2);

  pie.m_strTitle = L"Partitions";
  pie.m_nOwnsSlices = 1;
  pie.m_outlineColor = 0x808080;
  const struct {
    int percent;
    COLORREF colour;
    const wchar_t* label;
  } slices[] = {{45, RGB(80, 120, 220), L"C:"}, {30, RGB(220, 120, 80), L"D:"}, {25, RGB(120, 200, 120), L"Free"}};
  for (const auto& s : slices) {
    auto* slice = new CPieSlice;
    slice->m_nPercent = s.percent;
    slice->m_color = s.colour;
    slice->SetLabel(s.label);
    pie.AppendSlice(slice);
  }
  ShowWindow(SW_SHOW);
  UpdateWindow();
  return TRUE;
}

BOOL CControlsGallery::OnEraseBkgnd(CDC* dc) {
  CRect client;
  GetClientRect(&client);
  dc->FillSolidRect(&client, kSkin);
  return TRUE;
}

HBRUSH CControlsGallery::OnCtlColor(CDC* dc, CWnd* control, UINT type) {
  // Controls that answer for themselves (the transparent ones) do so first.
  if (control != &diskChart) return CWnd::OnCtlColor(dc, control, type);
  if (!skinBrush_.GetSafeHandle()) skinBrush_.CreateSolidBrush(kSkin);
  dc->SetBkColor(kSkin);
  return static_cast<HBRUSH>(skinBrush_.GetSafeHandle());
}

void CControlsGallery::OnPaint() {
  CPaintDC dc(this);
  pie.Draw(&dc, 300, 440, 60, CPieChart::kLegendRight, 1, FALSE);
  ++paintsSeen;
}

}  // namespace gallery

// The menu's images: toolbar images kept once for the whole process with their
// faded and shadow forms, embossed images of disabled items, check and radio
// marks.
#include "GdiHandles.h"
#include "QVMenu.h"

int QVMenu::DibColorCount(const BITMAPINFOHEADER& header) {
  if (header.biClrUsed != 0) return static_cast<int>(header.biClrUsed);
  switch (header.biBitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
  }
}

HBITMAP QVMenu::LoadSysColorBitmap16(UINT resourceId) {
  HINSTANCE module = AfxGetResourceHandle();
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(resourceId), RT_BITMAP);
  if (!resource) {
    module = AfxGetInstanceHandle();
    resource = FindResourceW(module, MAKEINTRESOURCEW(resourceId), RT_BITMAP);
  }
  if (!resource || SizeofResource(module, resource) < sizeof(BITMAPINFOHEADER)) return nullptr;
  HGLOBAL loaded = LoadResource(module, resource);
  const auto* header = static_cast<const BITMAPINFOHEADER*>(loaded ? LockResource(loaded) : nullptr);
  if (!header || DibColorCount(*header) != 16) return nullptr;
  return AfxLoadSysColorBitmap(module, resource);
}

BOOL QVMenu::FindToolbarImage(UINT commandId, int toolbarId, int& image) {
  CWnd* parent = AfxGetMainWnd() ? AfxGetMainWnd() : CWnd::GetDesktopWindow();
  CToolBar toolbar;
  BOOL found = FALSE;
  if (toolbar.Create(parent, 0x50002800, AFX_IDW_TOOLBAR) && toolbar.LoadToolBar(static_cast<UINT>(toolbarId))) {
    const int index = toolbar.CommandToIndex(commandId);
    if (index >= 0) {
      found = TRUE;
      TBBUTTON button{};
      if (index > 0 && toolbar.SendMessage(TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button))) {
        image = button.iBitmap;
      }
    }
  }
  if (toolbar.GetSafeHwnd()) toolbar.DestroyWindow();
  return found;
}

BOOL QVMenu::AddBitmapToList(CImageList& list, UINT_PTR resource) {
  int added = -1;
  if (imagesAreIcons_) {
    added = ImageList_ReplaceIcon(list, -1, reinterpret_cast<HICON>(resource));
  } else {
    const UINT id = static_cast<UINT>(resource);
    HBITMAP bitmap = LoadSysColorBitmap16(id);
    if (!bitmap) bitmap = ::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id));
    if (bitmap) {
      added = ImageList_AddMasked(list, bitmap, useMaskColour_ ? maskColour_ : GetSysColor(COLOR_BTNFACE));
      ::DeleteObject(bitmap);
    }
  }
  if (added < 0) return FALSE;
  if (IsXpLook() && RaisedIcons) {
    ScreenDc screen;
    CDC* dc = CDC::FromHandle(screen.Get());
    for (int form = 0; form < 2; ++form) {
      CBitmap bitmap;
      if (!RenderImageToBitmap(dc, list, 0, bitmap)) continue;
      if (form == 0) MakeFadedBitmap(bitmap);
      else MakeShadowBitmap(bitmap);
      ImageList_AddMasked(list, bitmap, GetSysColor(COLOR_BTNFACE));
    }
  }
  return TRUE;
}

int QVMenu::FindSharedImage(UINT commandId) {
  for (size_t i = 0; i < SharedMenuImageIds.size(); ++i) {
    if (SharedMenuImageIds[i] == commandId) return static_cast<int>(i);
  }
  return -1;
}

BOOL QVMenu::HasRaisedImages(int sharedIndex) {
  if (sharedIndex < 0 || static_cast<size_t>(sharedIndex) + 2 >= SharedMenuImageIds.size()) return FALSE;
  const UINT id = SharedMenuImageIds[sharedIndex];
  return SharedMenuImageIds[sharedIndex + 1] == id && SharedMenuImageIds[sharedIndex + 2] == id;
}

int QVMenu::StoreSharedImage(CImageList& list, int index, UINT commandId) {
  if (!SharedMenuImages.GetSafeHandle() &&
      !SharedMenuImages.Create(iconWidth_, iconHeight_, ILC_COLORDDB | ILC_MASK, 1, 1)) {
    return -1;
  }
  HICON icon = ImageList_GetIcon(list, index, ILD_NORMAL);
  if (!icon) return -1;
  const bool raised = IsXpLook() && RaisedIcons;
  CBitmap faded, shadow;
  if (raised) {
    ScreenDc screen;
    CDC* dc = CDC::FromHandle(screen.Get());
    if (RenderImageToBitmap(dc, list, index, faded)) MakeFadedBitmap(faded);
    if (RenderImageToBitmap(dc, list, index, shadow)) MakeShadowBitmap(shadow);
  }
  auto replaceWithBitmap = [this](int at, CBitmap& bitmap) {
    CImageList one;
    if (!bitmap.GetSafeHandle() || !one.Create(iconWidth_, iconHeight_, ILC_COLORDDB | ILC_MASK, 1, 1)) return;
    ImageList_AddMasked(one, bitmap, GetSysColor(COLOR_BTNFACE));
    if (HICON formIcon = ImageList_GetIcon(one, 0, ILD_NORMAL)) {
      ImageList_ReplaceIcon(SharedMenuImages, at, formIcon);
      ::DestroyIcon(formIcon);
    }
  };
  int result;
  const int existing = FindSharedImage(commandId);
  if (existing >= 0) {
    ImageList_ReplaceIcon(SharedMenuImages, existing, icon);
    if (raised && HasRaisedImages(existing)) {
      replaceWithBitmap(existing + 1, faded);
      replaceWithBitmap(existing + 2, shadow);
    }
    result = existing;
  } else {
    result = ImageList_ReplaceIcon(SharedMenuImages, -1, icon);
    SharedMenuImageIds.push_back(commandId);
    if (raised && faded.GetSafeHandle() && shadow.GetSafeHandle()) {
      ImageList_AddMasked(SharedMenuImages, faded, GetSysColor(COLOR_BTNFACE));
      ImageList_AddMasked(SharedMenuImages, shadow, GetSysColor(COLOR_BTNFACE));
      SharedMenuImageIds.push_back(commandId);
      SharedMenuImageIds.push_back(commandId);
    }
  }
  ::DestroyIcon(icon);
  return result;
}

BOOL QVMenu::RenderImageToBitmap(CDC* dc, CImageList& list, int index, CBitmap& bitmap) {
  bitmap.DeleteObject();
  if (!bitmap.CreateCompatibleBitmap(dc, iconWidth_, iconHeight_)) return FALSE;
  MemoryDc memory(dc->m_hDC);
  SelectionGuard into(memory.Get(), bitmap.GetSafeHandle());
  RECT all{0, 0, iconWidth_, iconHeight_};
  ::FillRect(memory.Get(), &all, GetSysColorBrush(COLOR_BTNFACE));
  if (HICON icon = ImageList_GetIcon(list, index, ILD_NORMAL)) {
    ::DrawIconEx(memory.Get(), 0, 0, icon, iconWidth_, iconHeight_, 0, nullptr, DI_NORMAL);
    ::DestroyIcon(icon);
  }
  return TRUE;
}

namespace {

// Replaces every pixel that is not the button face by `recolour(pixel)`.
template <typename Recolour>
void RecolourBitmap(CBitmap& bitmap, Recolour recolour) {
  BITMAP info{};
  if (!bitmap.GetSafeHandle() || !bitmap.GetBitmap(&info)) return;
  ScreenDc screen;
  MemoryDc memory(screen.Get());
  // The colour the button face takes in a bitmap of this kind.
  GdiObject<HBITMAP> probe(::CreateCompatibleBitmap(screen.Get(), 2, 2));
  COLORREF face;
  {
    SelectionGuard into(memory.Get(), probe.Get());
    RECT all{0, 0, 2, 2};
    ::FillRect(memory.Get(), &all, GetSysColorBrush(COLOR_BTNFACE));
    face = ::GetPixel(memory.Get(), 1, 1);
  }
  SelectionGuard into(memory.Get(), bitmap.GetSafeHandle());
  for (int x = 0; x < info.bmWidth; ++x) {
    for (int y = 0; y < info.bmHeight; ++y) {
      const COLORREF pixel = ::GetPixel(memory.Get(), x, y);
      if (pixel != face) ::SetPixel(memory.Get(), x, y, recolour(pixel));
    }
  }
}

}  // namespace

void QVMenu::MakeFadedBitmap(CBitmap& bitmap) {
  RecolourBitmap(bitmap, [](COLORREF pixel) { return BlendTowardWhite(pixel, 0.3); });
}

void QVMenu::MakeShadowBitmap(CBitmap& bitmap) {
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF colour = IsXpThemed() ? shadow : BlendTowardWhite(shadow, 0.49);
  RecolourBitmap(bitmap, [colour](COLORREF) { return colour; });
}

void QVMenu::PaintEmbossed(CDC* dc, int x, int y, int width, int height, CBitmap& bitmap, int sourceX,
                           int sourceY, COLORREF background) {
  HDC target = dc->m_hDC;
  MemoryDc work(target), maskDc(target);
  GdiObject<HBITMAP> mask(::CreateBitmap(width, height, 1, 1, nullptr));
  if (!work || !maskDc || !mask) return;
  SelectionGuard workBitmap(work.Get(), bitmap.GetSafeHandle());
  SelectionGuard maskBitmap(maskDc.Get(), mask.Get());
  // Face- and highlight-coloured pixels stay white in the mask; the rest is ink.
  ::PatBlt(maskDc.Get(), 0, 0, width, height, WHITENESS);
  ::SetBkColor(work.Get(), GetSysColor(COLOR_BTNFACE));
  ::BitBlt(maskDc.Get(), 0, 0, width, height, work.Get(), sourceX, sourceY, SRCCOPY);
  ::SetBkColor(work.Get(), GetSysColor(COLOR_BTNHIGHLIGHT));
  ::BitBlt(maskDc.Get(), 0, 0, width, height, work.Get(), sourceX, sourceY, SRCPAINT);
  // The bitmap becomes the work surface.
  RECT all{sourceX, sourceY, sourceX + width, sourceY + height};
  GdiObject<HBRUSH> backBrush(::CreateSolidBrush(background));
  ::FillRect(work.Get(), &all, backBrush.Get());
  ::SetTextColor(work.Get(), 0xFFFFFF);
  ::SetBkColor(work.Get(), 0);
  {
    SelectionGuard brush(work.Get(), GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    ::BitBlt(work.Get(), sourceX, sourceY, width, height, maskDc.Get(), 0, 0, 0xE20746);
  }
  ::BitBlt(target, x + 1, y + 1, width, height, work.Get(), sourceX, sourceY, SRCCOPY);
  {
    SelectionGuard brush(work.Get(), GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    ::BitBlt(work.Get(), sourceX + 1, sourceY + 1, width - 1, height - 1, maskDc.Get(), 0, 0, 0xE20746);
  }
  {
    SelectionGuard brush(work.Get(), GetSysColorBrush(COLOR_BTNSHADOW));
    ::BitBlt(work.Get(), sourceX, sourceY, width, height, maskDc.Get(), 0, 0, 0xE20746);
  }
  ::BitBlt(target, x, y, width, height, work.Get(), sourceX, sourceY, SRCCOPY);
}

void QVMenu::PaintEmbossedDib(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, int sourceX,
                              int sourceY, COLORREF background) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = height;
  info.header.biPlanes = 1;
  info.header.biBitCount = 1;
  info.colours[1] = {255, 255, 255, 0};
  void* bits = nullptr;
  MemoryDc source(dc), mono(dc);
  GdiObject<HBITMAP> section(
      ::CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!source || !mono || !section) return;
  SelectionGuard fromSource(source.Get(), bitmap);
  SelectionGuard intoMono(mono.Get(), section.Get());
  ::BitBlt(mono.Get(), 0, 0, width, height, source.Get(), sourceX, sourceY, SRCCOPY);
  RECT target{x, y, x + width, y + height};
  GdiObject<HBRUSH> backBrush(::CreateSolidBrush(background));
  ::FillRect(dc, &target, backBrush.Get());
  const COLORREF oldText = ::SetTextColor(dc, 0), oldBack = ::SetBkColor(dc, 0xFFFFFF);
  {
    SelectionGuard brush(dc, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    ::BitBlt(dc, x + 1, y + 1, width, height, mono.Get(), 0, 0, 0xB8074A);
  }
  {
    SelectionGuard brush(dc, GetSysColorBrush(COLOR_BTNSHADOW));
    ::BitBlt(dc, x, y, width, height, mono.Get(), 0, 0, 0xB8074A);
  }
  ::SetTextColor(dc, oldText);
  ::SetBkColor(dc, oldBack);
}

void QVMenu::PaintCheckMark(CDC* dc, int x, int y, COLORREF colour) {
  CPen pen(PS_SOLID, 0, colour);
  CPen* old = dc->SelectObject(&pen);
  const int starts[7] = {2, 3, 4, 3, 2, 1, 0};
  for (int i = 0; i < 7; ++i) {
    dc->MoveTo(x + i, y + starts[i]);
    dc->LineTo(x + i, y + starts[i] + 3);
  }
  dc->SelectObject(old);
}

void QVMenu::PaintRadioMark(CDC* dc, int x, int y, COLORREF colour) {
  CPen pen(PS_SOLID, 0, colour);
  CBrush brush(colour);
  CPen* oldPen = dc->SelectObject(&pen);
  CBrush* oldBrush = dc->SelectObject(&brush);
  dc->Ellipse(x, y, x + 6, y + 6);
  dc->SelectObject(oldBrush);
  dc->SelectObject(oldPen);
}

void QVMenu::PaintClassicCheck(CDC* dc, const CRect& box, BOOL selected, BOOL radio) {
  COLORREF fill = GetSysColor(IsXpThemed() ? COLOR_BTNFACE : COLOR_MENU);
  if (!selected) fill = BlendTowardWhite(fill, 0.6);
  dc->FillSolidRect(&box, fill);
  if (HasModernShell()) {
    CRect edge = box;
    dc->DrawEdge(&edge, BDR_SUNKENOUTER, BF_RECT);
  }
  const COLORREF ink = GetSysColor(COLOR_MENUTEXT);
  if (radio) PaintRadioMark(dc, box.left + 5, box.top + 4, ink);
  else PaintCheckMark(dc, box.left + 4, box.top + 4, ink);
}

void QVMenu::PaintXpCheck(CDC* dc, const CRect& box, BOOL radio, COLORREF highlight) {
  dc->FillSolidRect(&box, BlendTowardWhite(highlight, 0.85));
  dc->Draw3dRect(&box, highlight, highlight);
  const COLORREF ink = GetSysColor(COLOR_MENUTEXT);
  if (radio) PaintRadioMark(dc, box.left + 5, box.top + 4, ink);
  else PaintCheckMark(dc, box.left + 5, box.top + 4, ink);
}

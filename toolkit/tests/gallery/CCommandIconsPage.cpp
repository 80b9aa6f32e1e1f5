#include "CCommandIconsPage.h"

#include "AlphaBitmaps.h"
#include "CColorTable.h"
#include "CSharedMetrics.h"
#include "DeviceContexts.h"
#include "GdiSelectors.h"

#include <vector>

namespace {

constexpr int kMargin = 12;
constexpr int kCellWidth = 76;
constexpr int kRowHeight = 90;
constexpr int kLabelHeight = 16;

const wchar_t* const kCellNames[CCommandIconsPage::kCellCount] = {
    L"Normal", L"Hot", L"Pressed", L"Disabled", L"Tinted", L"Faded", L"Shadow", L"Mono", L"Scaled"};

// A 32 × 32 picture: a square of one colour inside a transparent border. The
// colour bitmap of an icon without alpha, or an alpha picture whose border is
// clear and whose square has a half-transparent rim.
HBITMAP MakeSquare(COLORREF clr, bool bAlpha)
{
    const int size = CCommandIconsPage::kIconSize, inset = CCommandIconsPage::kInset;
    BITMAPINFO info = TopDown32BitmapInfo(size, size);
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    auto* pPixel = static_cast<BYTE*>(pBits);
    for (int y = 0; y < size; ++y)
    {
        for (int x = 0; x < size; ++x, pPixel += 4)
        {
            const bool inside = x >= inset && y >= inset && x < size - inset && y < size - inset;
            const bool rim = inside && (x < inset + 2 || y < inset + 2 || x >= size - inset - 2 || y >= size - inset - 2);
            const BYTE alpha = !bAlpha ? 0 : !inside ? 0 : rim ? 128 : 255;
            // Alpha pictures hold straight (not pre-multiplied) colours.
            pPixel[0] = inside ? GetBValue(clr) : 0;
            pPixel[1] = inside ? GetGValue(clr) : 0;
            pPixel[2] = inside ? GetRValue(clr) : 0;
            pPixel[3] = alpha;
        }
    }
    return hBitmap;
}

HICON MakeSquareIcon(COLORREF clr)
{
    const int size = CCommandIconsPage::kIconSize, inset = CCommandIconsPage::kInset;
    HBITMAP hColour = MakeSquare(clr, false);
    // Mask rows of 32 bits: 1 (transparent) outside the square.
    std::vector<BYTE> mask(static_cast<size_t>(size) * 4, 0);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (!(x >= inset && y >= inset && x < size - inset && y < size - inset))
                mask[y * 4 + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    HBITMAP hMask = ::CreateBitmap(size, size, 1, 1, mask.data());
    ICONINFO info = {TRUE, 0, 0, hMask, hColour};
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hColour);
    ::DeleteObject(hMask);
    return hIcon;
}

}  // namespace

CCommandIconsPage::CCommandIconsPage() : m_pStore(new CCommandIconStore)
{
    // The store copies the pictures; the page's own handles go at once.
    HICON hNormal = MakeSquareIcon(kNormalColor), hHot = MakeSquareIcon(kHotColor);
    HICON hPressed = MakeSquareIcon(kPressedColor);
    m_pStore->SetIcon(CIconImage(hNormal), kIconID, kIconSize, kIconSize, kIconNormal);
    m_pStore->SetIcon(CIconImage(hHot), kIconID, kIconSize, kIconSize, kIconHot);
    m_pStore->SetIcon(CIconImage(hPressed), kIconID, kIconSize, kIconSize, kIconPressed);
    for (HICON hIcon : {hNormal, hHot, hPressed})
        ::DestroyIcon(hIcon);
    HBITMAP hAlpha = MakeSquare(kAlphaColor, true);
    m_pStore->SetIcon(CIconImage(hAlpha), kAlphaID, kIconSize, kIconSize, kIconNormal);
    ::DeleteObject(hAlpha);
}

CCommandIconsPage::~CCommandIconsPage()
{
    m_pStore->InternalRelease();
}

CRect CCommandIconsPage::PictureRect(int row, Cell cell)
{
    const int left = kMargin + static_cast<int>(cell) * kCellWidth + (kCellWidth - kIconSize) / 2;
    const int top = kMargin + row * kRowHeight + kLabelHeight;
    const int size = cell == kCellScaled ? kScaledSize : kIconSize;
    return CRect(left, top, left + size, top + size);
}

void CCommandIconsPage::PaintRow(CDC* pDC, int row, CCommandIcon* pIcon, CCommandIcon* pScaled)
{
    auto at = [row](Cell cell) { return PictureRect(row, cell).TopLeft(); };
    pIcon->Draw(pDC, at(kCellNormal), pIcon->GetImage());
    pIcon->Draw(pDC, at(kCellHot), pIcon->GetHotImage());
    pIcon->Draw(pDC, at(kCellPressed), pIcon->GetPressedImage());
    // The tinted form is made first on a copy of the picture, so the grey one of
    // the icon itself stays what GetDisabledImage makes.
    pIcon->Draw(pDC, at(kCellDisabled), pIcon->GetDisabledImage(TRUE));
    CCommandIcon tinted(pIcon->GetID(), pIcon->GetWidth(), pIcon->GetHeight(), static_cast<CCommandIconSet*>(nullptr));
    tinted.SetImage(pIcon->GetImage());
    tinted.CreateDisabledImage(kTintLight, kTintDark);
    tinted.Draw(pDC, at(kCellTinted), tinted.GetDisabledImage(FALSE));
    pIcon->Draw(pDC, at(kCellFaded), pIcon->GetFadedImage());
    pIcon->Draw(pDC, at(kCellShadow), pIcon->GetShadowImage());
    pIcon->DrawMono(pDC, at(kCellMono).x, at(kCellMono).y, pIcon->GetImage(), kMonoColor);
    if (pScaled != nullptr)
        pScaled->Draw(pDC, at(kCellScaled), pScaled->GetImage());
}

void CCommandIconsPage::Paint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CColorTable* pTable = GetColorTable();
    CUiMemDC dc(pDC, client);
    dc.FillSolidRect(&client, pTable->GetColor(COLOR_BTNFACE));
    CFontSelector font(&dc, &GetSharedMetrics()->m_fontNormal);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(pTable->GetColor(COLOR_BTNTEXT));
    for (int row = 0; row < 2; ++row)
    {
        for (int cell = 0; cell < kCellCount; ++cell)
        {
            const CRect picture = PictureRect(row, static_cast<Cell>(cell));
            CRect label(picture.CenterPoint().x - kCellWidth / 2, picture.top - kLabelHeight,
                        picture.CenterPoint().x + kCellWidth / 2, picture.top);
            dc.DrawText(kCellNames[cell], &label, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        }
    }
    PaintRow(&dc, 0, m_pStore->GetIcon(kIconID, kIconSize), m_pStore->GetIcon(kIconID, kScaledSize));
    PaintRow(&dc, 1, m_pStore->GetIcon(kAlphaID, kIconSize), nullptr);
}

LRESULT CCommandIconsPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT:
    {
        CPaintDC dc(this);
        Paint(&dc);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SYSCOLORCHANGE:
        // Derived images follow the new colours.
        RefreshColorTable();
        m_pStore->RefreshIcons();
        Invalidate();
        break;
    default:
        break;
    }
    return CGalleryPage::WindowProc(message, wParam, lParam);
}

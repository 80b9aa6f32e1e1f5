#include "CImageEditorCanvas.h"

#include "CImageEditorPreview.h"
#include "CToolkitResources.h"
#include "ResourceIds.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

namespace
{
constexpr COLORREF kCheckerGrey = RGB(235, 235, 235);

// The checkerboard behind transparent pixels: squares of four canvas pixels.
COLORREF CheckerAt(int x, int y)
{
    return ((x / 4 + y / 4) & 1) != 0 ? kCheckerGrey : RGB(255, 255, 255);
}

BYTE Blend(BYTE fore, BYTE back, BYTE alpha)
{
    return static_cast<BYTE>((fore * alpha + back * (255 - alpha)) / 255);
}

UINT CursorOfTool(int nTool)
{
    switch (nTool)
    {
    case kToolPencil: return IDC_KIT_EDITOR_PENCIL;
    case kToolFill: return IDC_KIT_EDITOR_FILL;
    case kToolPick: return IDC_KIT_EDITOR_PICK;
    default: return IDC_KIT_EDITOR_SHAPE;
    }
}

class CGdiPen
{
public:
    CGdiPen(HDC hDC, COLORREF clr, HBRUSH hBrush) : m_hDC(hDC)
    {
        m_hPen = ::CreatePen(PS_SOLID, 1, clr);
        m_hOldPen = ::SelectObject(hDC, m_hPen);
        m_hOldBrush = ::SelectObject(hDC, hBrush);
    }
    ~CGdiPen()
    {
        ::SelectObject(m_hDC, m_hOldPen);
        ::SelectObject(m_hDC, m_hOldBrush);
        ::DeleteObject(m_hPen);
    }
    CGdiPen(const CGdiPen&) = delete;
    CGdiPen& operator=(const CGdiPen&) = delete;

private:
    HDC m_hDC;
    HPEN m_hPen;
    HGDIOBJ m_hOldPen;
    HGDIOBJ m_hOldBrush;
};
} // namespace

BOOL CImageEditorCanvas::Attach(CWnd* pDialog, UINT nID, CImageEditorHost* pHost, CImageEditorPreview* pPreview)
{
    if (pDialog == nullptr || !SubclassDlgItem(nID, pDialog))
        return FALSE;
    m_pHost = pHost;
    m_pPreview = pPreview;
    CRect rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    m_szArea = CSize(rcClient.Width(), rcClient.Height());
    FitToCells();
    return TRUE;
}

void CImageEditorCanvas::FitToCells()
{
    if (m_hWnd == nullptr)
        return;
    const int nWidth = m_image.IsEmpty() ? 16 : m_image.GetWidth();
    const int nHeight = m_image.IsEmpty() ? 16 : m_image.GetHeight();
    m_szCell = CSize(std::max(1, static_cast<int>(m_szArea.cx / nWidth)), std::max(1, static_cast<int>(m_szArea.cy / nHeight)));
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, nWidth * m_szCell.cx + 1, nHeight * m_szCell.cy + 1,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CImageEditorCanvas::SetImage(const CEditorImage& image)
{
    m_image = image;
    m_previous = image;
    m_undo.clear();
    m_redo.clear();
    FitToCells();
    Refresh();
}

void CImageEditorCanvas::BeginEdit()
{
    m_previous = m_image;
}

void CImageEditorCanvas::Commit()
{
    m_image.MakeChangedPixelsOpaque(m_previous);
    m_redo.clear();
    while (m_undo.size() >= kMaxUndoSteps)
        m_undo.pop_front();
    m_undo.push_back(m_previous);
    m_previous = m_image;
    Refresh();
}

void CImageEditorCanvas::Refresh()
{
    if (m_hWnd != nullptr)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    if (m_pPreview != nullptr)
        m_pPreview->SetImage(m_image);
}

void CImageEditorCanvas::Clear()
{
    BeginEdit();
    const int nWidth = m_image.IsEmpty() ? 16 : m_image.GetWidth();
    const int nHeight = m_image.IsEmpty() ? 16 : m_image.GetHeight();
    m_image.Create(nWidth, nHeight);
    Commit();
}

void CImageEditorCanvas::Move(int dx, int dy)
{
    BeginEdit();
    m_image.Shift(dx, dy);
    Commit();
}

void CImageEditorCanvas::Replace(const CEditorImage& image)
{
    BeginEdit();
    m_image = image;
    Commit();
}

void CImageEditorCanvas::Undo()
{
    if (m_undo.empty())
        return;
    m_redo.push_back(m_image);
    m_image = std::move(m_undo.back());
    m_undo.pop_back();
    m_previous = m_image;
    Refresh();
}

void CImageEditorCanvas::Redo()
{
    if (m_redo.empty())
        return;
    m_undo.push_back(m_image);
    m_image = std::move(m_redo.back());
    m_redo.pop_back();
    m_previous = m_image;
    Refresh();
}

CPoint CImageEditorCanvas::CellAt(CPoint ptClient) const
{
    const int nMaxX = std::max(0, m_image.GetWidth() - 1);
    const int nMaxY = std::max(0, m_image.GetHeight() - 1);
    return CPoint(std::clamp(static_cast<int>(ptClient.x / m_szCell.cx), 0, nMaxX),
                  std::clamp(static_cast<int>(ptClient.y / m_szCell.cy), 0, nMaxY));
}

void CImageEditorCanvas::OnButtonDown(CPoint ptClient)
{
    if (m_image.IsEmpty() || m_pHost == nullptr)
        return;
    const CPoint cell = CellAt(ptClient);
    const COLORREF clrDraw = m_pHost->GetDrawingColor();
    switch (m_pHost->GetTool())
    {
    case kToolFill:
    {
        BeginEdit();
        CEditorImage filled(m_image);
        {
            CEditorImageDC dc(filled);
            HBRUSH hBrush = ::CreateSolidBrush(clrDraw);
            HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hBrush);
            ::ExtFloodFill(dc.GetSafeHdc(), cell.x, cell.y, m_image.GetPixel(cell.x, cell.y), FLOODFILLSURFACE);
            ::SelectObject(dc.GetSafeHdc(), hOld);
            ::DeleteObject(hBrush);
        }
        m_image = std::move(filled);
        Commit();
        return;
    }
    case kToolPick:
        m_pHost->OnColorPicked(m_image.GetPixel(cell.x, cell.y));
        return;
    default:
        break;
    }
    BeginEdit();
    m_ptStart = cell;
    // Pressing a pixel that already has the colour rubs it out.
    m_clrDrag = m_image.GetPixel(cell.x, cell.y) == clrDraw ? CEditorImage::kKeyColor : clrDraw;
    m_bCaptured = TRUE;
    ::SetCapture(m_hWnd);
    OnDrag(ptClient);
}

void CImageEditorCanvas::OnDrag(CPoint ptClient)
{
    if (!m_bCaptured || m_pHost == nullptr)
        return;
    const CPoint cell = CellAt(ptClient);
    const COLORREF clrDraw = m_pHost->GetDrawingColor();
    const int nTool = m_pHost->GetTool();
    if (nTool == kToolPencil)
    {
        if (m_image.GetPixel(cell.x, cell.y) == m_clrDrag)
            return;
        m_image.SetPixel(cell.x, cell.y, m_clrDrag, m_image.HasAlpha() && m_clrDrag != CEditorImage::kKeyColor ? 255 : 0);
        Refresh();
        return;
    }
    // The shapes start again from the picture before the drag at each move.
    CEditorImage shaped(m_previous);
    {
        CEditorImageDC dc(shaped);
        HDC hDC = dc.GetSafeHdc();
        const int nLeft = std::min(m_ptStart.x, cell.x);
        const int nTop = std::min(m_ptStart.y, cell.y);
        const int nRight = std::max(m_ptStart.x, cell.x) + 1;
        const int nBottom = std::max(m_ptStart.y, cell.y) + 1;
        if (nTool == kToolLine)
        {
            CGdiPen pen(hDC, clrDraw, static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)));
            ::MoveToEx(hDC, m_ptStart.x, m_ptStart.y, nullptr);
            ::LineTo(hDC, cell.x, cell.y);
            // LineTo leaves out its end point.
            ::SetPixelV(hDC, cell.x, cell.y, clrDraw);
        }
        else if (nTool == kToolRectangle)
        {
            HBRUSH hBrush = ::CreateSolidBrush(clrDraw);
            const RECT rc{nLeft, nTop, nRight, nBottom};
            ::FrameRect(hDC, &rc, hBrush);
            ::DeleteObject(hBrush);
        }
        else if (nTool == kToolEllipse)
        {
            HBRUSH hBrush = ::CreateSolidBrush(CEditorImage::kKeyColor);
            {
                CGdiPen pen(hDC, clrDraw, hBrush);
                ::Ellipse(hDC, nLeft, nTop, nRight, nBottom);
            }
            ::DeleteObject(hBrush);
        }
    }
    m_image = std::move(shaped);
    Refresh();
}

void CImageEditorCanvas::EndDrag()
{
    if (!m_bCaptured)
        return;
    m_bCaptured = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    Commit();
}

void CImageEditorCanvas::Paint(HDC hDC)
{
    CRect rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    const int cx = rcClient.Width();
    const int cy = rcClient.Height();
    if (cx <= 0 || cy <= 0)
        return;
    // The whole canvas is composed in memory, top row first, and set at once.
    std::vector<DWORD> pixels(static_cast<size_t>(cx) * cy, 0x00FFFFFF);
    const int nWidth = m_image.GetWidth();
    const int nHeight = m_image.GetHeight();
    for (int y = 0; y < cy; ++y)
    {
        const int iy = y / m_szCell.cy;
        for (int x = 0; x < cx; ++x)
        {
            const int ix = x / m_szCell.cx;
            COLORREF clr = RGB(255, 255, 255);
            if (ix < nWidth && iy < nHeight)
            {
                const COLORREF clrPixel = m_image.GetPixel(ix, iy);
                const COLORREF clrBack = CheckerAt(x, y);
                if (m_image.HasAlpha())
                {
                    const BYTE alpha = m_image.GetPixelAlpha(ix, iy);
                    clr = RGB(Blend(GetRValue(clrPixel), GetRValue(clrBack), alpha),
                              Blend(GetGValue(clrPixel), GetGValue(clrBack), alpha),
                              Blend(GetBValue(clrPixel), GetBValue(clrBack), alpha));
                }
                else
                {
                    clr = clrPixel == CEditorImage::kKeyColor ? clrBack : clrPixel;
                }
            }
            pixels[static_cast<size_t>(y) * cx + x] = (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
        }
    }
    // The black frame.
    for (int x = 0; x < cx; ++x)
        pixels[x] = pixels[static_cast<size_t>(cy - 1) * cx + x] = 0;
    for (int y = 0; y < cy; ++y)
        pixels[static_cast<size_t>(y) * cx] = pixels[static_cast<size_t>(y) * cx + cx - 1] = 0;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = -cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    ::SetDIBitsToDevice(hDC, 0, 0, cx, cy, 0, 0, 0, cy, pixels.data(), &info, DIB_RGB_COLORS);
}

LRESULT CImageEditorCanvas::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT:
    {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(m_hWnd, &ps);
        Paint(hDC);
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        return 0;
    case WM_MOUSEMOVE:
        OnDrag(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        return 0;
    case WM_LBUTTONUP:
        EndDrag();
        return 0;
    case WM_CAPTURECHANGED:
        if (m_bCaptured && reinterpret_cast<HWND>(lParam) != m_hWnd)
            EndDrag();
        return 0;
    case WM_SETCURSOR:
        if (m_pHost != nullptr && LOWORD(lParam) == HTCLIENT)
        {
            if (HCURSOR hCursor = GetToolkitResources()->LoadCursor(CursorOfTool(m_pHost->GetTool())))
            {
                ::SetCursor(hCursor);
                return TRUE;
            }
        }
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

#include "CButtonImageEditorDlg.h"

#include "EditorPictureFiles.h"

#include "AlphaBitmaps.h"
#include "CColorTable.h"
#include "CCommandIcon.h"
#include "CCommandIconStore.h"
#include "CToolkitResources.h"
#include "ResourceIds.h"
#include "window/AfxMessages.h"
#include "window/CCmdUI.h"
#include "window/CommonDialogs.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
constexpr UINT kToolsBarId = 0x7F01;
constexpr UINT kMoveBarId = 0x7F02;
constexpr int kToolImageCount = 12;
constexpr int kMoveImageCount = 4;
constexpr int kSwatchSize = 11;
constexpr int kSwatchPitch = 13;
constexpr int kLongestTip = 80;

const COLORREF kPaletteColors[CButtonImageEditorDlg::kPaletteSize] = {
    0x000000, 0x808080, 0x000080, 0x008080, 0x008000, 0x808000, 0x800000, 0x800080,
    0xFFFFFF, 0xC0C0C0, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF,
};

// The tools toolbar: three rows of four.
const UINT kToolButtons[kToolImageCount] = {
    ID_KIT_EDITOR_PENCIL, ID_KIT_EDITOR_FILL,  ID_KIT_EDITOR_UNDO,    ID_KIT_EDITOR_REDO,
    ID_KIT_EDITOR_PICK,   ID_KIT_EDITOR_LINE,  ID_KIT_EDITOR_COPY,    ID_KIT_EDITOR_PASTE,
    ID_KIT_EDITOR_RECTANGLE, ID_KIT_EDITOR_ELLIPSE, ID_KIT_EDITOR_CLEAR, ID_KIT_EDITOR_IMPORT,
};
const UINT kMoveButtons[kMoveImageCount] = {
    ID_KIT_EDITOR_MOVE_LEFT, ID_KIT_EDITOR_MOVE_DOWN, ID_KIT_EDITOR_MOVE_UP, ID_KIT_EDITOR_MOVE_RIGHT,
};

UINT SwatchId(int nIndex)
{
    return ID_KIT_EDITOR_SWATCH_FIRST + static_cast<UINT>(nIndex) * ID_KIT_EDITOR_SWATCH_STEP;
}

// The tooltip of a button or swatch: the part of its string after the line feed.
CString TipText(UINT nID)
{
    CString strText;
    if (!GetToolkitResources()->LoadString(strText, nID))
        return CString();
    const int nBreak = strText.Find(L'\n');
    CString strTip = nBreak >= 0 ? strText.Mid(nBreak + 1) : strText;
    return strTip.Left(kLongestTip);
}

// Toolbar buttons as update items.
class CEditorButtonCmdUI : public CCmdUI
{
public:
    HWND m_hBar = nullptr;
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        ::SendMessageW(m_hBar, TB_ENABLEBUTTON, m_nID, MAKELONG(bOn ? TRUE : FALSE, 0));
    }
    void SetCheck(int nCheck) override { ::SendMessageW(m_hBar, TB_CHECKBUTTON, m_nID, MAKELONG(nCheck != 0, 0)); }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCTSTR) override {}
};

// The picture as it is, with the key colour in the fill colour (for the clipboard).
HBITMAP RenderOver(const CEditorImage& image, COLORREF clrFill)
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, image.GetWidth(), image.GetHeight());
    ::ReleaseDC(nullptr, hScreen);
    if (hBitmap == nullptr)
        return nullptr;
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
        {
            const COLORREF clr = image.GetPixel(x, y);
            ::SetPixelV(hDC, x, y, clr == CEditorImage::kKeyColor ? clrFill : clr);
        }
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hBitmap;
}

} // namespace

CButtonImageEditorDlg::CButtonImageEditorDlg(CWnd* pParent)
{
    m_pParentWnd = pParent;
}

CButtonImageEditorDlg::~CButtonImageEditorDlg()
{
    if (m_hImages != nullptr)
        ::ImageList_Destroy(m_hImages);
}

void CButtonImageEditorDlg::SetImageSize(int nWidth, int nHeight)
{
    m_szImage = CSize(nWidth, nHeight);
    if (!m_image.IsEmpty() && (m_image.GetWidth() != nWidth || m_image.GetHeight() != nHeight))
        m_image.Release();
}

void CButtonImageEditorDlg::SetImageFromIcon(CCommandIcon* pIcon)
{
    m_image.Release();
    if (pIcon == nullptr)
        return;
    CIconImage& normal = pIcon->GetImage();
    if (normal.IsEmpty())
        return;
    const SIZE extent = normal.GetExtent();
    if (extent.cx <= 0 || extent.cy <= 0)
        return;
    m_szImage = CSize(extent.cx, extent.cy);
    if (normal.IsAlpha())
    {
        m_image = PictureFromBitmap(normal.GetBitmap(), extent.cx, extent.cy, TRUE, static_cast<COLORREF>(-1));
        return;
    }
    if (!m_image.Create(extent.cx, extent.cy))
        return;
    CEditorImageDC dc(m_image);
    ::DrawIconEx(dc.GetSafeHdc(), 0, 0, normal.GetIcon(), extent.cx, extent.cy, 0, nullptr, DI_NORMAL);
}

void CButtonImageEditorDlg::SetImageFromIconScaled(CCommandIcon* pIcon, CSize szImage)
{
    m_image.Release();
    m_szImage = szImage;
    if (pIcon == nullptr || !m_image.Create(szImage.cx, szImage.cy))
        return;
    CEditorImageDC dc(m_image);
    pIcon->Draw(CDC::FromHandle(dc.GetSafeHdc()), 0, 0, pIcon->GetImage(), szImage.cx, szImage.cy);
}

BOOL CButtonImageEditorDlg::GetImageToIcon(CCommandIcon* pIcon) const
{
    const CEditorImage& image = GetImage();
    if (pIcon == nullptr || image.IsEmpty())
        return FALSE;
    CIconImage picture;
    if (image.HasAlpha())
    {
        picture.CopyAlphaBitmap(image.GetBitmap());
        return !picture.IsEmpty() && pIcon->SetImage(picture);
    }
    const int cx = image.GetWidth();
    const int cy = image.GetHeight();
    HIMAGELIST hList = ::ImageList_Create(cx, cy, ILC_COLOR24 | ILC_MASK, 1, 1);
    if (hList == nullptr)
        return FALSE;
    // The image list blackens the masked pixels of the bitmap it is given.
    CEditorImage copy(image);
    ::ImageList_AddMasked(hList, copy.GetBitmap(), CEditorImage::kKeyColor);
    HICON hIcon = ::ImageList_GetIcon(hList, 0, ILD_NORMAL);
    ::ImageList_Destroy(hList);
    if (hIcon == nullptr)
        return FALSE;
    picture.SetIcon(hIcon);
    return pIcon->SetImage(picture);
}

const CEditorImage& CButtonImageEditorDlg::GetImage() const
{
    return m_canvas.m_hWnd != nullptr ? m_canvas.GetImage() : m_image;
}

INT_PTR CButtonImageEditorDlg::DoModal()
{
    LPCDLGTEMPLATE lpTemplate = GetToolkitResources()->LoadDialogTemplate(IDD_KIT_BUTTON_EDITOR);
    if (lpTemplate == nullptr)
        return -1;
    InitModalIndirect(lpTemplate, m_pParentWnd);
    return CDialog::DoModal();
}

BOOL CButtonImageEditorDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_image.IsEmpty())
        m_image.Create(m_szImage.cx, m_szImage.cy);

    CreateToolBars();
    CreatePalette();
    m_transparent.Attach(this, IDC_KIT_EDITOR_TRANSPARENT, CEditorImage::kKeyColor);
    m_custom.Attach(this, IDC_KIT_EDITOR_CUSTOM, RGB(0, 0, 0));
    m_preview.Attach(this, IDC_KIT_EDITOR_PREVIEW);
    m_canvas.Attach(this, IDC_KIT_EDITOR_CANVAS, this, &m_preview);
    m_canvas.SetImage(m_image);

    if (m_tips.Create(this))
    {
        for (int i = 0; i < kPaletteSize; ++i)
            m_tips.AddTool(&m_palette[static_cast<size_t>(i)], TipText(SwatchId(i)));
    }
    UpdateToolBars();
    return TRUE;
}

void CButtonImageEditorDlg::CreateToolBars()
{
    HBITMAP hBitmap = nullptr;
    if (IsComCtl6() && (hBitmap = LoadAlphaBitmapResource(IDB_KIT_EDITOR_TOOLS_ALPHA)) != nullptr)
    {
        m_hImages = ::ImageList_Create(16, 16, ILC_COLOR32, kToolImageCount + kMoveImageCount, 0);
        ::ImageList_Add(m_hImages, hBitmap, nullptr);
    }
    else
    {
        CBitmap bitmap;
        if (GetToolkitResources()->LoadBitmap(bitmap, IDB_KIT_EDITOR_TOOLS))
        {
            m_hImages = ::ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, kToolImageCount + kMoveImageCount, 0);
            ::ImageList_AddMasked(m_hImages, static_cast<HBITMAP>(bitmap.GetSafeHandle()), RGB(192, 192, 192));
        }
    }
    if (hBitmap != nullptr)
        ::DeleteObject(hBitmap);
    m_hToolsBar = CreateToolBar(IDC_KIT_EDITOR_TOOLS_AREA, kToolsBarId, kToolButtons, kToolImageCount, 0, 4);
    m_hMoveBar = CreateToolBar(IDC_KIT_EDITOR_MOVE_AREA, kMoveBarId, kMoveButtons, kMoveImageCount, kToolImageCount, 4);
}

HWND CButtonImageEditorDlg::CreateToolBar(UINT nAreaID, UINT nBarID, const UINT* pIDs, int nCount, int nFirstImage,
                                          int nPerRow)
{
    HWND hArea = ::GetDlgItem(m_hWnd, static_cast<int>(nAreaID));
    if (hArea == nullptr)
        return nullptr;
    CRect rcArea;
    ::GetWindowRect(hArea, &rcArea);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rcArea), 2);
    HWND hBar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                  WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER |
                                      CCS_NORESIZE | CCS_NOPARENTALIGN,
                                  0, 0, 0, 0, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nBarID)),
                                  AfxGetInstanceHandle(), nullptr);
    if (hBar == nullptr)
        return nullptr;
    ::SendMessageW(hBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(hBar, TB_SETBITMAPSIZE, 0, MAKELONG(16, 16));
    ::SendMessageW(hBar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_hImages));
    std::vector<TBBUTTON> buttons(static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; ++i)
    {
        TBBUTTON& button = buttons[static_cast<size_t>(i)];
        button.iBitmap = nFirstImage + i;
        button.idCommand = static_cast<int>(pIDs[i]);
        button.fsState = TBSTATE_ENABLED;
        if ((i + 1) % nPerRow == 0 && i + 1 < nCount)
            button.fsState |= TBSTATE_WRAP;
        button.fsStyle = TBSTYLE_BUTTON;
    }
    ::SendMessageW(hBar, TB_ADDBUTTONSW, static_cast<WPARAM>(nCount), reinterpret_cast<LPARAM>(buttons.data()));
    RECT rcLast = {};
    ::SendMessageW(hBar, TB_GETITEMRECT, static_cast<WPARAM>(nCount - 1), reinterpret_cast<LPARAM>(&rcLast));
    // Centred in the frame, below its caption.
    const int cx = rcLast.right;
    const int cy = rcLast.bottom;
    const int nCaption = 12;
    const int x = rcArea.left + std::max(2, static_cast<int>(rcArea.Width() - cx) / 2);
    const int y = rcArea.top + nCaption + std::max(0, static_cast<int>(rcArea.Height() - nCaption - cy) / 2);
    ::SetWindowPos(hBar, HWND_TOP, x, y, cx, cy, SWP_NOACTIVATE);
    return hBar;
}

void CButtonImageEditorDlg::CreatePalette()
{
    HWND hFrame = ::GetDlgItem(m_hWnd, IDC_KIT_EDITOR_COLORS);
    CRect rcFrame;
    if (hFrame != nullptr)
    {
        ::GetWindowRect(hFrame, &rcFrame);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rcFrame), 2);
    }
    // Inside the frame: below its caption line, clear of its left edge.
    const int nLeft = rcFrame.left + 8;
    const int nTop = rcFrame.top + 18;
    for (int i = 0; i < kPaletteSize; ++i)
    {
        const int c = i % 8;
        const int r = i / 8;
        const CRect rc(CPoint(nLeft + kSwatchPitch * c, nTop - 4 + kSwatchPitch * r), CSize(kSwatchSize, kSwatchSize));
        m_palette[static_cast<size_t>(i)].Create(this, SwatchId(i), rc, kPaletteColors[i]);
    }
    SelectSwatch(&m_palette[0]);
}

CKitImageEditorPicker* CButtonImageEditorDlg::FindSwatch(UINT nID)
{
    if (nID == IDC_KIT_EDITOR_TRANSPARENT)
        return &m_transparent;
    if (nID == IDC_KIT_EDITOR_CUSTOM)
        return &m_custom;
    for (int i = 0; i < kPaletteSize; ++i)
        if (SwatchId(i) == nID)
            return &m_palette[static_cast<size_t>(i)];
    return nullptr;
}

void CButtonImageEditorDlg::SelectSwatch(CKitImageEditorPicker* pSwatch)
{
    for (auto& swatch : m_palette)
        swatch.SetSelected(&swatch == pSwatch);
    m_transparent.SetSelected(&m_transparent == pSwatch);
    m_custom.SetSelected(&m_custom == pSwatch);
}

COLORREF CButtonImageEditorDlg::GetDrawingColor() const
{
    for (const auto& swatch : m_palette)
        if (swatch.IsSelected())
            return swatch.GetColor();
    if (m_transparent.IsSelected())
        return m_transparent.GetColor();
    if (m_custom.IsSelected())
        return m_custom.GetColor();
    return RGB(0, 0, 0);
}

void CButtonImageEditorDlg::SetTool(int nTool)
{
    if (nTool < kToolPencil || nTool > kToolEllipse)
        return;
    if (nTool == kToolPick && m_nTool != kToolPick)
        m_nToolBeforePick = m_nTool;
    m_nTool = nTool;
    UpdateToolBars();
}

void CButtonImageEditorDlg::OnColorPicked(COLORREF clr)
{
    m_custom.SetColor(clr);
    SelectSwatch(&m_custom);
    SetTool(m_nToolBeforePick);
}

void CButtonImageEditorDlg::UpdateToolBars()
{
    for (HWND hBar : {m_hToolsBar, m_hMoveBar})
    {
        if (hBar == nullptr)
            continue;
        CEditorButtonCmdUI state;
        state.m_hBar = hBar;
        state.m_nIndexMax = static_cast<UINT>(::SendMessageW(hBar, TB_BUTTONCOUNT, 0, 0));
        for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
        {
            TBBUTTON button = {};
            ::SendMessageW(hBar, TB_GETBUTTON, state.m_nIndex, reinterpret_cast<LPARAM>(&button));
            state.m_nID = static_cast<UINT>(button.idCommand);
            state.DoUpdate(this, FALSE);
        }
    }
}

BOOL CButtonImageEditorDlg::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nCode == static_cast<int>(CN_UPDATE_COMMAND_UI) && pExtra != nullptr)
    {
        auto* pCmdUI = static_cast<CCmdUI*>(pExtra);
        if (nID >= ID_KIT_EDITOR_PENCIL && nID <= ID_KIT_EDITOR_ELLIPSE)
        {
            pCmdUI->SetCheck(static_cast<int>(nID - ID_KIT_EDITOR_PENCIL) == m_nTool ? 1 : 0);
            pCmdUI->Enable(TRUE);
            return TRUE;
        }
        if (nID == ID_KIT_EDITOR_UNDO || nID == ID_KIT_EDITOR_REDO)
        {
            pCmdUI->Enable(nID == ID_KIT_EDITOR_UNDO ? m_canvas.CanUndo() : m_canvas.CanRedo());
            return TRUE;
        }
    }
    return CDialog::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CButtonImageEditorDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const UINT nCode = HIWORD(wParam);
    if (nCode == BN_CLICKED || nCode == STN_CLICKED)
    {
        if (nID >= ID_KIT_EDITOR_PENCIL && nID <= ID_KIT_EDITOR_ELLIPSE &&
            reinterpret_cast<HWND>(lParam) == m_hToolsBar)
        {
            SetTool(static_cast<int>(nID - ID_KIT_EDITOR_PENCIL));
            return TRUE;
        }
        const bool bFromBar = lParam != 0 && (reinterpret_cast<HWND>(lParam) == m_hToolsBar ||
                                              reinterpret_cast<HWND>(lParam) == m_hMoveBar);
        if (bFromBar)
        {
            switch (nID)
            {
            case ID_KIT_EDITOR_UNDO: m_canvas.Undo(); break;
            case ID_KIT_EDITOR_REDO: m_canvas.Redo(); break;
            case ID_KIT_EDITOR_CLEAR: m_canvas.Clear(); break;
            case ID_KIT_EDITOR_COPY: CopyToClipboard(); break;
            case ID_KIT_EDITOR_PASTE: PasteFromClipboard(); break;
            case ID_KIT_EDITOR_IMPORT: ImportFromFile(); break;
            case ID_KIT_EDITOR_MOVE_LEFT: m_canvas.Move(-1, 0); break;
            case ID_KIT_EDITOR_MOVE_DOWN: m_canvas.Move(0, 1); break;
            case ID_KIT_EDITOR_MOVE_UP: m_canvas.Move(0, -1); break;
            case ID_KIT_EDITOR_MOVE_RIGHT: m_canvas.Move(1, 0); break;
            default: return CDialog::OnCommand(wParam, lParam);
            }
            UpdateToolBars();
            return TRUE;
        }
        if (CKitImageEditorPicker* pSwatch = FindSwatch(nID))
        {
            if (pSwatch == &m_custom)
            {
                CColorDialog dialog(m_custom.GetColor(), 0, this);
                if (dialog.DoModal() != IDOK)
                    return TRUE;
                m_custom.SetColor(dialog.GetColor());
            }
            SelectSwatch(pSwatch);
            return TRUE;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CButtonImageEditorDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pHeader = reinterpret_cast<NMHDR*>(lParam);
    if (pHeader != nullptr && pHeader->code == TTN_GETDISPINFOW &&
        (::GetParent(pHeader->hwndFrom) == m_hToolsBar || ::GetParent(pHeader->hwndFrom) == m_hMoveBar ||
         (pHeader->idFrom >= ID_KIT_EDITOR_MOVE_LEFT && pHeader->idFrom <= ID_KIT_EDITOR_IMPORT)))
    {
        auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        const CString strTip = TipText(static_cast<UINT>(pHeader->idFrom));
        wcsncpy(pInfo->szText, strTip, std::size(pInfo->szText) - 1);
        pInfo->szText[std::size(pInfo->szText) - 1] = 0;
        pInfo->lpszText = pInfo->szText;
        *pResult = 0;
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

LRESULT CButtonImageEditorDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KICKIDLE)
    {
        SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        UpdateToolBars();
        return FALSE;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CButtonImageEditorDlg::OnOK()
{
    // The picture outlives the window.
    m_image = m_canvas.GetImage();
    m_canvas.UnsubclassWindow();
    CDialog::OnOK();
}

void CButtonImageEditorDlg::CopyToClipboard()
{
    const CEditorImage& image = m_canvas.GetImage();
    if (image.IsEmpty() || !::OpenClipboard(m_hWnd))
        return;
    ::EmptyClipboard();
    if (HBITMAP hBitmap = RenderOver(image, GetColorTable()->GetColor(kSlotButtonFace)))
    {
        if (::SetClipboardData(CF_BITMAP, hBitmap) == nullptr)
            ::DeleteObject(hBitmap);
    }
    if (image.HasAlpha())
    {
        if (HGLOBAL hMarker = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, 1))
        {
            if (auto* pByte = static_cast<BYTE*>(::GlobalLock(hMarker)))
            {
                *pByte = 1;
                ::GlobalUnlock(hMarker);
            }
            if (::SetClipboardData(GetAlphaBitmapClipFormat(), hMarker) == nullptr)
                ::GlobalFree(hMarker);
        }
    }
    ::CloseClipboard();
}

void CButtonImageEditorDlg::PasteFromClipboard()
{
    if (!::IsClipboardFormatAvailable(CF_BITMAP) || !::OpenClipboard(m_hWnd))
        return;
    BOOL bAlpha = FALSE;
    for (UINT nFormat = ::EnumClipboardFormats(0); nFormat != 0 && !bAlpha; nFormat = ::EnumClipboardFormats(nFormat))
    {
        WCHAR szName[128] = {};
        if (nFormat >= 0xC000 && ::GetClipboardFormatNameW(nFormat, szName, 127) > 0)
        {
            const WCHAR* pFound = wcsstr(szName, L"DIB32");
            bAlpha = pFound != nullptr && pFound != szName;
        }
    }
    if (!bAlpha)
        bAlpha = ::IsClipboardFormatAvailable(GetAlphaBitmapClipFormat());
    const CEditorImage& current = m_canvas.GetImage();
    HBITMAP hBitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    CEditorImage pasted;
    if (hBitmap != nullptr)
        pasted = PictureFromBitmap(hBitmap, current.GetWidth(), current.GetHeight(), bAlpha,
                                   bAlpha ? static_cast<COLORREF>(-1) : GetColorTable()->GetColor(kSlotButtonFace));
    ::CloseClipboard();
    if (!pasted.IsEmpty())
        m_canvas.Replace(pasted);
}

void CButtonImageEditorDlg::ImportFromFile()
{
    CString strFilter;
    GetToolkitResources()->LoadString(strFilter, IDS_KIT_PICTURE_FILTER);
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, strFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    const CEditorImage& current = m_canvas.GetImage();
    const CEditorImage imported = LoadEditorPictureFile(dialog.GetPathName(), current.GetWidth(), current.GetHeight());
    if (!imported.IsEmpty())
        m_canvas.Replace(imported);
}

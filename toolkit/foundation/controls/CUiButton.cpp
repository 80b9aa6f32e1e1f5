#include "CUiButton.h"

#include "AlphaBitmaps.h"
#include "CColorTable.h"
#include "CDrawTools.h"
#include "CSharedMetrics.h"
#include "DeviceContexts.h"

IMPLEMENT_DYNAMIC(CUiButton, CButton)

namespace {
constexpr UINT_PTR kHotTimer = 1;
}

BEGIN_MESSAGE_MAP(CUiButton, CButton)
  ON_WM_CREATE()
  ON_WM_MOUSEMOVE()
  ON_WM_TIMER()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CUiButton::CUiButton(CRuntimeClass* pFactoryClass)
    : CThemeHost(pFactoryClass != nullptr ? pFactoryClass : RUNTIME_CLASS(CUiButtonThemeFactory))
{
}

CUiButton::~CUiButton()
{
    if (m_pIcon)
        m_pIcon->ClearDerivedImages();
}

// ----- icons -----

BOOL CUiButton::SetIcon(CSize size, const CIconImage& normal, const CIconImage& hot, BOOL bRedraw)
{
    if (size.cx == 0 && size.cy == 0)
        size = normal.GetExtent();
    m_iconSize = size;
    m_pIcon = std::make_unique<CCommandIcon>(0, size.cx, size.cy, static_cast<CCommandIconSet*>(nullptr));
    m_pIcon->SetImage(normal);
    if (!hot.IsEmpty())
        m_pIcon->SetHotImage(hot);
    if (bRedraw && GetSafeHwnd() != nullptr)
        Invalidate();
    return TRUE;
}

BOOL CUiButton::SetIcon(CSize size, LPCTSTR lpszNormal, LPCTSTR lpszHot, BOOL bRedraw)
{
    auto load = [&size](LPCTSTR name, CIconImage& image) {
        if (IS_INTRESOURCE(name))
            return image.LoadIconResource(static_cast<UINT>(reinterpret_cast<UINT_PTR>(name)), size.cx, size.cy, TRUE);
        HICON hIcon = static_cast<HICON>(
            ::LoadImageW(AfxGetResourceHandle(), name, IMAGE_ICON, size.cx, size.cy, LR_DEFAULTCOLOR));
        image.SetIcon(hIcon);
        return hIcon != nullptr ? TRUE : FALSE;
    };
    CIconImage normal, hot;
    if (lpszNormal == nullptr || !load(lpszNormal, normal))
        return FALSE;
    if (lpszHot != nullptr && !load(lpszHot, hot))
        return FALSE;
    return SetIcon(size, normal, hot, bRedraw);
}

BOOL CUiButton::SetIcon(CSize size, UINT nNormalID, UINT nHotID, BOOL bRedraw)
{
    return SetIcon(size, MAKEINTRESOURCEW(LOWORD(nNormalID)), nHotID != 0 ? MAKEINTRESOURCEW(LOWORD(nHotID)) : nullptr,
                   bRedraw);
}

BOOL CUiButton::SetIcon(CSize size, HICON hNormal, HICON hHot, BOOL bRedraw)
{
    return SetIcon(size, CIconImage(hNormal), CIconImage(hHot), bRedraw);
}

BOOL CUiButton::SetBitmap(CSize size, UINT nBitmapID, BOOL bRedraw)
{
    ResetIconImages();
    m_pIcon.reset();
    CIconImage picture;
    if (IsAlphaBitmapResource(nBitmapID))
    {
        HBITMAP hBitmap = LoadAlphaBitmapResource(nBitmapID);
        if (hBitmap == nullptr)
            return FALSE;
        picture.SetBitmap(hBitmap);
    }
    else
    {
        CBitmapHolder holder;
        holder.SetBitmap(::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nBitmapID)));
        if (holder.GetBitmap() == nullptr)
            return FALSE;
        picture.SetIcon(holder.CreateIcon());
    }
    if (picture.IsEmpty())
        return FALSE;
    return SetIcon(size, picture, CIconImage(), bRedraw);
}

void CUiButton::ResetIconImages()
{
    if (m_pIcon)
        m_pIcon->ClearDerivedImages();
}

CSize CUiButton::GetIconSize() const
{
    CUiButtonTheme* pTheme = GetButtonTheme();
    return (pTheme != nullptr && pTheme->GetShowImages()) ? m_iconSize : CSize(0, 0);
}

CPoint CUiButton::GetImagePosition() const
{
    CUiButtonTheme* pTheme = GetButtonTheme();
    return (pTheme != nullptr && pTheme->GetShowImages()) ? m_ptImage : CPoint(0, 0);
}

CPoint CUiButton::GetTextPosition() const
{
    CUiButtonTheme* pTheme = GetButtonTheme();
    return (pTheme != nullptr && pTheme->GetShowImages()) ? m_ptText : CPoint(0, 0);
}

HICON CUiButton::GetHotIconHandle() const
{
    return m_pIcon ? m_pIcon->GetHotImage().GetIcon() : nullptr;
}

BOOL CUiButton::SetContentPositions(CPoint ptImage, CPoint ptText, BOOL bRedraw)
{
    m_ptImage = ptImage;
    m_ptText = ptText;
    if (bRedraw && GetSafeHwnd() != nullptr)
        Invalidate();
    m_bPositionsSet = TRUE;
    return TRUE;
}

// ----- style and colours -----

DWORD CUiButton::SetXButtonStyle(DWORD dwStyle, BOOL bRedraw)
{
    const DWORD previous = m_dwXStyle;
    m_dwXStyle = dwStyle;
    CControlTheme* pTheme = nullptr;
    if ((dwStyle & kButtonFlatTheme) != 0)
        pTheme = new CUiButtonThemeFlat();
    else if ((dwStyle & kButtonFlat) != 0)
        pTheme = new CUiButtonTheme();
    SetTheme(pTheme);
    if (bRedraw && GetSafeHwnd() != nullptr)
        Invalidate();
    return previous;
}

COLORREF CUiButton::SetColors(COLORREF clrFace, COLORREF clrLight, COLORREF clrShadow, COLORREF clrText)
{
    CUiButtonTheme* pTheme = GetButtonTheme();
    return pTheme != nullptr ? pTheme->SetColors(clrFace, clrLight, clrShadow, clrText) : 0;
}

COLORREF CUiButton::SetFaceColor(COLORREF clr)
{
    CUiButtonTheme* pTheme = GetButtonTheme();
    return pTheme != nullptr ? pTheme->SetFaceColor(clr) : 0;
}

COLORREF CUiButton::GetFaceColor() const
{
    CUiButtonTheme* pTheme = GetButtonTheme();
    return pTheme != nullptr ? pTheme->GetFaceColor() : GetSharedMetrics()->m_clrBtnFace;
}

COLORREF CUiButton::SetLightColor(COLORREF clr)
{
    CUiButtonTheme* pTheme = GetButtonTheme();
    return pTheme != nullptr ? pTheme->SetLightColor(clr) : 0;
}

COLORREF CUiButton::SetShadowColor(COLORREF clr)
{
    CUiButtonTheme* pTheme = GetButtonTheme();
    return pTheme != nullptr ? pTheme->SetShadowColor(clr) : 0;
}

COLORREF CUiButton::SetTextColor(COLORREF clr)
{
    CUiButtonTheme* pTheme = GetButtonTheme();
    return pTheme != nullptr ? pTheme->SetTextColor(clr) : 0;
}

void CUiButton::SetFlatColors(COLORREF clrFrame, COLORREF clrHotBack, COLORREF clrPressedBack)
{
    CUiButtonTheme* pTheme = GetButtonTheme();
    if (pTheme == nullptr || pTheme->m_nType != kThemeFlat)
        return;
    auto* pFlat = dynamic_cast<CUiButtonThemeFlat*>(pTheme);
    if (pFlat == nullptr)
        return;
    pFlat->SetLightColor(clrFrame);
    pFlat->SetShadowColor(clrFrame);
    pFlat->SetHotBackColor(clrHotBack);
    pFlat->SetPressedBackColor(clrPressedBack);
}

void CUiButton::ToggleShowImages()
{
    if (CUiButtonTheme* pTheme = GetButtonTheme())
    {
        pTheme->SetShowImages(!pTheme->GetShowImages());
        if (GetSafeHwnd() != nullptr)
            Invalidate();
    }
}

CFont* CUiButton::SetButtonFont(CFont* pFont)
{
    CFont* pPrevious = GetFont();
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont != nullptr ? pFont->GetSafeHandle() : nullptr), TRUE);
    return pPrevious;
}

BOOL CUiButton::ForceOwnerDraw()
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    return TRUE;
}

CString CUiButton::GetButtonText(BOOL bStrip) const
{
    CString text;
    if (GetSafeHwnd() != nullptr)
        GetWindowText(text);
    if (bStrip)
        RemoveSingleAmpersands(text);
    return text;
}

void CUiButton::ThemeChanged()
{
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

// ----- window life -----

void CUiButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    if (m_bForceOwnerDraw)
        ForceOwnerDraw();
}

BOOL CUiButton::PreCreateWindow(CREATESTRUCT& cs)
{
    m_bForceOwnerDraw = FALSE;
    return CButton::PreCreateWindow(cs);
}

int CUiButton::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    const int result = CButton::OnCreate(lpCreateStruct);
    if (result != -1)
        ForceOwnerDraw();
    return result;
}

BOOL CUiButton::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if ((message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE) && GetTheme() != nullptr)
        GetTheme()->UpdateMetrics();
    return CButton::OnWndMsg(message, wParam, lParam, pResult);
}

void CUiButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (CUiButtonTheme* pTheme = GetButtonTheme())
        pTheme->DrawItem(*lpDIS, this);
}

// ----- hot tracking -----

BOOL CUiButton::TrackHotState()
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect window;
    GetWindowRect(&window);
    if (m_bPressed || !window.PtInRect(cursor))
    {
        KillTimer(kHotTimer);
        m_bHot = FALSE;
        if (m_bHotDrawn)
            Invalidate();
        m_bHotDrawn = FALSE;
        return FALSE;
    }
    CUiButtonTheme* pTheme = GetButtonTheme();
    if (pTheme != nullptr && pTheme->IsHotTracking(this) && !m_bHotDrawn)
    {
        m_bHot = TRUE;
        Invalidate();
        m_bHotDrawn = TRUE;
    }
    return TRUE;
}

void CUiButton::OnMouseMove(UINT nFlags, CPoint point)
{
    CUiButtonTheme* pTheme = GetButtonTheme();
    if (pTheme != nullptr && pTheme->IsHotTracking(this))
    {
        SetTimer(kHotTimer, 10, nullptr);
        TrackHotState();
    }
    CButton::OnMouseMove(nFlags, point);
}

void CUiButton::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kHotTimer)
    {
        CButton::OnTimer(nIDEvent);
        return;
    }
    if (TrackHotState())
        CButton::OnTimer(nIDEvent);
}

void CUiButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bPressed = TRUE;
    Invalidate();
    CButton::OnLButtonDown(nFlags, point);
}

void CUiButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bPressed = FALSE;
    Invalidate();
    CButton::OnLButtonUp(nFlags, point);
}

void CUiButton::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(cursor.x, cursor.y));
    CButton::OnLButtonDblClk(nFlags, point);
}

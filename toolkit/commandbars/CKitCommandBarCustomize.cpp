// The bar's side of customization: it registers as a drop target while its
// window lives, shows where a dragged control would land, takes the drop,
// and in customize mode turns mouse presses on its controls into picking
// them up and into the sheet's context menu.
#include "CKitCommandBar.h"

#include "CKitCommandBars.h"
#include "customize/CControlDragSource.h"
#include "customize/CKitCustomizeSheet.h"

#include <cstdlib>

namespace
{
constexpr int kListPosition = 6;     // the list windows of combo boxes take no drops
constexpr int kMarkThickness = 6;
constexpr int kSelfDropSlack = 4;    // a drop on itself farther than this changes the group start

BOOL IsMovable(const CKitControl* pControl)
{
    return pControl->IsVisible() && (pControl->GetFlags() & kControlFlagNotCustomizable) == 0 &&
           !pControl->IsTemporary();
}
}  // namespace

BOOL CKitCommandBar::IsCustomizeMode() const
{
    CKitCommandBars* pCommandBars = FindCommandBars();
    return pCommandBars != nullptr && pCommandBars->IsCustomizeMode();
}

BOOL CKitCommandBar::OnCustomizeMessage(UINT message, WPARAM /*wParam*/, LPARAM lParam)
{
    switch (message)
    {
    case WM_CREATE:
        if (m_nPosition != kListPosition && m_pDropRegistration == nullptr)
        {
            if (CKitCommandBars* pCommandBars = FindCommandBars())
            {
                m_pDropRegistration = pCommandBars->GetDragSource();
                m_pDropRegistration->AddTarget(this);
            }
        }
        return FALSE;
    case WM_DESTROY:
        if (m_pDropRegistration != nullptr)
            m_pDropRegistration->RemoveTarget(this);
        m_pDropRegistration = nullptr;
        return FALSE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
        break;
    default:
        return FALSE;
    }
    CKitCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars == nullptr)
        return FALSE;
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    if (!pCommandBars->IsCustomizeMode())
        return message == WM_LBUTTONDOWN && OnAltDrag(pCommandBars, point);
    CKitControl* pControl = m_controls.HitTest(point);
    if (message == WM_MOUSEMOVE || message == WM_LBUTTONUP || message == WM_RBUTTONUP || pControl == nullptr)
    {
        // Nothing turns hot while customizing; presses beside the controls
        // (the gripper) keep their meaning.
        return message != WM_LBUTTONDOWN && message != WM_LBUTTONDBLCLK && message != WM_RBUTTONUP;
    }
    if (!m_bCustomizable || !IsMovable(pControl))
        return TRUE;
    SetPopuped(-1, FALSE);
    SetSelected(-1, FALSE);
    if (message == WM_RBUTTONDOWN)
    {
        pCommandBars->SetDragControl(pControl);
        if (auto* pSheet = dynamic_cast<CKitCustomizeSheet*>(pCommandBars->GetCustomizeSheet()))
        {
            CPoint ptScreen = point;
            ClientToScreen(&ptScreen);
            pSheet->ShowControlMenu(ptScreen);
        }
        return TRUE;
    }
    pControl->OnCustomizeMouseDown(point);
    return TRUE;
}

BOOL CKitCommandBar::OnAltDrag(CKitCommandBars* pCommandBars, CPoint point)
{
    // Alt held on a toolbar picks a button up without the customize sheet.
    CKitControl* pControl = m_controls.HitTest(point);
    if (::GetKeyState(VK_MENU) >= 0 || m_nType != kBarTypeToolBar || !m_bCustomizable || pControl == nullptr ||
        !IsMovable(pControl) || !pCommandBars->IsCustomizationAllowed() ||
        !pCommandBars->GetSettings()->m_bAltDragCustomization)
        return FALSE;
    pCommandBars->SetCustomizeMode(TRUE);
    SetPopuped(-1, FALSE);
    SetSelected(-1, FALSE);
    pControl->InternalAddRef();
    pControl->OnCustomizeMouseDown(point);
    pControl->InternalRelease();
    pCommandBars->SetCustomizeMode(FALSE);
    pCommandBars->RecalcAllBars();
    CKitCommandBars::ClosePopups();
    return TRUE;
}

int CKitCommandBar::FindInsertion(CKitControl* pControl, CPoint point, CRect& rcMark, BOOL& bVerticalMark)
{
    const BOOL bVertical = IsVertical() || m_nPosition == kBarPopup;
    bVerticalMark = !bVertical;
    CKitControl* pBest = nullptr;
    int nBestDistance = 0;
    for (int i = 0; i < m_controls.GetCount(); ++i)
    {
        CKitControl* pCandidate = m_controls.GetAt(i);
        if (!IsMovable(pCandidate))
            continue;
        const CRect& rc = pCandidate->GetRect();
        // A wrapped row starting after the pointer ends the search.
        if (pBest != nullptr && pCandidate->GetRowBreak() &&
            (bVertical ? point.x < rc.left : point.y < rc.top))
            break;
        const int nAxis = bVertical ? std::abs(point.y - rc.CenterPoint().y) : std::abs(point.x - rc.CenterPoint().x);
        const int nAcross = bVertical ? (point.x < rc.left ? rc.left - point.x : std::max(0L, point.x - rc.right))
                                      : (point.y < rc.top ? rc.top - point.y : std::max(0L, point.y - rc.bottom));
        const int nDistance = nAxis + nAcross * 1000;
        if (pBest == nullptr || nDistance < nBestDistance)
        {
            pBest = pCandidate;
            nBestDistance = nDistance;
        }
    }
    CRect rcClient;
    GetClientRect(&rcClient);
    if (pBest == nullptr)
    {
        // An empty bar: a mark near its start.
        int nAppend = m_controls.GetCount();
        for (int i = 0; i < m_controls.GetCount(); ++i)
        {
            if (m_controls.GetAt(i)->IsTemporary())
            {
                nAppend = i;
                break;
            }
        }
        rcMark = bVertical ? CRect(rcClient.left + 2, rcClient.top + 2, rcClient.right - 2, rcClient.top + 8)
                           : CRect(rcClient.left + 2, rcClient.top + 2, rcClient.left + 8, rcClient.bottom - 2);
        return nAppend;
    }
    const CRect& rc = pBest->GetRect();
    const BOOL bAfter = bVertical ? point.y > rc.CenterPoint().y : point.x > rc.CenterPoint().x;
    const int nBefore = pBest->GetIndex() + (bAfter ? 1 : 0);
    // Next to the dragged control itself the drop changes nothing.
    if (pControl != nullptr && pControl->GetParent() == this &&
        (nBefore == pControl->GetIndex() || nBefore == pControl->GetIndex() + 1))
    {
        rcMark.SetRectEmpty();
        return -1;
    }
    CKitControl* pNext = m_controls.GetAt(pBest->GetIndex() + 1);
    const BOOL bFlush = bAfter && pNext != nullptr && (pNext->GetBeginGroup() || pNext->GetRowBreak());
    if (bVertical)
    {
        const int y = bAfter ? rc.bottom : rc.top;
        const int nTop = bFlush ? y - kMarkThickness : y - kMarkThickness / 2;
        rcMark = CRect(rc.left, nTop, rc.right, nTop + kMarkThickness);
    }
    else
    {
        const int x = bAfter ? rc.right : rc.left;
        const int nLeft = bFlush ? x - kMarkThickness : x - kMarkThickness / 2;
        rcMark = CRect(nLeft, rc.top, nLeft + kMarkThickness, rc.bottom);
    }
    return nBefore;
}

BOOL CKitCommandBar::OnCustomizeDragEnter(CKitControl* pControl, CPoint point)
{
    if (!m_bCustomizable || !IsVisible())
        return FALSE;
    OnCustomizeDragOver(pControl, point);
    return TRUE;
}

void CKitCommandBar::OnCustomizeDragLeave()
{
    if (m_rcInsertionMark.IsRectEmpty())
        return;
    m_rcInsertionMark.SetRectEmpty();
    if (::IsWindow(m_hWnd))
        Invalidate(FALSE);
}

int CKitCommandBar::OnCustomizeDragOver(CKitControl* pControl, CPoint point)
{
    if (!m_bCustomizable || !IsVisible() || !::IsWindow(m_hWnd))
        return 0;
    CKitCommandBars* pCommandBars = FindCommandBars();
    const BOOL bCopy = pCommandBars != nullptr && pCommandBars->GetDragSource()->IsCopying();
    int nEffect = bCopy ? CControlDragSource::kDropCopied : CControlDragSource::kDropMoved;
    // A control this bar may not hold shows no place to land.
    if (pControl != nullptr && !pControl->AcceptsCustomizeDrop(this, point, nEffect))
    {
        OnCustomizeDragLeave();
        return nEffect;
    }
    CRect rcMark;
    BOOL bVerticalMark = TRUE;
    FindInsertion(pControl, point, rcMark, bVerticalMark);
    if (rcMark != m_rcInsertionMark || bVerticalMark != m_bVerticalMark)
    {
        m_rcInsertionMark = rcMark;
        m_bVerticalMark = bVerticalMark;
        Invalidate(FALSE);
    }
    if (m_nPopuped >= 0 && m_controls.HitTest(point) != m_controls.GetAt(m_nPopuped))
        SetPopuped(-1, FALSE);
    return nEffect;
}

void CKitCommandBar::OnCustomizeDrop(CKitControl* pControl, int& nEffect, CPoint point, CPoint ptStart)
{
    // Refused, the control stays where it came from.
    if (!pControl->AcceptsCustomizeDrop(this, point, nEffect))
    {
        OnCustomizeDragLeave();
        return;
    }
    CRect rcMark;
    BOOL bVerticalMark = TRUE;
    const int nBefore = FindInsertion(pControl, point, rcMark, bVerticalMark);
    CKitCommandBars* pCommandBars = FindCommandBars();
    if (nBefore < 0)
    {
        // Dropped beside itself: moved far enough onto its far side it starts a group.
        const CSize shift = point - ptStart;
        if (std::abs(shift.cx) > kSelfDropSlack || std::abs(shift.cy) > kSelfDropSlack)
        {
            const CRect& rc = pControl->GetRect();
            const BOOL bVertical = IsVertical() || m_nPosition == kBarPopup;
            const BOOL bFarSide = bVertical ? point.y > rc.CenterPoint().y : point.x > rc.CenterPoint().x;
            pControl->SetBeginGroup(bFarSide && pControl->GetIndex() > 0);
        }
        nEffect = CControlDragSource::kDropCancelled;
    }
    else
    {
        CKitControl* pCopy = pControl->Clone(TRUE);
        pCopy->m_dwHideFlags = 0;
        pCopy->m_bBeginGroup = FALSE;
        if (CKitControl* pLanding = m_controls.GetAt(nBefore))
        {
            pCopy->m_bBeginGroup = pLanding->GetBeginGroup();
            pLanding->SetBeginGroup(FALSE);
        }
        m_controls.Add(pCopy, pCopy->GetId(), pCopy->m_strParameter, nBefore, FALSE);
        if (pCommandBars != nullptr)
            pCommandBars->SetDragControl(pCopy);
    }
    OnRecalcLayout();
    m_rcInsertionMark.SetRectEmpty();
    if (::IsWindow(m_hWnd))
        Invalidate(FALSE);
    if (pCommandBars != nullptr)
        pCommandBars->RecalcAllBars();
}

void CKitCommandBar::PaintCustomizeMarks(CDC* pDC)
{
    CKitCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars == nullptr || !pCommandBars->IsCustomizeMode())
        return;
    CKitControl* pSelection = pCommandBars->GetDragControl();
    if (pSelection != nullptr && pSelection->GetParent() == this && pSelection->IsVisible())
    {
        // Two nested black frames around the customize selection.
        CRect rc = pSelection->GetRect();
        CBrush brush(RGB(0, 0, 0));
        pDC->FrameRect(&rc, &brush);
        rc.DeflateRect(1, 1);
        pDC->FrameRect(&rc, &brush);
    }
    if (m_rcInsertionMark.IsRectEmpty())
        return;
    // An I-beam in the button-face colour, inverted over what is below.
    const CRect& rc = m_rcInsertionMark;
    CBrush brush(::GetSysColor(COLOR_BTNFACE));
    CBrush* pOld = pDC->SelectObject(&brush);
    if (m_bVerticalMark)
    {
        const int x = rc.left + rc.Width() / 2;
        pDC->PatBlt(x - 1, rc.top, 2, rc.Height(), PATINVERT);
        pDC->PatBlt(rc.left, rc.top, rc.Width(), 2, PATINVERT);
        pDC->PatBlt(rc.left, rc.bottom - 2, rc.Width(), 2, PATINVERT);
    }
    else
    {
        const int y = rc.top + rc.Height() / 2;
        pDC->PatBlt(rc.left, y - 1, rc.Width(), 2, PATINVERT);
        pDC->PatBlt(rc.left, rc.top, 2, rc.Height(), PATINVERT);
        pDC->PatBlt(rc.right - 2, rc.top, 2, rc.Height(), PATINVERT);
    }
    pDC->SelectObject(pOld);
}

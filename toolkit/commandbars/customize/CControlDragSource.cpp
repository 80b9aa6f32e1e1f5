#include "CControlDragSource.h"

#include "CKitCommandBars.h"
#include "CToolkitResources.h"
#include "ResourceIds.h"

#include <algorithm>

namespace
{
// How long the loop waits for input before it looks at the capture again.
constexpr DWORD kIdleWaitMs = 100;

CPoint ToClient(CKitCommandBar* pBar, CPoint ptScreen)
{
    ::ScreenToClient(pBar->m_hWnd, &ptScreen);
    return ptScreen;
}
}  // namespace

CControlDragSource::CControlDragSource(CKitCommandBars* pCommandBars) : m_pCommandBars(pCommandBars)
{
    CToolkitResources* pResources = GetToolkitResources();
    m_hCopyCursor = pResources->LoadCursor(IDC_KIT_DRAG_COPY);
    m_hMoveCursor = pResources->LoadCursor(IDC_KIT_DRAG_MOVE);
    m_hNoDropCursor = pResources->LoadCursor(IDC_KIT_DRAG_NODROP);
}

CControlDragSource::~CControlDragSource() = default;

void CControlDragSource::AddTarget(CKitCommandBar* pBar)
{
    if (pBar != nullptr)
        m_targets.push_back(pBar);
}

void CControlDragSource::RemoveTarget(CKitCommandBar* pBar)
{
    m_targets.erase(std::remove(m_targets.begin(), m_targets.end(), pBar), m_targets.end());
    if (m_pTarget == pBar)
        m_pTarget = nullptr;
}

CKitCommandBar* CControlDragSource::HitTarget(CPoint ptScreen) const
{
    // The last registered lies above the earlier ones (popups over bars).
    for (auto it = m_targets.rbegin(); it != m_targets.rend(); ++it)
    {
        CKitCommandBar* pBar = *it;
        if (!::IsWindow(pBar->m_hWnd) || !::IsWindowVisible(pBar->m_hWnd))
            continue;
        CRect rc;
        ::GetWindowRect(pBar->m_hWnd, &rc);
        if (rc.PtInRect(ptScreen))
            return pBar;
    }
    return nullptr;
}

void CControlDragSource::UpdateCursor()
{
    HCURSOR hCursor = m_pTarget == nullptr ? m_hNoDropCursor : (IsCopying() ? m_hCopyCursor : m_hMoveCursor);
    ::SetCursor(hCursor != nullptr ? hCursor : ::LoadCursorW(nullptr, IDC_ARROW));
}

void CControlDragSource::OnMouseMove(CPoint ptScreen, WPARAM wParam)
{
    if (!m_bMoved)
    {
        // The control's own bar closes its popups and lets go of its hot control.
        m_bMoved = TRUE;
        if (CKitCommandBar* pParent = m_pControl->GetParent(); pParent != nullptr && ::IsWindow(pParent->m_hWnd))
        {
            pParent->SetPopuped(-1, FALSE);
            pParent->SetSelected(-1, FALSE);
        }
    }
    m_bCopy = (wParam & MK_CONTROL) != 0;
    CKitCommandBar* pHit = HitTarget(ptScreen);
    if (m_pTarget != nullptr && pHit == m_pTarget)
    {
        m_pTarget->OnCustomizeDragOver(m_pControl, ToClient(m_pTarget, ptScreen));
    }
    else
    {
        if (m_pTarget != nullptr)
            m_pTarget->OnCustomizeDragLeave();
        m_pTarget = nullptr;
        if (pHit != nullptr && pHit->OnCustomizeDragEnter(m_pControl, ToClient(pHit, ptScreen)))
            m_pTarget = pHit;
    }
    UpdateCursor();
}

int CControlDragSource::DoDragDrop(CKitControl* pControl, BOOL bCopyOnly)
{
    if (pControl == nullptr || m_hWndCapture != nullptr)
        return kDropCancelled;
    CWnd* pOwner = m_pOwner != nullptr ? m_pOwner : m_pCommandBars->GetSite();
    if (pOwner == nullptr || !::IsWindow(pOwner->m_hWnd))
        return kDropCancelled;

    // The control may be removed from its bar by a drop on that bar.
    pControl->InternalAddRef();
    m_pControl = pControl;
    m_bCopy = FALSE;
    m_bCopyOnly = bCopyOnly;
    m_bMoved = FALSE;
    m_pTarget = nullptr;
    // Where the press was, not where the pointer is by now: queued input may
    // already have moved it.
    const DWORD dwPressPos = ::GetMessagePos();
    m_ptStart = CPoint(static_cast<short>(LOWORD(dwPressPos)), static_cast<short>(HIWORD(dwPressPos)));
    m_hWndCapture = pOwner->m_hWnd;
    ::SetCapture(m_hWndCapture);
    UpdateCursor();

    int nResult = kDropCancelled;
    BOOL bDrop = FALSE;
    CPoint ptDrop = m_ptStart;
    BOOL bEnd = FALSE;
    while (!bEnd && ::GetCapture() == m_hWndCapture)
    {
        MSG msg;
        // Bars under the pointer repaint their marks before the next input.
        while (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            ::DispatchMessageW(&msg);
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kIdleWaitMs, QS_ALLINPUT);
            continue;
        }
        switch (msg.message)
        {
        case WM_QUIT:
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            nResult = kDropCancelled;
            bEnd = TRUE;
            break;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
            {
                nResult = kDropCancelled;
                bEnd = TRUE;
            }
            else if (msg.wParam == VK_CONTROL)
            {
                m_bCopy = TRUE;
                UpdateCursor();
            }
            break;
        case WM_KEYUP:
            if (msg.wParam == VK_CONTROL)
            {
                m_bCopy = FALSE;
                UpdateCursor();
            }
            break;
        case WM_MOUSEMOVE:
            ptDrop = CPoint(msg.pt);
            OnMouseMove(ptDrop, msg.wParam);
            nResult = kDropNowhere;
            if ((msg.wParam & MK_LBUTTON) == 0)
                bDrop = bEnd = TRUE;
            break;
        case WM_LBUTTONUP:
            ptDrop = CPoint(msg.pt);
            bDrop = bEnd = TRUE;
            break;
        case WM_RBUTTONDOWN:
            nResult = kDropCancelled;
            bEnd = TRUE;
            break;
        default:
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
            break;
        }
    }

    if (bDrop && m_bMoved && m_pTarget != nullptr && ::IsWindow(m_pTarget->m_hWnd))
    {
        nResult = IsCopying() ? kDropCopied : kDropMoved;
        CKitCommandBar* pTarget = m_pTarget;
        pTarget->OnCustomizeDrop(m_pControl, nResult, ToClient(pTarget, ptDrop), ToClient(pTarget, m_ptStart));
    }
    if (m_pTarget != nullptr)
        m_pTarget->OnCustomizeDragLeave();
    m_pTarget = nullptr;
    const HWND hWndCapture = m_hWndCapture;
    m_hWndCapture = nullptr;
    if (::GetCapture() == hWndCapture)
        ::ReleaseCapture();
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    m_pControl = nullptr;
    pControl->InternalRelease();
    return nResult;
}

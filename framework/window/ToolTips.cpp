// Tooltips for windows that ask for them with EnableToolTips: the message
// loop hands every mouse message to one tooltip per thread, which holds the
// single tool the window's OnToolHitTest finds under the mouse.
#include "CWnd.h"

#include "Controls.h"
#include "ThreadState.h"

#include <climits>

namespace
{
void RemoveLastTool(AFX_THREAD_STATE* state)
{
    if (state->m_nLastToolHit != -1 && state->m_pToolTip != nullptr && state->m_pToolTip->m_hWnd != nullptr)
        state->m_pToolTip->SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&state->m_lastToolInfo));
    state->m_nLastToolHit = -1;
    state->m_hWndToolOwner = nullptr;
}

bool IsMouseMessage(UINT message)
{
    return message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE ||
           (message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK);
}

// The nearest window with tips on, from the one under the mouse up through
// its parents to its top-level window.
CWnd* ToolOwnerOf(HWND hWnd)
{
    for (; hWnd != nullptr;
         hWnd = (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(hWnd) : nullptr)
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr && (pWnd->m_nFlags & WF_TOOLTIPS))
            return pWnd;
    }
    return nullptr;
}

// The thread's tooltip, owned by the owner's top-level window.
CToolTipCtrl* ToolTipFor(AFX_THREAD_STATE* state, CWnd* pOwner)
{
    if (state->m_pToolTip == nullptr)
        state->m_pToolTip = new CToolTipCtrl;
    CToolTipCtrl* pTip = state->m_pToolTip;
    HWND hTop = pOwner->GetTopLevelParent()->GetSafeHwnd();
    if (pTip->m_hWnd != nullptr && ::GetWindow(pTip->m_hWnd, GW_OWNER) != hTop)
    {
        RemoveLastTool(state);
        pTip->DestroyWindow();
    }
    if (pTip->m_hWnd == nullptr)
    {
        if (!pTip->Create(CWnd::FromHandle(hTop)))
            return nullptr;
        pTip->SetMaxTipWidth(SHRT_MAX); // lines break only where the text does
        state->m_nLastToolHit = -1;
    }
    return pTip;
}
} // namespace

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    if (bEnable)
    {
        m_nFlags |= WF_TOOLTIPS;
        return TRUE;
    }
    m_nFlags &= ~WF_TOOLTIPS;
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (state->m_hWndToolOwner == m_hWnd)
        RemoveLastTool(state);
    return TRUE;
}

void AFXAPI CWnd::FilterToolTipMessage(MSG* pMsg)
{
    if (!IsMouseMessage(pMsg->message))
        return;
    AFX_THREAD_STATE* state = AfxGetThreadState();
    CWnd* pOwner = ToolOwnerOf(pMsg->hwnd);
    if (pOwner == nullptr)
    {
        RemoveLastTool(state);
        return;
    }
    CToolTipCtrl* pTip = ToolTipFor(state, pOwner);
    if (pTip == nullptr)
        return;

    CPoint point = pMsg->pt;
    pOwner->ScreenToClient(&point);
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    INT_PTR hit = pOwner->OnToolHitTest(point, &info);
    if (hit != state->m_nLastToolHit || pOwner->m_hWnd != state->m_hWndToolOwner)
    {
        RemoveLastTool(state);
        if (hit != -1)
        {
            if (info.hwnd == nullptr)
                info.hwnd = pOwner->m_hWnd;
            // A tool without a rectangle of its own covers the owner.
            if (!(info.uFlags & TTF_IDISHWND) && ::IsRectEmpty(&info.rect))
                ::GetClientRect(info.hwnd, &info.rect);
            // The tooltip copies the text; what the hit test passed stays its own.
            pTip->SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
            info.lpszText = nullptr;
            state->m_lastToolInfo = info;
            state->m_nLastToolHit = hit;
            state->m_hWndToolOwner = pOwner->m_hWnd;
        }
    }
    if (state->m_nLastToolHit != -1)
        pTip->RelayEvent(pMsg);
}

BOOL CWnd::OnToolTipText(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
    UINT nID = static_cast<UINT>(pNMHDR->idFrom);
    if (pInfo->uFlags & TTF_IDISHWND)
        nID = static_cast<UINT>(::GetDlgCtrlID(reinterpret_cast<HWND>(pNMHDR->idFrom)));
    CString text;
    if (nID == 0 || !text.LoadString(nID))
        return FALSE;
    int newline = text.Find(L'\n');
    AFX_THREAD_STATE* state = AfxGetThreadState();
    state->m_strToolTipText = newline >= 0 ? text.Mid(newline + 1) : text;
    pInfo->hinst = nullptr;
    pInfo->lpszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(state->m_strToolTipText));
    *pResult = 0;
    return TRUE;
}

#include "CWnd.h"

#include "../core/Exceptions.h"
#include "CDC.h"
#include "CFrameWnd.h"
#include "CMenu.h"
#include "CWinApp.h"
#include "GdiObjects.h"
#include "ThreadState.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CWnd::~CWnd()
{
    // A permanent object that still owns its window takes the window down
    // with it; the handle must not outlive the object it is bound to. The
    // window is destroyed while still bound, so the class's own procedure
    // (a common control's) sees WM_NCDESTROY and frees what it holds; the
    // derived parts are gone, so only CWnd's handlers run, and WM_NCDESTROY
    // detaches the object.
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
    {
        HWND hWnd = m_hWnd;
        ::DestroyWindow(hWnd);
        if (m_hWnd != nullptr) // destroyed from another thread's point of view, or refused
            Detach();
    }
    if (m_pControlUnknown != nullptr)
        m_pControlUnknown->Release();
}

static void AFXAPI StopOnWindowThreadBreach(HWND hWnd, DWORD dwOwnerThread, DWORD dwCallingThread)
{
    wchar_t text[160];
    ::swprintf(text, 160, L"Window %p of thread %lu was touched from thread %lu.\n", static_cast<void*>(hWnd),
               dwOwnerThread, dwCallingThread);
    ::OutputDebugStringW(text);
    ::fputws(text, stderr);
    ::fflush(stderr);
    std::abort();
}

static std::atomic<AFX_WINDOW_THREAD_HANDLER> g_windowThreadHandler{&StopOnWindowThreadBreach};

AFX_WINDOW_THREAD_HANDLER AFXAPI AfxSetWindowThreadHandler(AFX_WINDOW_THREAD_HANDLER pfnHandler)
{
    return g_windowThreadHandler.exchange(pfnHandler != nullptr ? pfnHandler : &StopOnWindowThreadBreach);
}

void AFXAPI AfxCheckWindowThread(HWND hWnd)
{
    if (hWnd == nullptr)
        return;
    DWORD processId = 0;
    DWORD ownerThread = ::GetWindowThreadProcessId(hWnd, &processId);
    if (ownerThread == 0 || processId != ::GetCurrentProcessId())
        return;
    DWORD callingThread = ::GetCurrentThreadId();
    if (ownerThread != callingThread)
        g_windowThreadHandler.load()(hWnd, ownerThread, callingThread);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x,
                    int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    ASSERT(m_hWnd == nullptr);
    CREATESTRUCTW cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;

    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy(); // the window was never made, so WM_NCDESTROY will not clean up
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    AssertOwnThread();
    HWND hWnd = m_hWnd;
    const bool permanent = FromHandlePermanent(hWnd) == this;
    BOOL result = ::DestroyWindow(hWnd);
    // A permanent object is detached by WM_NCDESTROY (and may be gone now).
    if (!permanent)
        m_hWnd = nullptr;
    return result;
}

void CWnd::OnFinalRelease()
{
    if (m_hWnd != nullptr)
        DestroyWindow(); // PostNcDestroy owns the object from here
    else
        PostNcDestroy();
}

void CWnd::OnNcDestroy()
{
    // The main window's end ends its thread's message loop.
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr && pThread->m_pMainWnd == this)
    {
        pThread->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    CFrameWnd::RemoveFrameOfThread(this);
    Default();
    Detach();
    PostNcDestroy();
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* AFXAPI CWnd::GetCurrentMessage()
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    state->m_lastSentMsg.time = ::GetMessageTime();
    DWORD pos = ::GetMessagePos();
    state->m_lastSentMsg.pt.x = static_cast<short>(LOWORD(pos));
    state->m_lastSentMsg.pt.y = static_cast<short>(HIWORD(pos));
    return &state->m_lastSentMsg;
}

static bool IsColourMessage(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// The child a reflectable message is about, or NULL.
static HWND ReflectionTarget(HWND hWndParent, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        return dis->CtlType == ODT_MENU ? nullptr : dis->hwndItem;
    }
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        return mis->CtlType == ODT_MENU ? nullptr : ::GetDlgItem(hWndParent, static_cast<int>(mis->CtlID));
    }
    case WM_DELETEITEM:
        return reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem;
    case WM_COMPAREITEM:
        return reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem;
    case WM_PARENTNOTIFY:
        return (LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY) ? reinterpret_cast<HWND>(lParam)
                                                                             : nullptr;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return reinterpret_cast<HWND>(lParam);
    default:
        if (IsColourMessage(message))
            return reinterpret_cast<HWND>(lParam);
        return nullptr;
    }
}

static BOOL ReflectMessageToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CWnd* pChild = CWnd::FromHandlePermanent(hWndChild);
    if (pChild == nullptr)
        return FALSE;
    LRESULT ignored = 0;
    return pChild->OnChildNotify(message, wParam, lParam, pResult ? pResult : &ignored);
}

// Owner-drawn menu items are drawn by the CMenu object that owns them.
static BOOL DrawOrMeasureMenuItem(UINT message, LPARAM lParam)
{
    if (message == WM_DRAWITEM)
    {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (dis->CtlType != ODT_MENU)
            return FALSE;
        if (CMenu* pMenu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(dis->hwndItem)))
        {
            pMenu->DrawItem(dis);
            return TRUE;
        }
        return FALSE;
    }
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (mis->CtlType != ODT_MENU)
        return FALSE;
    if (CMenu* pMenu = CMenu::FindPermanentMenuOfItem(mis->itemID))
    {
        pMenu->MeasureItem(mis);
        return TRUE;
    }
    return FALSE;
}

// The CTLCOLOR_* kind a folded WM_CTLCOLOR entry is told; 0 for entries of
// the message itself.
static UINT ColourKind(UINT message, UINT entryMessage)
{
    return (entryMessage == WM_CTLCOLOR && IsColourMessage(message)) ? message - WM_CTLCOLORMSGBOX : 0;
}

// An entry for the message itself (ON_MESSAGE(WM_CTLCOLORSTATIC, ...)) wins;
// otherwise the WM_CTLCOLOR* family reaches ON_WM_CTLCOLOR as one message.
const AFX_MSGMAP_ENTRY* CWnd::FindColourAwareEntry(UINT message, UINT base) const
{
    if (const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(base + message, 0, 0))
        return entry;
    return IsColourMessage(message) ? FindMessageEntry(base + WM_CTLCOLOR, 0, 0) : nullptr;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY)
    {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (pNMHDR->hwndFrom == nullptr || !OnNotify(wParam, lParam, &result))
            return FALSE;
        *pResult = result;
        return TRUE;
    }

    if (const AFX_MSGMAP_ENTRY* entry = FindColourAwareEntry(message, 0))
    {
        AFX_MSGCALL call{entry->nMessage, wParam, lParam, 0, ColourKind(message, entry->nMessage), nullptr, 0};
        if (!DispatchEntry(entry, call))
            return FALSE;
        *pResult = call.lResult;
        return TRUE;
    }

    // Unhandled: the child the message concerns may handle it itself.
    if (message == WM_DRAWITEM || message == WM_MEASUREITEM)
    {
        if (DrawOrMeasureMenuItem(message, lParam))
        {
            *pResult = TRUE;
            return TRUE;
        }
    }
    if (HWND hWndChild = ReflectionTarget(m_hWnd, message, wParam, lParam))
    {
        if (ReflectMessageToChild(hWndChild, message, wParam, lParam, &result))
        {
            *pResult = result;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);

    if (hWndCtrl == nullptr)
    {
        if (nCode == 1)
            nCode = CN_COMMAND; // from an accelerator
        // A command whose item is disabled is refused, also when it arrives
        // by accelerator or a posted message.
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
    }
    else
    {
        LRESULT result = 0;
        if (ReflectMessageToChild(hWndCtrl, WM_COMMAND, wParam, lParam, &result))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (ReflectMessageToChild(pNMHDR->hwndFrom, WM_NOTIFY, 0, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify{pResult, pNMHDR};
    if (OnCmdMsg(static_cast<UINT>(pNMHDR->idFrom), static_cast<int>(MAKELONG(pNMHDR->code, WM_NOTIFY)), &notify,
                 nullptr))
        return TRUE;
    return pNMHDR->code == TTN_GETDISPINFOW && OnToolTipText(pNMHDR, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT ignored = 0;
    if (pResult == nullptr)
        pResult = &ignored;
    if (message == WM_COMMAND)
    {
        if (!OnCmdMsg(0, static_cast<int>(MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND)), nullptr, nullptr))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY)
    {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        AFX_NOTIFY notify{pResult, pNMHDR};
        return OnCmdMsg(0, static_cast<int>(MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY)), &notify, nullptr);
    }

    const AFX_MSGMAP_ENTRY* entry = FindColourAwareEntry(message, WM_REFLECT_BASE);
    if (entry == nullptr)
        return FALSE;
    AFX_MSGCALL call{entry->nMessage, wParam, lParam, 0, ColourKind(message, entry->nMessage - WM_REFLECT_BASE),
                     nullptr, 0};
    if (!DispatchEntry(entry, call))
        return FALSE;
    *pResult = call.lResult;
    return TRUE;
}

BOOL AFXAPI CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return ReflectMessageToChild(hWndChild, msg.message, msg.wParam, msg.lParam, pResult);
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (DrawOrMeasureMenuItem(WM_DRAWITEM, reinterpret_cast<LPARAM>(lpDrawItemStruct)))
        return;
    if (lpDrawItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDrawItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (DrawOrMeasureMenuItem(WM_MEASUREITEM, reinterpret_cast<LPARAM>(lpMeasureItemStruct)))
        return;
    if (lpMeasureItemStruct->CtlType != ODT_MENU && ReflectLastMsg(::GetDlgItem(m_hWnd, nIDCtl)))
        return;
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT result = 0;
    if (pWnd != nullptr && ReflectLastMsg(pWnd->m_hWnd, &result))
        return reinterpret_cast<HBRUSH>(result);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(reinterpret_cast<CWnd*>(pScrollBar)->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(reinterpret_cast<CWnd*>(pScrollBar)->m_hWnd))
        return;
    Default();
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const
{
    // The child control under the point is the tool, its id the text id.
    HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (hWndChild == nullptr || hWndChild == m_hWnd)
        return -1;
    if (pTI != nullptr)
    {
        pTI->hwnd = m_hWnd;
        pTI->uId = reinterpret_cast<UINT_PTR>(hWndChild);
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACKW;
    }
    return ::GetDlgCtrlID(hWndChild);
}

void AFXAPI CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                           BOOL bOnlyPerm)
{
    for (HWND hChild = ::GetTopWindow(hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        if (bOnlyPerm)
        {
            if (CWnd* pWnd = FromHandlePermanent(hChild))
                AfxCallWndProc(pWnd, hChild, message, wParam, lParam);
        }
        else
        {
            ::SendMessageW(hChild, message, wParam, lParam);
        }
        if (bDeep && ::GetTopWindow(hChild) != nullptr)
            SendMessageToDescendants(hChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        state.m_nID = static_cast<UINT>(::GetDlgCtrlID(hChild));
        if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(IDC_STATIC))
            continue;
        state.m_pOther = FromHandle(hChild);
        // A control with a reflected update handler updates itself.
        if (CWnd* pChild = FromHandlePermanent(hChild))
        {
            if (pChild->CCmdTarget::OnCmdMsg(0, static_cast<int>(MAKELONG(AFX_REFLECTED_UPDATE_CODE,
                                                                          WM_REFLECT_BASE + WM_COMMAND)),
                                             &state, nullptr))
                continue;
        }
        // Check boxes and radio buttons that toggle themselves work without
        // a command handler, so they are never disabled for lack of one.
        BOOL disable = bDisableIfNoHndler;
        if (::SendMessageW(hChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)
        {
            UINT style = static_cast<UINT>(::GetWindowLongPtrW(hChild, GWL_STYLE)) & 0x0F;
            if (style == BS_AUTOCHECKBOX || style == BS_AUTO3STATE || style == BS_AUTORADIOBUTTON ||
                style == BS_GROUPBOX)
                disable = FALSE;
        }
        state.DoUpdate(pTarget, disable);
    }
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        if (::GetDlgCtrlID(hChild) == nID)
        {
            CWnd* pWnd = bOnlyPerm ? FromHandlePermanent(hChild) : FromHandle(hChild);
            if (pWnd != nullptr)
                return pWnd;
        }
        CWnd tmp(hChild);
        CWnd* pFound = tmp.GetDescendantWindow(nID, bOnlyPerm);
        tmp.m_hWnd = nullptr;
        if (pFound != nullptr)
            return pFound;
    }
    return nullptr;
}

HWND AFXAPI AfxGetParentOwner(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    if (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD)
        return ::GetParent(hWnd);
    return ::GetWindow(hWnd, GW_OWNER);
}

CFrameWnd* CWnd::GetParentFrame() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd != nullptr; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(pWnd);
        if (!(::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD))
            break;
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* pFrame = IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? const_cast<CFrameWnd*>(static_cast<const CFrameWnd*>(this))
                                                            : GetParentFrame();
    while (pFrame != nullptr)
    {
        CFrameWnd* pParent = pFrame->GetParentFrame();
        if (pParent == nullptr)
            break;
        pFrame = pParent;
    }
    return pFrame;
}

CWnd* CWnd::GetParentOwner() const
{
    HWND hWnd = m_hWnd;
    HWND hParent;
    while ((::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) && (hParent = ::GetParent(hWnd)) != nullptr)
        hWnd = hParent;
    return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    HWND hWnd = m_hWnd;
    for (HWND hNext; (hNext = AfxGetParentOwner(hWnd)) != nullptr;)
        hWnd = hNext;
    return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    HWND hWnd = m_hWnd;
    for (HWND hNext; (hNext = ::GetWindow(hWnd, GW_OWNER)) != nullptr;)
        hWnd = hNext;
    return FromHandle(hWnd);
}

CWnd* CWnd::GetOwner() const
{
    return m_hWndOwner != nullptr ? FromHandle(m_hWndOwner) : GetParent();
}

CWnd* AFXAPI CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    HWND hWnd = pParent != nullptr ? pParent->m_hWnd : AfxGetMainWnd()->GetSafeHwnd();
    if (pWndTop != nullptr)
        *pWndTop = nullptr;
    if (hWnd == nullptr)
        return nullptr;
    while ((::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) && ::GetParent(hWnd) != nullptr)
        hWnd = ::GetParent(hWnd);
    if (pParent == nullptr)
        hWnd = ::GetLastActivePopup(hWnd);
    return FromHandle(hWnd);
}

BOOL AFXAPI CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(hWnd, GWL_STYLE));
    DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongPtrW(hWnd, GWL_STYLE, newStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL AFXAPI CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(hWnd, GWL_EXSTYLE));
    DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongPtrW(hWnd, GWL_EXSTYLE, newStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT)
{
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, GetExStyle());
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    RECT area;
    HWND hCenter = pAlternateOwner != nullptr ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if (GetStyle() & WS_CHILD)
        hCenter = ::GetParent(m_hWnd);
    if (hCenter != nullptr && ::IsWindowVisible(hCenter) && !::IsIconic(hCenter))
    {
        ::GetWindowRect(hCenter, &area);
        if (GetStyle() & WS_CHILD)
            ::GetClientRect(hCenter, &area);
    }
    else
    {
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT rc;
    GetWindowRect(&rc);
    int width = rc.right - rc.left;
    int height = rc.bottom - rc.top;
    int x = (area.left + area.right - width) / 2;
    int y = (area.top + area.bottom - height) / 2;
    if (!(GetStyle() & WS_CHILD))
    {
        // A top-level window stays inside the work area of its monitor.
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        if (::GetMonitorInfoW(::MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &monitor))
        {
            const RECT& work = monitor.rcWork;
            x = std::max<int>(work.left, std::min<int>(x, work.right - width));
            y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
        }
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::GetWindowText(CString& rString) const
{
    int length = ::GetWindowTextLengthW(m_hWnd);
    LPWSTR buffer = rString.GetBuffer(length + 1);
    ::GetWindowTextW(m_hWnd, buffer, length + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    HWND hItem = ::GetDlgItem(m_hWnd, nID);
    rString.Empty();
    if (hItem == nullptr)
        return 0;
    CWnd item(hItem);
    item.GetWindowText(rString);
    item.m_hWnd = nullptr;
    return rString.GetLength();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
}

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    return ::ReleaseDC(m_hWnd, pDC->m_hDC);
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    return ::SetMenu(m_hWnd, pMenu != nullptr ? pMenu->m_hMenu : nullptr);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL)
    {
        m_nFlags &= ~WF_CONTINUEMODAL;
        PostMessage(WM_NULL); // wake the loop so it sees the end
    }
}

BOOL CWnd::RunModalLoop(DWORD)
{
    m_nFlags |= WF_CONTINUEMODAL | WF_MODALLOOP;
    // The loop also ends when its window goes away without EndModalLoop
    // (destroyed by its owner, or by a handler of its own).
    const HWND hWndLoop = m_hWnd;
    auto running = [&] { return ContinueModal() && ::IsWindow(hWndLoop) && m_hWnd == hWndLoop; };
    MSG msg;
    LONG idleCount = 0;
    bool idle = true;
    while (running())
    {
        // Idle: let the dialog update its controls until a message comes.
        while (idle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
        {
            if (!SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, idleCount++))
                idle = false;
            if (!running())
                break;
        }
        if (!running())
            break;
        if (!AfxPumpMessage())
        {
            // WM_QUIT ends this loop and every loop outside it.
            ::PostQuitMessage(static_cast<int>(AfxGetThreadState()->m_msgCur.wParam));
            break;
        }
        const MSG& current = AfxGetThreadState()->m_msgCur;
        if (current.message != WM_TIMER && current.message != WM_MOUSEMOVE && current.message != WM_NCMOUSEMOVE &&
            current.message != 0x0118 /* caret blink */)
        {
            idle = true;
            idleCount = 0;
        }
    }
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

BOOL CWnd::HandleInitDialog(WPARAM, LPARAM)
{
    return static_cast<BOOL>(Default());
}

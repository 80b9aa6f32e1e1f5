// Message maps: static tables of (message, code, id range) -> handler.
//
// Each entry carries a small thunk, made by the ON_ macros as a capture-free
// lambda inside the class's own GetThisMessageMap, that unpacks the message
// and calls the member with its natural signature. That keeps the handlers
// type-checked and needs no casts between member-function pointer types.
#pragma once

#include "AfxMessages.h"

class CCmdTarget;
class CCmdUI;

// One message or command as it is handed to a thunk.
struct AFX_MSGCALL
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT nID;        // command id (commands, notifications, updates)
    UINT nCode;      // notification code, or CTLCOLOR_* for colour messages
    void* pExtra;    // CCmdUI* for updates, AFX_NOTIFY* for notifications
    LRESULT lResult;
};

// Returns whether the message counts as handled.
typedef BOOL (*AFX_MSGTHUNK)(CCmdTarget* pTarget, AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;   // WM_*, WM_COMMAND, WM_NOTIFY, or WM_REFLECT_BASE + message
    UINT nCode;      // control or notify code (low word), CN_UPDATE_COMMAND_UI
    UINT nID;
    UINT nLastID;
    const UINT* pnRegisteredMessage; // ON_REGISTERED_MESSAGE only
    AFX_MSGTHUNK pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// What a handler query (OnCmdMsg with a handler-info pointer) reports.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget = nullptr;
    const AFX_MSGMAP_ENTRY* pEntry = nullptr;
};

// Marks ON_REGISTERED_MESSAGE entries.
#define AFX_REGISTERED_MESSAGE_ENTRY 0xC000u
// The code of ON_UPDATE_COMMAND_UI_REFLECT entries (CN_UPDATE_COMMAND_UI in
// the low word of a reflected WM_COMMAND code).
#define AFX_REFLECTED_UPDATE_CODE 0xFFFFu

#define afx_msg

#define DECLARE_MESSAGE_MAP()                                  \
protected:                                                     \
    static const AFX_MSGMAP* GetThisMessageMap();              \
    const AFX_MSGMAP* GetMessageMap() const override;          \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                 \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                            \
    {                                                                          \
        using ThisClass [[maybe_unused]] = theClass;                           \
        using TheBaseClass = baseClass;                                        \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                      \
            {0, 0, 0, 0, nullptr, nullptr}};                                   \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, \
                                              &_messageEntries[0]};            \
        return &messageMap;                                                    \
    }

// An entry whose thunk runs the statements and reports "handled".
#define AFX_MSG_ENTRY(msg, code, id, lastId, ...)                              \
    {(UINT)(msg), (UINT)(code), (UINT)(id), (UINT)(lastId), nullptr,           \
     [](CCmdTarget* pTarget, AFX_MSGCALL& call) -> BOOL {                      \
         ThisClass* self = static_cast<ThisClass*>(pTarget);                   \
         (void)self; (void)call;                                               \
         __VA_ARGS__;                                                          \
         return TRUE;                                                          \
     }},
// An entry whose thunk's expression decides whether it handled the message.
#define AFX_MSG_ENTRY_EX(msg, code, id, lastId, ...)                           \
    {(UINT)(msg), (UINT)(code), (UINT)(id), (UINT)(lastId), nullptr,           \
     [](CCmdTarget* pTarget, AFX_MSGCALL& call) -> BOOL {                      \
         ThisClass* self = static_cast<ThisClass*>(pTarget);                   \
         (void)self; (void)call;                                               \
         return (__VA_ARGS__) ? TRUE : FALSE;                                  \
     }},
#define AFX_WM_ENTRY(msg, ...) AFX_MSG_ENTRY(msg, 0, 0, 0, __VA_ARGS__)

#define AFX_POINT_OF(lParam) CPoint((int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam))
#define AFX_WND_OF(h) CWnd::FromHandle((HWND)(h))

// Commands and command updates.
#define ON_COMMAND(id, fn) AFX_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, id, self->fn())
#define ON_COMMAND_EX(id, fn) AFX_MSG_ENTRY_EX(WM_COMMAND, CN_COMMAND, id, id, self->fn(call.nID))
#define ON_COMMAND_RANGE(id, idLast, fn) AFX_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, self->fn(call.nID))
#define ON_COMMAND_EX_RANGE(id, idLast, fn) AFX_MSG_ENTRY_EX(WM_COMMAND, CN_COMMAND, id, idLast, self->fn(call.nID))
#define ON_UPDATE_COMMAND_UI(id, fn) \
    AFX_MSG_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, self->fn(static_cast<CCmdUI*>(call.pExtra)))
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, fn) \
    AFX_MSG_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, idLast, self->fn(static_cast<CCmdUI*>(call.pExtra)))
// A control updates its own state when its parent updates its controls
// (UpdateDialogControls); the parent's routing is then not asked.
#define ON_UPDATE_COMMAND_UI_REFLECT(fn) AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, AFX_REFLECTED_UPDATE_CODE, 0, 0, \
    self->fn(static_cast<CCmdUI*>(call.pExtra)))

// Control notifications through WM_COMMAND.
#define ON_CONTROL(code, id, fn) AFX_MSG_ENTRY(WM_COMMAND, code, id, id, self->fn())
#define ON_CONTROL_RANGE(code, id, idLast, fn) AFX_MSG_ENTRY(WM_COMMAND, code, id, idLast, self->fn(call.nID))
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_SELENDOK(id, fn) ON_CONTROL(CBN_SELENDOK, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_CBN_DROPDOWN(id, fn) ON_CONTROL(CBN_DROPDOWN, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)

// WM_NOTIFY from children, and notifications reflected back to the child.
#define ON_NOTIFY(code, id, fn) AFX_MSG_ENTRY(WM_NOTIFY, (WORD)(code), id, id, \
    AFX_NOTIFY* n = static_cast<AFX_NOTIFY*>(call.pExtra); self->fn(n->pNMHDR, n->pResult))
#define ON_NOTIFY_RANGE(code, id, idLast, fn) AFX_MSG_ENTRY(WM_NOTIFY, (WORD)(code), id, idLast, \
    AFX_NOTIFY* n = static_cast<AFX_NOTIFY*>(call.pExtra); self->fn(call.nID, n->pNMHDR, n->pResult))
#define ON_NOTIFY_EX(code, id, fn) AFX_MSG_ENTRY_EX(WM_NOTIFY, (WORD)(code), id, id, \
    self->fn(call.nID, static_cast<AFX_NOTIFY*>(call.pExtra)->pNMHDR, static_cast<AFX_NOTIFY*>(call.pExtra)->pResult))
#define ON_NOTIFY_EX_RANGE(code, id, idLast, fn) AFX_MSG_ENTRY_EX(WM_NOTIFY, (WORD)(code), id, idLast, \
    self->fn(call.nID, static_cast<AFX_NOTIFY*>(call.pExtra)->pNMHDR, static_cast<AFX_NOTIFY*>(call.pExtra)->pResult))
#define ON_NOTIFY_REFLECT(code, fn) AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, (WORD)(code), 0, 0, \
    AFX_NOTIFY* n = static_cast<AFX_NOTIFY*>(call.pExtra); self->fn(n->pNMHDR, n->pResult))
#define ON_NOTIFY_REFLECT_EX(code, fn) AFX_MSG_ENTRY_EX(WM_REFLECT_BASE + WM_NOTIFY, (WORD)(code), 0, 0, \
    self->fn(static_cast<AFX_NOTIFY*>(call.pExtra)->pNMHDR, static_cast<AFX_NOTIFY*>(call.pExtra)->pResult))
#define ON_CONTROL_REFLECT(code, fn) AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, self->fn())
#define ON_CONTROL_REFLECT_EX(code, fn) AFX_MSG_ENTRY_EX(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, self->fn())
#define ON_WM_CTLCOLOR_REFLECT() {WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0, nullptr, \
    [](CCmdTarget* pTarget, AFX_MSGCALL& call) -> BOOL { \
        HBRUSH hbr = static_cast<ThisClass*>(pTarget)->CtlColor(CDC::FromHandle((HDC)call.wParam), call.nCode); \
        call.lResult = (LRESULT)hbr; return hbr != nullptr; }},
#define ON_WM_DRAWITEM_REFLECT() AFX_WM_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM, \
    self->DrawItem((LPDRAWITEMSTRUCT)call.lParam); call.lResult = TRUE)
#define ON_WM_MEASUREITEM_REFLECT() AFX_WM_ENTRY(WM_REFLECT_BASE + WM_MEASUREITEM, \
    self->MeasureItem((LPMEASUREITEMSTRUCT)call.lParam); call.lResult = TRUE)

// User, registered and thread messages.
#define ON_MESSAGE(msg, fn) AFX_WM_ENTRY(msg, call.lResult = self->fn(call.wParam, call.lParam))
#define ON_REGISTERED_MESSAGE(var, fn) {AFX_REGISTERED_MESSAGE_ENTRY, 0, 0, 0, &(var), \
    [](CCmdTarget* pTarget, AFX_MSGCALL& call) -> BOOL { \
        call.lResult = static_cast<ThisClass*>(pTarget)->fn(call.wParam, call.lParam); return TRUE; }},
#define ON_THREAD_MESSAGE(msg, fn) AFX_WM_ENTRY(msg, self->fn(call.wParam, call.lParam))

// Window messages with their unpacked arguments.
#define ON_WM_CREATE() AFX_WM_ENTRY(WM_CREATE, call.lResult = self->OnCreate((LPCREATESTRUCT)call.lParam))
#define ON_WM_NCCREATE() AFX_WM_ENTRY(WM_NCCREATE, call.lResult = self->OnNcCreate((LPCREATESTRUCT)call.lParam))
#define ON_WM_DESTROY() AFX_WM_ENTRY(WM_DESTROY, self->OnDestroy())
#define ON_WM_NCDESTROY() AFX_WM_ENTRY(WM_NCDESTROY, self->OnNcDestroy())
#define ON_WM_CLOSE() AFX_WM_ENTRY(WM_CLOSE, self->OnClose())
#define ON_WM_SIZE() AFX_WM_ENTRY(WM_SIZE, self->OnSize((UINT)call.wParam, (short)LOWORD(call.lParam), (short)HIWORD(call.lParam)))
#define ON_WM_SIZING() AFX_WM_ENTRY(WM_SIZING, self->OnSizing((UINT)call.wParam, (LPRECT)call.lParam); call.lResult = TRUE)
#define ON_WM_MOVE() AFX_WM_ENTRY(WM_MOVE, self->OnMove((short)LOWORD(call.lParam), (short)HIWORD(call.lParam)))
#define ON_WM_PAINT() AFX_WM_ENTRY(WM_PAINT, self->OnPaint())
#define ON_WM_NCPAINT() AFX_WM_ENTRY(WM_NCPAINT, self->OnNcPaint())
#define ON_WM_ERASEBKGND() AFX_WM_ENTRY(WM_ERASEBKGND, call.lResult = self->OnEraseBkgnd(CDC::FromHandle((HDC)call.wParam)))
#define ON_WM_TIMER() AFX_WM_ENTRY(WM_TIMER, self->OnTimer((UINT_PTR)call.wParam))
#define AFX_MOUSE_ENTRY(msg, fn) AFX_WM_ENTRY(msg, self->fn((UINT)call.wParam, AFX_POINT_OF(call.lParam)))
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE_ENTRY(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_MOUSE_ENTRY(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_MOUSE_ENTRY(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_NCLBUTTONDOWN() AFX_MOUSE_ENTRY(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_MOUSE_ENTRY(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() AFX_MOUSE_ENTRY(WM_NCRBUTTONDOWN, OnNcRButtonDown)
#define ON_WM_NCMBUTTONDOWN() AFX_MOUSE_ENTRY(WM_NCMBUTTONDOWN, OnNcMButtonDown)
#define ON_WM_MOUSEHOVER() AFX_MOUSE_ENTRY(WM_MOUSEHOVER, OnMouseHover)
#define ON_WM_NCMOUSEMOVE() AFX_MOUSE_ENTRY(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_MOUSELEAVE() AFX_WM_ENTRY(WM_MOUSELEAVE, self->OnMouseLeave())
#define ON_WM_MOUSEWHEEL() AFX_WM_ENTRY(WM_MOUSEWHEEL, call.lResult = self->OnMouseWheel( \
    LOWORD(call.wParam), (short)HIWORD(call.wParam), AFX_POINT_OF(call.lParam)))
#define AFX_KEY_ENTRY(msg, fn) AFX_WM_ENTRY(msg, self->fn((UINT)call.wParam, LOWORD(call.lParam), HIWORD(call.lParam)))
#define ON_WM_KEYDOWN() AFX_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY_ENTRY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() AFX_KEY_ENTRY(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() AFX_KEY_ENTRY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_KEY_ENTRY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_SYSCHAR() AFX_KEY_ENTRY(WM_SYSCHAR, OnSysChar)
#define ON_WM_GETDLGCODE() AFX_WM_ENTRY(WM_GETDLGCODE, call.lResult = self->OnGetDlgCode())
#define ON_WM_SETFOCUS() AFX_WM_ENTRY(WM_SETFOCUS, self->OnSetFocus(AFX_WND_OF(call.wParam)))
#define ON_WM_KILLFOCUS() AFX_WM_ENTRY(WM_KILLFOCUS, self->OnKillFocus(AFX_WND_OF(call.wParam)))
#define ON_WM_CONTEXTMENU() AFX_WM_ENTRY(WM_CONTEXTMENU, self->OnContextMenu(AFX_WND_OF(call.wParam), AFX_POINT_OF(call.lParam)))
#define ON_WM_SETCURSOR() AFX_WM_ENTRY(WM_SETCURSOR, call.lResult = self->OnSetCursor( \
    AFX_WND_OF(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)))
#define ON_WM_HSCROLL() AFX_WM_ENTRY(WM_HSCROLL, self->OnHScroll(LOWORD(call.wParam), HIWORD(call.wParam), \
    (CScrollBar*)AFX_WND_OF(call.lParam)))
#define ON_WM_VSCROLL() AFX_WM_ENTRY(WM_VSCROLL, self->OnVScroll(LOWORD(call.wParam), HIWORD(call.wParam), \
    (CScrollBar*)AFX_WND_OF(call.lParam)))
#define ON_WM_ACTIVATE() AFX_WM_ENTRY(WM_ACTIVATE, self->OnActivate(LOWORD(call.wParam), AFX_WND_OF(call.lParam), HIWORD(call.wParam)))
#define ON_WM_ACTIVATEAPP() AFX_WM_ENTRY(WM_ACTIVATEAPP, self->OnActivateApp((BOOL)call.wParam, (DWORD)call.lParam))
#define ON_WM_NCACTIVATE() AFX_WM_ENTRY(WM_NCACTIVATE, call.lResult = self->OnNcActivate((BOOL)call.wParam))
#define ON_WM_MOUSEACTIVATE() AFX_WM_ENTRY(WM_MOUSEACTIVATE, call.lResult = self->OnMouseActivate( \
    AFX_WND_OF(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)))
#define ON_WM_INITMENUPOPUP() AFX_WM_ENTRY(WM_INITMENUPOPUP, self->OnInitMenuPopup( \
    CMenu::FromHandle((HMENU)call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)))
#define ON_WM_MENUSELECT() AFX_WM_ENTRY(WM_MENUSELECT, self->OnMenuSelect(LOWORD(call.wParam), HIWORD(call.wParam), (HMENU)call.lParam))
#define ON_WM_ENTERMENULOOP() AFX_WM_ENTRY(WM_ENTERMENULOOP, self->OnEnterMenuLoop((BOOL)call.wParam))
#define ON_WM_MENUCHAR() AFX_WM_ENTRY(WM_MENUCHAR, call.lResult = self->OnMenuChar( \
    LOWORD(call.wParam), HIWORD(call.wParam), CMenu::FromHandle((HMENU)call.lParam)))
#define ON_WM_EXITMENULOOP() AFX_WM_ENTRY(WM_EXITMENULOOP, self->OnExitMenuLoop((BOOL)call.wParam))
#define ON_WM_ENTERIDLE() AFX_WM_ENTRY(WM_ENTERIDLE, self->OnEnterIdle((UINT)call.wParam, AFX_WND_OF(call.lParam)))
#define ON_WM_SHOWWINDOW() AFX_WM_ENTRY(WM_SHOWWINDOW, self->OnShowWindow((BOOL)call.wParam, (UINT)call.lParam))
#define ON_WM_GETMINMAXINFO() AFX_WM_ENTRY(WM_GETMINMAXINFO, self->OnGetMinMaxInfo((MINMAXINFO*)call.lParam))
#define ON_WM_NCHITTEST() AFX_WM_ENTRY(WM_NCHITTEST, call.lResult = self->OnNcHitTest(AFX_POINT_OF(call.lParam)))
#define ON_WM_NCCALCSIZE() AFX_WM_ENTRY(WM_NCCALCSIZE, self->OnNcCalcSize((BOOL)call.wParam, (NCCALCSIZE_PARAMS*)call.lParam))
#define ON_WM_WINDOWPOSCHANGED() AFX_WM_ENTRY(WM_WINDOWPOSCHANGED, self->OnWindowPosChanged((WINDOWPOS*)call.lParam))
#define ON_WM_WINDOWPOSCHANGING() AFX_WM_ENTRY(WM_WINDOWPOSCHANGING, self->OnWindowPosChanging((WINDOWPOS*)call.lParam))
#define ON_WM_SYSCOMMAND() AFX_WM_ENTRY(WM_SYSCOMMAND, self->OnSysCommand((UINT)call.wParam, call.lParam))
#define ON_WM_SETTINGCHANGE() AFX_WM_ENTRY(WM_SETTINGCHANGE, self->OnSettingChange((UINT)call.wParam, (LPCTSTR)call.lParam))
#define ON_WM_SYSCOLORCHANGE() AFX_WM_ENTRY(WM_SYSCOLORCHANGE, self->OnSysColorChange())
#define ON_WM_CAPTURECHANGED() AFX_WM_ENTRY(WM_CAPTURECHANGED, self->OnCaptureChanged(AFX_WND_OF(call.lParam)))
#define ON_WM_CANCELMODE() AFX_WM_ENTRY(WM_CANCELMODE, self->OnCancelMode())
#define ON_WM_ENABLE() AFX_WM_ENTRY(WM_ENABLE, self->OnEnable((BOOL)call.wParam))
#define ON_WM_DROPFILES() AFX_WM_ENTRY(WM_DROPFILES, self->OnDropFiles((HDROP)call.wParam))
#define ON_WM_DRAWITEM() AFX_WM_ENTRY(WM_DRAWITEM, self->OnDrawItem((int)call.wParam, (LPDRAWITEMSTRUCT)call.lParam); call.lResult = TRUE)
#define ON_WM_MEASUREITEM() AFX_WM_ENTRY(WM_MEASUREITEM, self->OnMeasureItem((int)call.wParam, (LPMEASUREITEMSTRUCT)call.lParam); call.lResult = TRUE)
#define ON_WM_CTLCOLOR() AFX_WM_ENTRY(WM_CTLCOLOR, call.lResult = (LRESULT)self->OnCtlColor( \
    CDC::FromHandle((HDC)call.wParam), AFX_WND_OF(call.lParam), call.nCode))
#define ON_WM_HELPINFO() AFX_WM_ENTRY(WM_HELPINFO, call.lResult = self->OnHelpInfo((HELPINFO*)call.lParam))
#define ON_WM_STYLECHANGED() AFX_WM_ENTRY(WM_STYLECHANGED, self->OnStyleChanged((int)call.wParam, (LPSTYLESTRUCT)call.lParam))
#define ON_WM_COPYDATA() AFX_WM_ENTRY(WM_COPYDATA, call.lResult = self->OnCopyData(AFX_WND_OF(call.wParam), (COPYDATASTRUCT*)call.lParam))
#define ON_WM_QUERYENDSESSION() AFX_WM_ENTRY(WM_QUERYENDSESSION, call.lResult = self->OnQueryEndSession())
#define ON_WM_ENDSESSION() AFX_WM_ENTRY(WM_ENDSESSION, self->OnEndSession((BOOL)call.wParam))

#include "CFormView.h"

#include "../core/Exceptions.h"
#include "CCreateContext.h"
#include "CDialog.h"
#include "CDocument.h"
#include "DataExchange.h"

#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CFormView, CView)

CFormView::CFormView(UINT nIDTemplate) : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)) {}

CFormView::CFormView(LPCTSTR lpszTemplateName)
    : m_lpszTemplateName(IS_INTRESOURCE(lpszTemplateName) ? lpszTemplateName : _wcsdup(lpszTemplateName))
{
}

CFormView::~CFormView()
{
    if (m_lpszTemplateName != nullptr && !IS_INTRESOURCE(m_lpszTemplateName))
        free(const_cast<LPWSTR>(m_lpszTemplateName));
}

namespace
{
// A copy of the template whose window is a child control parent: the style
// words sit at the start of DLGTEMPLATE and after the version, signature and
// help id of DLGTEMPLATEEX.
std::vector<BYTE> ChildTemplate(const void* pTemplate, DWORD size, DWORD dwStyle)
{
    std::vector<BYTE> copy(static_cast<const BYTE*>(pTemplate), static_cast<const BYTE*>(pTemplate) + size);
    if (size < 18)
        return {};
    const bool extended = reinterpret_cast<const WORD*>(copy.data())[1] == 0xFFFF;
    const size_t styleAt = extended ? 12 : 0;
    const size_t exStyleAt = extended ? 8 : 4;
    if (copy.size() < styleAt + 4 || copy.size() < exStyleAt + 4)
        return {};
    DWORD style, exStyle;
    std::memcpy(&style, copy.data() + styleAt, 4);
    std::memcpy(&exStyle, copy.data() + exStyleAt, 4);
    style = (style & 0x0000FFFF & ~(DS_MODALFRAME | DS_SYSMODAL | DS_CENTER)) | DS_CONTROL | WS_CHILD |
            (dwStyle & 0xFFFF0000 & ~(WS_POPUP | WS_CAPTION));
    exStyle = (exStyle & ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_APPWINDOW)) | WS_EX_CONTROLPARENT;
    std::memcpy(copy.data() + styleAt, &style, 4);
    std::memcpy(copy.data() + exStyleAt, &exStyle, 4);
    return copy;
}
} // namespace

BOOL CFormView::Create(LPCTSTR, LPCTSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                       CCreateContext* pContext)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceW(hInst, m_lpszTemplateName, RT_DIALOG);
    const void* pTemplate = hResource != nullptr ? ::LockResource(::LoadResource(hInst, hResource)) : nullptr;
    std::vector<BYTE> form =
        pTemplate != nullptr ? ChildTemplate(pTemplate, ::SizeofResource(hInst, hResource), dwStyle) : std::vector<BYTE>();
    if (form.empty())
    {
        PostNcDestroy(); // as a view that could not be made
        return FALSE;
    }

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamW(hInst, reinterpret_cast<LPCDLGTEMPLATEW>(form.data()),
                                             pParentWnd->GetSafeHwnd(), AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate() || hWnd == nullptr)
    {
        if (m_hWnd != nullptr)
            Detach();
        PostNcDestroy();
        return FALSE;
    }
    SetDlgCtrlID(static_cast<int>(nID));
    SetWindowPos(nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // A dialog's creation carries no creation context: the view joins its
    // document here instead of in WM_CREATE.
    if (pContext != nullptr && pContext->m_pCurrentDoc != nullptr && m_pDocument == nullptr)
        pContext->m_pCurrentDoc->AddView(this);
    if (dwStyle & WS_VISIBLE)
        ShowWindow(SW_SHOWNOACTIVATE);
    return TRUE;
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CView::OnInitialUpdate();
}

BOOL CFormView::UpdateData(BOOL bSaveAndValidate)
{
    return AfxExchangeData(this, bSaveAndValidate);
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && ::IsDialogMessageW(m_hWnd, pMsg))
        return TRUE;
    return CView::PreTranslateMessage(pMsg);
}

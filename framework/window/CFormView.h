// CFormView: a view made from a dialog template, with the dialog's
// controls, keyboard navigation and data exchange.
#pragma once

#include "CView.h"

class CDataExchange;

class CFormView : public CView
{
    DECLARE_DYNAMIC(CFormView)
protected:
    explicit CFormView(UINT nIDTemplate);
    explicit CFormView(LPCTSTR lpszTemplateName);

public:
    ~CFormView() override;

    // Creates the form as a child of pParentWnd from its template (whatever
    // the template's own frame style). Fails, and the view deletes itself,
    // when the template is missing.
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;
    // Fills the controls from the members (UpdateData(FALSE)).
    void OnInitialUpdate() override;
    void OnDraw(CDC*) override {}
    virtual void DoDataExchange(CDataExchange*) {}
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    BOOL PreTranslateMessage(MSG* pMsg) override;

    LPCTSTR m_lpszTemplateName;
};

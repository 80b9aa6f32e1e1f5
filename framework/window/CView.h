// Views: the frame's client pane showing a document. Views are made by the
// frame from their class record and delete themselves when their window goes.
#pragma once

#include "CPrintInfo.h"
#include "CWnd.h"
#include "ListControls.h"

#include <commctrl.h>

class CDocument;
class CFrameWnd;

#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT, CFrameWnd*) {}
    // Whether the view shows pDocItem selected (OLE documents ask).
    virtual BOOL IsSelected(const CObject* pDocItem) const { (void)pDocItem; return FALSE; }

    // Drawing on screen and on paper. OnPrepareDC readies the DC before
    // OnDraw and, with pInfo, before each printed page; by default a print
    // run whose page count is unknown prints one page.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    // The default asks for the printer (DoPreparePrinting).
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC*, CPrintInfo*) {}
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC*, CPrintInfo*) {}
    // The print dialog (or the default printer for a direct print); FALSE
    // when cancelled or when there is no printer.
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // ID_FILE_PRINT and ID_FILE_PRINT_DIRECT: prints the pages.
    afx_msg void OnFilePrint();
    // ID_FILE_PRINT_PREVIEW: there is no preview window; says so.
    afx_msg void OnFilePrintPreview();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void PostNcDestroy() override { delete this; }

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);

    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;

protected:
    CView() = default;
    friend class CDocument;
    CDocument* m_pDocument = nullptr;
};

// A view that is a common control of the given class.
class CCtrlView : public CView
{
    DECLARE_DYNAMIC(CCtrlView)
public:
    CCtrlView(LPCTSTR lpszClass, DWORD dwStyle) : m_strClass(lpszClass), m_dwDefaultStyle(dwStyle) {}
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnDraw(CDC*) override {}
    afx_msg void OnPaint() { Default(); }

    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;

protected:
    CString m_strClass;
    DWORD m_dwDefaultStyle;
};

class CListView : public CCtrlView
{
    DECLARE_DYNCREATE(CListView)
public:
    CListView() : CCtrlView(WC_LISTVIEWW, AFX_WS_DEFAULT_VIEW) {}
    // The view's window as a list control. A separate wrapper object, so
    // calls through it reach the control class's own members, never the
    // view's overrides of the same slots.
    CListCtrl& GetListCtrl() const;

private:
    mutable CListCtrl m_listCtrl;
};

class CTreeView : public CCtrlView
{
    DECLARE_DYNCREATE(CTreeView)
public:
    CTreeView() : CCtrlView(WC_TREEVIEWW, AFX_WS_DEFAULT_VIEW) {}
    // The view's window as a tree control (a separate wrapper, as above).
    CTreeCtrl& GetTreeCtrl() const;

private:
    mutable CTreeCtrl m_treeCtrl;
};

// The preview of ".html" files in the program's own renderer: the page of the file
// in preview, its title as the view's text and the renderer's progress in a status bar.
#pragma once

#include "Framework.h"
#include "HtmlRendererPane.h"

class CCustomHTMLViewer : public CView
{
    DECLARE_DYNCREATE(CCustomHTMLViewer)
public:
    CCustomHTMLViewer() = default;
    ~CCustomHTMLViewer() override;

    void OnDraw(CDC*) override {}
    BOOL PreTranslateMessage(MSG* pMsg) override { return CView::PreTranslateMessage(pMsg); }

    preview::CMiniBrowser* GetBrowser() const { return m_pane.Browser(); }

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    preview::HtmlRendererPane m_pane;
};

// Destroys windows an earlier HTML preview could leave behind; nothing in this
// program creates such windows, so it has nothing to do.
void DestroyStrayPreviewWindows();

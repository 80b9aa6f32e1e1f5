// Views and documents beyond the gallery's: a form view from a dialog
// template, the drawing and printing steps, several documents under one
// template, and the OLE verb entry of an Edit menu.
#include "Framework.h"
#include "gallery/GalleryDocument.h"
#include "gallery/GalleryIds.h"
#include "gallery/GalleryView.h"

#include <gtest/gtest.h>

#include <winspool.h>

#include <string>
#include <vector>

namespace
{
int s_formsDeleted = 0;

class CGalleryForm : public CFormView
{
public:
    explicit CGalleryForm(UINT nIDTemplate = IDD_GALLERY_SETTINGS) : CFormView(nIDTemplate) {}
    ~CGalleryForm() override { ++s_formsDeleted; }
    CString m_strName = L"form data";
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_NAME_EDIT, m_strName); }
};

class CPrintProbeView : public CView
{
public:
    std::vector<std::string> steps;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) override
    {
        steps.push_back("prepare");
        CView::OnPrepareDC(pDC, pInfo);
    }
    void OnDraw(CDC*) override { steps.push_back("draw"); }
    afx_msg void OnPrintDirect() { CView::OnFilePrint(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPrintProbeView, CView)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnPrintDirect)
END_MESSAGE_MAP()

LPCTSTR PlainClass()
{
    return AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}
} // namespace

TEST(ViewsTest, FormViewIsAChildMadeFromItsTemplate)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, PlainClass(), L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 400, 250, nullptr, nullptr));
    auto* form = new CGalleryForm; // views delete themselves
    ASSERT_TRUE(form->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 380, 200), &parent,
                             AFX_IDW_PANE_FIRST));
    EXPECT_EQ(CWnd::FromHandlePermanent(form->m_hWnd), form);
    EXPECT_EQ(::GetParent(form->m_hWnd), parent.m_hWnd);
    EXPECT_EQ(form->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_TRUE(form->GetStyle() & WS_CHILD);
    EXPECT_FALSE(form->GetStyle() & WS_CAPTION); // the template's caption is dropped
    ASSERT_NE(form->GetDlgItem(IDC_NAME_EDIT), nullptr);

    form->OnInitialUpdate();
    CString text;
    form->GetDlgItemText(IDC_NAME_EDIT, text);
    EXPECT_EQ(text, CString(L"form data"));
    form->SetDlgItemText(IDC_NAME_EDIT, L"typed in the form");
    EXPECT_TRUE(form->UpdateData(TRUE));
    EXPECT_EQ(form->m_strName, CString(L"typed in the form"));

    // Without its template the form is not made and does not linger.
    s_formsDeleted = 0;
    auto* missing = new CGalleryForm(4242);
    EXPECT_FALSE(missing->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &parent, 1));
    EXPECT_EQ(s_formsDeleted, 1);
    parent.DestroyWindow();
}

TEST(ViewsTest, ViewPreparesTheDcBeforeDrawingAndPrintsOnePageWhenTheCountIsUnknown)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, PlainClass(), L"parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                nullptr, nullptr));
    auto* view = new CPrintProbeView;
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), &parent,
                             AFX_IDW_PANE_FIRST));
    view->Invalidate();
    view->UpdateWindow();
    ASSERT_GE(view->steps.size(), 2u);
    EXPECT_EQ(view->steps[0], "prepare");
    EXPECT_EQ(view->steps[1], "draw");

    CClientDC dc(view);
    CPrintInfo info;
    view->CView::OnPrepareDC(&dc, &info);
    EXPECT_TRUE(info.m_bContinuePrinting);
    info.m_nCurPage = 2;
    view->CView::OnPrepareDC(&dc, &info);
    EXPECT_FALSE(info.m_bContinuePrinting);
    info.SetMaxPage(3);
    info.m_bContinuePrinting = TRUE;
    view->CView::OnPrepareDC(&dc, &info);
    EXPECT_TRUE(info.m_bContinuePrinting); // a known count is the caller's to end

    // Printing straight to a default printer that is not there does nothing.
    wchar_t printer[256];
    DWORD length = 256;
    if (!::GetDefaultPrinterW(printer, &length))
    {
        view->steps.clear();
        view->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        EXPECT_TRUE(view->steps.empty());
    }
    parent.DestroyWindow();
}

TEST(ViewsTest, MultipleDocumentTemplateOpensEachDocumentInItsOwnFrame)
{
    auto* pTemplate = new CMultiDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CGalleryDocument), RUNTIME_CLASS(CFrameWnd),
                                            RUNTIME_CLASS(CGalleryView));
    pTemplate->LoadTemplate();
    EXPECT_NE(pTemplate->m_hMenuShared, nullptr);
    CDocument* first = pTemplate->OpenDocumentFile(nullptr, FALSE);
    CDocument* second = pTemplate->OpenDocumentFile(nullptr, FALSE);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(first->GetTitle(), CString(L"Gallery1"));
    EXPECT_EQ(second->GetTitle(), CString(L"Gallery2"));

    std::vector<HWND> frames;
    for (CDocument* pDoc : {first, second})
    {
        POSITION pos = pDoc->GetFirstViewPosition();
        ASSERT_NE(pos, nullptr);
        frames.push_back(pDoc->GetNextView(pos)->GetParentFrame()->GetSafeHwnd());
    }
    EXPECT_NE(frames[0], frames[1]);
    int documents = 0;
    for (POSITION pos = pTemplate->GetFirstDocPosition(); pos != nullptr; pTemplate->GetNextDoc(pos))
        ++documents;
    EXPECT_EQ(documents, 2);

    delete pTemplate; // closes both documents and their frames
    EXPECT_FALSE(::IsWindow(frames[0]));
    EXPECT_FALSE(::IsWindow(frames[1]));
}

namespace
{
class CSelectingView : public CPrintProbeView
{
public:
    const CObject* selected = nullptr;
    BOOL IsSelected(const CObject* pDocItem) const override { return pDocItem == selected; }
};
} // namespace

TEST(ViewsTest, EditMenuShowsAGreyedObjectEntryWithoutAnObject)
{
    COleDocument document;
    auto* item = new COleClientItem(&document); // the document deletes its items
    new COleClientItem(&document);
    CSelectingView view; // never made into a window
    EXPECT_EQ(document.GetPrimarySelectedItem(&view), nullptr);
    view.selected = item;
    EXPECT_EQ(document.GetPrimarySelectedItem(&view), item);
    EXPECT_EQ(item->GetDocument(), &document);
    EXPECT_EQ(item->GetType(), static_cast<UINT>(OT_UNKNOWN));

    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    AfxOleSetEditMenu(item, &menu, 0, 0xE210, 0xE21F);
    ASSERT_EQ(menu.GetMenuItemCount(), 1u);
    CString text;
    menu.GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_EQ(text, CString(L"&Object"));
    EXPECT_TRUE(menu.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);
    menu.DestroyMenu();
}

#include "CUiListView.h"

IMPLEMENT_DYNCREATE(CUiListView, CListView)

BEGIN_MESSAGE_MAP(CUiListView, CListView)
  ON_NOTIFY_REFLECT_EX(NM_CUSTOMDRAW, OnReflectedCustomDraw)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

CUiListView::CUiListView()
{
    m_strClass = L"SysListView32";
    m_dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;
    m_pList = this;
}

CUiListView::~CUiListView() = default;

void CUiListView::PreSubclassWindow()
{
    CListView::PreSubclassWindow();
    if (m_bInitializeOnSubclass)
        InitializeControl();
}

BOOL CUiListView::PreCreateWindow(CREATESTRUCT& cs)
{
    m_bInitializeOnSubclass = FALSE;
    return CListView::PreCreateWindow(cs);
}

BOOL CUiListView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR->hwndFrom == reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)) && OnHeaderNotify(wParam, lParam, pResult))
        return TRUE;
    return CListView::OnNotify(wParam, lParam, pResult);
}

BOOL CUiListView::OnReflectedCustomDraw(NMHDR* pNMHDR, LRESULT* pResult) { return OnCustomDraw(pNMHDR, pResult); }

void CUiListView::OnPaint() { PaintList(); }

BOOL CUiListView::OnEraseBkgnd(CDC*) { return TRUE; }

int CUiListView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    const int result = CListView::OnCreate(lpCreateStruct);
    if (result != -1)
        InitializeControl();
    return result;
}

void CUiListView::OnDestroy()
{
    if (m_bAutoSaveColumns)
        SaveColumnWidths();
    CListView::OnDestroy();
}

void CUiListView::OnSettingChange(UINT, LPCTSTR)
{
    Default();
    RefreshColors();
}

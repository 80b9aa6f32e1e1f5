#include "CUiListCtrl.h"

IMPLEMENT_DYNAMIC(CUiListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CUiListCtrl, CListCtrl)
  ON_NOTIFY_REFLECT_EX(NM_CUSTOMDRAW, OnReflectedCustomDraw)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

CUiListCtrl::CUiListCtrl() { m_pList = this; }

CUiListCtrl::~CUiListCtrl() = default;

void CUiListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    if (m_bInitializeOnSubclass)
        InitializeControl();
}

BOOL CUiListCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    m_bInitializeOnSubclass = FALSE;
    return CListCtrl::PreCreateWindow(cs);
}

BOOL CUiListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR->hwndFrom == reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)) && OnHeaderNotify(wParam, lParam, pResult))
        return TRUE;
    return CListCtrl::OnNotify(wParam, lParam, pResult);
}

BOOL CUiListCtrl::OnReflectedCustomDraw(NMHDR* pNMHDR, LRESULT* pResult) { return OnCustomDraw(pNMHDR, pResult); }

void CUiListCtrl::OnPaint() { PaintList(); }

BOOL CUiListCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

int CUiListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    const int result = CListCtrl::OnCreate(lpCreateStruct);
    if (result != -1)
        InitializeControl();
    return result;
}

void CUiListCtrl::OnDestroy()
{
    if (m_bAutoSaveColumns)
        SaveColumnWidths();
    CListCtrl::OnDestroy();
}

void CUiListCtrl::OnSettingChange(UINT, LPCTSTR)
{
    Default();
    RefreshColors();
}

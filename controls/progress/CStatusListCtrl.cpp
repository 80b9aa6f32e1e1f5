#include "CStatusListCtrl.h"

#include "ColorMath.h"

BEGIN_MESSAGE_MAP(CStatusListCtrl, CListCtrl)
  ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
  ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
  ON_NOTIFY_REFLECT(NM_DBLCLK, OnClick)
  ON_WM_CREATE()
END_MESSAGE_MAP()

int CStatusListCtrl::OnCreate(LPCREATESTRUCT) { return Default() == -1 ? -1 : 0; }

void CStatusListCtrl::CellColours(const CString& status, int row, int column, COLORREF& text,
                                  COLORREF& background) {
  switch (column) {
    case 0: background = 0xB2F3F5; break;
    case 1:
    case 3: background = 0xF3E9F8; break;
    case 2:
    case 4:
    case 5: background = 0xE2F2DC; break;
    default: break;
  }
  // Every other row in a lighter tone of its columns' colours.
  if (row % 2 && column <= 5) background = colors::BlendTowardWhite(background, 0.5);
  auto startsWith = [&status](const wchar_t* word) { return status.Find(word) == 0; };
  if (startsWith(L"Pending")) text = 0;
  if (startsWith(L"Done")) text = 0xFF0000;
  if (startsWith(L"Fail")) text = 0x0000FF;
  if (startsWith(L"Progress")) {
    text = 0x00FF00;
    background = 0;
  }
}

void CStatusListCtrl::OnCustomDraw(NMHDR* header, LRESULT* result) {
  auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      *result = CDRF_NOTIFYITEMDRAW;
      return;
    case CDDS_ITEMPREPAINT:
      *result = CDRF_NOTIFYSUBITEMDRAW;
      return;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
      const int row = static_cast<int>(draw->nmcd.dwItemSpec);
      const CString status = GetItemText(row, 1);
      CellColours(status, row, draw->iSubItem, draw->clrText, draw->clrTextBk);
      *result = CDRF_DODEFAULT;
      return;
    }
    default:
      *result = CDRF_DODEFAULT;
      return;
  }
}

#include "CAboutDlg.h"

#include "ResourceIds.h"
#include "SkinDrawing.h"

namespace {

constexpr wchar_t kLegalNotice[] = L"Copyright \x00A9 Pelmo Software. All rights reserved.";
constexpr wchar_t kWebsite[] = L"https://www.pelmo-recovery.example/";
constexpr wchar_t kSupportMail[] = L"mailto:support@pelmo-recovery.example";
constexpr wchar_t kSalesMail[] = L"mailto:sales@pelmo-recovery.example";

}  // namespace

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUT), skin_(LoadSkinBitmap(IDB_SKIN_ABOUT)) {}

CAboutDlg::~CAboutDlg() {
  if (skin_ != nullptr) ::DeleteObject(skin_);
}

void CAboutDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_ABOUT_PRODUCT, product_);
  DDX_Control(exchange, IDC_ABOUT_NOTICE, notice_);
  DDX_Control(exchange, IDC_ABOUT_VERSION, version_);
  DDX_Control(exchange, IDC_ABOUT_WEBSITE, website_);
  DDX_Control(exchange, IDC_ABOUT_SUPPORT, support_);
  DDX_Control(exchange, IDC_ABOUT_SALES, sales_);
}

BOOL CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  productFont_.CreateFontW(16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial");
  noticeFont_.CreateFontW(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
  product_.SetFont(&productFont_);
  notice_.SetFont(&noticeFont_);
  notice_.SetWindowText(kLegalNotice);
  website_.SetURL(kWebsite);
  support_.SetURL(kSupportMail);
  sales_.SetURL(kSalesMail);
  for (CHyperLinkStatic* link : {&website_, &support_, &sales_}) link->SetUnderline(1);
  return TRUE;
}

BOOL CAboutDlg::OnEraseBkgnd(CDC* dc) {
  if (!DrawSkinAtOrigin(dc, skin_)) return CDialog::OnEraseBkgnd(dc);
  return TRUE;
}

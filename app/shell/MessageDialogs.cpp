#include "MessageDialogs.h"

#include "CRecoveryApp.h"
#include "MarkupMessageBox.h"
#include "MarkupScan.h"
#include "ResourceIds.h"
#include "SkinDrawing.h"
#include "UiText.h"

namespace {

constexpr wchar_t kMessageCaption[] = L"Pelmo Windows Data Recovery";
constexpr wchar_t kQuestionCaption[] = L"Pelmo Windows Recovery";
constexpr int kMarkupFillEffect = 12;
constexpr UINT kMessageIconId = 1041;
constexpr UINT kMessageTextId = 1079;

UINT IconOfKind(int kind) {
  switch (kind) {
    case kMessageInformation: return MB_ICONINFORMATION;
    case kMessageError: return MB_ICONHAND;
    default: return MB_ICONQUESTION;
  }
}

bool IsMarkupKind(int kind) { return kind >= kMessageInformation && kind <= kMessageQuestion; }

// The box's own defaults except the window background: a fill in one colour.
MarkupMessageBoxParams BoxParams(COLORREF colour) {
  MarkupMessageBoxParams params;
  params.windowBackground.separatorStyle = 0;
  params.windowBackground.separatorAlignment = 2;
  params.windowBackground.separatorText = nullptr;
  params.windowBackground.fillEffect = kMarkupFillEffect;
  params.windowBackground.color1 = colour;
  params.windowBackground.color2 = colour;
  params.windowBackground.color3 = colour;
  return params;
}

int ShowMarkupBox(LPCWSTR caption, UINT buttons, COLORREF background) {
  const CString text = ToCString(MessageRequest().Text);
  const MarkupMessageBoxParams params = BoxParams(background);
  return MarkupMessageBox(nullptr, text, caption, buttons | IconOfKind(MessageRequest().Kind), &params);
}

}  // namespace

engine::MessageRequestRecord& MessageRequest() { return RecoveryApp().Engine().MessageRequest; }

BEGIN_MESSAGE_MAP(CAppMessageDlg, CDialog)
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CAppMessageDlg::CAppMessageDlg(CWnd* parent) : CDialog(IDD_MESSAGE, parent), skin_(LoadSkinBitmap(IDB_SKIN_MESSAGE)) {}

CAppMessageDlg::~CAppMessageDlg() {
  if (skin_ != nullptr) ::DeleteObject(skin_);
}

void CAppMessageDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, kMessageIconId, icon_);
  DDX_Control(exchange, IDOK, ok_);
}

BOOL CAppMessageDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  // The template has no label of its own; the text goes into one made here.
  CRect area;
  GetClientRect(&area);
  area.DeflateRect(12, 10, 12, 40);
  text_.Create(ToCString(MessageRequest().Text), WS_CHILD | WS_VISIBLE, area, this, kMessageTextId);
  text_.SetFont(GetFont());
  return TRUE;
}

BOOL CAppMessageDlg::OnEraseBkgnd(CDC* dc) {
  if (!DrawSkinAtOrigin(dc, skin_)) return CDialog::OnEraseBkgnd(dc);
  return TRUE;
}

INT_PTR CAppMessageDlg::DoModal() {
  if (!IsMarkupKind(MessageRequest().Kind)) return CDialog::DoModal();
  return ShowMarkupBox(kMessageCaption, MB_OK, RGB(255, 255, 255));
}

CQuestionDlg::CQuestionDlg(CWnd* parent) : CAppMessageDlg(parent) {}

CQuestionDlg::~CQuestionDlg() = default;

void CQuestionDlg::DoDataExchange(CDataExchange* exchange) {
  CAppMessageDlg::DoDataExchange(exchange);
  DDX_Control(exchange, IDCANCEL, cancel_);
}

INT_PTR CQuestionDlg::DoModal() {
  if (!IsMarkupKind(MessageRequest().Kind)) return CDialog::DoModal() == IDOK ? 1 : 2;
  return ShowMarkupBox(kQuestionCaption, MB_YESNO, ::GetSysColor(COLOR_BTNFACE)) == IDYES ? 1 : 2;
}

void ShowMessageRequest(const CString& text, int kind) {
  MessageRequest().Text = ToU16(text);
  CAppMessageDlg dialog;
  MessageRequest().Kind = kind;
  dialog.DoModal();
}

bool AskQuestionRequest(const CString& text, int kind) {
  MessageRequest().Text = ToU16(text);
  CQuestionDlg dialog;
  MessageRequest().Kind = kind;
  return dialog.DoModal() == 1;
}

CString EscapeMarkupText(const CString& text) { return ToCString(markup::EscapeMarkup(ToU16(text))); }

// The two message dialogs nearly every message of the program goes through. A
// caller fills MessageRequest (the text and its kind) and runs one of them as a
// local object; the dialog shows a markup message box with the program's caption
// and the icon of the kind. Texts are markup: plain parts (paths, names, labels)
// go in through EscapeMarkup.
#pragma once

#include "Framework.h"

#include <string>

#include "CTransparentStatic.h"
#include "EngineRecords.h"

// The shared message record of the engine context, as the dialogs read it.
engine::MessageRequestRecord& MessageRequest();

// Kinds of MessageRequest.Kind.
constexpr int kMessageInformation = engine::kMessageInformation;  // 1
constexpr int kMessageError = engine::kMessageError;              // 2
constexpr int kMessageQuestion = engine::kMessageQuestion;        // 3

// A message with an OK button; caption "Pelmo Windows Data Recovery", white background.
class CAppMessageDlg : public CDialog {
 public:
  explicit CAppMessageDlg(CWnd* parent = nullptr);
  ~CAppMessageDlg() override;
  INT_PTR DoModal() override;

 protected:
  void DoDataExchange(CDataExchange* exchange) override;
  BOOL OnInitDialog() override;
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  DECLARE_MESSAGE_MAP()

  CStatic icon_;
  CButton ok_;
  CTransparentStatic text_;
  HBITMAP skin_ = nullptr;
};

// A question answered Yes (1) or No (2); caption "Pelmo Windows Recovery",
// button-face background.
class CQuestionDlg : public CAppMessageDlg {
 public:
  explicit CQuestionDlg(CWnd* parent = nullptr);
  ~CQuestionDlg() override;
  INT_PTR DoModal() override;

 protected:
  void DoDataExchange(CDataExchange* exchange) override;

  CButton cancel_;
};

// The calling sequence in one place: fill MessageRequest, run the dialog.
void ShowMessageRequest(const CString& text, int kind);
// True when the user answered Yes.
bool AskQuestionRequest(const CString& text, int kind = kMessageQuestion);

// Plain text made safe to put into a markup message.
CString EscapeMarkupText(const CString& text);

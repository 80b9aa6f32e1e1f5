// "Pelmo Windows Data Recovery Software": the product name, a legal notice, the
// version and three links, over the About skin.
#pragma once

#include "Framework.h"

#include "CHyperLinkStatic.h"
#include "CTransparentStatic.h"

class CAboutDlg : public CDialog {
 public:
  CAboutDlg();
  ~CAboutDlg() override;

 protected:
  void DoDataExchange(CDataExchange* exchange) override;
  BOOL OnInitDialog() override;
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  DECLARE_MESSAGE_MAP()

 private:
  CTransparentStatic product_;
  CTransparentStatic notice_;
  CTransparentStatic version_;
  CHyperLinkStatic website_;
  CHyperLinkStatic support_;
  CHyperLinkStatic sales_;
  CFont productFont_;
  CFont noticeFont_;
  HBITMAP skin_ = nullptr;
};

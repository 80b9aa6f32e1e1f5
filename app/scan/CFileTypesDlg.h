// The "File Types" dialog run before a File Trace scan: the types of the
// signature database in a tree of three-state boxes and the size every hit is
// saved with. OK turns the ticked extensions into the engine's selected
// signatures and keeps the size; Cancel changes neither.
#pragma once

#include "CFileTypeTreeCtrl.h"
#include "CTransparentStatic.h"
#include "Framework.h"

class CFileTypesDlg : public CDialog {
 public:
  explicit CFileTypesDlg(CWnd* parent = nullptr);
  ~CFileTypesDlg() override;

  // Reads "Raw.dat" into the tree and its signature list.
  void LoadSignatureDatabase();
  CFileTypeTreeCtrl& Tree() { return tree_; }

 protected:
  void DoDataExchange(CDataExchange* exchange) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  DECLARE_MESSAGE_MAP()

 private:
  CTransparentStatic sizeLabel_;
  CComboBox sizes_;
  CTransparentStatic prompt_;
  CFileTypeTreeCtrl tree_;
  CFont promptFont_;
  HBITMAP skin_ = nullptr;
};

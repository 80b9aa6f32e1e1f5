// The system's Open or Save As dialog, run directly, with a walk over a
// multiple selection.
#pragma once

#include "Framework.h"

#include <commdlg.h>

#include <vector>

class CFileOpenSaveDialog {
 public:
  // `initialName` (or none) is copied into the dialog's own buffer.
  CFileOpenSaveDialog(BOOL open, LPCTSTR defaultExtension, LPCTSTR initialName, DWORD flags, LPCTSTR filter,
                      CWnd* parent = nullptr);
  virtual ~CFileOpenSaveDialog() = default;

  virtual INT_PTR DoModal();
  CString GetPathName() const { return CString(file_); }
  // The position is the address of the next name in the buffer, NULL after
  // the last one.
  const wchar_t* GetFirstPathPosition() const { return file_; }
  CString GetNextPathName(const wchar_t*& position) const;

  OPENFILENAMEW m_ofn{};

 private:
  BOOL open_;
  std::vector<wchar_t> filter_;  // the caller's filter in the system's NUL-separated form
  wchar_t file_[260] = {};
  wchar_t fileTitle_[260] = {};
};

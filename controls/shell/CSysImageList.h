// The shell's system image list: the list handle, the icon index of a file
// name or of a folder, and the shell's type name of a file.
#pragma once

#include "Framework.h"

class CSysImageList {
 public:
  virtual ~CSysImageList() = default;
  // Not owned by the caller.
  HIMAGELIST GetImageList(BOOL small) const;
  // The icon of `name` (a file name or a bare extension such as ".doc") taken
  // as an ordinary file, which need not exist; 0 when the shell gives nothing.
  int GetIconIndex(LPCTSTR name, BOOL small) const;
  int GetFolderIconIndex(BOOL small) const;
  CString GetTypeName(LPCTSTR name) const;
};

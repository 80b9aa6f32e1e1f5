#include "CSysImageList.h"

#include <shellapi.h>

HIMAGELIST CSysImageList::GetImageList(BOOL small) const {
  SHFILEINFOW info{};
  return reinterpret_cast<HIMAGELIST>(::SHGetFileInfoW(L"c:\\", 0, &info, sizeof(info),
                                                       SHGFI_SYSICONINDEX | (small ? SHGFI_SMALLICON : 0)));
}

int CSysImageList::GetIconIndex(LPCTSTR name, BOOL small) const {
  SHFILEINFOW info{};
  if (!name || !::SHGetFileInfoW(name, FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                                 SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | (small ? SHGFI_SMALLICON : 0))) {
    return 0;
  }
  return info.iIcon;
}

int CSysImageList::GetFolderIconIndex(BOOL small) const {
  SHFILEINFOW info{};
  if (!::SHGetFileInfoW(L"Doesn't matter", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info),
                        SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | (small ? SHGFI_SMALLICON : 0))) {
    return 0;
  }
  return info.iIcon;
}

CString CSysImageList::GetTypeName(LPCTSTR name) const {
  SHFILEINFOW info{};
  if (!name || !::SHGetFileInfoW(name, FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                                 SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES)) {
    return CString();
  }
  info.szTypeName[79] = 0;
  return CString(info.szTypeName);
}

#include "CFileOpenSaveDialog.h"

#include <cwchar>

CFileOpenSaveDialog::CFileOpenSaveDialog(BOOL open, LPCTSTR defaultExtension, LPCTSTR initialName, DWORD flags,
                                         LPCTSTR filter, CWnd* parent)
    : open_(open) {
  if (initialName) wcsncpy(file_, initialName, 259);
  m_ofn.lpstrFile = file_;
  m_ofn.nMaxFile = 260;
  m_ofn.lpstrFileTitle = fileTitle_;
  m_ofn.nMaxFileTitle = 260;
  m_ofn.Flags = flags | OFN_EXPLORER;
  // Callers write "Name (*.ext)|*.ext||" as the framework's dialog takes it.
  filter_ = SystemFileFilter(filter);
  m_ofn.lpstrFilter = filter_.empty() ? nullptr : filter_.data();
  m_ofn.lpstrDefExt = defaultExtension;
  m_ofn.hwndOwner = parent ? parent->GetSafeHwnd() : nullptr;
}

INT_PTR CFileOpenSaveDialog::DoModal() {
  m_ofn.lStructSize = LOBYTE(LOWORD(::GetVersion())) < 5 ? OPENFILENAME_SIZE_VERSION_400W : sizeof(m_ofn);
  const BOOL chosen = open_ ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
  return chosen ? IDOK : IDCANCEL;
}

CString CFileOpenSaveDialog::GetNextPathName(const wchar_t*& position) const {
  const wchar_t* buffer = m_ofn.lpstrFile;
  const size_t capacity = m_ofn.nMaxFile;
  if (!position || !buffer || capacity == 0) {
    position = nullptr;
    return CString();
  }
  const bool explorer = (m_ofn.Flags & OFN_EXPLORER) != 0;
  const wchar_t separator = explorer ? L'\0' : L' ';
  const wchar_t* end = buffer + capacity;  // nothing beyond the buffer is read
  auto scanTo = [end](const wchar_t* from, wchar_t stop) {
    while (from < end && *from && *from != stop) ++from;
    return from;
  };
  if (position == buffer) {
    if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT)) {
      position = nullptr;
      return CString(buffer, static_cast<int>(scanTo(buffer, L'\0') - buffer));
    }
    const wchar_t* afterFolder = scanTo(buffer, separator);
    if (afterFolder < end && (explorer ? true : *afterFolder == L' ')) ++afterFolder;
    if (afterFolder >= end || *afterFolder == L'\0') {
      position = nullptr;  // a single file: the buffer holds its whole path
      return CString(buffer, static_cast<int>(scanTo(buffer, L'\0') - buffer));
    }
    position = afterFolder;
  }
  const wchar_t* folderEnd = scanTo(buffer, explorer ? L'\0' : L' ');
  CString folder(buffer, static_cast<int>(folderEnd - buffer));
  const wchar_t* nameEnd = scanTo(position, separator);
  CString name(position, static_cast<int>(nameEnd - position));
  const bool endedAtNul = nameEnd >= end || *nameEnd == L'\0';
  const wchar_t* next = nameEnd < end ? nameEnd + 1 : end;
  if (next >= end || *next == L'\0' || (!explorer && endedAtNul)) position = nullptr;
  else position = next;
  const int backslash = folder.ReverseFind(L'\\');
  const int slash = folder.ReverseFind(L'/');
  const int last = backslash >= 0 ? backslash : slash;
  if (last >= 0 && last == folder.GetLength() - 1) return folder + name;
  return folder + L"\\" + name;
}

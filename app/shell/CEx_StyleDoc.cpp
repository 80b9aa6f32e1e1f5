#include "CEx_StyleDoc.h"

#include <algorithm>
#include <vector>

#include "MessageDialogs.h"

IMPLEMENT_DYNCREATE(CEx_StyleDoc, CDocument)

namespace {

struct ImageEnding {
  int code;
  const wchar_t* ending;
};

// In the order they are tried; the first ending that matches decides.
constexpr ImageEnding kImageEndings[] = {
    {9, L"wbmp"}, {1, L"bmp"}, {2, L"gif"}, {3, L"jpg"}, {3, L"jpeg"}, {4, L"png"},  {5, L"ico"},
    {6, L"tif"},  {6, L"tiff"}, {7, L"tga"}, {8, L"pcx"}, {10, L"wmf"}, {10, L"emf"}, {11, L"j2k"},
    {11, L"jp2"}, {12, L"j2c"}, {12, L"jpc"}, {13, L"pgx"}, {14, L"pnm"}, {14, L"pgm"}, {14, L"ppm"},
    {15, L"ras"},
};

// Calls `visit` with the name of every plain file of a folder.
template <class Visit>
void ForEachFile(const CString& folder, Visit visit) {
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW(folder + L"\\*.*", &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) visit(CString(found.cFileName));
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
}

}  // namespace

CEx_StyleDoc::CEx_StyleDoc() {
  PreviewSession.ShowError = [](const CString& text) { ShowMessageRequest(EscapeMarkupText(text), kMessageError); };
}

CEx_StyleDoc::~CEx_StyleDoc() {
  if (Database) Database->Close();
}

BOOL CEx_StyleDoc::OnNewDocument() { return CDocument::OnNewDocument(); }

int CEx_StyleDoc::GetImageType(const CString& name) {
  for (const ImageEnding& image : kImageEndings) {
    const int length = static_cast<int>(wcslen(image.ending));
    if (name.GetLength() >= length && name.Right(length).CompareNoCase(image.ending) == 0) return image.code;
  }
  return 0;
}

void CEx_StyleDoc::ForgetImages(const CString& folder) {
  ImageFolder = folder;
  ImageNames.RemoveAll();
  CurrentImageIndex = -1;
}

void CEx_StyleDoc::ScanImageFolder(const CString& folder) {
  ForgetImages(folder);
  std::vector<CString> names;
  ForEachFile(folder, [&](CString name) {
    if (GetImageType(name) == 0) return;
    name.MakeLower();
    names.push_back(name);
  });
  std::sort(names.begin(), names.end(), [](const CString& a, const CString& b) { return wcscmp(a, b) < 0; });
  for (const CString& name : names) ImageNames.Add(name);
}

void CEx_StyleDoc::LoadImageAt(int n) {
  if (n == CurrentImageIndex) return;
  CurrentImageIndex = n;
}

void CEx_StyleDoc::DeleteFolderFiles(const CString& folder) {
  ForgetImages(folder);
  ForEachFile(folder, [&](const CString& name) { ::DeleteFileW(folder + L"\\" + name); });
}

BOOL CEx_StyleDoc::OpenDatabase(const CString& path) {
  ::CoInitialize(nullptr);
  auto database = std::make_unique<CDaoDatabase>();
  try {
    database->Open(path, FALSE, FALSE, L"");
  } catch (CDaoException* exception) {
    ReportDaoException(exception);
    exception->Delete();
    return FALSE;
  }
  if (Database) Database->Close();
  Database = std::move(database);
  RefreshDatabaseViews();
  return TRUE;
}

// The Access views fill themselves from the open database once they exist.
void CEx_StyleDoc::RefreshDatabaseViews() {
  if (Database && DatabaseList != nullptr) DatabaseList->Invalidate();
  if (Database && DatabaseTree != nullptr) DatabaseTree->Invalidate();
}

void ReportDaoException(CDaoException* exception) {
  CString text;
  if (exception->GetErrorCount() > 0) {
    exception->GetErrorInfo(0);
    text.Format(L"%s   (%d)", static_cast<LPCWSTR>(EscapeMarkupText(exception->m_pErrorInfo->m_strDescription)),
                static_cast<int>(exception->m_pErrorInfo->m_lErrorCode));
  } else {
    const auto code = static_cast<uint32_t>(exception->m_scode);
    text.Format(L"ERROR:CDaoException\n\nSCODE_CODE      =%d\nSCODE_FACILITY  =%d\nSCODE_SEVERITY  =%d\nResultFromScode =%d\n",
                static_cast<int>(code & 0xFFFF), static_cast<int>((code >> 16) & 0x1FFF), static_cast<int>(code >> 31),
                static_cast<int>(code));
  }
  ShowMessageRequest(text, kMessageError);
}

// The document's image list and the snapshot file type registration, in process.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "CEx_StyleDoc.h"
#include "CGCFileTypeAccess.h"

// The document reports database errors through the message dialogs; here they are kept.
static CString lastMessage;
static int lastKind = 0;
void ShowMessageRequest(const CString& text, int kind) {
  lastMessage = text;
  lastKind = kind;
}
CString EscapeMarkupText(const CString& text) { return text; }

namespace {

std::wstring TempFolder(const wchar_t* name) {
  wchar_t temp[MAX_PATH + 1] = {};
  ::GetTempPathW(MAX_PATH + 1, temp);
  std::wstring folder = std::wstring(temp) + name;
  ::CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

void Touch(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ::CloseHandle(file);
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(CEx_StyleDocTest, ImageFormatsByTheNamesEnding) {
  const struct {
    const wchar_t* name;
    int code;
  } cases[] = {{L"a.WBMP", 9}, {L"a.bmp", 1}, {L"a.JPEG", 3}, {L"a.jpg", 3}, {L"a.tiff", 6}, {L"a.tif", 6},
               {L"a.emf", 10}, {L"a.ppm", 14}, {L"a.ras", 15}, {L"a.zip", 0}, {L"mp", 0}, {L"", 0}};
  for (const auto& c : cases) EXPECT_EQ(CEx_StyleDoc::GetImageType(c.name), c.code) << c.name;
}

TEST(CEx_StyleDocTest, AFolderListsItsImagesLowerCasedAndSorted) {
  const std::wstring folder = TempFolder(L"pelmo-doc-images");
  for (const wchar_t* name : {L"\\B.png", L"\\a.JPG", L"\\c.txt"}) Touch(folder + name);
  CEx_StyleDoc document;
  document.ScanImageFolder(folder.c_str());
  ASSERT_EQ(document.ImageNames.GetSize(), 2);
  EXPECT_EQ(std::wstring(document.ImageNames[0]), L"a.jpg");
  EXPECT_EQ(std::wstring(document.ImageNames[1]), L"b.png");
  EXPECT_EQ(document.CurrentImageIndex, -1);
  document.LoadImageAt(-1);
  EXPECT_EQ(document.CurrentImageIndex, -1);

  // Emptying the folder deletes its files and leaves its sub-folders.
  const std::wstring sub = folder + L"\\kept";
  ::CreateDirectoryW(sub.c_str(), nullptr);
  Touch(sub + L"\\inside.png");
  document.DeleteFolderFiles(folder.c_str());
  EXPECT_FALSE(Exists(folder + L"\\B.png"));
  EXPECT_FALSE(Exists(folder + L"\\c.txt"));
  EXPECT_TRUE(Exists(sub + L"\\inside.png"));
  EXPECT_EQ(document.ImageNames.GetSize(), 0);
  ::DeleteFileW((sub + L"\\inside.png").c_str());
  ::RemoveDirectoryW(sub.c_str());
  ::RemoveDirectoryW(folder.c_str());
}

TEST(CEx_StyleDocTest, ADatabaseThatCannotOpenIsReportedAndNothingIsKept) {
  CEx_StyleDoc document;
  lastKind = 0;
  EXPECT_FALSE(document.OpenDatabase(L"C:\\no such database.mdb"));
  EXPECT_EQ(lastKind, 2);
  EXPECT_FALSE(lastMessage.IsEmpty());
  EXPECT_EQ(document.Database, nullptr);
}

TEST(CGCFileTypeAccessTest, TheSnapshotTypeIsRegisteredForTheUserWithAQuotedCommand) {
  CGCFileTypeAccess fileType;
  fileType.Extension = L"pelmotest";
  fileType.DocumentType = L"PelmoTest.Document";
  fileType.OpenCommand = L"\"C:\\Program Files\\Pelmo\\PelmoRecovery.exe\" \"%1\"";
  fileType.DefaultIcon = L"C:\\Program Files\\Pelmo\\PelmoRecovery.exe,0";
  EXPECT_TRUE(fileType.RegisterAll());

  wchar_t value[512] = {};
  DWORD bytes = sizeof(value);
  ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Classes\\.pelmotest\\shell\\open\\command", nullptr,
                           RRF_RT_REG_SZ, nullptr, value, &bytes),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(value), L"\"C:\\Program Files\\Pelmo\\PelmoRecovery.exe\" \"%1\"");
  bytes = sizeof(value);
  ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Classes\\.pelmotest", nullptr, RRF_RT_REG_SZ, nullptr, value,
                           &bytes),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(value), L"PelmoTest.Document");
  bytes = sizeof(value);
  ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Classes\\PelmoTest.Document\\DefaultIcon", nullptr,
                           RRF_RT_REG_SZ, nullptr, value, &bytes),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(value), L"C:\\Program Files\\Pelmo\\PelmoRecovery.exe,0");
  // A second registration finds the same values and succeeds without change.
  EXPECT_TRUE(CGCFileTypeAccess::SetRegistryValue(HKEY_CURRENT_USER, L"Software\\Classes\\.pelmotest", L"",
                                                  L"PelmoTest.Document"));
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\.pelmotest");
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\PelmoTest.Document");
}

TEST(CGCFileTypeAccessTest, MissingArgumentsAreRefused) {
  EXPECT_FALSE(CGCFileTypeAccess::SetRegistryValue(nullptr, L"Software\\Classes\\x", L"", L"v"));
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(E_INVALIDARG));
  EXPECT_FALSE(CGCFileTypeAccess::SetRegistryValue(HKEY_CURRENT_USER, L"", L"", L"v"));
  EXPECT_FALSE(CGCFileTypeAccess::SetRegistryValue(HKEY_CURRENT_USER, L"Software\\Classes\\x", nullptr, L"v"));
  EXPECT_FALSE(CGCFileTypeAccess::SetRegistryValue(HKEY_CURRENT_USER, L"Software\\Classes\\x", L"", nullptr));
}

}  // namespace

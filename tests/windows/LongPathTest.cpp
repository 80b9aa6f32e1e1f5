// Saving below folders nested past MAX_PATH: the output file system hands every
// path of 260 characters or more to Win32 in the \\?\ form.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "Win32OutputFileSystem.h"

namespace {

using platform::LongPathForm;

TEST(LongPathTest, LongAbsolutePathsTakeThePrefix) {
  const std::u16string tail(300, u'a');
  EXPECT_EQ(LongPathForm(u"C:\\" + tail), u"\\\\?\\C:\\" + tail);
  EXPECT_EQ(LongPathForm(u"\\\\server\\share\\" + tail), u"\\\\?\\UNC\\server\\share\\" + tail);
  EXPECT_EQ(LongPathForm(u"C:/out/" + tail), u"\\\\?\\C:\\out\\" + tail);
}

TEST(LongPathTest, ShortRelativeAndPrefixedPathsStayAsTheyAre) {
  const std::u16string at259 = u"C:\\" + std::u16string(256, u'b');
  ASSERT_EQ(at259.size(), 259u);
  EXPECT_EQ(LongPathForm(at259), at259);
  EXPECT_EQ(LongPathForm(at259 + u"c"), u"\\\\?\\" + at259 + u"c");
  EXPECT_EQ(LongPathForm(u"C:\\out\\a.txt"), u"C:\\out\\a.txt");
  const std::u16string relative = u"out\\" + std::u16string(300, u'r');
  EXPECT_EQ(LongPathForm(relative), relative);
  const std::u16string prefixed = u"\\\\?\\C:\\" + std::u16string(300, u'p');
  EXPECT_EQ(LongPathForm(prefixed), prefixed);
  const std::u16string unc = u"\\\\?\\UNC\\server\\share\\" + std::u16string(300, u'u');
  EXPECT_EQ(LongPathForm(unc), unc);
}

std::vector<uint8_t> ReadWholeFile(const std::u16string& path) {
  const std::u16string apiPath = LongPathForm(path);
  HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(apiPath.c_str()), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::vector<uint8_t> bytes(4096);
  DWORD read = 0;
  if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

TEST(LongPathTest, AFileBelowAFolderChainPastMaxPathIsWrittenReadAndRemoved) {
  platform::Win32OutputFileSystem files;
  const std::u16string base = files.TempFolder() + u"pelmo-long-path-test";
  std::vector<std::u16string> folders{base};
  while (folders.back().size() <= 300) {
    folders.push_back(folders.back() + u"\\" + u"folder " + std::u16string(40, u'x') + u" " +
                      std::u16string(1, static_cast<char16_t>(u'0' + folders.size())));
  }
  for (const std::u16string& folder : folders) {
    ASSERT_TRUE(files.CreateFolder(folder)) << folder.size() << " characters, error " << GetLastError();
  }
  const std::u16string path = folders.back() + u"\\recovered file.bin";
  ASSERT_GT(path.size(), 300u);

  const std::vector<uint8_t> bytes = {'P', 'e', 'l', 'm', 'o', 0, 1, 2, 0xFF};
  std::unique_ptr<engine::OutputFile> out = files.CreateFileForWriting(path);
  ASSERT_NE(out, nullptr) << "error " << GetLastError();
  EXPECT_TRUE(out->Write(bytes));
  EXPECT_TRUE(out->Close());

  EXPECT_TRUE(files.FileExists(path));
  EXPECT_EQ(files.FilesInFolder(folders.back()), std::vector<std::u16string>{u"recovered file.bin"});
  EXPECT_EQ(ReadWholeFile(path), bytes);

  EXPECT_TRUE(files.RemoveFile(path));
  EXPECT_FALSE(files.FileExists(path));
  for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
    EXPECT_TRUE(files.RemoveFolder(*folder)) << folder->size() << " characters, error " << GetLastError();
  }
  EXPECT_FALSE(files.FileExists(base));
}

}  // namespace

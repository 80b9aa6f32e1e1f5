// The stand-in "unrar.dll" loaded and called the way the archive list view calls
// unrar: LoadLibraryW, the four entry points by name, list mode, skip each member.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "RarHeaderWalk.h"
#include "RarTestWriter.h"
#include "UnrarListing.h"

using namespace rartest;

namespace {

using OpenFn = HANDLE(WINAPI*)(preview::RAROpenArchiveDataEx*);
using ReadFn = int(WINAPI*)(HANDLE, preview::RARHeaderDataEx*);
using ProcessFn = int(WINAPI*)(HANDLE, int, char*, char*);
using CloseFn = int(WINAPI*)(HANDLE);

// An entry point by name, cast through the generic function type.
template <typename Function>
Function EntryPoint(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

}  // namespace

TEST(UnrarStandIn, ListsAnArchiveThroughTheLibraryEntryPoints) {
  HMODULE library = LoadLibraryW(UNRAR_STANDIN_PATH);
  ASSERT_NE(library, nullptr);
  auto open = EntryPoint<OpenFn>(library, "RAROpenArchiveEx");
  auto read = EntryPoint<ReadFn>(library, "RARReadHeaderEx");
  auto process = EntryPoint<ProcessFn>(library, "RARProcessFile");
  auto close = EntryPoint<CloseFn>(library, "RARCloseArchive");
  ASSERT_TRUE(open && read && process && close);

  Member folder = File("sub", 0, 0);
  folder.Directory = true;
  const Bytes bytes = Rar5Archive({File("a.txt", 3, 10), folder});
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "unrar-standin.rar";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));

  std::string name = path.string();
  preview::RAROpenArchiveDataEx openData{};
  openData.ArcName = name.data();
  openData.OpenMode = preview::kRarOpenList;
  HANDLE archive = open(&openData);
  ASSERT_NE(archive, nullptr) << openData.OpenResult;
  auto header = std::make_unique<preview::RARHeaderDataEx>();
  std::vector<std::string> names;
  std::vector<unsigned> flags;
  while (read(archive, header.get()) == 0) {
    names.emplace_back(header->FileName);
    flags.push_back(header->Flags);
    EXPECT_EQ(process(archive, preview::kRarSkip, nullptr, nullptr), 0);
  }
  EXPECT_EQ(close(archive), 0);
  EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "sub"}));
  EXPECT_EQ(flags, (std::vector<unsigned>{32960, 32992}));
  EXPECT_EQ(std::wstring(header->FileNameW), L"sub");

  preview::RAROpenArchiveDataEx missing{};
  std::string missingName = (std::filesystem::temp_directory_path() / "no-such.rar").string();
  missing.ArcName = missingName.data();
  EXPECT_EQ(open(&missing), nullptr);
  EXPECT_EQ(missing.OpenResult, static_cast<unsigned>(preview::kRarOpenError));
  std::filesystem::remove(path);
  FreeLibrary(library);
}

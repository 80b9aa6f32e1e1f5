// "unrar.dll" for a machine without the unrar library: the four calls the archive
// list view makes, answered by the listing-only reader. Nothing is unpacked. No
// exception leaves a call: the caller is C code behind GetProcAddress.

#include <windows.h>

#include "RarHeaderWalk.h"
#include "UnrarListing.h"

namespace {
constexpr int kRarNoMemory = 11;
}  // namespace

extern "C" {

__declspec(dllexport) HANDLE WINAPI RAROpenArchiveEx(preview::RAROpenArchiveDataEx* data) {
  try {
    return preview::RAROpenArchiveEx(data);
  } catch (...) {
    if (data != nullptr) data->OpenResult = kRarNoMemory;
    return nullptr;
  }
}

__declspec(dllexport) int WINAPI RARReadHeaderEx(HANDLE archive, preview::RARHeaderDataEx* header) {
  try {
    return preview::RARReadHeaderEx(archive, header);
  } catch (...) {
    return kRarNoMemory;
  }
}

__declspec(dllexport) int WINAPI RARProcessFile(HANDLE archive, int operation, char* destinationPath,
                                                char* destinationName) {
  return preview::RARProcessFile(archive, operation, destinationPath, destinationName);
}

__declspec(dllexport) int WINAPI RARCloseArchive(HANDLE archive) { return preview::RARCloseArchive(archive); }

}  // extern "C"

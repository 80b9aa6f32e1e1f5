#pragma once
// A listing-only reader of RAR archives behind the calls, records and results of
// the unrar library: open, read header, skip, close. The archive list view makes
// exactly these calls, so where unrar.dll is missing this reader answers them
// instead, and its tests drive the view's side of the conversation. Unpacking is
// refused (kRarNotSupported).

#include <cstdint>

namespace preview {

constexpr unsigned kRarOpenList = 0;
constexpr unsigned kRarOpenExtract = 1;
constexpr int kRarSkip = 0;
constexpr int kRarTest = 1;
constexpr int kRarExtract = 2;

// The library's extended open record; the caller zero-fills it.
struct RAROpenArchiveDataEx {
  char* ArcName;
  wchar_t* ArcNameW;
  unsigned int OpenMode;
  unsigned int OpenResult;
  char* CmtBuf;
  unsigned int CmtBufSize;
  unsigned int CmtSize;
  unsigned int CmtState;
  unsigned int Flags;
  void* Callback;
  intptr_t UserData;
  unsigned int OpFlags;
  wchar_t* CmtBufW;
  unsigned int Reserved[25];
};

// Archive flags reported in RAROpenArchiveDataEx::Flags.
constexpr unsigned kRarArchiveVolume = 0x0001;
constexpr unsigned kRarArchiveSolid = 0x0008;

// The library's extended header record.
struct RARHeaderDataEx {
  char ArcName[1024];
  wchar_t ArcNameW[1024];
  char FileName[1024];
  wchar_t FileNameW[1024];
  unsigned int Flags;
  unsigned int PackSize;
  unsigned int PackSizeHigh;
  unsigned int UnpSize;
  unsigned int UnpSizeHigh;
  unsigned int HostOS;
  unsigned int FileCRC;
  unsigned int FileTime;
  unsigned int UnpVer;
  unsigned int Method;
  unsigned int FileAttr;
  char* CmtBuf;
  unsigned int CmtBufSize;
  unsigned int CmtSize;
  unsigned int CmtState;
  unsigned int DictSize;
  unsigned int HashType;
  char Hash[32];
  unsigned int RedirType;
  wchar_t* RedirName;
  unsigned int RedirNameSize;
  unsigned int DirTarget;
  unsigned int MtimeLow;
  unsigned int MtimeHigh;
  unsigned int CtimeLow;
  unsigned int CtimeHigh;
  unsigned int AtimeLow;
  unsigned int AtimeHigh;
  unsigned int Reserved[988];
};

using RarHandle = void*;

// Null when the archive cannot be listed; the reason is in data->OpenResult.
// A null record is refused (null handle).
RarHandle RAROpenArchiveEx(RAROpenArchiveDataEx* data);
// 0 with the next member's header, 10 after the last member, or an error code.
int RARReadHeaderEx(RarHandle archive, RARHeaderDataEx* header);
// Steps past the member whose header was read last: 0 for kRarSkip, and for
// kRarTest or kRarExtract the refusal kRarNotSupported, since nothing is unpacked.
int RARProcessFile(RarHandle archive, int operation, char* destinationPath, char* destinationName);
int RARCloseArchive(RarHandle archive);

}  // namespace preview

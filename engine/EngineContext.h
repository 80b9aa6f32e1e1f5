#pragma once
// All of the engine's state in one object that the application owns and hands to
// every engine routine, together with the two ways out of the engine: the host
// (the user interface) and the device opener (the platform).

#include <array>
#include <cstddef>
#include <new>
#include <string>

#include "EngineHost.h"
#include "EngineRecords.h"
#include "OutputFileSystem.h"
#include "SectorSource.h"
#include "drives/DriveTables.h"
#include "results/ResultStore.h"

namespace engine {

struct EngineContext {
  EngineContext(EngineHost& host, DeviceOpener& devices) : Host(&host), Devices(&devices) {}
  EngineContext(const EngineContext&) = delete;
  EngineContext& operator=(const EngineContext&) = delete;

  EngineHost* Host;
  DeviceOpener* Devices;

  int32_t RecoveryMode = 0;
  SourceDeviceRecord SourceDevice;
  SourceSelectionRecord SourceSelection;
  VolumeParameters ActiveVolume;
  uint16_t ActiveVolumeNumber = 0;
  std::array<PartitionEntry, kPartitionTableSize> PartitionTable{};
  int32_t PartitionCount = 0;
  int32_t PartitionSearchChoice = 0;
  RecoverySettingsRecord RecoverySettings;
  ScanControlRecord ScanControl;
  SaveControlRecord SaveControl;
  MessageRequestRecord MessageRequest;
  int32_t CarvedFileSizeMB = 1;  // 1 to 20; never 0, so a hit is never saved empty
  std::u16string SelectionSummaryText;
  std::u16string ProgramFolder;
  ReadStatistics ReadStats;

  // Where recovered files and preview copies are written; set by the application.
  OutputFileSystem* Files = nullptr;
  ResultStore Results;
  PhysicalDriveTableRecord PhysicalDriveTable{};
  int32_t PhysicalDriveCount = 0;
  LogicalDriveTableRecord LogicalDriveTable{};
  uint16_t LogicalDriveCount = 0;
};

// True when the running worker is to leave its loop. Waits first while the user
// is being asked whether to stop.
bool StopRequested(EngineContext& ctx);

// Sets MessageRequest and shows it through the host.
void ReportMessage(EngineContext& ctx, const std::u16string& text, int32_t kind);
// Sets MessageRequest (kind 3) and asks; true for Yes.
bool AskYesNo(EngineContext& ctx, const std::u16string& text);

// An allocation of a result node or name failed: tell the user, then end the
// process at once with exit code 0, saving and releasing nothing.
[[noreturn]] void ExitOutOfMemory(EngineContext& ctx);

// Zero-filled memory for a result node or name; a failure ends the program as above.
void* AllocateOrExit(EngineContext& ctx, std::size_t bytes);

// Runs a worker's whole body: names, records and buffers are allocated all through
// it, and an exhausted heap anywhere ends the program as above.
template <class Body>
decltype(auto) RunOrExitOutOfMemory(EngineContext& ctx, Body&& body) {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    ExitOutOfMemory(ctx);
  }
}

}  // namespace engine

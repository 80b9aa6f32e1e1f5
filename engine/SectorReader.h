#pragma once
// The one way the engine reads its source: whole 512-byte sectors by 64-bit sector
// number. A logical drive is read through its volume device (sector 0 is the boot
// sector), a physical disk through "\\.\PhysicalDriveN". Devices are only ever
// opened for reading, and a failed read is only a false result, never a message.

#include <cstdint>
#include <span>
#include <string>

#include "EngineContext.h"

namespace engine {

// Volume reads take at most this many sectors per call.
inline constexpr uint32_t kMaxVolumeSectorsPerRead = 65535;

// "\\.\PhysicalDrive0" .. "\\.\PhysicalDrive9"; empty for a number beyond the table.
std::u16string PhysicalDrivePath(uint16_t driveNumber);
// "\\.\X:" for a drive letter.
std::u16string VolumeDevicePath(char16_t driveLetter);

// Reads `count` sectors from `firstSector` of the chosen source into `buffer`
// (at least count x 512 bytes). After a failed run read each sector of a disk is
// re-read with RecoverySettings.BadSectorRetries attempts, each sector of a
// logical drive once (no retries); a sector that stays unreadable is zero-filled
// and counted in ReadStats.UnreadableSectors (each read) and UnreadableSet (once). After 8 unreadable
// sectors in a row (also across runs that follow each other) the reader passes
// over a doubling stretch between single tries, reads back to where the bad area
// ended, and counts what it passed over in ReadStats.SkippedSectors as well.
// A read the device answers short has reached its end: the sectors past it are
// zeros but not unreadable, so they are neither tried again nor counted.
// True when the last sector of the run was read.
bool ReadSectors(EngineContext& ctx, uint64_t firstSector, uint32_t count, std::span<uint8_t> buffer);

// One plain read of the run from the chosen source: no retries, nothing counted,
// no zero fill. For data kept twice (the FAT copies), where a sector counts as
// unreadable only when no copy can be read.
bool TryReadSectors(EngineContext& ctx, uint64_t firstSector, uint32_t count, std::span<uint8_t> buffer);

// One attempt at reading the run in a single call, for reads made ahead of need
// (a batch of MFT records): false when any of it failed, and then nothing is
// retried, zero-filled or counted; the caller reads what it needs with
// ReadSectors, which does all of that for just those sectors.
bool TryReadSectorsOnce(EngineContext& ctx, uint64_t firstSector, uint32_t count, std::span<uint8_t> buffer);

// The same over SourceDevice.VolumeHandle, whatever the source kind, without retries.
bool ReadVolumeSectors(EngineContext& ctx, uint64_t firstSector, uint32_t count, std::span<uint8_t> buffer);

// Closes SourceDevice.DiskHandle and opens the disk of SourceDevice.DriveNumber for
// reading, shared for reading only. Returns the stored handle, null on failure.
SectorSource* OpenPhysicalDrive(EngineContext& ctx);

// Closes SourceDevice.VolumeHandle and opens the volume device of a drive letter for
// reading, shared for reading and writing. Returns the stored handle, null on failure.
SectorSource* OpenLogicalVolume(EngineContext& ctx, char16_t driveLetter);

// Opens the volume device of the logical drive SourceSelection.EntryIndex picks in
// the drive table; false when there is no such drive or it cannot be opened.
bool OpenChosenLogicalDrive(EngineContext& ctx);

// Moves a handle's position; returns the new position, or -1 when it cannot be set.
int64_t SeekHandle(SectorSource& handle, int64_t distance, SeekMethod method);

}  // namespace engine

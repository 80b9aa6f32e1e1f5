// Raw-scan throughput of the Extensive Scan against plain sequential reading of
// the same image, in the same run: raw_scan_bench IMAGE fat16|fat32|ntfs [ROUNDS]
// Prints both rates in MiB/s and their ratio (scan / read; 1.0 = as fast as reading).

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "EngineContext.h"
#include "QuietHost.h"
#include "SectorReader.h"
#include "extensive/RawFatScan.h"
#include "extensive/RawNtfsScan.h"
#include "posix/ImageFileSource.h"

namespace {

double Seconds(const std::chrono::steady_clock::time_point& since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s IMAGE fat16|fat32|ntfs [ROUNDS]\n", argv[0]);
    return 2;
  }
  const std::string image = argv[1];
  const std::string kind = argv[2];
  const int rounds = argc > 3 ? std::atoi(argv[3]) : 3;
  struct stat info {};
  if (stat(image.c_str(), &info) != 0) return 1;
  const uint64_t sectors = static_cast<uint64_t>(info.st_size) / 512;
  const double mib = static_cast<double>(sectors) * 512 / (1 << 20);

  toolsupport::QuietHost host;
  platform::ImageDeviceOpener opener;
  opener.Map(u"\\\\.\\D:", image);
  double bestRead = 1e30;
  double bestScan = 1e30;
  for (int round = 0; round < rounds; ++round) {
    engine::EngineContext ctx(host, opener);
    engine::ApplyDefaultRecoverySettings(ctx.RecoverySettings);
    ctx.SourceDevice.SourceKind = engine::kSourceLogicalDrive;
    ctx.SourceDevice.VolumeHandle = opener.OpenForReading(u"\\\\.\\D:", engine::DeviceShare::ReadWrite);
    ctx.SourceSelection.FileSystemCode =
        kind == "ntfs" ? engine::kFileSystemNtfs : kind == "fat32" ? engine::kFileSystemFat32 : engine::kFileSystemFat16;
    ctx.SourceSelection.SectorCount = static_cast<uint32_t>(sectors);
    ctx.SourceSelection.EndSector = static_cast<uint32_t>(sectors - 1);

    // Plain reading: the same batches through the same reader, nothing examined.
    const uint32_t batch = static_cast<uint32_t>(ctx.RecoverySettings.SectorsPerRead);
    std::vector<uint8_t> buffer(size_t{batch} * 512);
    uint64_t checksum = 0;
    auto start = std::chrono::steady_clock::now();
    for (uint64_t first = 0; first < sectors; first += batch) {
      const auto count = static_cast<uint32_t>(std::min<uint64_t>(batch, sectors - first));
      engine::ReadSectors(ctx, first, count, buffer);
      checksum += buffer[0];
    }
    bestRead = std::min(bestRead, Seconds(start));

    start = std::chrono::steady_clock::now();
    if (ctx.SourceSelection.FileSystemCode == engine::kFileSystemNtfs) {
      engine::ScanRawNtfs(ctx);
    } else {
      engine::ScanRawFat(ctx);
    }
    bestScan = std::min(bestScan, Seconds(start));
    std::printf("round %d: %d boot sectors, %d directory starts, %d folder records, %d files, %d index blocks (%llu)\n",
                round, ctx.Results.BootSectorCount, ctx.Results.CandidateFolderCount,
                static_cast<int>(ctx.Results.NtfsFolders.size()), ctx.Results.NtfsFileCount,
                ctx.Results.IndxBlockCount, static_cast<unsigned long long>(checksum));
  }
  std::printf("image %.0f MiB: sequential read %.1f MiB/s, raw scan %.1f MiB/s, ratio %.3f\n", mib, mib / bestRead,
              mib / bestScan, bestRead / bestScan);
  return 0;
}

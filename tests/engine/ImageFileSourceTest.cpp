#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "EngineContext.h"
#include "FaultySectorSource.h"
#include "ImageFileSource.h"
#include "RecordingHost.h"
#include "SectorReader.h"

namespace {

TEST(ImageFileSourceTest, ServesAnImageAsADevice) {
  const std::vector<uint8_t> image = testsupport::FaultySectorSource::NumberedSectors(8);
  const std::string path = ::testing::TempDir() + "image-file-source.img";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), image.size());

  platform::ImageDeviceOpener opener;
  opener.Map(u"\\\\.\\D:", path);
  opener.Map(u"\\\\.\\PhysicalDrive0", path + ".missing");
  testsupport::RecordingHost host;
  engine::EngineContext ctx(host, opener);
  engine::ApplyDefaultRecoverySettings(ctx.RecoverySettings);

  EXPECT_EQ(engine::OpenPhysicalDrive(ctx), nullptr);
  ASSERT_NE(engine::OpenLogicalVolume(ctx, u'D'), nullptr);
  ctx.SourceDevice.SourceKind = engine::kSourceLogicalDrive;

  std::vector<uint8_t> buffer(3 * engine::kSectorSize);
  ASSERT_TRUE(engine::ReadSectors(ctx, 5, 3, buffer));
  EXPECT_TRUE(std::equal(buffer.begin(), buffer.end(), image.begin() + 5 * engine::kSectorSize));
  EXPECT_FALSE(engine::ReadSectors(ctx, 7, 2, buffer)) << "the last sector lies past the end of the image";
  EXPECT_EQ(engine::SeekHandle(*ctx.SourceDevice.VolumeHandle, 0, engine::SeekMethod::End),
            static_cast<int64_t>(image.size()));
  std::remove(path.c_str());
}

}  // namespace

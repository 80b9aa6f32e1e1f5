#include "Commands.h"

#include <cstdio>

#include "CommandSupport.h"
#include "ImageSession.h"
#include "PosixOutputFileSystem.h"
#include "signatures/FileTrace.h"
#include "signatures/SignatureDatabase.h"
#include "signatures/SignatureSelection.h"

namespace cli {

int RunFileTrace(const ImageChoice& image, const std::vector<std::string>& extensions, const RangeChoice& range,
                 int hitSizeMB, const std::string& signatureFolder, const OutputChoice& output) {
  ImageSession session(image.Path, ImageRole::LogicalDrive, image.BadSectors);
  engine::EngineContext& ctx = session.Context();
  ctx.RecoveryMode = engine::kModeFileTrace;
  ctx.CarvedFileSizeMB = hitSizeMB;
  ctx.ProgramFolder = platform::FromUtf8(signatureFolder);
  engine::LoadSignatureDatabase(ctx);
  if (session.Host().SignatureRecords().empty()) {
    std::fprintf(stderr, "no signature database in %s\n", signatureFolder.c_str());
    return 1;
  }
  // The dialog's list holds the records in reverse file order.
  const std::vector<engine::SignatureRecord>& records = session.Host().SignatureRecords();
  const std::vector<engine::SignatureRecord> headFirst(records.rbegin(), records.rend());
  std::vector<engine::FileTypeTreeItem> ticked;
  for (const std::string& extension : extensions) {
    ticked.push_back({platform::FromUtf8("." + extension), 2});
  }
  engine::AddCheckedSignatures(ctx, headFirst, ticked);
  if (ctx.Results.SelectedSignatures.empty()) {
    std::fprintf(stderr, "none of the chosen types is in the signature database\n");
    return 2;
  }
  ChooseRangeOrWhole(session, ctx.SourceSelection.FileSystemCode, range);
  if (engine::FileTraceThreadProc(ctx) != 1) return 1;
  return Deliver(session, output);
}

}  // namespace cli

#include "EngineContext.h"
#include "results/ResultStore.h"

namespace engine {

void DeleteTempPreviewFiles(EngineContext& ctx, std::span<const std::u16string> previewCopies) {
  OutputFileSystem* files = ctx.Files;
  if (files == nullptr) return;
  for (const std::u16string& copy : previewCopies) files->RemoveFile(copy);
  // The folder can only go once it is empty, so its files go first.
  const std::u16string folder = files->TempFolder() + kPreviewFolderName;
  for (const std::u16string& name : files->FilesInFolder(folder)) files->RemoveFile(folder + u"\\" + name);
  files->RemoveFolder(folder);
}

bool FileExists(EngineContext& ctx, const std::u16string& path) {
  return ctx.Files != nullptr && ctx.Files->FileExists(path);
}

}  // namespace engine

#include "sync/model_library_merge.h"

#include "engine/buffered_writer.h"
#include "engine/files.h"
#include "sync/backup.h"
#include "sync/model_library.h"

const char kModelLibraryNotice[] =
    "* Cirvane IV standard model library. Copyright VRO; all rights reserved. For use with "
    "Cirvane IV.";

namespace {

constexpr char kLineEnd[] = "\r\n";

bool IsGiven(const char* path) { return path != nullptr && *path != '\0'; }

int WriteModelLibrary(const char* path, const ModelList& models) {
  std::unique_ptr<platform::CFile> file = OpenForWrite(path);
  if (!file) return 0;
  CBufferedWriter writer(std::move(file));
  writer.Append(kModelLibraryNotice);
  writer.Append(kLineEnd);
  writer.Append("*");
  writer.Append(kLineEnd);
  writer.Append(kLineEnd);
  for (const ModelRec& model : models) {
    writer.Append(model.text);
    writer.Append(kLineEnd);
  }
  return writer.Finish();
}

}  // namespace

int MergeModelLibrary(const char* outputPath, const char* shippedPath, const char* userPath) {
  if (!IsGiven(outputPath) || !IsGiven(shippedPath) || !IsGiven(userPath)) return 0;
  if (!FileExists(userPath)) return 0;
  if (!BackupDatabase(userPath)) return 0;
  std::optional<ModelList> user = LoadModelLibrary(userPath);
  if (!user) return 0;
  std::optional<ModelList> shipped = LoadModelLibrary(shippedPath);
  if (!shipped) return 0;
  MergeShippedModels(*user, std::move(*shipped));
  return WriteModelLibrary(outputPath, *user);
}

#include "sync/model_library_merge.h"

#include "engine/buffered_writer.h"
#include "engine/files.h"
#include "engine/new_file.h"
#include "sync/backup.h"
#include "sync/model_library.h"

const char kModelLibraryNotice[] =
    "* Cirvane IV standard model library. Copyright VRO; all rights reserved. For use with "
    "Cirvane IV.";

namespace {

constexpr char kLineEnd[] = "\r\n";

bool IsGiven(const char* path) { return path != nullptr && *path != '\0'; }

// Replaces the file at `path` by the library in one step (CFileReplacement), so that a write cut
// short leaves the file as it was.
int WriteModelLibrary(const char* path, const ModelList& models) {
  CFileReplacement replacement(path);
  if (!replacement.file()) return 0;
  CBufferedWriter writer(*replacement.file());
  writer.Append(kModelLibraryNotice);
  writer.Append(kLineEnd);
  writer.Append("*");
  writer.Append(kLineEnd);
  writer.Append(kLineEnd);
  for (const ModelRec& model : models) {
    writer.Append(model.text);
    writer.Append(kLineEnd);
  }
  return writer.Finish() && replacement.Commit() == ReplaceOutcome::kReplaced;
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

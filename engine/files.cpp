#include "engine/files.h"

#include <string>

#include "engine/paths.h"

namespace {

constexpr size_t kCopyChunkSize = 1024;

platform::EntryKind FindEntry(std::string_view name) {
  if (name.empty() || !FitsPathLimit(name)) return platform::EntryKind::kNone;
  return platform::Files().Find(std::string(name).c_str());
}

std::string_view WithoutTrailingSeparator(std::string_view path) {
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return path;
}

std::unique_ptr<platform::CFile> OpenPlain(const std::string& path) {
  return platform::Files().Open(path.c_str(), platform::OpenMode::kWrite);
}

// Opens for writing; when that fails, clears the read-only attribute and tries once more.
std::unique_ptr<platform::CFile> OpenClearingReadOnly(const std::string& path) {
  std::unique_ptr<platform::CFile> file = OpenPlain(path);
  if (file) return file;
  platform::Files().SetReadOnly(path.c_str(), false);
  return OpenPlain(path);
}

}  // namespace

int FileExists(std::string_view name) { return FindEntry(name) == platform::EntryKind::kFile; }

int EntryExists(std::string_view name) { return FindEntry(name) != platform::EntryKind::kNone; }

int DirectoryExists(std::string_view name) {
  return FindEntry(WithoutTrailingSeparator(name)) == platform::EntryKind::kDirectory;
}

void CreateDirectoryTree(std::string_view directory, int* budget) {
  if (*budget >= kDirectoryCallBudget) return;
  ++*budget;
  if (directory.empty() || !FitsPathLimit(directory)) return;
  std::string path(WithoutTrailingSeparator(directory));
  if (DirectoryExists(path)) return;
  if (platform::Files().MakeDirectory(path.c_str()) != platform::MakeDirectoryResult::kFailed) {
    return;
  }
  CreateDirectoryTree(ParentDirectory(path), budget);
  CreateDirectoryTree(path, budget);
}

std::unique_ptr<platform::CFile> OpenForRead(std::string_view path) {
  if (!FitsPathLimit(path)) return nullptr;
  return platform::Files().Open(std::string(path).c_str(), platform::OpenMode::kRead);
}

std::unique_ptr<platform::CFile> OpenForWrite(std::string_view path) {
  if (path.empty() || !FitsPathLimit(path)) return nullptr;
  std::string target(path);
  std::unique_ptr<platform::CFile> file = OpenClearingReadOnly(target);
  if (file) return file;
  int budget = 0;
  CreateDirectoryTree(ParentDirectory(target), &budget);
  return OpenPlain(target);
}

int CopyFileBytes(std::string_view source, std::string_view destination) {
  if (!FitsPathLimit(destination)) return 0;
  std::unique_ptr<platform::CFile> input = OpenForRead(source);
  if (!input) return 0;
  std::unique_ptr<platform::CFile> output = OpenClearingReadOnly(std::string(destination));
  if (!output) return 0;
  int copied = CopyAllBytes(*input, *output);
  return output->Close() && copied;
}

int CopyAllBytes(platform::CFile& input, platform::CFile& output) {
  char chunk[kCopyChunkSize];
  size_t count;
  while ((count = input.Read(chunk, sizeof chunk)) > 0) {
    if (output.Write(chunk, count) != count) return 0;
  }
  return input.Close();
}

#include "payload/output_files.h"

#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

fs::path TemporaryName(const fs::path& path) {
  fs::path temporary = path;
  temporary += kTemporarySuffix;
  return temporary;
}

bool WriteOneFile(const fs::path& path, std::string_view bytes, std::string* err) {
  std::error_code ec;
  if (path.has_parent_path()) fs::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (out) return true;
  *err = path.string() + ": cannot write";
  return false;
}

void RemoveTemporaries(const std::vector<OutputFile>& files) {
  std::error_code ignored;
  for (const OutputFile& file : files) fs::remove(TemporaryName(file.path), ignored);
}

}  // namespace

bool WriteOutputFiles(const std::vector<OutputFile>& files, std::string* err) {
  for (const OutputFile& file : files) {
    if (!WriteOneFile(TemporaryName(file.path), file.bytes, err)) {
      RemoveTemporaries(files);
      return false;
    }
  }
  for (const OutputFile& file : files) {
    std::error_code ec;
    fs::rename(TemporaryName(file.path), file.path, ec);
    if (ec) {
      *err = file.path.string() + ": cannot replace: " + ec.message();
      RemoveTemporaries(files);
      return false;
    }
  }
  return true;
}

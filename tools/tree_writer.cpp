#include "tools/tree_writer.h"

#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr const char* kStampFirstLine = "Cirvane generated product tree";

// The directory as given, without a trailing separator, so that the stamp lies beside it.
fs::path Normalised(const fs::path& dir) {
  fs::path normal = dir.lexically_normal();
  if (!normal.has_filename()) normal = normal.parent_path();
  return normal;
}

bool HasStamp(const fs::path& dir) {
  std::ifstream in(StampPathFor(dir));
  std::string first;
  return in && std::getline(in, first) && first == kStampFirstLine;
}

std::string WriteStamp(const fs::path& dir, const std::string& state) {
  std::ofstream out(StampPathFor(dir), std::ios::binary | std::ios::trunc);
  out << kStampFirstLine << "\n" << state << "\n";
  out.close();
  return out ? "" : "cannot write " + StampPathFor(dir).string();
}

// Removes everything inside `dir`, leaving the directory itself.
std::string EmptyDirectory(const fs::path& dir) {
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    fs::remove_all(it->path(), ec);
    if (ec) return "cannot remove " + it->path().string() + ": " + ec.message();
  }
  return ec ? "cannot list " + dir.string() + ": " + ec.message() : "";
}

}  // namespace

fs::path StampPathFor(const fs::path& dir) {
  fs::path normal = Normalised(dir);
  return normal.parent_path() / (normal.filename().string() + ".stamp");
}

std::string PrepareProductDir(const fs::path& given) {
  const fs::path dir = Normalised(given);
  const fs::path name = dir.filename();
  if (name.empty() || name == "." || name == "..") {
    return "refusing output directory '" + given.string() + "': give a named directory";
  }
  std::error_code ec;
  if (fs::exists(dir, ec) && !fs::is_directory(dir, ec)) {
    return dir.string() + " exists and is not a directory";
  }
  if (fs::is_directory(dir, ec) && !fs::is_empty(dir, ec)) {
    if (!HasStamp(dir)) {
      return dir.string() + " is not empty and has no " + StampPathFor(dir).filename().string() +
             " beside it; refusing to replace a tree these tools did not write";
    }
    std::string failure = EmptyDirectory(dir);
    if (!failure.empty()) return failure;
  }
  fs::create_directories(dir, ec);
  if (ec) return "cannot create " + dir.string() + ": " + ec.message();
  return WriteStamp(dir, "incomplete");
}

std::string WriteProductFile(const fs::path& dir, const std::string& path,
                             const std::string& bytes) {
  const fs::path target = Normalised(dir) / fs::path(path).make_preferred();
  std::error_code ec;
  fs::create_directories(target.parent_path(), ec);
  if (ec) return "cannot create " + target.parent_path().string() + ": " + ec.message();
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return out ? "" : "cannot write " + target.string();
}

std::string FinishProductDir(const fs::path& dir, const std::string& summary) {
  return WriteStamp(Normalised(dir), "complete: " + summary);
}

std::string WriteProduct(const fs::path& dir, const std::vector<PlannedFile>& plan,
                         const ContentFunction& content, TreeTotals* totals) {
  *totals = TreeTotals{};
  std::string failure = PrepareProductDir(dir);
  for (size_t i = 0; failure.empty() && i < plan.size(); ++i) {
    std::string bytes = content(plan[i]);
    failure = WriteProductFile(dir, plan[i].path, bytes);
    totals->files += 1;
    totals->bytes += bytes.size();
  }
  if (!failure.empty()) return failure;
  return FinishProductDir(
      dir, std::to_string(totals->files) + " files, " + std::to_string(totals->bytes) + " bytes");
}

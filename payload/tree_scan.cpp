#include "payload/tree_scan.h"

#include <algorithm>
#include <system_error>

#include "payload/payload_path.h"

namespace fs = std::filesystem;

namespace {

// True when `inner` is `outer` or lies below it; both must be canonical.
bool IsWithin(const fs::path& inner, const fs::path& outer) {
  return std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end()).first == outer.end();
}

// `root` without trailing separators, so that paths below it are `root` and their names.
fs::path WithoutTrailingSeparator(fs::path root) {
  while (!root.has_filename() && root.has_relative_path()) root = root.parent_path();
  return root;
}

class CTreeScanner {
 public:
  CTreeScanner(const fs::path& root, TreeScan* scan, std::string* err)
      : m_root(WithoutTrailingSeparator(root)), m_scan(scan), m_err(err) {}

  bool Run();

 private:
  bool Visit(const fs::directory_entry& entry);
  bool AddLink(const fs::path& link);
  bool AddFile(const fs::path& file, uint64_t size);
  bool Fail(const fs::path& where, const std::string& problem);

  const fs::path m_root;
  fs::path m_canonicalRoot;
  TreeScan* m_scan;
  std::string* m_err;
};

bool CTreeScanner::Run() {
  std::error_code ec;
  if (!fs::is_directory(m_root, ec)) return Fail(m_root, "not a directory");
  m_canonicalRoot = fs::canonical(m_root, ec);
  if (ec) return Fail(m_root, ec.message());
  m_scan->directories.push_back(m_root);
  fs::recursive_directory_iterator it(m_root, ec);
  for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (!Visit(*it)) return false;
  }
  if (ec) return Fail(m_root, "cannot walk the tree: " + ec.message());
  if (m_scan->files.empty()) return Fail(m_root, "the tree holds no files");
  return true;
}

bool CTreeScanner::Visit(const fs::directory_entry& entry) {
  const fs::path& path = entry.path();
  const std::string nameProblem = WindowsNameProblem(path.filename().native());
  if (!nameProblem.empty()) return Fail(path, "the name " + nameProblem);
  std::error_code ec;
  const fs::file_status status = entry.symlink_status(ec);
  if (ec) return Fail(path, ec.message());
  if (fs::is_directory(status)) {
    m_scan->directories.push_back(path);
    return true;
  }
  if (fs::is_symlink(status)) return AddLink(path);
  if (!fs::is_regular_file(status)) return Fail(path, "neither a regular file nor a directory");
  const uintmax_t size = entry.file_size(ec);
  if (ec) return Fail(path, ec.message());
  return AddFile(path, size);
}

bool CTreeScanner::AddLink(const fs::path& link) {
  std::error_code ec;
  const fs::path target = fs::canonical(link, ec);
  if (ec) return Fail(link, "a symbolic link to nothing");
  if (!IsWithin(target, m_canonicalRoot)) {
    return Fail(link, "a symbolic link to '" + target.string() + "', outside the tree");
  }
  const fs::file_status status = fs::status(target, ec);
  if (fs::is_directory(status)) {
    return Fail(link, "a symbolic link to a directory (refused: such links can make cycles)");
  }
  if (!fs::is_regular_file(status)) return Fail(link, "a symbolic link to no regular file");
  const uintmax_t size = fs::file_size(target, ec);
  if (ec) return Fail(link, ec.message());
  return AddFile(link, size);
}

bool CTreeScanner::AddFile(const fs::path& file, uint64_t size) {
  if (size == 0) return Fail(file, "an empty file (the table holds no empty files)");
  if (size >= kMaxTreeFileSize) {
    return Fail(file, std::to_string(size) + " bytes (the table holds files below 4 GiB)");
  }
  std::vector<std::string> names;
  for (const fs::path& name : file.lexically_relative(m_root)) names.push_back(name.native());
  std::string path = JoinPayloadPath(names);
  const std::string lengthProblem = PayloadPathLengthProblem(path);
  if (!lengthProblem.empty()) return Fail(file, lengthProblem);
  m_scan->files.push_back(TreeFile{std::move(path), file, size});
  return true;
}

bool CTreeScanner::Fail(const fs::path& where, const std::string& problem) {
  *m_err = where.string() + ": " + problem;
  return false;
}

}  // namespace

bool ScanTree(const fs::path& root, TreeScan* scan, std::string* err) {
  *scan = TreeScan();
  return CTreeScanner(root, scan, err).Run();
}

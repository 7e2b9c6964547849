#include "payload/scratch_tree_test_support.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

CScratchTree::CScratchTree() : m_root(platform::SystemPathForTest(m_dir.path())) {}

fs::path CScratchTree::Write(const fs::path& relative, const std::string& bytes) {
  const fs::path path = m_root / relative;
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

std::vector<std::string> CScratchTree::List(const fs::path& relative) const {
  std::vector<std::string> names;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(m_root / relative, ec)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

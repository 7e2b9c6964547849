// Test support: a scoped temporary directory in which tests lay out product trees.
#ifndef CIRVANE_PAYLOAD_SCRATCH_TREE_TEST_SUPPORT_H_
#define CIRVANE_PAYLOAD_SCRATCH_TREE_TEST_SUPPORT_H_

#include <filesystem>
#include <string>
#include <vector>

#include "platform/fake/test_files.h"

// A fresh directory below the system's temporary directory, removed with everything in it when
// the object goes out of scope, in the host's path form.
class CScratchTree {
 public:
  CScratchTree();

  const std::filesystem::path& Root() const { return m_root; }

  // Writes `bytes` to `relative` below the root, creating its directories; returns its path.
  std::filesystem::path Write(const std::filesystem::path& relative, const std::string& bytes);

  // The names in directory `relative` below the root, sorted.
  std::vector<std::string> List(const std::filesystem::path& relative) const;

 private:
  platform::CScopedTempDir m_dir;
  std::filesystem::path m_root;
};

#endif  // CIRVANE_PAYLOAD_SCRATCH_TREE_TEST_SUPPORT_H_

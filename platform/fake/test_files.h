// Real files for tests: a scoped temporary directory and whole-file helpers, all taking paths
// in the backslash form of the logic.
#ifndef CIRVANE_PLATFORM_FAKE_TEST_FILES_H_
#define CIRVANE_PLATFORM_FAKE_TEST_FILES_H_

#include <string>

namespace platform {

// A fresh directory below the system's temporary directory, removed with all its contents
// (read-only files included) when the object goes.
class CScopedTempDir {
 public:
  CScopedTempDir();
  ~CScopedTempDir();
  CScopedTempDir(const CScopedTempDir&) = delete;
  CScopedTempDir& operator=(const CScopedTempDir&) = delete;

  // The directory, without a trailing backslash.
  const std::string& path() const { return m_path; }
  // The directory joined with `relative` ("a\b.txt").
  std::string operator/(const std::string& relative) const { return m_path + "\\" + relative; }

 private:
  std::string m_path;
};

// `directory` as the process's current directory for as long as the object lives.
class CScopedCurrentDirectory {
 public:
  explicit CScopedCurrentDirectory(const std::string& directory);
  ~CScopedCurrentDirectory();
  CScopedCurrentDirectory(const CScopedCurrentDirectory&) = delete;
  CScopedCurrentDirectory& operator=(const CScopedCurrentDirectory&) = delete;

 private:
  std::string m_previous;
};

// The whole content of a file; `found` (optional) tells whether it could be opened.
std::string ReadWholeFile(const std::string& path, bool* found = nullptr);
// Creates or truncates `path` (its directory must exist) and writes `content`; 1 on success.
int WriteWholeFile(const std::string& path, const std::string& content);
// The number of files below `directory`, at any depth.
size_t CountFiles(const std::string& directory);
// The path in the system's own form (slashes on POSIX).
std::string SystemPathForTest(const std::string& path);

}  // namespace platform

#endif  // CIRVANE_PLATFORM_FAKE_TEST_FILES_H_

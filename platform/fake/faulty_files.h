// A file service for tests: the real one of this target, with write failures injected at a
// chosen call and a record of what was opened and removed.
#ifndef CIRVANE_PLATFORM_FAKE_FAULTY_FILES_H_
#define CIRVANE_PLATFORM_FAKE_FAULTY_FILES_H_

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/files.h"

namespace platform {

class CFaultyFiles : public CFileSystem {
 public:
  // Makes the write call number `call` (counted from 1 over all files) and every later one
  // behave like a full disk: at most half of the bytes arrive and the short count is returned.
  // 0 turns failures off.
  void FailWritesFrom(long call) { m_failFrom = call; }
  // Makes the next `times` opens of `path` for writing fail (kAlways: every one).
  static constexpr int kAlways = -1;
  void FailOpensOf(const std::string& path, int times = kAlways);

  // Write calls made so far.
  long writeCalls() const { return m_writeCalls; }
  std::vector<std::string> opened() const;
  std::vector<std::string> removed() const;

  std::unique_ptr<CFile> Open(const char* path, OpenMode mode) override;
  gzFile OpenGzip(const char* path) override { return RealFiles().OpenGzip(path); }
  EntryKind Find(const char* path) override { return RealFiles().Find(path); }
  MakeDirectoryResult MakeDirectory(const char* path) override {
    return RealFiles().MakeDirectory(path);
  }
  int RemoveFile(const char* path) override;
  int RemoveEmptyDirectory(const char* path) override {
    return RealFiles().RemoveEmptyDirectory(path);
  }
  int SetReadOnly(const char* path, bool readOnly) override {
    return RealFiles().SetReadOnly(path, readOnly);
  }
  int IsReadOnly(const char* path) override { return RealFiles().IsReadOnly(path); }
  std::string FallbackTempDirectory() override { return RealFiles().FallbackTempDirectory(); }
  std::optional<std::string> MakeFreshTempFile() override {
    if (m_failTempFiles) return std::nullopt;
    return RealFiles().MakeFreshTempFile();
  }
  // Makes every request for a fresh temporary file fail.
  void FailTempFiles() { m_failTempFiles = true; }

  // Counts a write call; true when this one must fail.
  bool NextWriteFails();

 private:
  std::atomic<long> m_writeCalls{0};
  std::atomic<long> m_failFrom{0};
  std::atomic<bool> m_failTempFiles{false};
  mutable std::mutex m_mutex;
  std::map<std::string, int> m_failOpens;  // path -> failures left (kAlways: no end)
  std::vector<std::string> m_opened;
  std::vector<std::string> m_removed;
};

}  // namespace platform

#endif  // CIRVANE_PLATFORM_FAKE_FAULTY_FILES_H_

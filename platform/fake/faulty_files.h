// A file service for tests: the real one of this target, with Windows' refusals of read-only
// files on every system and for every user (so that no result depends on running as root),
// faults injected on request, and a record of what was opened.
//
// The faults model what loses data: a full disk (writes cut short from a chosen call on), a
// failed close (the file is left empty, as a full disk leaves a small file whose bytes were all
// still in the write buffer), and the end of the process at a chosen write, after which every
// file operation is refused, so that the test sees the disk as a killed installer leaves it.
#ifndef CIRVANE_PLATFORM_FAKE_FAULTY_FILES_H_
#define CIRVANE_PLATFORM_FAKE_FAULTY_FILES_H_

#include <atomic>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"

namespace platform {

// Set in the environment where the system itself refuses to write a read-only file (a plain
// user under Wine): the stand-in then leaves that refusal to it, so that it comes from the real
// layer. Wine lets a plain user replace or delete a read-only file, which Windows refuses, so
// those two refusals stay the stand-in's.
constexpr char kSystemRefusesReadOnlyWrites[] = "CIRVANE_SYSTEM_REFUSES_READ_ONLY_WRITES";

class CFaultyFiles : public CFileSystem {
 public:
  CFaultyFiles();

  // Makes the write call number `call` (counted from 1 over all files) and every later one
  // behave like a full disk: at most half of the bytes arrive and the short count is returned.
  // 0 turns failures off.
  void FailWritesFrom(long call) { m_failFrom = call; }
  // Makes the close number `call` of a file opened for writing (counted from 1) fail and leave
  // the file empty. 0 turns it off.
  void FailClose(long call) { m_failClose = call; }
  // Makes the sync number `call` (counted from 1) fail and lose what the file held, leaving it
  // empty, as a disk that reports its fault only when asked to make the data last. 0 turns it
  // off.
  void FailSync(long call) { m_failSync = call; }
  // Ends the process at the write call number `call`: half of its bytes arrive, and from then
  // on every file operation is refused. Every write before it reaches the system at once, as
  // it would if the process were killed. 0 turns it off.
  void EndProcessAtWrite(long call) { m_endAt = call; }
  // Makes the next `times` opens or creations of `path` for writing fail (kAlways: every one).
  static constexpr int kAlways = -1;
  void FailOpensOf(const std::string& path, int times = kAlways);
  // Makes every change of the read-only attribute of `path` fail.
  void LockAttributeOf(const std::string& path);
  // Makes every request for a fresh temporary file fail.
  void FailTempFiles() { m_failTempFiles = true; }

  long writeCalls() const { return m_writeCalls; }
  long closeCalls() const { return m_closeCalls; }
  long syncCalls() const { return m_syncCalls; }
  bool ended() const { return m_ended; }
  bool endArmed() const { return m_endAt != 0; }
  std::vector<std::string> opened() const;

  std::unique_ptr<CFile> Open(const char* path, OpenMode mode) override;
  std::unique_ptr<CFile> CreateNew(const char* path, bool* taken) override;
  int MoveReplacing(const char* from, const char* to) override;
  // Nothing to wait for: the faults model an ended process, not a lost disk.
  int SyncFolderOf(const char*) override { return m_ended ? 0 : 1; }
  EntryKind Find(const char* path) override {
    return m_ended ? EntryKind::kNone : RealFiles().Find(path);
  }
  MakeDirectoryResult MakeDirectory(const char* path) override {
    return m_ended ? MakeDirectoryResult::kFailed : RealFiles().MakeDirectory(path);
  }
  int RemoveFile(const char* path) override;
  int RemoveEmptyDirectory(const char* path) override;
  int SetReadOnly(const char* path, bool readOnly) override;
  int IsReadOnly(const char* path) override { return m_ended ? 0 : RealFiles().IsReadOnly(path); }
  std::string FallbackTempDirectory() override { return RealFiles().FallbackTempDirectory(); }
  std::optional<SNewFile> MakeFreshTempFile() override;

  // What happens to the write call being made: kNone, kShort (a full disk) or kEnd.
  enum class WriteFault { kNone, kShort, kEnd };
  WriteFault NextWrite();
  // Count a close of a written file, or a sync; true when this one must fail (the count starts
  // at 1, so an unarmed 0 never matches).
  bool NextCloseFails() { return ++m_closeCalls == m_failClose; }
  bool NextSyncFails() { return ++m_syncCalls == m_failSync; }

 private:
  // Wraps a real file that was opened or created.
  std::unique_ptr<CFile> Watch(std::unique_ptr<CFile> real, const char* path, bool writing);
  void Record(std::vector<std::string>* list, const char* path);
  // Counts down a failure armed by FailOpensOf; true when this open must fail.
  bool OpenForWritingFails(const char* path);
  // 1 when Windows would refuse to write, replace or delete `path` for being read-only.
  bool RefusedAsReadOnly(const char* path) { return RealFiles().IsReadOnly(path); }

  const bool m_refuseReadOnlyWrites;

  std::atomic<long> m_writeCalls{0};
  std::atomic<long> m_closeCalls{0};
  std::atomic<long> m_failFrom{0};
  std::atomic<long> m_failClose{0};
  std::atomic<long> m_syncCalls{0};
  std::atomic<long> m_failSync{0};
  std::atomic<long> m_endAt{0};
  std::atomic<bool> m_ended{false};
  std::atomic<bool> m_failTempFiles{false};
  mutable std::mutex m_mutex;
  std::map<std::string, int> m_failOpens;  // path -> failures left (kAlways: no end)
  std::set<std::string> m_lockedAttributes;
  std::vector<std::string> m_opened;
};

}  // namespace platform

#endif  // CIRVANE_PLATFORM_FAKE_FAULTY_FILES_H_

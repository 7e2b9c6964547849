#include "platform/fake/faulty_files.h"

#include <cstdlib>

namespace platform {
namespace {

class CFaultyFile : public CFile {
 public:
  CFaultyFile(std::unique_ptr<CFile> real, CFaultyFiles* owner, std::string path, bool writing)
      : m_real(std::move(real)), m_owner(owner), m_path(std::move(path)), m_writing(writing) {}

  size_t Read(void* buffer, size_t size) override {
    return m_owner->ended() ? 0 : m_real->Read(buffer, size);
  }

  size_t Write(const void* data, size_t size) override {
    if (m_owner->ended()) return 0;
    CFaultyFiles::WriteFault fault = m_owner->NextWrite();
    // A full disk, or the end of the process, lets half of the bytes arrive.
    size_t arriving = fault == CFaultyFiles::WriteFault::kNone ? size : size / 2;
    size_t written = m_real->Write(data, arriving);
    // While an end of the process is armed, every write reaches the system at once, so that what
    // a killed process had handed to the system stays.
    if (m_owner->endArmed()) m_real->Flush();
    return fault == CFaultyFiles::WriteFault::kEnd ? 0 : written;
  }

  int Flush() override { return m_owner->ended() ? 0 : m_real->Flush(); }
  // The faults model an ended process, not a lost disk: what reached the system stays, so a
  // test need not wait for the disk itself.
  int Sync() override {
    if (m_owner->ended() || !m_real->Flush()) return 0;
    if (!m_owner->NextSyncFails()) return 1;
    RealFiles().Open(m_path.c_str(), OpenMode::kWrite);  // what the disk refused is lost
    return 0;
  }

  int Close() override {
    if (!m_real) return 0;
    bool ended = m_owner->ended();
    bool fails = m_writing && !ended && m_owner->NextCloseFails();
    int closed = m_real->Close();
    m_real.reset();
    if (fails) RealFiles().Open(m_path.c_str(), OpenMode::kWrite);  // left empty
    return ended || fails ? 0 : closed;
  }

 private:
  std::unique_ptr<CFile> m_real;
  CFaultyFiles* m_owner;
  std::string m_path;
  bool m_writing;
};

}  // namespace

CFaultyFiles::CFaultyFiles()
    : m_refuseReadOnlyWrites(std::getenv(kSystemRefusesReadOnlyWrites) == nullptr) {}

void CFaultyFiles::FailOpensOf(const std::string& path, int times) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_failOpens[path] = times;
}

void CFaultyFiles::LockAttributeOf(const std::string& path) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_lockedAttributes.insert(path);
}

std::vector<std::string> CFaultyFiles::opened() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_opened;
}

void CFaultyFiles::Record(std::vector<std::string>* list, const char* path) {
  std::lock_guard<std::mutex> lock(m_mutex);
  list->push_back(path);
}

CFaultyFiles::WriteFault CFaultyFiles::NextWrite() {
  long call = ++m_writeCalls;
  if (m_endAt != 0 && call >= m_endAt) {
    m_ended = true;
    return WriteFault::kEnd;
  }
  if (m_failFrom != 0 && call >= m_failFrom) return WriteFault::kShort;
  return WriteFault::kNone;
}

std::unique_ptr<CFile> CFaultyFiles::Watch(std::unique_ptr<CFile> real, const char* path,
                                           bool writing) {
  if (!real) return nullptr;
  return std::make_unique<CFaultyFile>(std::move(real), this, path, writing);
}

bool CFaultyFiles::OpenForWritingFails(const char* path) {
  std::lock_guard<std::mutex> lock(m_mutex);
  auto failing = m_failOpens.find(path);
  if (failing == m_failOpens.end() || failing->second == 0) return false;
  if (failing->second != kAlways) --failing->second;
  return true;
}

std::unique_ptr<CFile> CFaultyFiles::Open(const char* path, OpenMode mode) {
  if (m_ended) return nullptr;
  Record(&m_opened, path);
  bool writing = mode == OpenMode::kWrite;
  if (writing && OpenForWritingFails(path)) return nullptr;
  if (writing && m_refuseReadOnlyWrites && RefusedAsReadOnly(path)) return nullptr;
  return Watch(RealFiles().Open(path, mode), path, writing);
}

std::unique_ptr<CFile> CFaultyFiles::CreateNew(const char* path, bool* taken) {
  *taken = false;
  if (m_ended) return nullptr;
  Record(&m_opened, path);
  if (OpenForWritingFails(path)) return nullptr;
  return Watch(RealFiles().CreateNew(path, taken), path, true);
}

int CFaultyFiles::MoveReplacing(const char* from, const char* to) {
  if (m_ended || RefusedAsReadOnly(to)) return 0;
  return RealFiles().MoveReplacing(from, to);
}

int CFaultyFiles::RemoveFile(const char* path) {
  if (m_ended || RefusedAsReadOnly(path)) return 0;
  return RealFiles().RemoveFile(path);
}

int CFaultyFiles::RemoveEmptyDirectory(const char* path) {
  if (m_ended || RefusedAsReadOnly(path)) return 0;
  return RealFiles().RemoveEmptyDirectory(path);
}

int CFaultyFiles::SetReadOnly(const char* path, bool readOnly) {
  if (m_ended) return 0;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_lockedAttributes.count(path)) return 0;
  }
  return RealFiles().SetReadOnly(path, readOnly);
}

std::optional<SNewFile> CFaultyFiles::MakeFreshTempFile() {
  if (m_ended || m_failTempFiles) return std::nullopt;
  std::optional<SNewFile> created = RealFiles().MakeFreshTempFile();
  if (!created) return std::nullopt;
  Record(&m_opened, created->path.c_str());
  created->file = Watch(std::move(created->file), created->path.c_str(), true);
  return created;
}

}  // namespace platform

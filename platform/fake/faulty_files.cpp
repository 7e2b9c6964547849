#include "platform/fake/faulty_files.h"

namespace platform {
namespace {

class CFaultyFile : public CFile {
 public:
  CFaultyFile(std::unique_ptr<CFile> real, CFaultyFiles* owner)
      : m_real(std::move(real)), m_owner(owner) {}

  size_t Read(void* buffer, size_t size) override { return m_real->Read(buffer, size); }

  size_t Write(const void* data, size_t size) override {
    if (!m_owner->NextWriteFails()) return m_real->Write(data, size);
    return m_real->Write(data, size / 2);
  }

  int Close() override { return m_real->Close(); }

 private:
  std::unique_ptr<CFile> m_real;
  CFaultyFiles* m_owner;
};

}  // namespace

void CFaultyFiles::FailOpensOf(const std::string& path, int times) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_failOpens[path] = times;
}

std::vector<std::string> CFaultyFiles::opened() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_opened;
}

std::vector<std::string> CFaultyFiles::removed() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_removed;
}

bool CFaultyFiles::NextWriteFails() {
  long call = ++m_writeCalls;
  long from = m_failFrom;
  return from != 0 && call >= from;
}

std::unique_ptr<CFile> CFaultyFiles::Open(const char* path, OpenMode mode) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_opened.push_back(path);
    auto failing = m_failOpens.find(path);
    if (mode == OpenMode::kWrite && failing != m_failOpens.end() && failing->second != 0) {
      if (failing->second != kAlways) --failing->second;
      return nullptr;
    }
  }
  std::unique_ptr<CFile> real = RealFiles().Open(path, mode);
  if (!real) return nullptr;
  return std::make_unique<CFaultyFile>(std::move(real), this);
}

int CFaultyFiles::RemoveFile(const char* path) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_removed.push_back(path);
  }
  return RealFiles().RemoveFile(path);
}

}  // namespace platform

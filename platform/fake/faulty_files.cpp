#include "platform/fake/faulty_files.h"

#include <algorithm>

namespace platform {
namespace {

class FaultyFile : public File {
 public:
  FaultyFile(std::unique_ptr<File> real, FaultyFiles* owner)
      : real_(std::move(real)), owner_(owner) {}

  size_t Read(void* buffer, size_t size) override { return real_->Read(buffer, size); }

  size_t Write(const void* data, size_t size) override {
    if (!owner_->NextWriteFails()) return real_->Write(data, size);
    return real_->Write(data, size / 2);
  }

  int Close() override { return real_->Close(); }

 private:
  std::unique_ptr<File> real_;
  FaultyFiles* owner_;
};

}  // namespace

void FaultyFiles::FailOpensOf(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  failOpens_.push_back(path);
}

std::vector<std::string> FaultyFiles::opened() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return opened_;
}

std::vector<std::string> FaultyFiles::removed() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return removed_;
}

bool FaultyFiles::NextWriteFails() {
  long call = ++writeCalls_;
  long from = failFrom_;
  return from != 0 && call >= from;
}

std::unique_ptr<File> FaultyFiles::Open(const char* path, OpenMode mode) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    opened_.push_back(path);
    if (mode == OpenMode::kWrite &&
        std::find(failOpens_.begin(), failOpens_.end(), path) != failOpens_.end()) {
      return nullptr;
    }
  }
  std::unique_ptr<File> real = RealFiles().Open(path, mode);
  if (!real) return nullptr;
  return std::make_unique<FaultyFile>(std::move(real), this);
}

int FaultyFiles::RemoveFile(const char* path) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    removed_.push_back(path);
  }
  return RealFiles().RemoveFile(path);
}

}  // namespace platform

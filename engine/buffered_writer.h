// Writes many small pieces to a file in large blocks and remembers whether every byte arrived.
#ifndef CIRVANE_ENGINE_BUFFERED_WRITER_H_
#define CIRVANE_ENGINE_BUFFERED_WRITER_H_

#include <memory>
#include <string>
#include <string_view>

#include "platform/files.h"

class CBufferedWriter {
 public:
  // Bytes collected before they are written in one call.
  static constexpr size_t kBlockSize = 64 * 1024;

  explicit CBufferedWriter(std::unique_ptr<platform::CFile> file);

  // Queues `bytes`. After a failed write nothing more is written.
  void Append(std::string_view bytes);
  // Writes what is queued and closes the file; 1 when every byte reached it, else 0.
  int Finish();

 private:
  void Flush();

  std::unique_ptr<platform::CFile> m_file;
  std::string m_block;
  bool m_failed = false;
};

#endif  // CIRVANE_ENGINE_BUFFERED_WRITER_H_

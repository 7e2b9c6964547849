// Writes many small pieces to a file in large blocks and remembers whether every byte arrived.
#ifndef CIRVANE_ENGINE_BUFFERED_WRITER_H_
#define CIRVANE_ENGINE_BUFFERED_WRITER_H_

#include <string>
#include <string_view>

#include "platform/files.h"

class CBufferedWriter {
 public:
  // Bytes collected before they are written in one call.
  static constexpr size_t kBlockSize = 64 * 1024;

  // `file` must outlive the writer; the caller closes it.
  explicit CBufferedWriter(platform::CFile& file);

  // Queues `bytes`. After a failed write nothing more is written.
  void Append(std::string_view bytes);
  // Writes what is queued; 1 when every byte so far was taken by the file, else 0.
  int Finish();

 private:
  void Flush();

  platform::CFile& m_file;
  std::string m_block;
  bool m_failed = false;
};

#endif  // CIRVANE_ENGINE_BUFFERED_WRITER_H_

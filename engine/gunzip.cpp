#include "engine/gunzip.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/files.h"
#include "engine/paths.h"
#include "engine/temp_name.h"
#include "platform/files.h"

namespace {

constexpr char kFailedWrite[] = "gz_uncompress(): failed fwrite";

std::string Format(const char* format, std::string_view path) {
  std::string quoted(path);
  std::vector<char> text(strlen(format) + quoted.size() + 1);
  snprintf(text.data(), text.size(), format, quoted.c_str());
  return text.data();
}

// A member cut short: the text users have always had for it, from when zlib's gzip file layer
// reported it on closing.
constexpr char kCutShort[] = "gz_uncompress(): failed gzclose()";
constexpr int kGzipWindowBits = 15 + 16;  // a 32 KB window, gzip wrapping only
constexpr unsigned char kGzipMagic[] = {0x1f, 0x8b};
constexpr size_t kMagicSize = sizeof kGzipMagic;

// A gzip decoder over an input file that reads it in kGunzipBufferSize chunks.
//
// zlib's own gzread stops without an error when a member is cut short just where inflate has
// used the last input byte and filled its output buffer: the rest of the member is lost and the
// read looks complete. So the installer drives inflate itself, reading as gzread reads (one
// member after another while the gzip magic follows a member, whatever else follows ignored),
// and counts a member as whole only when inflate has reached its end and checked its trailer.
class CGzipReader {
 public:
  CGzipReader(platform::CFile& input, std::string path)
      : m_input(input), m_path(std::move(path)), m_buffer(kGunzipBufferSize) {}
  CGzipReader(const CGzipReader&) = delete;
  CGzipReader& operator=(const CGzipReader&) = delete;
  ~CGzipReader() {
    if (m_started) inflateEnd(&m_stream);
  }

  // Reads the first bytes; an error text unless they start a gzip member.
  ErrorText Start() {
    if (!StartsMember()) return m_path + ": not in gzip format";
    if (inflateInit2(&m_stream, kGzipWindowBits) != Z_OK) return m_path + ": out of memory";
    m_started = true;
    return std::nullopt;
  }

  // Fills `output` with the next `*count` bytes of content, 0 at the end of the last member.
  ErrorText Read(unsigned char* output, size_t size, size_t* count) {
    m_stream.next_out = output;
    m_stream.avail_out = static_cast<uInt>(size);
    while (m_stream.avail_out == size && !m_done) {
      if (m_stream.avail_in == 0) Refill();
      bool inputEnded = m_stream.avail_in == 0;
      int result = inflate(&m_stream, Z_NO_FLUSH);
      bool progress = m_stream.avail_out != size;
      if (result == Z_STREAM_END) {
        m_done = !StartsMember() || inflateReset(&m_stream) != Z_OK;
      } else if (result == Z_DATA_ERROR) {
        return m_path + ": " + (m_stream.msg ? m_stream.msg : "compressed data error");
      } else if (result == Z_MEM_ERROR) {
        return m_path + ": out of memory";
      } else if (result != Z_OK && result != Z_BUF_ERROR) {
        return m_path + ": internal error: inflate stream corrupt";
      } else if (inputEnded && !progress) {
        return std::string(kCutShort);
      }
    }
    *count = size - m_stream.avail_out;
    return std::nullopt;
  }

 private:
  // Reads more input after what inflate has not used yet.
  void Refill() {
    size_t kept = m_stream.avail_in;
    if (kept > 0) std::memmove(m_buffer.data(), m_stream.next_in, kept);
    kept += m_input.Read(m_buffer.data() + kept, m_buffer.size() - kept);
    m_stream.next_in = m_buffer.data();
    m_stream.avail_in = static_cast<uInt>(kept);
  }

  // Whether the unread input starts with the gzip magic.
  bool StartsMember() {
    if (m_stream.avail_in < kMagicSize) Refill();
    return m_stream.avail_in >= kMagicSize &&
           std::memcmp(m_stream.next_in, kGzipMagic, kMagicSize) == 0;
  }

  platform::CFile& m_input;
  std::string m_path;
  std::vector<unsigned char> m_buffer;
  z_stream m_stream{};
  bool m_started = false;
  bool m_done = false;
};

// Decompresses the gzip file open as `input` into `output`, then closes the output.
ErrorText Decompress(platform::CFile& input, const std::string& inputPath,
                     platform::CFile& output) {
  CGzipReader gzip(input, inputPath);
  if (ErrorText error = gzip.Start()) return error;
  std::vector<unsigned char> buffer(kGunzipBufferSize);
  for (;;) {
    size_t count = 0;
    if (ErrorText error = gzip.Read(buffer.data(), buffer.size(), &count)) return error;
    if (count == 0) break;
    if (output.Write(buffer.data(), count) != count) return std::string(kFailedWrite);
  }
  if (!output.Close()) return std::string(kFailedWrite);
  return std::nullopt;
}

// Opens the file `input` for reading.
std::unique_ptr<platform::CFile> OpenInput(const std::string& input) {
  return FitsPathLimit(input) ? platform::Files().Open(input.c_str(), platform::OpenMode::kRead)
                              : nullptr;
}

ErrorText InputFailure(const std::string& input) {
  return Format("Could not open uncompression input file: \"%s\"", input);
}

ErrorText OutputFailure(const std::string& output) {
  return Format("Could not open uncompression output file: \"%s\"", output);
}

}  // namespace

ErrorText GunzipToFile(std::string_view inputPath, std::string_view outputPath) {
  std::string input(inputPath);
  std::unique_ptr<platform::CFile> source = OpenInput(input);
  if (!source) return InputFailure(input);
  std::string output(outputPath);
  std::unique_ptr<platform::CFile> file =
      FitsPathLimit(output) ? platform::Files().Open(output.c_str(), platform::OpenMode::kWrite)
                            : nullptr;
  if (!file) return OutputFailure(output);
  return Decompress(*source, input, *file);
}

ErrorText GunzipInPlace(std::string_view targetPath) {
  std::string target(targetPath);
  std::unique_ptr<platform::CFile> source = OpenInput(target);
  if (!source) return InputFailure(target);
  std::optional<platform::SNewFile> temp = MakeTempFile();
  if (!temp) return std::string("Could not make a temporary file name for uncompression.");
  if (!temp->file) return OutputFailure(temp->path);
  ErrorText error = Decompress(*source, target, *temp->file);
  source.reset();  // the copy back writes the target
  if (!error && !CopyFileBytes(temp->path, target)) {
    error =
        Format("Trouble uncompressing file: \"%s\"\n    Disk full?  Permission problem?", target);
  }
  temp->file.reset();
  platform::Files().RemoveFile(temp->path.c_str());
  return error;
}

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

// Closes the gzip stream when it goes out of scope; Close() reports whether that succeeded.
class CGzipInput {
 public:
  CGzipInput() = default;
  CGzipInput(const CGzipInput&) = delete;
  CGzipInput& operator=(const CGzipInput&) = delete;
  ~CGzipInput() { Close(); }
  gzFile get() const { return m_stream; }
  void Reset(gzFile stream) {
    Close();
    m_stream = stream;
  }
  bool Close() {
    if (!m_stream) return true;
    // The reading half of gzclose: gzclose itself would link zlib's compressor into the program.
    int result = gzclose_r(m_stream);
    m_stream = nullptr;
    return result == Z_OK;
  }

 private:
  gzFile m_stream = nullptr;
};

// The reader's own text for a failed read: the input path, ": " and the reason.
std::string ReadErrorOf(gzFile stream) {
  int code = Z_OK;
  const char* text = gzerror(stream, &code);
  return text ? text : "gzread() failed";
}

// Decompresses the open gzip stream into `output`, then closes both.
ErrorText Decompress(CGzipInput& gzip, platform::CFile& output) {
  std::vector<char> buffer(kGunzipBufferSize);
  for (;;) {
    int count = gzread(gzip.get(), buffer.data(), static_cast<unsigned>(buffer.size()));
    if (count < 0) return ReadErrorOf(gzip.get());
    if (count == 0) break;
    if (output.Write(buffer.data(), static_cast<size_t>(count)) != static_cast<size_t>(count)) {
      return std::string(kFailedWrite);
    }
  }
  if (!output.Close()) return std::string(kFailedWrite);
  if (!gzip.Close()) return std::string("gz_uncompress(): failed gzclose()");
  return std::nullopt;
}

// Opens the gzip file `input`; the error text when it cannot be opened or holds no gzip data.
ErrorText OpenGzipInput(const std::string& input, CGzipInput* gzip) {
  gzip->Reset(FitsPathLimit(input) ? platform::Files().OpenGzip(input.c_str()) : nullptr);
  if (!gzip->get()) return Format("Could not open uncompression input file: \"%s\"", input);
  // zlib passes data without a gzip header through unchanged; an installed file would then be
  // whatever damaged bytes were stored, so such input is an error here.
  if (gzdirect(gzip->get())) return input + ": not in gzip format";
  return std::nullopt;
}

ErrorText OutputFailure(const std::string& output) {
  return Format("Could not open uncompression output file: \"%s\"", output);
}

}  // namespace

ErrorText GunzipToFile(std::string_view inputPath, std::string_view outputPath) {
  std::string input(inputPath);
  CGzipInput gzip;
  if (ErrorText error = OpenGzipInput(input, &gzip)) return error;
  std::string output(outputPath);
  std::unique_ptr<platform::CFile> file =
      FitsPathLimit(output) ? platform::Files().Open(output.c_str(), platform::OpenMode::kWrite)
                            : nullptr;
  if (!file) return OutputFailure(output);
  return Decompress(gzip, *file);
}

ErrorText GunzipInPlace(std::string_view targetPath) {
  std::string target(targetPath);
  CGzipInput gzip;
  if (ErrorText error = OpenGzipInput(target, &gzip)) return error;
  std::optional<platform::SNewFile> temp = MakeTempFile();
  if (!temp) return std::string("Could not make a temporary file name for uncompression.");
  if (!temp->file) return OutputFailure(temp->path);
  ErrorText error = Decompress(gzip, *temp->file);
  if (!error && !CopyFileBytes(temp->path, target)) {
    error =
        Format("Trouble uncompressing file: \"%s\"\n    Disk full?  Permission problem?", target);
  }
  temp->file.reset();
  platform::Files().RemoveFile(temp->path.c_str());
  return error;
}

#include "engine/gunzip.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/files.h"
#include "engine/message.h"
#include "engine/paths.h"
#include "engine/temp_name.h"
#include "platform/files.h"

namespace {

constexpr char kDuplicateTempName[] = "Internal Error: duplicate tmp file names.";

std::string Format(const char* format, std::string_view path) {
  std::string quoted(path);
  std::vector<char> text(strlen(format) + quoted.size() + 1);
  snprintf(text.data(), text.size(), format, quoted.c_str());
  return text.data();
}

// Closes the gzip stream when it goes out of scope; Close() reports whether that succeeded.
class CGzipInput {
 public:
  explicit CGzipInput(gzFile stream) : m_stream(stream) {}
  ~CGzipInput() { Close(); }
  gzFile get() const { return m_stream; }
  bool Close() {
    if (!m_stream) return true;
    // The reading half of gzclose: gzclose itself would link zlib's compressor into the program.
    int result = gzclose_r(m_stream);
    m_stream = nullptr;
    return result == Z_OK;
  }

 private:
  gzFile m_stream;
};

// The reader's own text for a failed read: the input path, ": " and the reason.
std::string ReadErrorOf(gzFile stream) {
  int code = Z_OK;
  const char* text = gzerror(stream, &code);
  return text ? text : "gzread() failed";
}

}  // namespace

ErrorText GunzipToFile(std::string_view inputPath, std::string_view outputPath) {
  std::string input(inputPath);
  CGzipInput gzip(FitsPathLimit(input) ? platform::Files().OpenGzip(input.c_str()) : nullptr);
  if (!gzip.get()) return Format("Could not open uncompression input file: \"%s\"", input);
  // zlib passes data without a gzip header through unchanged; an installed file would then be
  // whatever damaged bytes were stored, so such input is an error here.
  if (gzdirect(gzip.get())) return input + ": not in gzip format";
  std::string output(outputPath);
  std::unique_ptr<platform::CFile> file =
      FitsPathLimit(output) ? platform::Files().Open(output.c_str(), platform::OpenMode::kWrite)
                            : nullptr;
  if (!file) return Format("Could not open uncompression output file: \"%s\"", output);
  std::vector<char> buffer(kGunzipBufferSize);
  for (;;) {
    int count = gzread(gzip.get(), buffer.data(), static_cast<unsigned>(buffer.size()));
    if (count < 0) return ReadErrorOf(gzip.get());
    if (count == 0) break;
    if (file->Write(buffer.data(), static_cast<size_t>(count)) != static_cast<size_t>(count)) {
      return std::string("gz_uncompress(): failed fwrite");
    }
  }
  if (!file->Close()) return std::string("gz_uncompress(): failed fwrite");
  if (!gzip.Close()) return std::string("gz_uncompress(): failed gzclose()");
  return std::nullopt;
}

ErrorText GunzipInPlace(std::string_view targetPath) {
  std::optional<std::string> temp = MakeTempName();
  if (!temp) return std::string("Could not make a temporary file name for uncompression.");
  if (*temp == targetPath) {
    ShowMessage("%s", kDuplicateTempName);
    return std::string(kDuplicateTempName);
  }
  ErrorText error = GunzipToFile(targetPath, *temp);
  if (error) return error;
  if (!CopyFileBytes(*temp, targetPath)) {
    return Format("Trouble uncompressing file: \"%s\"\n    Disk full?  Permission problem?",
                  targetPath);
  }
  platform::Files().RemoveFile(temp->c_str());
  return std::nullopt;
}

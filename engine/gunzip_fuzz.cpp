// Any bytes as a stored member given to GunzipInPlace. Either it succeeds and the file holds
// exactly what zlib's inflate gives for those bytes read as gzread reads them, or it returns an
// error text and the file is byte for byte as it was; no temporary file may stay in TMP.
//
// gzread's reading: bytes not starting with the gzip magic pass through as they are (which the
// installer refuses); else one member after another for as long as the magic follows a member,
// ignoring whatever else follows. A damaged member, or one cut short, is a failure.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/gunzip.h"
#include "platform/fake/fake_system.h"
#include "platform/fake/test_files.h"
#include "platform/files.h"

namespace {

constexpr int kGzipWindowBits = 15 + 16;  // a 32 KB window, gzip wrapping only, as gzread
constexpr size_t kOutputChunkSize = 16384;

bool StartsWithMember(std::string_view bytes) { return bytes.substr(0, 2) == "\x1f\x8b"; }

// What gzread gives for `bytes`, member after member; nothing when it would fail.
std::optional<std::string> InflateAsGzread(std::string_view bytes) {
  if (!StartsWithMember(bytes)) return std::nullopt;
  z_stream stream{};
  if (inflateInit2(&stream, kGzipWindowBits) != Z_OK) __builtin_trap();
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  std::string content;
  unsigned char chunk[kOutputChunkSize];
  int result = Z_OK;
  while (result == Z_OK) {
    stream.next_out = chunk;
    stream.avail_out = sizeof chunk;
    result = inflate(&stream, Z_NO_FLUSH);
    content.append(reinterpret_cast<const char*>(chunk), sizeof chunk - stream.avail_out);
    // At a member's end, the magic right after it starts the next one.
    std::string_view rest(reinterpret_cast<const char*>(stream.next_in), stream.avail_in);
    if (result == Z_STREAM_END && StartsWithMember(rest)) {
      if (inflateReset(&stream) != Z_OK) __builtin_trap();
      result = Z_OK;
    }
  }
  inflateEnd(&stream);
  // Z_BUF_ERROR comes once the input has run out before a member's end.
  if (result != Z_STREAM_END) return std::nullopt;
  return content;
}

// The target's folder, and the folder TMP names, through a system service of the tests.
struct SScratch {
  SScratch() {
    system.SetEnvironment("TMP", platform::SystemPathForTest(temp.path()));
    platform::UseSystem(&system);
  }

  platform::CFakeSystem system;
  platform::CScopedTempDir dir;
  platform::CScopedTempDir temp;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static SScratch scratch;
  const std::string stored(reinterpret_cast<const char*>(data), size);
  const std::string target = scratch.dir / "member.sub";
  if (!platform::WriteWholeFile(target, stored)) __builtin_trap();

  const ErrorText error = GunzipInPlace(target);
  const std::optional<std::string> expected = InflateAsGzread(stored);
  const std::string result = platform::ReadWholeFile(target);
  if (error.has_value() == expected.has_value() || (error && error->empty())) __builtin_trap();
  if (result != (expected ? *expected : stored)) __builtin_trap();
  if (platform::CountFiles(scratch.temp.path()) != 0) __builtin_trap();

  platform::Files().RemoveFile(target.c_str());
  return 0;
}

#include "payload/member.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

#include "payload/payload.h"

namespace {

// Deflate parameters of every payload member.
constexpr int kCompressionLevel = 6;
constexpr int kGzipWindowBits = 15 + 16;  // 32 KiB window, gzip wrapper only
constexpr int kMemLevel = 8;
constexpr int kWindowsOsCode = 11;  // gzip's operating-system code written into byte 9

// The gzip trailer: CRC-32, then the length modulo 2^32, both little-endian.
constexpr size_t kGzipTrailerSize = 8;
constexpr size_t kTrailerLengthOffset = 4;

// zlib counts in `uInt`; larger buffers are fed in pieces of at most this many bytes.
constexpr size_t kMaxZlibChunk = size_t{1} << 30;

// Inflation grows its output from at least this size, and never trusts the trailer's length
// beyond the most that deflate can expand one input byte into.
constexpr size_t kMinInflateReserve = 16 * 1024;
constexpr size_t kMaxDeflateRatio = 1032;

uInt ChunkOf(size_t remaining) { return static_cast<uInt>(std::min(remaining, kMaxZlibChunk)); }

// Owns a deflate stream set up for the payload's fixed member form.
class CDeflater {
 public:
  CDeflater() {
    if (deflateInit2(&m_stream, kCompressionLevel, Z_DEFLATED, kGzipWindowBits, kMemLevel,
                     Z_DEFAULT_STRATEGY) != Z_OK) {
      throw std::runtime_error("zlib: deflateInit2 failed");
    }
    m_header.os = kWindowsOsCode;  // every other field zero: no name, no comment, time 0
    if (deflateSetHeader(&m_stream, &m_header) != Z_OK) {
      deflateEnd(&m_stream);
      throw std::runtime_error("zlib: deflateSetHeader failed");
    }
  }
  ~CDeflater() { deflateEnd(&m_stream); }
  CDeflater(const CDeflater&) = delete;
  CDeflater& operator=(const CDeflater&) = delete;

  std::vector<unsigned char> Compress(const unsigned char* data, size_t size);

 private:
  z_stream m_stream{};
  gz_header m_header{};  // zlib reads it when it writes the header, so it lives with the stream
};

std::vector<unsigned char> CDeflater::Compress(const unsigned char* data, size_t size) {
  std::vector<unsigned char> member(deflateBound(&m_stream, static_cast<uLong>(size)));
  m_stream.next_in = const_cast<Bytef*>(data);
  size_t inputLeft = size;
  size_t written = 0;
  for (;;) {
    if (m_stream.avail_in == 0 && inputLeft > 0) {
      m_stream.avail_in = ChunkOf(inputLeft);
      inputLeft -= m_stream.avail_in;
    }
    if (written == member.size()) member.resize(member.size() * 2);
    m_stream.next_out = member.data() + written;
    m_stream.avail_out = ChunkOf(member.size() - written);
    const uInt offered = m_stream.avail_out;
    const int status = deflate(&m_stream, inputLeft == 0 ? Z_FINISH : Z_NO_FLUSH);
    written += offered - m_stream.avail_out;
    if (status == Z_STREAM_END) break;
    if (status != Z_OK && status != Z_BUF_ERROR) throw std::runtime_error("zlib: deflate failed");
  }
  member.resize(written);
  return member;
}

void CheckFixedHeader(const std::vector<unsigned char>& member) {
  if (member.size() < kGzipMemberHeaderSize + kGzipTrailerSize ||
      std::memcmp(member.data(), kGzipMemberHeader, kGzipMemberHeaderSize) != 0) {
    throw std::runtime_error(
        "zlib did not write the fixed gzip header 1F 8B 08 00 00 00 00 00 00 0B; "
        "this zlib cannot make payload members");
  }
}

uint32_t TrailerLength(const unsigned char* member, size_t size) {
  const unsigned char* field = member + size - kGzipTrailerSize + kTrailerLengthOffset;
  return static_cast<uint32_t>(field[0]) | static_cast<uint32_t>(field[1]) << 8 |
         static_cast<uint32_t>(field[2]) << 16 | static_cast<uint32_t>(field[3]) << 24;
}

// Runs `stream` over all of `member` into `out`. Returns zlib's last status: Z_STREAM_END when a
// whole member was decoded and its trailer matched.
int InflateInto(z_stream* stream, const unsigned char* member, size_t size,
                std::vector<unsigned char>* out) {
  const size_t hint = std::min<size_t>(TrailerLength(member, size), size * kMaxDeflateRatio);
  out->resize(std::max(hint, kMinInflateReserve));
  stream->next_in = const_cast<Bytef*>(member);
  size_t inputLeft = size;
  size_t produced = 0;
  // Input and output space are always offered, so anything but Z_OK ends the member: Z_BUF_ERROR
  // means the input ran out before the stream ended.
  int status = Z_OK;
  while (status == Z_OK) {
    if (stream->avail_in == 0 && inputLeft > 0) {
      stream->avail_in = ChunkOf(inputLeft);
      inputLeft -= stream->avail_in;
    }
    if (produced == out->size()) out->resize(out->size() * 2);
    stream->next_out = out->data() + produced;
    stream->avail_out = ChunkOf(out->size() - produced);
    const uInt offered = stream->avail_out;
    status = inflate(stream, Z_NO_FLUSH);
    produced += offered - stream->avail_out;
  }
  out->resize(produced);
  // Bytes after the member are still unread.
  return status == Z_STREAM_END && (stream->avail_in > 0 || inputLeft > 0) ? Z_DATA_ERROR : status;
}

}  // namespace

std::vector<unsigned char> MakeGzipMember(const unsigned char* data, size_t size) {
  CDeflater deflater;
  std::vector<unsigned char> member = deflater.Compress(data, size);
  CheckFixedHeader(member);
  return member;
}

int InflateGzipMember(const unsigned char* member, size_t size, std::vector<unsigned char>* out) {
  out->clear();
  if (size < kGzipMemberHeaderSize + kGzipTrailerSize ||
      std::memcmp(member, kGzipMemberHeader, kGzipMemberHeaderSize) != 0) {
    return 0;
  }
  z_stream stream{};
  const int initStatus = inflateInit2(&stream, kGzipWindowBits);
  if (initStatus == Z_MEM_ERROR) throw std::bad_alloc();
  if (initStatus != Z_OK) return 0;
  const int status = InflateInto(&stream, member, size, out);
  inflateEnd(&stream);
  if (status == Z_MEM_ERROR) throw std::bad_alloc();
  if (status != Z_STREAM_END) {
    out->clear();
    return 0;
  }
  return 1;
}

uint32_t Crc32Of(const unsigned char* data, size_t size) {
  uLong crc = crc32(0L, Z_NULL, 0);
  while (size > 0) {
    const uInt chunk = ChunkOf(size);
    crc = crc32(crc, data, chunk);
    data += chunk;
    size -= chunk;
  }
  return static_cast<uint32_t>(crc);
}

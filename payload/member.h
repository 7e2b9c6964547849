// Gzip members in the payload's fixed form (see payload.h), made and checked by the build tools.
#ifndef CIRVANE_PAYLOAD_MEMBER_H_
#define CIRVANE_PAYLOAD_MEMBER_H_

#include <cstddef>
#include <cstdint>
#include <vector>

// Compresses `size` bytes at `data` into one gzip member: kGzipMemberHeader, a deflate stream at
// level 6, the CRC-32 and length trailer. The same input always gives the same member. Throws
// std::runtime_error when zlib fails or writes any other header (such a member must never reach
// a payload), std::bad_alloc when memory runs out.
std::vector<unsigned char> MakeGzipMember(const unsigned char* data, size_t size);

// Inflates one whole gzip member. Returns 1 and fills `out` when `member` is exactly one valid
// member in the fixed form (kGzipMemberHeader, a complete deflate stream, a trailer whose CRC-32
// and length match, nothing after it); 0 otherwise, with `out` emptied.
int InflateGzipMember(const unsigned char* member, size_t size, std::vector<unsigned char>* out);

// CRC-32 of `size` bytes at `data`, as zlib computes it.
uint32_t Crc32Of(const unsigned char* data, size_t size);

#endif  // CIRVANE_PAYLOAD_MEMBER_H_

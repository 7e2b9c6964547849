#include "payload/member.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "payload/payload.h"
#include "payload/test_content_test_support.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr size_t kTrailerSize = 8;

// `size` bytes of netlist text, or of noise that deflate cannot shrink.
Bytes Content(size_t size, bool noise = false) {
  const std::string content = noise ? NoiseOfSize(size) : TextOfSize(size);
  return Bytes(content.begin(), content.end());
}

// Whether `member` inflates; a rejected one must leave no output.
bool Inflates(const Bytes& member) {
  Bytes out = {0xAA};
  const int ok = InflateGzipMember(member.data(), member.size(), &out);
  EXPECT_TRUE(ok || out.empty()) << "a rejected member must leave no output";
  return ok == 1;
}

// Empty, short, long and incompressible contents inflate back, and the same bytes always make
// the same member (the tables must not change from one build to the next).
TEST(MemberTest, RoundTripsDeterministically) {
  for (const Bytes& content :
       {Bytes(), Content(1), Content(1025), Content(300000), Content(70000, true)}) {
    const Bytes member = MakeGzipMember(content.data(), content.size());
    Bytes out;
    ASSERT_EQ(InflateGzipMember(member.data(), member.size(), &out), 1) << content.size();
    EXPECT_EQ(out, content);
    EXPECT_EQ(MakeGzipMember(content.data(), content.size()), member) << "not deterministic";
  }
}

// Every truncation, a byte after the member, a second member, and a flipped byte in the header,
// the stream, the CRC-32 and the length.
TEST(MemberTest, RejectsTruncatedAndDamagedMembers) {
  const Bytes content = Content(5000);
  const Bytes member = MakeGzipMember(content.data(), content.size());
  EXPECT_TRUE(Inflates(member));
  for (size_t size = 0; size < member.size(); ++size) {
    EXPECT_FALSE(Inflates(Bytes(member.begin(), member.begin() + size))) << size << " bytes";
  }
  Bytes longer = member;
  longer.push_back(0);
  EXPECT_FALSE(Inflates(longer)) << "a byte after the member";
  Bytes twoMembers = member;
  twoMembers.insert(twoMembers.end(), member.begin(), member.end());
  EXPECT_FALSE(Inflates(twoMembers)) << "a second member";
  std::vector<size_t> offsets = {member.size() / 2, member.size() - kTrailerSize,
                                 member.size() - 1};
  for (size_t i = 0; i < kGzipMemberHeaderSize; ++i) offsets.push_back(i);
  for (const size_t offset : offsets) {
    Bytes damaged = member;
    damaged[offset] ^= 0x01;
    EXPECT_FALSE(Inflates(damaged)) << "byte " << offset << " flipped";
  }
}

}  // namespace

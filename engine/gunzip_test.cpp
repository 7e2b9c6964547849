#include "engine/gunzip.h"

#include <gtest/gtest.h>

#include "engine/files.h"
#include "engine/fixture_table_test_support.h"
#include "engine/paths.h"
#include "engine/temp_name.h"
#include "payload/member.h"
#include "platform/fake/fake_services_test.h"

namespace {

using platform::ReadWholeFile;
using platform::WriteWholeFile;

std::string MemberOf(const std::string& content) {
  std::vector<unsigned char> member =
      MakeGzipMember(reinterpret_cast<const unsigned char*>(content.data()), content.size());
  return std::string(member.begin(), member.end());
}

// Temporary files go to a directory of the test's own, named by TMP.
class GunzipTest : public platform::CFakeServicesTest {
 protected:
  void SetUp() override {
    CFakeServicesTest::SetUp();
    m_system.SetEnvironment("TMP", platform::SystemPathForTest(m_temp.path()));
  }

  platform::CScopedTempDir m_temp;
};

TEST_F(GunzipTest, InPlaceRestoresContentOfEveryLength) {
  for (const std::string& content :
       {TextOfSize(1), TextOfSize(1025, 2), TextOfSize(kGunzipBufferSize, 3),
        TextOfSize(kGunzipBufferSize + 1, 4), TextOfSize(100000, 5), NoiseOfSize(3000)}) {
    ASSERT_TRUE(WriteWholeFile(m_dir / "f.sub", MemberOf(content)));
    EXPECT_EQ(std::nullopt, GunzipInPlace(m_dir / "f.sub"));
    EXPECT_EQ(content, ReadWholeFile(m_dir / "f.sub")) << "size " << content.size();
  }
  EXPECT_EQ(0u, platform::CountFiles(m_temp.path())) << "no temporary file may stay";
}

TEST_F(GunzipTest, DamagedMembersFailLeavingTheTargetAsItWasAndNoTemporaryFile) {
  const std::string member = MemberOf(TextOfSize(20000));
  auto flipped = [&](size_t at) {
    std::string damaged = member;
    damaged[at] ^= 0x55;
    return damaged;
  };
  const std::string target = m_dir / "bad.sub";
  struct Case {
    std::string stored;
    std::string error;
  };
  const Case cases[] = {
      {flipped(member.size() - 6), target + ": incorrect data check"},
      {flipped(kGzipMemberHeaderSize + 40), target + ": "},
      {TextOfSize(2000), target + ": not in gzip format"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteWholeFile(target, c.stored));
    ErrorText error = GunzipInPlace(target);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(0u, error->rfind(c.error, 0)) << *error;
    EXPECT_EQ(c.stored, ReadWholeFile(target));
    EXPECT_EQ(0u, platform::CountFiles(m_temp.path())) << "temporary file left after " << *error;
  }
  // Every cut, also those where inflate has used the last input byte just as its output buffer
  // filled, which zlib's gzread takes for the member's end.
  const std::string runs = MemberOf(std::string(100000, 'x'));
  for (size_t size = 2; size < runs.size(); ++size) {  // from just past the magic, 1F 8B
    ASSERT_TRUE(WriteWholeFile(target, runs.substr(0, size)));
    EXPECT_EQ("gz_uncompress(): failed gzclose()", GunzipInPlace(target)) << "cut at " << size;
    EXPECT_EQ(size, ReadWholeFile(target).size());
  }
}

// The names are guessable, so whatever stands at the next one must be passed over, never written
// through (what may stand there: NewFileTest, through the same CreateFreshFile).
TEST_F(GunzipTest, TempFilesPassOverTakenNamesAndFallBackWithoutTmp) {
  std::optional<platform::SNewFile> first = MakeTempFile();
  ASSERT_TRUE(first && first->file);
  ASSERT_EQ(0u, first->path.rfind(m_temp / "tmp", 0)) << first->path;
  first->file.reset();
  unsigned number = static_cast<unsigned>(std::stoul(first->path.substr((m_temp / "tmp").size())));
  auto nth = [&](unsigned n) { return m_temp / ("tmp" + std::to_string(number + n)); };
  ASSERT_TRUE(WriteWholeFile(nth(1), "taken"));

  std::string content = TextOfSize(3000);
  ASSERT_TRUE(WriteWholeFile(m_dir / "f.sub", MemberOf(content)));
  EXPECT_EQ(std::nullopt, GunzipInPlace(m_dir / "f.sub"));
  EXPECT_EQ(content, ReadWholeFile(m_dir / "f.sub"));
  EXPECT_EQ("taken", ReadWholeFile(nth(1)));
  std::optional<platform::SNewFile> after = MakeTempFile();
  ASSERT_TRUE(after && after->file);
  EXPECT_EQ(nth(3), after->path) << "the extraction took " << nth(2);

  m_system.SetEnvironment("TMP", platform::SystemPathForTest(m_temp / "missing"));
  std::string fallback = platform::Files().FallbackTempDirectory();
  std::optional<platform::SNewFile> name = MakeTempFile();
  ASSERT_TRUE(name && name->file);
  EXPECT_EQ(0u, name->path.rfind(fallback, 0)) << name->path << " should lie in " << fallback;
  name->file.reset();
  platform::Files().RemoveFile(name->path.c_str());

  // A TMP so deep that no name below it fits a path (where the system makes such a folder).
  const std::string deep = m_temp / std::string(kMaxPathLength - 3 - m_temp.path().size(), 'd');
  if (platform::Files().MakeDirectory(deep.c_str()) != platform::MakeDirectoryResult::kMade) return;
  m_system.SetEnvironment("TMP", platform::SystemPathForTest(deep));
  ASSERT_TRUE(WriteWholeFile(m_dir / "f.sub", MemberOf(content)));
  EXPECT_EQ("Could not make a temporary file name for uncompression.",
            GunzipInPlace(m_dir / "f.sub"));
}

}  // namespace

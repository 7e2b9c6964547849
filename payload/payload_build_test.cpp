#include "payload/payload_build.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "payload/member.h"
#include "payload/scratch_tree_test_support.h"
#include "payload/table_source.h"
#include "payload/test_content_test_support.h"

namespace fs = std::filesystem;

namespace {

class PayloadBuildTest : public ::testing::Test {
 protected:
  bool Build(unsigned threads = 0) {
    return BuildPayload(m_scratch.Root() / "tree", m_scratch.Root() / "readonly.txt",
                        BuildOptions{threads}, &m_payload, &m_err);
  }

  CScratchTree m_scratch;
  BuiltPayload m_payload;
  std::string m_err;
};

// Sizes, sorting and the read-only list's CR LF lines are checked on the fixture table
// (payload_table_test.cpp); this covers links and how list paths match.
TEST_F(PayloadBuildTest, LinksInsideTheTreeAreFilesAndListMatchesIgnoreCase) {
  const std::string symbol = NoiseOfSize(1500);
  m_scratch.Write("tree/lib/sym/cap.asy", symbol);
  fs::create_symlink("cap.asy", m_scratch.Root() / "tree/lib/sym/polcap.asy");
  m_scratch.Write("readonly.txt", ".\\LIB\\sym\\PolCap.asy\n");
  ASSERT_TRUE(Build()) << m_err;
  ASSERT_EQ(m_payload.records.size(), 2u);
  const PayloadRecord& link = m_payload.records[1];
  EXPECT_EQ(link.path, ".\\lib\\sym\\polcap.asy");
  EXPECT_EQ(link.readOnly, 1);
  EXPECT_EQ(m_payload.records[0].readOnly, 0);
  std::vector<unsigned char> content;
  ASSERT_EQ(InflateGzipMember(m_payload.blob.data() + link.offset, link.packedSize, &content), 1);
  EXPECT_EQ(std::string(content.begin(), content.end()), symbol);
}

TEST_F(PayloadBuildTest, OutputDoesNotDependOnThreads) {
  for (int i = 0; i < 24; ++i) {
    m_scratch.Write("tree/f" + std::to_string(i),
                    std::string(3000 + i * 97, static_cast<char>('a' + i)));
  }
  m_scratch.Write("tree/noise", NoiseOfSize(100000));
  m_scratch.Write("readonly.txt", ".\\f7\n");
  ASSERT_TRUE(Build(1)) << m_err;
  const std::string oneThread = RenderTableSource(m_payload);
  const std::vector<unsigned char> blob = m_payload.blob;
  for (const unsigned threads : {2u, 5u}) {
    ASSERT_TRUE(Build(threads)) << m_err;
    EXPECT_EQ(RenderTableSource(m_payload), oneThread) << threads << " threads";
    EXPECT_EQ(m_payload.blob, blob) << threads << " threads";
  }
}

// Each case spoils a small valid tree, and the build must refuse it naming the culprit.
TEST_F(PayloadBuildTest, RefusesWhatTheTableCannotHold) {
  const std::string tooLong =
      std::string(60, 'd') + "/" + std::string(60, 'e') + "/fffff" + std::string(35, 'f');
  auto write = [](const std::string& file, const std::string& bytes) {
    return [=](CScratchTree* t) { t->Write(file, bytes); };
  };
  auto link = [](const std::string& target) {
    return [=](CScratchTree* t) {
      t->Write("outside.txt", "x");
      fs::create_symlink(target, t->Root() / "tree/lib/link");
    };
  };
  struct {
    const char* what;
    std::function<void(CScratchTree*)> spoil;
    std::string named;
  } const cases[] = {
      {"empty file", write("tree/empty.txt", ""), "empty.txt"},
      {"case twins", write("tree/Lib/x.asy", "x"), "lib/X.asy"},
      {"'..' in the list", write("readonly.txt", ".\\lib\\..\\lib\\X.asy\n"), "'..'"},
      {"listed path not in tree", write("readonly.txt", ".\\gone.txt\n"), ".\\gone.txt"},
      {"path too long", write("tree/" + tooLong, "x"), "fffff"},
      {"colon", write("tree/lib/a:b.asy", "x"), "a:b.asy"},
      {"link out of the tree", link("../../outside.txt"), "lib/link: a symbolic link"},
      {"link to a directory", link("../lib"), "lib/link: a symbolic link"},
      {"link to nothing", link("nothing"), "lib/link: a symbolic link"},
      {"4 GiB",
       [](CScratchTree* t) { fs::resize_file(t->Write("tree/huge.bin", "x"), uint64_t{1} << 32); },
       "huge.bin"},
      {"no files", [](CScratchTree* t) { fs::remove(t->Root() / "tree/lib/X.asy"); },
       "holds no files"},
  };
  for (const auto& c : cases) {
    CScratchTree scratch;
    scratch.Write("tree/lib/X.asy", "x");
    scratch.Write("readonly.txt", ".\\lib\\X.asy\n");
    c.spoil(&scratch);
    BuiltPayload payload;
    std::string err;
    EXPECT_FALSE(BuildPayload(scratch.Root() / "tree", scratch.Root() / "readonly.txt",
                              BuildOptions(), &payload, &err))
        << c.what;
    EXPECT_NE(err.find(c.named), std::string::npos)
        << c.what << ": '" << err << "' names no " << c.named;
  }
}

}  // namespace

#include "tools/text_fill.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Two-line chunks "chunk N a" / "chunk N b", so a cut chunk shows as a lone line.
class CCountingSource : public CTextSource {
 public:
  std::string NextChunk() override {
    std::string n = std::to_string(++m_count);
    return "chunk " + n + " a\r\nchunk " + n + " b";
  }

 private:
  int m_count = 0;
};

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

TEST(TextFill, FillTextGivesTheExactSizeWithWholeChunksAndFillerLines) {
  const std::string head = "HEAD\r\n";
  const std::string tail = "TAIL\r\n";
  for (size_t size = 0; size < 700; ++size) {
    CCountingSource source;
    CRng rng(size);
    std::string text = FillText(head, tail, size, source, kSpiceComment, rng);
    ASSERT_EQ(text.size(), size) << "size " << size;
    if (size < head.size() + tail.size() + 3) continue;
    ASSERT_EQ(text.compare(0, head.size(), head), 0) << "size " << size;
    ASSERT_EQ(text.compare(size - tail.size(), tail.size(), tail), 0) << "size " << size;
    std::vector<std::string> lines =
        SplitCrLf(text.substr(head.size(), size - head.size() - tail.size()));
    ASSERT_FALSE(lines.empty());
    bool filling = false;
    for (size_t i = 0; i < lines.size(); ++i) {
      const std::string& line = lines[i];
      ASSERT_FALSE(line.empty()) << "size " << size;
      if (line[0] == '*') {
        filling = true;
        continue;
      }
      ASSERT_FALSE(filling) << "a chunk after the filler at size " << size;
      ASSERT_EQ(line.back(), 'a') << "chunk cut before its second line at size " << size;
      ASSERT_LT(i + 1, lines.size());
      ASSERT_EQ(lines[i + 1], line.substr(0, line.size() - 1) + "b") << "size " << size;
      ++i;
    }
    EXPECT_TRUE(filling) << "the rest is always filled with comment lines, size " << size;
  }
}

TEST(TextFill, FillerLinesHaveTheirLengthAndPrefix) {
  CRng rng(7);
  for (size_t length = 1; length < 120; ++length) {
    std::string line = MakeFillerLine(length, kDrawingComment, rng);
    ASSERT_EQ(line.size(), length);
    std::string prefix(kDrawingComment.prefix.substr(0, length));
    EXPECT_EQ(line.compare(0, prefix.size(), prefix), 0) << line;
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
  }
}

}  // namespace

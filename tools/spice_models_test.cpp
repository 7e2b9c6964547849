#include "tools/spice_models.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "tools/product_plan.h"
#include "tools/vocabulary.h"

namespace {

struct LibraryShape {
  std::vector<std::string> statements;  // continuation lines joined
  int continuationLines = 0;
  int commentLines = 0;
};

// Reads a library as the installer's statement reader does: lines end at CR LF, a line whose
// first non-blank is "+" continues the statement before it.
LibraryShape ReadLibrary(const std::string& text) {
  LibraryShape shape;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "bare CR or LF in: " << line;
    start = end + 2;
    if (!line.empty() && line[0] == '+') {
      ++shape.continuationLines;
      if (!shape.statements.empty()) shape.statements.back() += " " + line.substr(1);
      continue;
    }
    if (!line.empty() && line[0] == '*') ++shape.commentLines;
    shape.statements.push_back(line);
  }
  return shape;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

TEST(SpiceModels, LibrariesAreModelStatementsWithUniqueNames) {
  const std::set<std::string> kTypes[] = {
      {"NPN", "PNP"}, {"D"}, {"NJF", "PJF"}, {"VDMOS", "NMOS", "PMOS"}};
  const size_t kMinModels[] = {40, 40, 10, 200};
  for (size_t k = 0; k < kModelLibraryCount; ++k) {
    const ModelLibraryFile& library = kModelLibraries[k];
    std::string text = MakeModelLibrary(library.kind, library.size, 1);
    ASSERT_EQ(text.size(), library.size) << library.extension;
    LibraryShape shape = ReadLibrary(text);
    EXPECT_EQ(shape.statements.front().rfind("* ", 0), 0u) << "a comment line comes first";
    std::set<std::string> names;
    size_t models = 0;
    for (const std::string& s : shape.statements) {
      if (s.rfind(".model ", 0) != 0) continue;
      ++models;
      size_t nameEnd = s.find(' ', 7);
      ASSERT_NE(nameEnd, std::string::npos) << s;
      std::string name = s.substr(7, nameEnd - 7);
      EXPECT_TRUE(names.insert(Upper(name)).second) << "name twice, ignoring case: " << name;
      size_t open = s.find('(', nameEnd);
      ASSERT_NE(open, std::string::npos) << s;
      EXPECT_EQ(kTypes[k].count(s.substr(nameEnd + 1, open - nameEnd - 1)), 1u) << s;
      EXPECT_NE(s.find(')', open), std::string::npos) << "parameters are closed: " << s;
      if (s.find("Level=1") == std::string::npos) {
        EXPECT_NE(s.find("mfg"), std::string::npos) << s;
      }
    }
    EXPECT_GE(models, kMinModels[k]) << library.extension;
    EXPECT_GT(shape.continuationLines, 0) << library.extension;
    EXPECT_GT(shape.commentLines, 2) << library.extension;
  }
}

TEST(SpiceModels, LibrariesDependOnTheSeedOnly) {
  EXPECT_EQ(MakeModelLibrary(ModelKind::kDiode, 5000, 3),
            MakeModelLibrary(ModelKind::kDiode, 5000, 3));
  EXPECT_NE(MakeModelLibrary(ModelKind::kDiode, 5000, 3),
            MakeModelLibrary(ModelKind::kDiode, 5000, 4));
}

TEST(SpiceModels, ValuesUseSpiceSuffixes) {
  EXPECT_EQ(FormatEngValue(4700, 3), "4.7k");
  EXPECT_EQ(FormatEngValue(1434, -14), "14.34f");
  EXPECT_EQ(FormatEngValue(1000, 6), "1Meg");
  EXPECT_EQ(FormatEngValue(7500, -1), "750m");
  EXPECT_EQ(FormatEngValue(1000, 2), "100");
  EXPECT_EQ(FormatEngValue(2200, 0), "2.2");
  EXPECT_EQ(FormatEngValue(3300, -16), "3.3E-16") << "below the f suffix";
  EXPECT_EQ(FormatSciValue(1000, -14), "1E-14");
}

}  // namespace

#include "sync/statement_reader.h"

#include <gtest/gtest.h>

#include "platform/memory_file.h"

namespace {

// Every statement of `library`, read to the end and followed by a reset.
std::vector<std::string> Statements(const std::string& library) {
  platform::CMemoryFile file(library);
  CStatementReader reader;
  std::vector<std::string> statements;
  while (const char* statement = reader.ReadStatement(&file)) statements.push_back(statement);
  EXPECT_EQ(nullptr, reader.ReadStatement(nullptr));
  return statements;
}

using Lines = std::vector<std::string>;

TEST(StatementReaderTest, JoinsContinuationLines) {
  EXPECT_EQ(Lines({".model 2N2907 PNP(IS=1E-14 VAF=120 BF=250 Vceo=40 mfg=Philips)"}),
            Statements(".model 2N2907 PNP(IS=1E-14\r\n"
                       "+ VAF=120\r\n"
                       "+BF=250\r\n"
                       "  +\tVceo=40 mfg=Philips)\r\n"));
  EXPECT_EQ(Lines({".model A D( ", "* x"}), Statements(".model A D(\n+\n* x\n"))
      << "a lone + adds the separating space";
}

TEST(StatementReaderTest, CutsCommentsOnlyBeforeAContinuation) {
  EXPECT_EQ(Lines({".model Q NPN(IS=1f BF=100 ; typical"}),
            Statements(".model Q NPN(IS=1f ; saturation\n+ BF=100 ; typical\n"));
  EXPECT_EQ(Lines({".model Q NPN(IS=1f) ; from the datasheet"}),
            Statements(".model Q NPN(IS=1f) ; first ; second\n+ ; from the datasheet\n"));
}

TEST(StatementReaderTest, EmptyLinesEndStatements) {
  EXPECT_EQ(Lines({".model A D", "+ Rs=1", ".model B D"}),
            Statements(".model A D\n\n+ Rs=1\n.model B D\n"));
  EXPECT_EQ(Lines({"* head", "", ".model A D"}), Statements("* head\n\n\n.model A D\n"))
      << "one empty line read ahead is skipped, the second comes out empty";
  EXPECT_EQ(Lines({}), Statements(""));
  EXPECT_EQ(Lines({""}), Statements("\n\n")) << "an empty line read ahead at the end is none";
}

TEST(StatementReaderTest, NormalisesBlanks) {
  EXPECT_EQ(Lines({".model X D(Is=1n)"}), Statements(".model  X  D(Is = 1n)\n"));
  EXPECT_EQ(Lines({".model X D(Is=1n N=2)"}), Statements(" \t .model\tX D(Is\t=\t1n  N  =  2)"));
  EXPECT_EQ(Lines({"a==b c=d"}), Statements("a = = b c\t=d\n"));
  EXPECT_EQ(Lines({"=", "+"}), Statements(" = \n\n+"));
  EXPECT_EQ(Lines({".model A D "}), Statements(".model A D   \r\n")) << "one trailing space stays";
}

TEST(StatementReaderTest, LineEndsAtReturnLineFeedOrNul) {
  const Lines expected = {".model A D(Is=1n)", ".model B D"};
  EXPECT_EQ(expected, Statements(".model A D(Is=1n)\r\n.model B D\r\n"));
  EXPECT_EQ(expected, Statements(".model A D(Is=1n)\n.model B D"));
  EXPECT_EQ(expected, Statements(".model A D(Is=1n)\rhidden\n.model B D\n"));
  static const char kWithNul[] = ".model A D(Is=1n)\0hidden\n.model B D";
  EXPECT_EQ(expected, Statements(std::string(kWithNul, sizeof kWithNul - 1)));
}

TEST(StatementReaderTest, ReadsLinesOfAnyLength) {
  std::string parameters;
  for (int i = 0; i < 40000; ++i) parameters += " P" + std::to_string(i) + " =  " + "1k";
  std::string expected = ".model BIG NMOS(";
  for (int i = 0; i < 40000; ++i) expected += " P" + std::to_string(i) + "=1k";
  Lines statements = Statements(".model BIG NMOS(\n+" + parameters + "\n.model B D\n");
  ASSERT_EQ(2u, statements.size());
  EXPECT_EQ(expected, statements[0]);
  EXPECT_EQ(".model B D", statements[1]);
}

TEST(StatementReaderTest, LineReadAheadCarriesOverUntilReset) {
  platform::CMemoryFile first(".model A D\n.model B D\n");
  platform::CMemoryFile second(".model C D\n");
  CStatementReader reader;
  ASSERT_STREQ(".model A D", reader.ReadStatement(&first));
  EXPECT_STREQ(".model B D", reader.ReadStatement(&second))
      << "the line read ahead in the first file starts the next statement";
  EXPECT_STREQ(".model C D", reader.ReadStatement(&second));
  EXPECT_EQ(nullptr, reader.ReadStatement(&second));

  platform::CMemoryFile third(".model A D\n.model B D\n");
  platform::CMemoryFile fourth(".model C D\n");
  ASSERT_STREQ(".model A D", reader.ReadStatement(&third));
  EXPECT_EQ(nullptr, reader.ReadStatement(nullptr));
  EXPECT_STREQ(".model C D", reader.ReadStatement(&fourth));
}

TEST(StatementReaderTest, TokensAndModelNames) {
  const char* statement = ".model 2N2907 PNP(IS=1E-14 VAF=120)";
  const char* cursor = statement;
  EXPECT_EQ(".model", NextToken(&cursor));
  EXPECT_EQ("2N2907", NextToken(&cursor));
  EXPECT_EQ("PNP(IS=1E-14", NextToken(&cursor));
  EXPECT_EQ("VAF=120)", NextToken(&cursor));
  EXPECT_EQ("", NextToken(&cursor));
  EXPECT_EQ('\0', *cursor);

  EXPECT_EQ("2N2907", ModelName(statement));
  EXPECT_EQ("", ModelName(".model"));
  EXPECT_EQ("", ModelName(""));
}

}  // namespace

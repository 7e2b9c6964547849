#include "tools/cmpdb/archive_kinds.h"

#include <gtest/gtest.h>

#include "sync/archive_test_support.h"
#include "tools/cmpdb/cmpdb_test_support.h"

namespace {

using archive_test::Capacitor;
using archive_test::Fill;
using archive_test::Inductor;
using archive_test::Resistor;
using archive_test::SetBits;
using platform::ReadWholeFile;

using ArchiveKindsTest = CCmpdbTest;

TEST_F(ArchiveKindsTest, DumpPrintsEveryDeclaredFieldInFileOrder) {
  CCapacitorDoc capacitors;
  Fill(capacitors, Capacitor("Alvanta", "AE 1", 4.7e-6f, "Al electrolytic"),
       Capacitor("", "", 1e-6f));
  capacitors.records[0]->slot5 = 0x45FA0000;
  SetBits(capacitors.records[1]->current_rating, 0x7FC00001);
  SetBits(capacitors.records[1]->extra_value, 0x80000000);
  CResistorDoc resistors;
  Fill(resistors, Resistor("", "", 10.0f, 0.1f, 0.01f));
  CInductorDoc beads;
  Fill(beads, Inductor("WE eiSos", "742", 1e-6f));

  EXPECT_EQ(kCmpdbSucceeded, Run({"dump", File("standard.cap", capacitors.SaveToBytes())}));
  EXPECT_EQ(m_printed,
            "Alvanta\tAE 1\tAl electrolytic\t4.69999986e-06\t50\t0\t0.00999999978\t0\t8000\t1\n"
            "\t\tX7R\t9.99999997e-07\t50\t0x7fc00001\t0.00999999978\t0x80000000\t0\t1\n");
  EXPECT_EQ(kCmpdbSucceeded, Run({"dump", File("standard.RES", resistors.SaveToBytes())}));
  EXPECT_EQ(m_printed, "\t\t10\t0.100000001\t0.00999999978\n");
  EXPECT_EQ(kCmpdbSucceeded, Run({"dump", File("beads.bin", beads.SaveToBytes()), "bead"}));
  EXPECT_EQ(m_printed,
            "Wurth Elektronik\t742\t9.99999997e-07\t1\t0.0500000007\t2000\t1.99999999e-12\n");

  EXPECT_EQ(kCmpdbFailed, Run({"dump", File("broken.ind", beads.SaveToBytes().substr(0, 20))}));
  EXPECT_EQ(m_ui.boxes(), std::vector<std::string>{"Unexpected file format."});
  EXPECT_EQ(kCmpdbFailed, Run({"dump", Path("missing.cap")}));
}

// Floats whose bits a decimal text would not keep (NaNs with a payload, a signalling NaN, signed
// zero, infinities), the extremes, and slots 5 and 7 at theirs; the other kinds print their
// numbers the same way.
TEST_F(ArchiveKindsTest, BuildOfADumpGivesTheSameBytes) {
  float CCapacitorRec::*const kFloats[] = {
      &CCapacitorRec::capacitance, &CCapacitorRec::voltage_rating, &CCapacitorRec::current_rating,
      &CCapacitorRec::esr, &CCapacitorRec::extra_value};
  const uint32_t kBits[2][std::size(kFloats)] = {
      {0x7FC00001, 0x7F800001, 0x7F800000, 0xFF800000, 0x80000000},
      {0x00000001, 0xFFC00000, 0xFF7FFFFF, 0x7F7FFFFF, 0}};
  CCapacitorDoc capacitors;
  Fill(capacitors, Capacitor("Alvanta", "AE 1", 1e-6f), Capacitor("", "", 0));
  for (size_t r = 0; r < 2; ++r) {
    for (size_t i = 0; i < std::size(kFloats); ++i) {
      SetBits(capacitors.records[r].get()->*kFloats[i], kBits[r][i]);
    }
  }
  capacitors.records[0]->slot5 = 0x7F7FFFFF;
  capacitors.records[0]->slot7 = 0xFFFFFFFF;
  capacitors.records[1]->slot5 = 0xC69C4000;  // -20000.0
  capacitors.records[1]->slot7 = 0x80000000;
  EXPECT_EQ(kCmpdbSucceeded, Run({"dump", File("dumped.cap", capacitors.SaveToBytes())}));
  EXPECT_EQ(kCmpdbSucceeded, Run({"build", "cap", File("dump.tsv", m_printed), Path("built")}));
  EXPECT_EQ(ReadWholeFile(m_dir / "built"), capacitors.SaveToBytes());
}

// Too few columns, a text for a number, a negative or malformed slot, no input file.
TEST_F(ArchiveKindsTest, BuildRefusesMalformedTextAndWritesNothing) {
  const std::string cap = "A\tB\tX7R\t1\t2\t3\t4\t5\t";
  for (const std::string& text : {std::string("Velmor\tVR\t10\t0.1\n"), cap + "6\t-1\n",
                                  std::string("Velmor\tVR\t10\t0.1\t1%\n"), cap + "0x7g\t1\n"}) {
    const char* kind = text.rfind(cap, 0) == 0 ? "cap" : "res";
    EXPECT_EQ(kCmpdbFailed, Run({"build", kind, File("in.tsv", text), Path("out.res")})) << text;
  }
  EXPECT_EQ(kCmpdbFailed, Run({"build", "ind", Path("missing.tsv"), Path("out.res")}));
  bool found = true;
  ReadWholeFile(m_dir / "out.res", &found);
  EXPECT_FALSE(found);
}

}  // namespace

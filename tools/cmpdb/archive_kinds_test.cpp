#include "tools/cmpdb/archive_kinds.h"

#include <gtest/gtest.h>

#include "sync/archive_test_support.h"
#include "tools/cmpdb/cmpdb_test_support.h"
#ifndef _WIN32
#include "tools/fullscale_plan.h"
#include "tools/sample_plan.h"
#endif

namespace {

using archive_test::Capacitor;
using archive_test::Encode;
using archive_test::Fill;
using archive_test::Inductor;
using archive_test::Resistor;
using archive_test::SetBits;
using platform::ReadWholeFile;
using platform::SystemPathForTest;
using platform::WriteWholeFile;

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

  EXPECT_EQ(kCmpdbSucceeded, Run({"dump", File("standard.cap", Encode(capacitors))}));
  EXPECT_EQ(m_printed,
            "Alvanta\tAE 1\tAl electrolytic\t4.69999986e-06\t50\t0\t0.00999999978\t0\t8000\t1\n"
            "\t\tX7R\t9.99999997e-07\t50\t0x7fc00001\t0.00999999978\t0x80000000\t0\t1\n");
  EXPECT_EQ(kCmpdbSucceeded, Run({"dump", File("standard.RES", Encode(resistors))}));
  EXPECT_EQ(m_printed, "\t\t10\t0.100000001\t0.00999999978\n");
  EXPECT_EQ(kCmpdbSucceeded, Run({"dump", File("beads.bin", Encode(beads)), "bead"}));
  EXPECT_EQ(m_printed,
            "Wurth Elektronik\t742\t9.99999997e-07\t1\t0.0500000007\t2000\t1.99999999e-12\n");

  EXPECT_EQ(kCmpdbFailed, Run({"dump", File("broken.ind", Encode(beads).substr(0, 20))}));
  EXPECT_EQ(m_ui.boxes(), std::vector<std::string>{"Unexpected file format."});
  EXPECT_EQ(kCmpdbFailed, Run({"dump", Path("missing.cap")}));
}

// Floats whose bits a decimal text would not keep, and the extremes of the other numbers.
TEST_F(ArchiveKindsTest, BuildOfADumpGivesTheSameBytes) {
  constexpr uint32_t kNanWithPayload = 0x7FC00001;
  constexpr uint32_t kSignallingNan = 0x7F800001;
  constexpr uint32_t kNegativeNan = 0xFFC00000;
  constexpr uint32_t kInfinity = 0x7F800000;
  constexpr uint32_t kNegativeInfinity = 0xFF800000;
  constexpr uint32_t kNegativeZero = 0x80000000;
  constexpr uint32_t kLargest = 0x7F7FFFFF;
  constexpr uint32_t kNegativeLargest = 0xFF7FFFFF;
  constexpr uint32_t kSmallestSubnormal = 0x00000001;
  constexpr uint32_t kMinus20000 = 0xC69C4000;
  CCapacitorDoc capacitors;
  Fill(capacitors, Capacitor("Alvanta", "AE 1", 1e-6f), Capacitor("", "", 0));
  CCapacitorRec& first = *capacitors.records[0];
  SetBits(first.capacitance, kNanWithPayload);
  SetBits(first.voltage_rating, kSignallingNan);
  SetBits(first.current_rating, kInfinity);
  SetBits(first.esr, kNegativeInfinity);
  SetBits(first.extra_value, kNegativeZero);
  first.slot5 = kLargest;
  first.slot7 = 0xFFFFFFFF;
  CCapacitorRec& second = *capacitors.records[1];
  SetBits(second.capacitance, kSmallestSubnormal);
  SetBits(second.voltage_rating, kNegativeNan);
  SetBits(second.current_rating, kNegativeLargest);
  second.slot5 = kMinus20000;
  second.slot7 = 0x80000000;
  CResistorDoc resistors;
  Fill(resistors, Resistor("Velmor", "VR", 0));
  SetBits(resistors.records[0]->resistance, kNanWithPayload);
  SetBits(resistors.records[0]->power_rating, kNegativeZero);
  CInductorDoc inductors;
  Fill(inductors, Inductor("Kelvra", "KL 1", 0));
  SetBits(inductors.records[0]->inductance, kNegativeNan);
  SetBits(inductors.records[0]->parallel_capacitance, kSmallestSubnormal);

  EXPECT_EQ(Rebuild("cap", Encode(capacitors)), Encode(capacitors));
  EXPECT_EQ(Rebuild("res", Encode(resistors)), Encode(resistors));
  EXPECT_EQ(Rebuild("ind", Encode(inductors)), Encode(inductors));
}

#ifndef _WIN32
// Inductor and bead archives come back as the reader sees them: it renames some makers.
TEST_F(ArchiveKindsTest, BuildOfADumpGivesTheSampleAndFullScaleArchivesBack) {
  for (const std::vector<PlannedFile>& plan : {PlanSampleProduct(), PlanFullScaleProduct()}) {
    for (const PlannedFile& file : plan) {
      if (file.kind != FileKind::kArchive) continue;
      const std::string kind = file.path.substr(file.path.rfind('.') + 1);
      const std::string bytes = MakeFileContent(file);
      std::string expected = bytes;
      if (kind == "ind" || kind == "bead") {
        CInductorDoc read;
        ASSERT_EQ(read.LoadFromBytes(bytes), ArchiveFault::kNone);
        expected = Encode(read);
      }
      EXPECT_EQ(Rebuild(kind, bytes), expected) << file.path << " of " << plan.size();
    }
  }
}
#endif

// A line without the two slots gives a capacitor the simulator's usual 0 and 1.
TEST_F(ArchiveKindsTest, BuildTakesCapacitorLinesWithoutTheSlots) {
  const std::string tsv =
      "Alvanta\tAE 1\tAl electrolytic\t4.69999986e-06\t50\t0.25\t1.5\t0\t8000\t7\r\n"
      "\r\n"
      "Kelvra\tT-2\tTantalum\t1e-06\t16\t0\t2\t0\n";
  ASSERT_EQ(kCmpdbSucceeded, Run({"build", "cap", File("in.tsv", tsv), Path("out.cap")}));
  ASSERT_EQ(kCmpdbSucceeded, Run({"dump", Path("out.cap")}));
  EXPECT_EQ(m_printed,
            "Alvanta\tAE 1\tAl electrolytic\t4.69999986e-06\t50\t0.25\t1.5\t0\t8000\t7\n"
            "Kelvra\tT-2\tTantalum\t9.99999997e-07\t16\t0\t2\t0\t0\t1\n");
}

TEST_F(ArchiveKindsTest, BuildRefusesMalformedTextAndWritesNothing) {
  for (const std::string& text :
       {std::string("Velmor\tVR\t10\t0.1\n"), std::string("Velmor\tVR\t10\t0.1\t1%\n"),
        std::string("Velmor\tVR\t10\t\t0.01\n")}) {
    EXPECT_EQ(kCmpdbFailed, Run({"build", "res", File("in.tsv", text), Path("out.res")})) << text;
  }
  for (const char* slots : {"6\t-1", "0x\t1", "0x123456789\t1", "0x7g\t1"}) {
    EXPECT_EQ(kCmpdbFailed,
              Run({"build", "cap",
                   File("in.tsv", std::string("A\tB\tX7R\t1\t2\t3\t4\t5\t") + slots + "\n"),
                   Path("out.res")}))
        << slots;
  }
  EXPECT_EQ(kCmpdbFailed, Run({"build", "ind", Path("missing.tsv"), Path("out.res")}));
  bool found = true;
  ReadWholeFile(m_dir / "out.res", &found);
  EXPECT_FALSE(found);
}

TEST_F(ArchiveKindsTest, MergeIsTheInstallersMergeWithItsBackup) {
  CInductorDoc user, shipped;
  Fill(user, Inductor("WE eiSos", "742", 1e-6f), Inductor("Mine", "M1", 5e-6f));
  Fill(shipped, Inductor("Wurth Elektronik", "742", 2e-6f));
  const std::string userPath = File("standard.bead", Encode(user));
  const std::string shippedPath = File("shipped.bead", Encode(shipped));

  ASSERT_EQ(kCmpdbSucceeded, Run({"merge", "bead", userPath, shippedPath, userPath}));
  EXPECT_EQ(ReadWholeFile(m_dir / "standard.bead.bak"), Encode(user));
  ASSERT_EQ(kCmpdbSucceeded, Run({"dump", userPath}));
  EXPECT_EQ(m_printed,
            "Wurth Elektronik\t742\t1.99999999e-06\t1\t0.0500000007\t2000\t1.99999999e-12\n"
            "Mine\tM1\t4.99999987e-06\t1\t0.0500000007\t2000\t1.99999999e-12\n");

  EXPECT_EQ(kCmpdbFailed, Run({"merge", "res", userPath, shippedPath, userPath}));
  EXPECT_EQ(kCmpdbFailed, Run({"merge", "cap", Path("none.cap"), shippedPath, Path("none.cap")}));
}

}  // namespace

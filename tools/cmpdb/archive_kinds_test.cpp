#include "tools/cmpdb/archive_kinds.h"

#include <gtest/gtest.h>

#include "sync/archive_test_support.h"
#include "tools/cmpdb/cmpdb_test_support.h"

namespace {

using archive_test::Capacitor;
using archive_test::Encode;
using archive_test::Fill;
using archive_test::Inductor;
using archive_test::Resistor;
using platform::ReadWholeFile;
using platform::SystemPathForTest;
using platform::WriteWholeFile;

using ArchiveKindsTest = CCmpdbTest;

TEST_F(ArchiveKindsTest, DumpPrintsEveryDeclaredFieldInFileOrder) {
  CCapacitorDoc capacitors;
  Fill(capacitors, Capacitor("Alvanta", "AE 1", 4.7e-6f, "Al electrolytic"),
       Capacitor("", "", 1e-6f));
  capacitors.records[0]->slot5 = 0x45FA0000;
  CResistorDoc resistors;
  Fill(resistors, Resistor("", "", 10.0f, 0.1f, 0.01f));
  CInductorDoc beads;
  Fill(beads, Inductor("WE eiSos", "742", 1e-6f));

  EXPECT_EQ(kCmpdbSucceeded, Run({"dump", File("standard.cap", Encode(capacitors))}));
  EXPECT_EQ(m_printed,
            "Alvanta\tAE 1\tAl electrolytic\t4.69999986e-06\t50\t0\t0.00999999978\t0\n"
            "\t\tX7R\t9.99999997e-07\t50\t0\t0.00999999978\t0\n");
  EXPECT_EQ(kCmpdbSucceeded, Run({"dump", File("standard.RES", Encode(resistors))}));
  EXPECT_EQ(m_printed, "\t\t10\t0.100000001\t0.00999999978\n");
  EXPECT_EQ(kCmpdbSucceeded, Run({"dump", File("beads.bin", Encode(beads)), "bead"}));
  EXPECT_EQ(m_printed,
            "Wurth Elektronik\t742\t9.99999997e-07\t1\t0.0500000007\t2000\t1.99999999e-12\n");

  EXPECT_EQ(kCmpdbFailed, Run({"dump", File("broken.ind", Encode(beads).substr(0, 20))}));
  EXPECT_EQ(m_ui.boxes(), std::vector<std::string>{"Unexpected file format."});
  EXPECT_EQ(kCmpdbFailed, Run({"dump", Path("missing.cap")}));
}

TEST_F(ArchiveKindsTest, BuildIsTheInverseOfDump) {
  const std::string tsv =
      "Alvanta\tAE 1\tAl electrolytic\t4.69999986e-06\t50\t0.25\t1.5\t0\t8000\t1\r\n"
      "\r\n"
      "Kelvra\tT-2\tTantalum\t1e-06\t16\t0\t2\t0\n";
  ASSERT_EQ(kCmpdbSucceeded, Run({"build", "cap", File("in.tsv", tsv), Path("out.cap")}));
  CCapacitorDoc built;
  ASSERT_EQ(built.LoadFromBytes(ReadWholeFile(m_dir / "out.cap")), ArchiveFault::kNone);
  ASSERT_EQ(built.records.size(), 2u);
  EXPECT_EQ(built.records[0]->slot5, 0x45FA0000u);  // 8000.0
  EXPECT_EQ(built.records[1]->slot5, 0u);
  EXPECT_EQ(built.records[1]->slot7, kCapacitorSlot7Default);
  EXPECT_EQ(kCmpdbSucceeded, Run({"dump", Path("out.cap")}));
  EXPECT_EQ(m_printed,
            "Alvanta\tAE 1\tAl electrolytic\t4.69999986e-06\t50\t0.25\t1.5\t0\n"
            "Kelvra\tT-2\tTantalum\t9.99999997e-07\t16\t0\t2\t0\n");

  for (const char* kind : {"res", "ind"}) {
    const std::string text = std::string(kind) == "res"
                                 ? "\t\t10.2\t0.100000001\t0.00999999978\nVelmor\tVR\tinf\t1\t-0\n"
                                 : "Kelvra\tKL 1\t1e-06\t2\t0.05\t1500\t3e-12\n";
    const std::string output = Path(std::string("out.") + kind);
    ASSERT_EQ(kCmpdbSucceeded, Run({"build", kind, File("in.tsv", text), output})) << kind;
    const std::string bytes = ReadWholeFile(m_dir / (std::string("out.") + kind));
    ASSERT_EQ(kCmpdbSucceeded, Run({"dump", output}));
    ASSERT_EQ(kCmpdbSucceeded, Run({"build", kind, File("again.tsv", m_printed), output}));
    EXPECT_EQ(ReadWholeFile(m_dir / (std::string("out.") + kind)), bytes) << kind;
  }
}

TEST_F(ArchiveKindsTest, BuildRefusesMalformedTextAndWritesNothing) {
  for (const std::string& text :
       {std::string("Velmor\tVR\t10\t0.1\n"), std::string("Velmor\tVR\t10\t0.1\t1%\n"),
        std::string("Velmor\tVR\t10\t\t0.01\n")}) {
    EXPECT_EQ(kCmpdbFailed, Run({"build", "res", File("in.tsv", text), Path("out.res")})) << text;
  }
  EXPECT_EQ(kCmpdbFailed, Run({"build", "cap", File("in.tsv", "A\tB\tX7R\t1\t2\t3\t4\t5\t6\t-1\n"),
                               Path("out.res")}));
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

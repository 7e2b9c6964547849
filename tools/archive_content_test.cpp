#include "tools/archive_content.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "sync/archive_test_support.h"
#include "tools/fullscale_plan.h"
#include "tools/sample_plan.h"

namespace {

template <class Doc>
Doc Load(const std::string& bytes) {
  Doc doc;
  EXPECT_EQ(doc.LoadFromBytes(bytes), ArchiveFault::kNone);
  return doc;
}

std::string PlannedArchive(const std::vector<PlannedFile>& plan, const std::string& extension) {
  for (const PlannedFile& file : plan) {
    if (file.path == "lib/cmp/standard." + extension) return MakeFileContent(file);
  }
  ADD_FAILURE() << "no standard." << extension << " in the plan";
  return std::string();
}

// The records in `bytes`; `rewritable`: saving them must give the same bytes (inductor
// archives hold maker names that reading normalises).
template <class Doc>
size_t CountRecords(const std::string& bytes, bool rewritable) {
  Doc doc = Load<Doc>(bytes);
  if (rewritable) {
    EXPECT_EQ(archive_test::Encode(doc), bytes) << "as the installer writes it";
  }
  return doc.records.size();
}

TEST(ArchiveContentTest, EverySizeGivesAValidArchiveOfExactlyThatSize) {
  for (size_t size : {size_t{161}, size_t{1025}, size_t{7777}, size_t{49687}}) {
    for (const char* kind : {"cap", "res", "ind", "bead"}) {
      const std::string bytes = MakeComponentArchive(kind, size, size);
      ASSERT_EQ(bytes.size(), size) << kind;
      EXPECT_EQ(bytes, MakeComponentArchive(kind, size, size)) << "the same seed, the same bytes";
      const std::string k = kind;
      const size_t records = k == "cap"   ? CountRecords<CCapacitorDoc>(bytes, true)
                             : k == "res" ? CountRecords<CResistorDoc>(bytes, true)
                                          : CountRecords<CInductorDoc>(bytes, false);
      EXPECT_GE(records, 1u) << kind << " " << size;
    }
  }
  EXPECT_EQ(MakeComponentArchive("cap", 40, 1), std::string(40, '\0')) << "room for no record";
}

TEST(ArchiveContentTest, SampleDatabasesLookLikeTheShippedOnes) {
  const std::vector<PlannedFile> plan = PlanSampleProduct();
  const std::string capacitorBytes = PlannedArchive(plan, "cap");
  CCapacitorDoc capacitors = Load<CCapacitorDoc>(capacitorBytes);
  EXPECT_GE(capacitors.records.size(), 300u);
  std::set<std::string> technologies;
  for (const auto& record : capacitors.records) {
    technologies.insert(record->technology);
    EXPECT_EQ(record->slot7, kCapacitorSlot7Default);
    float lifetime;
    std::memcpy(&lifetime, &record->slot5, sizeof lifetime);
    EXPECT_TRUE(lifetime >= 0 && lifetime <= 20000 && lifetime == static_cast<int>(lifetime));
    EXPECT_GT(record->capacitance, 0);
  }
  EXPECT_EQ(technologies, (std::set<std::string>{"Al electrolytic", "Tantalum", "X5R", "X7R"}));

  CResistorDoc resistors = Load<CResistorDoc>(PlannedArchive(plan, "res"));
  ASSERT_GT(resistors.records.size(), 481u);
  EXPECT_EQ(resistors.records[0]->resistance, 10.0f);
  EXPECT_EQ(resistors.records[480]->resistance, 1e6f);
  EXPECT_EQ(resistors.records[480]->manufacturer, "");
  EXPECT_NE(resistors.records[481]->manufacturer, "");

  for (const char* kind : {"ind", "bead"}) {
    const std::string bytes = PlannedArchive(plan, kind);
    EXPECT_NE(bytes.find("WE eiSos"), std::string::npos) << kind;
    EXPECT_GE(Load<CInductorDoc>(bytes).records.size(), 80u) << kind;
  }
  EXPECT_NE(capacitorBytes.find("WE eiSos"), std::string::npos);
}

template <class Doc>
void ExpectMergeWithItselfKeepsEveryRecord(const std::string& bytes, const char* kind) {
  Doc user = Load<Doc>(bytes);
  Doc shipped = Load<Doc>(bytes);
  const size_t count = user.records.size();
  user.MergeShippedRecords(shipped);
  EXPECT_EQ(user.records.size(), count) << kind << ": every part occurs once";
}

TEST(ArchiveContentTest, EveryPartOccursOnce) {
  for (const std::vector<PlannedFile>& plan : {PlanSampleProduct(), PlanFullScaleProduct()}) {
    ExpectMergeWithItselfKeepsEveryRecord<CCapacitorDoc>(PlannedArchive(plan, "cap"), "cap");
    ExpectMergeWithItselfKeepsEveryRecord<CResistorDoc>(PlannedArchive(plan, "res"), "res");
    ExpectMergeWithItselfKeepsEveryRecord<CInductorDoc>(PlannedArchive(plan, "ind"), "ind");
    ExpectMergeWithItselfKeepsEveryRecord<CInductorDoc>(PlannedArchive(plan, "bead"), "bead");
  }
}

TEST(ArchiveContentTest, FullScaleResistorsAreTheGenericSeries) {
  CResistorDoc resistors = Load<CResistorDoc>(PlannedArchive(PlanFullScaleProduct(), "res"));
  ASSERT_EQ(resistors.records.size(), 481u);
  EXPECT_EQ(resistors.records.back()->resistance, 1e6f);
  EXPECT_EQ(resistors.records.back()->part_number, "");
}

}  // namespace

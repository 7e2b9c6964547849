#include "sync/component_archive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_file.h"
#include "sync/archive_test_support.h"
#include "sync/component_docs.h"

namespace {

using archive_test::Capacitor;
using archive_test::Fill;
using archive_test::Hex;
using archive_test::Inductor;
using archive_test::Resistor;
using archive_test::SetBits;

const std::string kResistorClass = Hex("FF FF 00 00 0C 00") + "CResistorRec";
const std::string kInductorClass = Hex("FF FF 00 00 0C 00") + "CInductorRec";
const std::string kCapacitorClass = Hex("FF FF 00 00 0D 00") + "CCapacitorRec";

// A resistor record's fields: two empty texts and 10.0, 0.1, 0.01.
const std::string kPlainResistorFields = Hex("00 00 00 00 20 41 CD CC CC 3D 0A D7 23 3C");

// Each record class's bytes, written out here, so that a field written in another's place shows
// even though reading goes through the same code.
TEST(ArchiveTest, EachRecordClassHasItsFixedBytes) {
  auto expectBytes = [](auto& doc, const std::string& bytes) {
    EXPECT_EQ(doc.SaveToBytes(), bytes);
    ASSERT_EQ(doc.LoadFromBytes(bytes), ArchiveFault::kNone);
    EXPECT_EQ(doc.SaveToBytes(), bytes) << "read back";
  };
  CCapacitorDoc capacitors;
  auto capacitor = Capacitor(std::string(300, 'L'), "C-1", 1.0f);
  capacitor->voltage_rating = 2.0f;
  capacitor->current_rating = 4.0f;
  SetBits(capacitor->esr, 0x7F800001);  // a signalling NaN, which must not be quieted
  capacitor->slot5 = 0x469C4000;        // 20000.0
  SetBits(capacitor->extra_value, 0x80000000);
  capacitor->slot7 = 7;
  Fill(capacitors, std::move(capacitor), std::make_unique<CCapacitorRec>());
  const std::string capacitorBytes =
      Hex("02 00") + kCapacitorClass + Hex("FF 2C 01") + std::string(300, 'L') + Hex("03") + "C-1" +
      Hex("03") + "X7R" +
      Hex("00 00 80 3F 00 00 00 40 00 00 80 40 01 00 80 7F 00 40 9C 46 00 00 00 80 07 00 00 00") +
      Hex("01 80 00 00 00") + std::string(24, '\0') + Hex("01 00 00 00");
  expectBytes(capacitors, capacitorBytes);

  CInductorDoc inductors;
  auto inductor = Inductor("Kelvra", "L1", 1.0f, 2.0f);
  inductor->series_resistance = 4.0f;
  inductor->parallel_resistance = 8.0f;
  inductor->parallel_capacitance = 16.0f;
  Fill(inductors, std::move(inductor));
  expectBytes(inductors, Hex("01 00") + kInductorClass + Hex("06") + "Kelvra" + Hex("02") + "L1" +
                             Hex("00 00 80 3F 00 00 00 40 00 00 80 40 00 00 00 41 00 00 80 41"));

  // The shipped resistor database begins so.
  CResistorDoc resistors;
  Fill(resistors, Resistor("", "", 10.0f, 0.1f, 0.01f), Resistor("", "", 10.2f, 0.1f, 0.01f));
  expectBytes(resistors, Hex("02 00") + kResistorClass + kPlainResistorFields +
                             Hex("01 80 00 00 33 33 23 41 CD CC CC 3D 0A D7 23 3C"));
}

// Counts and text lengths take their longer forms from their escapes on, and read back.
TEST(ArchiveTest, CountsAndTextLengthsTakeTheLongFormsFromTheirEscapes) {
  const struct {
    size_t count, length;
    const char* prefix;  // at the start for a count, at the first text otherwise
  } kCases[] = {{65534, 0, "FE FF"},
                {65535, 0, "FF FF FF FF 00 00"},
                {1, 254, "FE"},
                {1, 255, "FF FF 00"},
                {1, 65533, "FF FD FF"},
                {1, 65534, "FF FF FF FE FF 00 00"},
                {1, 70000, "FF FF FF 70 11 01 00"}};
  for (const auto& c : kCases) {
    CResistorDoc doc;
    for (size_t i = 0; i < c.count; ++i) {
      doc.records.push_back(Resistor(std::string(i ? 0 : c.length, 'm'), "", 1.0f));
    }
    const std::string bytes = doc.SaveToBytes(), prefix = Hex(c.prefix);
    EXPECT_EQ(bytes.substr(c.count > 1 ? 0 : 2 + kResistorClass.size(), prefix.size()), prefix)
        << c.count << " records, a text of " << c.length;
    ASSERT_EQ(doc.LoadFromBytes(bytes), ArchiveFault::kNone) << c.count << " " << c.length;
    EXPECT_EQ(doc.records.size(), c.count);
    EXPECT_EQ(doc.records[0]->manufacturer.size(), c.length);
  }
}

// Forms the writer never uses read all the same: wide texts, which save plain, a class described
// again and a class tag in the long form.
TEST(ArchiveTest, ReadsWideTextsRepeatedClassDescriptionsAndLongClassTags) {
  // "Vx" as two UTF-16LE units behind the wide marker, then a wide text of 0 units.
  CInductorDoc inductors;
  ASSERT_EQ(inductors.LoadFromBytes(Hex("01 00") + kInductorClass + Hex("FF FE FF 02 56 00 78 00") +
                                    Hex("FF FE FF 00") + std::string(20, '\0')),
            ArchiveFault::kNone);
  EXPECT_EQ(inductors.SaveToBytes(),
            Hex("01 00") + kInductorClass + Hex("02 56 78 00") + std::string(20, '\0'));

  const std::string fields = kPlainResistorFields;
  // Index 1: the class, 2: a record, 3: the class described again, 4: a record, then records
  // of class 3 in the long form and of class 1 in the short form.
  CResistorDoc resistors;
  ASSERT_EQ(
      resistors.LoadFromBytes(Hex("04 00") + kResistorClass + fields + kResistorClass + fields +
                              Hex("FF 7F 03 00 00 80") + fields + Hex("01 80") + fields),
      ArchiveFault::kNone);
  EXPECT_EQ(resistors.records.size(), 4u);
}

TEST(ArchiveTest, RejectsWhatIsNotADatabase) {
  const std::string fields = kPlainResistorFields;
  const std::string longName = Hex("FF FF 00 00 40 00") + std::string(64, 'C');
  const struct {
    const char* what;
    std::string bytes;
  } kCases[] = {
      {"class name of 64 bytes", Hex("01 00") + longName + fields},
      {"unknown class", Hex("01 00 FF FF 00 00 0C 00") + "CResistorReq" + fields},
      {"class name in another case", Hex("01 00 FF FF 00 00 0C 00") + "CRESISTORREC" + fields},
      {"schema 1", Hex("01 00 FF FF 01 00 0C 00") + "CResistorRec" + fields},
      {"class index past the last", Hex("02 00") + kResistorClass + fields + Hex("03 80") + fields},
      {"class index 0", Hex("01 00 00 80") + fields},
      {"class index naming a record", Hex("02 00") + kResistorClass + fields + Hex("02 80")},
      {"long class tag past the last",
       Hex("02 00") + kResistorClass + fields + Hex("FF 7F 09 00 00 80") + fields},
      {"object index past the last", Hex("02 00") + kResistorClass + fields + Hex("05 00")},
      {"long object index past the last", Hex("01 00 FF 7F 01 00 00 00") + fields},
      {"null reference", Hex("01 00 00 00") + fields},
      {"reference to a record read before", Hex("02 00") + kResistorClass + fields + Hex("02 00")},
      {"reference to a class", Hex("02 00") + kResistorClass + fields + Hex("01 00")},
      {"record of another class",
       Hex("01 00") + kInductorClass + Hex("00 00") + std::string(20, '\0')},
      {"count the bytes cannot hold", Hex("FF FF FF FF FF 7F") + kResistorClass + fields},
      {"wide marker inside a wide text",
       Hex("01 00") + kResistorClass + Hex("FF FE FF FF FE FF 00 00") + fields},
      {"text longer than the file", Hex("01 00") + kResistorClass + Hex("FF FF FF FF FF FF 7F")},
  };
  for (const auto& c : kCases) {
    CResistorDoc doc;
    doc.records.push_back(Resistor("kept", "until the load", 1.0f));
    ArchiveFault fault = doc.LoadFromBytes(c.bytes);
    EXPECT_TRUE(IsFormatFault(fault)) << c.what;
    EXPECT_TRUE(doc.records.empty()) << c.what;
    EXPECT_EQ(LoadFaultText(fault), "Unexpected file format.") << c.what;
  }
}

// A record written again becomes a reference to its index, in the long form from 0x7FFF on.
TEST(ArchiveTest, WritesARecordWrittenBeforeAsAReference) {
  platform::CStringFile file;
  ComponentArchive archive(file);
  auto first = Resistor("", "", 10.0f, 0.1f, 0.01f);
  CResistorRec copy = *first;  // a record of its own
  archive.WriteObject(first.get());
  archive.WriteObject(first.get());
  archive.WriteObject(&copy);
  archive.WriteObject(nullptr);
  std::vector<CResistorRec> many(0x7FFF - 3);
  for (CResistorRec& record : many) archive.WriteObject(&record);
  archive.WriteObject(&many.back());
  ASSERT_TRUE(archive.Flush());

  const std::string expected = kResistorClass + kPlainResistorFields + Hex("02 00 01 80") +
                               kPlainResistorFields + Hex("00 00");
  EXPECT_EQ(file.bytes().substr(0, expected.size()), expected);
  EXPECT_EQ(file.bytes().substr(file.bytes().size() - 6), Hex("FF 7F FF 7F 00 00"));
}

// Every cut of an archive with a record of every shape the reader distinguishes.
TEST(ArchiveTest, EveryTruncationIsAFormatErrorAndLeavesNoRecords) {
  CCapacitorDoc doc;
  Fill(doc, Capacitor("Alvanta", "AC-1", 1e-6f, "Al electrolytic"),
       Capacitor(std::string(300, 'L'), "", 4.7e-6f), Capacitor("", "T-9", 2.2e-5f, "Tantalum"));
  // Bytes after the last record are not read.
  const std::string whole = doc.SaveToBytes() + Hex("FF FE FF 01 41 00");
  ASSERT_EQ(doc.LoadFromBytes(whole), ArchiveFault::kNone);
  const size_t recordsEnd = whole.size() - 6;
  for (size_t length = 1; length < recordsEnd; ++length) {
    doc.records.push_back(Capacitor("kept", "until the load", 1.0f));
    ArchiveFault fault = doc.LoadFromBytes(whole.substr(0, length));
    ASSERT_TRUE(IsFormatFault(fault)) << "cut at " << length;
    ASSERT_TRUE(doc.records.empty()) << "cut at " << length;
  }
}

// Inductor makers spelled as Wurth in any of its ways read as "Wurth Elektronik"; capacitor
// makers, and makers that only look alike, stay as written.
TEST(ArchiveTest, InductorManufacturersAreNormalisedWhenRead) {
  const std::string kSpellings[] = {
      "WE eiSos", "Wurth Elektronik eiSos",    "wurth elektronik", "we EISOS GmbH",
      "WE",       std::string("\0WE eiSos", 9)};
  constexpr size_t kWurthSpellings = 4;
  CInductorDoc inductors;
  CCapacitorDoc capacitors;
  for (const std::string& spelling : kSpellings) {
    inductors.records.push_back(Inductor(spelling, "eiSos", 1e-6f));
    capacitors.records.push_back(Capacitor(spelling, "885", 1e-6f));
  }
  ASSERT_EQ(inductors.LoadFromBytes(inductors.SaveToBytes()), ArchiveFault::kNone);
  ASSERT_EQ(capacitors.LoadFromBytes(capacitors.SaveToBytes()), ArchiveFault::kNone);
  for (size_t i = 0; i < std::size(kSpellings); ++i) {
    EXPECT_EQ(inductors.records[i]->manufacturer,
              i < kWurthSpellings ? "Wurth Elektronik" : kSpellings[i])
        << i;
    EXPECT_EQ(capacitors.records[i]->manufacturer, kSpellings[i]);
  }
}

}  // namespace

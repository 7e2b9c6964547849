// Times the component archive merges (capacitors, resistors, inductors) on generated archives
// of 10,000 and 100,000 records each, through the installer's entry points (backup, load, merge,
// save), and prints the ratio of each pair: a merge whose cost grows with n log n gives a
// little over 10 (more where the larger data no longer fit the processor's caches).
//
//   bench_archive_merge SCRATCH_DIR [ROUNDS]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <type_traits>

#include "platform/fake/fake_system.h"
#include "platform/files.h"
#include "sync/archive_merge.h"

namespace {

using Merge = int (*)(const char* output, const char* shipped, const char* user);

constexpr int kSmallCount = 10000;
constexpr int kLargeCount = 100000;
constexpr int kDefaultRounds = 5;
constexpr int kMakers = 37;
constexpr int kBlankEvery = 10;  // every tenth user resistor has no texts
constexpr double kTarget = 15;

// Record i of the user's or the shipped archive. The shipped archive gives every second user
// key again (in another letter case) and as many new ones; every tenth user resistor is blank
// and has the numbers of a shipped record.
template <class Rec>
std::unique_ptr<Rec> MakeRecord(int i, int count, bool shipped) {
  auto record = std::make_unique<Rec>();
  const int number = shipped && i % 2 == 1 ? count + i : i;
  record->manufacturer = (shipped ? "MAKER " : "Maker ") + std::to_string(number % kMakers);
  record->part_number = (shipped ? "p-" : "P-") + std::to_string(number);
  const float value = static_cast<float>(number % 997) + static_cast<float>(number) * 1e-3f;
  if constexpr (std::is_same_v<Rec, CCapacitorRec>) {
    record->technology = "X7R";
    record->capacitance = value * 1e-9f;
    record->voltage_rating = 50;
    record->esr = 0.01f;
  } else if constexpr (std::is_same_v<Rec, CInductorRec>) {
    record->inductance = value * 1e-6f;
    record->current_rating = 1;
    record->parallel_resistance = 1000;
  } else {
    if (!shipped && i % kBlankEvery == 0) {
      record->manufacturer.clear();
      record->part_number.clear();
    }
    record->resistance = value;
    record->power_rating = 0.25f;
    record->tolerance = 0.01f;
  }
  return record;
}

// The bytes of a generated archive of `count` records.
template <class Doc>
std::string EncodeArchive(int count, bool shipped) {
  Doc doc;
  for (int i = 0; i < count; ++i) {
    doc.records.push_back(MakeRecord<typename Doc::Record>(i, count, shipped));
  }
  return doc.SaveToBytes();
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

// One merge of archives of one size, as the installer runs it over the user's file.
class CMergeRun {
 public:
  CMergeRun(const std::string& scratch, const std::string& name, int count,
            std::string (*encode)(int, bool), Merge merge)
      : m_user(scratch + "/" + name + ".db"),
        m_shipped(scratch + "/" + name + ".shipped"),
        m_userBytes(encode(count, false)),
        m_merge(merge) {
    if (!WriteBytes(m_shipped, encode(count, true))) Fail("cannot write to " + scratch);
  }
  ~CMergeRun() {
    std::remove(m_user.c_str());
    std::remove((m_user + ".bak").c_str());
    std::remove(m_shipped.c_str());
  }

  // Processor seconds of one merge. Processor time rather than elapsed time: on a shared
  // machine a long run waits for the processor more often than a short one, which would
  // inflate the ratio that this benchmark is about.
  double Time() {
    if (!WriteBytes(m_user, m_userBytes)) Fail("cannot write " + m_user);
    const std::string user = platform::ImportPath(m_user);
    const std::string shipped = platform::ImportPath(m_shipped);
    const std::clock_t start = std::clock();
    const int merged = m_merge(user.c_str(), shipped.c_str(), user.c_str());
    const std::clock_t end = std::clock();
    if (!merged) Fail("the merge failed");
    return static_cast<double>(end - start) / CLOCKS_PER_SEC;
  }

 private:
  static void Fail(const std::string& problem) {
    std::fprintf(stderr, "bench_archive_merge: %s\n", problem.c_str());
    std::exit(1);
  }

  std::string m_user;
  std::string m_shipped;
  std::string m_userBytes;
  Merge m_merge;
};

// Times both sizes of one kind, the rounds alternating between them so that a busy spell of
// the machine weighs on both alike; the fastest round of each counts.
template <class Doc>
bool Report(const char* kind, const std::string& scratch, int rounds, Merge merge) {
  CMergeRun small(scratch, "small", kSmallCount, EncodeArchive<Doc>, merge);
  CMergeRun large(scratch, "large", kLargeCount, EncodeArchive<Doc>, merge);
  double smallBest = 1e9, largeBest = 1e9;
  for (int round = 0; round < rounds; ++round) {
    smallBest = std::min(smallBest, small.Time());
    largeBest = std::min(largeBest, large.Time());
  }
  const double ratio = largeBest / smallBest;
  std::printf("  %-10s %d records each %.3f s, %d records each %.3f s, ratio %.1f\n", kind,
              kSmallCount, smallBest, kLargeCount, largeBest, ratio);
  return ratio < kTarget;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_archive_merge SCRATCH_DIR [ROUNDS]\n");
    return 2;
  }
  platform::CFakeSystem system;  // a failed backup would otherwise wait 5 s
  platform::UseSystem(&system);
  const std::string scratch = argv[1];
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : kDefaultRounds;
  std::printf(
      "component archive merge (processor time, best of %d; target: ratio under %.0f for 10x the "
      "data):\n",
      rounds, kTarget);
  bool met = Report<CCapacitorDoc>("capacitors", scratch, rounds, MergeCapacitorDatabase);
  met = Report<CResistorDoc>("resistors", scratch, rounds, MergeResistorDatabase) && met;
  met = Report<CInductorDoc>("inductors", scratch, rounds, MergeInductorDatabase) && met;
  std::printf("  target %s\n", met ? "met" : "missed");
  return 0;
}

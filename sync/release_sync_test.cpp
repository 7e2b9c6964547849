#include "sync/release_sync.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "engine/files.h"
#include "engine/fixture_table_test_support.h"
#include "engine/message.h"
#include "engine/paths.h"
#include "platform/fake/fake_system.h"
#include "platform/fake/fake_ui.h"
#include "platform/fake/faulty_files.h"
#include "platform/fake/test_files.h"
#include "sync/archive_merge.h"
#include "sync/archive_test_support.h"
#include "sync/model_library.h"
#include "sync/model_library_merge.h"

namespace {

using platform::CFaultyFiles;
using platform::ReadWholeFile;
using platform::WriteWholeFile;

constexpr char kBjt[] = ".\\lib\\cmp\\standard.bjt";
constexpr char kDio[] = ".\\lib\\cmp\\standard.dio";
constexpr char kJft[] = ".\\lib\\cmp\\standard.jft";
constexpr char kMos[] = ".\\lib\\cmp\\standard.mos";
constexpr char kCap[] = ".\\lib\\cmp\\standard.cap";
constexpr char kRes[] = ".\\lib\\cmp\\standard.res";
constexpr char kInd[] = ".\\lib\\cmp\\standard.ind";
constexpr char kBead[] = ".\\lib\\cmp\\standard.bead";
const char* const kDatabases[] = {kBjt, kDio, kJft, kMos, kCap, kRes, kInd, kBead};

std::vector<std::string> g_statusLines;
void RecordStatus(const char* text) { g_statusLines.push_back(text); }

// A model library of `count` models named <prefix><n>, long enough to be stored compressed.
std::string ModelLibrary(const std::string& prefix, int count) {
  std::string text = "* models\r\n";
  for (int i = 0; i < count; ++i) {
    text += ".model " + prefix + std::to_string(i) +
            " NPN(IS=1E-14\r\n+ BF=" + std::to_string(100 + i) + ")\r\n";
  }
  return text;
}

// The eight databases as shipped (60 entries each), or as a user keeps them (`userCount`
// entries of other names, whose values sort after the shipped ones).
std::map<std::string, std::string> Databases(bool shipped, int userCount = 3) {
  const std::string maker = shipped ? "Shipped" : "Mine";
  const int count = shipped ? 60 : userCount;
  CCapacitorDoc capacitors;
  CResistorDoc resistors;
  CInductorDoc inductors, beads;
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    const float x = i + (shipped ? 1.0f : 1000.0f);
    capacitors.records.push_back(archive_test::Capacitor(maker, "C" + n, 1e-9f * x));
    resistors.records.push_back(archive_test::Resistor(maker, "R" + n, 10 * x));
    inductors.records.push_back(archive_test::Inductor(maker, "L" + n, 1e-6f * x));
    beads.records.push_back(archive_test::Inductor(maker + " beads", "B" + n, 1e-6f * x));
  }
  return {
      {kBjt, ModelLibrary(shipped ? "Q" : "MYQ", count)},
      {kDio, ModelLibrary(shipped ? "D" : "MYD", count)},
      {kJft, ModelLibrary(shipped ? "J" : "MYJ", count)},
      {kMos, ModelLibrary(shipped ? "M" : "MYM", count)},
      {kCap, capacitors.SaveToBytes()},
      {kRes, resistors.SaveToBytes()},
      {kInd, inductors.SaveToBytes()},
      {kBead, beads.SaveToBytes()},
  };
}

// Every record of the archive `file`, each as one text; none when it cannot be read.
template <class Doc>
std::multiset<std::string> RecordTexts(const std::string& file) {
  Doc doc;
  doc.LoadFromBytes(ReadWholeFile(file));  // a failed load leaves no records
  std::multiset<std::string> texts;
  for (auto& record : doc.records) {
    Doc one;
    one.records.push_back(std::move(record));
    texts.insert(one.SaveToBytes());
  }
  return texts;
}

// Every model or record of `database` that the installer's readers find in `file`.
std::multiset<std::string> Entries(const std::string& database, const std::string& file) {
  auto merge = FindMergedDatabase(database)->merge;
  if (merge == MergeCapacitorDatabase) return RecordTexts<CCapacitorDoc>(file);
  if (merge == MergeResistorDatabase) return RecordTexts<CResistorDoc>(file);
  if (merge == MergeInductorDatabase) return RecordTexts<CInductorDoc>(file);
  std::multiset<std::string> texts;
  if (std::optional<ModelList> models = LoadModelLibrary(file)) {
    for (const ModelRec& model : *models) texts.insert(model.text);
  }
  return texts;
}

// Every file below `directory` with its content, by path relative to it.
std::map<std::string, std::string> Tree(const std::string& directory) {
  namespace fs = std::filesystem;
  const fs::path root = platform::SystemPathForTest(directory);
  std::map<std::string, std::string> tree;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    const std::string relative = entry.path().lexically_relative(root).generic_string();
    tree[relative] = ReadWholeFile(directory + "\\" + platform::ImportPath(relative));
  }
  return tree;
}

// One installation of a small product over a prepared directory (its own, or one that an
// earlier run left), with its own stand-ins.
class CInstallRun {
 public:
  explicit CInstallRun(const platform::CScopedTempDir* dir = nullptr)
      : m_dir(dir ? *dir : m_ownDir) {
    platform::UseSystem(&m_system);
    platform::UseUi(&m_ui);
    platform::UseFiles(&m_files);
    m_system.SetEnvironment("TMP", m_temporaryDir.path());
    g_statusLines.clear();
    g_statusText.SetListener(RecordStatus);
    snprintf(g_installDir, sizeof g_installDir, "%s", m_dir.path().c_str());
  }
  ~CInstallRun() {
    g_statusText.SetListener(nullptr);
    platform::UseFiles(nullptr);
    platform::UseUi(nullptr);
    platform::UseSystem(nullptr);
  }

  std::string Installed(const std::string& path) const { return JoinPath(m_dir.path(), path); }

  // Puts the user's copy of `path` in place.
  void Prepare(const std::string& path, const std::string& content) {
    CreateDirectoryTree(ParentDirectory(Installed(path)), &m_budget);
    ASSERT_TRUE(WriteWholeFile(Installed(path), content));
  }

  // The shipped product; the stored member of `damaged` gets a wrong checksum.
  void AddProduct(const std::string& damaged = "") {
    for (const auto& [path, content] : Databases(true)) {
      std::string& stored = m_table.Add(path, content);
      if (path == damaged) stored[stored.size() - 5] ^= 1;
    }
    m_table.Add(".\\qsim3.exe", "MZ stub");
    m_added = true;
  }

  int Install(bool update) {
    if (!m_added) AddProduct();
    g_updateMode = update ? 1 : 0;
    g_installDone.store(0);
    return InstallPayload(m_table.index(), ReleaseSyncEntry);
  }

  // Every file the installation opened outside the installation directory (temporary files),
  // or those of them still there.
  std::vector<std::string> TemporaryFiles(bool leftOnly = true) const {
    std::vector<std::string> left;
    for (const std::string& path : m_files.opened()) {
      if (path.rfind(m_dir.path(), 0) != 0 && (!leftOnly || FileExists(path))) {
        left.push_back(path);
      }
    }
    return left;
  }

  bool Saw(const std::string& status) const {
    return std::find(g_statusLines.begin(), g_statusLines.end(), status) != g_statusLines.end();
  }

  platform::CScopedTempDir m_ownDir;
  const platform::CScopedTempDir& m_dir;
  platform::CScopedTempDir m_temporaryDir;  // TMP: extraction's temporaries, left by failures
  platform::CFakeSystem m_system;
  platform::CFakeUi m_ui;
  CFaultyFiles m_files;
  CFixtureTable m_table;
  bool m_added = false;
  int m_budget = 0;
};

// Update merges the databases the user has and installs the others as shipped; Overwrite
// installs them all as shipped, without a backup.
TEST(ReleaseSyncTest, UpdateMergesTheDatabasesTheUserHasAndOverwriteMergesNone) {
  const auto user = Databases(false), shipped = Databases(true);
  const std::set<std::string> kept = {kBjt, kCap, kRes, kBead};
  for (bool update : {false, true}) {
    SCOPED_TRACE(update ? "Update" : "Overwrite");
    CInstallRun run;
    for (const std::string& path : kept) run.Prepare(path, user.at(path));
    ASSERT_EQ(1, run.Install(update));
    for (const auto& [path, content] : shipped) {
      const bool merged = update && kept.count(path);
      EXPECT_EQ(merged, run.Saw("Merging: " + path + ".gz\n")) << path;
      EXPECT_EQ(!merged, run.Saw("Extracting: " + path + ".gz\n")) << path;
      EXPECT_EQ(merged ? user.at(path) : "", ReadWholeFile(run.Installed(path) + ".bak")) << path;
      if (!merged) {
        EXPECT_EQ(content, ReadWholeFile(run.Installed(path))) << path;
      }
    }
    EXPECT_TRUE(run.TemporaryFiles().empty());
    EXPECT_TRUE(run.m_ui.boxes().empty());
    if (!update) continue;
    const std::string bjt = ReadWholeFile(run.Installed(kBjt));
    EXPECT_EQ(0u, bjt.rfind(kModelLibraryNotice, 0));
    EXPECT_NE(std::string::npos, bjt.find(".model MYQ2 NPN(IS=1E-14 BF=102)\r\n.model Q0 "))
        << "the user's models first, then the shipped ones";
    CInductorDoc beads;
    ASSERT_EQ(ArchiveFault::kNone, beads.LoadFromBytes(ReadWholeFile(run.Installed(kBead))));
    EXPECT_EQ(63u, beads.records.size());
  }
}

// The message of a failed merge of `kind`, after which the shipped file is written.
std::string Overwriting(const std::string& kind) {
  return "Trouble merging " + kind + " databases.\n    ...overwriting";
}

// Every failure the route can meet, each shown in its words: a merge that fails hands its
// database to the plain route, the others end the installation. No temporary file stays.
TEST(ReleaseSyncTest, EachFailureShowsItsText) {
  const std::string writing = "Trouble writing file.\nOut of disk space?  Permission problem?";
  const std::string denied = "Access to %s was denied.";
  struct SFailurePoint {
    const char* what;
    std::function<void(CInstallRun&)> arrange;
    // %s: the archive met, %t: the temporary file, %T: the same as zlib names it
    std::vector<std::string> boxes;
  };
  const SFailurePoint points[] = {
      {"no new file for any merged database",
       [](CInstallRun& run) {
         for (const char* path : kDatabases)
           run.m_files.FailOpensOf(run.Installed(path) + ".new", 1);
       },
       {denied, Overwriting("ferrite bead"), Overwriting("BJT"), denied, Overwriting("capacitor"),
        Overwriting("diode"), denied, Overwriting("inductor"), Overwriting("JFET"),
        Overwriting("MOSFET"), denied, Overwriting("resistor")}},
      {"a corrupt user database",
       [](CInstallRun& run) { run.Prepare(kRes, "not an archive at all"); },
       {"Unexpected file format.", Overwriting("resistor")}},
      {"no temporary file",
       [](CInstallRun& run) { run.m_files.FailTempFiles(); },
       {"Trouble creating temporary file.\nOut of disk space?  Permission problem?"}},
      {"a full disk for the temporary file",
       [](CInstallRun& run) { run.m_files.FailWritesFrom(1); },
       {writing}},
      {"a damaged member",
       [](CInstallRun& run) { run.AddProduct(kBead); },
       {"Trouble un-gziping tmpfile: %t\n%t: incorrect data check"}},
      {"a folder where a database was: the plain route cannot write over it",
       [](CInstallRun& run) {
         platform::Files().RemoveFile(run.Installed(kBead).c_str());
         CreateDirectoryTree(run.Installed(kBead), &run.m_budget);
       },
       {writing}},
  };
  const auto user = Databases(false);
  const char* const archives[] = {kBead, kCap, kInd, kRes};  // in the order they are met
  for (const SFailurePoint& point : points) {
    SCOPED_TRACE(point.what);
    CInstallRun run;
    for (const auto& [path, content] : user) run.Prepare(path, content);
    point.arrange(run);
    const int installed = run.Install(true);

    const std::vector<std::string> temporary = run.TemporaryFiles(false);
    std::vector<std::string> expected;
    size_t database = 0;
    for (std::string box : point.boxes) {
      if (box.find("%s") != std::string::npos) {
        box.replace(box.find("%s"), 2, run.Installed(archives[database++]));
      }
      while (box.find("%t") != std::string::npos && !temporary.empty()) {
        box.replace(box.find("%t"), 2, temporary[0]);
      }
      expected.push_back(box);
    }
    EXPECT_EQ(expected, run.m_ui.boxes());
    const bool merged = point.boxes.back().find("...overwriting") != std::string::npos;
    EXPECT_EQ(merged ? 1 : 0, installed);
    EXPECT_EQ(merged ? std::vector<int>{} : std::vector<int>{kFailureExitStatus},
              run.m_system.exits());
    if (merged) {
      EXPECT_EQ(Databases(true).at(kRes), ReadWholeFile(run.Installed(kRes)));
    }
    EXPECT_TRUE(run.TemporaryFiles().empty());
  }
  EXPECT_EQ(FindMergedDatabase(kBjt), FindMergedDatabase(".\\LIB\\CMP\\Standard.BJT"));
  EXPECT_EQ(nullptr, FindMergedDatabase(".\\lib\\cmp\\standard.bjt.bak"));
}

// One kind of fault, armed at the call number `at` of its kind.
struct Fault {
  const char* name;
  void (CFaultyFiles::*arm)(long at);
  long (CFaultyFiles::*calls)() const;  // how many an installation made
  // Whether a second Update must still find every entry of the user. Not after a failed close
  // or sync: the shipped file then replaces the user's, as the message says, and the user's
  // file is only in the backup, which the next Update replaces.
  bool secondRunKeepsAll;
};

const Fault kFaults[] = {
    {"full disk from write", &CFaultyFiles::FailWritesFrom, &CFaultyFiles::writeCalls, true},
    {"failed close", &CFaultyFiles::FailClose, &CFaultyFiles::closeCalls, false},
    {"failed sync", &CFaultyFiles::FailSync, &CFaultyFiles::syncCalls, false},
    {"process ended at write", &CFaultyFiles::EndProcessAtWrite, &CFaultyFiles::writeCalls, true},
};

// The promise of Update mode. Whatever fault strikes at whichever call, the user's databases are
// whole in their place or in their backups; an installation that reports nothing wrong is
// exactly the undisturbed one; and a second, undisturbed Update keeps every entry the user had.
// The user's databases are as large as the shipped ones, so that any cut would lose entries.
TEST(ReleaseSyncTest, NoFaultAtAnyCallLosesAnythingOfTheUser) {
  const auto user = Databases(false, 60);
  const std::pair<const char*, std::map<std::string, std::string>> scenarios[] = {
      {"all eight present", user},
      {"some present, one corrupt",
       {{kJft, user.at(kJft)}, {kInd, user.at(kInd)}, {kCap, "corrupt"}}},
  };
  long faults = 0;
  for (const auto& [scenario, before] : scenarios) {
    std::map<std::string, std::multiset<std::string>> mine;
    for (const Fault& fault : kFaults) {
      std::map<std::string, std::string> undisturbed;
      long calls;
      {
        CInstallRun clean;
        for (const auto& [path, content] : before) {
          clean.Prepare(path, content);
          mine[path] = Entries(path, clean.Installed(path));
          ASSERT_FALSE(mine[path].empty() && content != "corrupt") << path;
        }
        ASSERT_EQ(1, clean.Install(true)) << scenario;
        calls = (clean.m_files.*fault.calls)();
        undisturbed = Tree(clean.m_dir.path());
      }
      for (long at = 1; at <= calls; ++at, ++faults) {
        SCOPED_TRACE(std::string(scenario) + ", " + fault.name + " " + std::to_string(at));
        platform::CScopedTempDir dir;
        {
          CInstallRun faulty(&dir);
          for (const auto& [path, content] : before) faulty.Prepare(path, content);
          (faulty.m_files.*fault.arm)(at);
          faulty.Install(true);
          for (const auto& [path, content] : before) {
            EXPECT_TRUE(ReadWholeFile(faulty.Installed(path)) == content ||
                        ReadWholeFile(faulty.Installed(path) + ".bak") == content)
                << path;
          }
          if (faulty.m_ui.boxes().empty()) {
            EXPECT_EQ(undisturbed, Tree(dir.path()));
          }
        }
        if (!fault.secondRunKeepsAll) continue;
        CInstallRun again(&dir);
        ASSERT_EQ(1, again.Install(true));
        for (const auto& [path, content] : before) {
          std::multiset<std::string> kept = Entries(path, again.Installed(path));
          std::multiset<std::string> backup = Entries(path, again.Installed(path) + ".bak");
          kept.insert(backup.begin(), backup.end());
          for (const std::string& entry : mine[path]) EXPECT_NE(0u, kept.count(entry)) << path;
        }
      }
      std::printf("[ release sync ] %s, %s: %ld faults\n", scenario, fault.name, calls);
    }
  }
  RecordProperty("faults", std::to_string(faults));
  std::printf("[ release sync ] %ld faults injected in all\n", faults);
}

}  // namespace

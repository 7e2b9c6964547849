#include "tools/fullscale_plan.h"

#include <cctype>
#include <iterator>
#include <set>
#include <string>

#include "payload/payload.h"
#include "tools/drawings.h"
#include "tools/rng.h"
#include "tools/vocabulary.h"

namespace {

constexpr uint32_t kMaxPlain = kMaxPlainSize;
constexpr uint32_t kFirstLarge = kMaxPlain + 1;
constexpr size_t kPrefixSlots = 3;
constexpr uint32_t kTopicJitter = 4;  // topic names are taken a few places out of order
constexpr const char* kJigsFolder = "examples/jigs/";

// Shares of random blocks, chosen so that the whole product compresses to about 8.1 MB.
constexpr uint32_t kSimulatorRandomPercent = 27;
constexpr uint32_t kHelperRandomPercent = 40;
constexpr uint32_t kHelpRandomPercent = 93;
constexpr uint32_t kWaveNoiseBits = 6;

// How names are made for a group of files.
enum class Naming { kPartNumbers, kTopics, kBasicParts };

// A group of files of one kind in one folder: `smallCount` of them have 161 to 1024 bytes,
// the rest `largeLow` to `largeHigh` bytes, most near the low end.
struct Group {
  const char* folder;
  FileKind kind;
  const char* extension;
  uint32_t count;
  uint32_t smallCount;
  uint32_t largeLow;
  uint32_t largeHigh;
  Naming naming;
  const char* prefixes[kPrefixSlots];  // kPartNumbers: part-number prefixes
};

// clang-format off
constexpr Group kGroups[] = {
  // folder                          kind                            type count small largeLow  largeHigh naming
  {"examples/Educational",           FileKind::kSchematic,           "asc",   53,   10, kFirstLarge,  9000, Naming::kTopics, {}},
  {"examples/Educational",           FileKind::kSymbol,              "asy",    7,    4, kFirstLarge,  3000, Naming::kPartNumbers, {"VRE", "KLE", "HXE"}},
  {"examples/Educational/PAsystem",  FileKind::kSchematic,           "asc",   12,    3, kFirstLarge,  9000, Naming::kTopics, {}},
  {"examples/Educational/PAsystem",  FileKind::kSymbol,              "asy",    6,    4, kFirstLarge,  3000, Naming::kPartNumbers, {"PAX", "PAM", "PAT"}},
  {"examples/Educational/PAsystem",  FileKind::kNetlistLibrary,      "lib",    2,    0,        3000, 12000, Naming::kTopics, {}},
  {"examples/Educational/contrib",   FileKind::kSchematic,           "asc",    3,    0,        1500,  9000, Naming::kTopics, {}},
  {"examples/jigs",                  FileKind::kSchematic,           "asc", 1420,  384, kFirstLarge,  6500, Naming::kPartNumbers, {"VQ", "VMN", "VRA"}},
  {"lib/sub",                        FileKind::kEncryptedSubcircuit, "sub",  721,    0, kFirstLarge,  5400, Naming::kPartNumbers, {"VRP", "KLP", "HXP"}},
  {"lib/sub",                        FileKind::kSubcircuit,          "sub",   91,   60, kFirstLarge, 16000, Naming::kPartNumbers, {"VRA", "VRC", "VRR"}},
  {"lib/sub",                        FileKind::kNetlistLibrary,      "lib",   45,    0,        1500, 60000, Naming::kTopics, {}},
  {"lib/sym",                        FileKind::kSymbol,              "asy",   43,   30, kFirstLarge,  2500, Naming::kBasicParts, {}},
  {"lib/sym/Comparators",            FileKind::kSymbol,              "asy",  110,   69, kFirstLarge,  4500, Naming::kPartNumbers, {"VRC", "KLC", "HXC"}},
  {"lib/sym/Digital",                FileKind::kSymbol,              "asy",   60,   38, kFirstLarge,  4500, Naming::kPartNumbers, {"VRD", "KLD", "HXD"}},
  {"lib/sym/FilterProducts",         FileKind::kSymbol,              "asy",   40,   25, kFirstLarge,  4500, Naming::kPartNumbers, {"VRF", "KLF", "HXF"}},
  {"lib/sym/Misc",                   FileKind::kSymbol,              "asy",   95,   60, kFirstLarge,  4500, Naming::kPartNumbers, {"VRM", "KLM", "HXM"}},
  {"lib/sym/Opamps",                 FileKind::kSymbol,              "asy",  640,  401, kFirstLarge,  4500, Naming::kPartNumbers, {"VRA", "KLA", "HXA"}},
  {"lib/sym/Optos",                  FileKind::kSymbol,              "asy",   45,   28, kFirstLarge,  4500, Naming::kPartNumbers, {"VRO", "KLO", "HXO"}},
  {"lib/sym/PowerProducts",          FileKind::kSymbol,              "asy",  380,  238, kFirstLarge,  4500, Naming::kPartNumbers, {"VRP", "KLP", "HXP"}},
  {"lib/sym/References",             FileKind::kSymbol,              "asy",   70,   44, kFirstLarge,  4500, Naming::kPartNumbers, {"VRR", "KLR", "HXR"}},
  {"lib/sym/SpecialFunctions",       FileKind::kSymbol,              "asy",   44,   27, kFirstLarge,  4500, Naming::kPartNumbers, {"VRS", "KLS", "HXS"}},
};
// clang-format on

// Files that are one of a kind, with fixed sizes; the change log comes last.
struct FixedFile {
  const char* path;
  FileKind kind;
  uint32_t size;
  uint32_t percent;
};

constexpr FixedFile kFixedFiles[] = {
    {"qsim3.exe", FileKind::kProgram, kSimulatorSize, kSimulatorRandomPercent},
    {"CirvaneHelp.chm", FileKind::kHelpFile, kHelpFileSize, kHelpRandomPercent},
    {"moveexe.exe", FileKind::kProgram, 45056, kHelperRandomPercent},
    {"unlink.exe", FileKind::kProgram, 49152, kHelperRandomPercent},
    {"examples/Educational/ReadMe.txt", FileKind::kNote, 1730, 0},
    {"examples/Educational/noise.wav", FileKind::kWave, 60044, kWaveNoiseBits},
    {"examples/Wurth/ReadMe.txt", FileKind::kNote, 1310, 0},
    {"examples/Wurth/BuckInductor.asc", FileKind::kSchematic, 3920, 0},
    {"examples/Wurth/BuckInductor.plt", FileKind::kPlot, 1180, 0},
    {"examples/Wurth/CommonModeChoke.asc", FileKind::kSchematic, 4410, 0},
    {"examples/Wurth/CommonModeChoke.plt", FileKind::kPlot, 1460, 0},
    {"examples/Wurth/EMIFilter.asc", FileKind::kSchematic, 5230, 0},
    {"examples/Wurth/EMIFilter.plt", FileKind::kPlot, 2210, 0},
    {"examples/Wurth/PowerInductor.asc", FileKind::kSchematic, 3160, 0},
    {"examples/Wurth/PowerInductor.plt", FileKind::kPlot, 1390, 0},
    {"examples/jigs/Notes.txt", FileKind::kNote, 2290, 0},
    {"examples/jigs/stimulus.vector", FileKind::kVector, 3370, 0},
    {"lib/sub/legacy.mod", FileKind::kNetlistLibrary, 4180, 0},
    {"lib/cmp/standard.cap", FileKind::kArchive, 85996, 0},
    {"lib/cmp/standard.res", FileKind::kArchive, 7714, 0},
    {"lib/cmp/standard.ind", FileKind::kArchive, 49687, 0},
    {"lib/cmp/standard.bead", FileKind::kArchive, 6566, 0},
};

constexpr const char* kTopics[] = {
    "astable",     "Bandpass",      "Bessel",      "bootstrap",     "Boost",      "Buck",
    "Butterworth", "cascode",       "ChargePump",  "Chebyshev",     "clamp",      "ClassAB",
    "colpitts",    "Comparator",    "Crystal",     "CurrentMirror", "Darlington", "DiffPair",
    "Envelope",    "Flyback",       "FullBridge",  "Gilbert",       "gyrator",    "HalfWave",
    "Hartley",     "Howland",       "Integrator",  "Inverter",      "LCladder",   "LDO",
    "limiter",     "LogAmp",        "Monostable",  "Multiplier",    "notch",      "PeakDetect",
    "PhaseShift",  "Pierce",        "PLL",         "Preamp",        "PushPull",   "Rectifier",
    "relaxation",  "SallenKey",     "Schmitt",     "SEPIC",         "ShuntReg",   "Snubber",
    "SoftStart",   "StateVariable", "TankCircuit", "Thermistor",    "TIA",        "ToneControl",
    "Transformer", "Tripler",       "TwinT",       "VCO",           "Doubler",    "WienBridge",
    "Crossover",   "Mixer",         "PowerAmp",    "Equalizer",     "Compressor", "Ringing",
};

constexpr const char* kBasicParts[] = {
    "battery", "bi",    "bi2",        "bidir",  "bv",   "cell",  "csw",     "current", "e",
    "e2",      "f",     "ferrite",    "g",      "g2",   "h",     "ind",     "ind2",    "led",
    "load",    "load2", "lossless",   "mesfet", "njf",  "nmos",  "nmos4",   "npn",     "npn2",
    "npn3",    "npn4",  "photodiode", "pjf",    "pmos", "pmos4", "pnp",     "pnp2",    "pnp4",
    "res",     "res2",  "sw",         "tline",  "tvs",  "urc",   "voltage",
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Hands out file names, unique ignoring case within the tree.
class CNamer {
 public:
  explicit CNamer(uint64_t seed) : m_rng(seed) {}

  // `folder`/`base`.`extension`, with a number added to `base` while the path is taken.
  std::string Unique(const std::string& folder, const std::string& base, const char* extension) {
    std::string path = folder + "/" + base + "." + extension;
    for (int n = 2; !m_taken.insert(Lower(path)).second; ++n) {
      path = folder + "/" + base + std::to_string(n) + "." + extension;
    }
    return path;
  }

  std::string Next(const Group& group, uint32_t index) {
    switch (group.naming) {
      case Naming::kTopics:
        return Unique(group.folder,
                      kTopics[(index + m_rng.Below(kTopicJitter)) % std::size(kTopics)],
                      group.extension);
      case Naming::kBasicParts:
        return Unique(group.folder, kBasicParts[index % std::size(kBasicParts)], group.extension);
      case Naming::kPartNumbers:
        break;
    }
    const char* prefix = group.prefixes[m_rng.Below(kPrefixSlots)];
    // A drawn number that is taken is drawn again rather than numbered.
    while (true) {
      std::string path =
          std::string(group.folder) + "/" + MakePartNumber(m_rng, prefix) + "." + group.extension;
      if (m_taken.insert(Lower(path)).second) return path;
    }
  }

  void Reserve(const std::string& path) { m_taken.insert(Lower(path)); }

 private:
  CRng m_rng;
  std::set<std::string> m_taken;
};

void PlanGroup(const Group& group, CNamer& namer, CRng& sizes, std::vector<PlannedFile>& plan) {
  for (uint32_t i = 0; i < group.count; ++i) {
    const bool small = i < group.smallCount;
    uint32_t size = small ? sizes.Between(kFullScaleMinFileSize, kMaxPlain)
                          : sizes.Skewed(group.largeLow, group.largeHigh);
    plan.push_back(PlanFile(namer.Next(group, i), group.kind, size));
  }
}

// The boundary of plain storage: the first test jig gets exactly 1024 bytes (one of the small
// ones) and the last exactly 1025 (one of the large ones).
void SetBoundarySizes(std::vector<PlannedFile>& plan) {
  std::vector<PlannedFile*> jigs;
  for (PlannedFile& file : plan) {
    if (file.path.rfind(kJigsFolder, 0) == 0 && file.kind == FileKind::kSchematic) {
      jigs.push_back(&file);
    }
  }
  jigs.front()->size = kMaxPlain;
  jigs.back()->size = kFirstLarge;
}

}  // namespace

std::vector<PlannedFile> PlanFullScaleProduct() {
  std::vector<PlannedFile> plan;
  CNamer namer(SeedFor(kProductSeed, "names"));
  CRng sizes(SeedFor(kProductSeed, "sizes"));
  for (const FixedFile& f : kFixedFiles) {
    namer.Reserve(f.path);
    plan.push_back(PlanFile(f.path, f.kind, f.size, f.percent));
  }
  for (const ModelLibraryFile& library : kModelLibraries) {
    plan.push_back(PlanFile(std::string("lib/cmp/standard.") + library.extension,
                            FileKind::kModelLibrary, library.size));
  }
  for (const char* name : kReadOnlySymbols) {
    std::string path = std::string("lib/sym/") + name + ".asy";
    namer.Reserve(path);
    plan.push_back(PlanNaturalFile(path, FileKind::kBasicSymbol));
  }
  plan.push_back(PlanNaturalFile("License.txt", FileKind::kLicense));
  for (const Group& group : kGroups) PlanGroup(group, namer, sizes, plan);

  SetBoundarySizes(plan);

  const uint64_t others = PlannedBytes(plan);
  const uint64_t changelog = kFullScaleBytes > others ? kFullScaleBytes - others : 0;
  plan.push_back(PlanFile("Changelog.txt", FileKind::kChangelog, static_cast<uint32_t>(changelog)));
  return plan;
}

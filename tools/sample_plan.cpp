#include "tools/sample_plan.h"

#include "tools/drawings.h"

namespace {

constexpr uint32_t kProgramRandomPercent = 30;
constexpr uint32_t kHelpRandomPercent = 50;
constexpr uint32_t kPureNoiseBits = 16;

struct SampleFile {
  const char* path;
  FileKind kind;
  uint32_t size;
  uint32_t percent;
};

// Files with a size of their own choosing; 1024 and 1025 bytes sit on either side of the
// largest file the installer stores uncompressed.
constexpr SampleFile kSampleFiles[] = {
    {kSimulatorPath, FileKind::kProgram, 4096, kProgramRandomPercent},
    {"Changelog.txt", FileKind::kChangelog, 6144, 0},
    {"CirvaneHelp.chm", FileKind::kHelpFile, 40960, kHelpRandomPercent},
    {"moveexe.exe", FileKind::kProgram, 2560, kProgramRandomPercent},
    {"unlink.exe", FileKind::kProgram, 3072, kProgramRandomPercent},
    {"examples/Educational/astable.asc", FileKind::kSchematic, 1460, 0},
    {"examples/Educational/Bandpass.asc", FileKind::kSchematic, 2210, 0},
    {"examples/Educational/colpitts.asc", FileKind::kSchematic, 1780, 0},
    {"examples/Educational/LowNoiseAmp.asc", FileKind::kSchematic, 3350, 0},
    {"examples/Educational/PhaseShift.asc", FileKind::kSchematic, 940, 0},
    {"examples/Educational/noise.wav", FileKind::kWave, 8236, kPureNoiseBits},
    {"examples/Educational/ReadMe.txt", FileKind::kNote, 1024, 0},
    {"examples/jigs/KTN5597A.asc", FileKind::kSchematic, 1320, 0},
    {"examples/jigs/VMN7129.asc", FileKind::kSchematic, 2480, 0},
    {"examples/jigs/VD4148.asc", FileKind::kSchematic, 760, 0},
    {"examples/jigs/VRA6214.asc", FileKind::kSchematic, 4120, 0},
    {"examples/jigs/VRC4410.asc", FileKind::kSchematic, 1890, 0},
    {"examples/jigs/ZLD7677A.asc", FileKind::kSchematic, 1012, 0},
    {"examples/jigs/ReadMe.txt", FileKind::kNote, 1025, 0},
    {"lib/sym/ferrite.asy", FileKind::kSymbol, 540, 0},
    {"lib/sym/led.asy", FileKind::kSymbol, 575, 0},
    {"lib/sym/tvs.asy", FileKind::kSymbol, 610, 0},
    {"lib/sym/Opamps/VRA6214.asy", FileKind::kSymbol, 980, 0},
    {"lib/sym/Opamps/VRA1032.asy", FileKind::kSymbol, 1130, 0},
    {"lib/sym/Opamps/VRA877.asy", FileKind::kSymbol, 860, 0},
    {"lib/sym/Comparators/VRC4410.asy", FileKind::kSymbol, 1010, 0},
    {"lib/sym/Comparators/VRC902.asy", FileKind::kSymbol, 1210, 0},
    {"lib/sub/VRA6214.sub", FileKind::kSubcircuit, 2600, 0},
    {"lib/sub/VRA1032.sub", FileKind::kSubcircuit, 3100, 0},
    {"lib/sub/VRA877.sub", FileKind::kSubcircuit, 1900, 0},
    {"lib/sub/VRC4410.sub", FileKind::kSubcircuit, 2200, 0},
    {"lib/sub/VRC902.sub", FileKind::kSubcircuit, 1400, 0},
    {"lib/sub/KLT3301.sub", FileKind::kEncryptedSubcircuit, 2048, 0},
    {"lib/sub/Regulators.lib", FileKind::kNetlistLibrary, 9000, 0},
    {"lib/cmp/standard.cap", FileKind::kArchive, 26000, 0},
    {"lib/cmp/standard.res", FileKind::kArchive, 9600, 0},
    {"lib/cmp/standard.ind", FileKind::kArchive, 12000, 0},
    {"lib/cmp/standard.bead", FileKind::kArchive, 5000, 0},
};

}  // namespace

std::vector<PlannedFile> PlanSampleProduct() {
  std::vector<PlannedFile> plan;
  for (const SampleFile& f : kSampleFiles)
    plan.push_back(PlanFile(f.path, f.kind, f.size, f.percent));
  plan.push_back(PlanNaturalFile("License.txt", FileKind::kLicense));
  for (const char* name : kReadOnlySymbols) {
    plan.push_back(
        PlanNaturalFile(std::string("lib/sym/") + name + ".asy", FileKind::kBasicSymbol));
  }
  for (const ModelLibraryFile& library : kModelLibraries) {
    plan.push_back(PlanFile(std::string("lib/cmp/standard.") + library.extension,
                            FileKind::kModelLibrary, library.size));
  }
  return plan;
}

ContentFunction SampleContentWith(const std::string& simulator) {
  return [simulator](const PlannedFile& file) {
    return (!simulator.empty() && file.path == kSimulatorPath) ? simulator : MakeFileContent(file);
  };
}

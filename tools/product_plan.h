// The plan of a generated product tree: one record per file, from which the file's content is
// made on demand. The sample product and the full-scale product are both plans; one writer
// turns either into files.
#ifndef CIRVANE_TOOLS_PRODUCT_PLAN_H_
#define CIRVANE_TOOLS_PRODUCT_PLAN_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/rng.h"
#include "tools/spice_models.h"

enum class FileKind {
  kProgram,              // an executable's stand-in (see MakeProgramFile)
  kHelpFile,             // the compiled help file
  kChangelog,            // Changelog.txt
  kLicense,              // License.txt; its size is the licence text's
  kNote,                 // a .txt note
  kPlot,                 // .plt plot settings
  kVector,               // .vector digital stimulus
  kWave,                 // .wav sound
  kSchematic,            // .asc
  kSymbol,               // .asy of a part; its shape follows from its folder
  kBasicSymbol,          // one of the six hand-drawn read-only symbols; its size is the drawing's
  kSubcircuit,           // .sub in the clear
  kEncryptedSubcircuit,  // .sub encrypted by its vendor
  kNetlistLibrary,       // .lib or .mod of subcircuits and models
  kModelLibrary,         // lib/cmp/standard.bjt, .dio, .jft, .mos; the kind follows from the name
  kArchive,              // lib/cmp/standard.cap, .res, .ind, .bead (see archive_content.h)
};

struct PlannedFile {
  std::string path;  // relative to the tree's root, with "/" separators
  FileKind kind;
  uint32_t size;     // exact length of the content
  uint64_t seed;     // the content's own random stream
  uint32_t percent;  // kProgram, kHelpFile: share of random blocks; kWave: noise bits; else 0
};

// The content of a planned file, exactly `file.size` bytes long; the same record always gives
// the same bytes.
std::string MakeFileContent(const PlannedFile& file);

// Content of a planned file; MakeFileContent unless a tool substitutes a file of its own.
using ContentFunction = std::function<std::string(const PlannedFile&)>;

// The four model libraries and four component archives of lib/cmp, with the sizes the product
// ships them in.
struct ModelLibraryFile {
  const char* extension;
  ModelKind kind;
  uint32_t size;
};
constexpr size_t kModelLibraryCount = 4;
constexpr ModelLibraryFile kModelLibraries[kModelLibraryCount] = {
    {"bjt", ModelKind::kBjt, 17620},
    {"dio", ModelKind::kDiode, 7822},
    {"jft", ModelKind::kJfet, 3289},
    {"mos", ModelKind::kMosfet, 43567},
};
constexpr size_t kArchiveCount = 4;
constexpr const char* kArchiveExtensions[kArchiveCount] = {"cap", "res", "ind", "bead"};

// Every file's seed is SeedFor(kProductSeed, path), so a path gets the same content in every
// plan that gives it the same kind and size.
constexpr uint64_t kProductSeed = 0x43495256414E4534ull;

// A planned file of `kind` at `path` with the given size and percent, seeded from its path.
PlannedFile PlanFile(const std::string& path, FileKind kind, uint32_t size, uint32_t percent = 0);

// A planned file whose content has a size of its own (kLicense, kBasicSymbol).
PlannedFile PlanNaturalFile(const std::string& path, FileKind kind);

// Total bytes of a plan, and the number of its files of at most `limit` bytes.
uint64_t PlannedBytes(const std::vector<PlannedFile>& plan);
size_t CountPlannedAtMost(const std::vector<PlannedFile>& plan, uint32_t limit);

#endif  // CIRVANE_TOOLS_PRODUCT_PLAN_H_

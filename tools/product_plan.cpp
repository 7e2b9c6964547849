#include "tools/product_plan.h"

#include "tools/archive_content.h"
#include "tools/blobs.h"
#include "tools/documents.h"
#include "tools/drawings.h"
#include "tools/netlists.h"

namespace {

std::string BaseName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Stem(const std::string& path) {
  std::string base = BaseName(path);
  return base.substr(0, base.rfind('.'));
}

std::string Extension(const std::string& path) {
  std::string base = BaseName(path);
  size_t dot = base.rfind('.');
  return dot == std::string::npos ? "" : base.substr(dot + 1);
}

// The name of the folder that holds the file.
std::string FolderName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "" : BaseName(path.substr(0, slash));
}

SymbolShape ShapeFor(const std::string& path) {
  std::string folder = FolderName(path);
  if (folder == "Opamps") return SymbolShape::kOpamp;
  if (folder == "Comparators") return SymbolShape::kComparator;
  if (folder == "sym") return SymbolShape::kTwoTerminal;
  return SymbolShape::kBlock;
}

ModelKind ModelKindFor(const std::string& path) {
  for (const ModelLibraryFile& library : kModelLibraries) {
    if (Extension(path) == library.extension) return library.kind;
  }
  return ModelKind::kBjt;
}

}  // namespace

std::string MakeFileContent(const PlannedFile& file) {
  const std::string name = Stem(file.path);
  switch (file.kind) {
    case FileKind::kProgram:
      return MakeProgramFile(BaseName(file.path), file.size, file.percent, file.seed);
    case FileKind::kHelpFile:
      return MakeHelpFile(file.size, file.percent, file.seed);
    case FileKind::kChangelog:
      return MakeChangelog(file.size, file.seed);
    case FileKind::kLicense:
      return MakeLicense();
    case FileKind::kNote:
      return MakeNote(name, file.size, file.seed);
    case FileKind::kPlot:
      return MakePlotSettings(file.size, file.seed);
    case FileKind::kVector:
      return MakeVectorFile(file.size, file.seed);
    case FileKind::kWave:
      return MakeWave(file.size, file.percent, file.seed);
    case FileKind::kSchematic:
      return MakeSchematic(file.size, file.seed);
    case FileKind::kSymbol:
      return MakeSymbol(name, ShapeFor(file.path), file.size, file.seed);
    case FileKind::kBasicSymbol:
      return MakeBasicSymbol(name);
    case FileKind::kSubcircuit:
      return MakeSubcircuit(name, file.size, file.seed);
    case FileKind::kEncryptedSubcircuit:
      return MakeEncryptedSubcircuit(name, file.size, file.seed);
    case FileKind::kNetlistLibrary:
      return MakeNetlistLibrary(name + " subcircuits and models", file.size, file.seed);
    case FileKind::kModelLibrary:
      return MakeModelLibrary(ModelKindFor(file.path), file.size, file.seed);
    case FileKind::kArchive:
      return MakeComponentArchive(Extension(file.path), file.size, file.seed);
  }
  return "";
}

PlannedFile PlanFile(const std::string& path, FileKind kind, uint32_t size, uint32_t percent) {
  return PlannedFile{path, kind, size, SeedFor(kProductSeed, path), percent};
}

PlannedFile PlanNaturalFile(const std::string& path, FileKind kind) {
  PlannedFile file = PlanFile(path, kind, 0);
  file.size = static_cast<uint32_t>(MakeFileContent(file).size());
  return file;
}

uint64_t PlannedBytes(const std::vector<PlannedFile>& plan) {
  uint64_t total = 0;
  for (const PlannedFile& file : plan) total += file.size;
  return total;
}

size_t CountPlannedAtMost(const std::vector<PlannedFile>& plan, uint32_t limit) {
  size_t count = 0;
  for (const PlannedFile& file : plan) count += file.size <= limit ? 1 : 0;
  return count;
}

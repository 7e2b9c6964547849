#include "tools/cmpdb/kinds.h"

#include <cctype>
#include <sstream>

#include "sync/archive_merge.h"
#include "sync/model_library_merge.h"
#include "tools/cmpdb/archive_kinds.h"
#include "tools/cmpdb/model_kind.h"

namespace {

const DatabaseKind kDatabaseKinds[] = {
    {"model", ".bjt .dio .jft .mos", DumpModelLibrary, MergeModelLibrary, nullptr},
    {"cap", ".cap", DumpCapacitorArchive, MergeCapacitorDatabase, BuildCapacitorArchive},
    {"res", ".res", DumpResistorArchive, MergeResistorDatabase, BuildResistorArchive},
    {"ind", ".ind", DumpInductorArchive, MergeInductorDatabase, BuildInductorArchive},
    {"bead", ".bead", DumpInductorArchive, MergeInductorDatabase, BuildInductorArchive},
};

std::string LowerAscii(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

const DatabaseKind* FindKindByName(const std::string& name) {
  for (const DatabaseKind& kind : kDatabaseKinds) {
    if (name == kind.name) return &kind;
  }
  return nullptr;
}

const DatabaseKind* FindKindByPath(const std::string& path) {
  const std::string lower = LowerAscii(path);
  for (const DatabaseKind& kind : kDatabaseKinds) {
    std::istringstream endings(kind.extensions);
    std::string ending;
    while (endings >> ending) {
      if (lower.size() >= ending.size() &&
          lower.compare(lower.size() - ending.size(), ending.size(), ending) == 0) {
        return &kind;
      }
    }
  }
  return nullptr;
}

std::string KindNames() {
  std::string names;
  for (const DatabaseKind& kind : kDatabaseKinds) {
    if (!names.empty()) names += ", ";
    names += kind.name;
  }
  return names;
}

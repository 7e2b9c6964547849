#include "tools/cmpdb/model_kind.h"

#include "engine/files.h"
#include "sync/model_library.h"
#include "sync/statement_reader.h"

namespace {

void ReportUnreadable(const std::string& path) {
  std::fprintf(stderr, "cmpdb: cannot read %s\n", path.c_str());
}

}  // namespace

int DumpModelLibrary(const std::string& path, std::FILE* out) {
  std::optional<ModelList> models = LoadModelLibrary(path);
  if (!models) {
    ReportUnreadable(path);
    return 0;
  }
  for (const ModelRec& model : *models) {
    std::fprintf(out, "%s\t%s\n", model.name.c_str(), model.text.c_str());
  }
  return 1;
}

int PrintStatements(const std::string& path, std::FILE* out) {
  std::unique_ptr<platform::CFile> file = OpenForRead(path);
  if (!file) {
    ReportUnreadable(path);
    return 0;
  }
  CStatementReader reader;
  while (const char* statement = reader.ReadStatement(file.get())) {
    std::fprintf(out, "%s\n", statement);
  }
  reader.ReadStatement(nullptr);
  if (file->Close()) return 1;
  ReportUnreadable(path);
  return 0;
}

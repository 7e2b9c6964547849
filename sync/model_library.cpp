#include "sync/model_library.h"

#include <unordered_map>

#include "engine/files.h"
#include "sync/statement_reader.h"

namespace {

constexpr size_t kModelKeywordLength = 6;  // ".model"

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// 1 when the statement begins with ".model" in any case.
bool IsModelStatement(std::string_view statement) {
  return UpperAscii(statement.substr(0, kModelKeywordLength)) == ".MODEL";
}

}  // namespace

std::optional<ModelList> LoadModelLibrary(std::string_view path) {
  std::unique_ptr<platform::CFile> file = OpenForRead(path);
  if (!file) return std::nullopt;
  ModelList list;
  CStatementReader reader;
  while (const char* statement = reader.ReadStatement(file.get())) {
    if (IsModelStatement(statement)) list.push_back({ModelName(statement), statement});
  }
  reader.ReadStatement(nullptr);
  if (!file->Close()) return std::nullopt;
  return list;
}

std::optional<size_t> FindModelByName(std::string_view name, const ModelList& list) {
  if (name.empty()) return std::nullopt;
  const std::string wanted = UpperAscii(name);
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i].name.size() == name.size() && UpperAscii(list[i].name) == wanted) return i;
  }
  return std::nullopt;
}

void MergeShippedModels(ModelList& user, ModelList shipped) {
  std::unordered_map<std::string, size_t> firstPosition;
  for (size_t i = 0; i < user.size(); ++i) {
    if (!user[i].name.empty()) firstPosition.emplace(UpperAscii(user[i].name), i);
  }
  for (ModelRec& record : shipped) {
    if (record.name.empty()) {
      user.push_back(std::move(record));
      continue;
    }
    auto [position, added] = firstPosition.emplace(UpperAscii(record.name), user.size());
    if (added) {
      user.push_back(std::move(record));
    } else {
      user[position->second] = std::move(record);
    }
  }
}

// The model-library merge end to end on any pair of libraries. The input is a u16 length of the
// user's library (little-endian, cut to what is left), the user's bytes, then the shipped bytes.
// After MergeModelLibrary on files holding them, the user's file must hold exactly what the plain
// merge written here gives and read back to as many models, its .bak must equal the user's
// input, and nothing else may be left in the directory.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fake/test_files.h"
#include "platform/files.h"
#include "platform/memory_file.h"
#include "sync/model_library_merge.h"
#include "sync/statement_reader.h"

namespace {

constexpr size_t kLengthBytes = 2;
constexpr int kByteBits = 8;
constexpr char kLineEnd[] = "\r\n";
constexpr std::string_view kModelKeyword = ".model";
// The user's library, its backup and the shipped library.
constexpr size_t kFilesAfterMerge = 3;

struct SModel {
  std::string name;
  std::string text;
};

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

// The `.model` statements of `library`, as the statement reader gives them.
std::vector<SModel> ModelsOf(std::string_view library) {
  platform::CMemoryFile file(library);
  CStatementReader reader;
  std::vector<SModel> models;
  while (const char* statement = reader.ReadStatement(&file)) {
    const std::string_view text(statement);
    if (EqualIgnoringCase(text.substr(0, kModelKeyword.size()), kModelKeyword)) {
      models.push_back({ModelName(statement), statement});
    }
  }
  reader.ReadStatement(nullptr);
  return models;
}

// The merge written out plainly: a walk over `user` for every shipped model.
std::vector<SModel> MergePlainly(std::vector<SModel> user, const std::vector<SModel>& shipped) {
  for (const SModel& model : shipped) {
    bool replaced = false;
    for (SModel& mine : user) {
      if (!model.name.empty() && EqualIgnoringCase(mine.name, model.name)) {
        mine = model;
        replaced = true;
        break;
      }
    }
    if (!replaced) user.push_back(model);
  }
  return user;
}

std::string LibraryText(const std::vector<SModel>& models) {
  std::string text = std::string(kModelLibraryNotice) + kLineEnd + "*" + kLineEnd + kLineEnd;
  for (const SModel& model : models) text += model.text + kLineEnd;
  return text;
}

const platform::CScopedTempDir& Scratch() {
  static const platform::CScopedTempDir scratch;
  return scratch;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kLengthBytes) return 0;
  const char* bytes = reinterpret_cast<const char*>(data) + kLengthBytes;
  const size_t rest = size - kLengthBytes;
  const size_t userLength = std::min<size_t>(data[0] | (data[1] << kByteBits), rest);
  const std::string user(bytes, userLength);
  const std::string shipped(bytes + userLength, rest - userLength);

  const std::string userPath = Scratch() / "standard.mos";
  const std::string shippedPath = Scratch() / "shipped.mos";
  if (!platform::WriteWholeFile(userPath, user) || !platform::WriteWholeFile(shippedPath, shipped))
    __builtin_trap();

  if (MergeModelLibrary(userPath.c_str(), shippedPath.c_str(), userPath.c_str()) != 1)
    __builtin_trap();
  const std::vector<SModel> expected = MergePlainly(ModelsOf(user), ModelsOf(shipped));
  const std::string merged = platform::ReadWholeFile(userPath);
  if (merged != LibraryText(expected)) __builtin_trap();
  if (ModelsOf(merged).size() != expected.size()) __builtin_trap();
  if (platform::ReadWholeFile(userPath + ".bak") != user) __builtin_trap();
  if (platform::CountFiles(Scratch().path()) != kFilesAfterMerge) __builtin_trap();

  for (const std::string& path : {userPath, userPath + ".bak", shippedPath}) {
    platform::Files().RemoveFile(path.c_str());
  }
  return 0;
}

// Any byte sequence is a model library: the reader must return statements and stop, never crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/text_search.h"
#include "platform/memory_file.h"
#include "sync/statement_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::CMemoryFile file(std::string_view(reinterpret_cast<const char*>(data), size));
  CStatementReader reader;
  size_t statements = 0;
  while (const char* statement = reader.ReadStatement(&file)) {
    ++statements;
    ModelName(statement);
    FindNoCase(statement, ".model");
    // A file of n bytes holds at most n + 1 statements.
    if (statements > size + 1) __builtin_trap();
  }
  reader.ReadStatement(nullptr);
  return 0;
}

// Any byte sequence given to the archive loader, as each of the three kinds of document: it
// loads or fails with a format error and no records, never crashes or reserves more than the
// bytes can hold; what it loads saves and loads back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "sync/archive_test_support.h"

namespace {

template <class Doc>
void LoadAndSaveAgain(std::string_view bytes) {
  Doc doc;
  const ArchiveFault fault = doc.LoadFromBytes(bytes);
  if (fault != ArchiveFault::kNone) {
    if (!IsFormatFault(fault) || !doc.records.empty()) __builtin_trap();
    return;
  }
  const std::string saved = doc.SaveToBytes();
  Doc again;
  if (again.LoadFromBytes(saved) != ArchiveFault::kNone) __builtin_trap();
  if (again.records.size() != doc.records.size()) __builtin_trap();
  if (again.SaveToBytes() != saved) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  LoadAndSaveAgain<CCapacitorDoc>(bytes);
  LoadAndSaveAgain<CInductorDoc>(bytes);
  LoadAndSaveAgain<CResistorDoc>(bytes);
  return 0;
}

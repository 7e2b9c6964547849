// Load, merge and save on any pair of inputs. The input is a kind byte (0 capacitors,
// 1 inductors, 2 resistors, by its value modulo 3), a u16 length of the user's file, the user's
// bytes and the shipped bytes. When both load, the indexed merge must give exactly what the
// plain walk gives, leave no two neighbours equal, and save to a file that loads back.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "sync/archive_test_support.h"

namespace {

constexpr size_t kHeaderBytes = 3;
constexpr int kByteBits = 8;

template <class Doc>
void MergeBothWays(std::string_view user, std::string_view shipped) {
  Doc userDoc, shippedDoc, plainUser, plainShipped;
  if (userDoc.LoadFromBytes(user) != ArchiveFault::kNone) return;
  if (shippedDoc.LoadFromBytes(shipped) != ArchiveFault::kNone) return;
  plainUser.LoadFromBytes(user);
  plainShipped.LoadFromBytes(shipped);
  const size_t total = userDoc.records.size() + shippedDoc.records.size();

  userDoc.MergeShippedRecords(shippedDoc);
  archive_test::MergeByPlainWalk(plainUser.records, plainShipped.records);

  if (!shippedDoc.records.empty() || userDoc.records.size() > total) __builtin_trap();
  for (size_t i = 1; i < userDoc.records.size(); ++i) {
    if (CompareRecs(*userDoc.records[i - 1], *userDoc.records[i]) == 0) __builtin_trap();
  }
  const std::string merged = userDoc.SaveToBytes();
  if (merged != plainUser.SaveToBytes()) __builtin_trap();
  Doc reloaded;
  if (reloaded.LoadFromBytes(merged) != ArchiveFault::kNone) __builtin_trap();
  if (reloaded.records.size() != userDoc.records.size()) __builtin_trap();
}

void (*const kMerges[])(std::string_view, std::string_view) = {
    MergeBothWays<CCapacitorDoc>, MergeBothWays<CInductorDoc>, MergeBothWays<CResistorDoc>};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kHeaderBytes) return 0;
  const char* bytes = reinterpret_cast<const char*>(data);
  const size_t userLength = std::min<size_t>(data[1] | (data[2] << kByteBits), size - kHeaderBytes);
  const std::string_view user(bytes + kHeaderBytes, userLength);
  const std::string_view shipped(bytes + kHeaderBytes + userLength,
                                 size - kHeaderBytes - userLength);
  kMerges[data[0] % std::size(kMerges)](user, shipped);
  return 0;
}

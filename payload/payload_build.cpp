#include "payload/payload_build.h"

#include <algorithm>

#include "payload/file_pack.h"
#include "payload/payload_path.h"
#include "payload/readonly_list.h"
#include "payload/tree_scan.h"

namespace {

bool SamePayloadPath(std::string_view a, std::string_view b) {
  return !PayloadPathLess(a, b) && !PayloadPathLess(b, a);
}

// Sorts `files` into table order; refuses two paths equal ignoring case.
bool SortFiles(std::vector<TreeFile>* files, std::string* err) {
  std::sort(files->begin(), files->end(),
            [](const TreeFile& a, const TreeFile& b) { return PayloadPathLess(a.path, b.path); });
  const auto clash = std::adjacent_find(
      files->begin(), files->end(),
      [](const TreeFile& a, const TreeFile& b) { return SamePayloadPath(a.path, b.path); });
  if (clash == files->end()) return true;
  *err = clash->source.string() + " and " + (clash + 1)->source.string() +
         ": two paths equal ignoring case (Windows holds only one of them)";
  return false;
}

std::vector<PayloadRecord> RecordsOf(const std::vector<TreeFile>& files) {
  std::vector<PayloadRecord> records(files.size());
  for (size_t i = 0; i < files.size(); ++i) records[i].path = files[i].path;
  return records;
}

// Sets readOnly on every record the list names, matching paths ignoring case as Windows does.
bool MarkReadOnly(const std::vector<ReadOnlyLine>& lines, const std::string& listName,
                  std::vector<PayloadRecord>* records, std::string* err) {
  for (const ReadOnlyLine& line : lines) {
    const auto found = std::lower_bound(
        records->begin(), records->end(), line.path,
        [](const PayloadRecord& r, const std::string& p) { return PayloadPathLess(r.path, p); });
    if (found == records->end() || !SamePayloadPath(found->path, line.path)) {
      *err = listName + ":" + std::to_string(line.line) + ": " + line.path + " is not in the tree";
      return false;
    }
    found->readOnly = 1;
  }
  return true;
}

// Lays the stored bytes out one after the other and completes the records.
bool AssembleBlob(std::vector<PackedFile>* packed, BuiltPayload* payload, std::string* err) {
  uint64_t total = 0;
  for (const PackedFile& file : *packed) total += file.stored.size();
  if (total > kMaxBlobSize) {
    *err = "the payload would store " + std::to_string(total) + " bytes; at most " +
           std::to_string(kMaxBlobSize) + " fit the installer";
    return false;
  }
  payload->blob.reserve(total);
  for (size_t i = 0; i < packed->size(); ++i) {
    PackedFile& file = (*packed)[i];
    PayloadRecord& record = payload->records[i];
    record.size = file.size;
    record.packedSize = file.packedSize;
    record.tag = file.tag;
    record.offset = payload->blob.size();
    payload->blob.insert(payload->blob.end(), file.stored.begin(), file.stored.end());
    file.stored = std::vector<unsigned char>();
  }
  return true;
}

void CollectInputs(const TreeScan& scan, const std::filesystem::path& readOnlyList,
                   BuiltPayload* payload) {
  payload->inputs = scan.directories;
  std::sort(payload->inputs.begin(), payload->inputs.end());  // walk order varies by file system
  for (const TreeFile& file : scan.files) payload->inputs.push_back(file.source);
  payload->inputs.push_back(readOnlyList);
}

}  // namespace

bool BuildPayload(const std::filesystem::path& tree, const std::filesystem::path& readOnlyList,
                  const BuildOptions& options, BuiltPayload* payload, std::string* err) {
  *payload = BuiltPayload();
  TreeScan scan;
  std::vector<ReadOnlyLine> readOnly;
  if (!ScanTree(tree, &scan, err) || !SortFiles(&scan.files, err) ||
      !ReadReadOnlyList(readOnlyList, &readOnly, err)) {
    return false;
  }
  payload->records = RecordsOf(scan.files);
  if (!MarkReadOnly(readOnly, readOnlyList.string(), &payload->records, err)) return false;
  std::vector<PackedFile> packed;
  if (!PackFiles(scan.files, options.threads, &packed, err) ||
      !AssembleBlob(&packed, payload, err)) {
    return false;
  }
  CollectInputs(scan, readOnlyList, payload);
  return true;
}

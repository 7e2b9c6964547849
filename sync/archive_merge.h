// Release sync for the component archives: the shipped database merged into the user's copy.
//
// Each entry point takes (output path, shipped path, user path) and returns 1 when the merged
// database has been written to the output path, 0 otherwise. It fails without a backup or a
// message of its own when a path is missing or empty or the user's file does not exist; it
// fails after backing up the user's file when either database cannot be read, is malformed
// (the load has said so) or holds no records. The merged database replaces the output file in
// one step (CComponentDoc::SaveToFile), so when the save fails the output file is exactly as it
// was. The ferrite-bead database is an inductor database.
#ifndef CIRVANE_SYNC_ARCHIVE_MERGE_H_
#define CIRVANE_SYNC_ARCHIVE_MERGE_H_

#include <memory>
#include <string_view>

#include "sync/component_docs.h"

int MergeCapacitorDatabase(const char* output, const char* shipped, const char* user);
int MergeInductorDatabase(const char* output, const char* shipped, const char* user);
int MergeResistorDatabase(const char* output, const char* shipped, const char* user);

// A document of kind Doc loaded from `path`; null when no file is there, the load failed, or
// the file holds no records.
template <class Doc>
std::unique_ptr<Doc> LoadDatabaseDocument(std::string_view path);

#endif  // CIRVANE_SYNC_ARCHIVE_MERGE_H_

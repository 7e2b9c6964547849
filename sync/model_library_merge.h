// The release sync of the four SPICE model libraries (.bjt, .dio, .jft, .mos).
#ifndef CIRVANE_SYNC_MODEL_LIBRARY_MERGE_H_
#define CIRVANE_SYNC_MODEL_LIBRARY_MERGE_H_

// First line of every merged library. Lines 2 and 3 are "*" and an empty line.
extern const char kModelLibraryNotice[];

// Rewrites the user's library as the union of both: every user model keeps its place, a model
// the shipped library also defines takes the shipped text, and shipped models the user lacks
// follow in shipped order. The output holds the notice header, then one normalised statement per
// line, CR LF throughout; comments and other statements are dropped.
//
// The user's file is backed up first (and the process ends when that is impossible). Both
// inputs are read whole before the output, usually the user's own path, is written: to a new
// file beside it, moved over it in one step (a read-only output is made writable for the move).
// Returns 1 on success; 0 when a path is empty, the user's file is missing, an input cannot be
// read, or the output cannot be fully written or moved into place; the output is then left
// exactly as it was.
int MergeModelLibrary(const char* outputPath, const char* shippedPath, const char* userPath);

#endif  // CIRVANE_SYNC_MODEL_LIBRARY_MERGE_H_

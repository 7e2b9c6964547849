// The scratch directory of bench_install, kept out of the way of a file-system trait.
//
// A journal-less ext4 is slow to create files after many were deleted: for a minute (five, while
// their inode-table blocks are being rewritten) it skips the freed inodes one by one in every
// allocation. Files created then would measure the deletion, not the installer. So the runs keep
// their files until the last round, and the timed runs start only once the last mass deletion in
// the scratch directory, recorded in a stamp file, is a minute old; what remains of the effect
// after that slows every method alike.
#ifndef CIRVANE_BENCH_SCRATCH_H_
#define CIRVANE_BENCH_SCRATCH_H_

#include "bench/bench_args.h"

// Removes what a failed earlier bench left in the runs' root, then waits, saying so, until a minute
// has passed since the last recorded deletion.
void PrepareScratch(const BenchArgs& args);

// Removes every run's files, writes the deletion out and records it.
void ClearScratch(const BenchArgs& args);

#endif  // CIRVANE_BENCH_SCRATCH_H_

// Checks of an installed tree, so that a benchmark run that was fast but wrong is caught.
#ifndef CIRVANE_BENCH_TREE_CHECK_H_
#define CIRVANE_BENCH_TREE_CHECK_H_

#include <string>

#include "payload/payload.h"

// True when `installed` holds exactly the regular files of `source`, at the same relative
// paths, with the same bytes; false with `difference` naming the first file that differs.
bool SameFiles(const std::string& source, const std::string& installed, std::string* difference);

// True when, below `installed`, exactly the entries of `index` marked read-only have lost their
// write permissions; false with `difference` naming the first file that disagrees.
bool ReadOnlyAsListed(const PayloadIndex& index, const std::string& installed,
                      std::string* difference);

// True when `directory` holds nothing; false with `difference` naming what was left there.
bool LeftEmpty(const std::string& directory, std::string* difference);

#endif  // CIRVANE_BENCH_TREE_CHECK_H_

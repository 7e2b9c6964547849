// The full-scale synthetic product: a tree with the shape of the real one, for benchmarks.
//
// 3921 files in the real folders and of the real types (1546 symbols, 1492 schematics, 812
// subcircuits of which 721 are encrypted and do not compress, 47 libraries, the eight
// databases, the executables and the help file), 1431 of them at most 1024 bytes, sizes from
// 161 bytes to the simulator's 5,595,136, 15,491,281 bytes in all. The program and help files
// mix random and structured blocks so that gzip at level 6 leaves about 8.1 MB of the whole.
#ifndef CIRVANE_TOOLS_FULLSCALE_PLAN_H_
#define CIRVANE_TOOLS_FULLSCALE_PLAN_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/product_plan.h"

constexpr size_t kFullScaleFileCount = 3921;
constexpr uint64_t kFullScaleBytes = 15491281;
constexpr size_t kFullScalePlainCount = 1431;  // files of at most 1024 bytes
constexpr uint32_t kFullScaleMinFileSize = 161;
constexpr uint32_t kSimulatorSize = 5595136;
constexpr uint32_t kHelpFileSize = 1122297;

// The files of the full-scale product. The change log takes whatever size brings the total to
// kFullScaleBytes.
std::vector<PlannedFile> PlanFullScaleProduct();

#endif  // CIRVANE_TOOLS_FULLSCALE_PLAN_H_

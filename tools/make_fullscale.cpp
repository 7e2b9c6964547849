// make_fullscale --out DIR
//
// Writes a synthetic product with the shape of the real one into DIR: the same number of files
// in the same folders and of the same types, sizes in the same range and content that
// compresses about as well, for benchmarks of the installer at full size.
#include <cstdio>
#include <map>
#include <string>

#include "tools/fullscale_plan.h"
#include "tools/tool_options.h"
#include "tools/tree_writer.h"

namespace {

constexpr const char* kUsage = "usage: make_fullscale --out DIR";

int Fail(const std::string& message) {
  std::fprintf(stderr, "make_fullscale: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::map<std::string, std::string> options;
  std::string failure = ParseToolOptions(argc, argv, {"out"}, &options);
  if (!failure.empty()) return Fail(failure + "\n" + kUsage);
  if (options.count("out") == 0) return Fail(kUsage);

  TreeTotals totals;
  failure = WriteProduct(options["out"], PlanFullScaleProduct(), MakeFileContent, &totals);
  if (!failure.empty()) return Fail(failure);
  std::printf("make_fullscale: %llu files, %llu bytes in %s\n",
              static_cast<unsigned long long>(totals.files),
              static_cast<unsigned long long>(totals.bytes), options["out"].c_str());
  return 0;
}

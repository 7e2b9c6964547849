// make_sample --out DIR [--simulator EXE]
//
// Writes the sample product tree into DIR. With --simulator, the given program (the simulator
// stub of the Windows build) becomes the tree's qsim3.exe; without it, a small stand-in does.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "tools/sample_plan.h"
#include "tools/tool_options.h"
#include "tools/tree_writer.h"

namespace {

constexpr const char* kUsage = "usage: make_sample --out DIR [--simulator EXE]";

int Fail(const std::string& message) {
  std::fprintf(stderr, "make_sample: %s\n", message.c_str());
  return 1;
}

// The whole file, or an empty text when it cannot be read or is empty.
std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
  std::map<std::string, std::string> options;
  std::string failure = ParseToolOptions(argc, argv, {"out", "simulator"}, &options);
  if (!failure.empty()) return Fail(failure + "\n" + kUsage);
  if (options.count("out") == 0) return Fail(kUsage);

  std::string simulator;
  if (options.count("simulator") != 0) {
    simulator = ReadWholeFile(options["simulator"]);
    if (simulator.empty()) return Fail("cannot read the simulator " + options["simulator"]);
  }
  TreeTotals totals;
  failure =
      WriteProduct(options["out"], PlanSampleProduct(), SampleContentWith(simulator), &totals);
  if (!failure.empty()) return Fail(failure);
  std::printf("make_sample: %llu files, %llu bytes in %s\n",
              static_cast<unsigned long long>(totals.files),
              static_cast<unsigned long long>(totals.bytes), options["out"].c_str());
  return 0;
}

// The sample product: a small tree with the shape of the real one (every kind of file, the
// eight component databases, the six read-only symbols, files of exactly 1024 and 1025 bytes,
// a sound file that does not compress), which every build installs by default.
#ifndef CIRVANE_TOOLS_SAMPLE_PLAN_H_
#define CIRVANE_TOOLS_SAMPLE_PLAN_H_

#include <string>
#include <vector>

#include "tools/product_plan.h"

// The sample's files, in a fixed order. Its qsim3.exe is a stand-in that the tool replaces with
// the simulator stub when one is given.
std::vector<PlannedFile> PlanSampleProduct();

// Path of the simulator in every product tree.
constexpr const char* kSimulatorPath = "qsim3.exe";

// The content of the sample's files with `simulator` as its qsim3.exe; with an empty text, the
// stand-in of the plan.
ContentFunction SampleContentWith(const std::string& simulator);

#endif  // CIRVANE_TOOLS_SAMPLE_PLAN_H_

// Times the model-library merge on generated libraries of 10,000 and 100,000 models each and
// prints the ratio: a merge whose cost grows linearly gives about 10.
//
//   bench_model_merge SCRATCH_DIR [ROUNDS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/fake/fake_system.h"
#include "platform/files.h"
#include "sync/model_library_merge.h"

namespace {

constexpr int kSmallCount = 10000;
constexpr int kLargeCount = 100000;
constexpr int kDefaultRounds = 3;

// A library of `count` two-line statements. The shipped one redefines every second user model
// (in another case) and adds as many new ones.
std::string MakeLibrary(int count, bool shipped) {
  std::string text = "* generated\r\n*\r\n\r\n";
  for (int i = 0; i < count; ++i) {
    int number = shipped ? (i % 2 == 0 ? i : count + i) : i;
    text += shipped ? ".model q" : ".model Q";
    text += std::to_string(number) + " NPN(IS=1E-14 BF=" + std::to_string(100 + i % 200) +
            "\r\n+ VAF=120 Cjc=8p Cje=25p mfg=Generated)\r\n";
  }
  return text;
}

bool WriteText(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

// Seconds of the fastest of `rounds` merges of two libraries of `count` models.
double TimeMerge(const std::string& scratch, int count, int rounds) {
  const std::string user = MakeLibrary(count, false);
  const std::string shipped = MakeLibrary(count, true);
  const std::string userPath = scratch + "/standard.bjt";
  const std::string shippedPath = scratch + "/shipped.bjt";
  double best = 1e9;
  for (int round = 0; round < rounds; ++round) {
    if (!WriteText(userPath, user) || !WriteText(shippedPath, shipped)) {
      std::fprintf(stderr, "bench_model_merge: cannot write to %s\n", scratch.c_str());
      std::exit(1);
    }
    const std::string logicUser = platform::ImportPath(userPath);
    const std::string logicShipped = platform::ImportPath(shippedPath);
    auto start = std::chrono::steady_clock::now();
    int merged = MergeModelLibrary(logicUser.c_str(), logicShipped.c_str(), logicUser.c_str());
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (!merged) {
      std::fprintf(stderr, "bench_model_merge: the merge failed\n");
      std::exit(1);
    }
    best = std::min(best, took.count());
  }
  std::remove(userPath.c_str());
  std::remove((userPath + ".bak").c_str());
  std::remove(shippedPath.c_str());
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_model_merge SCRATCH_DIR [ROUNDS]\n");
    return 2;
  }
  platform::CFakeSystem system;  // a failed backup would otherwise wait 5 s
  platform::UseSystem(&system);
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : kDefaultRounds;
  double small = TimeMerge(argv[1], kSmallCount, rounds);
  double large = TimeMerge(argv[1], kLargeCount, rounds);
  std::printf(
      "model-library merge (best of %d): %d models each %.3f s, %d models each %.3f s, "
      "ratio %.1f for 10x the data (target under 15)\n",
      rounds, kSmallCount, small, kLargeCount, large, large / small);
  return 0;
}

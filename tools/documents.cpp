#include "tools/documents.h"

#include "tools/rng.h"
#include "tools/text_fill.h"
#include "tools/vocabulary.h"

namespace {

constexpr const char* kLicense =
    "Cirvane IV Software License\r\n"
    "\r\n"
    "Copyright (c) VRO Systems. All rights reserved.\r\n"
    "\r\n"
    "1. Grant. You may install and use Cirvane IV on any number of computers, free of charge,\r\n"
    "for the design and simulation of electronic circuits of any kind.\r\n"
    "\r\n"
    "2. Models. The device models, subcircuits and symbols shipped with the program are\r\n"
    "provided for use with Cirvane IV. Some subcircuits are encrypted by their authors; you\r\n"
    "may not decrypt, disassemble or redistribute them separately.\r\n"
    "\r\n"
    "3. Redistribution. You may pass the unmodified installer on to others. You may not sell\r\n"
    "it or bundle it with other products without written permission.\r\n"
    "\r\n"
    "4. No warranty. The program is provided \"as is\", without warranty of any kind. Results\r\n"
    "of a simulation are no substitute for measurement. VRO Systems is not liable for any\r\n"
    "damage arising from the use of the program or of its results.\r\n"
    "\r\n"
    "5. Updates. An update installed over a previous copy keeps models that you added to the\r\n"
    "component databases and saves each database it changes with the extension .bak.\r\n";

constexpr uint32_t kMajorVersion = 4;
constexpr uint32_t kMinorHigh = 9;
constexpr uint32_t kBuildHigh = 99;
constexpr uint32_t kEntriesLow = 2;
constexpr uint32_t kEntriesHigh = 9;
constexpr uint32_t kWordsLow = 5;
constexpr uint32_t kWordsHigh = 16;

constexpr const char* kChangeVerbs[] = {"Fixed",   "Added",   "Improved",
                                        "Changed", "Removed", "Faster"};

// Releases, newest first, each a heading and its changes.
class CChangelogSource : public CTextSource {
 public:
  explicit CChangelogSource(uint64_t seed) : m_rng(seed), m_minor(kMinorHigh), m_build(0) {}

  std::string NextChunk() override {
    if (m_build == 0) {
      m_build = m_rng.Between(1, kBuildHigh);
      if (m_minor > 0) --m_minor;
    } else {
      --m_build;
    }
    std::string text = "Version " + std::to_string(kMajorVersion) + "." + std::to_string(m_minor) +
                       "." + std::to_string(m_build) + std::string(kCrLf);
    uint32_t entries = m_rng.Between(kEntriesLow, kEntriesHigh);
    for (uint32_t i = 0; i < entries; ++i) {
      text += std::string("  - ") + m_rng.Pick(kChangeVerbs) + " " +
              MakeWords(m_rng, static_cast<int>(m_rng.Between(kWordsLow, kWordsHigh))) + "." +
              std::string(kCrLf);
    }
    return text;  // ends with an empty line before the next heading
  }

 private:
  CRng m_rng;
  uint32_t m_minor;
  uint32_t m_build;
};

class CNoteSource : public CTextSource {
 public:
  explicit CNoteSource(uint64_t seed) : m_rng(seed) {}
  std::string NextChunk() override {
    std::string words = MakeWords(m_rng, static_cast<int>(m_rng.Between(kWordsLow, kWordsHigh)));
    words[0] = static_cast<char>(words[0] - 'a' + 'A');
    return words + ".";
  }

 private:
  CRng m_rng;
};

constexpr const char* kTraces[] = {"V(out)", "V(in)",      "I(L1)",   "V(sw)", "I(R1)",
                                   "V(fb)",  "Ix(U1:OUT)", "V(n002)", "I(D1)", "V(vcc)"};

class CPlotSource : public CTextSource {
 public:
  explicit CPlotSource(uint64_t seed) : m_rng(seed) {}
  std::string NextChunk() override {
    std::string pane = "[Pane " + std::to_string(++m_pane) + "]" + std::string(kCrLf);
    pane += std::string("Trace=") + m_rng.Pick(kTraces) + std::string(kCrLf);
    pane +=
        "X=" + MakeEngValue(m_rng, -6, -3) + "," + MakeEngValue(m_rng, -3, -2) + std::string(kCrLf);
    pane +=
        "Y=-" + MakeEngValue(m_rng, -1, 1) + "," + MakeEngValue(m_rng, -1, 1) + std::string(kCrLf);
    return pane + "Grid=on";
  }

 private:
  CRng m_rng;
  int m_pane = 0;
};

constexpr uint32_t kVectorBits = 8;
constexpr uint32_t kVectorStepNs = 50;

class CVectorSource : public CTextSource {
 public:
  explicit CVectorSource(uint64_t seed) : m_rng(seed) {}
  std::string NextChunk() override {
    m_timeNs += kVectorStepNs;
    std::string bits;
    for (uint32_t i = 0; i < kVectorBits; ++i) bits += m_rng.Chance(50) ? '1' : '0';
    return std::to_string(m_timeNs) + "n " + bits;
  }

 private:
  CRng m_rng;
  uint64_t m_timeNs = 0;
};

}  // namespace

std::string MakeLicense() { return kLicense; }

std::string MakeChangelog(size_t size, uint64_t seed) {
  CChangelogSource source(seed);
  CRng fill(SeedFor(seed, "fill"));
  std::string head = "Cirvane IV change log" + std::string(kCrLf) + std::string(kCrLf);
  return FillText(head, "", size, source, kPlainWords, fill);
}

std::string MakeNote(const std::string& title, size_t size, uint64_t seed) {
  CNoteSource source(seed);
  CRng fill(SeedFor(seed, "fill"));
  return FillText(title + std::string(kCrLf) + std::string(kCrLf), "", size, source, kPlainWords,
                  fill);
}

std::string MakePlotSettings(size_t size, uint64_t seed) {
  CPlotSource source(seed);
  CRng fill(SeedFor(seed, "fill"));
  return FillText("; waveform viewer settings" + std::string(kCrLf), "", size, source,
                  FillStyle{"; "}, fill);
}

std::string MakeVectorFile(size_t size, uint64_t seed) {
  CVectorSource source(seed);
  CRng fill(SeedFor(seed, "fill"));
  return FillText("; time d7..d0" + std::string(kCrLf), "", size, source, FillStyle{"; "}, fill);
}

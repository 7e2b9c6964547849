#include "tools/netlists.h"

#include "tools/rng.h"
#include "tools/spice_models.h"
#include "tools/text_fill.h"
#include "tools/vocabulary.h"

namespace {

constexpr int kCharValues = 256;
constexpr uint32_t kPortsLow = 3;
constexpr uint32_t kPortsHigh = 8;
constexpr uint32_t kInternalNodes = 40;
constexpr uint32_t kBlockElementsLow = 4;
constexpr uint32_t kBlockElementsHigh = 24;
constexpr uint32_t kModelChunkPercent = 25;
constexpr size_t kMinBody = 64;  // room for a few element lines
constexpr int kCommentWords = 8;
constexpr uint64_t kByteMask = 0xFF;

constexpr const char* kSubcircuitPrefixes[] = {"VRA", "VRC", "KLT", "HXR", "QPA", "ZRM"};
constexpr const char* kFunctions[] = {
    "operational amplifier",   "comparator",    "voltage reference",
    "buck regulator",          "LDO regulator", "gate driver",
    "current sense amplifier", "optocoupler",   "timer"};

struct Element {
  char letter;
  int nodes;
  int lowExp;  // value range; lowExp > highExp marks a model name or expression instead
  int highExp;
};

constexpr Element kElements[] = {
    {'R', 2, 0, 6},   {'R', 2, 0, 6}, {'C', 2, -13, -8}, {'L', 2, -9, -4}, {'E', 4, 0, 3},
    {'G', 4, -5, -1}, {'D', 2, 1, 0}, {'Q', 3, 1, 0},    {'B', 2, 1, 0},
};

// Element lines of one subcircuit, numbered per letter, over ports and internal nodes.
class CElementSource : public CTextSource {
 public:
  CElementSource(uint64_t seed, uint32_t ports) : m_rng(seed), m_ports(ports) {}

  std::string NextChunk() override {
    const Element& e = m_rng.Pick(kElements);
    std::string line(1, e.letter);
    line += std::to_string(++m_counts[static_cast<unsigned char>(e.letter)]);
    // Consecutive nodes differ, so no element is shorted across itself.
    std::string previous;
    for (int i = 0; i < e.nodes; ++i) {
      std::string node = Node();
      while (node == previous) node = Node();
      line += " " + node;
      previous = node;
    }
    if (e.lowExp <= e.highExp) return line + " " + MakeEngValue(m_rng, e.lowExp, e.highExp);
    switch (e.letter) {
      case 'D':
        return line + " DX";
      case 'Q':
        return line + " QX";
      default:
        return line + " I=" + MakeEngValue(m_rng, -4, -1) + "*tanh(V(" + Node() + "," + Node() +
               "))";
    }
  }

 private:
  // Node 0 is ground, 1 to m_ports the subcircuit's ports, the rest internal.
  std::string Node() { return std::to_string(m_rng.Below(m_ports + kInternalNodes + 1)); }

  CRng m_rng;
  uint32_t m_ports;
  int m_counts[kCharValues] = {};  // elements so far, by letter
};

std::string SubcircuitLine(const std::string& name, uint32_t ports) {
  std::string line = ".subckt " + name;
  for (uint32_t i = 1; i <= ports; ++i) line += " " + std::to_string(i);
  return line + std::string(kCrLf);
}

// The comment lines that describe a subcircuit.
std::string SubcircuitComment(const std::string& name, CRng& rng) {
  return "* " + name + " " + rng.Pick(kFunctions) + ", " + PickManufacturer(rng) +
         std::string(kCrLf) + "* " + MakeWords(rng, kCommentWords) + std::string(kCrLf);
}

// The private models of the diodes and transistors of the element lines.
std::string SubcircuitModels(CRng& rng) {
  return ".model DX D(Is=" + MakeEngValue(rng, -15, -9) + " Rs=" + MakeEngValue(rng, -2, 0) + ")" +
         std::string(kCrLf) + ".model QX NPN(Bf=" + MakeEngValue(rng, 1, 2) + ")" +
         std::string(kCrLf);
}

// Whole subcircuits and model statements, one per chunk.
class CLibrarySource : public CTextSource {
 public:
  explicit CLibrarySource(uint64_t seed)
      : m_rng(seed), m_models(ModelKind::kBjt, SeedFor(seed, "models")) {}

  std::string NextChunk() override {
    if (m_rng.Chance(kModelChunkPercent)) return m_models.NextChunk();
    std::string name = MakePartNumber(m_rng, m_rng.Pick(kSubcircuitPrefixes));
    uint32_t ports = m_rng.Between(kPortsLow, kPortsHigh);
    std::string block = SubcircuitComment(name, m_rng) + SubcircuitLine(name, ports);
    CElementSource elements(m_rng.Next(), ports);
    uint32_t count = m_rng.Between(kBlockElementsLow, kBlockElementsHigh);
    for (uint32_t i = 0; i < count; ++i) block += elements.NextChunk() + std::string(kCrLf);
    block += ".ends " + name;
    return block;
  }

 private:
  CRng m_rng;
  CModelSource m_models;
};

}  // namespace

std::string MakeSubcircuit(const std::string& name, size_t size, uint64_t seed) {
  CRng rng(seed);
  uint32_t ports = rng.Between(kPortsLow, kPortsHigh);
  std::string head = SubcircuitLine(name, ports);
  std::string tail = ".ends " + name + std::string(kCrLf);
  // A small file keeps only the lines a subcircuit needs.
  std::string comment = SubcircuitComment(name, rng);
  std::string models = SubcircuitModels(rng);
  if (head.size() + tail.size() + comment.size() + models.size() + kMinBody <= size) {
    head = comment + head;
    tail = models + tail;
  }
  CElementSource source(rng.Next(), ports);
  return FillText(head, tail, size, source, kSpiceComment, rng);
}

std::string MakeNetlistLibrary(const std::string& title, size_t size, uint64_t seed) {
  CRng rng(seed);
  std::string head = "* " + title + std::string(kCrLf) + "* Copyright (c) VRO Systems." +
                     std::string(kCrLf) + "*" + std::string(kCrLf);
  CLibrarySource source(rng.Next());
  return FillText(head, "", size, source, kSpiceComment, rng);
}

std::string MakeEncryptedSubcircuit(const std::string& name, size_t size, uint64_t seed) {
  CRng rng(seed);
  std::string text =
      "* " + name + " encrypted model; the simulator decrypts it at run time" + std::string(kCrLf);
  while (text.size() < size) text += static_cast<char>(rng.Next() & kByteMask);
  text.resize(size);
  return text;
}

#include "tools/blobs.h"

#include <algorithm>
#include <vector>

#include "tools/rng.h"
#include "tools/text_fill.h"

namespace {

constexpr size_t kBlockSize = 4096;
constexpr uint32_t kParagraphWordsLow = 8;  // help pages
constexpr uint32_t kParagraphWordsHigh = 40;
constexpr uint64_t kPercent = 100;
constexpr uint64_t kByteMask = 0xFF;
constexpr int kByteBits = 8;

// Instruction-like byte sequences that machine code repeats with varying operands.
constexpr const char* kCodePatterns[] = {
    "\x55\x89\xE5", "\x83\xEC",     "\x8B\x45", "\x89\x45",     "\xE8",
    "\xC9\xC3",     "\x8D\x4C\x24", "\x31\xC0", "\x85\xC0\x74", "\x0F\x84",
    "\xFF\x15",     "\x6A\x01",     "\x50",     "\x8B\x4D",     "\x83\xC4",
    "\x89\x04\x24", "\xC7\x44\x24", "\x5D\xC3", "\x3B\x45",     "\x75",
};
constexpr uint32_t kOperandPercent = 60;
constexpr uint32_t kAddressPercent = 25;
constexpr uint32_t kAddressSpread = 16;
constexpr char kImageBaseHigh[] = {0x40, 0x00};
constexpr uint32_t kStackSlots = 16;
constexpr uint32_t kStackSlotSize = 4;
constexpr uint64_t kSnippetSeed = 0x636F6465;
constexpr uint32_t kSnippetCount = 96;
constexpr uint32_t kSnippetLow = 12;
constexpr uint32_t kSnippetHigh = 48;

// Shares of the structured blocks: code, tables, and zero padding for the rest.
constexpr uint32_t kCodeBlockPercent = 70;
constexpr uint32_t kTableBlockPercent = 20;

void AppendRandom(std::string& out, size_t count, CRng& rng) {
  for (size_t i = 0; i < count; ++i) out += static_cast<char>(rng.Next() & kByteMask);
}

// Operands are mostly small stack offsets and addresses within the image, as in real code.
void AppendOperand(std::string& out, CRng& rng) {
  if (rng.Chance(kAddressPercent)) {
    out += static_cast<char>(rng.Below(kByteMask + 1));
    out += static_cast<char>(rng.Below(kAddressSpread));
    out.append(kImageBaseHigh, sizeof(kImageBaseHigh));
  } else {
    out += static_cast<char>(rng.Below(kStackSlots) * kStackSlotSize);
  }
}

// Code is made of recurring instruction sequences, as compiled functions share prologues,
// epilogues and call sequences; a fixed library of them stands in for that.
const std::vector<std::string>& CodeSnippets() {
  static const std::vector<std::string> snippets = [] {
    CRng rng(kSnippetSeed);
    std::vector<std::string> made;
    for (uint32_t i = 0; i < kSnippetCount; ++i) {
      std::string snippet;
      uint32_t length = rng.Between(kSnippetLow, kSnippetHigh);
      while (snippet.size() < length) {
        snippet += rng.Pick(kCodePatterns);
        if (rng.Chance(kOperandPercent)) AppendOperand(snippet, rng);
      }
      made.push_back(snippet);
    }
    return made;
  }();
  return snippets;
}

void AppendCode(std::string& out, size_t count, CRng& rng) {
  const std::vector<std::string>& snippets = CodeSnippets();
  const size_t end = out.size() + count;
  while (out.size() < end) {
    out += snippets[rng.Below(static_cast<uint32_t>(snippets.size()))];
    if (rng.Chance(kOperandPercent)) AppendOperand(out, rng);
  }
  out.resize(end);
}

// Strings and small integers, as in import and resource tables.
void AppendTable(std::string& out, size_t count, CRng& rng) {
  const size_t end = out.size() + count;
  while (out.size() < end) {
    out += MakeWords(rng, 1);
    out += '\0';
    uint32_t value = rng.Below(1u << (2 * kByteBits));
    out += static_cast<char>(value & kByteMask);
    out += static_cast<char>(value >> kByteBits);
  }
  out.resize(end);
}

void AppendStructured(std::string& out, size_t count, CRng& rng) {
  uint32_t draw = rng.Below(100);
  if (draw < kCodeBlockPercent) {
    AppendCode(out, count, rng);
  } else if (draw < kCodeBlockPercent + kTableBlockPercent) {
    AppendTable(out, count, rng);
  } else {
    out.append(count, '\0');
  }
}

void AppendHelpPage(std::string& out, size_t count, CRng& rng) {
  const size_t end = out.size() + count;
  while (out.size() < end) {
    int words = static_cast<int>(rng.Between(kParagraphWordsLow, kParagraphWordsHigh));
    out += "<p>" + MakeWords(rng, words) + ".</p>\n";
  }
  out.resize(end);
}

// Fills `out` up to `size` bytes with blocks, `randomPercent` of them random and spread evenly
// (block i is random when the running share of random blocks steps up there), the others
// made by `structured`.
template <typename Structured>
void AppendBlocks(std::string& out, size_t size, uint32_t randomPercent, CRng& rng,
                  Structured structured) {
  for (uint64_t block = 0; out.size() < size; ++block) {
    size_t count = std::min(kBlockSize, size - out.size());
    if ((block + 1) * randomPercent / kPercent > block * randomPercent / kPercent) {
      AppendRandom(out, count, rng);
    } else {
      structured(out, count, rng);
    }
  }
  out.resize(size);
}

void AppendLittleEndian(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (kByteBits * i)) & kByteMask);
}

constexpr uint32_t kSampleRate = 22050;
constexpr uint32_t kBitsPerSample = 16;
constexpr uint32_t kBytesPerSample = kBitsPerSample / kByteBits;
constexpr uint32_t kPcmFormat = 1;
constexpr uint32_t kMonoChannels = 1;
constexpr uint32_t kFormatChunkSize = 16;
constexpr uint32_t kRiffPreamble = 8;  // "RIFF" and the length that follows it
constexpr int kToneAmplitude = 8000;
constexpr int kTonePeriod = 50;  // samples: a 441 Hz triangle

// A triangle wave, which needs no floating point and so is the same everywhere.
int ToneSample(size_t index) {
  int phase = static_cast<int>(index % kTonePeriod);
  int half = kTonePeriod / 2;
  int rise = phase < half ? phase : kTonePeriod - phase;
  return kToneAmplitude * (2 * rise - half) / half;
}

}  // namespace

std::string MakeProgramFile(const std::string& name, size_t size, uint32_t randomPercent,
                            uint64_t seed) {
  CRng rng(seed);
  std::string out = "Cirvane IV stand-in for " + name + "; not a program.\r\n";
  AppendBlocks(out, size, randomPercent, rng, AppendStructured);
  return out;
}

std::string MakeHelpFile(size_t size, uint32_t randomPercent, uint64_t seed) {
  CRng rng(seed);
  std::string out = "Cirvane IV help archive stand-in\r\n";
  AppendBlocks(out, size, randomPercent, rng, AppendHelpPage);
  return out;
}

std::string MakeWave(size_t size, uint32_t noiseBits, uint64_t seed) {
  CRng rng(seed);
  const uint32_t dataSize = static_cast<uint32_t>(size - kWaveHeaderSize);
  std::string out = "RIFF";
  AppendLittleEndian(out, static_cast<uint32_t>(size - kRiffPreamble), 4);
  out += "WAVEfmt ";
  AppendLittleEndian(out, kFormatChunkSize, 4);
  AppendLittleEndian(out, kPcmFormat, 2);
  AppendLittleEndian(out, kMonoChannels, 2);
  AppendLittleEndian(out, kSampleRate, 4);
  AppendLittleEndian(out, kSampleRate * kBytesPerSample * kMonoChannels, 4);
  AppendLittleEndian(out, kBytesPerSample * kMonoChannels, 2);
  AppendLittleEndian(out, kBitsPerSample, 2);
  out += "data";
  AppendLittleEndian(out, dataSize, 4);
  const uint32_t noiseMask = noiseBits >= kBitsPerSample ? 0xFFFF : (1u << noiseBits) - 1;
  for (size_t i = 0; out.size() < size; ++i) {
    uint32_t noise = static_cast<uint32_t>(rng.Next()) & noiseMask;
    uint32_t sample =
        noiseBits >= kBitsPerSample ? noise : static_cast<uint32_t>(ToneSample(i)) ^ noise;
    AppendLittleEndian(out, sample, kBytesPerSample);
  }
  out.resize(size);
  return out;
}

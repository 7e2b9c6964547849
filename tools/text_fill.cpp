#include "tools/text_fill.h"

namespace {

// The shortest filler line with its line end: one character and CR LF.
constexpr size_t kMinFill = 3;
// Filler comes as a paragraph of lines no longer than this, the last one cut to fit.
constexpr size_t kFillLineMin = 40;
constexpr size_t kFillLineMax = 76;

constexpr const char* kWords[] = {
    "the",       "model",       "output",     "stage",     "bias",         "current",
    "supply",    "input",       "voltage",    "gain",      "loop",         "phase",
    "margin",    "noise",       "load",       "ripple",    "filter",       "corner",
    "frequency", "measured",    "typical",    "at",        "with",         "for",
    "and",       "of",          "a",          "to",        "in",           "is",
    "from",      "temperature", "range",      "transient", "response",     "startup",
    "settling",  "slew",        "rate",       "offset",    "drift",        "package",
    "thermal",   "resistance",  "switching",  "losses",    "simulation",   "step",
    "time",      "default",     "option",     "example",   "shows",        "how",
    "reference", "divider",     "feedback",   "network",   "compensation", "capacitor",
    "inductor",  "diode",       "transistor", "amplifier", "converter",    "oscillator",
    "regulator", "saturation",  "leakage",    "breakdown",
};

void AppendLine(std::string& text, std::string_view line) {
  text += line;
  text += kCrLf;
}

// Fills the last `room` bytes (at least kMinFill) with filler lines and their line ends.
void AppendFiller(std::string& text, size_t room, FillStyle style, CRng& rng) {
  while (room > kFillLineMax + kCrLf.size() + kMinFill) {
    size_t length = rng.Between(kFillLineMin, kFillLineMax);
    AppendLine(text, MakeFillerLine(length, style, rng));
    room -= length + kCrLf.size();
  }
  AppendLine(text, MakeFillerLine(room - kCrLf.size(), style, rng));
}

}  // namespace

std::string MakeWords(CRng& rng, int count) {
  std::string words;
  for (int i = 0; i < count; ++i) {
    if (i > 0) words += ' ';
    words += rng.Pick(kWords);
  }
  return words;
}

std::string MakeFillerLine(size_t length, FillStyle style, CRng& rng) {
  std::string line(style.prefix);
  while (line.size() < length) {
    if (line.size() > style.prefix.size()) line += ' ';
    line += rng.Pick(kWords);
  }
  line.resize(length);
  // A cut that ends on a space would leave a trailing blank; end on a letter instead.
  if (length > style.prefix.size() && line.back() == ' ') line.back() = '.';
  return line;
}

std::string FillText(std::string_view head, std::string_view tail, size_t size, CTextSource& source,
                     FillStyle style, CRng& rng) {
  std::string text(head);
  if (head.size() + tail.size() + kMinFill > size) {
    text += tail;
    text.resize(size, ' ');
    return text;
  }
  const size_t budget = size - tail.size();
  while (true) {
    std::string chunk = source.NextChunk();
    if (text.size() + chunk.size() + kCrLf.size() + kMinFill > budget) break;
    AppendLine(text, chunk);
  }
  AppendFiller(text, budget - text.size(), style, rng);
  text += tail;
  return text;
}

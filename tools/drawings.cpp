#include "tools/drawings.h"

#include <iterator>

#include "tools/rng.h"
#include "tools/text_fill.h"
#include "tools/vocabulary.h"

const char* const kReadOnlySymbols[kReadOnlySymbolCount] = {"cap",      "diode",    "polcap",
                                                            "schottky", "varactor", "zener"};

namespace {

constexpr const char* kSymbolHead = "Version 4\r\nSymbolType CELL\r\n";
constexpr int kGrid = 16;
constexpr uint32_t kDescriptionWordsLow = 2;
constexpr uint32_t kDescriptionWordsHigh = 7;

// ---- Hand-drawn basic symbols ----

struct BasicPin {
  int x;
  int y;
  const char* name;
};

constexpr size_t kBasicPinCount = 2;

struct BasicSymbol {
  const char* name;
  const char* graphics;  // LINE/ARC lines, each ending in CR LF
  const char* value;
  const char* prefix;
  const char* description;
  BasicPin pins[kBasicPinCount];
};

// A diode body: the triangle pointing down from pin A (top) to the bar at pin K (bottom).
#define CIRVANE_DIODE_BODY                                                          \
  "LINE Normal 0 20 32 20\r\nLINE Normal 0 20 16 44\r\nLINE Normal 32 20 16 44\r\n" \
  "LINE Normal 16 0 16 20\r\nLINE Normal 16 44 16 64\r\n"

const BasicSymbol kBasicSymbols[] = {
    {"cap",
     "LINE Normal 16 0 16 26\r\nLINE Normal 16 38 16 64\r\n"
     "LINE Normal 0 26 32 26\r\nLINE Normal 0 38 32 38\r\n",
     "C",
     "C",
     "Capacitor, film or ceramic",
     {{16, 0, "1"}, {16, 64, "2"}}},
    {"diode",
     CIRVANE_DIODE_BODY "LINE Normal 0 44 32 44\r\n",
     "D",
     "D",
     "Diode",
     {{16, 0, "A"}, {16, 64, "K"}}},
    {"polcap",
     "LINE Normal 16 0 16 20\r\nLINE Normal 0 20 32 20\r\nLINE Normal 16 34 16 64\r\n"
     "ARC Normal -16 34 48 98 32 36 0 36\r\nLINE Normal 4 8 12 8\r\nLINE Normal 8 4 8 12\r\n",
     "C",
     "C",
     "Capacitor, polarized",
     {{16, 0, "+"}, {16, 64, "-"}}},
    {"schottky",
     CIRVANE_DIODE_BODY "LINE Normal 0 44 32 44\r\nLINE Normal 32 44 32 38\r\n"
                        "LINE Normal 0 44 0 50\r\n",
     "D",
     "D",
     "Schottky diode",
     {{16, 0, "A"}, {16, 64, "K"}}},
    {"varactor",
     CIRVANE_DIODE_BODY "LINE Normal 0 44 32 44\r\nLINE Normal 0 50 32 50\r\n",
     "D",
     "D",
     "Varactor diode",
     {{16, 0, "A"}, {16, 64, "K"}}},
    {"zener",
     CIRVANE_DIODE_BODY "LINE Normal 0 44 32 44\r\nLINE Normal 32 44 36 40\r\n"
                        "LINE Normal 0 44 -4 48\r\n",
     "D",
     "D",
     "Zener diode",
     {{16, 0, "A"}, {16, 64, "K"}}},
};

#undef CIRVANE_DIODE_BODY

std::string Line(const std::string& text) { return text + std::string(kCrLf); }

std::string FormatBasicSymbol(const BasicSymbol& s) {
  std::string text = kSymbolHead;
  text += s.graphics;
  text += Line("WINDOW 0 24 8 Left 2");
  text += Line("WINDOW 3 24 56 Left 2");
  text += Line(std::string("SYMATTR Value ") + s.value);
  text += Line(std::string("SYMATTR Prefix ") + s.prefix);
  text += Line(std::string("SYMATTR Description ") + s.description);
  int order = 1;
  for (const BasicPin& pin : s.pins) {
    text += Line("PIN " + std::to_string(pin.x) + " " + std::to_string(pin.y) + " NONE 0");
    text += Line(std::string("PINATTR PinName ") + pin.name);
    text += Line("PINATTR SpiceOrder " + std::to_string(order++));
  }
  return text;
}

// ---- Generated symbols ----

constexpr const char* kPinNames[] = {"IN+", "IN-", "V+",  "V-", "OUT",  "EN",    "FB",   "SW",
                                     "GND", "VIN", "BST", "SS", "PG",   "COMP",  "SYNC", "ILIM",
                                     "RT",  "CLK", "REF", "NC", "TRIM", "SENSE", "VCC",  "LX"};

constexpr size_t kPinNameCount = std::size(kPinNames);
// Pins stand this many grid steps left and right of the symbol's axis.
constexpr int kBlockPinX = 6;
constexpr int kTrianglePinX = 2;

const char* Outline(SymbolShape shape) {
  switch (shape) {
    case SymbolShape::kTwoTerminal:
      return "RECTANGLE Normal 0 16 32 80\r\nLINE Normal 16 0 16 16\r\nLINE Normal 16 80 16 96\r\n";
    case SymbolShape::kOpamp:
      return "LINE Normal -32 32 32 64\r\nLINE Normal -32 96 32 64\r\nLINE Normal -32 32 -32 96\r\n"
             "LINE Normal -28 48 -20 48\r\nLINE Normal -28 80 -20 80\r\nLINE Normal -24 84 -24 "
             "76\r\n";
    case SymbolShape::kComparator:
      return "LINE Normal -32 32 32 64\r\nLINE Normal -32 96 32 64\r\nLINE Normal -32 32 -32 96\r\n"
             "LINE Normal -12 68 -4 68\r\nLINE Normal -4 68 -4 60\r\nLINE Normal -4 60 4 60\r\n";
    case SymbolShape::kBlock:
      return "RECTANGLE Normal -96 -64 96 192\r\n";
  }
  return "";
}

// Attribute lines, then pins on alternate sides for as long as the file has room.
class CSymbolSource : public CTextSource {
 public:
  CSymbolSource(const std::string& name, SymbolShape shape, uint64_t seed)
      : m_name(name), m_shape(shape), m_rng(seed) {}

  std::string NextChunk() override {
    if (!m_attributesDone) {
      m_attributesDone = true;
      return Attributes();
    }
    return Pin();
  }

 private:
  std::string Attributes() {
    std::string text = "WINDOW 0 16 -16 Left 2\r\nWINDOW 3 16 112 Left 2\r\n";
    text += "SYMATTR Value " + m_name + "\r\n";
    text += "SYMATTR Prefix X\r\n";
    text += "SYMATTR SpiceModel " + m_name + ".sub\r\n";
    text += "SYMATTR Description " +
            MakeWords(m_rng,
                      static_cast<int>(m_rng.Between(kDescriptionWordsLow, kDescriptionWordsHigh)));
    return text;
  }

  std::string Pin() {
    const int side = (m_pin % 2 == 0) ? -1 : 1;
    const int x = side * (m_shape == SymbolShape::kBlock ? kBlockPinX : kTrianglePinX) * kGrid;
    const int y = (m_pin / 2) * 2 * kGrid;
    std::string text = "PIN " + std::to_string(x) + " " + std::to_string(y) +
                       (side < 0 ? " LEFT 8" : " RIGHT 8") + "\r\n";
    // Past the list of names, the names repeat with the pin's number added.
    std::string name = kPinNames[static_cast<size_t>(m_pin) % kPinNameCount];
    if (static_cast<size_t>(m_pin) >= kPinNameCount) name += std::to_string(m_pin);
    text += "PINATTR PinName " + name + "\r\n";
    text += "PINATTR SpiceOrder " + std::to_string(++m_pin);
    return text;
  }

  std::string m_name;
  SymbolShape m_shape;
  CRng m_rng;
  bool m_attributesDone = false;
  int m_pin = 0;
};

// ---- Schematics ----

struct Component {
  const char* symbol;
  const char* prefix;
  const char* model;  // part-number prefix of its model; null when it has a value instead
  int lowExp;         // value range, as for MakeEngValue
  int highExp;
};

constexpr Component kComponents[] = {
    {"res", "R", nullptr, 0, 5},      {"res", "R", nullptr, 1, 4},
    {"cap", "C", nullptr, -12, -5},   {"ind", "L", nullptr, -9, -3},
    {"diode", "D", "VD", 0, 0},       {"npn", "Q", "KTN", 0, 0},
    {"pnp", "Q", "KTP", 0, 0},        {"nmos", "M", "VMN", 0, 0},
    {"voltage", "V", nullptr, 0, 1},  {"current", "I", nullptr, -6, -2},
    {"polcap", "C", nullptr, -7, -3}, {"zener", "D", "VZ", 0, 0},
};

constexpr const char* kDirectives[] = {
    "!.tran 10m",
    "!.tran 0 5m 0 1u",
    "!.ac oct 20 10 10Meg",
    "!.op",
    "!.dc V1 0 10 10m",
    "!.step param R 1k 10k 1k",
    "!.noise V(out) V1 oct 10 1 100k",
    "!.four 1k V(out)",
};
constexpr const char* kOrientations[] = {"R0", "R90", "R180", "R270", "M0", "M90"};
constexpr const char* kNetNames[] = {"0", "0", "0", "out", "in", "vcc", "vee", "fb", "sw"};

constexpr int kCharValues = 256;
constexpr int kSheetWidth = 2048;
constexpr int kSheetHeight = 1536;
constexpr uint32_t kWirePercent = 45;
constexpr uint32_t kFlagPercent = 12;
constexpr uint32_t kDirectivePercent = 4;

class CSchematicSource : public CTextSource {
 public:
  explicit CSchematicSource(uint64_t seed) : m_rng(seed) {}

  std::string NextChunk() override {
    uint32_t draw = m_rng.Below(100);
    if (draw < kWirePercent) return Wire();
    if (draw < kWirePercent + kFlagPercent) {
      return "FLAG " + Coord() + " " + Coord(kSheetHeight) + " " + m_rng.Pick(kNetNames);
    }
    if (draw < kWirePercent + kFlagPercent + kDirectivePercent) {
      return "TEXT " + Coord() + " " + Coord(kSheetHeight) + " Left 2 " + m_rng.Pick(kDirectives);
    }
    return Symbol();
  }

 private:
  std::string Coord(int range = kSheetWidth) {
    return std::to_string(
        static_cast<int>(m_rng.Below(static_cast<uint32_t>(range / kGrid))) * kGrid - range / 4);
  }

  std::string Wire() {
    // Wires run horizontally or vertically, from the previous end when they continue a net.
    std::string x = Coord(), y = Coord(kSheetHeight);
    bool horizontal = m_rng.Chance(50);
    std::string x2 = horizontal ? Coord() : x, y2 = horizontal ? y : Coord(kSheetHeight);
    return "WIRE " + x + " " + y + " " + x2 + " " + y2;
  }

  std::string Symbol() {
    const Component& c = m_rng.Pick(kComponents);
    int& count = m_counts[static_cast<unsigned char>(c.prefix[0])];
    std::string text = std::string("SYMBOL ") + c.symbol + " " + Coord() + " " +
                       Coord(kSheetHeight) + " " + m_rng.Pick(kOrientations) + "\r\n";
    text += std::string("SYMATTR InstName ") + c.prefix + std::to_string(++count) + "\r\n";
    std::string value = c.model != nullptr ? MakePartNumber(m_rng, c.model)
                                           : MakeEngValue(m_rng, c.lowExp, c.highExp);
    return text + "SYMATTR Value " + value;
  }

  CRng m_rng;
  int m_counts[kCharValues] = {};  // instances so far, by prefix letter
};

}  // namespace

std::string MakeBasicSymbol(const std::string& name) {
  for (const BasicSymbol& s : kBasicSymbols) {
    if (name == s.name) return FormatBasicSymbol(s);
  }
  return "";
}

std::string MakeSymbol(const std::string& name, SymbolShape shape, size_t size, uint64_t seed) {
  CSymbolSource source(name, shape, seed);
  CRng fill(SeedFor(seed, "fill"));
  return FillText(std::string(kSymbolHead) + Outline(shape), "", size, source, kDrawingComment,
                  fill);
}

std::string MakeSchematic(size_t size, uint64_t seed) {
  CSchematicSource source(seed);
  CRng fill(SeedFor(seed, "fill"));
  std::string head = "Version 4\r\nSHEET 1 " + std::to_string(kSheetWidth) + " " +
                     std::to_string(kSheetHeight) + "\r\n";
  return FillText(head, "", size, source, kDrawingComment, fill);
}

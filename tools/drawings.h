// Schematic symbols (.asy) and schematics (.asc), the two drawing formats of the simulator.
//
// Both are CR LF text beginning with "Version 4". A symbol goes on with "SymbolType CELL", its
// graphics (LINE, RECTANGLE, ARC), WINDOW and SYMATTR attribute lines and its pins, each a PIN
// line followed by PINATTR lines. A schematic goes on with "SHEET 1 width height" and then
// WIRE, FLAG, SYMBOL (with its SYMATTR lines) and TEXT lines; a TEXT whose text starts with
// "!" is a simulator directive.
#ifndef CIRVANE_TOOLS_DRAWINGS_H_
#define CIRVANE_TOOLS_DRAWINGS_H_

#include <cstddef>
#include <cstdint>
#include <string>

// The six basic symbols that are installed read-only, in this order; each is 353 to 503 bytes.
constexpr size_t kReadOnlySymbolCount = 6;
extern const char* const kReadOnlySymbols[kReadOnlySymbolCount];

// The text of one of the hand-drawn basic symbols named in kReadOnlySymbols ("cap", ...);
// empty for any other name.
std::string MakeBasicSymbol(const std::string& name);

// What a generated symbol looks like; the pins follow from the outline.
enum class SymbolShape { kTwoTerminal, kOpamp, kComparator, kBlock };

// A symbol of exactly `size` bytes for the part `name`: an outline of `shape`, attributes that
// point at the part's subcircuit, and as many pins as the size holds.
std::string MakeSymbol(const std::string& name, SymbolShape shape, size_t size, uint64_t seed);

// A schematic of exactly `size` bytes: components, wires, net flags and simulation directives.
std::string MakeSchematic(size_t size, uint64_t seed);

#endif  // CIRVANE_TOOLS_DRAWINGS_H_

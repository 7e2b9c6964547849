// A small deterministic pseudo-random generator for the product generators.
//
// The generated trees must be byte-identical from run to run and from machine to machine, so
// the tools never use std::random_device, the standard distributions (whose results differ
// between library implementations) or floating point to draw values: everything is integer
// arithmetic over SplitMix64.
#ifndef CIRVANE_TOOLS_RNG_H_
#define CIRVANE_TOOLS_RNG_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

class CRng {
 public:
  explicit CRng(uint64_t seed) : m_state(seed) {}

  // The next 64 random bits.
  uint64_t Next() {
    m_state += 0x9E3779B97F4A7C15ull;
    uint64_t z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // A value in [0, bound); 0 when bound is 0.
  uint32_t Below(uint32_t bound) {
    return bound == 0 ? 0 : static_cast<uint32_t>(((Next() >> 32) * bound) >> 32);
  }

  // A value in [low, high], both included.
  uint32_t Between(uint32_t low, uint32_t high) { return low + Below(high - low + 1); }

  // 1 with the given chance in percent, else 0.
  bool Chance(uint32_t percent) { return Below(kPercent) < percent; }

  // A value in [low, high] that favours the low end (the square of a uniform draw), as file
  // sizes do: many small files, a few large ones.
  uint32_t Skewed(uint32_t low, uint32_t high) {
    uint64_t u = Next() >> kSkewShift;  // 24 bits
    uint64_t span = static_cast<uint64_t>(high - low) + 1;
    return low + static_cast<uint32_t>((span * ((u * u) >> kSkewBits)) >> kSkewBits);
  }

  // One element of a fixed array.
  template <typename T, size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(static_cast<uint32_t>(N))];
  }

 private:
  static constexpr uint32_t kPercent = 100;
  static constexpr int kSkewBits = 24;
  static constexpr int kSkewShift = 64 - kSkewBits;

  uint64_t m_state;
};

// A seed made from a base seed and a text (FNV-1a), so that each generated file has its own
// stream whatever order the files are produced in.
inline uint64_t SeedFor(uint64_t base, std::string_view text) {
  uint64_t hash = 0xCBF29CE484222325ull ^ base;
  for (char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001B3ull;
  }
  return hash;
}

#endif  // CIRVANE_TOOLS_RNG_H_

// File contents for tests: netlist text that deflate shrinks well, and noise that it cannot.
#ifndef CIRVANE_PAYLOAD_TEST_CONTENT_TEST_SUPPORT_H_
#define CIRVANE_PAYLOAD_TEST_CONTENT_TEST_SUPPORT_H_

#include <cstdint>
#include <cstdio>
#include <string>

// `size` bytes of text that compresses well and differs from line to line.
inline std::string TextOfSize(size_t size, unsigned seed = 1) {
  std::string text;
  char line[64];
  for (unsigned n = seed; text.size() < size; ++n) {
    snprintf(line, sizeof line, "R%u n%u n%u %uk\r\n", n, n * 7 % 100, n * 13 % 100, n % 470);
    text += line;
  }
  text.resize(size);
  return text;
}

// `size` pseudo-random bytes, which do not compress.
inline std::string NoiseOfSize(size_t size, unsigned seed = 1) {
  std::string noise(size, '\0');
  uint32_t state = seed * 2654435761u + 1;
  for (char& byte : noise) {
    state = state * 1664525u + 1013904223u;
    byte = static_cast<char>(state >> 24);
  }
  return noise;
}

#endif  // CIRVANE_PAYLOAD_TEST_CONTENT_TEST_SUPPORT_H_

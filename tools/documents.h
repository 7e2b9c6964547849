// Plain text files of the product: the change log, the licence, notes, plot settings (.plt)
// and a digital stimulus (.vector). Lines end with CR LF.
#ifndef CIRVANE_TOOLS_DOCUMENTS_H_
#define CIRVANE_TOOLS_DOCUMENTS_H_

#include <cstddef>
#include <cstdint>
#include <string>

// The licence text; always the same.
std::string MakeLicense();

// A change log of exactly `size` bytes: release headings, each with a list of changes.
std::string MakeChangelog(size_t size, uint64_t seed);

// A note of exactly `size` bytes with `title` on its first line.
std::string MakeNote(const std::string& title, size_t size, uint64_t seed);

// Plot settings of exactly `size` bytes for a waveform viewer: panes, traces and axes.
std::string MakePlotSettings(size_t size, uint64_t seed);

// A digital stimulus of exactly `size` bytes: time and bit-vector columns.
std::string MakeVectorFile(size_t size, uint64_t seed);

#endif  // CIRVANE_TOOLS_DOCUMENTS_H_

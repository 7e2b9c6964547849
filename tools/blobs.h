// Binary files of the product: program files, the help file and a sound file, with controlled
// compressibility. (The component archives are made by archive_content.h.)
//
// Program and help files are built from 4096-byte blocks. A block is either random bytes (like
// compressed resources, which gzip cannot shrink) or structured content that compresses about
// as well as machine code, tables and page text do; the share of random blocks decides how
// much of the file gzip can remove. Percentages run from 0 to 100.
#ifndef CIRVANE_TOOLS_BLOBS_H_
#define CIRVANE_TOOLS_BLOBS_H_

#include <cstddef>
#include <cstdint>
#include <string>

// A program file of exactly `size` bytes: a text header that names it as a stand-in (it is not
// a runnable program), then blocks of which `randomPercent` percent are random.
std::string MakeProgramFile(const std::string& name, size_t size, uint32_t randomPercent,
                            uint64_t seed);

// A help file of exactly `size` bytes: random blocks (compressed pages) among pages of text.
std::string MakeHelpFile(size_t size, uint32_t randomPercent, uint64_t seed);

// A RIFF WAVE file of exactly `size` bytes (size at least kWaveHeaderSize): 16-bit mono PCM
// of a tone with noise in its lowest `noiseBits` bits; 16 noise bits give pure noise, which
// does not compress.
constexpr size_t kWaveHeaderSize = 44;
std::string MakeWave(size_t size, uint32_t noiseBits, uint64_t seed);

#endif  // CIRVANE_TOOLS_BLOBS_H_

// Text files of an exact length, built from an endless source of realistic lines.
//
// The generated products give every text file a planned size, so the content is drawn from a
// source of chunks (one or more whole lines) until the next chunk would not fit, and the rest is
// filled with comment lines of the file's own kind. Chunks are never cut: a multi-line model
// statement or subcircuit block is either whole in the file or absent. Lines end with CR LF.
#ifndef CIRVANE_TOOLS_TEXT_FILL_H_
#define CIRVANE_TOOLS_TEXT_FILL_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "tools/rng.h"

constexpr std::string_view kCrLf = "\r\n";

// An endless source of text: each chunk is one or more lines joined by CR LF, without a line
// end after the last one.
class CTextSource {
 public:
  virtual ~CTextSource() = default;
  virtual std::string NextChunk() = 0;
};

// How the rest of a file is filled once no further chunk fits: comment lines that begin with
// `prefix` followed by words.
struct FillStyle {
  std::string_view prefix;
};

constexpr FillStyle kSpiceComment{"* "};
constexpr FillStyle kDrawingComment{"TEXT -48 -24 Left 2 ;"};
constexpr FillStyle kPlainWords{""};

// Returns exactly `size` bytes: `head`, chunks of `source` each followed by CR LF, filler lines
// in `style`, then `tail`. When `head` and `tail` alone do not leave room for a filler line, the
// text is `head` + `tail` cut to `size`.
std::string FillText(std::string_view head, std::string_view tail, size_t size, CTextSource& source,
                     FillStyle style, CRng& rng);

// A line of exactly `length` characters: `style.prefix` followed by words (both cut to fit).
std::string MakeFillerLine(size_t length, FillStyle style, CRng& rng);

// A few words of neutral prose, for comments and descriptions.
std::string MakeWords(CRng& rng, int count);

#endif  // CIRVANE_TOOLS_TEXT_FILL_H_

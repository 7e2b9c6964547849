// SPICE model libraries like the four the simulator ships in lib\cmp: standard.bjt, .dio, .jft
// and .mos.
//
// A library is a few "*" comment lines, then .model statements, one per part:
//   .model VQ2207 NPN(IS=14.34f BF=255.9 ... Vceo=40 Icrating=200m mfg=Norvelle)
// with the parameters in parentheses that open on the type token, and text parameters (mfg=,
// type=) beside the numeric ones. As in hand-maintained libraries, some statements run over "+"
// continuation lines, a few have blanks around "=" or a tab between parameters, a few end with
// a ";" remark, and groups are separated by "*" comment lines. Model names are unique within a
// library, ignoring case. Lines end with CR LF.
#ifndef CIRVANE_TOOLS_SPICE_MODELS_H_
#define CIRVANE_TOOLS_SPICE_MODELS_H_

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "tools/rng.h"
#include "tools/text_fill.h"

enum class ModelKind { kBjt, kDiode, kJfet, kMosfet };

// Endless .model statements of one kind (with an occasional comment chunk between groups).
class CModelSource : public CTextSource {
 public:
  CModelSource(ModelKind kind, uint64_t seed);
  std::string NextChunk() override;

 private:
  std::string NextStatement();
  std::string UniqueName(const char* prefix);  // a new part number, unique ignoring case

  ModelKind m_kind;
  CRng m_rng;
  std::set<std::string> m_namesUpper;  // names handed out, in upper case
  int m_untilComment;                  // statements left before the next comment chunk
};

// A complete library of exactly `size` bytes: its header comment, then statements of `kind`.
std::string MakeModelLibrary(ModelKind kind, size_t size, uint64_t seed);

#endif  // CIRVANE_TOOLS_SPICE_MODELS_H_

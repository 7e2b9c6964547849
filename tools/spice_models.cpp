#include "tools/spice_models.h"

#include <cctype>
#include <vector>

#include "tools/vocabulary.h"

namespace {

// One numeric parameter: mantissa/1000 * 10^exponent within the given ranges.
struct ParamRange {
  const char* name;
  int lowExp;
  int highExp;
  uint32_t lowMantissa;
  uint32_t highMantissa;
  bool negative;
};

constexpr uint32_t kLo = kMantissaLow;
constexpr uint32_t kHi = kMantissaHigh;

constexpr ParamRange kBjtParams[] = {
    {"IS", -16, -13, kLo, kHi, false},  {"XTI", 0, 0, 3000, 3000, false},
    {"EG", 0, 0, 1100, 1110, false},    {"VAF", 1, 2, kLo, kHi, false},
    {"BF", 1, 2, 2000, kHi, false},     {"NE", 0, 0, 1200, 2000, false},
    {"ISE", -15, -12, kLo, kHi, false}, {"IKF", -2, 0, kLo, kHi, false},
    {"XTB", 0, 0, 1500, 1500, false},   {"BR", 0, 0, kLo, kHi, false},
    {"NC", 0, 0, 2000, 2000, false},    {"ISC", -14, -12, kLo, kHi, false},
    {"IKR", -2, 0, kLo, kHi, false},    {"RC", -1, 0, kLo, kHi, false},
    {"CJC", -12, -11, kLo, kHi, false}, {"MJC", -1, -1, 2000, 5000, false},
    {"VJC", -1, -1, 7500, 7500, false}, {"FC", -1, -1, 5000, 5000, false},
    {"CJE", -12, -11, kLo, kHi, false}, {"MJE", -1, -1, 3000, 4000, false},
    {"VJE", -1, -1, 7500, 7500, false}, {"TR", -9, -7, kLo, kHi, false},
    {"TF", -10, -9, kLo, kHi, false},   {"ITF", -1, 0, kLo, kHi, false},
    {"VTF", 0, 0, kLo, kHi, false},     {"XTF", 0, 1, kLo, kHi, false},
    {"RB", 0, 1, kLo, kHi, false},
};

constexpr ParamRange kDiodeParams[] = {
    {"Is", -15, -8, kLo, kHi, false}, {"Rs", -2, 0, kLo, kHi, false},
    {"N", 0, 0, 1000, 2200, false},   {"Cjo", -12, -10, kLo, kHi, false},
    {"M", -1, -1, 2500, 5000, false}, {"Vj", -1, -1, 3000, kHi, false},
    {"tt", -9, -6, kLo, kHi, false},  {"Iave", -1, 1, kLo, kHi, false},
    {"Vpk", 1, 3, kLo, kHi, false},
};

constexpr ParamRange kZenerParams[] = {
    {"BV", 0, 1, 2400, kHi, false},
    {"IBV", -3, -2, kLo, kHi, false},
    {"NBV", 0, 0, 1000, 5000, false},
};

constexpr ParamRange kJfetParams[] = {
    {"Beta", -4, -3, kLo, kHi, false},   {"Betatce", -1, -1, 5000, 5000, true},
    {"Vto", 0, 0, kLo, 5000, true},      {"Vtotc", -3, -3, 2000, 2500, true},
    {"Lambda", -3, -2, kLo, kHi, false}, {"Rd", 0, 0, kLo, kLo, false},
    {"Rs", 0, 0, kLo, kLo, false},       {"Is", -15, -13, kLo, kHi, false},
    {"Isr", -13, -12, kLo, kHi, false},  {"N", 0, 0, kLo, kLo, false},
    {"Nr", 0, 0, 2000, 2000, false},     {"Xti", 0, 0, 3000, 3000, false},
    {"Alpha", -6, -5, kLo, kHi, false},  {"Vk", 2, 2, kLo, kHi, false},
    {"Cgd", -12, -11, kLo, kHi, false},  {"M", -1, -1, 3000, 5000, false},
    {"Pb", -1, -1, 5000, 9000, false},   {"Fc", -1, -1, 5000, 5000, false},
    {"Cgs", -12, -11, kLo, kHi, false},  {"Kf", -18, -17, kLo, kHi, false},
    {"Af", 0, 0, kLo, kLo, false},
};

constexpr ParamRange kVdmosParams[] = {
    {"Rg", 0, 1, kLo, kHi, false},        {"Vto", 0, 0, kLo, 4500, false},
    {"Rd", -3, -1, kLo, kHi, false},      {"Rs", -3, -2, kLo, kHi, false},
    {"Rb", -3, -2, kLo, kHi, false},      {"Kp", -1, 2, kLo, kHi, false},
    {"Cgdmax", -11, -9, kLo, kHi, false}, {"Cgdmin", -12, -10, kLo, kHi, false},
    {"Cgs", -11, -9, kLo, kHi, false},    {"Cjo", -11, -9, kLo, kHi, false},
    {"Is", -12, -10, kLo, kHi, false},
};

constexpr ParamRange kVdmosOptional[] = {
    {"Lambda", -3, -1, kLo, kHi, false},
    {"Tt", -8, -7, kLo, kHi, false},
    {"Ksubthres", -1, -1, kLo, 2000, false},
};

constexpr ParamRange kLevel1Params[] = {
    {"Vto", -1, -1, 5000, 9000, false},   {"Kp", -5, -4, kLo, kHi, false},
    {"Gamma", -1, -1, 3000, 6000, false}, {"Phi", -1, -1, 6000, 7000, false},
    {"Lambda", -2, -2, kLo, 5000, false}, {"Tox", -8, -8, kLo, 5000, false},
};

// Part-number prefixes; the arrays of one kind have the same length so that either polarity
// can be picked with the same call.
constexpr const char* kNpnPrefixes[] = {"VQ", "KTN", "RBN", "HQN", "ZXB"};
constexpr const char* kPnpPrefixes[] = {"VQP", "KTP", "RBP", "HQP", "ZXP"};
constexpr const char* kNjfPrefixes[] = {"VJ", "KJN", "RJF"};
constexpr const char* kPjfPrefixes[] = {"VJP", "KJP", "RJP"};
constexpr const char* kNchanPrefixes[] = {"VMN", "KFN", "HMF", "RDN"};
constexpr const char* kPchanPrefixes[] = {"VMP", "KFP", "HMP", "RDP"};
constexpr const char* kLevel1Prefixes[] = {"VLN", "VLP"};

constexpr uint32_t kDiodePrefixCount = 3;
struct DiodeType {
  const char* text;  // the type= parameter
  const char* prefixes[kDiodePrefixCount];
};
constexpr DiodeType kDiodeTypes[] = {
    {"silicon", {"VD", "KDS", "HSD"}},
    {"Schottky", {"VSK", "KSR", "RBS"}},
    {"zener", {"VZ", "KZD", "ZLD"}},
    {"LED", {"VLED", "KLE", "HLD"}},
};

constexpr const char* kRemarks[] = {"preliminary", "from curve tracer data", "replaces rev A",
                                    "verified at 25C", "typical values"};

// How often the hand-made irregularities of real libraries appear, in percent of statements.
constexpr uint32_t kSplitPercent = 15;
constexpr uint32_t kTightPlusPercent = 30;
constexpr uint32_t kSpacedEqualsPercent = 5;
constexpr uint32_t kTabPercent = 3;
constexpr uint32_t kRemarkPercent = 3;
constexpr uint32_t kParamsPerLineLow = 4;
constexpr uint32_t kParamsPerLineHigh = 9;
// A comment chunk separates groups of this many statements.
constexpr uint32_t kGroupLow = 8;
constexpr uint32_t kGroupHigh = 24;

// Data-sheet ratings written beside the model parameters.
constexpr uint32_t kVceoLow = 20;  // volts
constexpr uint32_t kVceoHigh = 400;
constexpr int kRatingLowExp = -1;  // collector current, 100 mA to 10 A
constexpr int kRatingHighExp = 0;
constexpr uint32_t kVdsLow = 20;  // volts
constexpr uint32_t kVdsHigh = 900;
constexpr int kRonLowExp = -3;  // on-resistance, 1 mOhm to 10 Ohm
constexpr int kRonHighExp = 0;
constexpr int kGateChargeLowExp = -9;  // gate charge, 1 nC to 100 nC
constexpr int kGateChargeHighExp = -8;

constexpr uint32_t kNpnPercent = 55;
constexpr uint32_t kNjfPercent = 65;
constexpr uint32_t kPchanPercent = 30;
constexpr uint32_t kLevel1Percent = 8;
constexpr uint32_t kOptionalPercent = 40;

template <size_t N>
void AddParams(std::vector<std::string>& out, const ParamRange (&table)[N], CRng& rng) {
  for (const ParamRange& p : table) {
    std::string value = MakeEngValue(rng, p.lowExp, p.highExp, p.lowMantissa, p.highMantissa);
    out.push_back(std::string(p.name) + "=" + (p.negative ? "-" : "") + value);
  }
}

struct Statement {
  std::string name;
  std::string type;  // the type token without its "("
  std::vector<std::string> params;
};

// The name is drawn afterwards, from the prefixes of the polarity drawn here.
Statement MakeBjt(CRng& rng) {
  Statement s{"", rng.Chance(kNpnPercent) ? "NPN" : "PNP", {}};
  AddParams(s.params, kBjtParams, rng);
  s.params.push_back("Vceo=" + std::to_string(rng.Between(kVceoLow, kVceoHigh)));
  s.params.push_back("Icrating=" + MakeEngValue(rng, kRatingLowExp, kRatingHighExp));
  s.params.push_back(std::string("mfg=") + PickManufacturer(rng));
  return s;
}

Statement MakeDiode(CRng& rng, const std::string& name, const char* type) {
  Statement s{name, "D", {}};
  AddParams(s.params, kDiodeParams, rng);
  if (std::string(type) == "zener") AddParams(s.params, kZenerParams, rng);
  s.params.push_back(std::string("mfg=") + PickManufacturer(rng));
  s.params.push_back(std::string("type=") + type);
  return s;
}

Statement MakeJfet(CRng& rng, const std::string& name, bool nChannel) {
  Statement s{name, nChannel ? "NJF" : "PJF", {}};
  AddParams(s.params, kJfetParams, rng);
  // A p-channel JFET pinches off at a positive gate voltage.
  if (!nChannel) {
    for (std::string& p : s.params) {
      if (p.rfind("Vto=-", 0) == 0) p.erase(4, 1);
    }
  }
  s.params.push_back(std::string("mfg=") + PickManufacturer(rng));
  return s;
}

Statement MakeMosfet(CRng& rng, const std::string& name, bool pChannel) {
  Statement s{name, "VDMOS", {}};
  if (pChannel) s.params.push_back("pchan");
  AddParams(s.params, kVdmosParams, rng);
  for (const ParamRange& p : kVdmosOptional) {
    if (rng.Chance(kOptionalPercent)) {
      s.params.push_back(std::string(p.name) + "=" +
                         MakeEngValue(rng, p.lowExp, p.highExp, p.lowMantissa, p.highMantissa));
    }
  }
  if (pChannel) {
    for (std::string& p : s.params) {
      if (p.rfind("Vto=", 0) == 0) p.insert(4, "-");
    }
  }
  s.params.push_back(std::string("mfg=") + PickManufacturer(rng));
  s.params.push_back("Vds=" + std::string(pChannel ? "-" : "") +
                     std::to_string(rng.Between(kVdsLow, kVdsHigh)));
  s.params.push_back("Ron=" + MakeEngValue(rng, kRonLowExp, kRonHighExp));
  s.params.push_back("Qg=" + MakeEngValue(rng, kGateChargeLowExp, kGateChargeHighExp));
  return s;
}

Statement MakeLevel1(CRng& rng, const std::string& name) {
  Statement s{name, rng.Chance(kNpnPercent) ? "NMOS" : "PMOS", {"Level=1"}};
  AddParams(s.params, kLevel1Params, rng);
  return s;
}

// Writes a statement as one line, or as a first line and "+" continuation lines.
std::string LayOut(Statement s, CRng& rng) {
  if (rng.Chance(kSpacedEqualsPercent)) {
    std::string& p = s.params[rng.Below(static_cast<uint32_t>(s.params.size()))];
    size_t eq = p.find('=');
    if (eq != std::string::npos) p.replace(eq, 1, " = ");
  }
  s.params.back() += ")";
  std::string text = ".model " + s.name + " " + s.type + "(";
  // One tab between two parameters, where someone aligned a column by hand.
  const size_t tabAt =
      rng.Chance(kTabPercent) ? rng.Between(1, static_cast<uint32_t>(s.params.size() - 1)) : 0;
  const bool split = rng.Chance(kSplitPercent);
  const char* plus = rng.Chance(kTightPlusPercent) ? "+" : "+ ";
  size_t onLine = split ? rng.Between(kParamsPerLineLow, kParamsPerLineHigh) : s.params.size();
  for (size_t i = 0; i < s.params.size(); ++i) {
    if (i > 0 && i % onLine == 0) {
      text += kCrLf;
      text += plus;
    } else if (i > 0) {
      text += i == tabAt ? '\t' : ' ';
    }
    text += s.params[i];
  }
  if (rng.Chance(kRemarkPercent)) text += std::string(" ; ") + rng.Pick(kRemarks);
  return text;
}

const char* KindTitle(ModelKind kind) {
  switch (kind) {
    case ModelKind::kBjt:
      return "bipolar transistor";
    case ModelKind::kDiode:
      return "diode";
    case ModelKind::kJfet:
      return "JFET";
    case ModelKind::kMosfet:
      return "MOSFET";
  }
  return "";
}

std::string ToUpper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

CModelSource::CModelSource(ModelKind kind, uint64_t seed)
    : m_kind(kind), m_rng(seed), m_untilComment(0) {
  m_untilComment = static_cast<int>(m_rng.Between(kGroupLow, kGroupHigh));
}

std::string CModelSource::UniqueName(const char* prefix) {
  while (true) {
    std::string name = MakePartNumber(m_rng, prefix);
    if (m_namesUpper.insert(ToUpper(name)).second) return name;
  }
}

std::string CModelSource::NextStatement() {
  switch (m_kind) {
    case ModelKind::kBjt: {
      Statement s = MakeBjt(m_rng);
      s.name = UniqueName(m_rng.Pick(s.type == "NPN" ? kNpnPrefixes : kPnpPrefixes));
      return LayOut(s, m_rng);
    }
    case ModelKind::kDiode: {
      const DiodeType& type = m_rng.Pick(kDiodeTypes);
      std::string name = UniqueName(type.prefixes[m_rng.Below(kDiodePrefixCount)]);
      return LayOut(MakeDiode(m_rng, name, type.text), m_rng);
    }
    case ModelKind::kJfet: {
      bool nChannel = m_rng.Chance(kNjfPercent);
      std::string name = UniqueName(m_rng.Pick(nChannel ? kNjfPrefixes : kPjfPrefixes));
      return LayOut(MakeJfet(m_rng, name, nChannel), m_rng);
    }
    case ModelKind::kMosfet: {
      if (m_rng.Chance(kLevel1Percent)) {
        return LayOut(MakeLevel1(m_rng, UniqueName(m_rng.Pick(kLevel1Prefixes))), m_rng);
      }
      bool pChannel = m_rng.Chance(kPchanPercent);
      std::string name = UniqueName(m_rng.Pick(pChannel ? kPchanPrefixes : kNchanPrefixes));
      return LayOut(MakeMosfet(m_rng, name, pChannel), m_rng);
    }
  }
  return "";
}

std::string CModelSource::NextChunk() {
  if (--m_untilComment < 0) {
    m_untilComment = static_cast<int>(m_rng.Between(kGroupLow, kGroupHigh));
    return "*" + std::string(kCrLf) + "* " + PickManufacturer(m_rng) + " " + KindTitle(m_kind) +
           "s";
  }
  return NextStatement();
}

std::string MakeModelLibrary(ModelKind kind, size_t size, uint64_t seed) {
  std::string head = std::string("* Copyright (c) VRO Systems. Standard ") + KindTitle(kind) +
                     " models of Cirvane IV. All rights reserved." + std::string(kCrLf) + "*" +
                     std::string(kCrLf) + "* Models of your own may be added anywhere; " +
                     "an update keeps them." + std::string(kCrLf) + "*" + std::string(kCrLf);
  CModelSource source(kind, seed);
  CRng fill(SeedFor(seed, "fill"));
  return FillText(head, "", size, source, kSpiceComment, fill);
}

// The component archives of generated products (lib/cmp/standard.cap, .res, .ind, .bead),
// written by the installer's own archive writer, with content shaped like the real databases:
//   cap   capacitors of four technologies ("Al electrolytic", "Tantalum", "X5R", "X7R") from
//         E6 and E12 values, standard voltages, ripple current and ESR where the technology has
//         them, the simulator's slot 5 (a lifetime in hours for electrolytics, else 0) and 1 in
//         slot 7;
//   res   first the generic E96 series at 0.1 W and 1 % from 10 ohms up, without manufacturer or
//         part number, then E24 parts of named makers at 5 %;
//   ind   power inductors, E6 values from 1 uH to 1 mH, with their current rating, winding
//         resistance and the parallel resistance and capacitance of their model;
//   bead  ferrite beads, modelled the same way.
// Some records name their maker "WE eiSos", as older databases did. Each part (maker and part
// number, ignoring case) occurs once, as in a shipped database.
// Numbers come from decimal texts through strtof, so the same seed gives the same bytes on
// every machine.
#ifndef CIRVANE_TOOLS_ARCHIVE_CONTENT_H_
#define CIRVANE_TOOLS_ARCHIVE_CONTENT_H_

#include <cstddef>
#include <cstdint>
#include <string>

// An archive of `kind` ("cap", "res", "ind" or "bead") of exactly `size` bytes: as many records
// as fit, the last part number lengthened by an order-code suffix to take up the rest. A size
// too small for one record gives an empty archive (00 00) followed by zero bytes, which the
// reader ignores.
std::string MakeComponentArchive(const std::string& kind, size_t size, uint64_t seed);

#endif  // CIRVANE_TOOLS_ARCHIVE_CONTENT_H_

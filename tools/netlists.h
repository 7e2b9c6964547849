// SPICE netlist text of the simulator's lib\sub folder: subcircuit files (.sub), libraries of
// subcircuits and models (.lib, .mod), and the encrypted subcircuits that vendors ship.
//
// A subcircuit is a comment header, ".subckt NAME node...", element lines (R, C, L, E, G, D, Q,
// B), its private .model lines and ".ends NAME". Lines end with CR LF.
#ifndef CIRVANE_TOOLS_NETLISTS_H_
#define CIRVANE_TOOLS_NETLISTS_H_

#include <cstddef>
#include <cstdint>
#include <string>

// A subcircuit file of exactly `size` bytes defining the part `name`.
std::string MakeSubcircuit(const std::string& name, size_t size, uint64_t seed);

// A library of exactly `size` bytes: a header, then whole subcircuits and .model statements.
std::string MakeNetlistLibrary(const std::string& title, size_t size, uint64_t seed);

// An encrypted subcircuit of exactly `size` bytes: one comment line in the clear, then bytes
// that look random and do not compress.
std::string MakeEncryptedSubcircuit(const std::string& name, size_t size, uint64_t seed);

#endif  // CIRVANE_TOOLS_NETLISTS_H_

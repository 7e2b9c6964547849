// cmpdb's commands for the component archives: capacitors (.cap), resistors (.res), inductors
// (.ind) and ferrite beads (.bead, read and written as inductors).
//
// The text form, printed by the dumps and read by the builds, has one line per record in file
// order, with the fields of the record class in their declared order separated by tabs. Texts
// are their bytes. A number is printed with %.9g, which gives every float back exactly, except
// a NaN and negative zero, whose sign and payload a decimal text would lose: those are printed
// as "0x" and the float's 32 bits in eight hexadecimal digits (0x7fc00001, 0x80000000). A build
// reads either form (a field starting "0x" is always the bits). A capacitor line holds
// manufacturer, part_number, technology, capacitance, voltage_rating, current_rating, esr,
// extra_value, slot 5 (a number) and slot 7 (a whole number from 0 to 4294967295); a build also
// takes a line without the two slots, which then get 0 and 1. An inductor line holds
// manufacturer, part_number, inductance, current_rating, series_resistance,
// parallel_resistance and parallel_capacitance; a resistor line manufacturer, part_number,
// resistance, power_rating and tolerance. Builds ignore empty lines and a carriage return before
// a line feed. So a build of a dump writes the archive dumped byte for byte, except where the
// reader changed a text: inductor manufacturers it renames ("WE eiSos" reads "Wurth
// Elektronik"), and texts holding a tab, line feed or carriage return, which the form cannot
// hold.
#ifndef CIRVANE_TOOLS_CMPDB_ARCHIVE_KINDS_H_
#define CIRVANE_TOOLS_CMPDB_ARCHIVE_KINDS_H_

#include <cstdio>
#include <string>

// Print the records of the archive at `path`; 1 on success, 0 after saying why on stderr.
int DumpCapacitorArchive(const std::string& path, std::FILE* out);
int DumpInductorArchive(const std::string& path, std::FILE* out);
int DumpResistorArchive(const std::string& path, std::FILE* out);

// Write the archive described by the text file `tsv` to `output`; 1 on success, 0 after saying
// why on stderr (nothing is written when the text has a fault).
int BuildCapacitorArchive(const std::string& tsv, const std::string& output);
int BuildInductorArchive(const std::string& tsv, const std::string& output);
int BuildResistorArchive(const std::string& tsv, const std::string& output);

#endif  // CIRVANE_TOOLS_CMPDB_ARCHIVE_KINDS_H_

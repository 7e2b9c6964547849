// cmpdb's commands for the component archives: capacitors (.cap), resistors (.res), inductors
// (.ind) and ferrite beads (.bead, read and written as inductors).
//
// The text form, printed by the dumps and read by the builds, has one line per record in file
// order, with the fields of the record class in their declared order separated by tabs: texts as
// their bytes, numbers with %.9g (which gives every float back exactly). A capacitor line holds
// manufacturer, part_number, technology, capacitance, voltage_rating, current_rating, esr and
// extra_value; a build also takes two more columns, slot 5 (a number) and slot 7 (a whole
// number), which are otherwise written as 0 and 1. An inductor line holds manufacturer,
// part_number, inductance, current_rating, series_resistance, parallel_resistance and
// parallel_capacitance; a resistor line manufacturer, part_number, resistance, power_rating and
// tolerance. Builds ignore empty lines and a carriage return before a line feed.
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

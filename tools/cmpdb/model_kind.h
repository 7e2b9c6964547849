// cmpdb's commands for SPICE model libraries.
#ifndef CIRVANE_TOOLS_CMPDB_MODEL_KIND_H_
#define CIRVANE_TOOLS_CMPDB_MODEL_KIND_H_

#include <cstdio>
#include <string>

// One line per model record: name, a tab, the statement text.
int DumpModelLibrary(const std::string& path, std::FILE* out);

// Every statement the reader returns for the file, one per line, in order.
int PrintStatements(const std::string& path, std::FILE* out);

#endif  // CIRVANE_TOOLS_CMPDB_MODEL_KIND_H_

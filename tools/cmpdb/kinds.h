// The database kinds cmpdb knows: how to dump, merge and build each.
#ifndef CIRVANE_TOOLS_CMPDB_KINDS_H_
#define CIRVANE_TOOLS_CMPDB_KINDS_H_

#include <cstdio>
#include <string>

struct DatabaseKind {
  const char* name;        // as typed on the command line: "model", "cap", ...
  const char* extensions;  // the file name endings it serves, space-separated: ".bjt .dio"
  // Prints the records of the database at `path` to `out`; 1 on success, 0 after printing
  // the reason on stderr.
  int (*dump)(const std::string& path, std::FILE* out);
  // The installer's own merge of this kind: (output, shipped, user) paths, 1 on success.
  int (*merge)(const char* output, const char* shipped, const char* user);
  // Writes the database described by the text file `tsv` (the dump's format) to `output`;
  // 1 on success, 0 after printing the reason on stderr. Null when the kind cannot be built.
  int (*build)(const std::string& tsv, const std::string& output);
};

// The kind named `name`; null when there is none.
const DatabaseKind* FindKindByName(const std::string& name);
// The kind serving the ending of `path` (ignoring case); null when there is none.
const DatabaseKind* FindKindByPath(const std::string& path);
// "model, cap, ..." for the usage text.
std::string KindNames();

#endif  // CIRVANE_TOOLS_CMPDB_KINDS_H_

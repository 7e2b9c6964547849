// Writes a set of output files only once every one of them has been written in full.
#ifndef CIRVANE_PAYLOAD_OUTPUT_FILES_H_
#define CIRVANE_PAYLOAD_OUTPUT_FILES_H_

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Suffix of the temporary name each output is written under before it is renamed into place.
constexpr char kTemporarySuffix[] = ".tmp";

struct OutputFile {
  std::filesystem::path path;
  std::string_view bytes;
};

// Writes every file under its temporary name (creating missing directories), then renames them
// all into place. Returns true; false with `*err` when a write fails (no output has changed) or a
// rename fails (outputs renamed before it stay replaced); temporary files are removed either way.
bool WriteOutputFiles(const std::vector<OutputFile>& files, std::string* err);

#endif  // CIRVANE_PAYLOAD_OUTPUT_FILES_H_

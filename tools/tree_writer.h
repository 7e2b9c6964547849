// Writing a planned product tree to disk.
//
// The tools replace a product directory only when they made it themselves: they write a stamp
// file beside the directory, "<dir>.stamp", before the first file and again, with the totals,
// after the last. A directory that holds anything and has no stamp is refused, so a mistyped
// --out never empties someone's folder. The stamp lies beside the tree rather than in it
// because every file in the tree becomes a file of the installer.
#ifndef CIRVANE_TOOLS_TREE_WRITER_H_
#define CIRVANE_TOOLS_TREE_WRITER_H_

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/product_plan.h"

// The stamp that marks `dir` as generated: the same path with ".stamp" appended.
std::filesystem::path StampPathFor(const std::filesystem::path& dir);

// Makes `dir` an empty directory ready for a tree and stamps it. A missing or empty directory
// is created or taken; one that holds files is emptied only if its stamp exists. Returns an
// empty text on success, else a message.
std::string PrepareProductDir(const std::filesystem::path& dir);

// Writes `bytes` to `dir`/`path` (a "/"-separated relative path), creating its folders.
// Returns an empty text on success, else a message naming the file.
std::string WriteProductFile(const std::filesystem::path& dir, const std::string& path,
                             const std::string& bytes);

// Marks the tree in `dir` as complete, recording `summary` in its stamp. Returns an empty text
// on success, else a message.
std::string FinishProductDir(const std::filesystem::path& dir, const std::string& summary);

// Totals of a written tree.
struct TreeTotals {
  uint64_t files = 0;
  uint64_t bytes = 0;
};

// Prepares `dir`, writes every file of `plan` with its content from `content`, and finishes
// the stamp. Returns an empty text on success, else a message; `totals` counts what was
// written.
std::string WriteProduct(const std::filesystem::path& dir, const std::vector<PlannedFile>& plan,
                         const ContentFunction& content, TreeTotals* totals);

#endif  // CIRVANE_TOOLS_TREE_WRITER_H_

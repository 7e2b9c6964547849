// Collects the files of a product tree for the payload table, refusing what the table cannot hold.
#ifndef CIRVANE_PAYLOAD_TREE_SCAN_H_
#define CIRVANE_PAYLOAD_TREE_SCAN_H_

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Files of this size or more do not fit the table's 32-bit size field.
constexpr uint64_t kMaxTreeFileSize = uint64_t{1} << 32;

// One file of the tree.
struct TreeFile {
  std::string path;              // payload path: ".\" and the relative path with backslashes
  std::filesystem::path source;  // where its bytes are read (a link's own name; reading follows it)
  uint64_t size = 0;             // its length when scanned
};

// What the scan found, in directory walk order.
struct TreeScan {
  std::vector<TreeFile> files;
  std::vector<std::filesystem::path> directories;  // every directory, the root first
};

// Walks the tree below `root`. A symbolic link to a file inside the tree counts as that file
// under the link's name. Returns true and fills `scan`; false with `*err` naming the first entry
// the table cannot hold: an empty file, a file of kMaxTreeFileSize or more, a name Windows
// cannot hold, a path longer than kMaxPayloadPathLength, a link leaving the tree, to a directory
// or to nothing, anything that is neither file nor directory; or an empty tree.
bool ScanTree(const std::filesystem::path& root, TreeScan* scan, std::string* err);

#endif  // CIRVANE_PAYLOAD_TREE_SCAN_H_

// SPICE model libraries as lists of model records, and the in-memory part of their merge.
#ifndef CIRVANE_SYNC_MODEL_LIBRARY_H_
#define CIRVANE_SYNC_MODEL_LIBRARY_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One `.model` statement: its name (the second token) and its whole normalised text.
struct ModelRec {
  std::string name;
  std::string text;
};

// The records of a library in the order of their statements.
using ModelList = std::vector<ModelRec>;

// Every `.model` statement of the library at `path` (the keyword in any case), in file order;
// comments, empty lines and other statements are skipped. Nothing when the file cannot be
// opened or read to its end.
std::optional<ModelList> LoadModelLibrary(std::string_view path);

// The index of the first record whose name equals `name` ignoring ASCII case; nothing for an
// empty name or when no record matches.
std::optional<size_t> FindModelByName(std::string_view name, const ModelList& list);

// Merges `shipped` into `user`, in the order of `shipped`: a record whose name `user` already
// holds replaces the first such record in place, any other is appended. Since `user` grows as
// the loop runs, a later shipped record can replace an earlier one. A record without a name is
// never matched. The cost grows linearly: an index keeps the first position of every name.
void MergeShippedModels(ModelList& user, ModelList shipped);

#endif  // CIRVANE_SYNC_MODEL_LIBRARY_H_

#include "tools/cmpdb/commands.h"

#include "platform/files.h"
#include "tools/cmpdb/kinds.h"
#include "tools/cmpdb/model_kind.h"

namespace {

using Arguments = std::vector<std::string>;

void PrintUsage(std::FILE* to) {
  std::fprintf(to,
               "usage: cmpdb statements FILE\n"
               "       cmpdb dump FILE [KIND]\n"
               "       cmpdb merge KIND OUTPUT SHIPPED USER\n"
               "       cmpdb build KIND TSV OUTPUT\n"
               "       cmpdb --help\n"
               "KIND is one of: %s\n",
               KindNames().c_str());
}

int UsageError(const std::string& problem) {
  std::fprintf(stderr, "cmpdb: %s\n", problem.c_str());
  PrintUsage(stderr);
  return kCmpdbUsageError;
}

int StatusOf(int succeeded) { return succeeded ? kCmpdbSucceeded : kCmpdbFailed; }

std::string LogicPath(const std::string& typed) { return platform::ImportPath(typed); }

int RunStatements(const Arguments& arguments, std::FILE* out) {
  if (arguments.size() != 2) return UsageError("statements takes one FILE");
  return StatusOf(PrintStatements(LogicPath(arguments[1]), out));
}

int RunDump(const Arguments& arguments, std::FILE* out) {
  if (arguments.size() != 2 && arguments.size() != 3) return UsageError("dump takes FILE [KIND]");
  const DatabaseKind* kind =
      arguments.size() == 3 ? FindKindByName(arguments[2]) : FindKindByPath(arguments[1]);
  if (!kind) return UsageError("cannot tell the kind of " + arguments[1] + "; name a KIND");
  return StatusOf(kind->dump(LogicPath(arguments[1]), out));
}

int RunMerge(const Arguments& arguments) {
  if (arguments.size() != 5) return UsageError("merge takes KIND OUTPUT SHIPPED USER");
  const DatabaseKind* kind = FindKindByName(arguments[1]);
  if (!kind) return UsageError("unknown KIND " + arguments[1]);
  const std::string output = LogicPath(arguments[2]);
  const std::string shipped = LogicPath(arguments[3]);
  const std::string user = LogicPath(arguments[4]);
  return StatusOf(kind->merge(output.c_str(), shipped.c_str(), user.c_str()));
}

int RunBuild(const Arguments& arguments) {
  if (arguments.size() != 4) return UsageError("build takes KIND TSV OUTPUT");
  const DatabaseKind* kind = FindKindByName(arguments[1]);
  if (!kind) return UsageError("unknown KIND " + arguments[1]);
  if (!kind->build) return UsageError("build does not make " + arguments[1] + " databases");
  return StatusOf(kind->build(LogicPath(arguments[2]), LogicPath(arguments[3])));
}

}  // namespace

int RunCmpdb(const Arguments& arguments, std::FILE* out) {
  if (arguments.empty()) return UsageError("no command given");
  const std::string& command = arguments[0];
  if (command == "--help" || command == "-h") {
    PrintUsage(out);
    return kCmpdbSucceeded;
  }
  if (command == "statements") return RunStatements(arguments, out);
  if (command == "dump") return RunDump(arguments, out);
  if (command == "merge") return RunMerge(arguments);
  if (command == "build") return RunBuild(arguments);
  return UsageError("unknown command " + command);
}

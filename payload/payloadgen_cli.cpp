#include "payload/payloadgen_cli.h"

#include <exception>
#include <filesystem>

#include "payload/depfile.h"
#include "payload/output_files.h"
#include "payload/payload_build.h"
#include "payload/table_source.h"

namespace fs = std::filesystem;

namespace {

constexpr char kMessagePrefix[] = "payloadgen: ";

struct PayloadgenArgs {
  bool list = false;
  std::string tree;
  std::string readOnly;
  std::string out;
  std::string depfile;
};

// The field an option with a value fills, or null for an unknown option.
std::string* ValueOf(const std::string& option, PayloadgenArgs* args) {
  if (option == "--tree") return &args->tree;
  if (option == "--readonly") return &args->readOnly;
  if (option == "--out") return &args->out;
  if (option == "--depfile") return &args->depfile;
  return nullptr;
}

// Empty when the options given make a command; else what is wrong.
std::string ArgsProblem(const PayloadgenArgs& args) {
  if (args.tree.empty()) return "--tree is required";
  if (args.readOnly.empty()) return "--readonly is required";
  if (args.list && !(args.out.empty() && args.depfile.empty())) {
    return "--list writes nothing, so it takes no --out or --depfile";
  }
  if (!args.list && args.out.empty()) return "--out is required";
  return std::string();
}

bool ParseArgs(const std::vector<std::string>& argv, PayloadgenArgs* args, std::string* err) {
  for (size_t i = 0; i < argv.size(); ++i) {
    const std::string& option = argv[i];
    std::string* value = ValueOf(option, args);
    if (option == "--list" && !args->list) {
      args->list = true;
    } else if (value == nullptr) {
      *err = "unexpected argument '" + option + "'";
      return false;
    } else if (i + 1 == argv.size() || argv[i + 1].empty() || !value->empty()) {
      *err = option + " takes one non-empty value, once";
      return false;
    } else {
      *value = argv[++i];
    }
  }
  *err = ArgsProblem(*args);
  return err->empty();
}

std::string RenderListing(const BuiltPayload& payload) {
  std::string text;
  size_t members = 0;
  uint64_t installed = 0;
  for (const PayloadRecord& record : payload.records) {
    text += record.path + "\t" + std::to_string(record.readOnly) + "\t" +
            std::to_string(record.size) + "\t" + std::to_string(record.packedSize) + "\n";
    members += record.packedSize != 0;
    installed += record.size;
  }
  return text + std::to_string(payload.records.size()) + " entries, " +
         std::to_string(payload.records.size() - members) + " plain, " + std::to_string(members) +
         " members, " + std::to_string(installed) + " bytes installed, " +
         std::to_string(payload.blob.size()) + " bytes stored\n";
}

std::string RenderTableDepfile(const fs::path& table, const BuiltPayload& payload) {
  std::vector<std::string> deps;
  for (const fs::path& input : payload.inputs) {
    deps.push_back(fs::absolute(input).lexically_normal().string());
  }
  return RenderDepfile(fs::absolute(table).lexically_normal().string(), deps);
}

bool WriteTable(const PayloadgenArgs& args, const BuiltPayload& payload, std::string* err) {
  const fs::path table = fs::path(args.out) / kTableFileName;
  const std::string source = RenderTableSource(payload);
  const std::string depfile = args.depfile.empty() ? "" : RenderTableDepfile(table, payload);
  std::vector<OutputFile> files = {
      {fs::path(args.out) / kBlobFileName,
       std::string_view(reinterpret_cast<const char*>(payload.blob.data()), payload.blob.size())},
      {table, source}};
  if (!args.depfile.empty()) files.push_back({args.depfile, depfile});
  return WriteOutputFiles(files, err);
}

int Run(const PayloadgenArgs& args, std::ostream& out, std::string* err) {
  BuiltPayload payload;
  if (!BuildPayload(args.tree, args.readOnly, BuildOptions(), &payload, err)) {
    return kPayloadgenRefused;
  }
  if (args.list) {
    out << RenderListing(payload);
    return kPayloadgenOk;
  }
  return WriteTable(args, payload, err) ? kPayloadgenOk : kPayloadgenRefused;
}

}  // namespace

int RunPayloadgen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  PayloadgenArgs parsed;
  std::string message;
  if (!ParseArgs(args, &parsed, &message)) {
    err << kMessagePrefix << message << "\n" << kPayloadgenUsageText;
    return kPayloadgenUsage;
  }
  int status = kPayloadgenRefused;
  try {
    status = Run(parsed, out, &message);
  } catch (const std::exception& e) {
    message = e.what();
  }
  if (status != kPayloadgenOk) err << kMessagePrefix << message << "\n";
  return status;
}

#include "integration/uninstall_log.h"

#include <memory>
#include <string>

#include "engine/paths.h"
#include "engine/worker.h"
#include "platform/files.h"

namespace {

constexpr char kLogName[] = ".\\uninstall.info";
constexpr char kLinkLinePrefix[] = "Link:";
constexpr char kLineEnd[] = "\r\n";

std::string LinkLine(std::string_view path) {
  return kLinkLinePrefix + std::string(path) + kLineEnd;
}

}  // namespace

void WriteUninstallInfo(std::string_view startMenuLinkPath, std::string_view desktopLinkPath) {
  std::string logPath = JoinPath(g_installDir, kLogName);
  if (!FitsPathLimit(logPath)) return;
  std::unique_ptr<platform::CFile> log =
      platform::Files().Open(logPath.c_str(), platform::OpenMode::kWrite);
  if (!log) return;
  std::string content = LinkLine(startMenuLinkPath) + LinkLine(desktopLinkPath);
  log->Write(content.data(), content.size());
  log->Close();
}

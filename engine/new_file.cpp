#include "engine/new_file.h"

#include "engine/files.h"
#include "engine/paths.h"

namespace {

constexpr char kNewFileSuffix[] = ".new";

}  // namespace

std::optional<platform::SNewFile> CreateFreshFile(
    const std::function<std::string(unsigned)>& nameFor, unsigned attempts) {
  for (unsigned attempt = 0; attempt < attempts; ++attempt) {
    std::string name = nameFor(attempt);
    if (!FitsPathLimit(name)) return std::nullopt;
    bool taken = false;
    std::unique_ptr<platform::CFile> file = platform::Files().CreateNew(name.c_str(), &taken);
    if (file || !taken) return platform::SNewFile{name, std::move(file)};
  }
  return std::nullopt;
}

CFileReplacement::CFileReplacement(std::string_view path) : m_path(path) {
  m_new = CreateFreshFile(
      [this](unsigned attempt) {
        return m_path + kNewFileSuffix + (attempt == 0 ? "" : std::to_string(attempt));
      },
      kNewFileNameAttempts);
  if (m_new && !m_new->file) m_new.reset();
}

CFileReplacement::~CFileReplacement() {
  if (!m_new || m_moved) return;
  m_new->file.reset();
  platform::Files().RemoveFile(m_new->path.c_str());
}

ReplaceOutcome CFileReplacement::Commit() {
  if (!file()) return ReplaceOutcome::kNotWritten;
  int synced = m_new->file->Sync();
  int closed = m_new->file->Close();
  m_new->file.reset();
  if (!synced || !closed) return ReplaceOutcome::kNotWritten;
  const char* from = m_new->path.c_str();
  m_moved = platform::Files().MoveReplacing(from, m_path.c_str());
  if (!m_moved) {
    platform::Files().SetReadOnly(m_path.c_str(), false);
    m_moved = platform::Files().MoveReplacing(from, m_path.c_str());
  }
  if (!m_moved) return ReplaceOutcome::kMoveRefused;
  platform::Files().SyncFolderOf(m_path.c_str());  // the move is made; this only makes it last
  return ReplaceOutcome::kReplaced;
}

int ReplaceWithCopy(std::string_view source, std::string_view destination) {
  std::unique_ptr<platform::CFile> input = OpenForRead(source);
  if (!input) return 0;
  CFileReplacement replacement(destination);
  if (!replacement.file() || !CopyAllBytes(*input, *replacement.file())) return 0;
  return replacement.Commit() == ReplaceOutcome::kReplaced;
}

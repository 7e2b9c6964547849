// A folder browser for tests: plays a scripted user who moves the selection through some folders
// and then chooses or cancels, and records what the callback did to the browser.
#ifndef CIRVANE_PLATFORM_FAKE_FAKE_FOLDER_BROWSER_H_
#define CIRVANE_PLATFORM_FAKE_FAKE_FOLDER_BROWSER_H_

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/folder_browser.h"

namespace platform {

class CFakeFolderBrowser : public CFolderBrowser {
 public:
  // The user moves the selection to a folder with `path`, or with none (a virtual folder).
  void Select(std::optional<std::string> path) { m_moves.push_back(std::move(path)); }
  // How the next browse ends: true chooses the selection, false cancels.
  void EndWithChoice(bool choose) { m_choose = choose; }

  // Opens, tells the callback, makes the scripted moves, then ends as told: a choice returns
  // the current selection, which is none when nothing was ever selected.
  ShellItem BrowseForFolder(const SBrowseRequest& request) override {
    m_title = request.title ? request.title : "";
    m_flags = request.flags;
    m_hadOwner = request.owner != nullptr;
    CWindow window(*this);
    request.callback(&window, kBrowserInitialized, nullptr, request.data);
    ShellItem current = nullptr;
    for (const std::optional<std::string>& move : m_moves) {
      m_items.push_back(move);
      current = &m_items.back();
      request.callback(&window, kBrowserSelectionChanged, current, request.data);
    }
    m_moves.clear();
    return m_choose ? current : nullptr;
  }

  std::optional<std::string> GetPathFromItem(ShellItem item) override {
    for (const std::optional<std::string>& made : m_items) {
      if (&made == item) return made;
    }
    return std::nullopt;
  }

  void FreeItem(ShellItem item) override { m_freed.push_back(item); }

  const std::string& title() const { return m_title; }
  unsigned flags() const { return m_flags; }
  bool hadOwner() const { return m_hadOwner; }
  // What the callback selected and wrote into the status line, oldest first.
  const std::vector<std::string>& selectionsSet() const { return m_selectionsSet; }
  const std::vector<std::string>& statusTexts() const { return m_statusTexts; }
  // Items released, oldest first.
  const std::vector<ShellItem>& freed() const { return m_freed; }

 private:
  class CWindow : public CBrowserWindow {
   public:
    explicit CWindow(CFakeFolderBrowser& browser) : m_browser(browser) {}
    void SetSelection(const char* path) override { m_browser.m_selectionsSet.push_back(path); }
    void SetStatusText(const char* text) override { m_browser.m_statusTexts.push_back(text); }

   private:
    CFakeFolderBrowser& m_browser;
  };

  std::vector<std::optional<std::string>> m_moves;
  bool m_choose = false;
  std::deque<std::optional<std::string>> m_items;  // stable addresses serve as items
  std::string m_title;
  unsigned m_flags = 0;
  bool m_hadOwner = false;
  std::vector<std::string> m_selectionsSet;
  std::vector<std::string> m_statusTexts;
  std::vector<ShellItem> m_freed;
};

}  // namespace platform

#endif  // CIRVANE_PLATFORM_FAKE_FAKE_FOLDER_BROWSER_H_

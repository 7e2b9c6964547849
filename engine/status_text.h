// The one-line status text the worker writes and the user-interface thread displays.
#ifndef CIRVANE_ENGINE_STATUS_TEXT_H_
#define CIRVANE_ENGINE_STATUS_TEXT_H_

#include <cstddef>
#include <mutex>
#include <string>

// Size of the text, its terminating NUL included; longer texts are cut.
constexpr size_t kStatusTextSize = 1024;

// Written by one thread and copied by another: both go through a short lock, so the reader
// always gets one whole text.
class CStatusText {
 public:
  CStatusText() { Clear(); }
  // Fills the whole text with zero bytes.
  void Clear();
  // Replaces the text with the formatted arguments (printf rules).
  void Set(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // A copy of the current text.
  std::string Copy() const;
  // Calls `listener` with every text set from now on (null: none), on the setting thread. For
  // programs that show every status line rather than sample it.
  void SetListener(void (*listener)(const char* text));

 private:
  mutable std::mutex m_mutex;
  char m_text[kStatusTextSize];
  void (*m_listener)(const char* text) = nullptr;
};

#endif  // CIRVANE_ENGINE_STATUS_TEXT_H_

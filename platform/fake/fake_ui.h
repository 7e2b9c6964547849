// A user-interface service for tests: records every message box and answers OK.
#ifndef CIRVANE_PLATFORM_FAKE_FAKE_UI_H_
#define CIRVANE_PLATFORM_FAKE_FAKE_UI_H_

#include <mutex>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace platform {

class CFakeUi : public CUi {
 public:
  int ShowMessageBox(const char* text) override {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_boxes.push_back(text);
    return kMessageBoxOk;
  }

  // The texts of the boxes shown so far, oldest first.
  std::vector<std::string> boxes() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_boxes;
  }

 private:
  mutable std::mutex m_mutex;
  std::vector<std::string> m_boxes;
};

}  // namespace platform

#endif  // CIRVANE_PLATFORM_FAKE_FAKE_UI_H_

// The component library initialised on this thread for as long as the object lives.
#ifndef CIRVANE_PLATFORM_WIN32_COM_SCOPE_H_
#define CIRVANE_PLATFORM_WIN32_COM_SCOPE_H_

#include <windows.h>
// Needs the definitions of windows.h first.
#include <objbase.h>

namespace platform {

class CComScope {
 public:
  CComScope() : m_result(CoInitialize(nullptr)) {}
  ~CComScope() {
    if (SUCCEEDED(m_result)) CoUninitialize();
  }
  CComScope(const CComScope&) = delete;
  CComScope& operator=(const CComScope&) = delete;

 private:
  HRESULT m_result;
};

}  // namespace platform

#endif  // CIRVANE_PLATFORM_WIN32_COM_SCOPE_H_

// A test fixture with recording stand-ins installed for the system (exits, sleeps, environment),
// the message boxes and the files (the real ones, with faults on request), and a scratch
// directory; the real services are put back after each test.
#ifndef CIRVANE_PLATFORM_FAKE_FAKE_SERVICES_TEST_H_
#define CIRVANE_PLATFORM_FAKE_FAKE_SERVICES_TEST_H_

#include <gtest/gtest.h>

#include "platform/fake/fake_system.h"
#include "platform/fake/fake_ui.h"
#include "platform/fake/faulty_files.h"
#include "platform/fake/test_files.h"

namespace platform {

class CFakeServicesTest : public testing::Test {
 protected:
  void SetUp() override {
    UseSystem(&m_system);
    UseUi(&m_ui);
    UseFiles(&m_files);
  }
  void TearDown() override {
    UseFiles(nullptr);
    UseUi(nullptr);
    UseSystem(nullptr);
  }

  CScopedTempDir m_dir;
  CFakeSystem m_system;
  CFakeUi m_ui;
  CFaultyFiles m_files;
};

}  // namespace platform

#endif  // CIRVANE_PLATFORM_FAKE_FAKE_SERVICES_TEST_H_

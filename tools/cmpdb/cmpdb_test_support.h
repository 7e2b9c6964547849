// The fixture of cmpdb's tests: runs the tool in-process and keeps what it printed.
#ifndef CIRVANE_TOOLS_CMPDB_CMPDB_TEST_SUPPORT_H_
#define CIRVANE_TOOLS_CMPDB_CMPDB_TEST_SUPPORT_H_

#include <cstdio>
#include <string>
#include <vector>

#include "platform/fake/fake_services_test.h"
#include "tools/cmpdb/commands.h"

class CCmpdbTest : public platform::CFakeServicesTest {
 protected:
  // Runs cmpdb with `arguments`; returns its exit status and keeps what it printed.
  int Run(const std::vector<std::string>& arguments) {
    const std::string capture = platform::SystemPathForTest(m_dir / "stdout.txt");
    std::FILE* out = std::fopen(capture.c_str(), "wb");
    EXPECT_NE(nullptr, out);
    int status = RunCmpdb(arguments, out);
    std::fclose(out);
    m_printed = platform::ReadWholeFile(m_dir / "stdout.txt");
    return status;
  }

  // A file in the test directory with `content`; returns its system path.
  std::string File(const std::string& name, const std::string& content) {
    EXPECT_TRUE(platform::WriteWholeFile(m_dir / name, content));
    return Path(name);
  }
  // The system path of `name` in the test directory.
  std::string Path(const std::string& name) { return platform::SystemPathForTest(m_dir / name); }

  std::string m_printed;
};

#endif  // CIRVANE_TOOLS_CMPDB_CMPDB_TEST_SUPPORT_H_

// Payload tables made in memory for tests: entries stored plain or as gzip members exactly as
// the build stores them, or with stored bytes a test has damaged.
#ifndef CIRVANE_ENGINE_FIXTURE_TABLE_TEST_SUPPORT_H_
#define CIRVANE_ENGINE_FIXTURE_TABLE_TEST_SUPPORT_H_

#include <deque>
#include <string>
#include <vector>

#include "payload/payload.h"
#include "payload/test_content_test_support.h"

class CFixtureTable {
 public:
  // Adds a file as the build would store it (plain up to kMaxPlainSize bytes, else a member).
  // Returns the stored bytes so that a test can damage them before calling index().
  std::string& Add(const std::string& path, const std::string& content, bool readOnly = false);

  // The entries in the order they were added.
  const PayloadIndex& index();
  // The content of the entry added `n`-th, from 0.
  const std::string& content(size_t n) const { return m_files[n].content; }

 private:
  struct Stored {
    std::string path;
    std::string content;
    std::string bytes;
    bool readOnly;
  };
  std::deque<Stored> m_files;
  std::vector<PayloadEntry> m_entries;
  std::vector<const PayloadEntry*> m_pointers;
  PayloadIndex m_index{};
};

#endif  // CIRVANE_ENGINE_FIXTURE_TABLE_TEST_SUPPORT_H_

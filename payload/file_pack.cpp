#include "payload/file_pack.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <fstream>
#include <numeric>
#include <system_error>
#include <thread>

#include "payload/member.h"
#include "payload/payload.h"

namespace {

bool ReadWholeFile(const TreeFile& file, std::vector<unsigned char>* bytes, std::string* err) {
  std::ifstream in(file.source, std::ios::binary);
  if (!in) {
    *err = file.source.string() + ": cannot open";
    return false;
  }
  bytes->resize(file.size);
  in.read(reinterpret_cast<char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
  const bool complete = static_cast<uint64_t>(in.gcount()) == file.size;
  if (!complete || in.peek() != std::ifstream::traits_type::eof()) {
    *err = file.source.string() + ": changed while payloadgen was reading the tree";
    return false;
  }
  return true;
}

// Packs `files[order[i]]` for every i handed out by `next`, until none are left.
void PackShare(const std::vector<TreeFile>& files, const std::vector<size_t>& order,
               std::atomic<size_t>* next, std::vector<PackedFile>* packed,
               std::vector<std::string>* errors) {
  for (size_t i = next->fetch_add(1); i < order.size(); i = next->fetch_add(1)) {
    const size_t index = order[i];
    try {
      PackFile(files[index], &(*packed)[index], &(*errors)[index]);
    } catch (const std::exception& e) {
      (*errors)[index] = files[index].source.string() + ": " + e.what();
    }
  }
}

unsigned ThreadCount(unsigned requested, size_t jobs) {
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const unsigned wanted = requested != 0 ? requested : cores;
  return static_cast<unsigned>(std::min<size_t>(wanted, std::max<size_t>(jobs, 1)));
}

}  // namespace

bool PackFile(const TreeFile& file, PackedFile* packed, std::string* err) {
  std::vector<unsigned char> content;
  if (!ReadWholeFile(file, &content, err)) return false;
  packed->size = static_cast<uint32_t>(content.size());
  packed->tag = Crc32Of(content.data(), content.size());
  if (content.size() <= kMaxPlainSize) {
    packed->packedSize = 0;
    packed->stored = std::move(content);
    return true;
  }
  packed->stored = MakeGzipMember(content.data(), content.size());
  packed->packedSize = static_cast<uint32_t>(packed->stored.size());
  std::vector<unsigned char> inflated;
  if (!InflateGzipMember(packed->stored.data(), packed->stored.size(), &inflated) ||
      inflated != content) {
    *err = file.source.string() + ": its gzip member does not inflate back to the file";
    return false;
  }
  return true;
}

bool PackFiles(const std::vector<TreeFile>& files, unsigned threads,
               std::vector<PackedFile>* packed, std::string* err) {
  packed->assign(files.size(), PackedFile());
  std::vector<std::string> errors(files.size());
  // Largest files first, so that no core is left with a big one at the end.
  std::vector<size_t> order(files.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return files[a].size > files[b].size; });
  std::atomic<size_t> next{0};
  std::vector<std::thread> helpers;
  for (unsigned i = 1; i < ThreadCount(threads, files.size()); ++i) {
    try {
      helpers.emplace_back(PackShare, std::cref(files), std::cref(order), &next, packed, &errors);
    } catch (const std::system_error&) {
      break;  // fewer threads only take longer
    }
  }
  PackShare(files, order, &next, packed, &errors);
  for (std::thread& helper : helpers) helper.join();
  const auto failed =
      std::find_if(errors.begin(), errors.end(), [](const std::string& e) { return !e.empty(); });
  if (failed == errors.end()) return true;
  *err = *failed;
  return false;
}

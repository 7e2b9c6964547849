#include "engine/memory.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "engine/message.h"
#include "platform/system.h"
#include "platform/ui.h"

// Each block starts with a header that holds its usable size, so that ZeroRealloc knows which
// bytes are new; the header keeps the alignment of max_align_t for the caller's bytes.
namespace {

constexpr size_t kHeaderSize = alignof(std::max_align_t) > sizeof(size_t)
                                   ? alignof(std::max_align_t)
                                   : sizeof(size_t);

unsigned char* HeaderOf(void* block) { return static_cast<unsigned char*>(block) - kHeaderSize; }

size_t SizeOf(void* block) {
  size_t size;
  memcpy(&size, HeaderOf(block), sizeof size);
  return size;
}

void* Stamp(void* raw, size_t count) {
  memcpy(raw, &count, sizeof count);
  return static_cast<unsigned char*>(raw) + kHeaderSize;
}

// A block of `count` usable bytes, or null when none can be had.
void* RawAlloc(size_t count) {
  if (count > SIZE_MAX - kHeaderSize) return nullptr;
  void* raw = calloc(1, kHeaderSize + count);
  return raw ? Stamp(raw, count) : nullptr;
}

}  // namespace

void* ZeroAlloc(size_t count) {
  if (count == 0) return nullptr;
  void* block = RawAlloc(count);
  if (!block) OutOfMemory();
  return block;
}

void* ZeroRealloc(void* block, size_t count) {
  if (count == 0) {
    ZeroFree(block);
    return nullptr;
  }
  if (!block) return ZeroAlloc(count);
  size_t oldSize = SizeOf(block);
  if (count > SIZE_MAX - kHeaderSize) OutOfMemory();
  void* raw = realloc(HeaderOf(block), kHeaderSize + count);
  if (!raw) OutOfMemory();
  unsigned char* resized = static_cast<unsigned char*>(Stamp(raw, count));
  if (count > oldSize) memset(resized + oldSize, 0, count - oldSize);
  return resized;
}

void ZeroFree(void* block) {
  if (block) free(HeaderOf(block));
}

char* DupString(const char* text) {
  if (!text) return nullptr;
  size_t length = strlen(text);
  char* copy = static_cast<char*>(RawAlloc(length + 1));
  if (copy) memcpy(copy, text, length + 1);
  return copy;
}

void OutOfMemory() {
  platform::UiService().ShowMessageBox("Out of Memory!");
  platform::SystemService().ExitProcess(kOutOfMemoryExitStatus);
  abort();  // only reached when a test's system service declined to end the process
}

void InstallOutOfMemoryHandler() { std::set_new_handler(OutOfMemory); }

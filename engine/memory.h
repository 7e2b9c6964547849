// Heap blocks for the installer's own buffers, and the one way out when memory runs out.
//
// ZeroAlloc and ZeroRealloc never return a failure: when no memory can be had they show
// "Out of Memory!" and end the process with kOutOfMemoryExitStatus. Blocks from ZeroAlloc,
// ZeroRealloc and DupString are released with ZeroFree.
#ifndef CIRVANE_ENGINE_MEMORY_H_
#define CIRVANE_ENGINE_MEMORY_H_

#include <cstddef>

// A zero-filled block of `count` bytes; null for a count of 0.
void* ZeroAlloc(size_t count);

// `block` (which may be null) resized to `count` bytes, the old bytes kept and any added bytes
// zero; for a count of 0 the block is released and null returned.
void* ZeroRealloc(void* block, size_t count);

// Releases a block of the functions here; null is ignored.
void ZeroFree(void* block);

// A heap copy of `text`; null for null, and null when no memory could be had (no message).
char* DupString(const char* text);

// Shows "Out of Memory!" and ends the process with kOutOfMemoryExitStatus.
[[noreturn]] void OutOfMemory();

// Sends every failed `new` of the program through OutOfMemory.
void InstallOutOfMemoryHandler();

#endif  // CIRVANE_ENGINE_MEMORY_H_

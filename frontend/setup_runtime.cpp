// The installer program catches no exception: whatever the C++ library would throw can only end
// it. These definitions take the place of the library's own throwing helpers and its verbose
// terminate handler, so that the program carries neither the exception classes with their
// strings nor the name demangler that handler prints with; the program ends the same way, and
// memory that cannot be had ends it with "Out of Memory!" as everywhere else. Linked into the
// installer program only: the test programs keep the library's exceptions.
#include <cstdlib>

#include "engine/memory.h"

namespace {

// What an uncaught exception would have come to: the terminate handler's abort.
[[noreturn]] void EndAsUncaught() { std::abort(); }

}  // namespace

namespace std {

[[noreturn]] void __throw_bad_alloc() { OutOfMemory(); }
[[noreturn]] void __throw_bad_array_new_length() { OutOfMemory(); }
[[noreturn]] void __throw_bad_cast() { EndAsUncaught(); }
[[noreturn]] void __throw_bad_typeid() { EndAsUncaught(); }
[[noreturn]] void __throw_bad_exception() { EndAsUncaught(); }
[[noreturn]] void __throw_logic_error(const char*) { EndAsUncaught(); }
[[noreturn]] void __throw_domain_error(const char*) { EndAsUncaught(); }
[[noreturn]] void __throw_invalid_argument(const char*) { EndAsUncaught(); }
[[noreturn]] void __throw_length_error(const char*) { EndAsUncaught(); }
[[noreturn]] void __throw_out_of_range(const char*) { EndAsUncaught(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { EndAsUncaught(); }
[[noreturn]] void __throw_runtime_error(const char*) { EndAsUncaught(); }
[[noreturn]] void __throw_range_error(const char*) { EndAsUncaught(); }
[[noreturn]] void __throw_overflow_error(const char*) { EndAsUncaught(); }
[[noreturn]] void __throw_underflow_error(const char*) { EndAsUncaught(); }
[[noreturn]] void __throw_system_error(int) { EndAsUncaught(); }

}  // namespace std

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler() { EndAsUncaught(); }

}  // namespace __gnu_cxx

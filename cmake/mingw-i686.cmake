# Cross build of the product for 32-bit Windows with Debian's MinGW-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Static runtime: the installer is one self-contained executable. No timestamp in the PE header,
# so the same sources give a byte-identical binary.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp")

# zlib from libz-mingw-w64-dev, linked statically.
set(ZLIB_LIBRARY /usr/i686-w64-mingw32/lib/libz.a)
set(ZLIB_INCLUDE_DIR /usr/i686-w64-mingw32/include)

# Test programs run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

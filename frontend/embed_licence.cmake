# cmake -DINPUT=licence.txt -DOUTPUT=licence_text.cpp -P embed_licence.cmake
# Writes the bytes of INPUT as the array LicenceText (with a terminating NUL) and its length.
# The output depends on the input's bytes only, and is written only when it changes.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR length "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(('\\\\x..',){12})" "\\1\n    " bytes "${bytes}")
set(content "// Generated from licence.txt by embed_licence.cmake; edit licence.txt instead.
#include \"frontend/licence_text.h\"

const char LicenceText[] = {
    ${bytes}'\\0'};
const size_t kLicenceTextLength = ${length};
")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL content)
  file(WRITE "${OUTPUT}" "${content}")
endif()

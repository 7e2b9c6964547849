# cmake -DINPUT=licence.txt -DOUTPUT=licence_text.cpp -DNAME=LicenceText
#       -DHEADER=frontend/licence_text.h -P embed_text.cmake
# Writes the bytes of INPUT as the array NAME (with a terminating NUL) and its length as
# kNAMELength, after including HEADER, which declares both. The output depends on the input's
# bytes only, and is written only when it changes.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR length "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(('\\\\x..',){12})" "\\1\n    " bytes "${bytes}")
get_filename_component(input_name "${INPUT}" NAME)
set(content "// Generated from ${input_name} by embed_text.cmake; edit ${input_name} instead.
#include \"${HEADER}\"

const char ${NAME}[] = {
    ${bytes}'\\0'};
const size_t k${NAME}Length = ${length};
")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL content)
  file(WRITE "${OUTPUT}" "${content}")
endif()

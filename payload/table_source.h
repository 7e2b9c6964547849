// The generated source of a payload table: the records, the index and `payloadIndex`, with the
// blob of stored bytes pulled in from kBlobFileName by the assembler. The blob is found on the
// assembler's include path (compile with -Wa,-I<dir>), so the source names no directory and is
// the same wherever it is built.
#ifndef CIRVANE_PAYLOAD_TABLE_SOURCE_H_
#define CIRVANE_PAYLOAD_TABLE_SOURCE_H_

#include <string>
#include <string_view>

#include "payload/payload_build.h"

constexpr char kTableFileName[] = "payload_table.cpp";
constexpr char kBlobFileName[] = "payload.bin";

// `text` as the body of a C string literal: printable ASCII as it is, backslash and double quote
// escaped with a backslash, and every other byte, '?' too (no trigraph can form), as a
// three-digit octal escape.
std::string EscapeForCString(std::string_view text);

// The C++ source defining `payloadIndex` over `payload`, which must hold at least one record.
std::string RenderTableSource(const BuiltPayload& payload);

#endif  // CIRVANE_PAYLOAD_TABLE_SOURCE_H_

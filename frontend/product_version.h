// Texts of the installer's own version resource: its product version and its company.
//
// The resource is a VS_VERSIONINFO block whose keys and string values are UTF-16LE. The value of
// a key such as "ProductVersion" follows the key's terminating zero unit and the padding that
// aligns it; it is read by dropping the zero high bytes of its units, which gives the 8-bit text
// for every character the value holds.
#ifndef CIRVANE_FRONTEND_PRODUCT_VERSION_H_
#define CIRVANE_FRONTEND_PRODUCT_VERSION_H_

#include <cstddef>
#include <string>
#include <string_view>

// The position of the first occurrence of `pattern` in `block`, counting only places where the
// whole pattern lies inside the block; std::string_view::npos when there is none (also for an
// empty pattern).
size_t FindBytes(std::string_view block, std::string_view pattern);

// The value of the key `key` (ASCII) of a version block; "" when the block has no such key or
// the value is empty. The value ends at its zero unit or at the end of the block.
std::string ReadVersionValue(std::string_view block, std::string_view key);

// The "ProductVersion" value of a version block, e.g. "Version 4.00o".
std::string ReadProductVersion(std::string_view block);

// The "CompanyName" value of a version block, e.g. "Veltro Corporation".
std::string ReadCompanyName(std::string_view block);

#endif  // CIRVANE_FRONTEND_PRODUCT_VERSION_H_

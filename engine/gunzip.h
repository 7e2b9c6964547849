// Decompression of a gzip member that the installer has written to disk, through a temporary
// file, so that no installed file is ever held in memory as a whole.
#ifndef CIRVANE_ENGINE_GUNZIP_H_
#define CIRVANE_ENGINE_GUNZIP_H_

#include <optional>
#include <string>
#include <string_view>

// Nothing on success, else a text for the user that the caller shows inside its own message.
using ErrorText = std::optional<std::string>;

// Bytes decompressed per round.
constexpr size_t kGunzipBufferSize = 16384;

// Turns the gzip member in the file `targetPath` into its content, in place: decompresses it
// into a new temporary file (MakeTempFile), copies that back over `targetPath` and deletes it.
// The temporary file never stays. On a failure the target is left as it was, unless the copy
// back itself failed part way.
ErrorText GunzipInPlace(std::string_view targetPath);

// Decompresses the gzip file `inputPath` into `outputPath`, creating or truncating it. A file
// that is not gzip data at all is refused, not copied.
ErrorText GunzipToFile(std::string_view inputPath, std::string_view outputPath);

#endif  // CIRVANE_ENGINE_GUNZIP_H_

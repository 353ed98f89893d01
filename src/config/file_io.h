#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace liftvox {

// The largest text file any reader takes whole: configuration, DIL, language
// and wizard files. A configuration an announcer can hold is far smaller (its
// sample lists end below byte 65536 of the image, about 4000 records in all);
// this leaves room for a file of 100 000 samples, which loads up to the
// per-sequence limit and says so.
inline constexpr std::uintmax_t kMaxTextFileBytes = 16u << 20;

// Why a file was not read.
enum class FileReadError {
  None,
  CannotOpen,      // missing, or no permission
  NotRegularFile,  // a folder, FIFO, device or socket: reading could block or never end
  TooLarge,        // longer than the reader allows
  ReadFailed,
};

struct FileBytes {
  std::optional<std::string> bytes;  // set when the whole file was read
  FileReadError error = FileReadError::None;
};

// Reads a whole regular file of at most `maxBytes` bytes. The kind and size
// are checked before a byte is read, and at most `maxBytes` + 1 bytes are
// ever read, so a file that grows meanwhile is refused too.
FileBytes ReadBoundedFile(const std::filesystem::path& path, std::uintmax_t maxBytes);

// Why, in English, for a message that names the file: "is not a regular
// file", "is longer than 16777216 bytes", ...
std::string DescribeFileReadError(FileReadError error, std::uintmax_t maxBytes);

// The whole file, or nullopt when it cannot be read within `maxBytes` (see
// ReadBoundedFile).
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path,
                                         std::uintmax_t maxBytes = kMaxTextFileBytes);

// Replaces `path` with `bytes` without ever destroying the old file: the data
// goes to a temporary file in the same folder, is flushed, and is renamed over
// the target. On failure the temporary file is removed, the old file is left
// byte-for-byte as it was, and the result is false.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Creates `path` as a new empty file only when nothing is there, not even a
// dangling link: a name taken this way is nobody else's, and replacing the
// empty file later (WriteFileAtomically) destroys nothing. Taken: something
// is there; Refused: the folder takes no new file (missing, read-only, ...).
enum class NewFileClaim { Claimed, Taken, Refused };
NewFileClaim ClaimNewFile(const std::filesystem::path& path);

}  // namespace liftvox

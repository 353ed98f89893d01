#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace liftvox {

// Paths inside configuration and wizard files are text: relative ones are
// stored with '\', and both '\' and '/' are accepted when reading. A path is
// "absolute" as stored when it has a drive ("C:\..." or "C:/..."), a network
// prefix ("\\server\share\...") or a leading '/' (POSIX root). A leading
// single '\' (the root of the current drive) counts as well: putting a folder
// in front of any of these would name a different file.
bool IsAbsoluteStoredPath(std::string_view path);

// The path to store for `path` (UTF-8, absolute) relative to `baseDir` (the
// program's folder): unchanged when the two have different drives (drive
// letter with colon, or "\\server\share", compared without regard to case; on
// POSIX the root "/" is the one common drive); otherwise the common leading
// folders are dropped (compared without regard to case on a drive or share;
// under the POSIX root exactly, since those file systems tell "Zvuky" from
// "zvuky" and a folded match would name another folder), "..\" is written for
// each remaining base folder, then the remaining folders of `path` each with
// "\", then the file name.
// With base C:\Editor: C:\Editor\Zvuky\a.wav -> Zvuky\a.wav,
// C:\Data\b.wav -> ..\Data\b.wav, D:\c.wav -> D:\c.wav.
std::string StoredRelativePath(std::string_view path, std::string_view baseDir);

// A stored path as a native filesystem path ('\' and '/' both separators).
std::filesystem::path NativePath(std::string_view storedPath);

// The path to store for a sample's `path` (UTF-8, absolute): relative to
// `configurationDir` when it lies inside that folder, so a configuration and
// its recordings can move together; otherwise StoredRelativePath against
// `programDir`, except that a POSIX path outside the program's folder stays
// absolute. An empty configurationDir always takes the latter.
std::string StoredSamplePath(std::string_view path, std::string_view configurationDir,
                             std::string_view programDir);

// The folder of the running executable (the program's directory); the current
// folder when the platform cannot tell.
std::filesystem::path ExecutableDirectory();

// Conversions between UTF-8 text and filesystem paths that do not go through
// the process's narrow code page (which on Windows is not UTF-8). On POSIX a
// name's bytes that are no UTF-8 are carried as FileNameText describes, so
// every path comes back to its bytes.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// Case-insensitive comparison and upper-casing for ASCII and the letters of
// Windows-1250 (Czech, Slovak, Polish, ...), on UTF-8 strings.
std::string ToUpperText(std::string_view utf8);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool LessIgnoreCase(std::string_view a, std::string_view b);

}  // namespace liftvox

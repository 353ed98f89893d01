#include "config/paths.h"

#include <algorithm>
#include <system_error>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif

#include "config/file_name_bytes.h"

namespace liftvox {
namespace {

namespace fs = std::filesystem;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool HasDriveLetter(std::string_view path) {
  return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':';
}

bool HasNetworkPrefix(std::string_view path) {
  return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
}

enum class DriveKind { None, Letter, Network, PosixRoot };

// A path text cut into its drive part, its folders and its file name.
struct PathParts {
  DriveKind kind = DriveKind::None;
  std::string drive;  // "C:", "\\SERVER\SHARE" style (separators as '\'), or "/"
  std::vector<std::string_view> folders;
  std::string_view fileName;
};

std::vector<std::string_view> SplitFolders(std::string_view text) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || IsSeparator(text[i])) {
      const std::string_view part = text.substr(start, i - start);
      if (!part.empty() && part != ".") parts.push_back(part);
      start = i + 1;
    }
  }
  return parts;
}

PathParts SplitDrive(std::string_view path, std::string_view& rest) {
  PathParts parts;
  rest = path;
  if (HasDriveLetter(path)) {
    parts.kind = DriveKind::Letter;
    parts.drive = path.substr(0, 2);
    rest = path.substr(2);
  } else if (HasNetworkPrefix(path)) {
    // "\\server\share": the prefix ends after the second name.
    std::size_t end = 2;
    for (int name = 0; name < 2; ++name) {
      while (end < path.size() && !IsSeparator(path[end])) ++end;
      if (name == 0 && end < path.size()) ++end;
    }
    parts.kind = DriveKind::Network;
    parts.drive = path.substr(0, end);
    std::replace(parts.drive.begin(), parts.drive.end(), '/', '\\');
    rest = path.substr(end);
  } else if (!path.empty() && path[0] == '/') {
    parts.kind = DriveKind::PosixRoot;
    parts.drive = "/";
    rest = path.substr(1);
  }
  return parts;
}

PathParts SplitDirectory(std::string_view dir) {
  std::string_view rest;
  PathParts parts = SplitDrive(dir, rest);
  parts.folders = SplitFolders(rest);
  return parts;
}

PathParts SplitFile(std::string_view path) {
  std::string_view rest;
  PathParts parts = SplitDrive(path, rest);
  std::size_t lastSeparator = rest.find_last_of("\\/");
  if (lastSeparator == std::string_view::npos) {
    parts.fileName = rest;
  } else {
    parts.fileName = rest.substr(lastSeparator + 1);
    parts.folders = SplitFolders(rest.substr(0, lastSeparator));
  }
  return parts;
}

}  // namespace

bool IsAbsoluteStoredPath(std::string_view path) {
  return HasDriveLetter(path) || (!path.empty() && IsSeparator(path[0]));
}

std::string StoredRelativePath(std::string_view path, std::string_view baseDir) {
  const PathParts target = SplitFile(path);
  const PathParts base = SplitDirectory(baseDir);
  if (target.kind == DriveKind::None || target.kind != base.kind ||
      !EqualsIgnoreCase(target.drive, base.drive)) {
    return std::string(path);
  }
  const bool foldCase = target.kind != DriveKind::PosixRoot;
  std::size_t common = 0;
  while (common < target.folders.size() && common < base.folders.size() &&
         (foldCase ? EqualsIgnoreCase(target.folders[common], base.folders[common])
                   : target.folders[common] == base.folders[common])) {
    ++common;
  }
  std::string stored;
  for (std::size_t i = common; i < base.folders.size(); ++i) stored += "..\\";
  for (std::size_t i = common; i < target.folders.size(); ++i) {
    stored += target.folders[i];
    stored += '\\';
  }
  stored += target.fileName;
  return stored;
}

std::filesystem::path NativePath(std::string_view storedPath) {
  std::string text(storedPath);
#ifdef _WIN32
  std::replace(text.begin(), text.end(), '/', '\\');
#else
  std::replace(text.begin(), text.end(), '\\', '/');
#endif
  return PathFromUtf8(text);
}

std::string StoredSamplePath(std::string_view path, std::string_view configurationDir,
                             std::string_view programDir) {
  if (!configurationDir.empty() && IsAbsoluteStoredPath(path)) {
    std::string inside = StoredRelativePath(path, configurationDir);
    if (!IsAbsoluteStoredPath(inside) && !inside.starts_with("..\\")) return inside;
  }
  std::string relative = StoredRelativePath(path, programDir);
  // Under the POSIX root the program's folder moves with its install prefix
  // (/usr, /usr/local, /opt/...), so a path climbing out of it would name
  // another file after the next install: keep such a path absolute.
  if (path.starts_with('/') && relative.starts_with("..\\")) return std::string(path);
  return relative;
}

std::filesystem::path ExecutableDirectory() {
  std::error_code error;
#ifdef _WIN32
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) break;
    if (length < buffer.size()) {
      buffer.resize(length);
      return fs::path(buffer).parent_path();
    }
    if (buffer.size() >= 32768) break;  // the longest path Windows has
    buffer.resize(buffer.size() * 2);
  }
#else
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (!error && !self.empty()) return self.parent_path();
#endif
  return fs::current_path(error);
}

std::filesystem::path PathFromUtf8(std::string_view utf8) {
#ifdef _WIN32
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
#else
  return fs::path(FileNameBytes(utf8));
#endif
}

std::string PathToUtf8(const std::filesystem::path& path) {
#ifdef _WIN32
  const std::u8string text = path.u8string();
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
#else
  return FileNameText(path.native());
#endif
}

}  // namespace liftvox

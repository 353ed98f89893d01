#include "config/file_io.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "config/paths.h"

namespace liftvox {
namespace {

namespace fs = std::filesystem;

// A name beside the target (so the rename stays on one file system) that no
// other writer picks; creating it exclusively guards against the rest.
fs::path TemporaryNameFor(const fs::path& target) {
  std::random_device random;
  const unsigned long long tag = (static_cast<unsigned long long>(random()) << 32) ^ random();
  fs::path name(".");
  name += target.filename();
  name += ".tmp-" + std::to_string(tag);
  return target.parent_path() / name;
}

// A save killed between writing its temporary file and the rename leaves the
// temporary behind. The next save of the same file clears those that are old
// enough not to belong to a save still running in another program.
void RemoveStaleTemporaries(const fs::path& target) {
  const std::string prefix = "." + PathToUtf8(target.filename()) + ".tmp-";
  const auto staleBefore = fs::file_time_type::clock::now() - std::chrono::minutes(1);
  std::error_code error;
  for (fs::directory_iterator it(target.parent_path(), error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = PathToUtf8(it->path().filename());
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    if (name.find_first_not_of("0123456789", prefix.size()) != std::string::npos) continue;
    std::error_code ignored;
    if (it->is_regular_file(ignored) && it->last_write_time(ignored) < staleBefore)
      fs::remove(it->path(), ignored);
  }
}

#ifdef _WIN32

// Creates the file only if it does not exist, writes it and commits it to the
// disk; removes it again when anything fails.
bool WriteNewFile(const fs::path& file, std::string_view bytes, const fs::path&) {
  const int fd =
      ::_wopen(file.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) return false;
  bool ok = true;
  std::size_t done = 0;
  while (ok && done < bytes.size()) {
    const unsigned chunk =
        static_cast<unsigned>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    const int written = ::_write(fd, bytes.data() + done, chunk);
    ok = written > 0;
    if (ok) done += static_cast<std::size_t>(written);
  }
  ok = ok && ::_commit(fd) == 0;
  ok = ::_close(fd) == 0 && ok;
  if (!ok) ::_wunlink(file.c_str());
  return ok;
}

void SyncFolder(const fs::path&) {}

#else

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

// Writes everything and forces it to the disk, so the rename cannot publish a
// file whose data is still in flight. The new file takes the permission bits
// of the file it replaces.
bool WriteContents(FileDescriptor& fd, std::string_view bytes, const fs::path& target) {
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0) ::fchmod(fd.get(), old.st_mode & 07777);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(written);
  }
  if (::fsync(fd.get()) != 0) return false;
  return fd.Close();
}

// Creates the file only if it does not exist and writes it; removes it again
// when anything fails.
bool WriteNewFile(const fs::path& file, std::string_view bytes, const fs::path& target) {
  FileDescriptor fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (fd.get() < 0) return false;
  if (WriteContents(fd, bytes, target)) return true;
  ::unlink(file.c_str());
  return false;
}

// Makes the rename itself durable; a failure here changes nothing for the
// caller, the file is already in place.
void SyncFolder(const fs::path& folder) {
  FileDescriptor fd(
      ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0) ::fsync(fd.get());
}

#endif

}  // namespace

FileBytes ReadBoundedFile(const std::filesystem::path& path, std::uintmax_t maxBytes) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error || !fs::exists(status)) return {std::nullopt, FileReadError::CannotOpen};
  if (!fs::is_regular_file(status)) return {std::nullopt, FileReadError::NotRegularFile};
  const std::uintmax_t size = fs::file_size(path, error);
  if (error) return {std::nullopt, FileReadError::CannotOpen};
  if (size > maxBytes) return {std::nullopt, FileReadError::TooLarge};

  std::ifstream in(path, std::ios::binary);
  if (!in) return {std::nullopt, FileReadError::CannotOpen};
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(size));
  std::array<char, 64 * 1024> buffer;
  while (in) {
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    bytes.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > maxBytes) return {std::nullopt, FileReadError::TooLarge};
  }
  if (in.bad()) return {std::nullopt, FileReadError::ReadFailed};
  return {std::move(bytes), FileReadError::None};
}

std::string DescribeFileReadError(FileReadError error, std::uintmax_t maxBytes) {
  switch (error) {
    case FileReadError::None:
      return "was read";
    case FileReadError::CannotOpen:
      return "cannot be opened";
    case FileReadError::NotRegularFile:
      return "is not a regular file";
    case FileReadError::TooLarge:
      return "is longer than " + std::to_string(maxBytes) + " bytes";
    case FileReadError::ReadFailed:
      break;
  }
  return "cannot be read";
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path,
                                         std::uintmax_t maxBytes) {
  return ReadBoundedFile(path, maxBytes).bytes;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  std::error_code error;
  // Saving through a link updates the file it points to and keeps the link.
  fs::path target = path;
  if (fs::is_symlink(path, error)) {
    target = fs::weakly_canonical(path, error);
    if (error) return false;
  }
  if (fs::is_directory(target, error)) return false;

  const fs::path temporary = TemporaryNameFor(target);
  if (!WriteNewFile(temporary, bytes, target)) return false;
  // On Windows std::filesystem::rename replaces an existing file as well.
  fs::rename(temporary, target, error);
  if (error) {
    fs::remove(temporary, error);
    return false;
  }
  SyncFolder(target.parent_path());
  RemoveStaleTemporaries(target);
  return true;
}

NewFileClaim ClaimNewFile(const std::filesystem::path& path) {
#ifdef _WIN32
  const int fd =
      ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) return errno == EEXIST ? NewFileClaim::Taken : NewFileClaim::Refused;
  ::_close(fd);
#else
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return errno == EEXIST ? NewFileClaim::Taken : NewFileClaim::Refused;
  ::close(fd);
#endif
  return NewFileClaim::Claimed;
}

}  // namespace liftvox

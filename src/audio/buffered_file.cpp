#include "audio/buffered_file.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace liftvox {
namespace {

constexpr std::int64_t kBufferSize = 64 * 1024;

// The only platform-specific calls: opening by a Unicode path and 64-bit seeks.
std::FILE* OpenSystemFile(const std::filesystem::path& path, BufferedFile::Mode mode) {
#ifdef _WIN32
  return _wfopen(path.c_str(), mode == BufferedFile::Mode::Read ? L"rb" : L"w+b");
#else
  return std::fopen(path.c_str(), mode == BufferedFile::Mode::Read ? "rb" : "w+b");
#endif
}

bool SeekSystemFile(std::FILE* handle, std::int64_t position, int origin) {
#ifdef _WIN32
  return _fseeki64(handle, position, origin) == 0;
#else
  return fseeko(handle, static_cast<off_t>(position), origin) == 0;
#endif
}

std::int64_t TellSystemFile(std::FILE* handle) {
#ifdef _WIN32
  return _ftelli64(handle);
#else
  return static_cast<std::int64_t>(ftello(handle));
#endif
}

}  // namespace

BufferedFile::~BufferedFile() { Close(); }

BufferedFile::BufferedFile(BufferedFile&& other) noexcept { *this = std::move(other); }

BufferedFile& BufferedFile::operator=(BufferedFile&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = std::exchange(other.handle_, nullptr);
    writable_ = other.writable_;
    buffer_ = std::move(other.buffer_);
    use_ = other.use_;
    bufferStart_ = other.bufferStart_;
    bufferLength_ = other.bufferLength_;
    position_ = other.position_;
    systemPosition_ = other.systemPosition_;
    size_ = other.size_;
    other.Reset();
  }
  return *this;
}

void BufferedFile::Reset() {
  handle_ = nullptr;
  writable_ = false;
  use_ = BufferUse::None;
  bufferStart_ = bufferLength_ = position_ = size_ = 0;
  systemPosition_ = -1;
}

bool IsRegularFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

bool BufferedFile::Open(const std::filesystem::path& path, Mode mode) {
  Close();
  if (mode == Mode::Read && !IsRegularFile(path)) return false;
  std::FILE* handle = OpenSystemFile(path, mode);
  if (!handle) return false;
  // Our own buffer does the work; a second one in the C library would only copy.
  std::setvbuf(handle, nullptr, _IONBF, 0);
  if (!SeekSystemFile(handle, 0, SEEK_END)) {
    std::fclose(handle);
    return false;
  }
  const std::int64_t size = TellSystemFile(handle);
  if (size < 0) {
    std::fclose(handle);
    return false;
  }
  handle_ = handle;
  writable_ = mode == Mode::Create;
  buffer_.resize(kBufferSize);
  size_ = size;
  systemPosition_ = size;
  return true;
}

bool BufferedFile::SeekSystem(std::int64_t position) {
  if (systemPosition_ == position) return true;
  if (!SeekSystemFile(handle_, position, SEEK_SET)) {
    systemPosition_ = -1;
    return false;
  }
  systemPosition_ = position;
  return true;
}

std::int64_t BufferedFile::ReadSystem(void* buffer, std::int64_t bytes) {
  const std::size_t got = std::fread(buffer, 1, static_cast<std::size_t>(bytes), handle_);
  if (got < static_cast<std::size_t>(bytes) && std::ferror(handle_)) {
    std::clearerr(handle_);
    systemPosition_ = -1;
    return -1;
  }
  std::clearerr(handle_);  // a short read at the end is not an error
  systemPosition_ += static_cast<std::int64_t>(got);
  return static_cast<std::int64_t>(got);
}

bool BufferedFile::WriteSystem(const void* buffer, std::int64_t bytes) {
  const std::size_t put = std::fwrite(buffer, 1, static_cast<std::size_t>(bytes), handle_);
  if (put != static_cast<std::size_t>(bytes)) {
    std::clearerr(handle_);
    systemPosition_ = -1;
    return false;
  }
  systemPosition_ += bytes;
  return true;
}

bool BufferedFile::FlushPending() {
  if (use_ != BufferUse::Writing) return true;
  use_ = BufferUse::None;
  const std::int64_t length = std::exchange(bufferLength_, 0);
  return SeekSystem(bufferStart_) && WriteSystem(buffer_.data(), length);
}

std::int64_t BufferedFile::Read(void* buffer, std::int64_t bytes) {
  if (!handle_ || bytes < 0) return -1;
  if (!FlushPending()) return -1;
  auto* out = static_cast<std::uint8_t*>(buffer);
  std::int64_t done = 0;
  while (done < bytes && position_ < size_) {
    const bool cached = use_ == BufferUse::Reading && position_ >= bufferStart_ &&
                        position_ < bufferStart_ + bufferLength_;
    if (cached) {
      const std::int64_t offset = position_ - bufferStart_;
      const std::int64_t count = std::min(bytes - done, bufferLength_ - offset);
      std::memcpy(out + done, buffer_.data() + offset, static_cast<std::size_t>(count));
      done += count;
      position_ += count;
      continue;
    }
    const std::int64_t wanted = bytes - done;
    if (!SeekSystem(position_)) return -1;
    if (wanted >= kBufferSize) {
      // A large request goes straight to the caller's memory.
      const std::int64_t got = ReadSystem(out + done, wanted);
      if (got < 0) return -1;
      done += got;
      position_ += got;
      if (got < wanted) break;
      continue;
    }
    use_ = BufferUse::None;
    const std::int64_t got = ReadSystem(buffer_.data(), kBufferSize);
    if (got < 0) return -1;
    if (got == 0) break;
    use_ = BufferUse::Reading;
    bufferStart_ = position_;
    bufferLength_ = got;
  }
  return done;
}

bool BufferedFile::Write(const void* buffer, std::int64_t bytes) {
  if (!handle_ || !writable_ || bytes < 0) return false;
  if (use_ == BufferUse::Reading) use_ = BufferUse::None;
  const bool appends = use_ == BufferUse::Writing && position_ == bufferStart_ + bufferLength_ &&
                       bufferLength_ + bytes <= kBufferSize;
  if (!appends) {
    if (!FlushPending()) return false;
    if (bytes >= kBufferSize) {
      if (!SeekSystem(position_) || !WriteSystem(buffer, bytes)) return false;
      position_ += bytes;
      size_ = std::max(size_, position_);
      return true;
    }
    use_ = BufferUse::Writing;
    bufferStart_ = position_;
    bufferLength_ = 0;
  }
  std::memcpy(buffer_.data() + bufferLength_, buffer, static_cast<std::size_t>(bytes));
  bufferLength_ += bytes;
  position_ += bytes;
  size_ = std::max(size_, position_);
  return true;
}

bool BufferedFile::Seek(std::int64_t position) {
  if (!handle_ || position < 0) return false;
  position_ = position;
  return true;
}

bool BufferedFile::Flush() {
  if (!handle_) return false;
  return FlushPending() && std::fflush(handle_) == 0;
}

bool BufferedFile::Close() {
  if (!handle_) return true;
  const bool flushed = Flush();
  const bool closed = std::fclose(handle_) == 0;
  Reset();
  buffer_.clear();
  buffer_.shrink_to_fit();
  return flushed && closed;
}

}  // namespace liftvox

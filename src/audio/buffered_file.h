#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace liftvox {

// A binary file with its own read and write buffer and a logical position.
// Seeking only moves that position, so the many small reads and the re-seeks
// of a WAV reader cost a memory copy, not a system call. Every operation
// reports failure by its result; nothing throws. Not copyable; movable.
class BufferedFile {
 public:
  enum class Mode {
    Read,    // an existing file, read only
    Create,  // created or truncated, read and write
  };

  BufferedFile() = default;
  ~BufferedFile();
  BufferedFile(BufferedFile&& other) noexcept;
  BufferedFile& operator=(BufferedFile&& other) noexcept;
  BufferedFile(const BufferedFile&) = delete;
  BufferedFile& operator=(const BufferedFile&) = delete;

  // False when the file cannot be opened; the object then stays closed.
  // Reading opens only regular files (see IsRegularFile).
  bool Open(const std::filesystem::path& path, Mode mode);
  bool IsOpen() const { return handle_ != nullptr; }

  // Bytes read (fewer at the end of the file), or -1 on an I/O error.
  std::int64_t Read(void* buffer, std::int64_t bytes);
  bool Write(const void* buffer, std::int64_t bytes);
  // Any position at or after 0 is accepted; reading past the end reads nothing.
  bool Seek(std::int64_t position);
  std::int64_t Tell() const { return position_; }
  std::int64_t Size() const { return size_; }
  // Hands buffered writes to the system.
  bool Flush();
  // Flushes and closes; false if anything failed on the way.
  bool Close();

 private:
  enum class BufferUse { None, Reading, Writing };

  bool FlushPending();
  bool SeekSystem(std::int64_t position);
  std::int64_t ReadSystem(void* buffer, std::int64_t bytes);
  bool WriteSystem(const void* buffer, std::int64_t bytes);
  void Reset();

  std::FILE* handle_ = nullptr;
  bool writable_ = false;
  std::vector<std::uint8_t> buffer_;
  BufferUse use_ = BufferUse::None;
  std::int64_t bufferStart_ = 0;   // file offset of buffer_[0]
  std::int64_t bufferLength_ = 0;  // bytes valid (reading) or pending (writing)
  std::int64_t position_ = 0;
  std::int64_t systemPosition_ = -1;  // where the system's file pointer is; -1 unknown
  std::int64_t size_ = 0;
};

// True for a regular file, or a link to one: the only kind a reader opens,
// as opening a FIFO blocks until someone writes to it and a device may never
// end.
bool IsRegularFile(const std::filesystem::path& path);

}  // namespace liftvox

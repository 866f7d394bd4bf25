#pragma once

#include <optional>
#include <string>
#include <utility>

#include "platform/File.h"
#include "platform/FileIdentity.h"
#include "platform/FileTime.h"

namespace mxt::platform {

// The system's codes of the two refusals an exclusive open tells apart.
constexpr int kErrorAccessDenied = 5;
constexpr int kErrorSharingViolation = 32;
// A name that is a symbolic link where none was to be followed.
constexpr int kErrorLinkRefused = 1921;

// A file of the operating system, closed when the object goes. Its failures name the
// path it was opened by.
class OsFile final : public File {
 public:
  using NativeHandle = int;

  // Never waits for a writer, as opening a FIFO otherwise would.
  static OsFile OpenForReading(const std::string& path);
  // Creates the file, or empties it when it exists; opened for reading and writing.
  static OsFile Create(const std::string& path);

  enum class Access { Read, ReadWrite };
  // Whether a symbolic link as the path's last component is followed.
  enum class LastLink { Followed, Refused };
  // Opens a file no other MXT holds open, and holds it until closed. Raises IoError
  // with kErrorAccessDenied when this user may not open it, kErrorSharingViolation when
  // another holds it, kErrorLinkRefused for a refused link, else with the system's code.
  static OsFile OpenExclusive(const std::string& path, Access access,
                              LastLink lastLink = LastLink::Followed);
  // Creates a file that did not exist, readable and writable by this user only. A name
  // that exists, also as a symbolic link, raises IoError with EEXIST.
  static OsFile CreateNew(const std::string& path);
  // As OpenExclusive for reading and writing, creating the file when missing; an
  // existing file keeps its content.
  static OsFile OpenOrCreateExclusive(const std::string& path);
  // A file with no name in `folder`, readable and writable by this user only, gone when
  // closed.
  static OsFile CreateUnnamed(const std::string& folder);
  // Takes over an open handle of the system.
  static OsFile Adopt(NativeHandle handle, std::string path = {}) {
    return OsFile(handle, std::move(path));
  }

  OsFile(OsFile&& other) noexcept;
  OsFile& operator=(OsFile&& other) noexcept;
  OsFile(const OsFile&) = delete;
  OsFile& operator=(const OsFile&) = delete;
  ~OsFile() override;

  std::size_t ReadBlock(void* data, std::size_t size) override;
  void WriteBlock(const void* data, std::size_t size) override;
  std::int64_t Size() override;
  void Seek(std::int64_t position) override;
  // Where the next read or write goes; -1 where the handle has no position (a pipe).
  std::int64_t Position() const;
  void Truncate() override;

  FileTime LastWriteTime();
  // Sets the last-write time and leaves the access time alone.
  void SetLastWriteTime(FileTime time);
  void SetTimes(FileTime lastAccess, FileTime lastWrite);
  // Reads no longer set the access time, where the system lets this user ask for that (of
  // a file of its own, or as root).
  void LeaveAccessTime();
  FileIdentity Identity();
  // Makes room for `size` bytes from the start, so that writing them cannot run out of space.
  void Reserve(std::int64_t size);
  // While the object lives, another program that opens the file waits (where the system
  // can make it wait: the file is this user's or the process may, and nobody else has it
  // open by the time it is made, which waits up to a second for that), so that it cannot
  // write into a file being rewritten in place.
  class OthersKeptOut {
   public:
    explicit OthersKeptOut(OsFile& file);
    ~OthersKeptOut();
    OthersKeptOut(const OthersKeptOut&) = delete;
    OthersKeptOut& operator=(const OthersKeptOut&) = delete;

   private:
    NativeHandle handle_;
    bool leased_;
  };

  NativeHandle Handle() const { return handle_; }
  const std::string& Path() const { return path_; }

  // A pipe holds as many bytes as the system lets it, so that reader and writer take
  // turns less often; anything else is left as it is.
  void WidenPipe();
  // Where a regular file ends, when the next write goes there; nothing for a pipe or a
  // terminal, or a file written over from within, which cannot take back what was written.
  std::optional<std::int64_t> EndOfRegularFile() const;
  // Writes everything from this file's position to its end into `target`, the system
  // moving the bytes where it can.
  void SendRestTo(OsFile& target);

  // Closes now, so that a failing close is reported; the destructor ignores it.
  void Close();

 private:
  OsFile(NativeHandle handle, std::string path) : handle_(handle), path_(std::move(path)) {}

  // Raises the system's error as IoError naming the file.
  [[noreturn]] void Fail(int error) const;

  NativeHandle handle_;
  std::string path_;
};

}  // namespace mxt::platform

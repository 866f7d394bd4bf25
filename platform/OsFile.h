#pragma once

#include <string>

#include "platform/File.h"

namespace mxt::platform {

// A file of the operating system, closed when the object goes.
class OsFile final : public File {
 public:
  using NativeHandle = int;

  static OsFile OpenForReading(const std::string& path);
  // Creates the file, or empties it when it exists; opened for reading and writing.
  static OsFile Create(const std::string& path);

  OsFile(OsFile&& other) noexcept;
  OsFile& operator=(OsFile&& other) noexcept;
  OsFile(const OsFile&) = delete;
  OsFile& operator=(const OsFile&) = delete;
  ~OsFile() override;

  std::size_t ReadBlock(void* data, std::size_t size) override;
  void WriteBlock(const void* data, std::size_t size) override;
  std::int64_t Size() override;
  void Seek(std::int64_t position) override;
  void Truncate() override;

  // Closes now, so that a failing close is reported; the destructor ignores it.
  void Close();

 private:
  explicit OsFile(NativeHandle handle) : handle_(handle) {}

  NativeHandle handle_;
};

}  // namespace mxt::platform

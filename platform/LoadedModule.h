#pragma once

#include <optional>
#include <string>

namespace mxt::platform {

// A shared library loaded into the running program, for as long as the object lives.
class LoadedModule {
 public:
  // Nothing when the library cannot be loaded; `error` then says why.
  static std::optional<LoadedModule> Load(const std::string& path, std::string& error);

  LoadedModule(LoadedModule&& other) noexcept;
  LoadedModule& operator=(LoadedModule&& other) noexcept;
  ~LoadedModule();

  // The address of a function the library exports, or null.
  void* Symbol(const char* name) const;

 private:
  explicit LoadedModule(void* handle) : handle_(handle) {}

  void* handle_;
};

}  // namespace mxt::platform

#include "platform/LoadedModule.h"

#include <dlfcn.h>

#include <utility>

namespace mxt::platform {

std::optional<LoadedModule> LoadedModule::Load(const std::string& path, std::string& error) {
  // Its own symbols stay its own: it brings its own copies of what the program has. It
  // stays loaded to the end: the threads of the libraries it brings may outlive it.
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  if (!handle) {
    const char* why = ::dlerror();
    error = why ? why : path;
    return std::nullopt;
  }
  return LoadedModule(handle);
}

LoadedModule::LoadedModule(LoadedModule&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)) {}

LoadedModule& LoadedModule::operator=(LoadedModule&& other) noexcept {
  std::swap(handle_, other.handle_);
  return *this;
}

LoadedModule::~LoadedModule() {
  if (handle_) ::dlclose(handle_);
}

void* LoadedModule::Symbol(const char* name) const {
  return ::dlsym(handle_, name);
}

}  // namespace mxt::platform

#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "app/SettingsStore.h"
#include "platform/FileNameRule.h"

namespace mxt::app {

// Settings kept in a profile (INI) file. Every value written goes to the file at once.
class IniStore final : public SettingsStore {
 public:
  enum class Form {
    // This user's store: its folder is made when it is opened, and its failures name the
    // value, as the registry's do.
    PerUser,
    // The file beside the program: a file that cannot be opened reads as empty.
    BesideProgram,
  };

  IniStore(std::string path, Form form);

  std::optional<std::string> ReadString(std::string_view group, std::string_view name) override;
  void WriteString(std::string_view group, std::string_view name, std::string_view value) override;

 private:
  void Save(const std::string& text, std::string_view name) const;

  std::string path_;
  Form form_;
  std::string text_;
  bool unreadable_ = false;
};

// The program's path with its extension replaced by ".INI", or ".INI" appended.
std::string IniPathBesideProgram(std::string_view programPath, const platform::FileNameRule& rule =
                                                                   platform::SystemFileNameRule());

// The file of this user's store.
std::string PerUserStorePath();

// The store the settings use: the file beside the program when `useIniFile` is set, else
// this user's store.
std::unique_ptr<SettingsStore> OpenSettingsStore(bool useIniFile);

}  // namespace mxt::app

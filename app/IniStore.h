#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/SettingsStore.h"
#include "platform/FileNameRule.h"

namespace mxt::app {

// Settings kept in a profile (INI) file. What is written is kept until Commit puts it in
// the file in one step; a value the file holds already is left as it is.
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
  // Under a lock on the folder the file is read again, what was written is put into it,
  // and the whole is written at once: what another program wrote meanwhile stays, unless
  // it is a value this store wrote too. A file that could not be read is never written
  // over.
  void Commit() override;

 private:
  struct Written {
    std::string group;
    std::string name;
    std::string value;
  };

  [[noreturn]] void FailToSave(const std::string& why) const;

  std::string path_;
  Form form_;
  std::string text_;
  // There is a file, and it could not be read: it is never written over.
  bool unreadable_ = false;
  bool readsFail_ = false;
  std::vector<Written> written_;
};

// No settings file of ours comes near this; more is not a settings file.
inline constexpr std::size_t kMostStoreBytes = 1 << 20;

// The program's path with its extension replaced by ".INI", or ".INI" appended.
std::string IniPathBesideProgram(std::string_view programPath, const platform::FileNameRule& rule =
                                                                   platform::SystemFileNameRule());

// The file of this user's store.
std::string PerUserStorePath();

// The store the settings use: the file beside the program when `useIniFile` is set, else
// this user's store.
std::unique_ptr<SettingsStore> OpenSettingsStore(bool useIniFile);

}  // namespace mxt::app

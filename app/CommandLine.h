#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fileconv/FileEntry.h"
#include "fileconv/FileList.h"
#include "fileconv/RunHost.h"
#include "fileconv/Settings.h"

namespace mxt::app {

enum class ArgumentKind : std::uint8_t {
  File = 0,
  Option = 1,
  // An option whose parameter is the next argument.
  ParameterOption = 2,
};

ArgumentKind ClassifyArgument(std::string_view text);

// What an argument is, read in order with those before it.
enum class ArgumentRole : std::uint8_t {
  File,
  StandardStreams,  // "-", before any "--"
  Option,
  ParameterOption,
  Parameter,     // the file argument right after a ParameterOption
  EndOfOptions,  // "--": every argument after it names a file, as a shell pattern may give
};

// Reads the arguments' roles one after another.
class ArgumentSequence {
 public:
  ArgumentRole RoleOf(std::string_view argument);

 private:
  bool optionsEnded_ = false;
  bool parameterNext_ = false;
};

// The file argument that stands for standard input and output: a batch run converts the
// one into the other.
inline constexpr std::string_view kStandardStreams = "-";
// The argument after which every argument is a file.
inline constexpr std::string_view kEndOfOptions = "--";

// A file argument that put nothing into the list, and why.
struct UnlistedName {
  std::string argument;
  fileconv::SkipReason reason;  // FileNotFound, or Directory for a folder
};

// Applies one option to the settings; false, with the settings unchanged, for an option
// there is none of.
bool ApplyOption(std::string_view text, fileconv::Settings& settings);

// What the command line of this start said beyond the settings.
class CommandLine {
 public:
  // Applies the options, in order, to the settings just loaded, and takes the output file
  // and the file arguments. Returns the messages of what it rejected, in order; the
  // settings' CommandLineError then tells so.
  std::vector<std::string> Parse(std::vector<std::string> arguments, fileconv::Settings& settings);
  // Puts the files the arguments name into the input list: an argument that names a file
  // is that file, one that names none a wildcard pattern. With /R a folder named is
  // searched to any depth, and a pattern in every folder below its own. A name that
  // matches no file, and a folder that cannot be read, is noted, not reported.
  void AddFiles(fileconv::FileList& files, fileconv::RunHost& host);

  int FileCount() const { return fileCount_; }
  // Whether "-" was among the file arguments.
  bool UsesStandardStreams() const { return standardStreams_; }
  // Filled by AddFiles.
  const std::vector<UnlistedName>& UnlistedNames() const { return unlistedNames_; }

 private:
  void AddFilesNamedBy(const std::string& argument, fileconv::FileList& files,
                       fileconv::RunHost& host);
  bool AddFilesBelow(const std::string& argument, const std::string& full,
                     fileconv::FileList& files, fileconv::RunHost& host);

  std::vector<std::string> arguments_;
  int fileCount_ = 0;
  bool recurse_ = false;
  bool standardStreams_ = false;
  std::vector<UnlistedName> unlistedNames_;
};

// The full paths the file arguments name, expanded as CommandLine::AddFiles expands them
// (wildcards; folders, hidden and system files left out), for another instance.
std::vector<std::string> NamedFiles(const std::vector<std::string>& arguments);

// Whether the arguments ask for the usage text: "/?", "/H", "/HELP" or "--help", in any
// letter case and with "-" for "/".
bool AsksForHelp(const std::vector<std::string>& arguments);
// Whether the arguments ask for the version: "/VERSION" or "--version", in any letter case
// and with "-" for "/".
bool AsksForVersion(const std::vector<std::string>& arguments);

}  // namespace mxt::app

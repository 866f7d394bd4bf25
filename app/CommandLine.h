#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fileconv/FileEntry.h"
#include "fileconv/RunHost.h"

namespace mxt::app {

enum class ArgumentKind : std::uint8_t {
  File = 0,
  Option = 1,
  // An option whose parameter is the next argument.
  ParameterOption = 2,
};

ArgumentKind ClassifyArgument(std::string_view text);

// A file argument that put nothing into the list, and why.
struct UnlistedName {
  std::string argument;
  fileconv::SkipReason reason;  // FileNotFound, or Directory for a folder
};

// What the command line of this start said beyond the settings.
struct CommandLineState {
  std::vector<std::string> Arguments;
  int CommandLineFileCount = 0;
  // Filled by AddCommandLineFiles.
  std::vector<UnlistedName> UnlistedNames;
};

extern CommandLineState CommandLine;

// Applies one option to the settings; an unknown one is reported.
void ApplyOption(std::string_view text, fileconv::RunHost& host);
// The options over the settings just loaded, in order; the output file; the count of
// file arguments.
void ParseCommandLine(std::vector<std::string> arguments, fileconv::RunHost& host);
// Puts the files the command line names into the input list; a name that matches no
// file is noted, not reported.
void AddCommandLineFiles(fileconv::RunHost& host);

// The full paths the file arguments name, expanded as AddCommandLineFiles expands them
// (wildcards; folders, hidden and system files left out), for another instance.
std::vector<std::string> NamedFiles(const std::vector<std::string>& arguments);

// Whether the arguments ask for the usage text: "/?", "/H", "/HELP" or "--help", in any
// letter case and with "-" for "/".
bool AsksForHelp(const std::vector<std::string>& arguments);
// Whether the arguments ask for the version: "/VERSION" or "--version", in any letter case
// and with "-" for "/".
bool AsksForVersion(const std::vector<std::string>& arguments);

}  // namespace mxt::app

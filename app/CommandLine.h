#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fileconv/RunHost.h"

namespace mxt::app {

enum class ArgumentKind : std::uint8_t {
  File = 0,
  Option = 1,
  // An option whose parameter is the next argument.
  ParameterOption = 2,
};

ArgumentKind ClassifyArgument(std::string_view text);

// What the command line of this start said beyond the settings.
struct CommandLineState {
  std::vector<std::string> Arguments;
  int CommandLineFileCount = 0;
};

extern CommandLineState CommandLine;

// Applies one option to the settings; an unknown one is reported.
void ApplyOption(std::string_view text, fileconv::RunHost& host);
// The options over the settings just loaded, in order; the output file; the count of
// file arguments.
void ParseCommandLine(std::vector<std::string> arguments, fileconv::RunHost& host);
// Puts the files the command line names into the input list.
void AddCommandLineFiles(fileconv::RunHost& host);

}  // namespace mxt::app

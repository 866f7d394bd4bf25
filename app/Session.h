#pragma once

#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/StartupLock.h"
#include "fileconv/ConversionRun.h"
#include "fileconv/FileList.h"
#include "fileconv/RunHost.h"
#include "fileconv/Settings.h"

namespace mxt::app {

// What a start found out before its window or its batch run was made.
struct StartupInfo {
  std::vector<std::string> arguments;
  // The system found and the store chosen; the rest as before anything was loaded.
  fileconv::Settings settings;
  // Held until the first idle moment.
  StartupLock startupLock;
  // Settings that could not be loaded are not written over when the window closes.
  bool saveSettingsOnClose = true;
};

// What one start of MXT holds, with a window or without: the settings, the two file
// lists, the command line and the conversion run. Its owner, the main window or the
// console batch, is the host the run tells what it does.
struct Session {
  Session(fileconv::RunHost& runHost, StartupInfo start)
      : host(runHost),
        arguments(std::move(start.arguments)),
        settings(std::move(start.settings)),
        startupLock(std::move(start.startupLock)) {}
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  fileconv::RunHost& host;
  const std::vector<std::string> arguments;
  fileconv::Settings settings;
  fileconv::FileList files;
  CommandLine commandLine;
  fileconv::ConversionRun run{settings, files, host};
  StartupLock startupLock;
  // Settings that could not be loaded are not written over when the window closes.
  bool saveSettingsOnClose = true;
};

}  // namespace mxt::app

#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "platform/OsFile.h"

namespace mxt::fileconv {

// The system's folder for temporary files, ending in the separator, or the current folder.
std::string DefaultTempDir();

// Draws a number from 0..99999.
using TempNumberSource = std::function<int()>;

// Random numbers from a generator of its own, seeded by the system.
TempNumberSource SystemTempNumbers();

// Creates a new empty file named "<dir>~<prefix><5 digits>.TMP" (the prefix cut to 2
// characters) and returns its name. A name that exists in any form, a link included, is
// taken and another is drawn; after 16 taken names the digits give way to 16 random hex
// digits, and only when those are taken 16 times too it raises UserError.
std::string MakeTempFileName(const std::string& prefix, const std::string& dir,
                             const TempNumberSource& draw = SystemTempNumbers());

// As MakeTempFileName, and hands over the new file open for reading and writing, so that
// nothing can take its place before it is written. Its name goes to `name`.
platform::OsFile CreateTempFile(const std::string& prefix, const std::string& dir,
                                const TempNumberSource& draw, std::string& name);

// Creates a new empty copy for the viewer in `dir`, named after this process as
// "~MXV<process id>-<its start>-<8 hex digits>.TMP", so that a later start can tell the
// copies a killed process left. Its name goes to `name`.
platform::OsFile CreateViewCopy(const std::string& dir, std::string& name);

// Removes the viewer copies in `dir` that this user's processes left behind when they ended
// without deleting them; returns how many went. Copies of running processes stay.
std::size_t RemoveLeftViewCopies(const std::string& dir);

}  // namespace mxt::fileconv

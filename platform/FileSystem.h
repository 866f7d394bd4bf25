#pragma once

#include <string>
#include <string_view>

#include "platform/OsFile.h"

namespace mxt::platform {

// Each raises IoError with the system's code when it fails.
void DeleteFile(const std::string& path);
// Puts `from` in the place of `to` in one step; an existing `to` is replaced.
void ReplaceFile(const std::string& from, const std::string& to);
// Gives the file at `path` this content in one step: a file of a name no other writer
// takes, complete on disk, is renamed over the old one. The new file keeps the old one's
// permission bits and, where the process may, its owner; a file made anew is this user's
// alone. A link is written where it leads, and only to a regular file or none: anything
// else there raises IoError (EINVAL). A file this user may not write, or with no write
// bit at all, raises IoError; one with other names (hard links), or in a folder this user
// may not add to, is written over where it is, once room for the content is reserved, and
// gets its old content back when the write fails on the way.
void WriteWholeFile(const std::string& path, std::string_view content);

// Gives the file at `existing` the second name `link`. False where the file system keeps
// no second names for it; anything else that fails, an existing `link` among it, raises
// IoError.
bool AddHardLink(const std::string& existing, const std::string& link);

// The file a path leads to when its last component is a symbolic link; else the path.
std::string LinkTarget(const std::string& path);
// The path by which the system finds an open file now, links resolved; empty when it
// cannot tell.
std::string OpenedPath(const OsFile& file);

// Whether this user may read the file a path names.
bool MayRead(const std::string& path);
// 0 when this user may make files in `folder`, else the system's reason.
int CannotMakeFilesIn(const std::string& folder);
// 0 when this user may make a file of this name: its folder takes new files, and the name
// is no longer than the folder's file system allows; else the system's reason.
int CannotMakeFile(const std::string& path);

// Gives `file` what identifies `model` beside its name and content: permission bits,
// owner and group, extended attributes and access lists; `known` is what `model` was
// found to be. False when some of it could not be given.
bool CopyIdentity(OsFile& model, const FileIdentity& known, OsFile& file);
// CopyIdentity for a file that is to take `model`'s place: false also when `model` has other
// names (hard links) that would stay with the old file; `file` must then not take its place.
bool TakeOverIdentity(OsFile& model, const FileIdentity& known, OsFile& file);

// Both open files are the same file on disk.
bool SameFile(OsFile& a, OsFile& b);

}  // namespace mxt::platform

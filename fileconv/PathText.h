#pragma once

#include <string>
#include <string_view>

#include "platform/FileNameRule.h"

namespace mxt::fileconv {

using platform::FileNameRule;

// A Shift-JIS (code page 932) lead byte.
bool IsLeadByte(unsigned char byte);

// Windows file names in the Shift-JIS code page.
inline constexpr FileNameRule kShiftJisFileNames{IsLeadByte, '\\', true, true,
                                                 [](unsigned char) { return false; }};

// ASCII letters changed, every double-byte character copied unchanged.
std::string LowerAscii(std::string_view text,
                       const FileNameRule& rule = platform::SystemFileNameRule());
std::string UpperAscii(std::string_view text,
                       const FileNameRule& rule = platform::SystemFileNameRule());

// At least one "A".."Z" and no "a".."z".
bool IsAllUpperName(std::string_view name,
                    const FileNameRule& rule = platform::SystemFileNameRule());

// README.TXT becomes Readme.txt.
void CapitalizeName(std::string& name, const FileNameRule& rule = platform::SystemFileNameRule());

void UpcaseDriveLetter(std::string& path,
                       const FileNameRule& rule = platform::SystemFileNameRule());
// Removes one final separator, never the trail byte of a double-byte character.
void RemoveTrailingBackslash(std::string& path,
                             const FileNameRule& rule = platform::SystemFileNameRule());
void RemoveTrailingDot(std::string& path);

// Exactly "\\server\share", with nothing after the share's name.
bool IsUncShareRoot(std::string_view path,
                    const FileNameRule& rule = platform::SystemFileNameRule());

// Blanks around the text dropped, one separator at its end; all blanks give empty.
std::string NormalizeDirectory(std::string_view text,
                               const FileNameRule& rule = platform::SystemFileNameRule());

// Index of the last single-byte character that is one of `chars`, or npos.
std::size_t LastSingleByteOf(std::string_view text, std::string_view chars,
                             const FileNameRule& rule = platform::SystemFileNameRule());

// What follows the last separator (or drive colon).
std::string FileNamePart(std::string_view path,
                         const FileNameRule& rule = platform::SystemFileNameRule());
// A path, or a text that names one, as one line of the window shows it: a control
// character, which would break the line or show as nothing, is a "?", as `ls` shows it.
std::string ShownOnOneLine(std::string_view text);
// The file name part as a list line shows it.
std::string ShownFileName(std::string_view path,
                          const FileNameRule& rule = platform::SystemFileNameRule());
// Everything up to and including the last separator (or drive colon).
std::string DirectoryPart(std::string_view path,
                          const FileNameRule& rule = platform::SystemFileNameRule());
// The folder of `path` without its final separator; a root keeps it.
std::string ParentPath(std::string_view path,
                       const FileNameRule& rule = platform::SystemFileNameRule());

}  // namespace mxt::fileconv

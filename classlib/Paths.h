// File names and the file system.
//
// File names are split at "\", "/" and ":" alike. The file-system routines
// answer failures with false; RaiseLastOSError turns the system's last error
// into an exception for callers that need one.
#pragma once

#include "classlib/Strings.h"
#include "classlib/Types.h"

#include "classlib/Platform.h"

// The folder part of FileName with its trailing delimiter ("C:\dir\" for
// "C:\dir\file.pge"); "" when FileName has no delimiter.
AnsiString ExtractFilePath(const AnsiString& FileName);
// The folder part without its trailing delimiter, except for a root ("C:\").
AnsiString ExtractFileDir(const AnsiString& FileName);
// The part after the last delimiter.
AnsiString ExtractFileName(const AnsiString& FileName);
// The extension with its dot (".pge"); "" when the name part has no dot.
AnsiString ExtractFileExt(const AnsiString& FileName);
// FileName with its extension replaced by Extension (which brings its own dot),
// or Extension appended when there is none.
AnsiString ChangeFileExt(const AnsiString& FileName, const AnsiString& Extension);
// S ending in one "\" ("\" for an empty S) / without its final "\" or "/".
AnsiString IncludeTrailingPathDelimiter(const AnsiString& S);
AnsiString ExcludeTrailingPathDelimiter(const AnsiString& S);

// The full path of FileName against the current folder; raises EOSError when
// the system cannot form one (an empty name, for one).
AnsiString ExpandFileName(const AnsiString& FileName);

bool FileExists(const AnsiString& FileName);
bool DirectoryExists(const AnsiString& Name);
// Creates the folder Dir and every missing folder above it; true when Dir
// exists afterwards. An empty Dir gives false.
bool ForceDirectories(const AnsiString& Dir);
bool DeleteFile(const AnsiString& FileName);
// Renames or moves a file or folder; false when the target exists.
bool RenameFile(const AnsiString& OldName, const AnsiString& NewName);
AnsiString GetCurrentDir();
bool SetCurrentDir(const AnsiString& Dir);

// The running program's full file name, and its folder with a trailing "\".
AnsiString ExeFileName();
AnsiString ExeDir();


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

// ---- Searching folders ----------------------------------------------------

// File attributes as FindFirst takes them and TSearchRec reports them.
constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faAnyFile = 0x3F;

// One entry found by FindFirst/FindNext and the search it belongs to.
struct TSearchRec {
    TDateTime Time = 0; // last write, local time
    Int64 Size = 0;
    int Attr = 0;
    AnsiString Name;
    int ExcludeAttr = 0;
    HANDLE FindHandle = INVALID_HANDLE_VALUE;
};

// Starts a search for Path (wildcards allowed in its name part). Hidden, system
// and folder entries are found only when Attr names them; the others always
// are. Returns 0 with the first entry in F, or the system's error code (then
// F holds no open search). FindNext moves to the next entry alike; FindClose
// ends the search and may be called more than once.
int FindFirst(const AnsiString& Path, int Attr, TSearchRec& F);
int FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);

// The size in bytes of drive Drive (0 the current drive, 1 A, 2 B, ...); -1
// when the drive is missing or not ready.
Int64 DiskSize(Byte Drive);

// The running program's full file name, and its folder with a trailing "\".
AnsiString ExeFileName();
AnsiString ExeDir();

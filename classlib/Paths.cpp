#include "classlib/Paths.h"

#include "classlib/DateTime.h"
#include "classlib/Exceptions.h"
#include "classlib/Strings.h"

#include <vector>

namespace {

const char* const PathDelimiters = "\\/:";

bool IsSlash(char C) {
    return C == '\\' || C == '/';
}

// Index of the last delimiter, npos when there is none.
std::size_t LastDelimiter(const AnsiString& FileName) {
    return FileName.find_last_of(PathDelimiters);
}

// Index of the extension's dot, npos when the name part has none.
std::size_t ExtensionDot(const AnsiString& FileName) {
    std::size_t dot = FileName.find_last_of(std::string(PathDelimiters) + ".");
    return dot != AnsiString::npos && FileName[dot] == '.' ? dot : AnsiString::npos;
}

DWORD Attributes(const AnsiString& Name) {
    return GetFileAttributesA(Name.c_str());
}

} // namespace

AnsiString ExtractFilePath(const AnsiString& FileName) {
    std::size_t last = LastDelimiter(FileName);
    return last == AnsiString::npos ? AnsiString() : FileName.substr(0, last + 1);
}

AnsiString ExtractFileDir(const AnsiString& FileName) {
    std::size_t last = LastDelimiter(FileName);
    if (last == AnsiString::npos) return AnsiString();
    // "C:\" and "\" keep their delimiter: without it they would name another folder.
    bool keep = last == 0 || !IsSlash(FileName[last]) ||
                AnsiString(PathDelimiters).find(FileName[last - 1]) != AnsiString::npos;
    return FileName.substr(0, keep ? last + 1 : last);
}

AnsiString ExtractFileName(const AnsiString& FileName) {
    std::size_t last = LastDelimiter(FileName);
    return last == AnsiString::npos ? FileName : FileName.substr(last + 1);
}

AnsiString ExtractFileExt(const AnsiString& FileName) {
    std::size_t dot = ExtensionDot(FileName);
    return dot == AnsiString::npos ? AnsiString() : FileName.substr(dot);
}

AnsiString ChangeFileExt(const AnsiString& FileName, const AnsiString& Extension) {
    return FileName.substr(0, ExtensionDot(FileName)) + Extension;
}

AnsiString IncludeTrailingPathDelimiter(const AnsiString& S) {
    return !S.empty() && IsSlash(S.back()) ? S : S + "\\";
}

AnsiString ExcludeTrailingPathDelimiter(const AnsiString& S) {
    return !S.empty() && IsSlash(S.back()) ? S.substr(0, S.size() - 1) : S;
}

AnsiString ExpandFileName(const AnsiString& FileName) {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetFullPathNameA(FileName.c_str(), static_cast<DWORD>(buffer.size()),
                                        buffer.data(), nullptr);
        if (length == 0) RaiseLastOSError();
        if (length < buffer.size()) return AnsiString(buffer.data(), length);
        buffer.resize(length);
    }
}

bool FileExists(const AnsiString& FileName) {
    DWORD attributes = Attributes(FileName);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const AnsiString& Name) {
    DWORD attributes = Attributes(Name);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

bool ForceFullDirectory(const AnsiString& Dir) {
    if (DirectoryExists(Dir)) return true;
    AnsiString parent = ExcludeTrailingPathDelimiter(ExtractFileDir(Dir));
    if (parent.empty() || parent == Dir || !ForceFullDirectory(parent)) return false;
    return CreateDirectoryA(Dir.c_str(), nullptr) || DirectoryExists(Dir);
}

} // namespace

bool ForceDirectories(const AnsiString& Dir) {
    if (Dir.empty()) return false;
    return ForceFullDirectory(ExcludeTrailingPathDelimiter(ExpandFileName(Dir)));
}

bool DeleteFile(const AnsiString& FileName) {
    return DeleteFileA(FileName.c_str()) != 0;
}

bool RenameFile(const AnsiString& OldName, const AnsiString& NewName) {
    return MoveFileA(OldName.c_str(), NewName.c_str()) != 0;
}

AnsiString GetCurrentDir() {
    for (;;) {
        DWORD needed = GetCurrentDirectoryA(0, nullptr);
        if (needed == 0) RaiseLastOSError();
        std::vector<char> buffer(needed);
        DWORD length = GetCurrentDirectoryA(needed, buffer.data());
        if (length == 0) RaiseLastOSError();
        // A longer result means the folder changed between the two calls.
        if (length < needed) return AnsiString(buffer.data(), length);
    }
}

bool SetCurrentDir(const AnsiString& Dir) {
    return SetCurrentDirectoryA(Dir.c_str()) != 0;
}

namespace {

constexpr int SpecialAttributes = faHidden | faSysFile | faDirectory;

// Moves F past entries whose special attributes were not asked for and fills
// it from Data; the system's error code when the search ran out.
int MatchingEntry(TSearchRec& F, WIN32_FIND_DATAA& Data) {
    while (static_cast<int>(Data.dwFileAttributes) & F.ExcludeAttr) {
        if (!FindNextFileA(F.FindHandle, &Data)) return static_cast<int>(GetLastError());
    }
    FILETIME local;
    SYSTEMTIME time;
    FileTimeToLocalFileTime(&Data.ftLastWriteTime, &local);
    FileTimeToSystemTime(&local, &time);
    F.Time = SystemTimeToDateTime(time);
    F.Size = static_cast<Int64>(Data.nFileSizeHigh) << 32 | Data.nFileSizeLow;
    F.Attr = static_cast<int>(Data.dwFileAttributes);
    F.Name = Data.cFileName;
    return 0;
}

} // namespace

int FindFirst(const AnsiString& Path, int Attr, TSearchRec& F) {
    FindClose(F);
    F.ExcludeAttr = ~Attr & SpecialAttributes;
    WIN32_FIND_DATAA data;
    F.FindHandle = FindFirstFileA(Path.c_str(), &data);
    if (F.FindHandle == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
    int result = MatchingEntry(F, data);
    if (result != 0) FindClose(F);
    return result;
}

int FindNext(TSearchRec& F) {
    if (F.FindHandle == INVALID_HANDLE_VALUE) return ERROR_NO_MORE_FILES;
    WIN32_FIND_DATAA data;
    if (!FindNextFileA(F.FindHandle, &data)) return static_cast<int>(GetLastError());
    return MatchingEntry(F, data);
}

void FindClose(TSearchRec& F) {
    if (F.FindHandle != INVALID_HANDLE_VALUE) ::FindClose(F.FindHandle);
    F.FindHandle = INVALID_HANDLE_VALUE;
}

Int64 DiskSize(Byte Drive) {
    AnsiString root;
    if (Drive != 0) root = AnsiString(1, static_cast<char>('A' + Drive - 1)) + ":\\";
    ULARGE_INTEGER total;
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    BOOL ok = GetDiskFreeSpaceExA(root.empty() ? nullptr : root.c_str(), nullptr, &total, nullptr);
    SetErrorMode(oldMode);
    return ok ? static_cast<Int64>(total.QuadPart) : -1;
}

AnsiString ExeFileName() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length =
            GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) RaiseLastOSError();
        if (length < buffer.size()) return AnsiString(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

AnsiString ExeDir() {
    return ExtractFilePath(ExeFileName());
}

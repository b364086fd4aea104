#include "classlib/Streams.h"

#include "classlib/Paths.h"

#include "classlib/Platform.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>

namespace {

// Largest piece handed to one ReadFile or WriteFile call.
const Int64 MaxIoChunk = 1 << 30;

// Prefix, then ". " and the description of Error when the system has one.
AnsiString WithSystemError(const AnsiString& Prefix, DWORD Error) {
    AnsiString text = SysErrorMessage(Error);
    return text.empty() ? Prefix : Prefix + ". " + text;
}

void CheckCount(Int64 Count) {
    if (Count < 0) throw EStreamError("Invalid stream byte count " + std::to_string(Count));
}

Int64 CheckedSum(Int64 A, Int64 B) {
    Int64 sum;
    if (__builtin_add_overflow(A, B, &sum)) throw EStreamError("Stream position out of range");
    return sum;
}

// The position a seek leads to; never before the start.
Int64 SeekTarget(Int64 Offset, TSeekOrigin Origin, Int64 Position, Int64 Size) {
    Int64 target;
    switch (Origin) {
    case soBeginning:
        target = Offset;
        break;
    case soCurrent:
        target = CheckedSum(Position, Offset);
        break;
    case soEnd:
        target = CheckedSum(Size, Offset);
        break;
    default:
        throw EStreamError("Invalid seek origin " + std::to_string(static_cast<int>(Origin)));
    }
    if (target < 0) throw EStreamError("Cannot seek before the start of the stream");
    return target;
}

void CheckStream(const TStream* Stream) {
    if (!Stream) throw EInvalidPointer("No stream given");
}

// The reading and writing of the streams that hold their bytes in memory.
Int64 ReadBytes(const void* Data, Int64 Size, Int64& Position, void* Buffer, Int64 Count) {
    CheckCount(Count);
    Int64 n = std::min(Count, std::max<Int64>(Size - Position, 0));
    if (n <= 0) return 0;
    std::memmove(Buffer, static_cast<const Byte*>(Data) + Position, static_cast<std::size_t>(n));
    Position += n;
    return n;
}

// Resize(Size) makes Bytes Size long.
template <typename TBytes, typename TResize>
Int64 WriteBytes(TBytes& Bytes, Int64& Position, const void* Buffer, Int64 Count, TResize Resize) {
    CheckCount(Count);
    if (Count == 0) return 0;
    Int64 end = CheckedSum(Position, Count);
    if (end > static_cast<Int64>(Bytes.size())) Resize(end);
    std::memmove(Bytes.data() + Position, Buffer, static_cast<std::size_t>(Count));
    Position = end;
    return Count;
}

} // namespace

// ---------------------------------------------------------------------------- TStream

void TStream::ReadBuffer(void* Buffer, Int64 Count) {
    if (Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, Int64 Count) {
    if (Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

Int64 TStream::GetPosition() {
    return Seek(0, soCurrent);
}

void TStream::SetPosition(Int64 Pos) {
    Seek(Pos, soBeginning);
}

Int64 TStream::GetSize() {
    Int64 position = Seek(0, soCurrent);
    Int64 size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::SetSize(Int64) {
    throw EStreamError(AnsiString("The size of a ") + ClassName() + " cannot be changed");
}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count) {
    CheckStream(Source);
    CheckCount(Count);
    if (Count == 0) {
        Source->SetPosition(0);
        Count = Source->GetSize();
    }
    const Int64 bufferSize = 64 * 1024;
    std::vector<Byte> buffer(static_cast<std::size_t>(std::min(Count, bufferSize)));
    Int64 copied = 0;
    while (copied < Count) {
        Int64 piece = std::min(Count - copied, bufferSize);
        Source->ReadBuffer(buffer.data(), piece);
        WriteBuffer(buffer.data(), piece);
        copied += piece;
    }
    return copied;
}

// ---------------------------------------------------------------------------- THandleStream

THandleStream::THandleStream(HANDLE AHandle) : FHandle(AHandle) {}

Int64 THandleStream::Read(void* Buffer, Int64 Count) {
    CheckCount(Count);
    Int64 total = 0;
    while (total < Count) {
        DWORD piece = static_cast<DWORD>(std::min(Count - total, MaxIoChunk));
        DWORD done = 0;
        if (!ReadFile(FHandle, static_cast<Byte*>(Buffer) + total, piece, &done, nullptr)) {
            DWORD error = GetLastError();
            if (error == ERROR_HANDLE_EOF || error == ERROR_BROKEN_PIPE) break;
            throw EReadError(WithSystemError("Stream read error", error));
        }
        if (done == 0) break;
        total += done;
    }
    return total;
}

Int64 THandleStream::Write(const void* Buffer, Int64 Count) {
    CheckCount(Count);
    Int64 total = 0;
    while (total < Count) {
        DWORD piece = static_cast<DWORD>(std::min(Count - total, MaxIoChunk));
        DWORD done = 0;
        if (!WriteFile(FHandle, static_cast<const Byte*>(Buffer) + total, piece, &done, nullptr))
            throw EWriteError(WithSystemError("Stream write error", GetLastError()));
        if (done == 0) break;
        total += done;
    }
    return total;
}

Int64 THandleStream::Seek(Int64 Offset, TSeekOrigin Origin) {
    Int64 position = 0, size = 0;
    if (Origin == soCurrent) {
        LARGE_INTEGER current;
        if (!SetFilePointerEx(FHandle, LARGE_INTEGER{}, &current, FILE_CURRENT))
            throw EStreamError(WithSystemError("Stream seek error", GetLastError()));
        position = current.QuadPart;
    } else if (Origin == soEnd) {
        size = GetSize();
    }
    LARGE_INTEGER target;
    target.QuadPart = SeekTarget(Offset, Origin, position, size);
    if (!SetFilePointerEx(FHandle, target, nullptr, FILE_BEGIN))
        throw EStreamError(WithSystemError("Stream seek error", GetLastError()));
    return target.QuadPart;
}

Int64 THandleStream::GetSize() {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(FHandle, &size))
        throw EStreamError(WithSystemError("Cannot get the stream size", GetLastError()));
    return size.QuadPart;
}

void THandleStream::SetSize(Int64 NewSize) {
    CheckCount(NewSize);
    Int64 position = GetPosition();
    SetPosition(NewSize);
    if (!SetEndOfFile(FHandle)) {
        DWORD error = GetLastError();
        SetPosition(position);
        throw EStreamError(WithSystemError("Cannot change the stream size", error));
    }
    SetPosition(position);
}

// ---------------------------------------------------------------------------- TFileStream

namespace {

DWORD ShareModeOf(Word Mode) {
    switch (Mode & 0x00F0) {
    case 0:
    case fmShareExclusive:
        return 0;
    case fmShareDenyWrite:
        return FILE_SHARE_READ;
    case fmShareDenyRead:
        return FILE_SHARE_WRITE;
    case fmShareDenyNone:
        return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default:
        throw EStreamError("Invalid file mode " + std::to_string(Mode));
    }
}

DWORD AccessOf(Word Mode) {
    switch (Mode & 0x000F) {
    case fmOpenRead:
        return GENERIC_READ;
    case fmOpenWrite:
        return GENERIC_WRITE;
    case fmOpenReadWrite:
        return GENERIC_READ | GENERIC_WRITE;
    default:
        throw EStreamError("Invalid file mode " + std::to_string(Mode));
    }
}

} // namespace

TFileStream::TFileStream(const AnsiString& FileName, Word Mode)
    : THandleStream(INVALID_HANDLE_VALUE), FFileName(FileName) {
    const bool create = (Mode & fmCreate) == fmCreate;
    if (!create && (Mode & 0xFF00) != 0)
        throw EStreamError("Invalid file mode " + std::to_string(Mode));
    DWORD share = ShareModeOf(Mode);
    DWORD access = create ? GENERIC_READ | GENERIC_WRITE : AccessOf(Mode);
    FHandle = CreateFileA(FileName.c_str(), access, share, nullptr,
                          create ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (FHandle == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (create) throw EFCreateError(WithSystemError("Cannot create file " + FileName, error));
        throw EFOpenError(WithSystemError("Cannot open file " + FileName, error));
    }
}

TFileStream::~TFileStream() {
    if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
}

// ---------------------------------------------------------------------------- TCustomMemoryStream

Int64 TCustomMemoryStream::Read(void* Buffer, Int64 Count) {
    return ReadBytes(FMemory, FSize, FPosition, Buffer, Count);
}

Int64 TCustomMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin) {
    FPosition = SeekTarget(Offset, Origin, FPosition, FSize);
    return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream* Stream) {
    CheckStream(Stream);
    if (FSize > 0) Stream->WriteBuffer(FMemory, FSize);
}

void TCustomMemoryStream::SaveToFile(const AnsiString& FileName) {
    WriteFileReplacing(FileName, FMemory, static_cast<std::size_t>(FSize));
}

void TCustomMemoryStream::SetPointer(void* Ptr, Int64 Size) {
    FMemory = Ptr;
    FSize = Size;
}

// ---------------------------------------------------------------------------- TMemoryStream

void TMemoryStream::Reserve(Int64 Size) {
    if (Size <= static_cast<Int64>(FData.capacity())) return;
    const Int64 limit = static_cast<Int64>(
        std::min<std::uint64_t>(FData.max_size(), std::numeric_limits<Int64>::max()));
    if (Size > limit) throw EStreamError("Out of memory while expanding memory stream");
    // Growing by half the capacity keeps a run of small writes linear in time.
    Int64 capacity = static_cast<Int64>(FData.capacity());
    Int64 grown = capacity > limit - capacity / 2 ? limit : capacity + capacity / 2;
    try {
        FData.reserve(static_cast<std::size_t>(std::max({Size, grown, Int64(256)})));
    } catch (const std::bad_alloc&) {
        throw EStreamError("Out of memory while expanding memory stream");
    } catch (const std::length_error&) {
        throw EStreamError("Out of memory while expanding memory stream");
    }
}

Int64 TMemoryStream::Write(const void* Buffer, Int64 Count) {
    return WriteBytes(FData, FPosition, Buffer, Count, [this](Int64 Size) { Resize(Size); });
}

void TMemoryStream::SetSize(Int64 NewSize) {
    Resize(NewSize);
}

void TMemoryStream::Resize(Int64 NewSize) {
    CheckCount(NewSize);
    Reserve(NewSize);
    FData.resize(static_cast<std::size_t>(NewSize));
    SetPointer(FData.data(), NewSize);
}

void TMemoryStream::Clear() {
    std::vector<Byte>().swap(FData);
    SetPointer(nullptr, 0);
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
    CheckStream(Stream);
    Stream->SetPosition(0);
    Int64 size = Stream->GetSize();
    // Read into fresh memory first, so that a failed read leaves this stream as it was.
    TMemoryStream loaded;
    loaded.Resize(size);
    Stream->ReadBuffer(loaded.FData.data(), size);
    FData.swap(loaded.FData);
    SetPointer(FData.data(), size);
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const AnsiString& FileName) {
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&file);
}

// ---------------------------------------------------------------------------- TReadOnlyMemoryStream

TReadOnlyMemoryStream::TReadOnlyMemoryStream(const void* Data, Int64 Size) {
    SetPointer(const_cast<void*>(Data), Size);
}

Int64 TReadOnlyMemoryStream::Write(const void*, Int64) {
    throw EStreamError("Can't write to a read-only memory stream");
}

void TReadOnlyMemoryStream::SetSize(Int64) {
    throw EStreamError("Can't write to a read-only memory stream");
}

// ---------------------------------------------------------------------------- TResourceStream

TResourceStream::TResourceStream(HINSTANCE Instance, const AnsiString& ResName,
                                 const char* ResType) {
    HRSRC info = FindResourceA(Instance, ResName.c_str(), ResType);
    HGLOBAL handle = info ? LoadResource(Instance, info) : nullptr;
    const void* data = handle ? LockResource(handle) : nullptr;
    if (!data) throw EResNotFound("Resource " + ResName + " not found");
    // The memory is the module's own and read-only; Write and SetSize refuse to change it.
    SetPointer(const_cast<void*>(data), SizeofResource(Instance, info));
}

Int64 TResourceStream::Write(const void*, Int64) {
    throw EStreamError("Can't write to a read-only resource stream");
}

void TResourceStream::SetSize(Int64) {
    throw EStreamError("Can't write to a read-only resource stream");
}

// ---------------------------------------------------------------------------- TStringStream

TStringStream::TStringStream(const AnsiString& Data) : FData(Data) {}

AnsiString TStringStream::ReadString(Int64 Count) {
    CheckCount(Count);
    Int64 available = std::max<Int64>(static_cast<Int64>(FData.size()) - FPosition, 0);
    AnsiString result(static_cast<std::size_t>(std::min(Count, available)), '\0');
    Read(result.data(), static_cast<Int64>(result.size()));
    return result;
}

void TStringStream::WriteString(const AnsiString& S) {
    WriteBuffer(S.data(), static_cast<Int64>(S.size()));
}

Int64 TStringStream::Read(void* Buffer, Int64 Count) {
    return ReadBytes(FData.data(), static_cast<Int64>(FData.size()), FPosition, Buffer, Count);
}

Int64 TStringStream::Write(const void* Buffer, Int64 Count) {
    return WriteBytes(FData, FPosition, Buffer, Count, [this](Int64 Size) { Resize(Size); });
}

Int64 TStringStream::Seek(Int64 Offset, TSeekOrigin Origin) {
    FPosition = SeekTarget(Offset, Origin, FPosition, static_cast<Int64>(FData.size()));
    return FPosition;
}

Int64 TStringStream::GetSize() {
    return static_cast<Int64>(FData.size());
}

void TStringStream::SetSize(Int64 NewSize) {
    Resize(NewSize);
}

void TStringStream::Resize(Int64 NewSize) {
    CheckCount(NewSize);
    if (static_cast<std::uint64_t>(NewSize) > FData.max_size())
        throw EStreamError("Out of memory while expanding string stream");
    try {
        FData.resize(static_cast<std::size_t>(NewSize));
    } catch (const std::bad_alloc&) {
        throw EStreamError("Out of memory while expanding string stream");
    }
}

// ---------------------------------------------------------------------------- WriteFileReplacing

namespace {

// Closes a handle and deletes its file unless the write got through.
class TTemporaryFile {
public:
    TTemporaryFile(AnsiString Name, HANDLE Handle) : FName(std::move(Name)), FHandle(Handle) {}
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;
    ~TTemporaryFile() {
        Close();
        if (!FKept) DeleteFileA(FName.c_str());
    }
    HANDLE Handle() const { return FHandle; }
    const AnsiString& Name() const { return FName; }
    bool Close() {
        bool closed = true;
        if (FHandle != INVALID_HANDLE_VALUE) closed = CloseHandle(FHandle) != 0;
        FHandle = INVALID_HANDLE_VALUE;
        return closed;
    }
    void Keep() { FKept = true; }

private:
    AnsiString FName;
    HANDLE FHandle;
    bool FKept = false;
};

[[noreturn]] void RaiseCreateError(const AnsiString& FileName, DWORD Error) {
    throw EFCreateError(WithSystemError("Cannot create file " + FileName, Error));
}

} // namespace

void WriteFileReplacing(const AnsiString& FileName, const void* Data, std::size_t Size) {
    if (FileName.empty()) RaiseCreateError(FileName, ERROR_INVALID_NAME);
    char fullName[MAX_PATH];
    char* namePart = nullptr;
    DWORD length = GetFullPathNameA(FileName.c_str(), MAX_PATH, fullName, &namePart);
    if (length == 0 || length >= MAX_PATH || !namePart) {
        RaiseCreateError(FileName, length == 0 ? GetLastError() : ERROR_INVALID_NAME);
    }
    AnsiString folder(fullName, static_cast<std::size_t>(namePart - fullName));
    // Replacing would otherwise sidestep the protection of a read-only file.
    DWORD attributes = GetFileAttributesA(fullName);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        RaiseCreateError(FileName, ERROR_ACCESS_DENIED);

    char temporaryName[MAX_PATH];
    if (!GetTempFileNameA(folder.c_str(), "vtr", 0, temporaryName))
        RaiseCreateError(FileName, GetLastError());
    HANDLE handle = CreateFileA(temporaryName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        DeleteFileA(temporaryName);
        RaiseCreateError(FileName, error);
    }
    TTemporaryFile temporary(temporaryName, handle);

    for (std::size_t written = 0; written < Size;) {
        DWORD piece = static_cast<DWORD>(std::min<std::size_t>(Size - written, MaxIoChunk));
        DWORD done = 0;
        if (!WriteFile(temporary.Handle(), static_cast<const Byte*>(Data) + written, piece, &done,
                       nullptr))
            RaiseCreateError(FileName, GetLastError());
        if (done == 0) RaiseCreateError(FileName, ERROR_WRITE_FAULT);
        written += done;
    }
    if (!FlushFileBuffers(temporary.Handle()) || !temporary.Close())
        RaiseCreateError(FileName, GetLastError());
    if (!MoveFileExA(temporary.Name().c_str(), FileName.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        RaiseCreateError(FileName, GetLastError());
    temporary.Keep();
}

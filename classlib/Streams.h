// Byte streams: the abstract TStream, streams over Windows file handles, memory,
// module resources and strings, and the safe whole-file writer.
//
// Positions and sizes are 64-bit. A position may lie beyond the end of a stream
// (reading there gives nothing; writing there fills the gap with zero bytes), but
// never before its start: such a seek raises EStreamError.
#pragma once

#include "classlib/Exceptions.h"
#include "classlib/Objects.h"

// Only the handle types: <windows.h> would turn names of the library (GetObject,
// DeleteFile, ...) into macros for every unit that uses streams.
#include <windef.h>

#include <cstddef>
#include <vector>

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// File stream modes: one access mode, optionally or-ed with one share mode.
// fmCreate replaces the access mode: the file is created or truncated and opened
// for reading and writing. Without a share mode the file is opened exclusively.
const Word fmCreate = 0xFF00;
const Word fmOpenRead = 0x0000;
const Word fmOpenWrite = 0x0001;
const Word fmOpenReadWrite = 0x0002;
const Word fmShareExclusive = 0x0010;
const Word fmShareDenyWrite = 0x0020;
const Word fmShareDenyRead = 0x0030;
const Word fmShareDenyNone = 0x0040;

class TStream : public TObject {
    DECLARE_CLASS(TStream, TObject)
public:
    // Each returns the number of bytes actually transferred; a negative Count raises.
    virtual Int64 Read(void* Buffer, Int64 Count) = 0;
    virtual Int64 Write(const void* Buffer, Int64 Count) = 0;
    // Returns the new position.
    virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;

    // All or nothing: EReadError "Stream read error" / EWriteError "Stream write error"
    // when fewer than Count bytes could be transferred.
    void ReadBuffer(void* Buffer, Int64 Count);
    void WriteBuffer(const void* Buffer, Int64 Count);

    Int64 GetPosition();
    void SetPosition(Int64 Pos);
    virtual Int64 GetSize();
    // Streams whose size cannot change raise EStreamError.
    virtual void SetSize(Int64 NewSize);

    // Copies Count bytes from the current position of Source; Count 0 copies all
    // of Source from its start. Returns the number of bytes copied.
    Int64 CopyFrom(TStream* Source, Int64 Count);
};

// A stream over a Windows file handle that it does not own.
class THandleStream : public TStream {
    DECLARE_CLASS(THandleStream, TStream)
public:
    explicit THandleStream(HANDLE AHandle);

    HANDLE GetHandle() const { return FHandle; }

    Int64 Read(void* Buffer, Int64 Count) override;
    Int64 Write(const void* Buffer, Int64 Count) override;
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    Int64 GetSize() override;
    void SetSize(Int64 NewSize) override;

protected:
    HANDLE FHandle;
};

// Opens (or with fmCreate creates) a file. Failures raise EFOpenError
// "Cannot open file %s" or EFCreateError "Cannot create file %s", followed by
// ". " and the system's description of the error when there is one.
class TFileStream : public THandleStream {
    DECLARE_CLASS(TFileStream, THandleStream)
public:
    TFileStream(const AnsiString& FileName, Word Mode);
    ~TFileStream() override;

    const AnsiString& GetFileName() const { return FFileName; }

private:
    AnsiString FFileName;
};

// A stream over a block of memory that the derived class provides.
class TCustomMemoryStream : public TStream {
    DECLARE_CLASS(TCustomMemoryStream, TStream)
public:
    void* GetMemory() const { return FMemory; }

    Int64 Read(void* Buffer, Int64 Count) override;
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    Int64 GetSize() override { return FSize; }

    // Write the whole content, whatever the position; the file is replaced only by
    // a complete new one (see WriteFileReplacing).
    void SaveToStream(TStream* Stream);
    void SaveToFile(const AnsiString& FileName);

protected:
    void SetPointer(void* Ptr, Int64 Size);
    Int64 FPosition = 0;

private:
    void* FMemory = nullptr;
    Int64 FSize = 0;
};

// A growable stream in memory. GetMemory() stays valid until the next write or
// SetSize that enlarges the stream.
class TMemoryStream : public TCustomMemoryStream {
    DECLARE_CLASS(TMemoryStream, TCustomMemoryStream)
public:
    TMemoryStream() = default;

    Int64 Write(const void* Buffer, Int64 Count) override;
    void SetSize(Int64 NewSize) override;

    // Empties the stream and releases its memory.
    void Clear();
    // Replace the content by the whole of Stream / the file; position 0 afterwards.
    void LoadFromStream(TStream* Stream);
    void LoadFromFile(const AnsiString& FileName);

private:
    void Reserve(Int64 Size);
    void Resize(Int64 NewSize);
    std::vector<Byte> FData;
};

// Read-only access to a block of memory that stays valid and unchanged while the stream
// is used (the bytes of a larger stream, read in place). Writing raises EStreamError
// "Can't write to a read-only memory stream".
class TReadOnlyMemoryStream : public TCustomMemoryStream {
    DECLARE_CLASS(TReadOnlyMemoryStream, TCustomMemoryStream)
public:
    TReadOnlyMemoryStream(const void* Data, Int64 Size);

    Int64 Write(const void* Buffer, Int64 Count) override;
    void SetSize(Int64 NewSize) override;
};

// Read-only access to a resource of a module, e.g. ResType RT_RCDATA.
// A missing resource raises EResNotFound "Resource %s not found"; writing raises
// EStreamError "Can't write to a read-only resource stream".
class TResourceStream : public TCustomMemoryStream {
    DECLARE_CLASS(TResourceStream, TCustomMemoryStream)
public:
    TResourceStream(HINSTANCE Instance, const AnsiString& ResName, const char* ResType);

    Int64 Write(const void* Buffer, Int64 Count) override;
    void SetSize(Int64 NewSize) override;
};

// A stream whose content is a string of bytes.
class TStringStream : public TStream {
    DECLARE_CLASS(TStringStream, TStream)
public:
    explicit TStringStream(const AnsiString& Data = AnsiString());

    const AnsiString& GetDataString() const { return FData; }
    // Up to Count bytes from the position (fewer at the end).
    AnsiString ReadString(Int64 Count);
    void WriteString(const AnsiString& S);

    Int64 Read(void* Buffer, Int64 Count) override;
    Int64 Write(const void* Buffer, Int64 Count) override;
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    Int64 GetSize() override;
    void SetSize(Int64 NewSize) override;

private:
    void Resize(Int64 NewSize);
    AnsiString FData;
    Int64 FPosition = 0;
};

// Writes a whole file through a temporary file in the same folder, then replaces the
// old one; on any failure the old file is untouched and the temporary file removed.
// Throws EFCreateError "Cannot create file %s" (with the system's description).
void WriteFileReplacing(const AnsiString& FileName, const void* Data, std::size_t Size);

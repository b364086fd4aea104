// Compression streams: zlib deflate and inflate under the TStream interface.
//
// A TCompressionStream deflates what is written to it into a destination stream; the
// compressed data is complete once the stream is destroyed. A TDecompressionStream
// inflates from a source stream what is read from it and stops at the end of the zlib
// stream. Both exchange data with the other stream in 4096-byte buffers.
#pragma once

#include "classlib/Events.h"
#include "classlib/Exceptions.h"
#include "classlib/Streams.h"

#include <zlib.h>

DECLARE_EXCEPTION(EZlibError, Exception);
DECLARE_EXCEPTION(ECompressionError, EZlibError);
DECLARE_EXCEPTION(EDecompressionError, EZlibError);

// Scoped: the colour constants clNone and clDefault share the names.
enum class TCompressionLevel { clNone, clFastest, clDefault, clMax };

class TCustomZlibStream : public TStream {
    DECLARE_CLASS(TCustomZlibStream, TStream)
public:
    static constexpr int BufferSize = 4096;

    // Fired after every exchange of one buffer with the other stream.
    TNotifyEvent OnProgress;

protected:
    explicit TCustomZlibStream(TStream* Strm);
    virtual void Progress(TObject* Sender);
    // Moves the other stream back to where this adapter left it.
    void RestorePosition();

    TStream* FStrm;
    Int64 FStrmPos;
    z_stream FZStream{};
    Byte FBuffer[BufferSize];
};

class TCompressionStream : public TCustomZlibStream {
    DECLARE_CLASS(TCompressionStream, TCustomZlibStream)
public:
    TCompressionStream(TCompressionLevel CompressionLevel, TStream* Dest);
    // Finishes the zlib stream and writes what is left.
    ~TCompressionStream() override;

    // Raises ECompressionError "Invalid stream operation".
    Int64 Read(void* Buffer, Int64 Count) override;
    Int64 Write(const void* Buffer, Int64 Count) override;
    // Only Seek(0, soCurrent): the number of plain bytes written so far.
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    // (1 - compressed / plain) x 100; 0 before anything is written.
    double GetCompressionRate() const;
    // Completes the compressed data (the destructor does it when no one has); no
    // further writes are possible afterwards.
    void Finish();

private:
    void FlushBuffer();
    bool FFinished = false;
};

class TDecompressionStream : public TCustomZlibStream {
    DECLARE_CLASS(TDecompressionStream, TCustomZlibStream)
public:
    explicit TDecompressionStream(TStream* Source);
    ~TDecompressionStream() override;

    // Returns fewer bytes than asked at the end of the zlib stream or of the source.
    Int64 Read(void* Buffer, Int64 Count) override;
    // Raises EDecompressionError "Invalid stream operation".
    Int64 Write(const void* Buffer, Int64 Count) override;
    // Seek(0, soBeginning) starts over; forward seeks read and discard; nothing else.
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    // True once the end of the zlib stream has been inflated.
    bool GetStreamEnded() const { return FStreamEnded; }
    // The source's bytes after the end of the zlib stream (once it has ended).
    Int64 GetBytesAfterEnd() const;

private:
    void Skip(Int64 Count);
    bool FStreamEnded = false;
};

// Deflates all of Plain (from its start) at clMax into Compressed, from its position.
void CompressStream(TStream* Plain, TStream* Compressed);
// Inflates all of Compressed (from its start) into Plain, from its position. The zlib
// stream must be complete (else EDecompressionError "Compressed data is incomplete")
// and end Compressed (else EDecompressionError "%d bytes follow the compressed data"),
// and at most MaxSize bytes are inflated (else EDecompressionError
// "Compressed data is larger than %d bytes").
void DeCompressStream(TStream* Plain, TStream* Compressed, Int64 MaxSize = INT64_MAX);

// A string on a stream: its 32-bit length, then its bytes.
void WriteStringToStream(const AnsiString& S, TStream* Stream);
// A length that is negative or runs past the end of the stream raises EReadError.
void ReadStringFromStream(AnsiString& S, TStream* Stream);

#include "skin/data/Skzlibcompress.h"

#include "classlib/Strings.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

const char* const InvalidOperation = "Invalid stream operation";

int ZlibLevel(TCompressionLevel Level) {
    switch (Level) {
    case TCompressionLevel::clNone:
        return 0;
    case TCompressionLevel::clFastest:
        return 1;
    case TCompressionLevel::clDefault:
        return Z_DEFAULT_COMPRESSION;
    case TCompressionLevel::clMax:
        return 9;
    }
    return Z_DEFAULT_COMPRESSION;
}

// zlib counts in 32 bits: callers' buffers are handed over in pieces of at most this.
constexpr Int64 MaxPiece = Int64{1} << 30;

} // namespace

// ---------------------------------------------------------------------------
// TCustomZlibStream

TCustomZlibStream::TCustomZlibStream(TStream* Strm) : FStrm(Strm), FStrmPos(Strm->GetPosition()) {}

void TCustomZlibStream::Progress(TObject* Sender) {
    if (OnProgress) OnProgress(Sender);
}

void TCustomZlibStream::RestorePosition() {
    if (FStrm->GetPosition() != FStrmPos) FStrm->SetPosition(FStrmPos);
}

// ---------------------------------------------------------------------------
// TCompressionStream

TCompressionStream::TCompressionStream(TCompressionLevel CompressionLevel, TStream* Dest)
    : TCustomZlibStream(Dest) {
    FZStream.next_out = FBuffer;
    FZStream.avail_out = BufferSize;
    if (deflateInit(&FZStream, ZlibLevel(CompressionLevel)) < 0) throw ECompressionError("error");
}

TCompressionStream::~TCompressionStream() {
    if (!FFinished) {
        try {
            Finish();
        } catch (...) {
            // A destructor cannot report it; CompressStream calls Finish itself.
        }
    }
    deflateEnd(&FZStream);
}

void TCompressionStream::FlushBuffer() {
    FStrm->WriteBuffer(FBuffer, BufferSize);
    FZStream.next_out = FBuffer;
    FZStream.avail_out = BufferSize;
    FStrmPos = FStrm->GetPosition();
    Progress(this);
}

void TCompressionStream::Finish() {
    FFinished = true;
    FZStream.next_in = nullptr;
    FZStream.avail_in = 0;
    RestorePosition();
    for (;;) {
        const int result = deflate(&FZStream, Z_FINISH);
        if (result < 0 && result != Z_BUF_ERROR) throw ECompressionError("error");
        if (result == Z_STREAM_END || FZStream.avail_out != 0) break;
        FlushBuffer();
    }
    const Int64 pending = BufferSize - Int64{FZStream.avail_out};
    if (pending > 0) {
        FStrm->WriteBuffer(FBuffer, pending);
        FZStream.next_out = FBuffer;
        FZStream.avail_out = BufferSize;
        FStrmPos = FStrm->GetPosition();
    }
}

Int64 TCompressionStream::Read(void*, Int64) {
    throw ECompressionError(InvalidOperation);
}

Int64 TCompressionStream::Write(const void* Buffer, Int64 Count) {
    if (Count < 0) throw EWriteError("Stream write error");
    if (FFinished) throw ECompressionError(InvalidOperation);
    const Byte* data = static_cast<const Byte*>(Buffer);
    RestorePosition();
    for (Int64 done = 0; done < Count;) {
        const Int64 piece = std::min(Count - done, MaxPiece);
        FZStream.next_in = const_cast<Byte*>(data + done);
        FZStream.avail_in = static_cast<uInt>(piece);
        while (FZStream.avail_in != 0) {
            if (deflate(&FZStream, Z_NO_FLUSH) < 0) throw ECompressionError("error");
            if (FZStream.avail_out == 0) FlushBuffer();
        }
        done += piece;
    }
    return Count;
}

Int64 TCompressionStream::Seek(Int64 Offset, TSeekOrigin Origin) {
    if (Offset == 0 && Origin == soCurrent) return FZStream.total_in;
    throw ECompressionError(InvalidOperation);
}

double TCompressionStream::GetCompressionRate() const {
    if (FZStream.total_in == 0) return 0;
    return (1.0 - double(FZStream.total_out) / double(FZStream.total_in)) * 100.0;
}

// ---------------------------------------------------------------------------
// TDecompressionStream

TDecompressionStream::TDecompressionStream(TStream* Source) : TCustomZlibStream(Source) {
    FZStream.next_in = FBuffer;
    FZStream.avail_in = 0;
    if (inflateInit(&FZStream) < 0) throw EDecompressionError("compression error");
}

TDecompressionStream::~TDecompressionStream() {
    inflateEnd(&FZStream);
}

Int64 TDecompressionStream::Read(void* Buffer, Int64 Count) {
    if (Count < 0) throw EReadError("Stream read error");
    Byte* data = static_cast<Byte*>(Buffer);
    RestorePosition();
    Int64 done = 0;
    while (done < Count && !FStreamEnded) {
        const Int64 piece = std::min(Count - done, MaxPiece);
        FZStream.next_out = data + done;
        FZStream.avail_out = static_cast<uInt>(piece);
        while (FZStream.avail_out != 0 && !FStreamEnded) {
            if (FZStream.avail_in == 0) {
                const Int64 got = FStrm->Read(FBuffer, BufferSize);
                if (got <= 0) return done + piece - FZStream.avail_out;
                FZStream.next_in = FBuffer;
                FZStream.avail_in = static_cast<uInt>(got);
                FStrmPos = FStrm->GetPosition();
                Progress(this);
            }
            const int result = inflate(&FZStream, Z_NO_FLUSH);
            // A stream that asks for a preset dictionary cannot go on either.
            if (result < 0 || result == Z_NEED_DICT) throw EDecompressionError("compression error");
            if (result == Z_STREAM_END) FStreamEnded = true;
        }
        done += piece - FZStream.avail_out;
    }
    return done;
}

Int64 TDecompressionStream::GetBytesAfterEnd() const {
    return FZStream.avail_in + std::max<Int64>(0, FStrm->GetSize() - FStrmPos);
}

Int64 TDecompressionStream::Write(const void*, Int64) {
    throw EDecompressionError(InvalidOperation);
}

void TDecompressionStream::Skip(Int64 Count) {
    Byte discard[BufferSize];
    while (Count > 0) {
        const Int64 piece = std::min<Int64>(Count, BufferSize);
        ReadBuffer(discard, piece);
        Count -= piece;
    }
}

Int64 TDecompressionStream::Seek(Int64 Offset, TSeekOrigin Origin) {
    if (Offset == 0 && Origin == soBeginning) {
        if (inflateReset(&FZStream) < 0) throw EDecompressionError("compression error");
        FZStream.next_in = FBuffer;
        FZStream.avail_in = 0;
        FStreamEnded = false;
        FStrm->SetPosition(0);
        FStrmPos = 0;
    } else if (Offset >= 0 && Origin == soCurrent) {
        Skip(Offset);
    } else if (Origin == soBeginning && Offset >= Int64{FZStream.total_out}) {
        Skip(Offset - Int64{FZStream.total_out});
    } else {
        throw EDecompressionError(InvalidOperation);
    }
    return FZStream.total_out;
}

// ---------------------------------------------------------------------------

void CompressStream(TStream* Plain, TStream* Compressed) {
    TCompressionStream compressor(TCompressionLevel::clMax, Compressed);
    Plain->SetPosition(0);
    Byte buffer[TCustomZlibStream::BufferSize];
    for (;;) {
        const Int64 got = Plain->Read(buffer, sizeof buffer);
        if (got <= 0) break;
        compressor.WriteBuffer(buffer, got);
    }
    compressor.Finish();
}

void DeCompressStream(TStream* Plain, TStream* Compressed, Int64 MaxSize) {
    Compressed->SetPosition(0);
    TDecompressionStream decompressor(Compressed);
    // A memory stream is inflated into directly; anything else through a buffer.
    auto* memory = dynamic_cast<TMemoryStream*>(Plain);
    constexpr Int64 Piece = Int64{16} * TCustomZlibStream::BufferSize;
    std::vector<Byte> buffer(memory ? 0 : static_cast<std::size_t>(Piece));
    const Int64 start = Plain->GetPosition();
    const Int64 oldSize = memory ? memory->GetSize() : 0;
    Int64 total = 0;
    for (;;) {
        Byte* into = buffer.data();
        if (memory) {
            memory->SetSize(std::max(memory->GetSize(), start + total + Piece));
            into = static_cast<Byte*>(memory->GetMemory()) + start + total;
        }
        const Int64 got = decompressor.Read(into, Piece);
        total += got;
        if (total > MaxSize) {
            if (memory) memory->SetSize(std::max(oldSize, start));
            throw EDecompressionError(Format("Compressed data is larger than %d bytes", MaxSize));
        }
        if (!memory) Plain->WriteBuffer(into, got);
        if (got < Piece) break;
    }
    if (memory) {
        memory->SetSize(std::max(oldSize, start + total));
        memory->SetPosition(start + total);
    }
    if (!decompressor.GetStreamEnded()) throw EDecompressionError("Compressed data is incomplete");
    if (const Int64 extra = decompressor.GetBytesAfterEnd())
        throw EDecompressionError(Format("%d bytes follow the compressed data", extra));
}

void WriteStringToStream(const AnsiString& S, TStream* Stream) {
    if (S.size() > INT32_MAX) throw EWriteError("String too long for a stream");
    const std::int32_t length = static_cast<std::int32_t>(S.size());
    Stream->WriteBuffer(&length, sizeof length);
    Stream->WriteBuffer(S.data(), length);
}

void ReadStringFromStream(AnsiString& S, TStream* Stream) {
    std::int32_t length = 0;
    Stream->ReadBuffer(&length, sizeof length);
    if (length < 0 || length > Stream->GetSize() - Stream->GetPosition())
        throw EReadError(Format("String length %d runs past the end of the stream", length));
    AnsiString text(static_cast<std::size_t>(length), '\0');
    Stream->ReadBuffer(text.data(), length);
    S = std::move(text);
}

#include "skin/data/Skzlibcompress.h"

#include "classlib/Strings.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

namespace {

AnsiString Sample(std::size_t Size) {
    std::mt19937 random(7);
    AnsiString text(Size, '\0');
    for (char& c : text)
        c = static_cast<char>('a' + random() % 6); // compressible, not trivially
    return text;
}

AnsiString Compress(const AnsiString& Plain) {
    TStringStream plain(Plain), packed;
    CompressStream(&plain, &packed);
    return packed.GetDataString();
}

AnsiString Decompress(const AnsiString& Packed, Int64 MaxSize = INT64_MAX) {
    TStringStream packed(Packed), plain;
    DeCompressStream(&plain, &packed, MaxSize);
    return plain.GetDataString();
}

// Counts the exchanges with the other stream.
struct TProgressCounter : TObject {
    int Calls = 0;
    void Count(TObject*) { ++Calls; }
};

} // namespace

TEST(ZlibStream, RoundTripsAroundTheBufferSizeAsOneLevel9Stream) {
    for (std::size_t size : {0u, 1u, 4095u, 4096u, 4097u, 100000u}) {
        const AnsiString plain = Sample(size);
        const AnsiString packed = Compress(plain);
        EXPECT_EQ(Decompress(packed), plain) << size;
        // zlib header of the maximum level, and zlib's own inflate agrees.
        ASSERT_GE(packed.size(), 2u);
        EXPECT_EQ(Byte(packed[0]), 0x78);
        EXPECT_EQ(Byte(packed[1]), 0xDA);
        std::vector<Byte> out(size + 1);
        uLongf outSize = static_cast<uLongf>(out.size());
        EXPECT_EQ(uncompress(out.data(), &outSize, reinterpret_cast<const Bytef*>(packed.data()),
                             static_cast<uLong>(packed.size())),
                  Z_OK);
        EXPECT_EQ(outSize, size);
    }
    TStringStream plain(Sample(50000)), packed;
    TCompressionStream stream(TCompressionLevel::clMax, &packed);
    EXPECT_EQ(stream.GetCompressionRate(), 0.0);
    stream.CopyFrom(&plain, 0);
    stream.Finish();
    EXPECT_GT(stream.GetCompressionRate(), 50.0);
}

TEST(ZlibStream, CompressionStreamWritesWholeBuffersAndOffersOnlyItsCount) {
    TStringStream packed;
    packed.WriteString("head"); // compressed bytes follow what is there
    TProgressCounter counter;
    {
        TCompressionStream stream(TCompressionLevel::clNone, &packed);
        stream.OnProgress = TNotifyEvent(&counter, &TProgressCounter::Count);
        std::mt19937 random(3);
        AnsiString plain(100000, '\0');
        for (char& c : plain)
            c = static_cast<char>(random());
        stream.WriteBuffer(plain.data(), plain.size());
        EXPECT_EQ(stream.Seek(0, soCurrent), 100000);
        EXPECT_THROW(stream.Seek(1, soCurrent), ECompressionError);
        EXPECT_THROW(stream.Seek(0, soBeginning), ECompressionError);
        char byte;
        try {
            stream.Read(&byte, 1);
            FAIL();
        } catch (const ECompressionError& e) {
            EXPECT_STREQ(e.what(), "Invalid stream operation");
        }
        // Only whole 4096-byte buffers went out so far, each announced.
        EXPECT_GT(counter.Calls, 0);
        EXPECT_EQ(packed.GetSize(), 4 + counter.Calls * 4096);
        stream.Finish();
        EXPECT_LT(stream.GetCompressionRate(), 0.0); // stored blocks grow
        EXPECT_EQ(Decompress(packed.GetDataString().substr(4)), plain);
    }
    EXPECT_EQ(packed.GetDataString().substr(0, 4), "head");
}

TEST(ZlibStream, DecompressionStreamStopsAtTheStreamEndSkipsAndStartsOver) {
    const AnsiString plain = Sample(9000);
    TStringStream packed(Compress(plain) + "trailing bytes");
    TDecompressionStream stream(&packed);
    AnsiString first(100, '\0');
    EXPECT_EQ(stream.Read(first.data(), 100), 100);
    EXPECT_EQ(first, plain.substr(0, 100));
    EXPECT_EQ(stream.Seek(4900, soCurrent), 5000);
    EXPECT_EQ(stream.Seek(6000, soBeginning), 6000);
    EXPECT_THROW(stream.Seek(10, soBeginning), EDecompressionError);
    EXPECT_THROW(stream.Seek(-1, soCurrent), EDecompressionError);
    EXPECT_THROW(stream.Seek(0, soEnd), EDecompressionError);
    AnsiString rest(5000, '\0');
    EXPECT_EQ(stream.Read(rest.data(), 5000), 3000); // ends with the zlib stream
    EXPECT_EQ(rest.substr(0, 3000), plain.substr(6000));
    EXPECT_TRUE(stream.GetStreamEnded());
    EXPECT_EQ(stream.Seek(0, soBeginning), 0);
    EXPECT_EQ(stream.Read(first.data(), 100), 100);
    EXPECT_EQ(first, plain.substr(0, 100));
    EXPECT_THROW(stream.Seek(9000, soCurrent), EReadError); // past the end
    EXPECT_THROW(stream.Write("x", 1), EDecompressionError);
}

TEST(ZlibStream, DamagedTruncatedAndOversizedDataRaise) {
    const AnsiString packed = Compress(Sample(20000));
    try {
        Decompress(packed.substr(0, packed.size() / 2));
        FAIL();
    } catch (const EDecompressionError& e) {
        EXPECT_STREQ(e.what(), "Compressed data is incomplete");
    }
    AnsiString damaged = packed;
    damaged[1] = 0; // fails the header check
    try {
        Decompress(damaged);
        FAIL();
    } catch (const EDecompressionError& e) {
        EXPECT_STREQ(e.what(), "compression error");
    }
    EXPECT_THROW(Decompress(packed, 19999), EDecompressionError);
    EXPECT_EQ(Decompress(packed, 20000).size(), 20000u);
    EXPECT_THROW(Decompress(""), EDecompressionError);
    // Bytes after the end of the zlib stream, within the last buffer and beyond it.
    for (std::size_t extra : {std::size_t(1), std::size_t(9000)}) {
        try {
            Decompress(packed + AnsiString(extra, 'x'));
            ADD_FAILURE() << extra;
        } catch (const EDecompressionError& e) {
            EXPECT_EQ(AnsiString(e.what()), Format("%d bytes follow the compressed data", Int64(extra)));
        }
    }
}

TEST(ZlibStream, StringsAreLengthPrefixedAndBoundedByTheStream) {
    TStringStream stream;
    WriteStringToStream("skin", &stream);
    WriteStringToStream("", &stream);
    EXPECT_EQ(stream.GetDataString(), AnsiString("\4\0\0\0skin\0\0\0\0", 12));
    stream.SetPosition(0);
    AnsiString a = "x", b = "y";
    ReadStringFromStream(a, &stream);
    ReadStringFromStream(b, &stream);
    EXPECT_EQ(a, "skin");
    EXPECT_EQ(b, "");
    for (const AnsiString& bad : {AnsiString("\5\0\0\0skin", 8), AnsiString("\xFF\xFF\xFF\x7F", 4),
                                  AnsiString("\xFF\xFF\xFF\xFF", 4), AnsiString("\1\0", 2)}) {
        TStringStream damaged(bad);
        EXPECT_THROW(ReadStringFromStream(a, &damaged), EReadError);
    }
}

TEST(ZlibStream, DecompressingIntoAMemoryStreamWritesFromItsPosition) {
    const AnsiString plain = Sample(70000);
    TStringStream packed(Compress(plain));
    TMemoryStream target;
    target.WriteBuffer("head", 4);
    target.SetPosition(2);
    DeCompressStream(&target, &packed);
    EXPECT_EQ(target.GetSize(), 2 + 70000);
    EXPECT_EQ(target.GetPosition(), 2 + 70000);
    const AnsiString bytes(static_cast<const char*>(target.GetMemory()), 70002);
    EXPECT_EQ(bytes.substr(0, 2), "he");
    EXPECT_EQ(bytes.substr(2), plain);

    TMemoryStream longer;
    const AnsiString filler(80000, 'x');
    longer.WriteBuffer(filler.data(), 80000);
    longer.SetPosition(0);
    DeCompressStream(&longer, &packed);
    EXPECT_EQ(longer.GetSize(), 80000); // the tail beyond the inflated data stays
    EXPECT_EQ(static_cast<const char*>(longer.GetMemory())[70000], 'x');
    TMemoryStream small;
    EXPECT_THROW(DeCompressStream(&small, &packed, 1000), EDecompressionError);
    EXPECT_EQ(small.GetSize(), 0);
}

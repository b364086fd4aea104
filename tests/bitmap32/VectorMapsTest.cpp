// Vector maps: bilinear reads and writes, merging, trimming, mesh files byte for byte and
// damaged, and the remap transformation with the recording of a transformation.
#include "bitmap32/Bmp32_TransformsMatrices.h"
#include "bitmap32/Bmp32_TransformsRemap.h"
#include "bitmap32/Bmp32_VectorMaps.h"
#include "classlib/Streams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace Bmp32;

namespace {

TFixedPoint V(int X, int Y) {
    return {X * FixedOne, Y * FixedOne};
}

// A 2 x 2 map holding (0,0), (4,0), (0,8), (4,8).
void FillSquare(TVectorMap& Map) {
    Map.SetSize(2, 2);
    Map.SetFixedVector(1, 0, V(4, 0));
    Map.SetFixedVector(0, 1, V(0, 8));
    Map.SetFixedVector(1, 1, V(4, 8));
}

std::string Bytes(TMemoryStream& S) {
    return std::string(static_cast<const char*>(S.GetMemory()), std::size_t(S.GetSize()));
}

void Load(TVectorMap& Map, const std::string& Data) {
    TMemoryStream s;
    s.WriteBuffer(Data.data(), Int64(Data.size()));
    s.SetPosition(0);
    Map.LoadFromStream(s);
}

} // namespace

TEST(VectorMaps, BilinearReadsStayInsideTheMap) {
    TVectorMap map;
    FillSquare(map);
    EXPECT_EQ(map.GetFixedVectorX(0x8000, 0x8000), V(2, 4));
    // Last column and row: step 0, no cell outside read.
    EXPECT_EQ(map.GetFixedVectorX(FixedOne + 0x8000, FixedOne + 0x8000), V(4, 8));
    EXPECT_EQ(map.GetFixedVectorX(-1, 0), V(0, 0));
    // The safe form counts outside neighbours as (0, 0).
    EXPECT_EQ(map.GetFixedVectorXS(FixedOne + 0x8000, FixedOne), (TFixedPoint{2 * FixedOne, 4 * FixedOne}));
    EXPECT_EQ(map.GetFixedVectorS(5, 0), V(0, 0));
    map.SetFixedVectorS(5, 0, V(1, 1));
    EXPECT_EQ(map.GetFloatVectorF(0.5f, 0.5f), (TFloatPoint{2, 4}));
}

TEST(VectorMaps, BilinearWritePullsEachCellTowardsTheValueInsideTheMapOnly) {
    TVectorMap map;
    map.SetSize(2, 2);
    // All weight on the first cell: FixedMul(0xFFFF, 0xFFFF) = 0xFFFE.
    map.SetFixedVectorX(0, 0, V(8, 8));
    EXPECT_EQ(map.GetFixedVector(0, 0), (TFixedPoint{8 * 0xFFFE, 8 * 0xFFFE}));
    EXPECT_EQ(map.GetFixedVector(1, 0), V(0, 0));
    map.Clear();
    map.SetFixedVectorX(0x8000, 0, V(8, 0)); // halfway between two cells
    EXPECT_EQ(map.GetFixedVector(0, 0).X, 8 * 0x7FFE); // weight FixedMul(0x7FFF, 0xFFFF)
    EXPECT_EQ(map.GetFixedVector(1, 0).X, 8 * 0x7FFF); // weight FixedMul(0x8000, 0xFFFF)
    EXPECT_EQ(map.GetFixedVector(0, 1), V(0, 0));
    // On the last column the neighbours beyond the edge are not touched.
    map.Clear();
    map.SetFixedVectorX(FixedOne + 0x8000, FixedOne, V(8, 0));
    map.SetFixedVectorXS(-3 * FixedOne, 0, V(8, 0));
    EXPECT_EQ(map.GetFixedVector(1, 1).X, 8 * 0x7FFE);
    EXPECT_EQ(map.GetFixedVector(0, 0), V(0, 0));
}

TEST(VectorMaps, MergeModesClippingAndErrors) {
    TVectorMap base, src, empty;
    base.SetSize(3, 3);
    FillSquare(src);
    EXPECT_THROW(base.Merge(0, 0, empty, {0, 0, 1, 1}), Exception);
    try {
        empty.Merge(0, 0, src, {0, 0, 1, 1});
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Base is empty!");
    }
    base.Merge(1, 1, src, src.BoundsRect());
    base.Merge(1, 1, src, src.BoundsRect());
    EXPECT_EQ(base.GetFixedVector(2, 2), V(8, 16));
    // Clipped at the left and top: the source moves along.
    src.SetVectorCombineMode(vcmReplace);
    base.Merge(-1, -1, src, src.BoundsRect());
    EXPECT_EQ(base.GetFixedVector(0, 0), V(4, 8));
    // Into itself, area by area: doubled.
    base.SetVectorCombineMode(vcmAdd);
    base.Merge(0, 0, base, {0, 0, 1, 1});
    EXPECT_EQ(base.GetFixedVector(0, 0), V(8, 16));
    // Custom: the progress starts at -1.0 and steps by 0 over one cell.
    std::vector<TFixedPoint> progress;
    src.SetVectorCombineMode(vcmCustom);
    src.OnVectorCombine = TVectorCombineEvent::FromCallable(
        [&](const TFixedPoint&, const TFixedPoint& P, TFixedPoint&) { progress.push_back(P); });
    base.Merge(0, 0, src, {0, 0, 1, 2});
    ASSERT_EQ(progress.size(), 2u);
    EXPECT_EQ(progress[0], (TFixedPoint{-FixedOne, -FixedOne}));
    EXPECT_EQ(progress[1], (TFixedPoint{-FixedOne, 0}));
}

TEST(VectorMaps, TrimmedBoundsAreTight) {
    TVectorMap map;
    EXPECT_EQ(map.GetTrimmedBounds(), (TRect{0, 0, 0, 0}));
    map.SetSize(5, 4);
    EXPECT_EQ(map.GetTrimmedBounds(), (TRect{0, 0, 0, 0}));
    map.SetFixedVector(3, 1, V(1, 0));
    EXPECT_EQ(map.GetTrimmedBounds(), (TRect{3, 1, 4, 2}));
    map.SetFixedVector(1, 2, V(0, 1));
    EXPECT_EQ(map.GetTrimmedBounds(), (TRect{1, 1, 4, 3}));
}

TEST(MeshFiles, BytesRoundTripAndFloatRounding) {
    TVectorMap map;
    map.SetSize(2, 1);
    map.SetFixedVector(0, 0, {0x10001, -FixedOne});
    map.SetFixedVector(1, 0, {0x12345678, 3});
    TMemoryStream out;
    map.SaveToStream(out);
    const std::string bytes = Bytes(out);
    ASSERT_EQ(bytes.size(), 48u);
    EXPECT_EQ(bytes.substr(0, 16), std::string("\0\0\0\2yfqLhseM\2\0\0\0", 16));
    EXPECT_EQ(bytes.substr(16, 8), std::string("\2\0\0\0\1\0\0\0", 8));
    EXPECT_EQ(bytes.substr(40), std::string(8, '\0'));
    float first[2];
    std::memcpy(first, bytes.data() + 24, 8);
    EXPECT_EQ(first[0], float(0x10001 / 65536.0));
    EXPECT_EQ(first[1], -1.0f);
    // After saving the map holds what the file holds.
    EXPECT_EQ(map.GetFixedVector(1, 0), (TFixedPoint{Fixed(float(0x12345678 / 65536.0)), 3}));

    TVectorMap loaded;
    std::string upper = bytes;
    std::memcpy(upper.data() + 4, "YFQLHSEM", 8);
    Load(loaded, upper);
    EXPECT_EQ(loaded.GetWidth(), 2);
    EXPECT_EQ(loaded.GetFixedVector(0, 0), map.GetFixedVector(0, 0));
    EXPECT_EQ(loaded.GetFixedVector(1, 0), map.GetFixedVector(1, 0));
}

TEST(MeshFiles, DamagedFilesLeaveTheMapAsItWas) {
    TVectorMap map;
    map.SetSize(2, 1);
    TMemoryStream out;
    map.SaveToStream(out);
    const std::string good = Bytes(out);
    map.SetFixedVector(0, 0, V(7, 7));

    auto expectUnchanged = [&](const std::string& Data, const char* Message) {
        try {
            Load(map, Data);
            ADD_FAILURE() << "loaded";
        } catch (const Exception& e) {
            if (Message) {
                EXPECT_STREQ(e.what(), Message);
            }
        }
        EXPECT_EQ(map.GetWidth(), 2);
        EXPECT_EQ(map.GetFixedVector(0, 0), V(7, 7));
    };
    const char* bad = "Bad format - Photoshop .msh expected!";
    std::string wrongId = good;
    wrongId[5] = 'x';
    expectUnchanged(wrongId, bad);
    std::string negative = good;
    std::memcpy(negative.data() + 16, "\xFF\xFF\xFF\xFF", 4);
    expectUnchanged(negative, bad);
    std::string huge = good;
    std::memcpy(huge.data() + 16, "\x00\x00\x01\x00\x00\x00\x01\x00", 8); // 65536 x 65536
    expectUnchanged(huge, bad);
    expectUnchanged(good.substr(0, 30), bad);   // shorter than its vectors
    expectUnchanged(good.substr(0, 10), nullptr); // shorter than the header: the read error

    try {
        map.LoadFromFile("Z:\\no\\such\\file.msh");
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "File not found!");
    }
}

namespace {

// A stream that takes no more than Room bytes.
class TShortStream : public TMemoryStream {
public:
    explicit TShortStream(Int64 Room) : FRoom(Room) {}
    Int64 Write(const void* Buffer, Int64 Count) override {
        const Int64 n = std::min(Count, FRoom - GetPosition());
        return n > 0 ? TMemoryStream::Write(Buffer, n) : 0;
    }

private:
    Int64 FRoom;
};

} // namespace

TEST(MeshFiles, AFailedSaveLeavesTheVectorsAlone) {
    TVectorMap map;
    map.SetSize(1, 1);
    map.SetFixedVector(0, 0, {0x12345679, 0}); // not exactly a float
    TShortStream full(30);
    EXPECT_THROW(map.SaveToStream(full), Exception);
    EXPECT_EQ(map.GetFixedVector(0, 0).X, 0x12345679);
}

TEST(Remap, DisplacesThroughTheMeshAndRecordsTransformations) {
    TRemapTransformation remap;
    remap.SetSrcRect(FloatRect(0, 0, 10, 10));
    remap.SetMappingRect(FloatRect(0, 0, 10, 10));
    EXPECT_THROW(remap.ReverseTransform(TFloatPoint{0, 0}), ETransformError); // a 1 x 1 map
    remap.GetVectorMap()->SetSize(11, 11);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 11; ++x)
            remap.GetVectorMap()->SetFixedVector(x, y, V(2, 0));
    EXPECT_EQ(remap.ReverseTransform(TFloatPoint{3, 4}), (TFloatPoint{5, 4}));
    EXPECT_EQ(remap.ReverseTransform(TFixedPoint{V(3, 4)}), V(5, 4));
    EXPECT_EQ(remap.ReverseTransform(TPoint{3, 4}), (TPoint{5, 4}));
    EXPECT_FALSE(remap.HasTransformedBounds());
    EXPECT_THROW(remap.Transform(TFloatPoint{0, 0}), ETransformNotImplemented);
    remap.SetMappingRect(FloatRect(0, 0, 0, 10));
    EXPECT_THROW(remap.ReverseTransform(TFloatPoint{0, 0}), ETransformError);

    TAffineTransformation shift;
    shift.Translate(-1, 2); // reverse: +1, -2
    TVectorMap map;
    map.SetSize(3, 2);
    RasterizeTransformation(map, shift, {0, 0, 3, 2}, vcmReplace);
    EXPECT_EQ(map.GetFixedVector(2, 1), V(1, -2));
    RasterizeTransformation(map, shift, {1, 0, 9, 9}, vcmAdd);
    EXPECT_EQ(map.GetFixedVector(2, 1), V(2, -4));
    EXPECT_EQ(map.GetFixedVector(0, 1), V(1, -2));
    std::vector<TFixedPoint> progress;
    RasterizeTransformation(map, shift, {0, 0, 1, 2}, vcmCustom,
                            TVectorCombineEvent::FromCallable(
                                [&](const TFixedPoint&, const TFixedPoint& P, TFixedPoint&) {
                                    progress.push_back(P);
                                }));
    ASSERT_EQ(progress.size(), 2u);
    EXPECT_EQ(progress[1], (TFixedPoint{0, FixedOne}));
}

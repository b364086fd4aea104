// The SSE2 variants must give exactly what the plain variants give, for every input.
#include "bitmap32/Bmp32_Blend.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace Bmp32;

namespace {

const TBlendRoutines& Plain = PLAIN_BLEND_ROUTINES;
const TBlendRoutines& Sse2 = SSE2_BLEND_ROUTINES;

class RandomColours {
public:
    TColor32 Rgb() { return FEngine() & 0x00FFFFFF; }
    TColor32 WithAlpha(Cardinal Alpha) { return Rgb() | Alpha << 24; }
    // Mostly the alphas with shortcuts, so that runs hit them in blocks.
    TColor32 Pixel() {
        const Cardinal pick = FEngine() % 8;
        const Cardinal alpha = pick < 3 ? 0 : pick < 6 ? 255 : FEngine() % 256;
        return WithAlpha(alpha);
    }
    Cardinal Below(Cardinal Limit) { return FEngine() % Limit; }
    // Runs of four pixels sharing an alpha next to a shortcut value.
    void FillInRuns(std::vector<TColor32>& Pixels) {
        const Cardinal alphas[] = {0, 1, 128, 254, 255};
        for (std::size_t i = 0; i < Pixels.size(); ++i) {
            if (i % 4 == 0) FRunAlpha = alphas[Below(5)];
            Pixels[i] = WithAlpha(FRunAlpha);
        }
    }

private:
    std::mt19937 FEngine{20240601};
    Cardinal FRunAlpha = 0;
};

template <typename Mem, typename... Args>
TColor32 InPlace(Mem Routine, TColor32 F, TColor32 B, Args... A) {
    Routine(F, B, A...);
    return B;
}

} // namespace

TEST(BlendVariants, CombineForEveryWeight) {
    RandomColours colours;
    for (int w = 0; w < 256; ++w)
        for (int n = 0; n < 256; ++n) {
            const TColor32 x = colours.WithAlpha(colours.Below(256));
            const TColor32 y = colours.WithAlpha(Cardinal(n));
            const Byte weight = Byte(w);
            ASSERT_EQ(Sse2.CombineReg(x, y, weight), Plain.CombineReg(x, y, weight));
            ASSERT_EQ(InPlace(Sse2.CombineMem, x, y, weight),
                      InPlace(Plain.CombineMem, x, y, weight));
            ASSERT_EQ(Sse2.CombMergeReg(x, y, weight), Plain.CombMergeReg(x, y, weight));
            ASSERT_EQ(InPlace(Sse2.CombMergeMem, x, y, weight),
                      InPlace(Plain.CombMergeMem, x, y, weight));
        }
}

TEST(BlendVariants, BlendAndMergeForEveryPairOfAlphas) {
    RandomColours colours;
    for (Cardinal fa = 0; fa < 256; ++fa)
        for (Cardinal ba = 0; ba < 256; ++ba)
            for (int n = 0; n < 2; ++n) {
                const TColor32 f = colours.WithAlpha(fa), b = colours.WithAlpha(ba);
                ASSERT_EQ(Sse2.BlendReg(f, b), Plain.BlendReg(f, b)) << std::hex << f << " " << b;
                ASSERT_EQ(InPlace(Sse2.BlendMem, f, b), InPlace(Plain.BlendMem, f, b));
                ASSERT_EQ(Sse2.MergeReg(f, b), Plain.MergeReg(f, b)) << std::hex << f << " " << b;
                ASSERT_EQ(InPlace(Sse2.MergeMem, f, b), InPlace(Plain.MergeMem, f, b));
            }
}

TEST(BlendVariants, MergeOfExtremeChannelsForEveryPairOfAlphas) {
    const TColor32 extremes[] = {0x000000, 0xFFFFFF, 0xFF00FF, 0x00FF01};
    for (Cardinal fa = 0; fa < 256; ++fa)
        for (Cardinal ba = 0; ba < 256; ++ba)
            for (TColor32 fc : extremes)
                for (TColor32 bc : extremes) {
                    const TColor32 f = fc | fa << 24, b = bc | ba << 24;
                    ASSERT_EQ(Sse2.MergeReg(f, b), Plain.MergeReg(f, b))
                        << std::hex << f << " " << b;
                }
}

TEST(BlendVariants, MasterAlphaFormsForEveryAlphaAndMaster) {
    RandomColours colours;
    const Cardinal backAlphas[] = {0, 255, 1, 128};
    for (int m = 0; m < 256; ++m)
        for (Cardinal fa = 0; fa < 256; ++fa)
            for (Cardinal ba : backAlphas) {
                const TColor32 f = colours.WithAlpha(fa);
                const TColor32 b = colours.WithAlpha(ba == 128 ? colours.Below(256) : ba);
                const Byte master = Byte(m);
                ASSERT_EQ(Sse2.BlendRegEx(f, b, master), Plain.BlendRegEx(f, b, master));
                ASSERT_EQ(InPlace(Sse2.BlendMemEx, f, b, master),
                          InPlace(Plain.BlendMemEx, f, b, master));
                ASSERT_EQ(Sse2.MergeRegEx(f, b, master), Plain.MergeRegEx(f, b, master))
                    << std::hex << f << " " << b << " " << m;
                ASSERT_EQ(InPlace(Sse2.MergeMemEx, f, b, master),
                          InPlace(Plain.MergeMemEx, f, b, master));
            }
}

TEST(BlendVariants, ColourAlgebraForEveryPairOfChannels) {
    const TBlendReg TBlendRoutines::*routines[] = {
        &TBlendRoutines::ColorAdd,        &TBlendRoutines::ColorSub,
        &TBlendRoutines::ColorDiv,        &TBlendRoutines::ColorModulate,
        &TBlendRoutines::ColorMax,        &TBlendRoutines::ColorMin,
        &TBlendRoutines::ColorDifference, &TBlendRoutines::ColorAverage,
        &TBlendRoutines::ColorExclusion};
    RandomColours colours;
    for (const auto routine : routines)
        for (TColor32 a = 0; a < 256; ++a)
            for (TColor32 b = 0; b < 256; ++b) {
                // Each channel pair once, shifted through the four channels.
                const int shift = int(b % 4) * 8;
                const TColor32 c1 = (a << shift) | (colours.Rgb() & ~(0xFFu << shift));
                const TColor32 c2 = (b << shift) | (colours.Rgb() & ~(0xFFu << shift));
                ASSERT_EQ((Sse2.*routine)(c1, c2), (Plain.*routine)(c1, c2))
                    << std::hex << c1 << " " << c2;
            }
}

namespace {

// Runs a line routine of each set over the same random source and destination, at every
// length up to 37 and at every offset from a 16-byte boundary.
template <typename Run> void CompareLines(Run RunLine) {
    RandomColours colours;
    for (int count = 0; count <= 37; ++count)
        for (int offset = 0; offset < 4; ++offset)
            for (int round = 0; round < 8; ++round) {
                std::vector<TColor32> src(48), dst(48);
                if (round % 2 == 0)
                    colours.FillInRuns(src);
                else
                    for (TColor32& c : src)
                        c = colours.Pixel();
                for (TColor32& c : dst)
                    c = colours.Pixel();
                std::vector<TColor32> plainDst = dst, sse2Dst = dst;
                RunLine(Plain, src.data() + offset, plainDst.data() + offset, count);
                RunLine(Sse2, src.data() + offset, sse2Dst.data() + offset, count);
                ASSERT_EQ(sse2Dst, plainDst) << "count " << count << " offset " << offset;
            }
}

// The same with the destination run inside the source buffer: the same run, or shifted by
// DstShift pixels.
template <typename Run> void CompareOverlappingLines(Run RunLine, int DstShift) {
    RandomColours colours;
    for (int count = 0; count <= 21; ++count)
        for (int round = 0; round < 8; ++round) {
            std::vector<TColor32> buffer(32);
            for (TColor32& c : buffer)
                c = colours.Pixel();
            std::vector<TColor32> plain = buffer, sse2 = buffer;
            RunLine(Plain, plain.data() + 4, plain.data() + 4 + DstShift, count);
            RunLine(Sse2, sse2.data() + 4, sse2.data() + 4 + DstShift, count);
            ASSERT_EQ(sse2, plain) << "count " << count << " shift " << DstShift;
        }
}

template <typename Run> void CompareAllLayouts(Run RunLine) {
    CompareLines(RunLine);
    for (int shift : {0, 1, -1, 3, -3, 4})
        CompareOverlappingLines(RunLine, shift);
}

} // namespace

TEST(BlendVariants, BlendLine) {
    CompareAllLayouts([](const TBlendRoutines& R, const TColor32* Src, TColor32* Dst, int Count) {
        R.BlendLine(Src, Dst, Count);
    });
}

TEST(BlendVariants, MergeLine) {
    CompareAllLayouts([](const TBlendRoutines& R, const TColor32* Src, TColor32* Dst, int Count) {
        R.MergeLine(Src, Dst, Count);
    });
}

TEST(BlendVariants, BlendLineExForSeveralMasters) {
    for (Byte master : {0, 1, 127, 128, 254, 255})
        CompareAllLayouts([master](const TBlendRoutines& R, const TColor32* Src, TColor32* Dst,
                                   int Count) { R.BlendLineEx(Src, Dst, Count, master); });
}

TEST(BlendVariants, MergeLineExForSeveralMasters) {
    for (Byte master : {0, 1, 127, 128, 254, 255})
        CompareAllLayouts([master](const TBlendRoutines& R, const TColor32* Src, TColor32* Dst,
                                   int Count) { R.MergeLineEx(Src, Dst, Count, master); });
}

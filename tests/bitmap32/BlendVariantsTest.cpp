// The SSE2 and AVX2 routine sets must give exactly what the plain set gives, for every input.
#include "bitmap32/Bmp32_Blend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

using namespace Bmp32;

namespace {

const TBlendRoutines& Plain = PLAIN_BLEND_ROUTINES;

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

// Each fast set that this processor runs, compared with the plain set.
class BlendVariants : public testing::TestWithParam<TRoutineSet> {
protected:
    void SetUp() override {
        if (GetParam() > FastestRoutineSet()) GTEST_SKIP() << "not run by this processor";
    }
    const TBlendRoutines Fast = BlendRoutinesOf(GetParam());
};

INSTANTIATE_TEST_SUITE_P(FastSets, BlendVariants, testing::Values(rsSse2, rsAvx2),
                         [](const auto& Info) { return Info.param == rsSse2 ? "Sse2" : "Avx2"; });

} // namespace

TEST_P(BlendVariants, CombineForEveryWeight) {
    RandomColours colours;
    for (int w = 0; w < 256; ++w)
        for (int n = 0; n < 256; ++n) {
            const TColor32 x = colours.WithAlpha(colours.Below(256));
            const TColor32 y = colours.WithAlpha(Cardinal(n));
            const Byte weight = Byte(w);
            ASSERT_EQ(Fast.CombineReg(x, y, weight), Plain.CombineReg(x, y, weight));
            ASSERT_EQ(InPlace(Fast.CombineMem, x, y, weight),
                      InPlace(Plain.CombineMem, x, y, weight));
            ASSERT_EQ(Fast.CombMergeReg(x, y, weight), Plain.CombMergeReg(x, y, weight));
            ASSERT_EQ(InPlace(Fast.CombMergeMem, x, y, weight),
                      InPlace(Plain.CombMergeMem, x, y, weight));
        }
}

TEST_P(BlendVariants, BlendAndMergeForEveryPairOfAlphas) {
    RandomColours colours;
    for (Cardinal fa = 0; fa < 256; ++fa)
        for (Cardinal ba = 0; ba < 256; ++ba)
            for (int n = 0; n < 2; ++n) {
                const TColor32 f = colours.WithAlpha(fa), b = colours.WithAlpha(ba);
                ASSERT_EQ(Fast.BlendReg(f, b), Plain.BlendReg(f, b)) << std::hex << f << " " << b;
                ASSERT_EQ(InPlace(Fast.BlendMem, f, b), InPlace(Plain.BlendMem, f, b));
                ASSERT_EQ(Fast.MergeReg(f, b), Plain.MergeReg(f, b)) << std::hex << f << " " << b;
                ASSERT_EQ(InPlace(Fast.MergeMem, f, b), InPlace(Plain.MergeMem, f, b));
            }
}

TEST_P(BlendVariants, MergeOfExtremeChannelsForEveryPairOfAlphas) {
    const TColor32 extremes[] = {0x000000, 0xFFFFFF, 0xFF00FF, 0x00FF01};
    for (Cardinal fa = 0; fa < 256; ++fa)
        for (Cardinal ba = 0; ba < 256; ++ba)
            for (TColor32 fc : extremes)
                for (TColor32 bc : extremes) {
                    const TColor32 f = fc | fa << 24, b = bc | ba << 24;
                    ASSERT_EQ(Fast.MergeReg(f, b), Plain.MergeReg(f, b))
                        << std::hex << f << " " << b;
                }
}

TEST_P(BlendVariants, MasterAlphaFormsForEveryAlphaAndMaster) {
    RandomColours colours;
    const Cardinal backAlphas[] = {0, 255, 1, 128};
    for (int m = 0; m < 256; ++m)
        for (Cardinal fa = 0; fa < 256; ++fa)
            for (Cardinal ba : backAlphas) {
                const TColor32 f = colours.WithAlpha(fa);
                const TColor32 b = colours.WithAlpha(ba == 128 ? colours.Below(256) : ba);
                const Byte master = Byte(m);
                ASSERT_EQ(Fast.BlendRegEx(f, b, master), Plain.BlendRegEx(f, b, master));
                ASSERT_EQ(InPlace(Fast.BlendMemEx, f, b, master),
                          InPlace(Plain.BlendMemEx, f, b, master));
                ASSERT_EQ(Fast.MergeRegEx(f, b, master), Plain.MergeRegEx(f, b, master))
                    << std::hex << f << " " << b << " " << m;
                ASSERT_EQ(InPlace(Fast.MergeMemEx, f, b, master),
                          InPlace(Plain.MergeMemEx, f, b, master));
            }
}

TEST_P(BlendVariants, ColourAlgebraForEveryPairOfChannels) {
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
                ASSERT_EQ((Fast.*routine)(c1, c2), (Plain.*routine)(c1, c2))
                    << std::hex << c1 << " " << c2;
            }
}

namespace {

// Runs a line routine of each set over the same random source and destination, at every
// length up to 37 and from eight successive start pixels, so that runs start at every pixel
// of a 32-byte block.
template <typename Run> void CompareLines(const TBlendRoutines& Fast, Run RunLine) {
    RandomColours colours;
    for (int count = 0; count <= 37; ++count)
        for (int offset = 0; offset < 8; ++offset)
            for (int round = 0; round < 8; ++round) {
                std::vector<TColor32> src(48), dst(48);
                if (round % 2 == 0)
                    colours.FillInRuns(src);
                else
                    for (TColor32& c : src)
                        c = colours.Pixel();
                for (TColor32& c : dst)
                    c = colours.Pixel();
                std::vector<TColor32> plainDst = dst, fastDst = dst;
                RunLine(Plain, src.data() + offset, plainDst.data() + offset, count);
                RunLine(Fast, src.data() + offset, fastDst.data() + offset, count);
                ASSERT_EQ(fastDst, plainDst) << "count " << count << " offset " << offset;
            }
}

// The same with the destination run inside the source buffer: the same run, or shifted by
// DstShift pixels.
template <typename Run>
void CompareOverlappingLines(const TBlendRoutines& Fast, Run RunLine, int DstShift) {
    RandomColours colours;
    for (int count = 0; count <= 21; ++count)
        for (int round = 0; round < 8; ++round) {
            std::vector<TColor32> buffer(48);
            for (TColor32& c : buffer)
                c = colours.Pixel();
            std::vector<TColor32> plain = buffer, fast = buffer;
            RunLine(Plain, plain.data() + 12, plain.data() + 12 + DstShift, count);
            RunLine(Fast, fast.data() + 12, fast.data() + 12 + DstShift, count);
            ASSERT_EQ(fast, plain) << "count " << count << " shift " << DstShift;
        }
}

// One long run holding every pair of source and destination alphas, with colours that are
// extreme or random.
template <typename Run> void CompareEveryPairOfAlphas(const TBlendRoutines& Fast, Run RunLine) {
    RandomColours colours;
    const TColor32 extremes[] = {0x000000, 0xFFFFFF, 0xFF00FF, 0x00FF01};
    std::vector<TColor32> src(65536), dst(65536);
    for (Cardinal i = 0; i < 65536; ++i) {
        const bool extreme = colours.Below(4) == 0;
        src[i] = (extreme ? extremes[colours.Below(4)] : colours.Rgb()) | (i >> 8) << 24;
        dst[i] = (extreme ? extremes[colours.Below(4)] : colours.Rgb()) | (i & 255) << 24;
    }
    std::vector<TColor32> plain = dst, fast = dst;
    RunLine(Plain, src.data(), plain.data(), int(src.size()));
    RunLine(Fast, src.data(), fast.data(), int(src.size()));
    for (std::size_t i = 0; i < src.size(); ++i)
        ASSERT_EQ(fast[i], plain[i]) << std::hex << src[i] << " over " << dst[i];
}

template <typename Run> void CompareAllLayouts(const TBlendRoutines& Fast, Run RunLine) {
    CompareLines(Fast, RunLine);
    for (int shift : {0, 1, -1, 3, -3, 4, 7, -8, 9})
        CompareOverlappingLines(Fast, RunLine, shift);
    CompareEveryPairOfAlphas(Fast, RunLine);
}

} // namespace

TEST_P(BlendVariants, BlendLine) {
    CompareAllLayouts(Fast, [](const TBlendRoutines& R, const TColor32* Src, TColor32* Dst,
                               int Count) { R.BlendLine(Src, Dst, Count); });
}

TEST_P(BlendVariants, MergeLine) {
    CompareAllLayouts(Fast, [](const TBlendRoutines& R, const TColor32* Src, TColor32* Dst,
                               int Count) { R.MergeLine(Src, Dst, Count); });
}

TEST_P(BlendVariants, BlendLineExForSeveralMasters) {
    for (Byte master : {0, 1, 127, 128, 254, 255})
        CompareAllLayouts(Fast,
                          [master](const TBlendRoutines& R, const TColor32* Src, TColor32* Dst,
                                   int Count) { R.BlendLineEx(Src, Dst, Count, master); });
}

TEST_P(BlendVariants, MergeLineExForSeveralMasters) {
    for (Byte master : {0, 1, 127, 128, 254, 255})
        CompareAllLayouts(Fast,
                          [master](const TBlendRoutines& R, const TColor32* Src, TColor32* Dst,
                                   int Count) { R.MergeLineEx(Src, Dst, Count, master); });
}

TEST_P(BlendVariants, LinesWithMasterAlphaForEveryMaster) {
    for (int master = 0; master < 256; ++master) {
        const Byte m = Byte(master);
        CompareEveryPairOfAlphas(Fast,
                                 [m](const TBlendRoutines& R, const TColor32* Src, TColor32* Dst,
                                     int Count) { R.BlendLineEx(Src, Dst, Count, m); });
        CompareEveryPairOfAlphas(Fast,
                                 [m](const TBlendRoutines& R, const TColor32* Src, TColor32* Dst,
                                     int Count) { R.MergeLineEx(Src, Dst, Count, m); });
    }
}

// Lines longer than a block but not a whole number of blocks, as wide as the LED view, blended
// in place and between buffers, where the last block takes a whole-block shortcut (every alpha 0
// or 255) while the block before it, which it overlaps, is mixed, and the other way round.
TEST_P(BlendVariants, RaggedLinesWhoseLastBlockTakesAShortcut) {
    RandomColours colours;
    for (int count : {9, 13, 15, 17, 297})
        for (Cardinal tailAlpha : {0u, 255u, 128u})
            for (bool inPlace : {false, true}) {
                std::vector<TColor32> src(static_cast<std::size_t>(count)),
                    dst(static_cast<std::size_t>(count));
                for (int i = 0; i < count; ++i) {
                    src[std::size_t(i)] =
                        i >= count - 8 ? colours.WithAlpha(tailAlpha) : colours.Pixel();
                    dst[std::size_t(i)] = colours.Pixel();
                }
                for (const auto line : {&TBlendRoutines::BlendLine, &TBlendRoutines::MergeLine}) {
                    std::vector<TColor32> plain = inPlace ? src : dst, fast = plain;
                    (Plain.*line)(inPlace ? plain.data() : src.data(), plain.data(), count);
                    (Fast.*line)(inPlace ? fast.data() : src.data(), fast.data(), count);
                    ASSERT_EQ(fast, plain) << "count " << count << " tail alpha " << tailAlpha;
                }
                for (Byte master : {0, 128, 255}) {
                    std::vector<TColor32> plain = dst, fast = dst;
                    Plain.BlendLineEx(src.data(), plain.data(), count, master);
                    Fast.BlendLineEx(src.data(), fast.data(), count, master);
                    ASSERT_EQ(fast, plain) << "count " << count << " master " << int(master);
                    plain = dst;
                    fast = dst;
                    Plain.MergeLineEx(src.data(), plain.data(), count, master);
                    Fast.MergeLineEx(src.data(), fast.data(), count, master);
                    ASSERT_EQ(fast, plain) << "count " << count << " master " << int(master);
                }
            }
}

// Lines of runs of transparent, opaque and translucent pixels that start anywhere, from every
// pixel of a 32-byte block, in place and between buffers: the fast sets lay their blocks from the
// first aligned destination pixel, so whole blocks of each kind meet mixed blocks and the
// blocks at both ends of the line at every position.
TEST_P(BlendVariants, LinesOfRunsFromEveryAlignment) {
    RandomColours colours;
    for (int count : {23, 24, 25, 31, 297, 1920, 1927})
        for (int offset = 0; offset < 8; ++offset) {
            const std::size_t size = std::size_t(count) + 16;
            std::vector<TColor32> src(size), dst(size);
            for (std::size_t i = 0; i < size;) {
                const Cardinal pick = colours.Below(3);
                const std::size_t run = 1 + colours.Below(40);
                for (std::size_t end = std::min(size, i + run); i < end; ++i)
                    src[i] = pick == 0   ? colours.WithAlpha(0)
                             : pick == 1 ? colours.WithAlpha(255)
                                         : colours.WithAlpha(colours.Below(256));
            }
            for (TColor32& c : dst)
                c = colours.Pixel();
            for (int routine = 0; routine < 4; ++routine)
                for (bool inPlace : {false, true}) {
                    const auto run = [&](const TBlendRoutines& R, std::vector<TColor32>& Out) {
                        const TColor32* from = (inPlace ? Out.data() : src.data()) + offset;
                        TColor32* to = Out.data() + offset;
                        if (routine == 0) R.BlendLine(from, to, count);
                        if (routine == 1) R.MergeLine(from, to, count);
                        if (routine == 2) R.BlendLineEx(from, to, count, 200);
                        if (routine == 3) R.MergeLineEx(from, to, count, 200);
                    };
                    std::vector<TColor32> plain = inPlace ? src : dst, fast = plain;
                    run(Plain, plain);
                    run(Fast, fast);
                    ASSERT_EQ(fast, plain) << "routine " << routine << " count " << count
                                           << " offset " << offset << (inPlace ? " in place" : "");
                }
        }
}

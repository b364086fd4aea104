// The skin data benchmark, as ratios measured in one run:
//   - loading a compressed stored skin against reading its stored "Pictures" and loading
//     the stored skin (at most 2x);
//   - DeCompressStream of the compressed block against one direct zlib uncompress (at
//     least 0.8 of its throughput), whose bytes it must give;
//   - CreateSkinRegion of a masked frame at the main window's size against one
//     ExtCreateRegion of the list of black runs (at least 5x faster), and, as it was first
//     measured, against uniting one CreateRectRgn per run with CombineRgn; all three regions
//     equal.
// A wrong result (other bytes, another region) ends the benchmark with an error.
// The skin is the program's own, read from the skin folder the build draws.
#include "bench/BenchRatio.h"
#include "bench/BenchTimer.h"
#include "bench/skin/SkinBenchMain.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinData_Compressed.h"
#include "skin/data/SkinData_Stored.h"
#include "skin/data/Skutils_Images.h"
#include "skin/data/Skzlibcompress.h"

#include "classlib/Paths.h"
#include "classlib/UnitInit.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <vector>
#include <zlib.h>

namespace {

void Report(const char* What, double Ratio, const Bench::TTarget& Target = {}) {
    std::printf("%-74s %7.2f%s\n", What, Ratio, Bench::VerdictText(Ratio, Target).c_str());
    Bench::RecordRatio(What, Ratio, Target);
}

// A part of the window's border: its mask and where the mask's top left lies in the window.
struct TBorderPart {
    TBitmap* Mask;
    int X, Y;
};

// Calls Run(Left, Top, Right, Bottom) for each run of black pixels of each part, row by row,
// in window coordinates.
template <typename TRun> void ForEachBlackRun(const TBorderPart (&Parts)[4], TRun Run) {
    for (const TBorderPart& part : Parts) {
        const TFBitmap scan(part.Mask);
        for (int y = 0; y < scan.Height(); ++y) {
            const Byte* row = scan.Row(y);
            for (int x = 0; x < scan.Width();) {
                if (row[3 * x] | row[3 * x + 1] | row[3 * x + 2]) {
                    ++x;
                    continue;
                }
                const int x0 = x;
                while (x < scan.Width() && !(row[3 * x] | row[3 * x + 1] | row[3 * x + 2]))
                    ++x;
                Run(part.X + x0, part.Y + y, part.X + x, part.Y + y + 1);
            }
        }
    }
}

int Run() {
    TskStoredSkin stored(nullptr);
    stored.LoadFromFile(ExeDir() + "..\\generated\\skin\\skin.ini");
    TStringStream pictures;
    stored.WriteData(&pictures);
    TskSkinData data(nullptr);
    data.LoadStoredSkin(&stored);
    TskCompressedStoredSkin compressed(nullptr);
    compressed.LoadFromSkinData(&data);
    std::printf("Skin: \"Pictures\" of %lld bytes, compressed block of %lld bytes\n",
                static_cast<long long>(pictures.GetSize()),
                static_cast<long long>(compressed.CompressedStream->GetSize()));

    const double compressedLoad =
        Bench::BestSecondsPerCall([&] { data.LoadCompressedStoredSkin(&compressed); });
    const double storedLoad = Bench::BestSecondsPerCall([&] {
        TskStoredSkin copy(nullptr);
        copy.IniStrings->Assign(stored.IniStrings.get());
        pictures.SetPosition(0);
        copy.ReadData(&pictures);
        data.LoadStoredSkin(&copy);
    });
    Report("LoadCompressedStoredSkin / (read \"Pictures\" + LoadStoredSkin)",
           compressedLoad / storedLoad, Bench::AtMost(2));

    TMemoryStream plain;
    compressed.DeCompressToStream(&plain);
    const Int64 plainSize = plain.GetSize();
    // Throughput in the steady state: both inflate into memory they already hold.
    TMemoryStream inflated;
    const double ours = Bench::BestSecondsPerCall([&] {
        inflated.SetPosition(0);
        DeCompressStream(&inflated, compressed.CompressedStream.get());
        Bench::KeepMemory(inflated.GetMemory());
    });
    std::vector<Byte> out(static_cast<std::size_t>(plainSize));
    int status = Z_OK;
    uLongf outSize = 0;
    const double direct = Bench::BestSecondsPerCall([&] {
        outSize = static_cast<uLongf>(out.size());
        status = uncompress(out.data(), &outSize,
                            static_cast<const Bytef*>(compressed.CompressedStream->GetMemory()),
                            static_cast<uLong>(compressed.CompressedStream->GetSize()));
        Bench::KeepMemory(out.data());
    });
    // The stored bytes, as zlib itself inflates them, are what DeCompressStream must give.
    if (status != Z_OK || outSize != out.size())
        throw std::runtime_error("zlib cannot inflate the compressed block (status " +
                                 std::to_string(status) + ")");
    if (inflated.GetSize() != plainSize ||
        std::memcmp(inflated.GetMemory(), out.data(), out.size()) != 0)
        throw std::runtime_error("DeCompressStream gave " + std::to_string(inflated.GetSize()) +
                                 " bytes other than the " + std::to_string(out.size()) +
                                 " stored ones");
    Report("DeCompressStream throughput / direct uncompress", direct / ours, Bench::AtLeast(0.8));

    // The skin's frame with a mask of rounded top corners, at the main window's size.
    const int PW = data.Picture->GetWidth(), PH = data.Picture->GetHeight();
    TBitmap mask;
    mask.SetPixelFormat(pf24bit);
    mask.SetSize(PW, PH);
    mask.GetCanvas()->GetBrush()->SetColor(clBlack);
    mask.GetCanvas()->FillRect(TRect(0, 0, PW, PH));
    mask.GetCanvas()->GetBrush()->SetColor(clWhite);
    for (int y = 0; y < 6; ++y) {
        mask.GetCanvas()->FillRect(TRect(0, y, 6 - y, y + 1));
        mask.GetCanvas()->FillRect(TRect(PW - 6 + y, y, PW, y + 1));
    }
    const TSkinGeometry skin{data.LTPoint, data.RTPoint, data.LBPoint, data.RBPoint, data.ClRect};
    // The editor's client area, 390 x 501, inside the frame.
    const int AW = 390 + PW - (data.ClRect.Right - data.ClRect.Left);
    const int AH = 501 + PH - (data.ClRect.Bottom - data.ClRect.Top);
    const int DW = AW - PW, DH = AH - PH;
    const TSkinGeometry target{
        skin.LTPoint,
        {skin.RTPoint.X + DW, skin.RTPoint.Y},
        {skin.LBPoint.X, skin.LBPoint.Y + DH},
        {skin.RBPoint.X + DW, skin.RBPoint.Y + DH},
        TRect(skin.ClRect.Left, skin.ClRect.Top, skin.ClRect.Right + DW, skin.ClRect.Bottom + DH)};
    // Both build the region from the same four border masks.
    TBitmap top, left, right, bottom;
    CreateSkinMask(skin, target, &mask, &top, &left, &right, &bottom, AW, AH);
    HRGN fast = nullptr;
    const double regionFast = Bench::BestSecondsPerCall([&] {
        if (fast) DeleteObject(fast);
        fast = CreateSkinRegionFromMasks(target.ClRect, &top, &left, &right, &bottom);
    });
    const TBorderPart parts[4] = {{&top, 0, 0},
                                  {&bottom, 0, target.ClRect.Bottom},
                                  {&left, 0, target.ClRect.Top},
                                  {&right, target.ClRect.Right, target.ClRect.Top}};
    // What any program would do with the runs: one rectangle each, and the client area, in
    // one region made at once.
    HRGN listed = nullptr;
    std::vector<Byte> regionData;
    const double regionListed = Bench::BestSecondsPerCall([&] {
        if (listed) DeleteObject(listed);
        std::vector<RECT> runs{
            {target.ClRect.Left, target.ClRect.Top, target.ClRect.Right, target.ClRect.Bottom}};
        ForEachBlackRun(parts, [&](int L, int T, int R, int B) { runs.push_back({L, T, R, B}); });
        RGNDATAHEADER header{
            sizeof(RGNDATAHEADER), RDH_RECTANGLES, DWORD(runs.size()), 0, {0, 0, AW, AH}};
        regionData.resize(sizeof header + runs.size() * sizeof(RECT));
        std::memcpy(regionData.data(), &header, sizeof header);
        std::memcpy(regionData.data() + sizeof header, runs.data(), runs.size() * sizeof(RECT));
        listed = ExtCreateRegion(nullptr, DWORD(regionData.size()),
                                 reinterpret_cast<const RGNDATA*>(regionData.data()));
    });
    // The baseline as it was first measured: a region per run, united one at a time.
    HRGN slow = nullptr;
    const double regionSlow = Bench::BestSecondsPerCall([&] {
        if (slow) DeleteObject(slow);
        slow = CreateRectRgn(target.ClRect.Left, target.ClRect.Top, target.ClRect.Right,
                             target.ClRect.Bottom);
        ForEachBlackRun(parts, [&](int L, int T, int R, int B) {
            HRGN run = CreateRectRgn(L, T, R, B);
            CombineRgn(slow, slow, run, RGN_OR);
            DeleteObject(run);
        });
    });
    const double whole = Bench::BestSecondsPerCall([&] {
        HRGN rgn = CreateSkinRegion(skin, target, &mask, AW, AH);
        DeleteObject(rgn);
    });
    std::printf("(CreateSkinRegion in all, with building the border masks: %.1f us)\n",
                whole * 1e6);
    const bool equal = EqualRgn(fast, listed) && EqualRgn(fast, slow);
    DeleteObject(fast);
    DeleteObject(listed);
    DeleteObject(slow);
    if (!equal) throw std::runtime_error("The region from the masks differs from the runs' region");
    Report("region from the masks: speed-up over one ExtCreateRegion of the runs",
           regionListed / regionFast, Bench::AtLeast(5));
    Report("region from the masks: speed-up over CombineRgn per run (first baseline)",
           regionSlow / regionFast);
    return 0;
}

} // namespace

int main() {
    return RunSkinBench(Run);
}

// The skin data benchmark, as ratios measured in one run:
//   - loading a compressed stored skin against reading its stored "Pictures" and loading
//     the stored skin (at most 2x);
//   - DeCompressStream of the compressed block against one direct zlib uncompress (at
//     least 0.8 of its throughput);
//   - CreateSkinRegion of a masked frame at the main window's size against uniting one
//     CreateRectRgn per black run with CombineRgn (at least 5x faster, equal regions).
// The skin is the program's own, read from the skin folder the build draws.
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
#include <exception>
#include <zlib.h>

namespace {

void Report(const char* What, double Ratio, const char* Bound, bool Met) {
    std::printf("%-62s %7.2f  (%s) %s\n", What, Ratio, Bound, Met ? "met" : "not met");
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
           compressedLoad / storedLoad, "at most 2", compressedLoad <= 2 * storedLoad);

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
    const double direct = Bench::BestSecondsPerCall([&] {
        uLongf size = static_cast<uLongf>(out.size());
        uncompress(out.data(), &size,
                   static_cast<const Bytef*>(compressed.CompressedStream->GetMemory()),
                   static_cast<uLong>(compressed.CompressedStream->GetSize()));
        Bench::KeepMemory(out.data());
    });
    Report("DeCompressStream throughput / direct uncompress", direct / ours, "at least 0.8",
           direct / ours >= 0.8);

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
    const TSkinGeometry target{skin.LTPoint,
                               {skin.RTPoint.X + DW, skin.RTPoint.Y},
                               {skin.LBPoint.X, skin.LBPoint.Y + DH},
                               {skin.RBPoint.X + DW, skin.RBPoint.Y + DH},
                               TRect(skin.ClRect.Left, skin.ClRect.Top, skin.ClRect.Right + DW,
                                     skin.ClRect.Bottom + DH)};
    // Both build the region from the same four border masks.
    TBitmap top, left, right, bottom;
    CreateSkinMask(skin, target, &mask, &top, &left, &right, &bottom, AW, AH);
    HRGN fast = nullptr;
    const double regionFast = Bench::BestSecondsPerCall([&] {
        if (fast) DeleteObject(fast);
        fast = CreateSkinRegionFromMasks(target.ClRect, &top, &left, &right, &bottom);
    });
    struct TPart {
        TBitmap* Mask;
        int X, Y;
    };
    const TPart parts[4] = {{&top, 0, 0},
                            {&bottom, 0, target.ClRect.Bottom},
                            {&left, 0, target.ClRect.Top},
                            {&right, target.ClRect.Right, target.ClRect.Top}};
    HRGN slow = nullptr;
    const double regionSlow = Bench::BestSecondsPerCall([&] {
        if (slow) DeleteObject(slow);
        slow = CreateRectRgn(target.ClRect.Left, target.ClRect.Top, target.ClRect.Right,
                             target.ClRect.Bottom);
        for (const TPart& part : parts) {
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
                    HRGN run = CreateRectRgn(part.X + x0, part.Y + y, part.X + x, part.Y + y + 1);
                    CombineRgn(slow, slow, run, RGN_OR);
                    DeleteObject(run);
                }
            }
        }
    });
    const double whole = Bench::BestSecondsPerCall([&] {
        HRGN rgn = CreateSkinRegion(skin, target, &mask, AW, AH);
        DeleteObject(rgn);
    });
    std::printf("(CreateSkinRegion in all, with building the border masks: %.1f us)\n",
                whole * 1e6);
    const bool equal = EqualRgn(fast, slow);
    Report("region from the masks: speed-up over CombineRgn per run", regionSlow / regionFast,
           "at least 5", regionSlow / regionFast >= 5 && equal);
    std::printf("Regions equal: %s\n", equal ? "yes" : "NO");
    DeleteObject(fast);
    DeleteObject(slow);
    return 0;
}

} // namespace

int main() {
    return RunSkinBench(Run);
}

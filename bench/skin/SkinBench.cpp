// The skin data benchmark, as ratios measured in one run:
//   - loading a compressed stored skin against reading its stored "Pictures" and loading
//     the stored skin (at most 2x);
//   - DeCompressStream of the compressed block against one direct zlib uncompress (at
//     least 0.8 of its throughput);
//   - CreateSkinRegion of a masked frame at the main window's size against uniting one
//     CreateRectRgn per black run with CombineRgn (at least 5x faster, equal regions).
// The skin is built here: a description of 60 control and 13 object records, an 8-bit
// frame picture and six 24-bit pictures, as large as the program's own.
#include "bench/BenchTimer.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinData_Compressed.h"
#include "skin/data/SkinData_Stored.h"
#include "skin/data/Skutils_Images.h"
#include "skin/data/Skzlibcompress.h"

#include "classlib/Strings.h"
#include "classlib/UnitInit.h"

#include <cstdio>
#include <exception>
#include <zlib.h>

namespace {

// A picture of soft vertical gradients in bands, as skin pictures are drawn.
std::unique_ptr<TBitmap> Picture(int W, int H, TPixelFormat Format, int Seed) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(W, H);
    for (int y = 0; y < H; ++y) {
        auto* row = static_cast<Byte*>(bitmap->GetScanLine(y));
        for (int x = 0; x < W; ++x) {
            const int band = (x / 23 + y / 21 + Seed) % 5;
            row[3 * x] = static_cast<Byte>(120 + band * 20 + y % 21 * 3);
            row[3 * x + 1] = static_cast<Byte>(90 + band * 25 + y % 21 * 2);
            row[3 * x + 2] = static_cast<Byte>(60 + band * 30 + x % 23);
        }
    }
    if (Format != pf24bit) bitmap->SetPixelFormat(Format);
    return bitmap;
}

void Describe(TStrings* Lines) {
    AnsiString text = "[VERSION]\nskinname=Bench\n[PICTURES]\n[FORMINFO]\nlefttoppoint=20,30\n"
                      "righttoppoint=138,30\nleftbottompoint=20,110\nrightbottompoint=138,110\n"
                      "clientrect=5,25,153,131\n[SKINOBJECTS]\ncount=13\n";
    for (int i = 0; i < 13; ++i)
        text += Format("%d=object%d:stdbutton\n", i, i);
    text += "[SKINCONTROLS]\ncount=60\n";
    for (int i = 0; i < 60; ++i)
        text += Format("%d=control%d:button\n", i, i);
    for (int i = 0; i < 13; ++i)
        text += Format(
            "[object%d]\nskinrect=0,0,16,14\nactiveskinrect=16,0,32,14\ncommand=cmclose\n", i);
    for (int i = 0; i < 60; ++i)
        text += Format("[control%d]\npictureindex=1\nskinrect=0,0,60,21\nlefttoppoint=3,"
                       "3\nrighttoppoint=57,3\n"
                       "leftbottompoint=3,18\nrightbottompoint=57,18\nclientrect=3,3,57,18\n"
                       "activeskinrect=0,21,60,42\ndownskinrect=0,42,60,63\nfontcolor=0\n",
                       i);
    Lines->SetText(text);
}

void Report(const char* What, double Ratio, const char* Bound, bool Met) {
    std::printf("%-62s %7.2f  (%s) %s\n", What, Ratio, Bound, Met ? "met" : "NOT MET");
}

int Run() {
    TskStoredSkin stored(nullptr);
    Describe(stored.IniStrings.get());
    stored.Picture = Picture(158, 136, pf8bit, 1);
    for (int i = 0; i < 6; ++i)
        stored.ActivePictures.push_back(Picture(110, 60 + 20 * i, pf24bit, i));
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

    // A 158 x 136 frame mask with rounded top corners, at the main window's size.
    TBitmap mask;
    mask.SetPixelFormat(pf24bit);
    mask.SetSize(158, 136);
    mask.GetCanvas()->GetBrush()->SetColor(clBlack);
    mask.GetCanvas()->FillRect(TRect(0, 0, 158, 136));
    mask.GetCanvas()->GetBrush()->SetColor(clWhite);
    for (int y = 0; y < 6; ++y) {
        mask.GetCanvas()->FillRect(TRect(0, y, 6 - y, y + 1));
        mask.GetCanvas()->FillRect(TRect(152 + y, y, 158, y + 1));
    }
    const TSkinGeometry skin{{20, 30}, {138, 30}, {20, 110}, {138, 110}, TRect(5, 25, 153, 131)};
    const int AW = 325, AH = 480;
    const TSkinGeometry target{
        {20, 30}, {AW - 20, 30}, {20, AH - 26}, {AW - 20, AH - 26}, TRect(5, 25, AW - 5, AH - 5)};
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
    try {
        InitializeUnits();
        const int result = Run();
        FinalizeUnits();
        return result;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Benchmark failed: %s\n", e.what());
        return 1;
    }
}

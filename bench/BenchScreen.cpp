#include "bench/BenchScreen.h"

#include "bench/BenchSamples.h"
#include "classlib/Paths.h"

#include <algorithm>

namespace Bench {

namespace {

const std::uint32_t* Row(TBitmap* Bitmap, int Y) {
    return static_cast<const std::uint32_t*>(Bitmap->GetScanLine(Y));
}

} // namespace

std::unique_ptr<TBitmap> PaintedPixels(HWND Window, bool Frame) {
    RECT area;
    if (Frame) {
        GetWindowRect(Window, &area);
        OffsetRect(&area, -area.left, -area.top);
    } else {
        GetClientRect(Window, &area);
    }
    auto pixels = std::make_unique<TBitmap>(area.right, area.bottom, pf32bit);
    HDC dc = Frame ? GetWindowDC(Window) : GetDC(Window);
    BitBlt(pixels->GetCanvas()->GetHandle(), 0, 0, area.right, area.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(Window, dc);
    return pixels;
}

std::unique_ptr<TBitmap> RepaintedInFull(HWND Window, bool Frame) {
    RedrawWindow(Window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
    return PaintedPixels(Window, Frame);
}

long long DifferingPixels(TBitmap* A, TBitmap* B) {
    if (A->GetWidth() != B->GetWidth() || A->GetHeight() != B->GetHeight())
        return std::max((long long)A->GetWidth() * A->GetHeight(),
                        (long long)B->GetWidth() * B->GetHeight());
    long long differing = 0;
    for (int y = 0; y < A->GetHeight(); ++y) {
        const std::uint32_t* a = Row(A, y);
        const std::uint32_t* b = Row(B, y);
        for (int x = 0; x < A->GetWidth(); ++x)
            differing += ((a[x] ^ b[x]) & 0xFFFFFF) != 0;
    }
    return differing;
}

std::uint64_t PixelChecksum(TBitmap* Bitmap) {
    // FNV-1a over the size and the colour of every pixel.
    std::uint64_t sum = 14695981039346656037ull;
    auto add = [&](std::uint32_t Value) {
        sum ^= Value;
        sum *= 1099511628211ull;
    };
    add(std::uint32_t(Bitmap->GetWidth()));
    add(std::uint32_t(Bitmap->GetHeight()));
    for (int y = 0; y < Bitmap->GetHeight(); ++y) {
        const std::uint32_t* row = Row(Bitmap, y);
        for (int x = 0; x < Bitmap->GetWidth(); ++x)
            add(row[x] & 0xFFFFFF);
    }
    return sum;
}

std::string SaveForInspection(const std::string& Name, TBitmap* Shown, TBitmap* Expected) {
    const AnsiString shown = ExeDir() + Name + "-shown.bmp";
    const AnsiString expected = ExeDir() + Name + "-full-repaint.bmp";
    Shown->SaveToFile(shown);
    Expected->SaveToFile(expected);
    return "what was shown is in " + shown + ", a full repaint in " + expected;
}

} // namespace Bench

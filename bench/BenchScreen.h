// What a window has painted, read back from its own device context, so that a benchmark can
// check the result of each timed step against what a full repaint paints.
#pragma once

#include "classlib/Bitmaps.h"
#include "classlib/Platform.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Bench {

// The pixels Window has painted (32 bits, top row first): its client area, or with Frame the
// whole window with its borders and scroll bars. Read from the window's own device context,
// they are what it painted, whether or not the display has shown them yet.
std::unique_ptr<TBitmap> PaintedPixels(HWND Window, bool Frame = false);
// Window and its child windows painted again in full (frames included), the messages that
// posts handled, then read back as PaintedPixels reads them.
std::unique_ptr<TBitmap> RepaintedInFull(HWND Window, bool Frame = false);
// The number of pixels whose colour differs; every pixel of the larger when the sizes differ.
long long DifferingPixels(TBitmap* A, TBitmap* B);
// A checksum of the pixels' colours and of the size.
std::uint64_t PixelChecksum(TBitmap* Bitmap);
// Saves Shown and Expected beside the program for a person to look at, and returns the
// sentence that names both files.
std::string SaveForInspection(const std::string& Name, TBitmap* Shown, TBitmap* Expected);

} // namespace Bench

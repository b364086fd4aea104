#include "classlib/Bitmaps.h"

#include "classlib/DelayLoad.h"
#include "classlib/Exceptions.h"
#include "classlib/GdiCounter.h"
#include "classlib/ScreenSettings.h"
#include "classlib/Streams.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <cstdlib>

namespace {

[[noreturn]] void OutOfResources() {
    throw EOutOfResources("Out of system resources");
}

bool SameTable(const std::vector<RGBQUAD>& A, const std::vector<RGBQUAD>& B) {
    return A.size() == B.size() &&
           (A.empty() || std::memcmp(A.data(), B.data(), A.size() * sizeof(RGBQUAD)) == 0);
}


// A device context of the display, kept for the life of the program, for what only needs the
// display's format: asking the window system for the screen's own DC costs a round trip to its
// server on every bitmap.
HDC DisplayInfoDC() {
    static const HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    return display;
}

TPixelFormat AskScreenFormat() {
    const HDC screen = DisplayInfoDC();
    int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    switch (bits) {
    case 1:
        return pf1bit;
    case 4:
        return pf4bit;
    case 8:
        return pf8bit;
    case 15:
        return pf15bit;
    case 16:
        return pf16bit;
    case 32:
        return pf32bit;
    default:
        return pf24bit;
    }
}

RGBQUAD Quad(int R, int G, int B) {
    return RGBQUAD{static_cast<BYTE>(B), static_cast<BYTE>(G), static_cast<BYTE>(R), 0};
}

// Black and white; the 16 standard colours; those 16, a 6 x 6 x 6 colour cube and
// 24 greys.
std::vector<RGBQUAD> StandardColorTable(TPixelFormat Format) {
    static const int vga[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                   {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                   {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                   {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    std::vector<RGBQUAD> table;
    if (Format == pf1bit) return {Quad(0, 0, 0), Quad(255, 255, 255)};
    for (const auto& c : vga)
        table.push_back(Quad(c[0], c[1], c[2]));
    if (Format == pf8bit) {
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    table.push_back(Quad(r * 51, g * 51, b * 51));
        for (int i = 1; i <= 24; ++i)
            table.push_back(Quad(i * 10, i * 10, i * 10));
    }
    return table;
}

// A BITMAPINFO with room for the largest colour table (or the three masks).
struct TBitmapInfo {
    BITMAPINFOHEADER Header;
    RGBQUAD Colors[256];
};


// A new image, white unless its pixels are about to be overwritten (filling megabytes of
// fresh memory costs as much as copying them); Bits receives the pixels of a
// device-independent one.
HBITMAP CreateImage(TPixelFormat Format, int Width, int Height, const std::vector<RGBQUAD>& Table,
                    bool White, void** Bits) {
    HBITMAP image = nullptr;
    *Bits = nullptr;
    if (Format == pfDevice) {
        image = CreateCompatibleBitmap(DisplayInfoDC(), Width, Height);
    } else {
        TBitmapInfo info{};
        info.Header.biSize = sizeof info.Header;
        info.Header.biWidth = Width;
        info.Header.biHeight = -Height; // top row first
        info.Header.biPlanes = 1;
        info.Header.biBitCount = static_cast<WORD>(BitsPerPixel(Format));
        info.Header.biCompression = Format == pf16bit ? BI_BITFIELDS : BI_RGB;
        if (Format == pf16bit) {
            std::memcpy(info.Colors, Masks565, sizeof Masks565);
        } else {
            info.Header.biClrUsed = static_cast<DWORD>(Table.size());
            std::copy(Table.begin(), Table.end(), info.Colors);
        }
        image = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                 Bits, nullptr, 0);
    }
    if (!image) OutOfResources();
    GdiTrack(image);
    if (!White) return image;
    HDC dc = GdiTrack(CreateCompatibleDC(nullptr));
    HGDIOBJ old = SelectObject(dc, image);
    RECT all{0, 0, Width, Height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SelectObject(dc, old);
    GdiDeleteDC(dc);
    return image;
}

// Copies the first Bits bits of a row.
void CopyRowBits(Byte* Dest, const Byte* Source, Int64 Bits) {
    Int64 whole = Bits / 8;
    std::memcpy(Dest, Source, static_cast<std::size_t>(whole));
    int rest = static_cast<int>(Bits % 8);
    if (rest) {
        Byte mask = static_cast<Byte>(0xFF00 >> rest); // the leftmost pixels are the high bits
        Dest[whole] = static_cast<Byte>((Dest[whole] & ~mask) | (Source[whole] & mask));
    }
}

} // namespace

TBmpFileBytes::TBmpFileBytes(TStream* Stream) {
    const Int64 position = Stream->GetPosition();
    const Int64 available = Stream->GetSize() - position;
    Byte header[14];
    if (available < static_cast<Int64>(sizeof header)) RaiseInvalidBitmap();
    Stream->ReadBuffer(header, sizeof header);
    const Int64 fileSize = ReadLe32(header + 2);
    if (header[0] != 'B' || header[1] != 'M' || fileSize < 14 + 12 || fileSize > available)
        RaiseInvalidBitmap();
    FSize = fileSize;
    if (auto* memory = dynamic_cast<TCustomMemoryStream*>(Stream)) {
        FData = static_cast<const Byte*>(memory->GetMemory()) + position;
        Stream->SetPosition(position + fileSize);
        return;
    }
    FCopy.resize(static_cast<std::size_t>(fileSize));
    std::memcpy(FCopy.data(), header, sizeof header);
    Stream->ReadBuffer(FCopy.data() + sizeof header, fileSize - static_cast<Int64>(sizeof header));
    FData = FCopy.data();
}

namespace {

// Transparent copies come from a library of their own, loaded when one is first drawn rather
// than before the program's first instruction.
BOOL TransparentCopy(HDC Dest, int X, int Y, int Width, int Height, HDC Source, int SourceX,
                     int SourceY, int SourceWidth, int SourceHeight, UINT Transparent) {
    static auto* const copy =
        DelayLoaded<decltype(TransparentBlt)>("msimg32.dll", "TransparentBlt");
    return copy(Dest, X, Y, Width, Height, Source, SourceX, SourceY, SourceWidth, SourceHeight,
                Transparent);
}

// A temporary memory DC for an image that is not selected anywhere else.
class TImageDC {
public:
    explicit TImageDC(HBITMAP Image) : FDC(GdiTrack(CreateCompatibleDC(nullptr))) {
        if (!FDC) OutOfResources();
        FOld = SelectObject(FDC, Image);
    }
    ~TImageDC() {
        SelectObject(FDC, FOld);
        GdiDeleteDC(FDC);
    }
    TImageDC(const TImageDC&) = delete;
    TImageDC& operator=(const TImageDC&) = delete;
    operator HDC() const { return FDC; }

private:
    HDC FDC;
    HGDIOBJ FOld;
};

} // namespace

// ---------------------------------------------------------------------------
// TBitmap

struct TBitmap::TImage {
    HBITMAP Handle = nullptr;
    void* Bits = nullptr;
    int Width = 0;
    int Height = 0;
    TPixelFormat Format = pfDevice;
    std::vector<RGBQUAD> Table;

    // Unfilled: the caller writes every pixel at once.
    enum TFill { White, Unfilled };

    TImage() = default;
    TImage(TPixelFormat AFormat, int AWidth, int AHeight, std::vector<RGBQUAD> ATable,
           TFill Fill = White)
        : Width(AWidth), Height(AHeight), Format(AFormat), Table(std::move(ATable)) {
        if (Width > 0 && Height > 0)
            Handle = CreateImage(Format, Width, Height, Table, Fill == White, &Bits);
    }
    ~TImage() { GdiDeleteObject(Handle); }
    TImage(const TImage&) = delete;
    TImage& operator=(const TImage&) = delete;
};

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int AWidth, int AHeight) {
    SetSize(AWidth, AHeight);
}

TBitmap::TBitmap(int AWidth, int AHeight, TPixelFormat AFormat) {
    SetPixelFormat(AFormat);
    SetSize(AWidth, AHeight);
}

TBitmap::TBitmap(int AWidth, int AHeight, TPixelFormat AFormat, TUnfilled) {
    TImage image(AFormat, AWidth, AHeight, {}, TImage::Unfilled);
    TakeImage(image);
}

TBitmap::~TBitmap() {
    FCanvas.reset();
    GdiDeleteObject(FHandle);
}

TBitmapCanvas* TBitmap::GetCanvas() {
    if (!FCanvas) {
        FCanvas = std::make_unique<TBitmapCanvas>(this);
        FCanvas->OnChange = TNotifyEvent(this, &TBitmap::CanvasChanged);
    }
    return FCanvas.get();
}

HBITMAP TBitmap::GetHandle() {
    if (FCanvas) FCanvas->FreeContext();
    return FHandle;
}

void TBitmap::CanvasChanged(TObject*) {
    Changed();
}

// The new image takes the place of the old one, which is deleted.
void TBitmap::TakeImage(TImage& Image) {
    if (FCanvas) FCanvas->FreeContext();
    std::swap(FHandle, Image.Handle);
    FBits = Image.Bits;
    FWidth = Image.Width;
    FHeight = Image.Height;
    FPixelFormat = Image.Format;
    FColorTable = Image.Table;
}

void TBitmap::Rebuild(TPixelFormat Format, int AWidth, int AHeight, std::vector<RGBQUAD> Table) {
    TImage image(Format, AWidth, AHeight, std::move(Table));
    if (image.Handle && FHandle) {
        const int width = std::min(AWidth, FWidth);
        const int height = std::min(AHeight, FHeight);
        if (Format == FPixelFormat && Format != pfDevice && SameTable(image.Table, FColorTable)) {
            // Same layout: copy the bits themselves, so palette indices stay as they are.
            GdiFlush();
            const int bits = BitsPerPixel(Format);
            const Int64 stride = RowBytes(AWidth, bits);
            const Int64 oldStride = RowBytes(FWidth, bits);
            for (int y = 0; y < height; ++y)
                CopyRowBits(static_cast<Byte*>(image.Bits) + y * stride,
                            static_cast<const Byte*>(FBits) + y * oldStride, Int64{width} * bits);
        } else {
            TImageDC dest(image.Handle);
            BitBlt(dest, 0, 0, width, height, GetCanvas()->GetHandle(), FOrigin.X, FOrigin.Y,
                   SRCCOPY);
        }
    }
    TakeImage(image);
    Changed();
}

void TBitmap::Assign(TPersistent* Source) {
    if (!Source) {
        Rebuild(FPixelFormat, 0, 0, FColorTable);
        return;
    }
    auto* source = dynamic_cast<TBitmap*>(Source);
    if (!source) {
        TGraphic::Assign(Source);
        return;
    }
    if (source == this) return;
    TImage image(source->FPixelFormat, source->FWidth, source->FHeight, source->FColorTable,
                 TImage::Unfilled);
    if (image.Handle) {
        if (image.Format != pfDevice) {
            GdiFlush();
            std::memcpy(image.Bits, source->FBits,
                        static_cast<std::size_t>(RowBytes(image.Width, BitsPerPixel(image.Format)) *
                                                 image.Height));
        } else {
            TImageDC dest(image.Handle);
            BitBlt(dest, 0, 0, image.Width, image.Height, source->GetCanvas()->GetHandle(),
                   source->FOrigin.X, source->FOrigin.Y,
                   SRCCOPY);
        }
    }
    TakeImage(image);
    FTransparentColor = source->FTransparentColor;
    FTransparentMode = source->FTransparentMode;
    if (GetTransparent() != source->GetTransparent()) {
        SetTransparent(source->GetTransparent()); // fires the change
        return;
    }
    Changed();
}

void TBitmap::SetWidth(int Value) {
    SetSize(Value, FHeight);
}

void TBitmap::SetHeight(int Value) {
    SetSize(FWidth, Value);
}

void TBitmap::SetSize(int AWidth, int AHeight) {
    if (AWidth < 0 || AHeight < 0)
        throw EInvalidGraphicOperation("Invalid bitmap size " + std::to_string(AWidth) + " x " +
                                       std::to_string(AHeight));
    if (AWidth == FWidth && AHeight == FHeight) return;
    Rebuild(FPixelFormat, AWidth, AHeight, FColorTable);
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
    if (Value == FPixelFormat) return;
    Rebuild(Value, FWidth, FHeight,
            HasColorTable(Value) ? StandardColorTable(Value) : std::vector<RGBQUAD>());
}

void TBitmap::SetHandleType(TBitmapHandleType Value) {
    if (Value == GetHandleType()) return;
    SetPixelFormat(Value == bmDDB ? pfDevice : ScreenPixelFormat());
}

void* TBitmap::GetScanLine(int Row) {
    if (Row < 0 || Row >= FHeight || GetEmpty())
        throw EInvalidGraphicOperation("Scan line index out of range");
    if (FPixelFormat == pfDevice) SetHandleType(bmDIB);
    GdiFlush();
    return static_cast<Byte*>(FBits) + Row * RowBytes(FWidth, BitsPerPixel(FPixelFormat));
}

void TBitmap::SetHandle(HBITMAP Value) {
    if (!Value) {
        Rebuild(FPixelFormat, 0, 0, FColorTable);
        return;
    }
    DIBSECTION section{};
    const int described = GetObjectA(Value, sizeof section, &section);
    if (described != sizeof(DIBSECTION) && described != sizeof(BITMAP))
        throw EInvalidGraphicOperation("Invalid bitmap handle");
    GdiTrack(Value);
    struct DeleteAdopted {
        HBITMAP Handle;
        ~DeleteAdopted() { GdiDeleteObject(Handle); }
    } adopted{Value};

    const BITMAP& info = section.dsBm;
    TPixelFormat format = pfDevice;
    std::vector<RGBQUAD> table;
    TImageDC source(Value);
    if (described == sizeof(DIBSECTION)) {
        switch (info.bmBitsPixel) {
        case 1:
            format = pf1bit;
            break;
        case 4:
            format = pf4bit;
            break;
        case 8:
            format = pf8bit;
            break;
        case 16:
            format = section.dsBmih.biCompression == BI_BITFIELDS &&
                             section.dsBitfields[1] == Masks565[1]
                         ? pf16bit
                         : pf15bit;
            break;
        case 24:
            format = pf24bit;
            break;
        default:
            format = pf32bit;
        }
        if (HasColorTable(format)) {
            RGBQUAD colors[256];
            UINT count = GetDIBColorTable(source, 0, 256, colors);
            table.assign(colors, colors + count);
            if (table.empty()) table = StandardColorTable(format);
        }
    } else if (info.bmBitsPixel == 1 && info.bmPlanes == 1) {
        format = pf1bit;
        table = StandardColorTable(pf1bit);
    }
    TImage image(format, info.bmWidth, info.bmHeight, std::move(table));
    if (image.Handle) {
        TImageDC dest(image.Handle);
        BitBlt(dest, 0, 0, image.Width, image.Height, source, 0, 0, SRCCOPY);
    }
    TakeImage(image);
    Changed();
}

TColor TBitmap::GetTransparentColor() {
    if (FTransparentMode == tmFixed) return FTransparentColor;
    if (GetEmpty()) return clDefault;
    return GetCanvas()->GetPixels(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor Value) {
    if (Value == FTransparentColor) return;
    FTransparentColor = Value;
    FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
    if (Value == FTransparentMode) return;
    if (Value == tmAuto)
        SetTransparentColor(clDefault);
    else
        SetTransparentColor(GetTransparentColor());
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
    HDC source = GetCanvas()->GetHandle();
    HDC dest = ACanvas->GetHandle();
    if (GetTransparent()) {
        TransparentCopy(dest, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), source, 0, 0,
                        FWidth, FHeight, ColorToRGB(GetTransparentColor()) & 0xFFFFFF);
    } else {
        SetStretchBltMode(dest, COLORONCOLOR);
        StretchBlt(dest, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), source, 0, 0, FWidth,
                   FHeight, ACanvas->GetCopyMode());
    }
}

void TBitmap::LoadFromStream(TStream* Stream) {
    const TBmpFileBytes file(Stream);
    TBmpLayout layout = ParseBmp(file.Data(), file.Size());
    TImage image(layout.Format, layout.Width, layout.Height, layout.Table, TImage::Unfilled);
    if (image.Handle) {
        GdiFlush();
        DecodeBmpPixels(layout, static_cast<Byte*>(image.Bits),
                        RowBytes(layout.Width, BitsPerPixel(layout.Format)));
    }
    TakeImage(image);
    Changed();
}

void TBitmap::SaveToStream(TStream* Stream) {
    if (FPixelFormat == pfDevice) {
        TBitmap copy;
        copy.Assign(this);
        copy.SetHandleType(bmDIB);
        copy.SaveToStream(Stream);
        return;
    }
    if (FHandle) GdiFlush();
    std::vector<Byte> file =
        BuildBmpFile(FPixelFormat, GetEmpty() ? 0 : FWidth, GetEmpty() ? 0 : FHeight, FColorTable,
                     FHandle ? static_cast<const Byte*>(FBits) : nullptr);
    Stream->WriteBuffer(file.data(), static_cast<Int64>(file.size()));
}

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const AnsiString& ResName) {
    LoadFromResource(Instance, ResName.c_str(), ResName);
}

void TBitmap::LoadFromResourceID(HINSTANCE Instance, int ResID) {
    LoadFromResource(Instance, MAKEINTRESOURCEA(ResID), std::to_string(ResID));
}

// A bitmap resource is a BMP file without its file header.
void TBitmap::LoadFromResource(HINSTANCE Instance, const char* ResName, const AnsiString& Shown) {
    HRSRC resource = FindResourceA(Instance, ResName, RT_BITMAP);
    HGLOBAL loaded = resource ? LoadResource(Instance, resource) : nullptr;
    const Byte* data = loaded ? static_cast<const Byte*>(LockResource(loaded)) : nullptr;
    if (!data) throw EResNotFound("Resource " + Shown + " not found");
    const std::vector<Byte> file = BmpFileOfPackedDib(data, SizeofResource(Instance, resource));
    TMemoryStream stream;
    stream.WriteBuffer(file.data(), static_cast<Int64>(file.size()));
    stream.SetPosition(0);
    LoadFromStream(&stream);
}

// ---------------------------------------------------------------------------
// TBitmapPart

namespace {

TPixelFormat PaintBufferFormat() {
    const TPixelFormat screen = ScreenPixelFormat();
    return screen == pf24bit || screen == pf32bit ? pf32bit : pfDevice;
}

} // namespace

TPixelFormat ScreenPixelFormat() {
    static TKeptUntilSettingsChange<TPixelFormat> kept;
    return kept.Get(AskScreenFormat);
}

TBitmapPart::TBitmapPart(const TRect& Part, int ImageWidth, int ImageHeight)
    : TBitmap(Part.Width(), Part.Height(), PaintBufferFormat(), TUnfilled{}), FPart(Part),
      FImageWidth(ImageWidth), FImageHeight(ImageHeight) {
    SetCanvasOrigin(Part.TopLeft());
    if (Part.Width() <= 0 || Part.Height() <= 0) return;
    // White as every new bitmap, through the context its painter draws with next: a context
    // of its own only for that costs as much as the rest of making the picture.
    RECT all{Part.Left, Part.Top, Part.Right, Part.Bottom};
    FillRect(GetCanvas()->GetHandle(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void TBitmapPart::SetSize(int AWidth, int AHeight) {
    if (AWidth < 0 || AHeight < 0)
        throw EInvalidGraphicOperation("Invalid bitmap size " + std::to_string(AWidth) + " x " +
                                       std::to_string(AHeight));
    if (AWidth == FImageWidth && AHeight == FImageHeight) return;
    // The pixels the new size adds to the image are white, as a whole bitmap's would be.
    TCanvas* canvas = GetCanvas();
    const HDC dc = canvas->GetHandle();
    const auto white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    if (AWidth > FImageWidth) {
        RECT added{FImageWidth, FPart.Top, AWidth, FPart.Bottom};
        FillRect(dc, &added, white);
    }
    if (AHeight > FImageHeight) {
        RECT added{FPart.Left, FImageHeight, FPart.Right, AHeight};
        FillRect(dc, &added, white);
    }
    FImageWidth = AWidth;
    FImageHeight = AHeight;
    Changed();
}

void TBitmapPart::Draw(TCanvas* ACanvas, const TRect& Rect) {
    // The pixels of Part inside the image, scaled as the whole image is into Rect.
    const TRect shown(FPart.Left, FPart.Top, std::min(FPart.Right, FImageWidth),
                      std::min(FPart.Bottom, FImageHeight));
    if (shown.Width() <= 0 || shown.Height() <= 0 || FImageWidth <= 0 || FImageHeight <= 0)
        return;
    auto scaleX = [&](int X) {
        return Rect.Left + static_cast<int>(Int64{X} * Rect.Width() / FImageWidth);
    };
    auto scaleY = [&](int Y) {
        return Rect.Top + static_cast<int>(Int64{Y} * Rect.Height() / FImageHeight);
    };
    HDC source = GetCanvas()->GetHandle();
    HDC dest = ACanvas->GetHandle();
    SetStretchBltMode(dest, COLORONCOLOR);
    const int left = scaleX(shown.Left), top = scaleY(shown.Top);
    StretchBlt(dest, left, top, scaleX(shown.Right) - left, scaleY(shown.Bottom) - top, source,
               shown.Left, shown.Top, shown.Width(), shown.Height(), ACanvas->GetCopyMode());
}

TRect BitmapPart(TBitmap* Bitmap) {
    if (auto* part = dynamic_cast<TBitmapPart*>(Bitmap)) return part->GetPart();
    return TRect(0, 0, Bitmap->GetWidth(), Bitmap->GetHeight());
}

// ---------------------------------------------------------------------------
// TBitmapCanvas

TBitmapCanvas::~TBitmapCanvas() {
    FreeContext();
}

void TBitmapCanvas::CreateHandle() {
    HDC dc = GdiTrack(CreateCompatibleDC(nullptr));
    if (!dc) OutOfResources();
    if (FBitmap->FHandle) FOldBitmap = SelectObject(dc, FBitmap->FHandle);
    const TPoint origin = FBitmap->FOrigin;
    if (origin.X != 0 || origin.Y != 0) SetWindowOrgEx(dc, origin.X, origin.Y, nullptr);
    FDC = dc;
    SetHandle(dc);
}

void TBitmapCanvas::FreeContext() {
    if (!FDC) return;
    SetHandle(nullptr);
    if (FOldBitmap) SelectObject(FDC, FOldBitmap);
    GdiDeleteDC(FDC);
    FDC = nullptr;
    FOldBitmap = nullptr;
}

// ---------------------------------------------------------------------------
// What the canvas and the brush do with bitmaps

void TCanvas::BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color) {
    if (!Bitmap || Bitmap->GetEmpty()) return;
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    RECT r{Dest.Left, Dest.Top, Dest.Right, Dest.Bottom};
    ::FillRect(FHandle, &r, FBrush->GetHandle());
    TransparentCopy(FHandle, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(),
                    Bitmap->GetCanvas()->GetHandle(), Source.Left, Source.Top, Source.Width(),
                    Source.Height(), ColorToRGB(Color) & 0xFFFFFF);
    Changed();
}

HBRUSH TBrush::CreatePatternBrushOf(TBitmap* Bitmap) {
    if (Bitmap->GetEmpty()) return nullptr;
    return CreatePatternBrush(Bitmap->GetHandle());
}

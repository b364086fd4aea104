// TBitmap, a picture held by the system as a device-dependent bitmap or a
// device-independent section.
#pragma once

#include "classlib/BmpFormat.h"
#include "classlib/Canvas.h"

#include <memory>
#include <vector>

enum TBitmapHandleType { bmDIB, bmDDB };
// tmAuto: the bottom-left pixel is the transparent colour; tmFixed: TransparentColor is.
enum TTransparentMode { tmAuto, tmFixed };

class TBitmapCanvas;
class TStream;

// The bytes of the BMP file at a stream's position, whose length is the size in its file
// header; the stream is left after them. A memory stream's bytes are used in place (they
// must outlive this object), any other stream's are read into a copy. A stream too short
// for the size raises as RaiseInvalidBitmap.
class TBmpFileBytes {
public:
    explicit TBmpFileBytes(TStream* Stream);
    TBmpFileBytes(const TBmpFileBytes&) = delete;
    TBmpFileBytes& operator=(const TBmpFileBytes&) = delete;

    const Byte* Data() const { return FData; }
    Int64 Size() const { return FSize; }

private:
    std::vector<Byte> FCopy;
    const Byte* FData = nullptr;
    Int64 FSize = 0;
};

// A bitmap with its own canvas (on a memory device context of its own, made on first use).
//
// Streams hold BMP files: LoadFromStream reads one whole file (its length is the size
// in its file header; ParseBmp tells what it reads) and keeps its pixel format and colour
// table; SaveToStream writes
// an uncompressed file in the bitmap's format (a pfDevice bitmap is written in the
// screen's format). A file that cannot be read raises EInvalidGraphic
// "Bitmap image is not valid" and leaves the bitmap as it was.
//
// Transparency: a Transparent bitmap leaves out its transparent colour when it is
// drawn. That colour is the bottom-left pixel's (tmAuto) unless TransparentColor has
// been set (tmFixed); setting TransparentColor to clDefault returns to tmAuto.
class TBitmap : public TGraphic {
    DECLARE_CLASS(TBitmap, TGraphic)
    friend class TBitmapCanvas;

public:
    TBitmap();
    TBitmap(int AWidth, int AHeight);
    // A device-independent bitmap from the start: the screen device is never asked, as a
    // look drawn on every paint needs no screen-compatible image.
    TBitmap(int AWidth, int AHeight, TPixelFormat AFormat);
    ~TBitmap() override;

    // A TBitmap is copied exactly (format, colour table, pixels, transparency); null
    // empties this bitmap; any other source is asked to AssignTo this bitmap.
    void Assign(TPersistent* Source) override;

    bool GetEmpty() const override { return !FHandle; }
    int GetWidth() const override { return FWidth; }
    int GetHeight() const override { return FHeight; }
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;
    // Keeps the pixels that stay inside; new pixels are white. A bitmap with a zero
    // side is empty. A negative side raises EInvalidGraphicOperation.
    virtual void SetSize(int AWidth, int AHeight);

    TPixelFormat GetPixelFormat() const { return FPixelFormat; }
    // Converts the pixels; palette formats get a standard colour table.
    void SetPixelFormat(TPixelFormat Value);
    TBitmapHandleType GetHandleType() const { return FPixelFormat == pfDevice ? bmDDB : bmDIB; }
    // bmDIB turns a pfDevice bitmap into a section of the screen's depth.
    void SetHandleType(TBitmapHandleType Value);
    // The colours of a palette format (empty for the others).
    const std::vector<RGBQUAD>& GetColorTable() const { return FColorTable; }

    // Row Row (0 = top) of a device-independent bitmap; a pfDevice bitmap becomes one.
    // Rows are padded to 4 bytes.
    void* GetScanLine(int Row);

    TBitmapCanvas* GetCanvas();
    // The bitmap handle (null when empty), still owned by this bitmap. The canvas lets
    // go of it, so that it can be selected into another device context; the canvas
    // takes it again when it next draws.
    HBITMAP GetHandle();
    // Takes ownership of Value (a bitmap the caller created) and copies it in.
    void SetHandle(HBITMAP Value);

    TColor GetTransparentColor();
    void SetTransparentColor(TColor Value);
    TTransparentMode GetTransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode Value);

    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    // A bitmap resource (RT_BITMAP) of the module Instance; EResNotFound
    // "Resource %s not found" when it has none of that name / number.
    void LoadFromResourceName(HINSTANCE Instance, const AnsiString& ResName);
    void LoadFromResourceID(HINSTANCE Instance, int ResID);

protected:
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

protected:
    // A bitmap of AFormat (one without a colour table) whose pixels its maker fills itself.
    struct TUnfilled {};
    TBitmap(int AWidth, int AHeight, TPixelFormat AFormat, TUnfilled);
    // Where the canvas's coordinates start: the bitmap's first pixel is drawn at Origin.
    void SetCanvasOrigin(TPoint Origin) { FOrigin = Origin; }

private:
    struct TImage;
    // Replaces the image by a new one; the pixels of the old image that fit are copied.
    void Rebuild(TPixelFormat Format, int AWidth, int AHeight, std::vector<RGBQUAD> Table);
    void TakeImage(TImage& Image);
    void LoadFromResource(HINSTANCE Instance, const char* ResName, const AnsiString& Shown);
    void CanvasChanged(TObject* Sender);

    HBITMAP FHandle = nullptr;
    void* FBits = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    TPixelFormat FPixelFormat = pfDevice;
    std::vector<RGBQUAD> FColorTable;
    std::unique_ptr<TBitmapCanvas> FCanvas;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
    TPoint FOrigin{};
};

// An off-screen picture of one part of a larger image, so that painting a large control
// costs memory for the area repainted only. It holds the pixels of Part (in the image's
// coordinates) of an image of ImageWidth x ImageHeight: of 32 bits a pixel where the screen
// shows true colour (a device-independent picture, which costs a fraction of making a device
// one and draws and shows the same), else in the screen's own format. Its canvas draws in
// the image's coordinates and keeps what falls inside Part.
// Its size (GetWidth, GetHeight, SetSize) is the image's: a new size whitens the pixels of
// Part that it adds to the image, as a bitmap's SetSize does. Drawn on a canvas, it draws
// the pixels of Part that lie in the image at their place. Its handle, pixel format and
// scan lines are Part's own; the format is not to be changed.
class TBitmapPart : public TBitmap {
public:
    TBitmapPart(const TRect& Part, int ImageWidth, int ImageHeight);

    const TRect& GetPart() const { return FPart; }
    int GetWidth() const override { return FImageWidth; }
    int GetHeight() const override { return FImageHeight; }
    void SetWidth(int Value) override { SetSize(Value, FImageHeight); }
    void SetHeight(int Value) override { SetSize(FImageWidth, Value); }
    void SetSize(int AWidth, int AHeight) override;

protected:
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
    TRect FPart;
    int FImageWidth;
    int FImageHeight;
};

// The part of its image that Bitmap holds: GetPart of a TBitmapPart, all of any other.
TRect BitmapPart(TBitmap* Bitmap);

// The device-independent format of the screen, kept until the display's settings change:
// every paint buffer wants it.
TPixelFormat ScreenPixelFormat();

// The canvas of a TBitmap: a memory device context with the bitmap selected into it.
class TBitmapCanvas : public TCanvas {
    DECLARE_CLASS(TBitmapCanvas, TCanvas)
public:
    explicit TBitmapCanvas(TBitmap* ABitmap) : FBitmap(ABitmap) {}
    ~TBitmapCanvas() override;

    // Lets go of the device context (the bitmap is about to change).
    void FreeContext();

protected:
    void CreateHandle() override;

private:
    TBitmap* FBitmap;
    HDC FDC = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
};

// Unit Bmp32: the 32-bit ARGB bitmap TBitmap32 and the classes it stands on, together with
// the colour, fixed-point and geometry basics of Bmp32_Basics.h, which this header brings in.
//
// Class chain: TPersistent -> TNotifiablePersistent -> TThreadPersistent -> TCustomMap ->
// TBitmap32, and TNotifiablePersistent -> TCustomSampler -> TCustomResampler.
//
// Drawing operations carry suffixes: S clipped to ClipRect, T blended by the colour's alpha
// with the bitmap's CombineMode, TS both, W wrapped into ClipRect by WrapMode, X 16.16
// coordinates spread over the 2 x 2 pixels under the point, F float coordinates, P colours
// from the stipple pattern, A antialiased, B reads clamped to the bitmap. The plain (and the
// plain T) operations trust their coordinates; every other form stays inside the bitmap.
//
// Every drawing operation announces the rectangle it touched through OnAreaChanged:
// AREAINFO_RECT for rectangles and pixels, AREAINFO_LINE + 2 with the end points for lines.
// BeginUpdate and EndUpdate only count: nothing is announced while the count is above 0
// (except in measuring mode), and EndUpdate announces nothing, so code that brackets a batch
// calls Changed afterwards.
#pragma once

#include "bitmap32/Bmp32_Basics.h"
#include "bitmap32/Bmp32_PixelStore.h"
#include "classlib/Events.h"
#include "classlib/Objects.h"
#include "classlib/UnitInit.h"

#include <cstddef>
#include <initializer_list>
#include <string>

class TBitmap;
class TCanvas;
class TFont;
class TStream;
class TPropertyList;

namespace Bmp32 {

// Kinds of area announced with OnAreaChanged.
constexpr Cardinal AREAINFO_RECT = 0x80000000;
// Plus the line width in the low bits; Area then holds the end points.
constexpr Cardinal AREAINFO_LINE = 0x40000000;

using TAreaChangedEvent = TEvent<void(TObject* Sender, const TRect& Area, Cardinal Info)>;
// Combines the foreground F into the background B with the master alpha M (draw mode
// dmCustom).
using TPixelCombineEvent = TEvent<void(TColor32 F, TColor32& B, Cardinal M)>;

// A class-library colour (TColor): a colour reference $00BBGGRR, or a system colour when
// negative, resolved to the current system colour. The result is opaque.
TColor32 Color32(std::int32_t WinColor);

// A system palette (HPALETTE) of the 256 colours, alpha dropped. The caller owns it and
// deletes it with DeleteObject.
TPlatformHandle WinPalette(const TPalette32& Palette);

// The system font (selected into a bitmap's context when it lets go of its own font) and an
// 8 x 8 class-library bitmap whose canvas measures text for bitmaps without a context. Both
// exist from the unit's start-up to its shut-down.
extern TPlatformHandle StockFont;
extern TBitmap* StockBitmap;

// Counts nested updates and announces changes through OnChange.
class TNotifiablePersistent : public TPersistent {
    DECLARE_CLASS(TNotifiablePersistent, TPersistent)
public:
    TNotifyEvent OnChange;

    // Fires OnChange when no update is open.
    virtual void Changed();
    virtual void BeginUpdate();
    // Raises EAssertionFailed "Unpaired TThreadPersistent.EndUpdate" when no update is open.
    // Announces nothing.
    virtual void EndUpdate();
    int GetUpdateCount() const { return FUpdateCount; }

protected:
    int FUpdateCount = 0;
};

// Owns a lock for callers that share the object between threads; the object itself takes
// no lock. One process-wide lock guards every lock count.
class TThreadPersistent : public TNotifiablePersistent {
    DECLARE_CLASS(TThreadPersistent, TNotifiablePersistent)
public:
    TThreadPersistent() = default;

    void Lock();
    void Unlock();
    // Threads inside or waiting for Lock.
    int GetLockCount() const;

private:
    TCriticalSection FLock;
    int FLockCount = 0;
};

// Something with a width and a height that are never negative.
class TCustomMap : public TThreadPersistent {
    DECLARE_CLASS(TCustomMap, TThreadPersistent)
public:
    TNotifyEvent OnResize;

    int GetWidth() const { return FWidth; }
    int GetHeight() const { return FHeight; }
    void SetWidth(int Value);
    void SetHeight(int Value);
    // Negative sizes count as 0. When the size differs: ChangeSize, Changed, Resized, and
    // true; otherwise false.
    virtual bool SetSize(int NewWidth, int NewHeight);
    // The size of a TCustomMap, a class-library TGraphic or TControl, or (0, 0) for null;
    // raises Exception "Can't set size from '<class name>'" for anything else.
    void SetSizeFrom(TPersistent* Source);
    virtual void Delete();
    virtual bool Empty() const;
    // Fires OnResize.
    virtual void Resized();

protected:
    virtual void ChangeSize(int& Width, int& Height, int NewWidth, int NewHeight);

private:
    int FWidth = 0;
    int FHeight = 0;
};

// A source of colour samples at integer, fixed or float positions. Descendants override
// GetSampleFixed or GetSampleFloat: each default asks the other.
class TCustomSampler : public TNotifiablePersistent {
    DECLARE_CLASS(TCustomSampler, TNotifiablePersistent)
public:
    virtual TColor32 GetSampleInt(int X, int Y);
    virtual TColor32 GetSampleFixed(TFixed X, TFixed Y);
    virtual TColor32 GetSampleFloat(float X, float Y);
    // Bracket a batch of sample reads.
    virtual void PrepareSampling();
    virtual void FinalizeSampling();
    virtual bool HasBounds() const;
    virtual TRect GetSampleBounds() const;

private:
    // Set while one default form calls the other, so that a descendant overriding neither
    // gets an exception instead of endless recursion.
    bool FForwarding = false;
};

class TBitmap32;

// Reads a bitmap's pixels at any position and stretches one bitmap onto another.
class TCustomResampler : public TCustomSampler {
    DECLARE_CLASS(TCustomResampler, TCustomSampler)
public:
    // The radius of the filter in source pixels.
    virtual float GetWidth() const = 0;
    virtual void Resample(TBitmap32* Dst, const TRect& DstRect, TRect DstClip, TBitmap32* Src,
                          const TRect& SrcRect, TDrawMode CombineOp,
                          const TPixelCombineEvent& CombineCallBack) = 0;
};

// Builds the resampler registered under a class name for a bitmap (it attaches itself as the
// bitmap's Resampler), or returns null for an unknown name. Installed at start-up by the unit
// that registers the resampler classes; while it is null, bitmaps are made without a
// resampler and SetResamplerClassName changes nothing.
using TResamplerConstructor = TCustomResampler* (*)(const AnsiString&, TBitmap32*);
extern TResamplerConstructor ConstructResampler;

// The class of resampler every new bitmap gets.
inline constexpr const char* DefaultResamplerClassName = "TNearestResampler";

// A 32-bit ARGB bitmap. Its pixels live in ordinary memory, so a bitmap costs no platform
// object until its context, handle or canvas is asked for; then they move into a top-down
// device-independent section with its own memory device context (Bits changes once, there).
// Drawing into the pixels and transfers between bitmaps never need it. Pixel (x, y) is
// Bits[x + y * Width]; rows have no gaps.
class TBitmap32 : public TCustomMap {
    DECLARE_CLASS(TBitmap32, TCustomMap)
public:
    TBitmap32();
    ~TBitmap32() override;

    TNotifyEvent OnHandleChanged;
    TPixelCombineEvent OnPixelCombine;
    TAreaChangedEvent OnAreaChanged;

    // ---- Storage ------------------------------------------------------------------------

    // True without a section, or when a side is 0.
    bool Empty() const override;
    void Delete() override;
    // Clear(Black32).
    void Clear();
    // Fills the clip rectangle; nothing at all when Empty.
    void Clear(TColor32 FillColor);
    TRect BoundsRect() const { return {0, 0, GetWidth(), GetHeight()}; }

    TColor32* GetBits() const { return FBits; }
    // The section and the memory device context, made on first demand; null when Empty.
    TPlatformHandle GetBitmapHandle() const;
    TPlatformHandle GetHandle() const;
    // True once the section and context exist.
    bool HandleAllocated() const;
    const TBitmapInfo32& GetBitmapInfo() const { return FBitmapInfo; }

    // ---- Clip rectangle -----------------------------------------------------------------

    const TRect& GetClipRect() const { return FClipRect; }
    // Value intersected with BoundsRect (all zeros when they do not meet); no notification.
    void SetClipRect(const TRect& Value);
    void ResetClipRect();
    // The clip rectangle in 16.16 (edges beyond 32767 pixels stop at 32767) and in 24.8
    // (edges beyond 8388607 pixels stop there).
    const TFixedRect& GetFixedClipRect() const { return FFixedClipRect; }
    const TRect& GetF256ClipRect() const { return F256ClipRect; }
    // True when the clip rectangle is not the whole bitmap.
    bool GetClipping() const { return FClipping; }

    // ---- Properties ---------------------------------------------------------------------

    // The setters announce a change only when the value differs.
    TDrawMode GetDrawMode() const { return FDrawMode; }
    void SetDrawMode(TDrawMode Value);
    TCombineMode GetCombineMode() const { return FCombineMode; }
    void SetCombineMode(TCombineMode Value);
    TWrapMode GetWrapMode() const { return FWrapMode; }
    void SetWrapMode(TWrapMode Value);
    // The opacity of the whole bitmap when drawn in dmBlend.
    Cardinal GetMasterAlpha() const { return FMasterAlpha; }
    void SetMasterAlpha(Cardinal Value);

    // Plain values, without notification.
    // Read outside the bitmap; the transparent colour of dmTransparent.
    TColor32 GetOuterColor() const { return FOuterColor; }
    void SetOuterColor(TColor32 Value) { FOuterColor = Value; }
    // The colour of the LineTo family.
    TColor32 GetPenColor() const { return FPenColor; }
    void SetPenColor(TColor32 Value) { FPenColor = Value; }
    // The stipple pattern's advance per pixel.
    float GetStippleStep() const { return FStippleStep; }
    void SetStippleStep(float Value) { FStippleStep = Value; }
    // The position in the stipple pattern.
    float GetStippleCounter() const { return FStippleCounter; }
    void SetStippleCounter(float Value) { FStippleCounter = Value; }

    // ---- Canvas and font ----------------------------------------------------------------

    // Made on first use, drawing into the bitmap's context; its changes announce Changed.
    TCanvas* GetCanvas();
    bool CanvasAllocated() const { return FCanvas != nullptr; }
    void DeleteCanvas();
    TFont* GetFont() const { return FFont; }
    // Copies Value's attributes.
    void SetFont(TFont* Value);
    // Selects the font into the context (making it) and sets its text colour on a transparent
    // background; called by the text operations before they draw or measure.
    void UpdateFont();

    // ---- Whole-bitmap operations and notification ---------------------------------------

    // ResetAlpha(255).
    void ResetAlpha();
    // Writes AlphaValue into the alpha byte of every pixel.
    void ResetAlpha(Byte AlphaValue);

    // From BeginMeasuring to EndMeasuring the clipped operations write no pixels and report
    // their areas to Callback, even inside BeginUpdate; OnChange does not fire.
    void BeginMeasuring(const TAreaChangedEvent& Callback);
    void EndMeasuring();
    bool GetMeasuringMode() const { return FMeasuringMode; }

    // Changed(BoundsRect, AREAINFO_RECT).
    void Changed() override;
    // Reports Area to OnAreaChanged and fires OnChange, both unless an update is open
    // outside measuring mode; in measuring mode only the report.
    virtual void Changed(const TRect& Area, Cardinal Info);
    // Fires OnChange only.
    void PropertyChanged();
    // Points the canvas at the new context and fires OnHandleChanged.
    virtual void HandleChanged();

    TCustomResampler* GetResampler() const { return FResampler; }
    // Takes ownership of Value, freeing the previous resampler; null is ignored.
    void SetResampler(TCustomResampler* Value);
    AnsiString GetResamplerClassName() const;
    // Replaces the resampler by a new one of the registered class ClassName; an unknown name
    // changes nothing.
    void SetResamplerClassName(const AnsiString& Value);

    // ---- Pixels -------------------------------------------------------------------------

    TColor32 GetPixel(int X, int Y) const { return FBits[X + PixelOffset(Y)]; }
    void SetPixel(int X, int Y, TColor32 Value) { FBits[X + PixelOffset(Y)] = Value; }
    TColor32* GetPixelPtr(int X, int Y) const { return FBits + X + PixelOffset(Y); }
    TColor32* GetScanLine(int Y) const { return FBits + PixelOffset(Y); }
    // OuterColor / nothing outside the clip rectangle.
    TColor32 GetPixelS(int X, int Y) const;
    void SetPixelS(int X, int Y, TColor32 Value);
    // Coordinates clamped to the bitmap; OuterColor when Empty.
    TColor32 GetPixelB(int X, int Y) const;
    // Value blended onto the pixel.
    void SetPixelT(int X, int Y, TColor32 Value);
    // Blends at Ptr and moves Ptr on by one pixel.
    void SetPixelT(TColor32*& Ptr, TColor32 Value);
    void SetPixelTS(int X, int Y, TColor32 Value);
    // Coordinates wrapped into the clip rectangle; OuterColor / nothing when it is empty.
    TColor32 GetPixelW(int X, int Y) const;
    void SetPixelW(int X, int Y, TColor32 Value);

    // Sub-pixel writers and readers (16.16 or float coordinates). The unclipped float forms
    // raise ERangeError for a point whose 24.8 (or 16.16) form leaves the 32-bit range.
    void SetPixelX(TFixed X, TFixed Y, TColor32 Value);
    void SetPixelXS(TFixed X, TFixed Y, TColor32 Value);
    void SetPixelF(float X, float Y, TColor32 Value);
    // Points whose 24.8 form leaves the 32-bit range lie outside and change nothing.
    void SetPixelFS(float X, float Y, TColor32 Value);
    // The four pixels under the wrapped point; those beyond the clip rectangle's edges are
    // left alone.
    void SetPixelXW(TFixed X, TFixed Y, TColor32 Value);
    void SetPixelFW(float X, float Y, TColor32 Value);
    TColor32 GetPixelX(TFixed X, TFixed Y) const;
    TColor32 GetPixelXS(TFixed X, TFixed Y) const;
    TColor32 GetPixelF(float X, float Y) const;
    // OuterColor for points whose 24.8 form leaves the 32-bit range.
    TColor32 GetPixelFS(float X, float Y) const;
    // Bilinear read with wrapping; OuterColor when the clip rectangle is empty.
    TColor32 GetPixelXW(TFixed X, TFixed Y) const;
    TColor32 GetPixelFW(float X, float Y) const;
    // The resampler's sample; raises EInvalidOperation when there is no resampler.
    TColor32 GetPixelR(float X, float Y) const;

    // 24.8 primitives: Color spread over the 2 x 2 pixels under (X, Y) with gamma-corrected
    // weights, unclipped and clipped; the bilinear read of those pixels, unchecked and
    // checked against the bitmap. Callers call EMMS afterwards.
    void SET_T256(int X, int Y, TColor32 Color);
    void SET_TS256(int X, int Y, TColor32 Color);
    TColor32 GET_T256(int X, int Y) const;
    TColor32 GET_TS256(int X, int Y) const;

    // ---- Stipple pattern ----------------------------------------------------------------

    // Resets the counter and copies the colours.
    void SetStipple(const TArrayOfColor32& NewStipple);
    void SetStipple(std::initializer_list<TColor32> NewStipple);
    const TArrayOfColor32& GetStipplePattern() const { return FStipplePattern; }
    void AdvanceStippleCounter(float LengthPixels);
    // The pattern colour at the counter (mixing neighbours at fractional positions), then the
    // counter moves on by StippleStep. Black32 for an empty pattern. Raises ERangeError when
    // the counter is not a finite number.
    TColor32 GetStippleColor();

    // ---- Lines --------------------------------------------------------------------------

    // X1..X2 inclusive on row Y (vertical twins: Y1..Y2 in column X). The clipped forms
    // take the ends in either order and report the pixels drawn.
    void HorzLine(int X1, int Y, int X2, TColor32 Value);
    void HorzLineS(int X1, int Y, int X2, TColor32 Value);
    void HorzLineT(int X1, int Y, int X2, TColor32 Value);
    void HorzLineTS(int X1, int Y, int X2, TColor32 Value);
    // Stippled; the pattern advances over the clipped parts too.
    void HorzLineTSP(int X1, int Y, int X2);
    void VertLine(int X, int Y1, int Y2, TColor32 Value);
    void VertLineS(int X, int Y1, int Y2, TColor32 Value);
    void VertLineT(int X, int Y1, int Y2, TColor32 Value);
    void VertLineTS(int X, int Y1, int Y2, TColor32 Value);
    void VertLineTSP(int X, int Y1, int Y2);

    // From (X1, Y1) to (X2, Y2); the last point is drawn only when L. A clipped line draws
    // exactly the pixels of the unclipped one that lie inside the clip rectangle, and reports
    // only when it draws. The float forms convert with Fixed, which raises ERangeError beyond
    // +-32768.
    void Line(int X1, int Y1, int X2, int Y2, TColor32 Value, bool L = false);
    void LineS(int X1, int Y1, int X2, int Y2, TColor32 Value, bool L = false);
    void LineT(int X1, int Y1, int X2, int Y2, TColor32 Value, bool L = false);
    void LineTS(int X1, int Y1, int X2, int Y2, TColor32 Value, bool L = false);
    void LineX(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, TColor32 Value, bool L = false);
    void LineF(float X1, float Y1, float X2, float Y2, TColor32 Value, bool L = false);
    void LineXS(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, TColor32 Value, bool L = false);
    void LineFS(float X1, float Y1, float X2, float Y2, TColor32 Value, bool L = false);
    void LineXP(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, bool L = false);
    void LineFP(float X1, float Y1, float X2, float Y2, bool L = false);
    void LineXSP(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, bool L = false);
    void LineFSP(float X1, float Y1, float X2, float Y2, bool L = false);
    void LineA(int X1, int Y1, int X2, int Y2, TColor32 Value, bool L = false);
    void LineAS(int X1, int Y1, int X2, int Y2, TColor32 Value, bool L = false);

    // The pen: LineTo draws from the pen in PenColor without the last point, then moves it.
    void MoveTo(int X, int Y);
    void LineToS(int X, int Y);
    void LineToTS(int X, int Y);
    void LineToAS(int X, int Y);
    void MoveToX(TFixed X, TFixed Y);
    void MoveToF(float X, float Y);
    void LineToXS(TFixed X, TFixed Y);
    void LineToFS(float X, float Y);
    void LineToXSP(TFixed X, TFixed Y);
    void LineToFSP(float X, float Y);
    TPoint GetPenPos() const { return {FRasterX, FRasterY}; }
    TFixedPoint GetPenPosF() const { return {FRasterXF, FRasterYF}; }

    // ---- Rectangles (X1, Y1 inclusive; X2, Y2 exclusive) --------------------------------

    // Unclipped: the caller keeps 0 <= X1 <= X2 <= Width and 0 <= Y1 <= Y2 <= Height.
    void FillRect(int X1, int Y1, int X2, int Y2, TColor32 Value);
    void FillRectS(int X1, int Y1, int X2, int Y2, TColor32 Value);
    void FillRectS(const TRect& ARect, TColor32 Value);
    void FillRectT(int X1, int Y1, int X2, int Y2, TColor32 Value);
    void FillRectTS(int X1, int Y1, int X2, int Y2, TColor32 Value);
    void FillRectTS(const TRect& ARect, TColor32 Value);
    void FrameRectS(int X1, int Y1, int X2, int Y2, TColor32 Value);
    void FrameRectS(const TRect& ARect, TColor32 Value);
    void FrameRectTS(int X1, int Y1, int X2, int Y2, TColor32 Value);
    void FrameRectTS(const TRect& ARect, TColor32 Value);
    // Stippled clockwise from the top-left corner, so the pattern runs on round the corners.
    void FrameRectTSP(int X1, int Y1, int X2, int Y2);
    // A 3-D edge: light top and left, dark bottom and right; Contrast in percent, negative
    // to sink the rectangle.
    void RaiseRectTS(int X1, int Y1, int X2, int Y2, int Contrast);
    void RaiseRectTS(const TRect& ARect, int Contrast);

    // ==== Text, transfers, whole-image transforms and persistence ========================
    // Bmp32_Text.cpp, Bmp32_Draw.cpp, Bmp32_WholeImage.cpp and Bmp32_Persistence.cpp.

    // ---- Text ---------------------------------------------------------------------------
    // Each has a wide twin (suffix W). Text is drawn in Font through the bitmap's context.

    // Measured in the bitmap's context, or on StockBitmap's canvas when it has none.
    TSize TextExtent(const AnsiString& Text);
    TSize TextExtentW(const std::wstring& Text);
    int TextHeight(const AnsiString& Text);
    int TextHeightW(const std::wstring& Text);
    int TextWidth(const AnsiString& Text);
    int TextWidthW(const std::wstring& Text);
    // At (X, Y), clipped to ClipRect while clipping is on; reports the text's extent grown
    // by one pixel to the right and below.
    void Textout(int X, int Y, const AnsiString& Text);
    void TextoutW(int X, int Y, const std::wstring& Text);
    // Always clipped to AClipRect.
    void Textout(int X, int Y, const TRect& AClipRect, const AnsiString& Text);
    void TextoutW(int X, int Y, const TRect& AClipRect, const std::wstring& Text);
    // The platform's DrawText with the format Flags (DT_...) into DstRect; reports the
    // rectangle DrawText leaves.
    void Textout(TRect DstRect, Cardinal Flags, const AnsiString& Text);
    void TextoutW(TRect DstRect, Cardinal Flags, const std::wstring& Text);
    // Text in Color's red, green and blue, blended with Color's alpha as its opacity.
    // AALevel 1 to 4 antialiases by rendering 2^AALevel times larger and scaling down, 0
    // draws aliased text, -1 leaves antialiasing to the platform; others are brought into
    // -1..4.
    void RenderText(int X, int Y, const AnsiString& Text, int AALevel, TColor32 Color);
    void RenderTextW(int X, int Y, const std::wstring& Text, int AALevel, TColor32 Color);

    // ---- Transfers ----------------------------------------------------------------------
    // Bitmap to bitmap through the transfers of Bmp32_Resamplers.h, with this bitmap's
    // DrawMode, OnPixelCombine and (for stretching) Resampler. A null source does nothing;
    // a null destination raises EBitmapException.

    void Draw(int DstX, int DstY, TBitmap32* Src);
    void Draw(int DstX, int DstY, const TRect& SrcRect, TBitmap32* Src);
    void Draw(const TRect& DstRect, const TRect& SrcRect, TBitmap32* Src);
    // Copies SrcRect of the device context hSrc to DstRect, stretching.
    void Draw(const TRect& DstRect, const TRect& SrcRect, TPlatformHandle hSrc);
    // Unscaled into Dst's clip rectangle.
    void DrawTo(TBitmap32* Dst);
    void DrawTo(TBitmap32* Dst, int DstX, int DstY);
    void DrawTo(TBitmap32* Dst, int DstX, int DstY, const TRect& SrcRect);
    // Stretched onto DstRect.
    void DrawTo(TBitmap32* Dst, const TRect& DstRect);
    void DrawTo(TBitmap32* Dst, const TRect& DstRect, const TRect& SrcRect);
    // To a device context, as it is / stretched from SrcRect to DstRect.
    void DrawTo(TPlatformHandle hDst, int DstX, int DstY);
    void DrawTo(TPlatformHandle hDst, const TRect& DstRect, const TRect& SrcRect);
    // Stretches SrcRect onto DstRect of a device context through a buffer of at most
    // 1024 x 1024 pixels.
    void TileTo(TPlatformHandle hDst, const TRect& DstRect, const TRect& SrcRect);

    // ---- Whole-image transforms ---------------------------------------------------------
    // A null Dst, or this bitmap, transforms in place.

    // Moves the pixel array by Dy * Width + Dx places (pixels leaving a row enter the next);
    // with FillBack the uncovered part is filled with FillColor.
    void Roll(int Dx, int Dy, bool FillBack, TColor32 FillColor);
    void FlipHorz(TBitmap32* Dst = nullptr);
    void FlipVert(TBitmap32* Dst = nullptr);
    // Clockwise quarter turn.
    void Rotate90(TBitmap32* Dst = nullptr);
    void Rotate180(TBitmap32* Dst = nullptr);
    // Counter-clockwise quarter turn.
    void Rotate270(TBitmap32* Dst = nullptr);

    // ---- Persistence and conversion -----------------------------------------------------

    // From another TBitmap32 (pixels, DrawMode, MasterAlpha, OuterColor, Font), a
    // class-library TBitmap, TGraphic, TPicture or TClipboard, or null (empties).
    void Assign(TPersistent* Source) override;
    // The binary property "Data": width, height and the pixels.
    void DefineProperties(TFiler* Filer) override;
    // Raises EReadError, leaving the bitmap empty, when the stream does not hold the pixels
    // that its width and height announce.
    virtual void ReadData(TStream* Stream);
    virtual void WriteData(TStream* Stream);
    // BMP through the class library's TBitmap; a failed load leaves the bitmap empty.
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream* Stream);
    // Any picture format the class library reads, chosen by the extension.
    void LoadFromFile(const AnsiString& FileName);
    // Always BMP, whatever the extension.
    void SaveToFile(const AnsiString& FileName);
    void LoadFromResourceID(TPlatformHandle Instance, int ResID);
    void LoadFromResourceName(TPlatformHandle Instance, const AnsiString& ResName);
    // True when both are empty, or both are of one class and save to identical streams.
    bool Equal(TBitmap32* Bmp);

protected:
    // Into a class-library TBitmap, TPicture or TClipboard.
    void AssignTo(TPersistent* Dest) override;

public:
    // ==== End of text, transfers, whole-image transforms and persistence ================

    static void Published(TPropertyList& P);

protected:
    void ChangeSize(int& Width, int& Height, int NewWidth, int NewHeight) override;
    // The change handler of Font: lets go of the font selected into the context.
    void FontChanged(TObject* Sender);

private:
    ptrdiff_t PixelOffset(int Y) const { return ptrdiff_t(Y) * GetWidth(); }
    void CanvasChanged(TObject* Sender);
    void MakeFont();
    void FreeFont();
    void ReleasePixelStore();
    // Reports (X1, Y, X2 + 1, Y + 1) for a horizontal run X1..X2 (either order), and the
    // vertical twin.
    void ReportHorzRun(int X1, int Y, int X2);
    void ReportVertRun(int X, int Y1, int Y2);
    // The clipped form of a horizontal or vertical run drawn by Draw (plain or blended).
    using TRunMethod = void (TBitmap32::*)(int, int, int, TColor32);
    void ClippedHorzRun(int X1, int Y, int X2, TColor32 Value, TRunMethod Draw);
    void ClippedVertRun(int X, int Y1, int Y2, TColor32 Value, TRunMethod Draw);
    void ReportLine(int X1, int Y1, int X2, int Y2);
    void ReportFixedLine(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2);
    bool ClipEmpty() const {
        return FClipRect.Right <= FClipRect.Left || FClipRect.Bottom <= FClipRect.Top;
    }

    // Follows the store, whose pixels move when its context is made (even from const members).
    mutable TColor32* FBits = nullptr;
    TPixelStore* FStore = nullptr;
    TCanvas* FCanvas = nullptr;
    TRect FClipRect;
    TFixedRect FFixedClipRect;
    TRect F256ClipRect;
    bool FClipping = false;
    TDrawMode FDrawMode = dmOpaque;
    TCombineMode FCombineMode = cmBlend;
    TWrapMode FWrapMode = wmClamp;
    TFont* FFont = nullptr;
    TBitmapInfo32 FBitmapInfo = TopDownBitmapInfo(0, 0);
    Cardinal FMasterAlpha = 255;
    TColor32 FOuterColor = 0;
    TColor32 FPenColor = White32;
    float FStippleCounter = 0;
    TArrayOfColor32 FStipplePattern;
    float FStippleStep = 1.0f;
    TAreaChangedEvent FOldOnAreaChanged;
    bool FMeasuringMode = false;
    TCustomResampler* FResampler = nullptr;
    TPlatformHandle FFontHandle = nullptr;
    int FRasterX = 0;
    int FRasterY = 0;
    TFixed FRasterXF = 0;
    TFixed FRasterYF = 0;
};

// The text helpers of RenderText: each non-zero pixel of Dst becomes Color with the pixel's
// blue byte as alpha; each pixel of Dst becomes Color with the average blue byte of its
// 2^N x 2^N block of Src as alpha (Src must be 2^N times Dst's size).
void TextBlueToAlpha(TBitmap32* Dst, TColor32 Color);
void TextScaleDown(TBitmap32* Dst, TBitmap32* Src, int N, TColor32 Color);
// Recreates Font's handle from its properties with the platform font quality Quality:
// 0 default, 3 not antialiased, 4 antialiased.
void SetFontAntialiasing(TFont* Font, Cardinal Quality);

} // namespace Bmp32

DECLARE_UNIT(Bmp32)

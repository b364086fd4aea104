// Unit Bmp32_Polygons: the aliased scan-line fill of polygons given as 16.16 vertices, the
// stroking of poly-lines, bounds and point tests, and TPolygon32, which holds poly-lines
// with their drawing options.
//
// Vertices round to pixels as (v + 0x7FFF) shifted arithmetically right by 16, so an exact
// half goes down (0.5 to 0, -0.5 to -1). Each polygon edge adds one crossing per pixel row
// to a table of rows (X in 1/256 pixel, bit 31 the direction); sorted rows are filled in
// spans, even-odd (pfAlternate) or by winding (pfWinding). A transformation, when given,
// maps every vertex first.
#pragma once

#include "bitmap32/Bmp32.h"
#include "bitmap32/Bmp32_Transforms.h"
#include "classlib/UnitInit.h"

#include <vector>

namespace Bmp32 {

using TArrayOfFixedPoint = std::vector<TFixedPoint>;
using TArrayOfArrayOfFixedPoint = std::vector<TArrayOfFixedPoint>;

enum TPolyFillMode : Byte { pfAlternate, pfWinding };
enum TAntialiasMode : Byte { am32times, am16times, am8times, am4times, am2times };

// Writes one span of Length pixels from Dst (pixel (DstX, DstY)); AlphaValues holds the
// coverage of each pixel, or is null when all are covered.
using TFillLineEvent = TEvent<void(TColor32* Dst, int DstX, int DstY, int Length,
                                   const Cardinal* AlphaValues)>;

class TCustomPolygonFiller : public TObject {
    DECLARE_CLASS(TCustomPolygonFiller, TObject)
public:
    // Null when it cannot fill.
    virtual TFillLineEvent GetFillLine() = 0;
};

// Aliased fills. Fewer than three vertices (in every poly-line), a zero-alpha colour or an
// empty row range draw and announce nothing; otherwise the bounds of the vertices (after the
// transformation) are announced, in measuring mode without drawing.
void PolygonTS(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points, TColor32 Color,
               TPolyFillMode Mode = pfAlternate, TTransformation* Transformation = nullptr);
void PolygonTS(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points,
               const TFillLineEvent& FillLineCallback, TPolyFillMode Mode = pfAlternate,
               TTransformation* Transformation = nullptr);
void PolygonTS(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points, TCustomPolygonFiller* Filler,
               TPolyFillMode Mode = pfAlternate, TTransformation* Transformation = nullptr);
void PolyPolygonTS(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points, TColor32 Color,
                   TPolyFillMode Mode = pfAlternate, TTransformation* Transformation = nullptr);
void PolyPolygonTS(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points,
                   const TFillLineEvent& FillLineCallback, TPolyFillMode Mode = pfAlternate,
                   TTransformation* Transformation = nullptr);
void PolyPolygonTS(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points,
                   TCustomPolygonFiller* Filler, TPolyFillMode Mode = pfAlternate,
                   TTransformation* Transformation = nullptr);

// Antialiased fills on a grid of 2 to 32 sub-samples per pixel and axis (by AntialiasMode):
// each pixel's alpha is its covered share (251 at most with am32times), multiplied by the
// colour's alpha; a callback gets the uncut coverage alphas. The bounds of the vertices as
// given (before the transformation) are announced, in measuring mode without drawing;
// nothing is announced when nothing could be drawn.
void PolygonXS(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points, TColor32 Color,
               TPolyFillMode Mode = pfAlternate, TAntialiasMode AntialiasMode = am8times,
               TTransformation* Transformation = nullptr);
void PolygonXS(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points,
               const TFillLineEvent& FillLineCallback, TPolyFillMode Mode = pfAlternate,
               TAntialiasMode AntialiasMode = am8times, TTransformation* Transformation = nullptr);
void PolygonXS(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points, TCustomPolygonFiller* Filler,
               TPolyFillMode Mode = pfAlternate, TAntialiasMode AntialiasMode = am8times,
               TTransformation* Transformation = nullptr);
void PolyPolygonXS(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points, TColor32 Color,
                   TPolyFillMode Mode = pfAlternate, TAntialiasMode AntialiasMode = am8times,
                   TTransformation* Transformation = nullptr);
void PolyPolygonXS(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points,
                   const TFillLineEvent& FillLineCallback, TPolyFillMode Mode = pfAlternate,
                   TAntialiasMode AntialiasMode = am8times, TTransformation* Transformation = nullptr);
void PolyPolygonXS(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points,
                   TCustomPolygonFiller* Filler, TPolyFillMode Mode = pfAlternate,
                   TAntialiasMode AntialiasMode = am8times, TTransformation* Transformation = nullptr);

// Fills spans from Pattern (not owned), tiled from (OffsetX, OffsetY), written by the
// pattern's draw mode; no routine for a missing pattern, dmTransparent or dmCustom without
// a handler.
class TBitmapPolygonFiller : public TCustomPolygonFiller {
    DECLARE_CLASS(TBitmapPolygonFiller, TCustomPolygonFiller)
public:
    TBitmap32* Pattern = nullptr;
    int OffsetX = 0;
    int OffsetY = 0;

    TFillLineEvent GetFillLine() override;

private:
    void FillLineOpaque(TColor32* Dst, int DstX, int DstY, int Length, const Cardinal* AlphaValues);
    void FillLineBlend(TColor32* Dst, int DstX, int DstY, int Length, const Cardinal* AlphaValues);
    void FillLineBlendMasterAlpha(TColor32* Dst, int DstX, int DstY, int Length,
                                  const Cardinal* AlphaValues);
    void FillLineCustomCombine(TColor32* Dst, int DstX, int DstY, int Length,
                               const Cardinal* AlphaValues);
    // Calls Write(destination pixel, pattern pixel, coverage or -1) along the span.
    template <typename TWrite>
    void ForSpan(TColor32* Dst, int DstX, int DstY, int Length, const Cardinal* AlphaValues,
                 TWrite Write);
};

// Line strips: TS with 1-pixel lines between rounded vertices (blended below alpha 255),
// AS antialiased between rounded vertices, XS antialiased at full precision, XSP with the
// bitmap's stipple pattern. Each ends with the bitmap's Changed.
void PolylineTS(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points, TColor32 Color,
                bool Closed = false, TTransformation* Transformation = nullptr);
void PolylineAS(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points, TColor32 Color,
                bool Closed = false, TTransformation* Transformation = nullptr);
void PolylineXS(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points, TColor32 Color,
                bool Closed = false, TTransformation* Transformation = nullptr);
void PolylineXSP(TBitmap32* Bitmap, const TArrayOfFixedPoint& Points, bool Closed = false,
                 TTransformation* Transformation = nullptr);
void PolyPolylineTS(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points, TColor32 Color,
                    bool Closed = false, TTransformation* Transformation = nullptr);
void PolyPolylineAS(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points, TColor32 Color,
                    bool Closed = false, TTransformation* Transformation = nullptr);
void PolyPolylineXS(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points, TColor32 Color,
                    bool Closed = false, TTransformation* Transformation = nullptr);
void PolyPolylineXSP(TBitmap32* Bitmap, const TArrayOfArrayOfFixedPoint& Points,
                     bool Closed = false, TTransformation* Transformation = nullptr);

// Without vertices: (0x7F000000, 0x7F000000, -0x7F000000, -0x7F000000).
TFixedRect PolygonBounds(const TArrayOfFixedPoint& Points);
TFixedRect PolyPolygonBounds(const TArrayOfArrayOfFixedPoint& Points);
// Crossing-number test.
bool PtInPolygon(const TFixedPoint& Pt, const TArrayOfFixedPoint& Points);

// One or more poly-lines (never none) with their drawing options. Takes no lock itself.
class TPolygon32 : public TThreadPersistent {
    DECLARE_CLASS(TPolygon32, TThreadPersistent)
public:
    // One empty poly-line.
    TPolygon32();
    ~TPolygon32() override;

    bool GetAntialiased() const { return FAntialiased; }
    void SetAntialiased(bool Value) { FAntialiased = Value; }
    TAntialiasMode GetAntialiasMode() const { return FAntialiasMode; }
    void SetAntialiasMode(TAntialiasMode Value) { FAntialiasMode = Value; }
    bool GetClosed() const { return FClosed; }
    void SetClosed(bool Value) { FClosed = Value; }
    TPolyFillMode GetFillMode() const { return FFillMode; }
    void SetFillMode(TPolyFillMode Value) { FFillMode = Value; }
    const TArrayOfArrayOfFixedPoint& GetPoints() const { return FPoints; }
    // One unit normal per vertex, filled by BuildNormals; emptied when vertices are added.
    const TArrayOfArrayOfFixedPoint& GetNormals() const { return FNormals; }

    // To the last poly-line.
    void Add(const TFixedPoint& P);
    void AddPoints(const TFixedPoint* First, int Count);
    void NewLine();
    // One empty poly-line remains.
    void Clear();
    void Offset(TFixed Dx, TFixed Dy);
    // Every vertex mapped through Transformation; the normals stay.
    void Transform(TTransformation* Transformation);
    TFixedRect GetBoundingRect() const { return PolyPolygonBounds(FPoints); }
    bool ContainsPoint(const TFixedPoint& P) const;

    virtual void AssignProperties(TPolygon32* Dest);

    // Fill (unless its colour is transparent), then outline (likewise); then the bitmap's
    // Changed. Antialiased polygons are filled by AntialiasMode.
    void Draw(TBitmap32* Bitmap, TColor32 OutlineColor, TColor32 FillColor,
              TTransformation* Transformation = nullptr);
    void Draw(TBitmap32* Bitmap, TColor32 OutlineColor, const TFillLineEvent& FillCallback,
              TTransformation* Transformation = nullptr);
    void Draw(TBitmap32* Bitmap, TColor32 OutlineColor, TCustomPolygonFiller* Filler,
              TTransformation* Transformation = nullptr);
    void DrawEdge(TBitmap32* Bitmap, TColor32 Color, TTransformation* Transformation = nullptr);
    void DrawFill(TBitmap32* Bitmap, TColor32 Color, TTransformation* Transformation = nullptr);
    void DrawFill(TBitmap32* Bitmap, const TFillLineEvent& FillCallback,
                  TTransformation* Transformation = nullptr);
    void DrawFill(TBitmap32* Bitmap, TCustomPolygonFiller* Filler,
                  TTransformation* Transformation = nullptr);

    void BuildNormals();
    // A new polygon (the caller's) whose vertices move by Delta along their normals: a
    // bevel where the corner is sharper than EdgeSharpness allows, a mitre otherwise.
    TPolygon32* Grow(TFixed Delta, float EdgeSharpness = 0);
    // A new polygon (the caller's) tracing each poly-line forward and back.
    TPolygon32* Outline();

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    template <typename F> void Bracketed(TBitmap32* Bitmap, F Action);
    void FillInColor(TBitmap32* Bitmap, TColor32 Color, TTransformation* Transformation);
    void StrokeOutline(TBitmap32* Bitmap, TColor32 Color, TTransformation* Transformation);

    bool FAntialiased = false;
    bool FClosed = true;
    TPolyFillMode FFillMode = pfAlternate;
    TArrayOfArrayOfFixedPoint FNormals;
    TArrayOfArrayOfFixedPoint FPoints;
    TAntialiasMode FAntialiasMode = am8times;
};

} // namespace Bmp32

DECLARE_UNIT(Bmp32_Polygons)

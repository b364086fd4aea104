// The small drawing utilities every skinned element shares: rectangle tests, text
// fitting and output, the parent's picture behind a control, fallback glyphs, a glyph
// strip's frames, the screen, layered-window alpha, JPEG pictures and dates. The skin
// description codecs, image composition and regions are in the Skutils_ areas.
#pragma once

#include "skin/data/Skutils_Codecs.h"
#include "skin/data/Skutils_Geometry.h"
#include "skin/data/Skutils_Images.h"

#include "classlib/Graphics.h"
#include "classlib/JpegImage.h"

class TControl;

// Both corners of R1 inside R2 by the system's PtInRect (right and bottom excluded).
bool RectInRect(const TRect& R1, const TRect& R2);
// Moves R to the centre of Bounds (halves truncated) and returns it.
TRect RectToCenter(TRect& R, const TRect& Bounds);

// Shortens S from its end until S + "..." fits W; the result then ends in "...".
void CorrectTextbyWidth(TCanvas* Cnvs, AnsiString& S, int W);
// The same for a text drawn into Room: it fits with the pixels its glyphs draw past their
// advances (TCanvas::TextOverhang), so that no letter is cut at Room's edge.
void FitTextToRoom(TCanvas* Cnvs, AnsiString& S, int Room);
// The same, shortened in its middle: S keeps its start and its end around "...", so that a
// name still shows how it begins and ends; "..." alone when no character fits beside it.
void FitTextToRoomInMiddle(TCanvas* Cnvs, AnsiString& S, int Room);
// Single line, vertically centred, left aligned.
void SKDrawText(TCanvas* Cnvs, const AnsiString& S, const TRect& R);
// S clipped to R, 2 pixels in (plus AOffset), vertically centred.
void SKDrawText2(TCanvas* Cnvs, const AnsiString& S, const TRect& R);
void SKDrawText3(TCanvas* Cnvs, const AnsiString& S, const TRect& R, int AOffset);

// Paints into Dest, at Control's place, what lies under it: the parent's background and
// the window-less and custom-drawn siblings before it (their custom-drawn children too).
void GetParentImage(TControl* Control, TCanvas* Dest);
// The same for window-less controls: the parent and the window-less siblings before it.
void GetParentImage2(TControl* Control, TCanvas* Dest);

// Sets a flag for its own lifetime, however the work ends.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& Flag) : FFlag(Flag) { FFlag = true; }
    ~TFlagGuard() { FFlag = false; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& FFlag;
};

void DrawTrackArrowImage(TCanvas* Cnvs, const TRect& R, TColor Color);
// Direction 1 left, 2 right, 3 up, 4 down; any other value only sets the pen colour.
void DrawArrowImage(TCanvas* Cnvs, const TRect& R, TColor Color, int Direction);
void DrawRadioImage(TCanvas* Cnvs, int X, int Y, TColor Color);
void DrawCheckImage(TCanvas* Cnvs, int X, int Y, TColor Color);
void DrawCloseImage(TCanvas* Cnvs, int X, int Y, TColor Color);
void DrawRCloseImage(TCanvas* Cnvs, const TRect& R, TColor Color);
void DrawSysMenuImage(TCanvas* Cnvs, int X, int Y, TColor Color);
void DrawMinimizeImage(TCanvas* Cnvs, int X, int Y, TColor Color);
void DrawMaximizeImage(TCanvas* Cnvs, int X, int Y, TColor Color);
void DrawRestoreImage(TCanvas* Cnvs, int X, int Y, TColor Color);
void DrawRollUpImage(TCanvas* Cnvs, int X, int Y, TColor Color);
void DrawRestoreRollUpImage(TCanvas* Cnvs, int X, int Y, TColor Color);
void DrawMTImage(TCanvas* Cnvs, int X, int Y, TColor Color);
void Frm3D(TCanvas* Cnvs, TRect R, TColor TopColor, TColor BottomColor);
// Frame Number (from 1) of the horizontal strip FB of Count frames (a Count below 1
// counts as 1), drawn transparently at (X, Y).
void DrawGlyph(TCanvas* Cnvs, int X, int Y, TBitmap* FB, int Count, int Number);

void GetScreenImage(int X, int Y, TBitmap* B);
void GetWindowsVersion(int& Major, int& Minor);
bool CheckWXP();
bool CheckW2KWXP();
// The layered window's constant alpha, through "SetLayeredWindowAttributes" looked up
// in "USER32" at each call; nothing when the system has none.
void SetAlphaBlendTransparent(HWND WHandle, Byte Value);

// True when FileName contains ".jpg" or ".jpeg" (case-sensitive).
bool IsJpegFile(const AnsiString& FileName);
void LoadFromJPegImage(TBitmap* B, TJPEGImage* J);
void LoadFromJpegStream(TBitmap* B, TStream* Stream);
void LoadFromJpegFile(TBitmap* B, const AnsiString& FileName);

int ExtractDay(TDateTime D);
int ExtractMonth(TDateTime D);
int ExtractYear(TDateTime D);
// The skin's own calendar rule, apart from the other libraries' ones.
namespace Skutils {
bool IsLeapYear(int Year);
}
// 0 outside the months 1 to 12.
int DaysPerMonth(int Year, int Month);

// Small routines the grid library's components share: resources, keyboard and
// mouse state, numbers and pointers, words and real-number texts, fonts and
// text fitting, button frames and transparent or disabled bitmaps.
#pragma once

#include "classlib/Controls.h"
#include "classlib/Graphics.h"
#include "classlib/Types.h"
#include "grid/gcldata.h"

#include "classlib/Platform.h"

class TBitmap;
class TComponent;

// ---- Resources and input state (gclmisc.cpp) -------------------------------

// Bitmaps and cursors by resource name from the module holding the library.
HBITMAP LoadBaseBitmap(const char* Name);
HCURSOR LoadBaseCursor(const char* Name);

// VK_LBUTTON, or VK_RBUTTON when the system swaps the buttons.
int GetLeftButton();
// 2 Shift, + 4 Ctrl, + 8 Alt: the shift-state bits of the command records.
Byte GetShiftFlags();
// The key-state source GetShiftFlags reads (GetKeyState by default); tests put
// their own here. Returns the previous one; null restores the system's.
using TGclKeyStateFunc = SHORT (*)(int VirtualKey);
TGclKeyStateFunc SetGclKeyStateSource(TGclKeyStateFunc Source);

bool IsForegroundTask();
HWND GetNextDlgItem(HWND Wnd);
// The current year rounded down to a multiple of 100.
int DefaultEpoch();
// Base followed by the smallest number from 1 up that Parent does not know;
// EComponentError when Base is not a valid identifier.
AnsiString GenerateComponentName(TComponent* Parent, const AnsiString& Base);
void DebugOutput(const AnsiString& S);

// ---- Numbers, pointers and memory ------------------------------------------

inline int MinI(int A, int B) { return A < B ? A : B; }
inline int MaxI(int A, int B) { return A > B ? A : B; }
inline int MinL(int A, int B) { return A < B ? A : B; }
inline int MaxL(int A, int B) { return A > B ? A : B; }
inline int WidthOf(const TRect& R) { return R.Right - R.Left; }
inline int HeightOf(const TRect& R) { return R.Bottom - R.Top; }
inline void* PtrInc(void* P, Word Delta) { return static_cast<Byte*>(P) + Delta; }
inline void* PtrDec(void* P, Word Delta) { return static_cast<Byte*>(P) - Delta; }
// The low 16 bits of P1 - P2.
inline Word PtrDiff(const void* P1, const void* P2) {
    return static_cast<Word>(static_cast<const Byte*>(P1) - static_cast<const Byte*>(P2));
}
// 0 when equal, -1 when the first differing byte of S1 is smaller, else 1.
int CompStruct(const void* S1, const void* S2, std::size_t Size);

// ---- Words and number texts ------------------------------------------------

int WordCount(const AnsiString& S, const TGclCharSet& Delims);
// 1-based position of the N-th word's first character; 0 when there are fewer.
int WordPosition(int N, const AnsiString& S, const TGclCharSet& Delims);
AnsiString ExtractWord(int N, const AnsiString& S, const TGclCharSet& Delims);
// Both non-empty and equal over the shorter length, ignoring case.
bool PartialCompare(const AnsiString& S1, const AnsiString& S2);
// Copies Src turning a lone line feed into CR LF; at most Size - 1 characters
// and a terminator (nothing at all for Size 0).
void FixTextBuffer(const char* Src, char* Dest, std::size_t Size);
// Normalises a real-number text in place for conversion; P holds Size bytes.
void FixRealPrim(char* P, std::size_t Size, char DecimalChar);

// ---- Fonts and text fitting (gclmisc_Draw.cpp) -----------------------------

// The new control look of Windows 95 and later (true), or the flat look before it; the
// edits' heights, text margins and button frames follow it.
extern bool NewStyleControls;

HFONT CreateRotatedFont(TFont* Font, int Angle);
// The height of a one-line edit in Font: the text height and room for the border of the
// control look (3-D or flat).
int GetEditHeight(TFont* Font, bool Ctl3D);
int GetTopTextMargin(TFont* Font, TBorderStyle BorderStyle, int Height, bool Ctl3D);
AnsiString GetDisplayString(TCanvas* Canvas, const AnsiString& S, int MinChars, int MaxWidth);
AnsiString PathEllipsis(const AnsiString& S, int MaxWidth);

// ---- Bitmaps and frames ------------------------------------------------------

enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };

TRect DrawButtonFrame(TCanvas* Canvas, const TRect& Client, bool IsDown, bool IsFlat,
                      TButtonStyle Style);
TBitmap* CreateDisabledBitmap(TBitmap* Bitmap, TColor TransparentColor);
void DrawTransparentBitmap(TCanvas* Canvas, int X, int Y, int W, int H, const TRect& Rect,
                           TBitmap* Bitmap, TColor TransparentColor);
// Stretches the source onto the destination through a monochrome mask: where the
// mask is white the destination stays.
bool TransStretchBlt(HDC DstDC, int DstX, int DstY, int DstW, int DstH, HDC SrcDC, int SrcX,
                     int SrcY, int SrcW, int SrcH, HDC MaskDC, int MaskX, int MaskY);
void CopyParentImage(TControl* Control, TCanvas* Canvas);
void GetRGB(TColor Color, Byte& R, Byte& G, Byte& B);

// The library's error beep (the system's default sound), replaceable so that tests
// count beeps; returns the previous routine.
using TGclBeepProc = void (*)();
TGclBeepProc SetGclBeepProc(TGclBeepProc Proc);
void GclBeep();

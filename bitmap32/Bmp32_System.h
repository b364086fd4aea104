// Unit Bmp32_System: a stopwatch over the system's high-resolution performance counter, the
// visual-style functions of uxtheme.dll (loaded on first use when present) with the two theme
// handles the library draws with, and the processor feature test of Bmp32_CpuFeatures.h.
#pragma once

#include "bitmap32/Bmp32_CpuFeatures.h"
#include "classlib/Exceptions.h"
#include "classlib/Messages.h"
#include "classlib/Objects.h"
#include "classlib/UnitInit.h"

#include <functional>

#include "classlib/Platform.h"

namespace Bmp32 {

// ---- Performance timer --------------------------------------------------------------------

// Reads a 64-bit counter value.
using TCounterReader = std::function<Int64()>;

class TPerfTimer : public TObject {
    DECLARE_CLASS(TPerfTimer, TObject)
public:
    // Over the system's performance counter.
    TPerfTimer();
    // Over another clock: its count and its counts per second.
    TPerfTimer(TCounterReader Counter, TCounterReader Frequency);

    void Start();
    // Each read first takes the current count as the stop count.
    // Microseconds from Start to now, rounded to nearest. Raises EDivByZero for a clock with a
    // zero frequency and EIntOverflow when the elapsed count times a million leaves 64 bits.
    Int64 ReadValue();
    // ReadValue as decimal text.
    AnsiString ReadNanoseconds();
    // ReadValue / 1000 as the class library's floating-point text.
    AnsiString ReadMilliseconds();

private:
    TCounterReader FCounter;
    TCounterReader FFrequency;
    Int64 FFrequencyValue = 0;
    Int64 FStartCount = 0;
    Int64 FStopCount = 0;
};

// Made at the unit's start-up, freed at its shut-down.
extern TPerfTimer* GlobalPerfTimer;

// ---- Visual styles ------------------------------------------------------------------------

using HTHEME = HANDLE;

struct TThemeMargins {
    int cxLeftWidth;
    int cxRightWidth;
    int cyTopHeight;
    int cyBottomHeight;
};

using TOpenThemeData = HTHEME(WINAPI*)(HWND Wnd, LPCWSTR ClassList);
using TCloseThemeData = HRESULT(WINAPI*)(HTHEME Theme);
using TDrawThemeBackground = HRESULT(WINAPI*)(HTHEME Theme, HDC DC, int PartId, int StateId,
                                              const RECT* Rect, const RECT* ClipRect);
using TDrawThemeEdge = HRESULT(WINAPI*)(HTHEME Theme, HDC DC, int PartId, int StateId,
                                        const RECT* DestRect, UINT Edge, UINT Flags,
                                        RECT* ContentRect);
using TGetThemeColor = HRESULT(WINAPI*)(HTHEME Theme, int PartId, int StateId, int PropId,
                                        COLORREF* Color);
using TGetThemeMetric = HRESULT(WINAPI*)(HTHEME Theme, HDC DC, int PartId, int StateId, int PropId,
                                         int* Value);
using TGetThemeMargins = HRESULT(WINAPI*)(HTHEME Theme, HDC DC, int PartId, int StateId, int PropId,
                                          RECT* Rect, TThemeMargins* Margins);
using TSetWindowTheme = HRESULT(WINAPI*)(HWND Wnd, LPCWSTR SubAppName, LPCWSTR SubIdList);
using TIsThemeActive = BOOL(WINAPI*)();
using TIsAppThemed = BOOL(WINAPI*)();
using TEnableTheming = HRESULT(WINAPI*)(BOOL Enable);

// Null while the theme library is not loaded.
extern TOpenThemeData OpenThemeData;
extern TCloseThemeData CloseThemeData;
extern TDrawThemeBackground DrawThemeBackground;
extern TDrawThemeEdge DrawThemeEdge;
extern TGetThemeColor GetThemeColor;
extern TGetThemeMetric GetThemeMetric;
extern TGetThemeMargins GetThemeMargins;
extern TSetWindowTheme SetWindowTheme;
extern TIsThemeActive IsThemeActive;
extern TIsAppThemed IsAppThemed;
extern TEnableTheming EnableTheming;

// Whether the library draws with the theme handles; the handles are 0 while closed. They
// are opened by VisualStylesNeeded, which every drawing that reads them calls first.
extern bool USE_THEMES;
extern HTHEME SCROLLBAR_THEME;
extern HTHEME GLOBALS_THEME;

// Loads the theme library unless it is loaded, and looks its functions up; a library without
// OpenThemeData, CloseThemeData, IsThemeActive, IsAppThemed or EnableTheming is freed again.
// True when the library is loaded.
bool LoadThemeLibrary(const char* LibraryName = "uxtheme.dll");
// Frees the library and clears every function variable.
void FreeThemeLibrary();
// The library is loaded and both the application and the system use a theme.
bool ThemesInUse();
// Loads the library and, when themes are in use, opens the two theme handles for Window.
void OpenVisualStyles(HWND Window);
// Closes the theme handles and frees the library.
void CloseVisualStyles();

// A hidden window that reopens the theme handles whenever the system's theme changes.
class TThemeNexus : public TObject {
    DECLARE_CLASS(TThemeNexus, TObject)
public:
    // Makes the window, then opens the visual styles.
    TThemeNexus();
    // Closes the visual styles and releases the window.
    ~TThemeNexus() override;

    HWND GetWindowHandle() const { return FWindowHandle; }

private:
    void WndProc(TMessage& Message);

    HWND FWindowHandle = nullptr;
};

// Made by the first VisualStylesNeeded, freed at the unit's shut-down.
extern TThemeNexus* ThemeNexus;

// Opens the theme handles on first use (a program that never draws themed parts never pays
// for them): makes ThemeNexus unless it exists.
void VisualStylesNeeded();

} // namespace Bmp32

DECLARE_UNIT(Bmp32_System)

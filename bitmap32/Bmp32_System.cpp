#include "bitmap32/Bmp32_System.h"

#include "classlib/Exceptions.h"
#include "classlib/HiddenWindow.h"
#include "classlib/Strings.h"

#include <cmath>

namespace Bmp32 {

// ---- Performance timer --------------------------------------------------------------------

TPerfTimer* GlobalPerfTimer = nullptr;

namespace {

Int64 SystemCounter() {
    LARGE_INTEGER value;
    QueryPerformanceCounter(&value);
    return value.QuadPart;
}

Int64 SystemFrequency() {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return value.QuadPart;
}

} // namespace

TPerfTimer::TPerfTimer() : TPerfTimer(SystemCounter, SystemFrequency) {}

TPerfTimer::TPerfTimer(TCounterReader Counter, TCounterReader Frequency)
    : FCounter(std::move(Counter)), FFrequency(std::move(Frequency)) {}

void TPerfTimer::Start() {
    FStartCount = FCounter();
}

Int64 TPerfTimer::ReadValue() {
    FStopCount = FCounter();
    FFrequencyValue = FFrequency();
    if (FFrequencyValue == 0) throw EDivByZero("The performance counter has no frequency");
    Int64 elapsed, scaled;
    if (__builtin_sub_overflow(FStopCount, FStartCount, &elapsed) ||
        __builtin_mul_overflow(elapsed, Int64(1000000), &scaled))
        throw EIntOverflow("Elapsed time out of range");
    return Int64(std::nearbyintl(static_cast<long double>(scaled) / FFrequencyValue));
}

AnsiString TPerfTimer::ReadNanoseconds() {
    return IntToStr(ReadValue());
}

AnsiString TPerfTimer::ReadMilliseconds() {
    return FloatToStr(double(ReadValue()) / 1000);
}

// ---- Visual styles ------------------------------------------------------------------------

TOpenThemeData OpenThemeData = nullptr;
TCloseThemeData CloseThemeData = nullptr;
TDrawThemeBackground DrawThemeBackground = nullptr;
TDrawThemeEdge DrawThemeEdge = nullptr;
TGetThemeColor GetThemeColor = nullptr;
TGetThemeMetric GetThemeMetric = nullptr;
TGetThemeMargins GetThemeMargins = nullptr;
TSetWindowTheme SetWindowTheme = nullptr;
TIsThemeActive IsThemeActive = nullptr;
TIsAppThemed IsAppThemed = nullptr;
TEnableTheming EnableTheming = nullptr;

bool USE_THEMES = false;
HTHEME SCROLLBAR_THEME = nullptr;
HTHEME GLOBALS_THEME = nullptr;

TThemeNexus* ThemeNexus = nullptr;

namespace {

HMODULE ThemeLibrary = nullptr;

template <typename Function> void LookUp(Function& Variable, const char* Name) {
    Variable =
        reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(ThemeLibrary, Name)));
}

} // namespace

bool LoadThemeLibrary(const char* LibraryName) {
    if (ThemeLibrary) return true;
    ThemeLibrary = LoadLibraryA(LibraryName);
    if (!ThemeLibrary) return false;
    LookUp(OpenThemeData, "OpenThemeData");
    LookUp(CloseThemeData, "CloseThemeData");
    LookUp(DrawThemeBackground, "DrawThemeBackground");
    LookUp(DrawThemeEdge, "DrawThemeEdge");
    LookUp(GetThemeColor, "GetThemeColor");
    LookUp(GetThemeMetric, "GetThemeMetric");
    LookUp(GetThemeMargins, "GetThemeMargins");
    LookUp(SetWindowTheme, "SetWindowTheme");
    LookUp(IsThemeActive, "IsThemeActive");
    LookUp(IsAppThemed, "IsAppThemed");
    LookUp(EnableTheming, "EnableTheming");
    if (!OpenThemeData || !CloseThemeData || !IsThemeActive || !IsAppThemed || !EnableTheming)
        FreeThemeLibrary();
    return ThemeLibrary != nullptr;
}

void FreeThemeLibrary() {
    if (!ThemeLibrary) return;
    FreeLibrary(ThemeLibrary);
    ThemeLibrary = nullptr;
    OpenThemeData = nullptr;
    CloseThemeData = nullptr;
    DrawThemeBackground = nullptr;
    DrawThemeEdge = nullptr;
    GetThemeColor = nullptr;
    GetThemeMetric = nullptr;
    GetThemeMargins = nullptr;
    SetWindowTheme = nullptr;
    IsThemeActive = nullptr;
    IsAppThemed = nullptr;
    EnableTheming = nullptr;
}

bool ThemesInUse() {
    return ThemeLibrary && IsAppThemed() && IsThemeActive();
}

void OpenVisualStyles(HWND Window) {
    USE_THEMES = false;
    if (!LoadThemeLibrary()) return;
    USE_THEMES = ThemesInUse();
    if (!USE_THEMES) return;
    SCROLLBAR_THEME = OpenThemeData(Window, L"SCROLLBAR");
    GLOBALS_THEME = OpenThemeData(Window, L"GLOBALS");
}

void CloseVisualStyles() {
    // Handles opened while themes were in use are closed even when the system has since
    // turned them off, so none is left open.
    if (ThemeLibrary) {
        if (SCROLLBAR_THEME) CloseThemeData(SCROLLBAR_THEME);
        if (GLOBALS_THEME) CloseThemeData(GLOBALS_THEME);
    }
    SCROLLBAR_THEME = nullptr;
    GLOBALS_THEME = nullptr;
    FreeThemeLibrary();
}

TThemeNexus::TThemeNexus() {
    FWindowHandle = AllocateHWnd(TWndMethod(this, &TThemeNexus::WndProc));
    OpenVisualStyles(FWindowHandle);
}

TThemeNexus::~TThemeNexus() {
    CloseVisualStyles();
    DeallocateHWnd(FWindowHandle);
}

void TThemeNexus::WndProc(TMessage& Message) {
    if (Message.Msg == WM_THEMECHANGED) {
        CloseVisualStyles();
        OpenVisualStyles(FWindowHandle);
    }
    DefaultWindowHandler(FWindowHandle, Message);
}

void VisualStylesNeeded() {
    if (!ThemeNexus) ThemeNexus = new TThemeNexus;
}

} // namespace Bmp32

namespace {

void InitializeSystem() {
    Bmp32::GlobalPerfTimer = new Bmp32::TPerfTimer;
}

void FinalizeSystem() {
    delete Bmp32::GlobalPerfTimer;
    Bmp32::GlobalPerfTimer = nullptr;
    delete Bmp32::ThemeNexus;
    Bmp32::ThemeNexus = nullptr;
}

} // namespace

DEFINE_UNIT(Bmp32_System, uoBmp32System, InitializeSystem, FinalizeSystem);

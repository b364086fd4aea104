// Skinned hints. TskSkinHintWindow is the application's hint window drawn from the skin's
// [HINTWINDOW] record (a plain system-coloured hint without one); TskSkinHint, dropped on
// the main form, makes it the application's hint window class, forwards the application's
// OnShowHint, and shows the timed hints of a skinned form's frame objects in a window of
// its own.
#pragma once

#include "skin/data/SkinData.h"

#include "classlib/Forms.h"
#include "classlib/Hints.h"
#include "classlib/Timers.h"

#include <memory>

DECLARE_UNIT(SkinHint)

class TskSkinHint;

// Where a hint W x H asked for at P goes: moved left by W + 2 where it would pass the
// right edge of WorkArea and up by H + 2 where it would pass the bottom, then kept inside
// WorkArea.
TRect PlaceHintRect(TPoint P, int W, int H, const TRect& WorkArea);
// How far below the hot spot of Cursor its visible image ends, read from the cursor's
// 1-bit mask (the row of its lowest visible pixel); the system's cursor height when the
// cursor tells nothing or has a mask of another depth.
int CursorHeightMargin(HCURSOR Cursor);
// The first active TskSkinHint among the main form's components; null when none.
TskSkinHint* FindHintComponent();

class TskSkinHintWindow : public THintWindow {
    DECLARE_CLASS(TskSkinHintWindow, THintWindow)
public:
    explicit TskSkinHintWindow(TComponent* AOwner);
    ~TskSkinHintWindow() override;

    // Shows AHint with its top-left at Rect's (the size is the window's own), above every
    // other window and without activation. Nothing happens without an active TskSkinHint.
    void ActivateHint(TRect Rect, const AnsiString& AHint) override;
    void ReleaseHandle() override;
    // Hidden by its hint component: what lay under it is no longer known.
    void Hidden();
    TRect CalcHintRect(int MaxWidth, const AnsiString& AHint, void* AData) override;

    // The record's client rectangle and corner points moved for the present size.
    TRect NewClRect;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    // Found at activation; not owned.
    TskSkinHint* GetHintComponent() const { return HintComponent; }
    // The hint component's skin when it has a hint-window picture, else null.
    TskSkinData* GetSkinData() const { return SkinData; }
    // What lay under the window when it was shown: the background of software alpha.
    TBitmap* GetScreenImage() const { return ScreenImage.get(); }
    HRGN GetRegion() const { return Rgn; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WMNCPaint(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinHintWindow, THintWindow)
    MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint)
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
    END_MESSAGE_HANDLERS

private:
    TskDataSkinHintWindow* Record() const;
    TBitmap* WindowPicture() const;
    TBitmap* MaskPicture() const;
    void UseSkin(TskSkinHint* Component);
    void PrepareFont();
    // The window's size for S, no larger than Limit; lays the skin out for it.
    void CalcHintSize(TCanvas* Cnvs, const AnsiString& S, const TSize& Limit, int& H, int& W);
    // Finds the active hint component and sizes the window for S on the work area of the
    // pointer's monitor; false without a component.
    bool Measure(const AnsiString& S, TRect& WorkArea, int& W, int& H);
    void ApplyAlpha();
    void CaptureScreen(const TRect& R);
    void SetHintWindowRegion();

    TskSkinHint* HintComponent = nullptr;
    TskSkinData* SkinData = nullptr;
    std::unique_ptr<TBitmap> ScreenImage;
    // The screen rectangle ScreenImage holds; empty when it holds none.
    TRect CapturedRect;
    HRGN Rgn = nullptr;
    bool CurAlphaBlend = false;
    int CurAlphaBlendValue = 0;
};

class TskSkinHint : public TComponent {
    DECLARE_CLASS(TskSkinHint, TComponent)
public:
    explicit TskSkinHint(TComponent* AOwner);
    ~TskSkinHint() override;
    static void Published(TPropertyList& P);

    // The application's OnShowHint, forwarded while this component is active.
    TShowHintEvent OnShowHint;
    void SelfOnShowHint(AnsiString& HintStr, bool& CanShow, THintInfo& HintInfo);

    // Only one hint component of the main form is active: activating one deactivates the
    // others.
    bool GetActive() const { return FActive; }
    void SetActive(bool Value);
    TskSkinData* GetSkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    // Layered windows may be used for AlphaBlend: only where the system has them as it
    // should (Windows 2000 to XP); elsewhere the hint is blended with the screen by hand.
    bool GetAlphaBlendSupport() const { return FAlphaBlendSupport; }
    void SetAlphaBlendSupport(bool Value);
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);
    bool GetUseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    bool GetAlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
    Byte GetAlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(Byte Value) { FAlphaBlendValue = Value; }

    // Shows S at the screen point P at once.
    void ActivateHint(TPoint P, const AnsiString& S);
    // A frame object's hint: shown after the application's HintPause below the pointer's
    // visible image, hidden after its HintHidePause.
    void ActivateHint2(const AnsiString& S);
    void HideHint();
    bool IsVisible() const;
    int GetCursorHeightMargin();
    TskSkinHintWindow* GetHintWindow() const { return HintWindow; }
    // The timer of the waiting or shown object hint (null when idle) and its two ends,
    // public so that tests can step them.
    TTimer* GetHintTimer() const { return HintTimer; }
    const AnsiString& GetHintText() const { return HintText; }
    void HintTime1(TObject* Sender);
    void HintTime2(TObject* Sender);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void StartHintTimer(int Interval, void (TskSkinHint::*Tick)(TObject*));
    void StopHintTimer();

    bool FActive = true;
    TskSkinData* FSkinData = nullptr;
    TskSkinHintWindow* HintWindow = nullptr;
    bool FAlphaBlendSupport = true;
    std::unique_ptr<TFont> FDefaultFont;
    bool FUseSkinFont = true;
    TTimer* HintTimer = nullptr;
    AnsiString HintText;
    bool FAlphaBlend = false;
    Byte FAlphaBlendValue = 200;
};

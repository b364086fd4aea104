// The windowed skinned control bases: TskSkinControl paints off-screen from the skin or
// in a default look; TskSkinCustomControl adds the corner-point geometry of its record,
// sizes itself to the skin and cuts its window to the record's mask picture.
#pragma once

#include "skin/controls/SkinCtrls_Client.h"
#include "skin/controls/SkinCtrls_Shape.h"

#include "classlib/Timers.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

#include <memory>
#include <vector>

DECLARE_UNIT(SkinCtrls)

// The hover cross-fade of buttons and boxes: a weight from 0 (the normal look) to 1 (the
// active look), stepped by a 20 ms timer that lives while the fade runs.
std::unique_ptr<TTimer> NewFadeTimer(TNotifyEvent Tick);
// One tick toward Lit by 0.1; false once the weight is exactly 1 or 0 (the fade is over).
bool StepFade(double& Kf, bool Lit);

// A press on a control that takes the focus by clicks: an unfocused one takes it first,
// with SettingFocus raised meanwhile. False when it still has no focus: the press is dropped.
bool FocusOnPress(TWinControl* Control, bool& SettingFocus);

// The font skinned controls draw their text in without a skin: Arial, 14 pixels high, plain.
void MakeDefaultSkinFont(TFont* Font);

// The frame of a skinned container or label without a skin. Its own scope keeps its names apart
// from the class library's panel bevels; form resources write "bvFrame" and so on.
enum class TskSkinBorderStyle { bvFrame, bvRaised, bvLowered, bvNone };

// The one-pixel frame of that style round R, in the system's 3-D colours.
void DrawBorderFrame(TCanvas* Canvas, const TRect& R, TskSkinBorderStyle Style);

// The canvas font from the skin (Name, Height, Style, DefaultFont's charset) when UseSkinFont,
// else a copy of DefaultFont.
void SetSkinFont(TCanvas* Canvas, TFont* DefaultFont, bool UseSkinFont, const AnsiString& Name,
                 int Height, TFontStyles Style);
// Answers WM_NCCALCSIZE for a frame Insets wide on each side (Left, Top, Right, Bottom): the
// proposed client rectangle shrinks by them, to nothing at the least.
void AnswerFrameInsets(TMessage& Message, const TRect& Insets);
// The frame round a skin's client rectangle within its skin rectangle, as insets; a client
// rectangle reaching outside the skin's leaves no negative inset.
TRect SkinClientInsets(const TRect& SkinRect, const TRect& ClRect);


class TskSkinControl : public TCustomControl, public TskSkinClient {
    DECLARE_CLASS(TskSkinControl, TCustomControl)
public:
    explicit TskSkinControl(TComponent* AOwner);
    ~TskSkinControl() override;
    static void Published(TPropertyList& P);
    TControl* SkinnedControl() override { return this; }

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    void WMMove(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinControl, TCustomControl)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
    MESSAGE_HANDLER(WM_MOVE, WMMove)
    END_MESSAGE_HANDLERS

protected:
    // Rgn becomes the window region, and the window owns it from then on. A region the window
    // refuses, or one without area (a mask without black), is deleted and leaves the window
    // whole; null removes the region in place.
    void SetWindowRegion(HRGN Rgn);

    // The window region in place; the window owns it.
    HRGN FRgn = nullptr;
};

// The font, size and skin geometry that resizable skinned controls share, windowed or not.
class TskSkinSizing : public TskSkinShape {
public:
    TskSkinSizing();
    virtual ~TskSkinSizing() = default;

    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);
    bool GetUseSkinFont() const { return UseSkinFont; }
    void SetUseSkinFont(bool Value) { UseSkinFont = Value; }
    int GetDefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value);
    int GetDefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);

    // The skin's geometry mapped to W x H, which the skin may change.
    virtual void CalcSize(int& W, int& H);
    // R, given in SkinRect's coordinates, at the control's current size.
    TRect GetNewRect(const TRect& R);
    // Rectangle R of SB at the control's current size, stretched with the corner points.
    void CreateSkinControlImage(TBitmap* B, TBitmap* SB, const TRect& R);

    // The canvas font from the skin (name, height, style, DefaultFont's charset) when
    // UseSkinFont, else a copy of DefaultFont.
    void SetSkinFont(TCanvas* Canvas, const AnsiString& Name, int Height, TFontStyles Style);

    bool UseSkinFont = true;

protected:
    virtual TskSkinClient& Client() = 0;
    // A changed DefaultFont: descendants react here.
    virtual void DefaultFontChange() {}
    // After the client's lookup: the geometry of the record found.
    void ReadRecordShape(int& CursorIndex);
    // Before a change of bounds: a skinned resize maps the geometry and may change the
    // size; true when the region and the look must follow.
    bool FitBounds(int& AWidth, int& AHeight);
    // The skin's size with a record, the default size without one: true when the control
    // was resized (and so already repainted).
    bool ApplySkinSize();

private:
    void DefaultFontChanged(TObject* Sender);

    std::unique_ptr<TFont> FDefaultFont;
    int FDefaultWidth = 0;
    int FDefaultHeight = 0;
};

// The default size with the values the class is made with: a form leaves them out.
template <class C> void PublishDefaultSize(TPropertyList& P, int Width, int Height) {
    using skinctrls_detail::Own;
    P.Add("DefaultWidth", Own<C>(&C::GetDefaultWidth), Own<C>(&C::SetDefaultWidth), Width);
    P.Add("DefaultHeight", Own<C>(&C::GetDefaultHeight), Own<C>(&C::SetDefaultHeight), Height);
}

template <class C> void PublishSkinSizing(TPropertyList& P) {
    using skinctrls_detail::Own;
    P.Add("DefaultFont", Own<C>(&C::GetDefaultFont));
    P.Add("UseSkinFont", Own<C>(&C::GetUseSkinFont), Own<C>(&C::SetUseSkinFont), true);
    PublishDefaultSize<C>(P, 0, 0);
}

class TskSkinCustomControl : public TskSkinControl, public TskSkinSizing {
    DECLARE_CLASS(TskSkinCustomControl, TskSkinControl)
public:
    explicit TskSkinCustomControl(TComponent* AOwner);
    static void Published(TPropertyList& P);

    void GetSkinData() override;
    void ChangeSkinData() override;
    // A skinned size change goes through CalcSize, then the region and a repaint.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // The mask's region with a record and a mask, else none.
    virtual void SetControlRegion();

protected:
    TskSkinClient& Client() override { return *this; }
    void CreateWnd() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void CreateControlRegion();
};

// Hides Parent's visible children and lists them in Hidden. A child's events may roll the
// parent back meanwhile (Hidden is then taken or replaced): the hiding stops there.
void HideChildren(TWinControl* Parent, std::unique_ptr<std::vector<TControl*>>& Hidden);
// Shows those of Hidden's children that are still Parent's and empties Hidden.
void ShowChildren(TWinControl* Parent, std::unique_ptr<std::vector<TControl*>>& Hidden);
// Stacks Buttons, children of Parent, in their order: those up to Last along the top,
// the others along the bottom. One layout places them all, so that each stack follows
// the buttons' order whatever the stacks held before.
void StackInOrder(TWinControl* Parent, const std::vector<TControl*>& Buttons, int Last);

// What every skinned control, windowed or not, holds of the shared skin: the skin data
// object (never owned), the name of its section, the index of its record once looked up,
// the off-screen paint that asks for the skinned or the default image, alpha blending
// with the parent's picture, the skin cursor, and the two calls through which a skin
// change reaches the control.
#pragma once

#include "skin/data/SkinData.h"

#include "classlib/Controls.h"
#include "classlib/Persistence.h"

#include <functional>
#include <vector>

// The part of a Width x Height image that DC shows (its clipping box, within the image): a
// control paints off-screen through a picture of this part only (TBitmapPart), so that its
// cost follows the area being repainted rather than its size.
TRect PaintedPart(HDC DC, int Width, int Height);
// The same as the rectangles of DC's area that the screen shows, for a control that draws
// straight onto the screen: behind its child windows, most of a container's clipping box is
// hidden. The one rectangle PaintedPart gives where the DC cannot tell (a DC of no window, a
// moved origin) or the rectangles would be many; none when nothing shows.
std::vector<TRect> PaintedParts(HDC DC, int Width, int Height);
// The part of a picture that lies at Placed (in DC's coordinates) that DC shows, in the
// picture's own coordinates: a control painting one piece of itself at a time (a header's
// sections) pays for the repainted area of that piece only.
TRect PaintedPartAt(HDC DC, const TRect& Placed);
// The part of a picture that lies at Placed (in Part's coordinates) that falls inside Part,
// in the picture's own coordinates; empty when none does.
TRect PartOfPlaced(const TRect& Part, const TRect& Placed);

// The part of a Width x Height image that DC's window shows on the screen, whatever part of
// it is repainted: the whole image where the DC cannot tell (PaintedParts' cases).
TRect ShownPart(HDC DC, int Width, int Height);

// Draws into Image (the whole of a control's look or a part of it) the look DrawNormal draws
// morphed by Kf towards the look DrawLit draws, with the transition of Kind. Both looks are
// drawn over all of Shown (what the window shows, ShownPart) while that is cheap, so that the
// transition spans what the user sees whatever part is repainted, and no more: a control far
// larger than its window blends only what shows; past that, a control morphs within the part.
void DrawMorphed(TBitmap* Image, const TRect& Shown, TMorphKind Kind, double Kf,
                 const std::function<void(TBitmap*)>& DrawNormal,
                 const std::function<void(TBitmap*)>& DrawLit);

// What a skinned form's relay of a skin change asks of a control that follows the skin,
// whatever its base: the skinned bases answer it, and so do the controls that take their
// font, colours or pictures from a skin without being skinned controls (native views and
// editors, the header control, labels, bevels).
class TskSkinFollower {
public:
    virtual ~TskSkinFollower() = default;

    // The skin data object followed; null for none.
    virtual TskSkinData* GetSkin() const = 0;
    // The skin is about to be replaced: nothing may paint from its records any more.
    virtual void BeforeChangeSkinData() {}
    // The new skin is in place.
    virtual void ChangeSkinData() = 0;
};

class TskSkinClient : public TskSkinFollower {
public:
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // The skin data object the control uses (the SkinData property).
    TskSkinData* GetSkin() const override { return FSD; }
    // Applies a non-empty skin outside design mode; null clears the reference and repaints.
    virtual void SetSkinData(TskSkinData* Value);
    const AnsiString& GetSkinDataName() const { return FSkinDataName; }
    // Only stores: the next lookup uses the new name.
    virtual void SetSkinDataName(const AnsiString& Value) { FSkinDataName = Value; }
    bool GetAlphaBlend() const { return FAlphaBlend; }
    virtual void SetAlphaBlend(bool Value);
    Byte GetAlphaBlendValue() const { return FAlphaBlendValue; }
    virtual void SetAlphaBlendValue(Byte Value);
    bool GetDrawDefault() const { return DrawDefault; }
    void SetDrawDefault(bool Value) { DrawDefault = Value; }
    bool GetUseSkinCursor() const { return UseSkinCursor; }
    void SetUseSkinCursor(bool Value) { UseSkinCursor = Value; }
    const AnsiString& GetAreaName() const { return AreaName; }
    void SetAreaName(const AnsiString& Value) { AreaName = Value; }

    // Looks the record up again (every paint does).
    virtual void GetSkinData();
    // The new skin is in place: look up, cursor, size, repaint.
    void ChangeSkinData() override;
    void BeforeChangeSkinData() override { FIndex = -1; }

    // The record's index in the skin's control list; -1 when unskinned.
    int GetSkinIndex() const { return FIndex; }
    // The control's record; null when unskinned.
    TskDataSkinControl* GetSkinRecord() const;

    bool DrawDefault = true;
    bool UseSkinCursor = false;
    AnsiString AreaName;

    // The control this is the skin of.
    virtual TControl* SkinnedControl() = 0;


protected:
    virtual void CreateControlDefaultImage(TBitmap*) {}
    virtual void CreateControlSkinImage(TBitmap*) {}

    // The cursor of the record, or the default one, when UseSkinCursor is set.
    void ApplySkinCursor();
    // Builds the image of the part Canvas shows off-screen and copies it to Canvas in one step.
    void PaintOffScreen(TCanvas* Canvas);
    // Draws Image (the control's image or a part of it) at its place on Canvas, blended with
    // the parent's picture when AlphaBlend is on.
    void DrawBlended(TCanvas* Canvas, TBitmap* Image);
    // The skin data component goes: the control lets go of it and of everything it kept of
    // it, and shows its default look.
    void SkinNotification(TComponent* AComponent, TOperation Operation);
    // Repaints when the control is blended with what lies under it (it moved).
    void MovedRepaint();

    TskSkinData* FSD = nullptr;
    AnsiString FSkinDataName;
    int FIndex = -1;
    int FSkinCursorIndex = -1;
    bool FAlphaBlend = false;
    Byte FAlphaBlendValue = 200;
};

namespace skinctrls_detail {
// A member of a base class as a member of C, so that C publishes it as its own.
template <class C, class R, class B> auto Own(R (B::*Member)() const) {
    return static_cast<R (C::*)() const>(Member);
}
template <class C, class A, class B> auto Own(void (B::*Member)(A)) {
    return static_cast<void (C::*)(A)>(Member);
}
} // namespace skinctrls_detail

// The properties every skinned control stores in form resources; AlphaBlendValue's default
// is the value the class is made with.
template <class C> void PublishSkinClient(TPropertyList& P, Byte AlphaBlendValueDefault = 200) {
    using skinctrls_detail::Own;
    P.Add("DrawDefault", Own<C>(&C::GetDrawDefault), Own<C>(&C::SetDrawDefault), true);
    P.Add("SkinData", Own<C>(&C::GetSkin), Own<C>(&C::SetSkinData));
    P.Add("AreaName", Own<C>(&C::GetAreaName), Own<C>(&C::SetAreaName));
    P.Add("SkinDataName", Own<C>(&C::GetSkinDataName), Own<C>(&C::SetSkinDataName));
    P.Add("AlphaBlend", Own<C>(&C::GetAlphaBlend), Own<C>(&C::SetAlphaBlend), false);
    P.Add("AlphaBlendValue", Own<C>(&C::GetAlphaBlendValue), Own<C>(&C::SetAlphaBlendValue),
          AlphaBlendValueDefault);
    P.Add("UseSkinCursor", Own<C>(&C::GetUseSkinCursor), Own<C>(&C::SetUseSkinCursor), false);
    P.Add("OnMouseEnter", static_cast<TNotifyEvent C::*>(&C::OnMouseEnter));
    P.Add("OnMouseLeave", static_cast<TNotifyEvent C::*>(&C::OnMouseLeave));
}

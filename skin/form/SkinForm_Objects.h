// The objects on a skinned form's frame: caption buttons, free buttons, the caption and
// areas the application paints. They own no window: the form routes the mouse to the
// object under the pointer, asks them to draw into its frame images or onto its window,
// and steps their hover morphing from its morph timer.
#pragma once

#include "skin/data/SkinData.h"
#include "skin/data/Skutils.h"

#include "classlib/Controls.h"
#include "classlib/Menus.h"

class TskSkinForm;
class TskEffectBmp;

// A picture that is there and has pixels.
bool Usable(TBitmap* B);

// A skin record's font on F: its name when it has one, its style, its height when set.
void SetSkinFont(TFont* F, const AnsiString& Name, TFontStyles Style, int Height);

class TskActiveSkinObject : public TObject {
    DECLARE_CLASS(TskActiveSkinObject, TObject)
public:
    // AData may be null for the plain caption buttons of a form without a skin.
    TskActiveSkinObject(TskSkinForm* AParent, TskDataSkinObject* AData);

    // UpDate: the whole object must be painted; false when the frame image under it
    // already shows its normal look.
    virtual void Draw(TCanvas* Cnvs, bool UpDate);
    virtual void DblClick() {}
    virtual void MouseDown(int X, int Y, TMouseButton Button);
    virtual void MouseUp(int X, int Y, TMouseButton Button);
    virtual void MouseMove(int X, int Y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual bool CanMorphing();
    // What the object's hint says now: its skin's text.
    virtual AnsiString CurrentHint() const { return Hint; }

    // Draws now, or lets the morph timer step towards the new look.
    void Redraw();
    void DoMorphing();
    void SetMorphKf(double Value);

    TskSkinForm* Parent;
    double MorphKf = 0;
    bool MouseIn = false;
    TBitmap* Picture = nullptr;
    TBitmap* ActivePicture = nullptr;
    TskSkinData* SkinData;
    AnsiString IDName;
    AnsiString Hint;
    TRect SkinRect;
    TRect ActiveSkinRect;
    bool Morphing = false;
    TMorphKind MorphKind = mkDefault;
    TRect ObjectRect;
    bool Active = false;
    bool Enabled = true;
    int CursorIndex = -1;
    bool RollUp = false;
    bool Visible = true;
    bool SkinRectInAPicture = false;

protected:
    // The normal look's picture: the active picture when the look is cut from it.
    TBitmap* NormalPicture() const { return SkinRectInAPicture ? ActivePicture : Picture; }
    // Copies Source's rectangle R of Picture onto ObjectRect (nothing without a picture).
    void CopyLook(TCanvas* Cnvs, TBitmap* Source, const TRect& R);
    // Blends the normal look R1 of Source1 and the active look R2 of ActivePicture by MorphKf.
    void DrawMorphed(TCanvas* Cnvs, TBitmap* Source1, const TRect& R1, const TRect& R2);
    bool MorphAtEnd() const { return (Active && MorphKf == 1) || (!Active && MorphKf == 0); }
    // Whether the pointer coming or going changes what the object shows.
    virtual bool HoverChangesLook() const;
};

// Painted by the application through the form's OnPaintEvent.
class TskUserObject : public TskActiveSkinObject {
    DECLARE_CLASS(TskUserObject, TskActiveSkinObject)
public:
    using TskActiveSkinObject::TskActiveSkinObject;
    void Draw(TCanvas* Cnvs, bool UpDate) override;
};

class TskSkinButtonObject : public TskActiveSkinObject {
    DECLARE_CLASS(TskSkinButtonObject, TskActiveSkinObject)
public:
    TskSkinButtonObject(TskSkinForm* AParent, TskDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    void SetDown(bool Value);
    // Opens MenuItem's sub-items under the button.
    void TrackMenu();

    bool Down = false;
    bool MenuPopupUp = false;
    TRect DownRect;
    TRect DisabledSkinRect;
    int GroupIndex = -1;
    TMenuItem* MenuItem = nullptr;

private:
    void ReleaseGroup();
};

class TskSkinStdButtonObject : public TskSkinButtonObject {
    DECLARE_CLASS(TskSkinStdButtonObject, TskSkinButtonObject)
public:
    TskSkinStdButtonObject(TskSkinForm* AParent, TskDataSkinObject* AData);
    // A plain caption button of a form without a skin.
    TskSkinStdButtonObject(TskSkinForm* AParent, const AnsiString& AIDName, TStdCommand ACommand);

    void Draw(TCanvas* Cnvs, bool UpDate) override;
    bool CanMorphing() override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void DblClick() override;
    AnsiString CurrentHint() const override;

    void DoCommand();
    void DoMax();
    void DoMin();
    void DoClose();
    void DoRollUp();
    void DefaultDraw(TCanvas* Cnvs);

    bool SkinDataExists = false;
    TStdCommand Command = cmClose;
    TRect RestoreRect;
    TRect RestoreActiveRect;
    TRect RestoreDownRect;

private:
    bool InRestoreState() const;
    bool DrawsIcon() const;
};

// The form's caption text on the frame: its look stretched or tiled with the frame's
// corner zones, the text optionally on a picture of its own and with a shadow, the
// inactive look rendered with the skin's effect when the skin asks for it.
class TskSkinCaptionObject : public TskActiveSkinObject {
    DECLARE_CLASS(TskSkinCaptionObject, TskActiveSkinObject)
public:
    TskSkinCaptionObject(TskSkinForm* AParent, TskDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // 0 unstretched, 1 top band, 2 bottom band, 3 and 4 the left and right bands.
    int StretchKind() const;
    void SetTextValue(const AnsiString& Value);
    // Stores without drawing.
    void SimpleSetTextValue(const AnsiString& Value) { TextValue = Value; }

    AnsiString TextValue;
    bool DefaultCaption = false;
    AnsiString FontName;
    int FontHeight = 0;
    TFontStyles FontStyle;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor ShadowColor = 0;
    TColor ActiveShadowColor = 0;
    bool Shadow = false;
    TAlignment Alignment = taLeftJustify;
    TRect TextRect;
    TRect FrameRect;
    TRect ActiveFrameRect;
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    TRect FrameTextRect;

private:
    // Source's rectangle S stretched to the object's size by the stretch kind.
    std::unique_ptr<TBitmap> Stretched(TBitmap* Source, const TRect& S);
    void DrawText(TCanvas* C, int DX, int DY, bool AActive);
    std::unique_ptr<TBitmap> Look(bool AActive);
    void ApplyInActiveEffect(TskEffectBmp& E);
};

// Skinned containers: the panel with an optional caption bar (check box, glyph, roll-up
// arrow) that rolls up to its caption, the group box (a panel with its caption bar on)
// and the status bar that hands its skin to its children.
#pragma once

#include "skin/controls/SkinCtrls_Base.h"

#include <vector>

DECLARE_UNIT(SkinCtrls_Panels)

class TskSkinPanel : public TskSkinCustomControl {
    DECLARE_CLASS(TskSkinPanel, TskSkinCustomControl)
public:
    explicit TskSkinPanel(TComponent* AOwner);
    static void Published(TPropertyList& P);
    // For a panel docked at a side: the alignment, no border and the height it is made with.
    static void PublishDocked(TPropertyList& P, TAlign Align, int DefaultHeight);

    TNotifyEvent OnChecked;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void AdjustClientRect(TRect& Rect) override;
    void SetAlphaBlend(bool Value) override;
    void SetAlphaBlendValue(Byte Value) override;

    bool GetRollUpState() const { return FRollUpState; }
    // Rolls up to the caption or back; the state the panel already has changes nothing.
    void SetRollUpState(bool Value);
    bool GetRollUpMode() const { return FRollUpMode; }
    void SetRollUpMode(bool Value);
    bool GetCaptionMode() const { return FCaptionMode; }
    virtual void SetCaptionMode(bool Value);
    int GetDefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    virtual void SetDefaultCaptionHeight(int Value);
    TskSkinBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TskSkinBorderStyle Value);
    bool GetChecked() const { return FChecked; }
    void SetChecked(bool Value);
    bool GetCheckedMode() const { return FCheckedMode; }
    void SetCheckedMode(bool Value);
    bool GetAutoEnabledControls() const { return FAutoEnabledControls; }
    void SetAutoEnabledControls(bool Value) { FAutoEnabledControls = Value; }
    TBitmap* GetGlyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    int GetNumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    int GetSpacing() const { return FSpacing; }
    void SetSpacing(int Value);
    TAlignment GetDefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment Value);
    // The height before the last roll-up; -1 when never rolled.
    int GetStoredHeight() const { return FStoredHeight; }
    // The caption bar the panel answers clicks on.
    TRect CaptionBar();
    // The part of the caption bar the caption's text is laid out in: the roll-up arrow's
    // room is taken off (a check box takes more from its left).
    TRect CaptionTextRect();
    // The canvas font the caption is drawn in.
    void SetCaptionFont(TCanvas* Canvas);

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;

    void CMTextChanged(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinPanel, TskSkinCustomControl)
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
    END_MESSAGE_HANDLERS

protected:
    void DoRollUp(bool Value);
    void HideControls();
    void ShowControls();
    // The picture of the background, null when the skin gives none that exists.
    TBitmap* BackgroundPicture();
    // Repaints (and realigns) the default look when there is no record.
    void DefaultLookChanged(bool Realign);
    // Skinned with the client part tiled over the whole panel and no frame or caption.
    bool IsPlainTiledClient() const;
    // A descendant that draws its own content over the skin's image says so: the image is
    // then made off-screen whole before it shows.
    virtual bool DrawsOverSkin() const { return false; }
    // Glyph, text and arrow of a caption in R, the text at TX.
    void DrawCaptionContent(TCanvas* Canvas, TRect R, TAlignment Align, int LeftPad,
                            TColor ArrowColor);
    // The unskinned caption bar as drawn, and that bar less the check box's and the
    // arrow's room.
    TRect DefaultCaptionBar();
    TRect DefaultCaptionRect();
    // The caption bar is the unskinned one: no record, or in caption mode a record that
    // gives the caption no place.
    bool HasPlainCaptionBar() const;
    // The unskinned caption bar, its check box, glyph, text and arrow.
    void DrawPlainCaptionBar(TCanvas* Canvas);
    // The height a roll-up leaves: the caption bar's.
    int RolledHeight();
    // The caption's colour: Enabled, or grey while the panel takes no input.
    TColor CaptionColor(TColor Enabled);

    // Copied from the record.
    TRect CaptionRect, NewCaptionRect, CheckImageRect, UnCheckImageRect;
    TAlignment Alignment = taCenter;
    AnsiString FontName;
    TFontStyles FontStyle;
    int FontHeight = 0;
    TColor FontColor = clBtnText;
    int BGPictureIndex = -1;

private:
    int FStoredHeight = -1;
    std::unique_ptr<std::vector<TControl*>> FHiddenControls;
    bool FAutoEnabledControls = true;
    bool FCheckedMode = false;
    bool FChecked = false;
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    int FSpacing = 2;
    TAlignment FDefaultAlignment = taLeftJustify;
    int FDefaultCaptionHeight = 22;
    TskSkinBorderStyle FBorderStyle = TskSkinBorderStyle::bvFrame;
    bool FCaptionMode = false;
    bool FRollUpMode = false;
    bool FRollUpState = false;
};

class TskSkinGroupBox : public TskSkinPanel {
    DECLARE_CLASS(TskSkinGroupBox, TskSkinPanel)
public:
    explicit TskSkinGroupBox(TComponent* AOwner);
    static void Published(TPropertyList& P);
};

class TskSkinStatusBar : public TskSkinPanel {
    DECLARE_CLASS(TskSkinStatusBar, TskSkinPanel)
public:
    explicit TskSkinStatusBar(TComponent* AOwner);
    static void Published(TPropertyList& P);
    // The children that are skinned controls take the same skin.
    void SetSkinData(TskSkinData* Value) override;
};

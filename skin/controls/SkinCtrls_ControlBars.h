// The skinned control bar: the class library's control bar with a skinned frame outside its
// client area (when SkinBevel is on), a skinned or pictured background and a skinned frame
// round each band, all from a record of kind "controlbar".
#pragma once

#include "skin/controls/SkinCtrls_Client.h"
#include "skin/controls/SkinCtrls_Shape.h"

#include "classlib/ControlBars.h"

DECLARE_UNIT(SkinCtrls_ControlBars)

class TskSkinControlBar : public TCustomControlBar, public TskSkinClient {
    DECLARE_CLASS(TskSkinControlBar, TCustomControlBar)
public:
    explicit TskSkinControlBar(TComponent* AOwner);
    static void Published(TPropertyList& P);
    TControl* SkinnedControl() override { return this; }

    // Copies the record; a record of another kind, or one whose picture is missing, leaves
    // the bar in the class library's look.
    void GetSkinData() override;
    // The frame is measured again (the window made anew with SkinBevel), then repainted.
    void ChangeSkinData() override;
    // Stores and applies, an empty skin and none included.
    void SetSkinData(TskSkinData* Value) override;
    // The record of the new name takes over the frame at once.
    void SetSkinDataName(const AnsiString& Value) override;
    bool GetSkinBevel() const { return FSkinBevel; }
    void SetSkinBevel(bool Value);
    // Whether the bar paints from its record.
    bool IsSkinned() const { return FSkinned; }
    // The skinned frame, drawn on the window's own device context.
    void PaintNCSkin();

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void PaintControlFrame(TCanvas* Canvas, TControl* AControl, const TRect& ARect) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    void WMNCCalcSize(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinControlBar, TCustomControlBar)
    MESSAGE_HANDLER(WM_NCCALCSIZE, WMNCCalcSize)
    MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint)
    MESSAGE_HANDLER(WM_SIZE, WMSize)
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
    END_MESSAGE_HANDLERS

private:
    // The record's geometry at the bar's size.
    void FitToSize();
    // The background picture the record names; null for none (an index naming no picture).
    TBitmap* BackgroundPicture() const;

    bool FSkinBevel = false;
    bool FSkinned = false;
    TskSkinShape FShape;
    TRect ItemRect;
    int BGPictureIndex = -1;
};

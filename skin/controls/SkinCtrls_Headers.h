// The skinned header control: the class library's header whose sections, and the area after
// the last one, are all drawn by the control from a button-like skin section, with the
// section under the pointer lit, the pressed one pushed, and a click event of its own.
#pragma once

#include "skin/controls/SkinCtrls_Base.h"

#include "classlib/HeaderControls.h"

#include <memory>

DECLARE_UNIT(SkinCtrls_Headers)

// Replaces the caption drawing of a section: Rect is the section's picture on Cnvs.
using TskCustomDrawSkinSectionEvent =
    TEvent<void(THeaderControl* HeaderControl, THeaderSection* Section, const TRect& Rect,
                bool Active, bool Pressed, TCanvas* Cnvs)>;

class TskSkinHeaderControl : public THeaderControl, public TskSkinFollower {
    DECLARE_CLASS(TskSkinHeaderControl, THeaderControl)
public:
    explicit TskSkinHeaderControl(TComponent* AOwner);
    ~TskSkinHeaderControl() override;
    static void Published(TPropertyList& P);

    // A section was clicked (pressed and released on it, not on a divider, not dragged).
    TSectionNotifyEvent OnSkinSectionClick;
    TskCustomDrawSkinSectionEvent OnDrawSkinSection;

    TskSkinData* GetSkin() const override { return FSD; }
    // A non-empty skin is applied at once outside design mode.
    void SetSkinData(TskSkinData* Value);
    const AnsiString& GetSkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(const AnsiString& Value) { FSkinDataName = Value; }
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    // Also the control's font while it has no skin.
    void SetDefaultFont(TFont* Value);
    bool GetUseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value);
    // The height without a skin; 0 keeps the height given.
    int GetDefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);

    void BeforeChangeSkinData() override;
    // Looks the record up again, takes the skin's height (or DefaultHeight), repaints.
    void ChangeSkinData() override;
    // A skin of the sections' height, or DefaultHeight without a skin, holds the height.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void PaintWindow(HDC DC) override;

    // The visual position lit (or pushed), -1 for none.
    int GetHotSection() const { return FHotIndex; }
    bool GetSectionPressed() const { return FPressed; }
    // The rectangle of the section at visual position Index.
    TRect GetSkinItemRect(int Index);
    // Section at R on Canvas: Pressed wins over Active.
    void DrawSkinSectionR(TCanvas* Canvas, THeaderSection* Section, bool Active, bool Pressed,
                          const TRect& R);

protected:
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DrawSection(THeaderSection* Section, const TRect& Rect, bool Pressed) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    void WMPaint(TWMPaint& Message);
    void WMEraseBkgnd(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinHeaderControl, THeaderControl)
    MESSAGE_HANDLER(WM_PAINT, WMPaint)
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    END_MESSAGE_HANDLERS

private:
    // Copies the record when it is a button record with a picture and a rectangle; else the
    // control draws its default look.
    void GetSkinData();
    bool Skinned() const { return FIndex != -1 && FShape.Picture && !IsNullRect(FShape.SkinRect); }
    // With a skin of zero LBPoint the sections keep the skin's height.
    bool KeepsSkinHeight() const {
        return Skinned() && FShape.LBPoint.X == 0 && FShape.LBPoint.Y == 0;
    }
    int SectionCount();
    // The section drawn at visual position Index (through the drag order); null for none.
    THeaderSection* SectionAt(int Index);
    void TestActive(int X, int Y);
    void DrawCaption(TCanvas* Canvas, THeaderSection* Section, int W, int H);
    void PaintRest(TCanvas* Canvas, const TRect& Rest);

    TskSkinData* FSD = nullptr;
    AnsiString FSkinDataName = "resizebutton";
    std::unique_ptr<TFont> FDefaultFont;
    bool FUseSkinFont = true;
    int FDefaultHeight = 0;

    int FIndex = -1;
    int FHotIndex = -1;
    int FOldHotIndex = -1;
    bool FPressed = false;
    bool FDragging = false;
    bool FOnDivider = false;

    // Copied from the record.
    TskSkinShape FShape;
    TRect FActiveSkinRect, FDownSkinRect;
    AnsiString FFontName;
    TFontStyles FFontStyle;
    int FFontHeight = 0;
    TColor FFontColor = clBtnText, FActiveFontColor = clBtnText, FDownFontColor = clBtnText;
};

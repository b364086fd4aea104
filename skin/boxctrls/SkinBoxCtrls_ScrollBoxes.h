// The skinned scroll box: a container that scrolls its children with two skinned scroll bars
// placed anywhere on the form. It measures its visible children, gives the bars their ranges,
// shows a bar only while its axis has something to scroll and moves the children as the bars
// move. Its frame and background come from the record "scrollbox", or a plain bevel.
#pragma once

#include "skin/controls/SkinCtrls_ScrollBars.h"

DECLARE_UNIT(SkinBoxCtrls_ScrollBoxes)

class TskSkinScrollBox : public TskSkinCustomControl {
    DECLARE_CLASS(TskSkinScrollBox, TskSkinCustomControl)
public:
    explicit TskSkinScrollBox(TComponent* AOwner);
    static void Published(TPropertyList& P);

    TskSkinScrollBar* GetVScrollBar() const { return FV.Bar; }
    void SetVScrollBar(TskSkinScrollBar* Value);
    TskSkinScrollBar* GetHScrollBar() const { return FH.Bar; }
    void SetHScrollBar(TskSkinScrollBar* Value);
    TskSkinBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TskSkinBorderStyle Value);

    // The horizontal range, then the vertical one.
    void UpdateScrollRange();
    // Scrolls to Pos, within what the bar allows.
    void VScroll(int Pos);
    void HScroll(int Pos);
    void GetVRange();
    void GetHRange();
    // The children move up (left) by Delta.
    void VScrollControls(int Delta);
    void HScrollControls(int Delta);

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateControlSkinImage(TBitmap* B) override;
    // A child moved, changed size or was shown or hidden: the ranges follow.
    void AlignControls(TControl* AControl, TRect& Rect) override;
    // Its ranges follow every child, aligned or placed by hand.
    bool PlacesUnalignedControls() const override { return true; }

    void WMNCCalcSize(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    void WMSize(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinScrollBox, TskSkinCustomControl)
    MESSAGE_HANDLER(WM_NCCALCSIZE, WMNCCalcSize)
    MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint)
    MESSAGE_HANDLER(WM_SIZE, WMSize)
    MESSAGE_HANDLER(CM_VISIBLECHANGED, CMVisibleChanged)
    END_MESSAGE_HANDLERS

private:
    // One scrolling direction: its bar, the bar position the children stand at, and how much
    // the box grew along it at the last change of bounds.
    struct TAxis {
        TskSkinScrollBar* Bar = nullptr;
        int LastPosition = 0;
        int Grow = 0;
    };

    void LinkBar(TAxis& Axis, TskSkinScrollBar* Bar);
    // The range of one axis; true when its bar was shown or hidden.
    bool GetRange(TAxis& Axis, bool Vertical);
    void ScrollControls(bool Vertical, int Delta);
    void Scroll(TAxis& Axis, bool Vertical, int Pos);
    void VBarChange(TObject* Sender);
    void HBarChange(TObject* Sender);
    void BarLastChange(TObject* Sender);
    // The frame's width on each side: the skin's border, 1 pixel, or none.
    TRect Insets();
    TBitmap* BackgroundPicture();
    void FrameChanged();

    TAxis FV, FH;
    TskSkinBorderStyle FBorderStyle = TskSkinBorderStyle::bvFrame;
    int FBGPictureIndex = -1;
    // Showing or hiding a bar re-lays out the parent, which sizes the box again.
    bool FUpdatingRange = false;
    // The children are being moved: they are no change of content.
    bool FScrolling = false;
};

// Skinned memos: the system's multi-line EDIT keeping external skinned scroll bars in step
// with its own scrolling, whose native bars never show. TskSkinMemo draws a skinned frame
// (record "memo") around the text, and with BitMapBG the whole picture under transparent
// text; TskSkinMemo2 has no frame at all and takes only the record's fonts and colours.
#pragma once

#include "skin/controls/SkinCtrls_ScrollBars.h"

#include "classlib/Edits.h"
#include "classlib/UnitInit.h"

#include <memory>

DECLARE_UNIT(SkinBoxCtrls_Memos)

// What both memos share: the record's fonts and colours by state (hot = pointer inside or
// focused), the default font, the linked vertical bar, the wheel (one line per message) and
// the messages after which the bars follow the text.
class TskCustomSkinMemo : public TMemo, public TskSkinClient {
    DECLARE_CLASS(TskCustomSkinMemo, TMemo)
public:
    explicit TskCustomSkinMemo(TComponent* AOwner);
    ~TskCustomSkinMemo() override;

    TControl* SkinnedControl() override { return this; }

    void GetSkinData() override;
    void ChangeSkinData() override;
    // The linked bars follow the text's lines and scroll position.
    virtual void UpDateScrollRange() = 0;

    TskSkinScrollBar* GetVScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TskSkinScrollBar* Value);
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);
    bool GetUseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    // The skin's memo record is in use (a record of another kind gives the plain look).
    bool IsSkinned() const { return FIndex != -1 && FHasMemoRecord; }

    // Lines of the memo's font that fit its client height; at least 1.
    int VisibleLines();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Change() override;
    void WndProc(TMessage& Message) override;
    // Points the bar at the memo (its range cleared) or, with null, only forgets it.
    void LinkBar(TskSkinScrollBar*& Link, TskSkinScrollBar* Bar);
    bool Hot() const;
    // The record's font and text-area colours for the hot or normal state.
    virtual void ApplyStateColors(bool HotState);
    // The memo scrolls its text to the bar's position.
    virtual void ScrollToBar(TskSkinScrollBar* Bar);

    void WMMouseWheel(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);

    MESSAGE_HANDLERS(TskCustomSkinMemo, TMemo)
    MESSAGE_HANDLER(WM_MOUSEWHEEL, WMMouseWheel)
    MESSAGE_HANDLER(WM_SETFOCUS, WMSetFocus)
    MESSAGE_HANDLER(WM_KILLFOCUS, WMKillFocus)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    END_MESSAGE_HANDLERS

protected:
    TskSkinScrollBar* FVScrollBar = nullptr;
    bool FMouseIn = false;
    bool FLeftDown = false;
    bool FUpdatingBars = false;

    // Copied from the memo record.
    bool FHasMemoRecord = false;
    TBitmap* FPicture = nullptr;
    TRect FSkinRect, FActiveSkinRect, FClRect;
    TPoint FLTPoint, FRTPoint, FLBPoint, FRBPoint;
    AnsiString FFontName = "Arial";
    TFontStyles FFontStyle;
    int FFontHeight = 14;
    TColor FFontColor = clWindowText, FActiveFontColor = clWindowText;
    TColor FBGColor = clWindow, FActiveBGColor = clWindow;

private:
    void BarChange(TObject* Sender);
    void DefaultFontChanged(TObject* Sender);

    std::unique_ptr<TFont> FDefaultFont;
    bool FUseSkinFont = true;
};

// The memo in a skinned frame, with one external vertical bar.
class TskSkinMemo : public TskCustomSkinMemo {
    DECLARE_CLASS(TskSkinMemo, TskCustomSkinMemo)
public:
    explicit TskSkinMemo(TComponent* AOwner);
    static void Published(TPropertyList& P);

    void ChangeSkinData() override;
    void UpDateScrollRange() override;
    // The whole window, frame included (and, with BitMapBG, the picture under the text).
    void Invalidate() override;

    bool GetBitMapBG() const { return FBitMapBG; }
    void SetBitMapBG(bool Value);
    // Typing, Delete, cut, paste, clear and undo are dropped; the window stays writable, so
    // that the caret and the selection work as ever.
    bool GetReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    void SetAlphaBlend(bool Value) override;
    void SetAlphaBlendValue(Byte Value) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void ApplyStateColors(bool HotState) override;
    void ScrollToBar(TskSkinScrollBar* Bar) override;

    void WMNCCalcSize(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    void CNCtlColor(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMMove(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinMemo, TskCustomSkinMemo)
    MESSAGE_HANDLER(WM_NCCALCSIZE, WMNCCalcSize)
    MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint)
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
    MESSAGE_HANDLER(CN_CTLCOLOREDIT, CNCtlColor)
    MESSAGE_HANDLER(CN_CTLCOLORSTATIC, CNCtlColor)
    MESSAGE_HANDLER(WM_SIZE, WMSize)
    MESSAGE_HANDLER(WM_MOVE, WMMove)
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
    END_MESSAGE_HANDLERS

private:
    // The frame's insets round the text: the skin's client rectangle, or 2 pixels.
    TRect Insets();
    // The look of the whole window into Image (a part of it): the skin's picture at the
    // window's size, or the plain window colour with two rings.
    void DrawLook(TBitmap* Image);
    // The look, blended when Transparent, into DC whose origin is the window's top-left.
    void PaintLook(HDC DC);
    void EnabledFontColor();
    // The frame changed size or look: the system asks for the client area again.
    void FrameChanged();

    bool FBitMapBG = false;
    bool FReadOnly = false;
};

// The memo without frame or non-client area, with an external vertical and horizontal bar
// that mirror the EDIT's own (never shown) scroll bars.
class TskSkinMemo2 : public TskCustomSkinMemo {
    DECLARE_CLASS(TskSkinMemo2, TskCustomSkinMemo)
public:
    explicit TskSkinMemo2(TComponent* AOwner);
    static void Published(TPropertyList& P);

    void UpDateScrollRange() override;

    TskSkinScrollBar* GetHScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TskSkinScrollBar* Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    void WMNCCalcSize(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinMemo2, TskCustomSkinMemo)
    MESSAGE_HANDLER(WM_NCCALCSIZE, WMNCCalcSize)
    END_MESSAGE_HANDLERS

private:
    TskSkinScrollBar* FHScrollBar = nullptr;
};

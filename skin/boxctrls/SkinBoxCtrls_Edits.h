// Skinned edits. The system EDIT runs multi-line (Enter never reaches it, paste loses its
// line breaks) and without a border: the skinned edit shrinks its client area to the
// skin's client rectangle and paints the whole picture, frame, text background and an
// optional button, into the window DC; the EDIT then draws its text transparently over it.
#pragma once

#include "skin/controls/SkinCtrls_Client.h"

#include "classlib/Edits.h"
#include "classlib/UnitInit.h"

#include <memory>

DECLARE_UNIT(SkinBoxCtrls_Edits)

// The non-client hit codes of a button edit: the button, and the frame around the text.
constexpr LRESULT HTEDITBUTTON = HTHSCROLL;
constexpr LRESULT HTEDITFRAME = HTVSCROLL;

// The decimal separator of the user's locale, which number edits type and show.
char LocaleDecimalSeparator();

using TEditCancelModeEvent = TEvent<void(TObject* Sender, TControl* Cause)>;

// The plain inner editor of skinned controls: its own read-only filter (the window stays
// writable), Enter reported through OnKeyPress and never typed, and text that can be
// drawn transparently over the parent's picture.
class TskCustomEdit : public TCustomMaskEdit {
    DECLARE_CLASS(TskCustomEdit, TCustomMaskEdit)
public:
    explicit TskCustomEdit(TComponent* AOwner);
    static void Published(TPropertyList& P);

    // Fired after the class library's cancel-mode handling, with the control that caused it.
    TEditCancelModeEvent OnEditCancelMode;

    bool GetReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    bool GetEditTransparent() const { return FEditTransparent; }
    // Stores and makes the window again.
    void SetEditTransparent(bool Value);

    // Transparent: the edit repaints with its background erased (see PaintBackground).
    void Invalidate() override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Change() override;
    // Text pasted into the edit: the clipboard's text without line breaks. Descendants
    // filter it further.
    virtual AnsiString PasteText(const AnsiString& Text);
    // Repaints after a message the EDIT handled, when the text is transparent.
    void InvalidateTransparent();
    // What shows under transparent text, painted into DC (the client area's): the parent
    // as it paints itself there. Painting rather than invalidating the parent keeps a
    // parent that does not clip its children from invalidating the edit again.
    virtual void PaintBackground(HDC DC);
    // Where the client area's top-left lies in the window.
    TPoint ClientOffset();

    void WMSetFont(TMessage& Message);
    void CNCtlColor(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    void WMGetDlgCode(TMessage& Message);
    void WMChar(TMessage& Message);
    void WMKeyDown(TMessage& Message);
    void WMPaste(TMessage& Message);
    void WMEditCommand(TMessage& Message);
    void WMRepainting(TMessage& Message);
    void WMLButtonDown(TMessage& Message);
    void WMLButtonUp(TMessage& Message);
    void WMMouseMove(TMessage& Message);
    void CMCancelMode(TMessage& Message);

    MESSAGE_HANDLERS(TskCustomEdit, TCustomMaskEdit)
    MESSAGE_HANDLER(WM_SETFONT, WMSetFont)
    MESSAGE_HANDLER(CN_CTLCOLOREDIT, CNCtlColor)
    MESSAGE_HANDLER(CN_CTLCOLORSTATIC, CNCtlColor)
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
    MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode)
    MESSAGE_HANDLER(WM_CHAR, WMChar)
    MESSAGE_HANDLER(WM_KEYDOWN, WMKeyDown)
    MESSAGE_HANDLER(WM_PASTE, WMPaste)
    MESSAGE_HANDLER(WM_CUT, WMEditCommand)
    MESSAGE_HANDLER(WM_CLEAR, WMEditCommand)
    MESSAGE_HANDLER(WM_UNDO, WMEditCommand)
    MESSAGE_HANDLER(WM_SETTEXT, WMRepainting)
    MESSAGE_HANDLER(WM_MOVE, WMRepainting)
    MESSAGE_HANDLER(WM_SETFOCUS, WMRepainting)
    MESSAGE_HANDLER(WM_KILLFOCUS, WMRepainting)
    MESSAGE_HANDLER(WM_LBUTTONDOWN, WMLButtonDown)
    MESSAGE_HANDLER(WM_LBUTTONUP, WMLButtonUp)
    MESSAGE_HANDLER(WM_MOUSEMOVE, WMMouseMove)
    MESSAGE_HANDLER(CM_CANCELMODE, CMCancelMode)
    END_MESSAGE_HANDLERS

private:
    bool FMouseDown = false;
    bool FReadOnly = false;
    bool FEditTransparent = false;
};

// An edit of numbers: digits and '-' (and the decimal separator with Float); Up, Down and
// the wheel become step events instead of moving the caret.
class TskSkinNumEdit : public TskCustomEdit {
    DECLARE_CLASS(TskSkinNumEdit, TskCustomEdit)
public:
    explicit TskSkinNumEdit(TComponent* AOwner) : TskCustomEdit(AOwner) {}
    static void Published(TPropertyList& P);

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;
    // Typing allowed; without it only the step events change the value.
    bool EditorEnabled = true;
    // The locale's decimal separator is accepted, once.
    bool Float = false;

    bool GetEditorEnabled() const { return EditorEnabled; }
    void SetEditorEnabled(bool Value) { EditorEnabled = Value; }
    bool GetFloat() const { return Float; }
    void SetFloat(bool Value) { Float = Value; }

    // Whether Key may be typed into the current text.
    bool IsValidChar(char Key);

protected:
    void KeyPress(char& Key) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    // Pasted text as if typed: refused characters are dropped with one beep.
    AnsiString PasteText(const AnsiString& Text) override;

    void WMMouseWheel(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinNumEdit, TskCustomEdit)
    MESSAGE_HANDLER(WM_MOUSEWHEEL, WMMouseWheel)
    END_MESSAGE_HANDLERS

private:
    // Whether Key is valid with Text as the edit's text.
    bool IsValidIn(char Key, const AnsiString& Text) const;
};

// The stand-alone skinned edit, record "edit" ("buttonedit" with a button).
class TskSkinCustomEdit : public TskCustomEdit, public TskSkinClient {
    DECLARE_CLASS(TskSkinCustomEdit, TskCustomEdit)
public:
    explicit TskSkinCustomEdit(TComponent* AOwner);
    ~TskSkinCustomEdit() override;
    static void Published(TPropertyList& P);

    TControl* SkinnedControl() override { return this; }

    TNotifyEvent OnButtonClick;

    void GetSkinData() override;
    void ChangeSkinData() override;
    // Edit and button rectangles, in window coordinates, for the current size.
    void CalcRects();
    const TRect& GetEditRect() const { return FEditRect; }
    const TRect& GetButtonRect() const { return FButtonRect; }
    // The skin's edit record is in use (a record of another kind gives the plain look).
    bool IsSkinned() const { return FIndex != -1 && FHasEditRecord; }

    bool GetButtonMode() const { return FButtonMode; }
    void SetButtonMode(bool Value);
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    int GetDefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value);
    int GetDefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);
    bool GetUseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
    void SetAlphaBlend(bool Value) override;
    void SetAlphaBlendValue(Byte Value) override;
    bool IsButtonDown() const { return FButtonDown; }
    bool IsButtonHot() const { return FButtonHot; }

    // A skinned edit keeps the skin's height.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // The whole window, frame included.
    void Invalidate() override;

protected:
    // A click of the button: fires OnButtonClick.
    virtual void ButtonClick();
    void CreateParams(TCreateParams& Params) override;
    // The client part of the edit's own picture.
    void PaintBackground(HDC DC) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    void WMNCCalcSize(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    void WMNCHitTest(TMessage& Message);
    void WMNCLButtonDown(TMessage& Message);
    void WMNCLButtonUp(TMessage& Message);
    void WMNCMouseMove(TMessage& Message);
    void WMNCMouseLeave(TMessage& Message);
    void WMMouseMove(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinCustomEdit, TskCustomEdit)
    MESSAGE_HANDLER(WM_NCCALCSIZE, WMNCCalcSize)
    MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint)
    MESSAGE_HANDLER(WM_NCHITTEST, WMNCHitTest)
    MESSAGE_HANDLER(WM_NCLBUTTONDOWN, WMNCLButtonDown)
    MESSAGE_HANDLER(WM_NCLBUTTONDBLCLK, WMNCLButtonDown)
    MESSAGE_HANDLER(WM_NCLBUTTONUP, WMNCLButtonUp)
    MESSAGE_HANDLER(WM_NCMOUSEMOVE, WMNCMouseMove)
    MESSAGE_HANDLER(WM_NCMOUSELEAVE, WMNCMouseLeave)
    MESSAGE_HANDLER(WM_MOUSEMOVE, WMMouseMove)
    MESSAGE_HANDLER(WM_SETFOCUS, WMSetFocus)
    MESSAGE_HANDLER(WM_KILLFOCUS, WMKillFocus)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
    END_MESSAGE_HANDLERS

private:
    void DefaultFontChanged(TObject* Sender);
    // The colour of the text for the state: hot or not, enabled or not.
    void SetStateFontColor(TColor Color);
    void EnabledFontColor();
    bool Hot() const;
    bool HasButton() const { return FButtonMode && !IsDesigning(); }
    // The button code of a screen point (HTEDITBUTTON, HTEDITFRAME or 0 inside the text).
    LRESULT HitCode(int ScreenX, int ScreenY);
    void PaintDefault(TBitmap* B);
    void PaintSkin(TBitmap* B);
    // The whole picture, frame and button included, with its top-left at DC's origin.
    void PaintWhole(HDC DC);

    bool FButtonMode = false;
    TAlignment FAlignment = taLeftJustify;
    int FDefaultWidth = 0;
    int FDefaultHeight = 20;
    std::unique_ptr<TFont> FDefaultFont;
    bool FUseSkinFont = true;

    TRect FEditRect;
    TRect FButtonRect;
    bool FButtonDown = false;
    bool FButtonHot = false;
    bool FMouseIn = false;
    bool FTrackingNC = false;

    // Copied from the skin's edit record.
    bool FHasEditRecord = false;
    TBitmap* FPicture = nullptr;
    int FLOffset = 0;
    int FROffset = 0;
    int FRTPointX = 0;
    TRect FClRect;
    TRect FSkinRect;
    TRect FActiveSkinRect;
    AnsiString FFontName;
    TFontStyles FFontStyle;
    int FFontHeight = 14;
    TColor FFontColor = clWindowText;
    TColor FDisabledFontColor = clGrayText;
    TColor FActiveFontColor = clWindowText;
    TRect FSkinButtonRect;
    TRect FActiveButtonRect;
    TRect FDownButtonRect;
    TRect FUnEnabledButtonRect;
};

class TskSkinEdit : public TskSkinCustomEdit {
    DECLARE_CLASS(TskSkinEdit, TskSkinCustomEdit)
public:
    explicit TskSkinEdit(TComponent* AOwner) : TskSkinCustomEdit(AOwner) {}
};

// A skinned edit that also stores the mask-edit properties.
class TskSkinMaskEdit : public TskSkinEdit {
    DECLARE_CLASS(TskSkinMaskEdit, TskSkinEdit)
public:
    explicit TskSkinMaskEdit(TComponent* AOwner) : TskSkinEdit(AOwner) {}
    static void Published(TPropertyList& P);
};

// The skinned password edit: a single-line field that keeps its secret text itself and
// never draws or copies it. It shows one mask glyph per character (a rounded rectangle, a
// square or a triangle) on the face of the "edit" record, runs the system caret, and
// handles keys, word moves, mouse selection and pasting on its own.
#pragma once

#include "skin/controls/SkinCtrls_Base.h"

#include "classlib/Edits.h"

DECLARE_UNIT(SkinBoxCtrls_PasswordEdits)

enum TskPasswordKind { pkRoundRect, pkRect, pkTriangle };

// Where Ctrl+Right and Ctrl+Left move a caret at Pos of Text: the start of the next word (past
// the rest of the word the caret is in and the spaces after it; the end of the text when no
// word follows), and the start of the word before Pos.
int NextWordStart(const AnsiString& Text, int Pos);
int PriorWordStart(const AnsiString& Text, int Pos);

class TskSkinPasswordEdit : public TskSkinCustomControl {
    DECLARE_CLASS(TskSkinPasswordEdit, TskSkinCustomControl)
public:
    explicit TskSkinPasswordEdit(TComponent* AOwner);
    static void Published(TPropertyList& P);

    TNotifyEvent OnChange;

    // The secret text. The window's own caption never holds it.
    AnsiString GetText() const { return FText; }
    // Upper- or lower-cased by CharCase and cut to MaxLength; Change runs when the stored
    // text differs. WM_SETTEXT comes here too.
    void SetText(const AnsiString& Value);
    void Clear() { SetText(""); }

    // The caret is a number of characters before it, 0 .. Length; the selection runs from the
    // caret (SelStart as stored) to the anchor, SelStart + the signed length. Moving the
    // caret keeps the anchor.
    int GetCaretPosition() const { return FCaret; }
    void SetCaretPosition(int Value);
    int GetSelStart() const;
    void SetSelStart(int Value);
    int GetSelLength() const;
    void SetSelLength(int Value);
    AnsiString GetSelText() const;
    // The selected characters from the first visible one on.
    AnsiString GetVisibleSelText() const;
    int GetFirstVisible() const { return FFirstVisible; }
    void SelectAll();
    void SelectWord();
    void ClearSelection();
    void PasteFromClipboard();
    void InsertText(const AnsiString& S);
    void InsertChar(char C);
    // S after the first Pos characters, cut to MaxLength; with Selected, S is selected.
    void InsertAfter(int Pos, const AnsiString& S, bool Selected);
    // Count characters from the 1-based Pos; with Selected, the caret stays before them.
    void DeleteFrom(int Pos, int Count, bool Selected);

    int GetNextWordBeging(int Pos) const { return NextWordStart(FText, Pos); }
    int GetPrivWordBeging(int Pos) const { return PriorWordStart(FText, Pos); }
    // Left edge of the cell of character Index (0-based) as shown.
    int GetCharX(int Index);
    // The caret position nearest to X.
    int GetCoordinatePosition(int X);
    void UpdateFirstVisibleChar();
    void UpdateCarete();
    void UpdateCaretePosition() { SetCaretPosition(FCaret); }
    int GetAlignmentFlags() const;

    virtual TRect GetEditRect();
    virtual int GetPasswordCharWidth();
    virtual TRect GetSelRect();
    virtual void DrawPasswordChar(const TRect& Cell, bool Selected, TCanvas* Canvas);
    virtual bool ValidText(const AnsiString&) { return true; }
    virtual void ShowCaret();
    virtual void HideCaret();

    bool GetAutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    TEditCharCase GetCharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    bool GetHideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    int GetMaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value) { FMaxLength = Value; }
    TskPasswordKind GetPasswordKind() const { return FPasswordKind; }
    void SetPasswordKind(TskPasswordKind Value);
    bool GetReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    TAlignment GetTextAlignment() const { return FTextAlignment; }
    void SetTextAlignment(TAlignment Value);
    TCursor GetCursor() const { return TControl::GetCursor(); }
    // crDefault stands for the I-beam.
    void SetCursor(TCursor Value);

    void GetSkinData() override;
    void CalcSize(int& W, int& H) override;
    // The skin's edit record is in use (a record of another kind gives the plain look).
    bool IsSkinned() const { return FIndex != -1 && FHasEditRecord; }

protected:
    AnsiString RealGetText() override { return FText; }
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    virtual void Change();

    void PaintText(TCanvas* Canvas);
    void PaintSelectedText(TCanvas* Canvas);

    void WMGetDlgCode(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void WMSetText(TMessage& Message);
    void WMLButtonDblClk(TMessage& Message);
    void WMCopy(TMessage& Message);
    void CMTextChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinPasswordEdit, TskSkinCustomControl)
    MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode)
    MESSAGE_HANDLER(WM_SETFOCUS, WMSetFocus)
    MESSAGE_HANDLER(WM_KILLFOCUS, WMKillFocus)
    MESSAGE_HANDLER(WM_SETTEXT, WMSetText)
    MESSAGE_HANDLER(WM_LBUTTONDBLCLK, WMLButtonDblClk)
    MESSAGE_HANDLER(WM_COPY, WMCopy)
    MESSAGE_HANDLER(WM_CUT, WMCopy)
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
    MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged)
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    END_MESSAGE_HANDLERS

private:
    int Length() const { return static_cast<int>(FText.size()); }
    bool Hot() const { return FMouseIn || Focused(); }
    bool ShowsSelection() const { return Focused() || !FHideSelection; }
    // The free space left of the glyphs for the alignment; 0 when they fill the field.
    int AlignmentOffset();
    // The caret and the selection's anchor kept within the text.
    void ClampToText();
    // The selection's fill and glyphs over the face already in B.
    void PaintContent(TBitmap* B);

    AnsiString FText;
    int FCaret = 0;
    int FSelStart = 0;
    int FSelLength = 0;
    int FFirstVisible = 1;
    bool FLeftDown = false;
    bool FMouseIn = false;

    bool FAutoSelect = true;
    TEditCharCase FCharCase = ecNormal;
    bool FHideSelection = true;
    int FMaxLength = 0;
    TskPasswordKind FPasswordKind = pkRoundRect;
    bool FReadOnly = false;
    TAlignment FTextAlignment = taLeftJustify;

    // Copied from the skin's edit record.
    bool FHasEditRecord = false;
    TRect FActiveSkinRect;
    int FLeftPart = 0;
    int FRightPart = 0;
    TColor FFontColor = clWindowText;
    TColor FDisabledFontColor = clGrayText;
    TColor FActiveFontColor = clWindowText;
};

// The standard controls: labels, buttons, check and radio boxes, edits and memos, list and
// combo boxes, scroll bars and group boxes.
//
// Most of them are the system's own window classes (BUTTON, EDIT, LISTBOX, COMBOBOX,
// SCROLLBAR) made through CreateSubClass; their notifications come back to them from the
// parent as CN_COMMAND, CN_DRAWITEM and CN_HSCROLL / CN_VSCROLL. Every property can be set
// before the window exists: it is kept and handed to the window when it is made, and list
// and combo boxes keep their items when the window is made again.
#pragma once

#include "classlib/StringList.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

#include <memory>

DECLARE_UNIT(StdCtrls)

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };

// ---------------------------------------------------------------------------
// Labels

// Text drawn by the system's DrawText on the parent's window: a lone CR or LF breaks a
// line, and "&" marks an accelerator that focuses FocusControl.
class TCustomLabel : public TGraphicControl {
    DECLARE_CLASS(TCustomLabel, TGraphicControl)
public:
    explicit TCustomLabel(TComponent* AOwner);
    ~TCustomLabel() override;

    static void Published(TPropertyList& P);

    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout GetLayout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool GetWordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // A transparent label draws only its text; otherwise it fills its bounds with Color.
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool GetShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    // Takes the focus when the caption's accelerator is pressed; not owned.
    TWinControl* GetFocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);

protected:
    void Paint() override;
    // The text's size with the label's font, wrapped at the current width when WordWrap.
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // DrawText flags for the current settings.
    UINT TextFlags() const;

    void CMTextChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMDialogChar(TWMKey& Message);

    MESSAGE_HANDLERS(TCustomLabel, TGraphicControl)
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
    MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged)
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
    END_MESSAGE_HANDLERS

private:
    void TextChanged();

    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
    DECLARE_CLASS(TLabel, TCustomLabel)
public:
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

// ---------------------------------------------------------------------------
// Buttons

class TButton : public TWinControl {
    DECLARE_CLASS(TButton, TWinControl)
public:
    explicit TButton(TComponent* AOwner);

    static void Published(TPropertyList& P);

    // Return clicks the default button unless another button has the focus.
    bool GetDefault() const { return FDefault; }
    void SetDefault(bool Value);
    // Escape clicks the cancel button.
    bool GetCancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    // A click sets the parent form's ModalResult to it (when not mrNone).
    int GetModalResult() const { return FModalResult; }
    void SetModalResult(int Value) { FModalResult = Value; }

    // Sets the form's ModalResult, then fires OnClick.
    void Click() override;

protected:
    void CreateParams(TCreateParams& Params) override;
    // Whether Return would click this button now.
    bool IsActive() const;

    void CNCommand(TWMCommand& Message);
    void CMDialogKey(TWMKey& Message);
    void CMDialogChar(TWMKey& Message);
    void CMFocusChanged(TMessage& Message);

    MESSAGE_HANDLERS(TButton, TWinControl)
    MESSAGE_HANDLER(CN_COMMAND, CNCommand)
    MESSAGE_HANDLER(CM_DIALOGKEY, CMDialogKey)
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
    MESSAGE_HANDLER(CM_FOCUSCHANGED, CMFocusChanged)
    END_MESSAGE_HANDLERS

private:
    void UpdateDefaultLook(bool Active);

    bool FDefault = false;
    bool FCancel = false;
    int FModalResult = 0;
};

// A button drawn by the library: the glyph, left of the caption, then the caption.
class TBitBtn : public TButton {
    DECLARE_CLASS(TBitBtn, TButton)
public:
    explicit TBitBtn(TComponent* AOwner);
    ~TBitBtn() override;

    static void Published(TPropertyList& P);

    // Drawn transparent (its bottom-left pixel's colour left out); owned, copied on set.
    TBitmap* GetGlyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CNDrawItem(TWMDrawItem& Message);

    MESSAGE_HANDLERS(TBitBtn, TButton)
    MESSAGE_HANDLER(CN_DRAWITEM, CNDrawItem)
    END_MESSAGE_HANDLERS

private:
    void GlyphChanged(TObject* Sender);

    std::unique_ptr<TBitmap> FGlyph;
    std::unique_ptr<TCanvas> FCanvas;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TWinControl {
    DECLARE_CLASS(TCheckBox, TWinControl)
public:
    explicit TCheckBox(TComponent* AOwner);

    static void Published(TPropertyList& P);

    bool GetChecked() const { return FState == cbChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    // A change fires OnClick (also when made by the program, but not while loading).
    TCheckBoxState GetState() const { return FState; }
    void SetState(TCheckBoxState Value);
    // A click then steps through the grayed state too.
    bool GetAllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
    // taLeftJustify puts the text left of the box.
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    // The user's click: the next state.
    virtual void Toggle();

    void CNCommand(TWMCommand& Message);
    void CMDialogChar(TWMKey& Message);

    MESSAGE_HANDLERS(TCheckBox, TWinControl)
    MESSAGE_HANDLER(CN_COMMAND, CNCommand)
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
    END_MESSAGE_HANDLERS

private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    TAlignment FAlignment = taRightJustify;
};

// Checking a radio button unchecks the other radio buttons of its parent.
class TRadioButton : public TWinControl {
    DECLARE_CLASS(TRadioButton, TWinControl)
public:
    explicit TRadioButton(TComponent* AOwner);

    static void Published(TPropertyList& P);

    bool GetChecked() const { return FChecked; }
    // Becoming checked fires OnClick (not while loading).
    void SetChecked(bool Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;

    void CNCommand(TWMCommand& Message);
    void CMDialogChar(TWMKey& Message);

    MESSAGE_HANDLERS(TRadioButton, TWinControl)
    MESSAGE_HANDLER(CN_COMMAND, CNCommand)
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
    END_MESSAGE_HANDLERS

private:
    bool FChecked = false;
};

// ---------------------------------------------------------------------------
// Edits

class TCustomEdit : public TWinControl {
    DECLARE_CLASS(TCustomEdit, TWinControl)
public:
    explicit TCustomEdit(TComponent* AOwner);

    static void Published(TPropertyList& P);

    // Fired whenever the text changes, typed or set.
    TNotifyEvent OnChange;

    // 0 for no limit.
    int GetMaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    bool GetReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // Set by typing; cleared by the program.
    bool GetModified();
    void SetModified(bool Value);
    // Shown in place of every character; '\0' shows the text.
    char GetPasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char Value);
    TBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);

    // The selection, in characters from the start of the text.
    int GetSelStart();
    void SetSelStart(int Value);
    int GetSelLength();
    void SetSelLength(int Value);
    AnsiString GetSelText();
    // Replaces the selection.
    void SetSelText(const AnsiString& Value);
    void SelectAll();
    void Clear();

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // Fires OnChange.
    virtual void Change();

    void CNCommand(TWMCommand& Message);

    MESSAGE_HANDLERS(TCustomEdit, TWinControl)
    MESSAGE_HANDLER(CN_COMMAND, CNCommand)
    END_MESSAGE_HANDLERS

private:
    int FMaxLength = 0;
    bool FReadOnly = false;
    bool FModified = false;
    char FPasswordChar = '\0';
    TBorderStyle FBorderStyle = bsSingle;
    int FSelStart = 0;
    int FSelLength = 0;
};

class TEdit : public TCustomEdit {
    DECLARE_CLASS(TEdit, TCustomEdit)
public:
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo : public TCustomEdit {
    DECLARE_CLASS(TCustomMemo, TCustomEdit)
public:
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;

    static void Published(TPropertyList& P);

    // The text's lines (split at CR LF, CR or LF); changing them changes the text.
    TStrings* GetLines() const { return FLines.get(); }
    void SetLines(TStrings* Value);
    TScrollStyle GetScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    bool GetWordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // Return and Tab type into the memo instead of reaching the form.
    bool GetWantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value) { FWantReturns = Value; }
    bool GetWantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }

protected:
    void CreateParams(TCreateParams& Params) override;

    void WMGetDlgCode(TWMGetDlgCode& Message);

    MESSAGE_HANDLERS(TCustomMemo, TCustomEdit)
    MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode)
    END_MESSAGE_HANDLERS

private:
    std::unique_ptr<TStrings> FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
};

class TMemo : public TCustomMemo {
    DECLARE_CLASS(TMemo, TCustomMemo)
public:
    explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};

// ---------------------------------------------------------------------------
// List and combo boxes

enum TOwnerDrawStateItem { odSelected, odGrayed, odDisabled, odChecked, odFocused };
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;
using TDrawItemEvent =
    TEvent<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed };

class TItemsWindow;
struct TItemMessages;

// What list and combo boxes share: the items, kept in the control while there is no
// window; the selected item; sorting.
class TCustomListControl : public TWinControl {
    DECLARE_CLASS(TCustomListControl, TWinControl)
public:
    ~TCustomListControl() override;

    TStrings* GetItems() const;
    void SetItems(TStrings* Value);
    // -1 when no item is selected.
    int GetItemIndex();
    // An index outside the items selects none.
    virtual void SetItemIndex(int Value);
    bool GetSorted() const { return FSorted; }
    void SetSorted(bool Value);

protected:
    // Messages are those of the system's list window class.
    TCustomListControl(TComponent* AOwner, const TItemMessages& Messages);
    // The new window takes the kept items and the selection.
    void CreateWnd() override;
    void DestroyWnd() override;

    // The selection while there is no window.
    int FItemIndex = -1;

private:
    std::unique_ptr<TItemsWindow> FItems;
    bool FSorted = false;
};

class TCustomListBox : public TCustomListControl {
    DECLARE_CLASS(TCustomListBox, TCustomListControl)
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    static void Published(TPropertyList& P);

    // Draws item Index on Canvas within Rect (lbOwnerDrawFixed); without it the item's
    // text is drawn.
    TDrawItemEvent OnDrawItem;

    TListBoxStyle GetStyle() const { return FStyle; }
    void SetStyle(TListBoxStyle Value);
    // The height of every item (lbOwnerDrawFixed; the font decides for lbStandard).
    int GetItemHeight();
    void SetItemHeight(int Value);
    // The canvas OnDrawItem draws on.
    TCanvas* GetCanvas() const { return FCanvas.get(); }
    void Clear();

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);

    void CNCommand(TWMCommand& Message);
    void CNDrawItem(TWMDrawItem& Message);

    MESSAGE_HANDLERS(TCustomListBox, TCustomListControl)
    MESSAGE_HANDLER(CN_COMMAND, CNCommand)
    MESSAGE_HANDLER(CN_DRAWITEM, CNDrawItem)
    END_MESSAGE_HANDLERS

private:
    std::unique_ptr<TCanvas> FCanvas;
    TListBoxStyle FStyle = lbStandard;
    int FItemHeight = 16;
};

class TListBox : public TCustomListBox {
    DECLARE_CLASS(TListBox, TCustomListBox)
public:
    explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};

// csDropDown: an edit field with a list; csDropDownList: the list only, the shown text
// being the selected item's.
enum TComboBoxStyle { csDropDown, csDropDownList };

class TCustomComboBox : public TCustomListControl {
    DECLARE_CLASS(TCustomComboBox, TCustomListControl)
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    static void Published(TPropertyList& P);

    // Fired when the shown text changes: typed, chosen from the list or set by ItemIndex.
    TNotifyEvent OnChange;

    // When an item is selected, the shown text becomes its text, and OnChange fires when
    // that differs from the text shown before; selecting none leaves the text as it is.
    void SetItemIndex(int Value) override;
    TComboBoxStyle GetStyle() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    // Lines the open list shows.
    int GetDropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value);
    bool GetDroppedDown();
    void SetDroppedDown(bool Value);
    void Clear();

    // The window is made taller than the control to hold the open list.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    // Fires OnChange.
    virtual void Change();
    AnsiString RealGetText() override;

    void CNCommand(TWMCommand& Message);

    MESSAGE_HANDLERS(TCustomComboBox, TCustomListControl)
    MESSAGE_HANDLER(CN_COMMAND, CNCommand)
    END_MESSAGE_HANDLERS

private:
    int DropDownHeight();
    void FitWindow();

    TComboBoxStyle FStyle = csDropDown;
    int FDropDownCount = 8;
};

class TComboBox : public TCustomComboBox {
    DECLARE_CLASS(TComboBox, TCustomComboBox)
public:
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};

// ---------------------------------------------------------------------------
// Scroll bars and group boxes

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll
};
using TScrollEvent = TEvent<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TWinControl {
    DECLARE_CLASS(TScrollBar, TWinControl)
public:
    explicit TScrollBar(TComponent* AOwner);

    static void Published(TPropertyList& P);

    // Fired when Position changes.
    TNotifyEvent OnChange;
    // Fired for every scrolling action of the user, with the position it leads to; the
    // handler may change it.
    TScrollEvent OnScroll;

    // Changing the kind swaps width and height (not while loading).
    TScrollBarKind GetKind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    int GetMin() const { return FMin; }
    void SetMin(int Value) { SetParams(FPosition, Value, FMax); }
    int GetMax() const { return FMax; }
    void SetMax(int Value) { SetParams(FPosition, FMin, Value); }
    int GetPosition() const { return FPosition; }
    void SetPosition(int Value) { SetParams(Value, FMin, FMax); }
    int GetSmallChange() const { return FSmallChange; }
    void SetSmallChange(int Value) { FSmallChange = Value; }
    int GetLargeChange() const { return FLargeChange; }
    void SetLargeChange(int Value) { FLargeChange = Value; }
    // Max below Min raises EInvalidOperation "Scroll bar property out of range"; Position
    // is brought into the range.
    void SetParams(int APosition, int AMin, int AMax);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    virtual void Change();
    virtual void Scroll(TScrollCode ScrollCode, int& ScrollPos);

    void CNScroll(TWMScroll& Message);

    MESSAGE_HANDLERS(TScrollBar, TWinControl)
    MESSAGE_HANDLER(CN_HSCROLL, CNScroll)
    MESSAGE_HANDLER(CN_VSCROLL, CNScroll)
    END_MESSAGE_HANDLERS

private:
    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
};

// A captioned frame around other controls.
class TGroupBox : public TCustomControl {
    DECLARE_CLASS(TGroupBox, TCustomControl)
public:
    explicit TGroupBox(TComponent* AOwner);

    static void Published(TPropertyList& P);

    void AdjustClientRect(TRect& Rect) override;

protected:
    void Paint() override;

    void CMTextChanged(TMessage& Message);
    void CMDialogChar(TWMKey& Message);

    MESSAGE_HANDLERS(TGroupBox, TCustomControl)
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
    END_MESSAGE_HANDLERS

private:
    int CaptionHeight();
};

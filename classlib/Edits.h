// Edits and memos: the system EDIT class.
#pragma once

#include "classlib/Edits_Mask.h"
#include "classlib/StringList.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

#include <memory>

DECLARE_UNIT(Edits)

// What typed text becomes: as typed, upper case or lower case.
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

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
    // The selection stays shown while another control has the focus when false.
    bool GetHideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    // Typed characters pass through the OEM character set, as file names on a DOS disk.
    bool GetOEMConvert() const { return FOEMConvert; }
    void SetOEMConvert(bool Value);

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
    // Hands MaxLength to the window.
    virtual void LimitText();

    void CNCommand(TWMCommand& Message);
    void WMKeyDown(TMessage& Message);
    void WMSysKeyDown(TMessage& Message);

    MESSAGE_HANDLERS(TCustomEdit, TWinControl)
    MESSAGE_HANDLER(CN_COMMAND, CNCommand)
    MESSAGE_HANDLER(WM_KEYDOWN, WMKeyDown)
    MESSAGE_HANDLER(WM_SYSKEYDOWN, WMSysKeyDown)
    END_MESSAGE_HANDLERS

private:
    int FMaxLength = 0;
    bool FReadOnly = false;
    bool FModified = false;
    char FPasswordChar = '\0';
    TBorderStyle FBorderStyle = bsSingle;
    bool FHideSelection = true;
    bool FOEMConvert = false;
    int FSelStart = 0;
    int FSelLength = 0;
};

class TEdit : public TCustomEdit {
    DECLARE_CLASS(TEdit, TCustomEdit)
public:
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

// An edit laid out by a mask (see Edits_Mask.h). While it has one, typing overwrites
// one position at a time and skips the literals; a character a position does not take
// is refused with a beep; Backspace and Delete empty positions; pasted text is typed
// character by character. Text is the value (see TEditMask::TextFromEdit); EditText
// what the window shows. Without a mask it is a plain edit.
class TCustomMaskEdit : public TCustomEdit {
    DECLARE_CLASS(TCustomMaskEdit, TCustomEdit)
public:
    explicit TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

    static void Published(TPropertyList& P);

    const AnsiString& GetEditMask() const { return FEditMask; }
    // Stores the mask and lays the current Text out by it.
    void SetEditMask(const AnsiString& Value);
    bool IsMasked() const { return !FMask.Empty(); }
    const TEditMask& GetMask() const { return FMask; }
    AnsiString GetEditText();
    // Value is taken position by position (see TEditMask::Fitted).
    void SetEditText(const AnsiString& Value);
    // Where a character typed now lands: the first input position at or after the
    // selection's start; -1 when there is none (or no mask).
    int GetEditPosition();

protected:
    AnsiString RealGetText() override;
    void DestroyWnd() override;
    // A text read while the control is being loaded is laid out here, by the mask read
    // with it, whichever of the two came first.
    void Loaded() override;
    // Quiet while a paste is taken back to be typed by the mask.
    void Change() override;

    void WMSetText(TMessage& Message);
    void WMChar(TMessage& Message);
    void WMKeyDown(TMessage& Message);
    void WMPaste(TMessage& Message);
    void WMCut(TMessage& Message);
    void WMClear(TMessage& Message);
    void WMUndo(TMessage& Message);
    void EMReplaceSel(TMessage& Message);

    MESSAGE_HANDLERS(TCustomMaskEdit, TCustomEdit)
    MESSAGE_HANDLER(WM_SETTEXT, WMSetText)
    MESSAGE_HANDLER(WM_CHAR, WMChar)
    MESSAGE_HANDLER(WM_KEYDOWN, WMKeyDown)
    MESSAGE_HANDLER(WM_PASTE, WMPaste)
    MESSAGE_HANDLER(WM_CUT, WMCut)
    MESSAGE_HANDLER(WM_CLEAR, WMClear)
    MESSAGE_HANDLER(WM_UNDO, WMUndo)
    MESSAGE_HANDLER(EM_UNDO, WMUndo)
    MESSAGE_HANDLER(EM_REPLACESEL, EMReplaceSel)
    END_MESSAGE_HANDLERS

private:
    // The window's text as it stands, bypassing the mask.
    AnsiString RawText() { return TCustomEdit::RealGetText(); }
    void SetRawText(const AnsiString& Value);
    // Types Chars over the selection: it is emptied, then each character goes to the
    // next input position that takes it. False when none was taken.
    bool TypeChars(const AnsiString& Chars);
    // Empties the selection, or with none the input position at or after (Forward) or
    // before the caret.
    void EmptyPositions(bool Forward);
    // Writes Edit into the window as one change and puts the caret at Caret.
    void Apply(const AnsiString& Edit, int Caret);

    AnsiString FEditMask;
    TEditMask FMask;
    // The next WM_SETTEXT or EM_REPLACESEL is the control's own, past the mask.
    bool FRawNext = false;
    bool FQuiet = false;
    // A text was read during loading and waits for the mask.
    bool FTextPending = false;
};

class TMaskEdit : public TCustomMaskEdit {
    DECLARE_CLASS(TMaskEdit, TCustomMaskEdit)
public:
    explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
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
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
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
    TAlignment FAlignment = taLeftJustify;
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

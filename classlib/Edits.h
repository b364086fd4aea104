// Edits and memos: the system EDIT class.
#pragma once

#include "classlib/StringList.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

#include <memory>

DECLARE_UNIT(Edits)

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
    // Hands MaxLength to the window.
    virtual void LimitText();

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

// An edit that keeps an input mask. The mask is stored and streamed; what typing
// it allows belongs to the controls that read it.
class TCustomMaskEdit : public TCustomEdit {
    DECLARE_CLASS(TCustomMaskEdit, TCustomEdit)
public:
    explicit TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

    static void Published(TPropertyList& P);

    const AnsiString& GetEditMask() const { return FEditMask; }
    void SetEditMask(const AnsiString& Value) { FEditMask = Value; }

private:
    AnsiString FEditMask;
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

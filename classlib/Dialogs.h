// The system's file dialogs and message boxes.
#pragma once

#include "classlib/Component.h"
#include "classlib/Sets.h"
#include "classlib/UnitInit.h"

#include "classlib/Platform.h"
#include <commdlg.h>

#include <functional>

DECLARE_UNIT(Dialogs)

// ---------------------------------------------------------------------------
// File dialogs

enum TOpenOption {
    ofReadOnly,        // the read-only box is checked (in and out)
    ofOverwritePrompt, // saving over an existing file asks first
    ofHideReadOnly,    // no read-only box
    ofNoChangeDir,     // the current folder is restored afterwards
    ofNoValidate,
    ofExtensionDifferent, // out: the chosen name's extension is not DefaultExt
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofEnableSizing
};
using TOpenOptions = TSet<TOpenOption>;

// Shows the system's dialog for Params (Save: the save dialog) and returns whether the
// user confirmed a name. Tests put their own in place of the system's.
using TFileDialogHook = std::function<bool(OPENFILENAMEA& Params, bool Save)>;
// Sets the dialog call and returns the previous one; an empty Hook restores the system's.
TFileDialogHook SetFileDialogHook(TFileDialogHook Hook);

class TOpenDialog : public TComponent {
    DECLARE_CLASS(TOpenDialog, TComponent)
public:
    explicit TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}

    static void Published(TPropertyList& P);

    // Pairs of description and pattern, all separated by "|":
    // "Page files (*.pge)|*.pge|All files|*.*". Patterns may list several masks with ";".
    const AnsiString& GetFilter() const { return FFilter; }
    void SetFilter(const AnsiString& Value) { FFilter = Value; }
    // The chosen pair, from 1.
    int GetFilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int Value) { FFilterIndex = Value; }
    const AnsiString& GetInitialDir() const { return FInitialDir; }
    void SetInitialDir(const AnsiString& Value) { FInitialDir = Value; }
    const AnsiString& GetFileName() const { return FFileName; }
    void SetFileName(const AnsiString& Value) { FFileName = Value; }
    // The dialog's caption; "" for the system's own.
    const AnsiString& GetTitle() const { return FTitle; }
    void SetTitle(const AnsiString& Value) { FTitle = Value; }
    // Appended (without its dot) to a name typed without extension.
    const AnsiString& GetDefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const AnsiString& Value) { FDefaultExt = Value; }
    TOpenOptions GetOptions() const { return FOptions; }
    void SetOptions(TOpenOptions Value) { FOptions = Value; }

    // Shows the dialog. True when a name was confirmed: FileName holds its full path and
    // FilterIndex the pair chosen. False when cancelled, leaving both unchanged. A dialog
    // that the system cannot show raises EOSError.
    virtual bool Execute();

protected:
    bool RunDialog(bool Save);

private:
    AnsiString FFilter;
    int FFilterIndex = 1;
    AnsiString FInitialDir;
    AnsiString FFileName;
    AnsiString FTitle;
    AnsiString FDefaultExt;
    TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
    DECLARE_CLASS(TSaveDialog, TOpenDialog)
public:
    explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

    bool Execute() override;
};

// ---------------------------------------------------------------------------
// Message boxes

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp
};
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

// Shows Msg in a box modal to the program (TApplication::ShowMessageBox) captioned by its type
// ("Warning", "Error", "Information", "Confirm", the application's title for mtCustom) with the
// buttons of the set, and returns the modal result of the button pressed (mrYes, mrNo, mrOk, ...;
// mrCancel when the box is closed with Escape or its close button). The box offers the sets OK; OK,
// Cancel; Yes, No; Yes, No, Cancel; Retry, Cancel; Abort, Retry, Ignore; each optionally with Help.
// Any other set raises EInvalidOperation.
int MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);

// Answers a MessageDlg call in place of the box; tests put their own here.
using TMessageDlgHook = std::function<int(const AnsiString& Msg, TMsgDlgType DlgType,
                                          TMsgDlgButtons Buttons, int HelpCtx)>;
// Sets the hook and returns the previous one; an empty Hook shows boxes again.
TMessageDlgHook SetMessageDlgHook(TMessageDlgHook Hook);

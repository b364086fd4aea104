#include "classlib/Dialogs.h"

#include "classlib/ClassRegistry.h"
#include "classlib/DelayLoad.h"
#include "classlib/Exceptions.h"
#include "classlib/Forms.h"
#include "classlib/Persistence.h"
#include "classlib/Strings.h"

#include <vector>

namespace {

void RegisterDialogClasses() {
    RegisterEnum<TOpenOption>({"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir",
                               "ofNoValidate", "ofExtensionDifferent", "ofPathMustExist",
                               "ofFileMustExist", "ofCreatePrompt", "ofNoReadOnlyReturn",
                               "ofNoTestFileCreate", "ofEnableSizing"});
    RegisterClass(TOpenDialog::StaticClass());
    RegisterClass(TSaveDialog::StaticClass());
}

} // namespace

DEFINE_UNIT(Dialogs, uoClassLib, RegisterDialogClasses, nullptr);

// ---------------------------------------------------------------------------
// File dialogs

namespace {

// Loaded by the first dialog: it brings the printing DLLs in with it.
constexpr const char* kDialogsDll = "comdlg32.dll";

TFileDialogHook& CurrentFileDialogHook() {
    static TFileDialogHook hook;
    return hook;
}

// "a|b|c|d" as the system wants it: "a\0b\0c\0d\0\0".
std::vector<char> SystemFilter(const AnsiString& Filter) {
    std::vector<char> result(Filter.begin(), Filter.end());
    for (char& c : result)
        if (c == '|') c = '\0';
    if (!result.empty() && result.back() != '\0') result.push_back('\0');
    result.push_back('\0');
    return result;
}

struct TOptionFlag {
    TOpenOption Option;
    DWORD Flag;
};

constexpr TOptionFlag kOptionFlags[] = {
    {ofReadOnly, OFN_READONLY},
    {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
    {ofHideReadOnly, OFN_HIDEREADONLY},
    {ofNoChangeDir, OFN_NOCHANGEDIR},
    {ofNoValidate, OFN_NOVALIDATE},
    {ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
    {ofPathMustExist, OFN_PATHMUSTEXIST},
    {ofFileMustExist, OFN_FILEMUSTEXIST},
    {ofCreatePrompt, OFN_CREATEPROMPT},
    {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
    {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
    {ofEnableSizing, OFN_ENABLESIZING},
};

DWORD OptionsToFlags(TOpenOptions Options) {
    DWORD flags = OFN_EXPLORER;
    for (const TOptionFlag& f : kOptionFlags)
        if (Options.Contains(f.Option)) flags |= f.Flag;
    return flags;
}

// The names the system may use for a very long path, with room to spare.
constexpr std::size_t kFileNameBuffer = 32768;

} // namespace

TFileDialogHook SetFileDialogHook(TFileDialogHook Hook) {
    TFileDialogHook previous = std::move(CurrentFileDialogHook());
    CurrentFileDialogHook() = std::move(Hook);
    return previous;
}

void TOpenDialog::Published(TPropertyList& P) {
    P.Add("DefaultExt", &TOpenDialog::GetDefaultExt, &TOpenDialog::SetDefaultExt);
    P.Add("FileName", &TOpenDialog::GetFileName, &TOpenDialog::SetFileName);
    P.Add("Filter", &TOpenDialog::GetFilter, &TOpenDialog::SetFilter);
    P.Add("FilterIndex", &TOpenDialog::GetFilterIndex, &TOpenDialog::SetFilterIndex, 1);
    P.Add("InitialDir", &TOpenDialog::GetInitialDir, &TOpenDialog::SetInitialDir);
    P.Add("Options", &TOpenDialog::GetOptions, &TOpenDialog::SetOptions,
          TOpenOptions{ofHideReadOnly, ofEnableSizing});
    P.Add("Title", &TOpenDialog::GetTitle, &TOpenDialog::SetTitle);
}

bool TOpenDialog::Execute() {
    return RunDialog(false);
}

bool TSaveDialog::Execute() {
    return RunDialog(true);
}

bool TOpenDialog::RunDialog(bool Save) {
    std::vector<char> filter = SystemFilter(FFilter);
    std::vector<char> file(kFileNameBuffer, '\0');
    FFileName.copy(file.data(), std::min(FFileName.size(), file.size() - 1));
    AnsiString defaultExt = FDefaultExt;
    if (!defaultExt.empty() && defaultExt[0] == '.') defaultExt.erase(0, 1);

    OPENFILENAMEA params = {};
    params.lStructSize = sizeof(params);
    params.hwndOwner = GetActiveWindow();
    params.lpstrFilter = FFilter.empty() ? nullptr : filter.data();
    params.nFilterIndex = static_cast<DWORD>(std::max(FFilterIndex, 0));
    params.lpstrFile = file.data();
    params.nMaxFile = static_cast<DWORD>(file.size());
    params.lpstrInitialDir = FInitialDir.empty() ? nullptr : FInitialDir.c_str();
    params.lpstrTitle = FTitle.empty() ? nullptr : FTitle.c_str();
    params.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    params.Flags = OptionsToFlags(FOptions);

    bool confirmed;
    if (const TFileDialogHook& hook = CurrentFileDialogHook()) {
        confirmed = hook(params, Save);
    } else {
        auto* run = Save ? DelayLoaded<decltype(GetSaveFileNameA)>(kDialogsDll, "GetSaveFileNameA")
                         : DelayLoaded<decltype(GetOpenFileNameA)>(kDialogsDll, "GetOpenFileNameA");
        confirmed = run(&params) != FALSE;
        if (!confirmed) {
            DWORD error =
                DelayLoaded<decltype(CommDlgExtendedError)>(kDialogsDll, "CommDlgExtendedError")();
            if (error != 0)
                throw EOSError(Format("The file dialog cannot be shown (error %u)", error));
        }
    }
    if (!confirmed) return false;

    file.back() = '\0';
    FFileName = file.data();
    FFilterIndex = static_cast<int>(params.nFilterIndex);
    if (params.Flags & OFN_READONLY)
        FOptions.Include(ofReadOnly);
    else
        FOptions.Exclude(ofReadOnly);
    if (params.Flags & OFN_EXTENSIONDIFFERENT)
        FOptions.Include(ofExtensionDifferent);
    else
        FOptions.Exclude(ofExtensionDifferent);
    return true;
}

// ---------------------------------------------------------------------------
// Message boxes

namespace {

TMessageDlgHook& CurrentMessageDlgHook() {
    static TMessageDlgHook hook;
    return hook;
}

struct TButtonSet {
    TMsgDlgButtons Buttons;
    UINT Style;
};

// The button sets the system's box offers; the default button is OK when present, else
// Yes, else Retry.
const TButtonSet kButtonSets[] = {
    {{mbOK}, MB_OK},
    {{mbOK, mbCancel}, MB_OKCANCEL},
    {{mbYes, mbNo}, MB_YESNO},
    {{mbYes, mbNo, mbCancel}, MB_YESNOCANCEL},
    {{mbRetry, mbCancel}, MB_RETRYCANCEL},
    {{mbAbort, mbRetry, mbIgnore}, MB_ABORTRETRYIGNORE | MB_DEFBUTTON2},
};

int ModalResultOf(int BoxResult) {
    switch (BoxResult) {
    case IDOK:
        return mrOk;
    case IDYES:
        return mrYes;
    case IDNO:
        return mrNo;
    case IDABORT:
        return mrAbort;
    case IDRETRY:
        return mrRetry;
    case IDIGNORE:
        return mrIgnore;
    default:
        return mrCancel;
    }
}

AnsiString CaptionOf(TMsgDlgType DlgType) {
    switch (DlgType) {
    case mtWarning:
        return "Warning";
    case mtError:
        return "Error";
    case mtInformation:
        return "Information";
    case mtConfirmation:
        return "Confirm";
    case mtCustom:
        break;
    }
    return Application ? Application->GetTitle() : AnsiString();
}

UINT IconOf(TMsgDlgType DlgType) {
    switch (DlgType) {
    case mtWarning:
        return MB_ICONWARNING;
    case mtError:
        return MB_ICONERROR;
    case mtInformation:
        return MB_ICONINFORMATION;
    case mtConfirmation:
        return MB_ICONQUESTION;
    case mtCustom:
        break;
    }
    return 0;
}

} // namespace

TMessageDlgHook SetMessageDlgHook(TMessageDlgHook Hook) {
    TMessageDlgHook previous = std::move(CurrentMessageDlgHook());
    CurrentMessageDlgHook() = std::move(Hook);
    return previous;
}

int MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
    if (const TMessageDlgHook& hook = CurrentMessageDlgHook())
        return hook(Msg, DlgType, Buttons, HelpCtx);
    TMsgDlgButtons withoutHelp = Buttons;
    withoutHelp.Exclude(mbHelp);
    const TButtonSet* set = nullptr;
    for (const TButtonSet& candidate : kButtonSets)
        if (candidate.Buttons == withoutHelp) set = &candidate;
    if (!set) throw EInvalidOperation("The message box cannot show this set of buttons");
    UINT style = set->Style | IconOf(DlgType);
    if (Buttons.Contains(mbHelp)) style |= MB_HELP;
    AnsiString caption = CaptionOf(DlgType);
    int pressed = Application
                      ? Application->ShowMessageBox(Msg, caption, style)
                      : MessageBoxA(nullptr, Msg.c_str(), caption.c_str(), style | MB_TASKMODAL);
    return ModalResultOf(pressed);
}

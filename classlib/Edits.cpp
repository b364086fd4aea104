#include "classlib/Edits.h"

#include "classlib/Bitmaps.h"
#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/Persistence.h"

#include <algorithm>
#include <vector>

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(GetLeft(), GetTop(), 121, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

void TCustomEdit::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    P.Add("Text", &TControl::GetText, &TControl::SetText);
    P.Add("BorderStyle", &TCustomEdit::GetBorderStyle, &TCustomEdit::SetBorderStyle, bsSingle);
    P.Add("HideSelection", &TCustomEdit::GetHideSelection, &TCustomEdit::SetHideSelection, true);
    P.Add("MaxLength", &TCustomEdit::GetMaxLength, &TCustomEdit::SetMaxLength, 0);
    P.Add("OEMConvert", &TCustomEdit::GetOEMConvert, &TCustomEdit::SetOEMConvert, false);
    P.Add("ReadOnly", &TCustomEdit::GetReadOnly, &TCustomEdit::SetReadOnly, false);
    P.Add("OnChange", &TCustomEdit::OnChange);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "EDIT");
    Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
    if (FReadOnly) Params.Style |= ES_READONLY;
    if (FPasswordChar != '\0') Params.Style |= ES_PASSWORD;
    if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
    if (FOEMConvert) Params.Style |= ES_OEMCONVERT;
    if (FBorderStyle == bsSingle) {
        if (GetCtl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
}

void TCustomEdit::CreateWnd() {
    TWinControl::CreateWnd();
    HWND wnd = GetHandle();
    LimitText();
    if (FPasswordChar != '\0')
        SendMessageA(wnd, EM_SETPASSWORDCHAR, static_cast<unsigned char>(FPasswordChar), 0);
    SendMessageA(wnd, EM_SETMODIFY, FModified, 0);
    SendMessageA(wnd, EM_SETSEL, static_cast<WPARAM>(FSelStart),
                 static_cast<LPARAM>(FSelStart + FSelLength));
}

void TCustomEdit::DestroyWnd() {
    if (HandleAllocated()) {
        FModified = GetModified();
        FSelStart = GetSelStart();
        FSelLength = GetSelLength();
    }
    TWinControl::DestroyWnd();
}

void TCustomEdit::SetMaxLength(int Value) {
    FMaxLength = std::max(Value, 0);
    if (HandleAllocated()) LimitText();
}

void TCustomEdit::LimitText() {
    SendMessageA(GetHandle(), EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomEdit::SetReadOnly(bool Value) {
    FReadOnly = Value;
    if (HandleAllocated()) SendMessageA(GetHandle(), EM_SETREADONLY, Value, 0);
}

bool TCustomEdit::GetModified() {
    if (HandleAllocated()) return SendMessageA(GetHandle(), EM_GETMODIFY, 0, 0) != 0;
    return FModified;
}

void TCustomEdit::SetModified(bool Value) {
    FModified = Value;
    if (HandleAllocated()) SendMessageA(GetHandle(), EM_SETMODIFY, Value, 0);
}

void TCustomEdit::SetPasswordChar(char Value) {
    if (FPasswordChar == Value) return;
    FPasswordChar = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool Value) {
    if (FHideSelection == Value) return;
    FHideSelection = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomEdit::SetOEMConvert(bool Value) {
    if (FOEMConvert == Value) return;
    FOEMConvert = Value;
    if (HandleAllocated()) RecreateWnd();
}

int TCustomEdit::GetSelStart() {
    if (!HandleAllocated()) return FSelStart;
    DWORD start = 0;
    SendMessageA(GetHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int Value) {
    FSelStart = std::max(Value, 0);
    FSelLength = 0;
    if (HandleAllocated())
        SendMessageA(GetHandle(), EM_SETSEL, static_cast<WPARAM>(FSelStart),
                     static_cast<LPARAM>(FSelStart));
}

int TCustomEdit::GetSelLength() {
    if (!HandleAllocated()) return FSelLength;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(GetHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int Value) {
    FSelStart = GetSelStart();
    FSelLength = std::max(Value, 0);
    if (HandleAllocated())
        SendMessageA(GetHandle(), EM_SETSEL, static_cast<WPARAM>(FSelStart),
                     static_cast<LPARAM>(FSelStart + FSelLength));
}

AnsiString TCustomEdit::GetSelText() {
    // The selection lies in the text as the window shows it.
    AnsiString text = TWinControl::RealGetText();
    auto start = std::min<std::size_t>(static_cast<std::size_t>(GetSelStart()), text.size());
    return text.substr(start, static_cast<std::size_t>(GetSelLength()));
}

void TCustomEdit::SetSelText(const AnsiString& Value) {
    if (HandleAllocated()) {
        SendMessageA(GetHandle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Value.c_str()));
        return;
    }
    AnsiString text = GetText();
    auto start = std::min<std::size_t>(static_cast<std::size_t>(FSelStart), text.size());
    text.replace(start, static_cast<std::size_t>(FSelLength), Value);
    FSelStart = static_cast<int>(start + Value.size());
    FSelLength = 0;
    SetText(text);
}

void TCustomEdit::SelectAll() {
    FSelStart = 0;
    FSelLength = static_cast<int>(GetText().size());
    if (HandleAllocated()) SendMessageA(GetHandle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::Clear() {
    SetText("");
}

void TCustomEdit::Change() {
    TComponentProtector protect(this);
    if (OnChange) OnChange(this);
}

void TCustomEdit::CNCommand(TWMCommand& Message) {
    if (Message.NotifyCode() == EN_CHANGE && !IsLoading()) Change();
}

// The system edit pastes on Shift+Insert and undoes on Alt+Backspace without sending itself
// the messages: sent as messages, they pass what the controls built on it refuse or filter
// (read-only text, masks, fixed separators).
void TCustomEdit::WMKeyDown(TMessage& Message) {
    if (Message.WParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0) {
        Perform(WM_PASTE, 0, 0);
        return;
    }
    TWinControl::Dispatch(Message);
}

void TCustomEdit::WMSysKeyDown(TMessage& Message) {
    constexpr LPARAM kAltDown = LPARAM(1) << 29;
    if (Message.WParam == VK_BACK && (Message.LParam & kAltDown) != 0) {
        Perform(WM_UNDO, 0, 0);
        return;
    }
    TWinControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------
// TCustomMemo

namespace {

// The lines of a memo's text. Reading splits the text; every change writes the whole
// text back, the lines joined by CR LF.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* Memo) : FMemo(Memo) {}

    int GetCount() const override { return static_cast<int>(Lines().size()); }
    AnsiString Get(int Index) const override {
        std::vector<AnsiString> lines = Lines();
        if (Index < 0 || Index >= static_cast<int>(lines.size())) IndexError(Index);
        return lines[static_cast<std::size_t>(Index)];
    }
    void Put(int Index, const AnsiString& S) override {
        std::vector<AnsiString> lines = Lines();
        if (Index < 0 || Index >= static_cast<int>(lines.size())) IndexError(Index);
        lines[static_cast<std::size_t>(Index)] = S;
        Store(lines);
    }
    void Insert(int Index, const AnsiString& S) override {
        std::vector<AnsiString> lines = Lines();
        if (Index < 0 || Index > static_cast<int>(lines.size())) IndexError(Index);
        lines.insert(lines.begin() + Index, S);
        Store(lines);
    }
    void Delete(int Index) override {
        std::vector<AnsiString> lines = Lines();
        if (Index < 0 || Index >= static_cast<int>(lines.size())) IndexError(Index);
        lines.erase(lines.begin() + Index);
        Store(lines);
    }
    void Clear() override { FMemo->SetText(""); }
    void SetText(const AnsiString& Value) override { FMemo->SetText(Value); }

private:
    std::vector<AnsiString> Lines() const {
        TStringList split;
        split.SetText(FMemo->GetText());
        std::vector<AnsiString> lines;
        for (int i = 0; i < split.GetCount(); ++i)
            lines.push_back(split.Get(i));
        return lines;
    }
    void Store(const std::vector<AnsiString>& Lines) {
        AnsiString text;
        for (std::size_t i = 0; i < Lines.size(); ++i) {
            if (i > 0) text += "\r\n";
            text += Lines[i];
        }
        FMemo->SetText(text);
    }

    TCustomMemo* FMemo;
};

} // namespace

TCustomMemo::TCustomMemo(TComponent* AOwner)
    : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this)) {
    SetBounds(GetLeft(), GetTop(), 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::Published(TPropertyList& P) {
    P.Add("Alignment", &TCustomMemo::GetAlignment, &TCustomMemo::SetAlignment, taLeftJustify);
    P.Add("Lines", &TCustomMemo::GetLines);
    P.Add("ScrollBars", &TCustomMemo::GetScrollBars, &TCustomMemo::SetScrollBars, ssNone);
    P.Add("WantReturns", &TCustomMemo::GetWantReturns, &TCustomMemo::SetWantReturns, true);
    P.Add("WantTabs", &TCustomMemo::GetWantTabs, &TCustomMemo::SetWantTabs, false);
    P.Add("WordWrap", &TCustomMemo::GetWordWrap, &TCustomMemo::SetWordWrap, true);
}

void TCustomMemo::SetLines(TStrings* Value) {
    FLines->Assign(Value);
}

void TCustomMemo::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
    if (FScrollBars == Value) return;
    FScrollBars = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool Value) {
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomMemo::CreateParams(TCreateParams& Params) {
    TCustomEdit::CreateParams(Params);
    static constexpr DWORD kAlignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    Params.Style |= ES_MULTILINE | kAlignments[FAlignment];
    if (FWordWrap) Params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
    if ((FScrollBars == ssHorizontal || FScrollBars == ssBoth) && !FWordWrap)
        Params.Style |= WS_HSCROLL;
}

void TCustomMemo::WMGetDlgCode(TWMGetDlgCode& Message) {
    TCustomEdit::Dispatch(Message.Message);
    if (FWantTabs)
        Message.Result |= DLGC_WANTTAB;
    else
        Message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
    if (!FWantReturns) Message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
}

REGISTER_CLASS(TEdit);
REGISTER_CLASS(TMaskEdit);
REGISTER_CLASS(TMemo);

namespace {

void RegisterEditsEnums() {
    RegisterEnum<TScrollStyle>({"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
    RegisterEnum<TEditCharCase>({"ecNormal", "ecUpperCase", "ecLowerCase"});
}

} // namespace

DEFINE_UNIT(Edits, uoClassLib, RegisterEditsEnums, nullptr);

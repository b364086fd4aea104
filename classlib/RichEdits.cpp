#include "classlib/RichEdits.h"

#include "classlib/ClassRegistry.h"
#include "classlib/DelayLoad.h"
#include "classlib/Persistence.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

namespace {

// Far more than any text a person edits; the editor's own limit stops at 32,767 characters,
// also for a text set by the program.
constexpr LPARAM kNoLimit = 0x7FFFFFFE;

WORD ParagraphAlignment(TAlignment Value) {
    switch (Value) {
    case taRightJustify: return PFA_RIGHT;
    case taCenter: return PFA_CENTER;
    case taLeftJustify: break;
    }
    return PFA_LEFT;
}

} // namespace

TCustomRichEdit::TCustomRichEdit(TComponent* AOwner) : TCustomMemo(AOwner) {}

void TCustomRichEdit::Published(TPropertyList& P) {
    P.Add("Alignment", &TCustomRichEdit::GetAlignment, &TCustomRichEdit::SetAlignment,
          taLeftJustify);
    P.Add("HideSelection", &TCustomRichEdit::GetHideSelection, &TCustomRichEdit::SetHideSelection,
          true);
    P.Add("PlainText", &TCustomRichEdit::GetPlainText, &TCustomRichEdit::SetPlainText, false);
    P.Add("OnSelectionChange", &TCustomRichEdit::OnSelectionChange);
    P.Add("OnProtectChange", &TCustomRichEdit::OnProtectChange);
    P.Add("OnResizeRequest", &TCustomRichEdit::OnResizeRequest);
    P.Add("OnSaveClipboard", &TCustomRichEdit::OnSaveClipboard);
}

void TCustomRichEdit::CreateParams(TCreateParams& Params) {
    DelayLoadModule("riched20.dll");
    TCustomMemo::CreateParams(Params);
    CreateSubClass(Params, RICHEDIT_CLASSA);
    if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
}

void TCustomRichEdit::CreateWindowHandle(const TCreateParams& Params) {
    // The window is made empty: a text given at its creation would be cut at the editor's own
    // limit, and only an empty editor takes another text mode.
    TCreateParams empty = Params;
    empty.Caption.clear();
    TCustomMemo::CreateWindowHandle(empty);
    if (!HandleAllocated()) return;
    HWND wnd = GetHandle();
    LimitText();
    SendMessageA(wnd, EM_SETTEXTMODE, FPlainText ? TM_PLAINTEXT : TM_RICHTEXT, 0);
    if (!Params.Caption.empty()) SetWindowTextA(wnd, Params.Caption.c_str());
}

void TCustomRichEdit::CreateWnd() {
    TCustomMemo::CreateWnd();
    HWND wnd = GetHandle();
    // Lines wrap at the window's width, or never.
    SendMessageA(wnd, EM_SETTARGETDEVICE, 0, GetWordWrap() ? 0 : 1);
    ApplyColors();
    ApplyAlignment();
    SendMessageA(wnd, EM_SETEVENTMASK, 0,
                 ENM_CHANGE | ENM_SELCHANGE | ENM_PROTECTED | ENM_REQUESTRESIZE);
}

void TCustomRichEdit::LimitText() {
    const int length = GetMaxLength();
    SendMessageA(GetHandle(), EM_EXLIMITTEXT, 0, length > 0 ? length : kNoLimit);
}

namespace {

// Hands the editor the bytes of the text given in Cookie, as they are.
DWORD CALLBACK ReadPlainText(DWORD_PTR Cookie, LPBYTE Buffer, LONG Wanted, LONG* Given) {
    auto* rest = reinterpret_cast<const char**>(Cookie);
    const auto length = static_cast<LONG>(std::min<std::size_t>(std::strlen(*rest),
                                                                 static_cast<std::size_t>(Wanted)));
    std::memcpy(Buffer, *rest, static_cast<std::size_t>(length));
    *rest += length;
    *Given = length;
    return 0;
}

} // namespace

void TCustomRichEdit::WndProc(TMessage& Message) {
    if (Message.Msg == WM_SETTEXT && FPlainText && HandleAllocated()) {
        // The editor would read a text that starts like rich text as rich text.
        const char* text = Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "";
        EDITSTREAM stream{};
        stream.dwCookie = reinterpret_cast<DWORD_PTR>(&text);
        stream.pfnCallback = ReadPlainText;
        SendMessageA(GetHandle(), EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
        Message.Result = TRUE;
    } else {
        TCustomMemo::WndProc(Message);
    }
    // A text the program sets comes in left-aligned.
    if (Message.Msg == WM_SETTEXT && FAlignment != taLeftJustify && HandleAllocated())
        ApplyAlignment();
}

void TCustomRichEdit::Quietly(const std::function<void(HWND)>& Change) {
    HWND wnd = GetHandle();
    const LRESULT events = SendMessageA(wnd, EM_SETEVENTMASK, 0, 0);
    Change(wnd);
    SendMessageA(wnd, EM_SETEVENTMASK, 0, events);
}

void TCustomRichEdit::ApplyAlignment() {
    // Every paragraph, selected for the change.
    Quietly([this](HWND Wnd) {
        CHARRANGE saved{};
        SendMessageA(Wnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
        SendMessageA(Wnd, EM_SETSEL, 0, -1);
        PARAFORMAT format{};
        format.cbSize = sizeof format;
        format.dwMask = PFM_ALIGNMENT;
        format.wAlignment = ParagraphAlignment(FAlignment);
        SendMessageA(Wnd, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
        SendMessageA(Wnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
    });
}

void TCustomRichEdit::ApplyColors() {
    Quietly([this](HWND Wnd) {
        SendMessageA(Wnd, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRGB(GetColor())));
        // The font's colour, as the window's font is for all the text and new text.
        CHARFORMATA format{};
        format.cbSize = sizeof format;
        format.dwMask = CFM_COLOR;
        format.crTextColor = static_cast<COLORREF>(ColorToRGB(GetFont()->GetColor()));
        SendMessageA(Wnd, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
        SendMessageA(Wnd, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    });
}

void TCustomRichEdit::CMColorChanged(TMessage& Message) {
    TCustomMemo::Dispatch(Message);
    if (HandleAllocated()) ApplyColors();
}

void TCustomRichEdit::CMFontChanged(TMessage& Message) {
    TCustomMemo::Dispatch(Message);
    if (HandleAllocated()) ApplyColors();
}

void TCustomRichEdit::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    if (HandleAllocated()) ApplyAlignment();
}

void TCustomRichEdit::SetHideSelection(bool Value) {
    if (Value == FHideSelection) return;
    FHideSelection = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomRichEdit::SetPlainText(bool Value) {
    if (Value == FPlainText) return;
    FPlainText = Value;
    if (HandleAllocated()) RecreateWnd();
}

int TCustomRichEdit::GetTextLength() {
    if (!HandleAllocated()) return static_cast<int>(GetText().size());
    return static_cast<int>(SendMessageA(GetHandle(), WM_GETTEXTLENGTH, 0, 0));
}

void TCustomRichEdit::SelectionChange() {
    TComponentProtector protect(this);
    if (OnSelectionChange) OnSelectionChange(this);
}

void TCustomRichEdit::CNNotify(TMessage& Message) {
    auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
    switch (header->code) {
    case EN_SELCHANGE: SelectionChange(); break;
    case EN_PROTECTED: {
        const auto* change = reinterpret_cast<ENPROTECTED*>(Message.LParam);
        bool allow = false;
        if (OnProtectChange)
            OnProtectChange(this, change->chrg.cpMin, change->chrg.cpMax, allow);
        Message.Result = allow ? 0 : 1;
        break;
    }
    case EN_REQUESTRESIZE: {
        const RECT& r = reinterpret_cast<REQRESIZE*>(Message.LParam)->rc;
        if (OnResizeRequest) OnResizeRequest(this, TRect(r.left, r.top, r.right, r.bottom));
        break;
    }
    case EN_SAVECLIPBOARD: {
        const auto* clip = reinterpret_cast<ENSAVECLIPBOARD*>(Message.LParam);
        bool save = true;
        if (OnSaveClipboard) OnSaveClipboard(this, clip->cObjectCount, clip->cch, save);
        Message.Result = save ? 0 : 1;
        break;
    }
    default: break;
    }
}

REGISTER_CLASS(TRichEdit);

DEFINE_UNIT(RichEdits, uoClassLib, nullptr, nullptr);

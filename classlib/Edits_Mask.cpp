#include "classlib/Edits_Mask.h"

#include "classlib/Edits.h"
#include "classlib/Persistence.h"
#include "classlib/Platform.h"
#include "classlib/Strings.h"

#include <algorithm>

namespace {

bool IsDigit(char C) {
    return C >= '0' && C <= '9';
}

// Letters of the ANSI code page, not only the English ones.
bool IsLetter(char C) {
    return IsCharAlphaA(C) != FALSE;
}

} // namespace

TEditMask::TEditMask(const AnsiString& Mask) {
    TCase letterCase = caAsTyped;
    std::size_t i = 0;
    for (; i < Mask.size() && Mask[i] != ';'; ++i) {
        const char c = Mask[i];
        TPosition p;
        p.Case = letterCase;
        switch (c) {
        case '!':
            FAlignToEnd = true;
            continue;
        case '>':
            letterCase = caUpper;
            continue;
        case '<':
            if (i + 1 < Mask.size() && Mask[i + 1] == '>') {
                letterCase = caAsTyped;
                ++i;
            } else {
                letterCase = caLower;
            }
            continue;
        case '\\':
            // A backslash that ends the mask stands for itself.
            if (i + 1 < Mask.size()) ++i;
            p.Literal = Mask[i];
            break;
        case '0': p.Kind = mkDigit; p.Required = true; break;
        case '9': p.Kind = mkDigit; break;
        case '#': p.Kind = mkDigitOrSign; break;
        case 'L': p.Kind = mkLetter; p.Required = true; break;
        case 'l': p.Kind = mkLetter; break;
        case 'A': p.Kind = mkAlphaNumeric; p.Required = true; break;
        case 'a': p.Kind = mkAlphaNumeric; break;
        case 'C': p.Kind = mkAny; p.Required = true; break;
        case 'c': p.Kind = mkAny; break;
        default: p.Literal = c; break;
        }
        FPositions.push_back(p);
    }
    if (i >= Mask.size()) return;
    const std::size_t second = Mask.find(';', i + 1);
    const AnsiString keep = Mask.substr(i + 1, second == AnsiString::npos ? AnsiString::npos : second - i - 1);
    FKeepLiterals = keep.empty() || keep[0] != '0';
    if (second != AnsiString::npos && second + 1 < Mask.size()) {
        const char blank = Mask[second + 1];
        // A blank that could be typed would read as a typed character.
        if (!IsDigit(blank) && !IsLetter(blank) && blank != '\0') FBlank = blank;
    }
}

bool TEditMask::IsLiteral(int Pos) const {
    return Pos < 0 || Pos >= Length() || FPositions[static_cast<std::size_t>(Pos)].Kind == mkLiteral;
}

int TEditMask::NextInput(int Pos) const {
    for (int p = std::max(Pos, 0); p < Length(); ++p)
        if (!IsLiteral(p)) return p;
    return -1;
}

int TEditMask::PriorInput(int Pos) const {
    for (int p = std::min(Pos, Length()) - 1; p >= 0; --p)
        if (!IsLiteral(p)) return p;
    return -1;
}

bool TEditMask::Accepts(int Pos, char& C) const {
    if (IsLiteral(Pos)) return false;
    const TPosition& p = FPositions[static_cast<std::size_t>(Pos)];
    if (C == ' ' || C == FBlank) {
        // A space empties a position, and only one that may stay empty.
        if (p.Required) return false;
        C = FBlank;
        return true;
    }
    if (p.Case == caUpper) C = AnsiUpperCase(AnsiString(1, C))[0];
    if (p.Case == caLower) C = AnsiLowerCase(AnsiString(1, C))[0];
    switch (p.Kind) {
    case mkDigit: return IsDigit(C);
    case mkDigitOrSign: return IsDigit(C) || C == '+' || C == '-';
    case mkLetter: return IsLetter(C);
    case mkAlphaNumeric: return IsLetter(C) || IsDigit(C);
    case mkAny: return static_cast<unsigned char>(C) >= 32 && C != 0x7F;
    case mkLiteral: break;
    }
    return false;
}

char TEditMask::Shown(int Pos, char C) const {
    char shown = C;
    return Accepts(Pos, shown) ? shown : FBlank;
}

AnsiString TEditMask::Fitted(const AnsiString& Edit) const {
    AnsiString result(FPositions.size(), FBlank);
    for (int p = 0; p < Length(); ++p) {
        if (IsLiteral(p))
            result[p] = FPositions[static_cast<std::size_t>(p)].Literal;
        else if (p < static_cast<int>(Edit.size()))
            result[p] = Shown(p, Edit[p]);
    }
    return result;
}

AnsiString TEditMask::EditFromText(const AnsiString& Text) const {
    if (FKeepLiterals) {
        // A shorter text aligned to the end is preceded by empty positions.
        AnsiString text = Text;
        if (FAlignToEnd && text.size() < FPositions.size())
            text.insert(0, FPositions.size() - text.size(), ' ');
        return Fitted(text);
    }
    std::vector<int> inputs;
    for (int p = NextInput(0); p != -1; p = NextInput(p + 1)) inputs.push_back(p);
    AnsiString result = Fitted("");
    const std::size_t count = std::min(Text.size(), inputs.size());
    const std::size_t first = FAlignToEnd ? inputs.size() - count : 0;
    for (std::size_t i = 0; i < count; ++i) {
        const int p = inputs[first + i];
        result[p] = Shown(p, Text[i]);
    }
    return result;
}

AnsiString TEditMask::TextFromEdit(const AnsiString& Edit) const {
    const AnsiString fitted = Fitted(Edit);
    AnsiString text;
    for (int p = 0; p < Length(); ++p) {
        if (IsLiteral(p)) {
            if (FKeepLiterals) text += fitted[p];
            continue;
        }
        text += fitted[p] == FBlank ? ' ' : fitted[p];
    }
    if (FKeepLiterals) return text;
    if (FAlignToEnd) {
        const std::size_t first = text.find_first_not_of(' ');
        return first == AnsiString::npos ? AnsiString() : text.substr(first);
    }
    const std::size_t last = text.find_last_not_of(' ');
    return last == AnsiString::npos ? AnsiString() : text.substr(0, last + 1);
}

// ---------------------------------------------------------------------------
// TCustomMaskEdit

void TCustomMaskEdit::Published(TPropertyList& P) {
    P.Add("EditMask", &TCustomMaskEdit::GetEditMask, &TCustomMaskEdit::SetEditMask);
}

void TCustomMaskEdit::SetEditMask(const AnsiString& Value) {
    if (Value == FEditMask) return;
    const AnsiString text = GetText();
    FEditMask = Value;
    FMask = TEditMask(Value);
    if (FTextPending) return;
    const AnsiString edit = IsMasked() ? FMask.EditFromText(text) : text;
    if (edit == RawText()) return;
    SetRawText(edit);
    Perform(CM_TEXTCHANGED, 0, 0);
}

AnsiString TCustomMaskEdit::GetEditText() {
    return RawText();
}

void TCustomMaskEdit::SetEditText(const AnsiString& Value) {
    const AnsiString edit = IsMasked() ? FMask.Fitted(Value) : Value;
    if (edit == RawText()) return;
    SetRawText(edit);
    Perform(CM_TEXTCHANGED, 0, 0);
}

int TCustomMaskEdit::GetEditPosition() {
    return IsMasked() ? FMask.NextInput(GetSelStart()) : -1;
}

AnsiString TCustomMaskEdit::RealGetText() {
    return IsMasked() ? FMask.TextFromEdit(RawText()) : RawText();
}

void TCustomMaskEdit::SetRawText(const AnsiString& Value) {
    FRawNext = true;
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
    FRawNext = false;
}

void TCustomMaskEdit::DestroyWnd() {
    // The window's text is kept as the control's own, as the window shows it.
    const AnsiString edit = RawText();
    TCustomEdit::DestroyWnd();
    SetRawText(edit);
}

void TCustomMaskEdit::Loaded() {
    TCustomEdit::Loaded();
    if (!FTextPending) return;
    FTextPending = false;
    if (IsMasked()) SetRawText(FMask.EditFromText(RawText()));
}

void TCustomMaskEdit::Change() {
    if (!FQuiet) TCustomEdit::Change();
}

void TCustomMaskEdit::Apply(const AnsiString& Edit, int Caret) {
    if (!HandleAllocated()) return;
    HWND wnd = GetHandle();
    const AnsiString before = RawText();
    if (Edit != before) {
        std::size_t first = 0;
        while (first < Edit.size() && first < before.size() && Edit[first] == before[first]) ++first;
        std::size_t endEdit = Edit.size(), endBefore = before.size();
        while (endEdit > first && endBefore > first && Edit[endEdit - 1] == before[endBefore - 1]) {
            --endEdit;
            --endBefore;
        }
        const AnsiString part = Edit.substr(first, endEdit - first);
        SendMessageA(wnd, EM_SETSEL, first, endBefore);
        FRawNext = true;
        SendMessageA(wnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(part.c_str()));
        FRawNext = false;
        // The change has run OnChange, which may have done anything to the control.
        if (IsDestroying() || !HandleAllocated()) return;
        wnd = GetHandle();
    }
    SendMessageA(wnd, EM_SETSEL, static_cast<WPARAM>(Caret), static_cast<LPARAM>(Caret));
}

bool TCustomMaskEdit::TypeChars(const AnsiString& Chars) {
    const int length = FMask.Length();
    const AnsiString literals = FMask.Fitted("");
    AnsiString edit = FMask.Fitted(RawText());
    const int start = std::min(GetSelStart(), length);
    const int end = std::min(start + GetSelLength(), length);
    for (int p = start; p < end; ++p)
        if (!FMask.IsLiteral(p)) edit[p] = FMask.Blank();
    int at = start;
    bool all = true, any = false;
    for (char c : Chars) {
        // A literal typed where it stands is passed over, as a person reading it would.
        if (at < length && FMask.IsLiteral(at) && literals[at] == c) {
            ++at;
            continue;
        }
        const int p = FMask.NextInput(at);
        char shown = c;
        if (p == -1 || !FMask.Accepts(p, shown)) {
            all = false;
            continue;
        }
        edit[p] = shown;
        at = p + 1;
        any = true;
    }
    if (!any) return false;
    while (at < length && FMask.IsLiteral(at)) ++at;
    Apply(edit, at);
    return all;
}

void TCustomMaskEdit::EmptyPositions(bool Forward) {
    AnsiString edit = FMask.Fitted(RawText());
    const int length = FMask.Length();
    const int start = std::min(GetSelStart(), length);
    const int end = std::min(start + GetSelLength(), length);
    int caret = start;
    if (end > start) {
        for (int p = start; p < end; ++p)
            if (!FMask.IsLiteral(p)) edit[p] = FMask.Blank();
    } else {
        const int p = Forward ? FMask.NextInput(start) : FMask.PriorInput(start);
        if (p == -1) return;
        edit[p] = FMask.Blank();
        if (!Forward) caret = p;
    }
    Apply(edit, caret);
}

void TCustomMaskEdit::WMSetText(TMessage& Message) {
    if (IsLoading() && !FRawNext) FTextPending = true;
    if (!IsMasked() || FRawNext || FTextPending) {
        FRawNext = false;
        TCustomEdit::Dispatch(Message);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(Message.LParam);
    const AnsiString edit = FMask.EditFromText(text ? text : "");
    const LPARAM given = Message.LParam;
    Message.LParam = reinterpret_cast<LPARAM>(edit.c_str());
    TCustomEdit::Dispatch(Message);
    Message.LParam = given;
}

void TCustomMaskEdit::WMChar(TMessage& Message) {
    if (!IsMasked()) {
        TCustomEdit::Dispatch(Message);
        return;
    }
    const auto key = static_cast<unsigned char>(Message.WParam);
    switch (key) {
    case '\b':
        EmptyPositions(false);
        return;
    case 0x01: // select all
    case 0x03: // copy
        TCustomEdit::Dispatch(Message);
        return;
    case 0x16:
        Perform(WM_PASTE, 0, 0);
        return;
    case 0x18:
        Perform(WM_CUT, 0, 0);
        return;
    default:
        break;
    }
    // Other control characters would break the layout (a tab, a line break).
    if (key < 32) return;
    if (!TypeChars(AnsiString(1, static_cast<char>(key)))) MessageBeep(0);
}

void TCustomMaskEdit::WMKeyDown(TMessage& Message) {
    if (IsMasked() && Message.WParam == VK_DELETE) {
        if (GetKeyState(VK_SHIFT) < 0)
            Perform(WM_CUT, 0, 0);
        else
            EmptyPositions(true);
        return;
    }
    TCustomEdit::Dispatch(Message);
}

void TCustomMaskEdit::WMPaste(TMessage& Message) {
    if (!IsMasked() || !HandleAllocated()) {
        TCustomEdit::Dispatch(Message);
        return;
    }
    // The system reads the clipboard: its paste is taken back and the text it brought
    // typed through the mask.
    const AnsiString before = RawText();
    const int start = GetSelStart();
    const int length = GetSelLength();
    AnsiString pasted;
    FQuiet = true;
    TCustomEdit::Dispatch(Message);
    const AnsiString after = RawText();
    const std::size_t kept = before.size() - static_cast<std::size_t>(length);
    if (after.size() > kept && static_cast<std::size_t>(start) <= after.size())
        pasted = after.substr(static_cast<std::size_t>(start), after.size() - kept);
    if (after != before) SetRawText(before);
    FQuiet = false;
    SendMessageA(GetHandle(), EM_SETSEL, static_cast<WPARAM>(start),
                 static_cast<LPARAM>(start + length));
    if (!pasted.empty() && !TypeChars(pasted)) MessageBeep(0);
}

void TCustomMaskEdit::WMCut(TMessage& Message) {
    if (!IsMasked()) {
        TCustomEdit::Dispatch(Message);
        return;
    }
    if (GetSelLength() == 0) return;
    Perform(WM_COPY, 0, 0);
    EmptyPositions(true);
}

void TCustomMaskEdit::WMClear(TMessage& Message) {
    if (!IsMasked()) {
        TCustomEdit::Dispatch(Message);
        return;
    }
    if (GetSelLength() > 0) EmptyPositions(true);
}

void TCustomMaskEdit::WMUndo(TMessage& Message) {
    // The system's undo would bring back a text the mask never laid out.
    if (!IsMasked()) TCustomEdit::Dispatch(Message);
}

void TCustomMaskEdit::EMReplaceSel(TMessage& Message) {
    if (!IsMasked() || FRawNext) {
        FRawNext = false;
        TCustomEdit::Dispatch(Message);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(Message.LParam);
    const AnsiString chars = text ? text : "";
    if (!chars.empty() && !TypeChars(chars)) MessageBeep(0);
}

#include "skin/boxctrls/SkinBoxCtrls_TimeEdits.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Strings.h"

namespace {

constexpr char kMask[] = "!90:00:00;1; ";
constexpr char kMaskWithMilliseconds[] = "!90:00:00.000;1; ";
constexpr int kMillisecondsPerDay = 24 * 3600 * 1000;

// The number of Length characters of Text from Start, blanks read as 0.
bool ReadPart(const AnsiString& Text, std::size_t Start, std::size_t Length, int& Value) {
    if (Start + Length > Text.size()) return false;
    AnsiString part = Text.substr(Start, Length);
    for (char& c : part)
        if (c == ' ') c = '0';
    // Only digits: a sign would make a negative part.
    for (char c : part)
        if (c < '0' || c > '9') return false;
    return TryStrToInt(part, Value);
}

} // namespace

TskSkinTimeEdit::TskSkinTimeEdit(TComponent* AOwner) : TskSkinMaskEdit(AOwner) {
    SetEditMask(kMask);
    SetText("00:00:00");
}

void TskSkinTimeEdit::Published(TPropertyList& P) {
    P.Add("ShowMilliseconds", &TskSkinTimeEdit::GetShowMilliseconds,
          &TskSkinTimeEdit::SetShowMilliseconds, false);
}

bool TskSkinTimeEdit::IsValidTime(int Hour, int Min, int Sec, int MSec) {
    if (Hour < 0 || Min < 0 || Sec < 0 || MSec < 0) return false;
    return (Hour < 24 && Min < 60 && Sec < 60 && MSec < 1000) ||
           (Hour == 24 && Min == 0 && Sec == 0 && MSec == 0);
}

bool TskSkinTimeEdit::ReadParts(const AnsiString& Text, int& Hour, int& Min, int& Sec,
                                int& MSec) const {
    MSec = 0;
    return ReadPart(Text, 0, 2, Hour) && ReadPart(Text, 3, 2, Min) && ReadPart(Text, 6, 2, Sec) &&
           (!FShowMilliseconds || ReadPart(Text, 9, 3, MSec));
}

bool TskSkinTimeEdit::IsTimeText(const AnsiString& Text) const {
    int h = 0, m = 0, s = 0, ms = 0;
    return ReadParts(Text, h, m, s, ms) && IsValidTime(h, m, s, ms);
}

AnsiString TskSkinTimeEdit::Formatted(int Hour, int Min, int Sec, int MSec) const {
    return FShowMilliseconds ? Format("%2.2d:%2.2d:%2.2d.%3.3d", Hour, Min, Sec, MSec)
                             : Format("%2.2d:%2.2d:%2.2d", Hour, Min, Sec);
}

AnsiString TskSkinTimeEdit::Midnight() const {
    return FShowMilliseconds ? "00:00:00.000" : "00:00:00";
}

void TskSkinTimeEdit::SetShowMilliseconds(bool Value) {
    if (Value == FShowMilliseconds) return;
    FShowMilliseconds = Value;
    // A form being read holds the mask and the text of either layout already.
    if (IsLoading()) return;
    SetEditMask(Value ? kMaskWithMilliseconds : kMask);
    SetText(Midnight());
}

int TskSkinTimeEdit::GetMilliseconds() {
    int h = 0, m = 0, s = 0, ms = 0;
    if (!ReadParts(GetText(), h, m, s, ms)) return 0;
    return ((h * 60 + m) * 60 + s) * 1000 + ms;
}

void TskSkinTimeEdit::SetMilliseconds(int Value) {
    if (Value < 0 || Value > kMillisecondsPerDay) {
        SetText(Midnight());
        return;
    }
    // Without milliseconds the mask leaves them out.
    SetText(Format("%2.2d:%2.2d:%2.2d.%3.3d", Value / 3600000, Value / 60000 % 60,
                   Value / 1000 % 60, Value % 1000));
}

void TskSkinTimeEdit::SetTime(const AnsiString& Value) {
    int h = 0, m = 0, s = 0, ms = 0;
    // The text's own check turns a time past 24:00 into midnight.
    SetText(ReadParts(Value, h, m, s, ms) ? Formatted(h, m, s, ms) : Midnight());
}

void TskSkinTimeEdit::DecodeTime(Word& Hour, Word& Min, Word& Sec, Word& MSec) {
    int h = 0, m = 0, s = 0, ms = 0;
    if (!ReadParts(GetText(), h, m, s, ms)) h = m = s = ms = 0;
    Hour = static_cast<Word>(h);
    Min = static_cast<Word>(m);
    Sec = static_cast<Word>(s);
    MSec = static_cast<Word>(ms);
}

void TskSkinTimeEdit::EncodeTime(Word Hour, Word Min, Word Sec, Word MSec) {
    if (IsValidTime(Hour, Min, Sec, MSec)) SetText(Formatted(Hour, Min, Sec, MSec));
}

void TskSkinTimeEdit::KeyPress(char& Key) {
    if (Key != '\r' && Key != '\b') {
        if (GetSelLength() > 1) SetSelLength(1);
        AnsiString typed = GetEditText();
        // The character lands where the mask puts it: past a literal under the caret.
        const int at = GetEditPosition();
        if (Key >= '0' && Key <= '9' && at >= 0 && at < static_cast<int>(typed.size()))
            typed[static_cast<std::size_t>(at)] = Key;
        if (!IsTimeText(typed)) {
            Key = '\0';
            MessageBeep(0);
            return;
        }
    }
    TskSkinMaskEdit::KeyPress(Key);
}

void TskSkinTimeEdit::WMSetText(TMessage& Message) {
    TskSkinMaskEdit::Dispatch(Message);
    // A text is laid out by the mask first; one that then makes no time is midnight.
    if (IsLoading() || FSettingMidnight || IsTimeText(GetText())) return;
    FSettingMidnight = true;
    SetText(Midnight());
    FSettingMidnight = false;
}

void TskSkinTimeEdit::WMPaste(TMessage& Message) {
    const AnsiString before = GetEditText();
    TskSkinMaskEdit::Dispatch(Message);
    if (IsTimeText(GetText())) return;
    SetEditText(before);
    MessageBeep(0);
}

REGISTER_CLASS(TskSkinTimeEdit);

DEFINE_UNIT(SkinBoxCtrls_TimeEdits, uoSkin + 34, nullptr, nullptr);

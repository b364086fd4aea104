// The international settings, month and weekday names, and currency pictures.
#include "grid/gclintl.h"

#include "classlib/DateTime.h"
#include "classlib/Forms.h"
#include "classlib/HiddenWindow.h"
#include "classlib/Registry.h"
#include "grid/gcldata.h"
#include "grid/gclexcpt.h"

#include <algorithm>
#include <cstring>

TGclIntlSup* GclIntlSup = nullptr;

namespace {

constexpr char Section[] = "intl";
constexpr std::size_t MaxNameWidth = 40;

class TSystemIntlSource : public TGclIntlSource {
public:
    bool ProfileString(const char* Key, AnsiString& Value) override {
        // A default no real value has tells an absent key from an empty one.
        static const char Absent[] = "\x01\x02";
        char buffer[1024];
        GetProfileStringA(Section, Key, Absent, buffer, sizeof buffer);
        if (std::strcmp(buffer, Absent) == 0) return false;
        Value = buffer;
        return true;
    }
    int ProfileInt(const char* Key, int Default) override {
        return static_cast<int>(GetProfileIntA(Section, Key, Default));
    }
    bool RegistryShortDate(AnsiString& Value) override {
        TRegistry registry;
        registry.SetRootKey(HKEY_CURRENT_USER);
        bool found = false;
        if (registry.OpenKeyReadOnly("Control Panel\\International") &&
            registry.ValueExists("sShortDate")) {
            try {
                Value = registry.ReadString("sShortDate");
                found = true;
            } catch (const ERegistryException&) { // not a string: as if absent
            }
        }
        registry.CloseKey();
        return found;
    }
};

TSystemIntlSource SystemSource;
TGclIntlSource* Source = &SystemSource;

// A string setting as read into a field of Size characters (Size - 1 arrive).
AnsiString ReadString(const char* Key, const char* Default, std::size_t Size) {
    AnsiString value;
    if (!Source->ProfileString(Key, value)) value = Default;
    return value.substr(0, Size - 1);
}

// A one-character setting: the first character, or the default's for an empty value.
char ReadChar(const char* Key, const char* Default) {
    const AnsiString value = ReadString(Key, Default, 6);
    return value.empty() ? Default[0] : value[0];
}

// Takes the next quoted literal of LongDate out into Slot, leaving Mark in its place.
void TakeLiteral(AnsiString& LongDate, AnsiString& Slot, char Mark) {
    Slot.clear();
    const std::size_t open = LongDate.find('\'');
    if (open == AnsiString::npos) return;
    LongDate.erase(open, 1);
    const std::size_t close = LongDate.find('\'', open);
    if (close == AnsiString::npos) return;
    const std::size_t length = close - open;
    const std::size_t kept = std::min<std::size_t>(length, 6);
    Slot = LongDate.substr(open, kept);
    LongDate.replace(open, length + 1, AnsiString(kept, Mark));
}

// The run of From that starts at the first occurrence of Run becomes To.
void MarkFirstRun(AnsiString& Text, const char* Run, char From, char To) {
    std::size_t at = Text.find(Run);
    if (at == AnsiString::npos) return;
    for (; at < Text.size() && Text[at] == From; ++at)
        Text[at] = To;
}

AnsiString RangeDatePicture() {
    return GclIntlSup ? GclIntlSup->InternationalDate(true) : AnsiString();
}

AnsiString RangeTimePicture() {
    return GclIntlSup ? GclIntlSup->InternationalTime(false) : AnsiString();
}

void StartLocale() {
    GclIntlSup = new TGclIntlSup;
    SetRangePictures(RangeDatePicture, RangeTimePicture);
}

void FinishLocale() {
    SetRangePictures(nullptr, nullptr);
    delete GclIntlSup;
    GclIntlSup = nullptr;
}

} // namespace

DEFINE_UNIT(gclintl, uoGridLocale, StartLocale, FinishLocale);

TGclIntlSource* SetGclIntlSource(TGclIntlSource* NewSource) {
    TGclIntlSource* previous = Source == &SystemSource ? nullptr : Source;
    Source = NewSource ? NewSource : &SystemSource;
    return previous;
}

Word MaxWord(Word A, Word B) {
    return A > B ? A : B;
}

// ---- Settings ---------------------------------------------------------------

TGclIntlSup::TGclIntlSup()
    : CurrencyLtStr("$"), DecimalChar('.'), CommaChar(','), CurrencyDigits(2), SlashChar('/'),
      TrueChar('T'), FalseChar('F'), YesChar('Y'), NoChar('N') {
    ResetInternationalInfo();
}

TGclIntlSup::~TGclIntlSup() {
    if (FWindowHandle) DeallocateHWnd(FWindowHandle);
}

void TGclIntlSup::ResetInternationalInfo() {
    DecimalChar = ReadChar("sDecimal", ".");
    CommaChar = ReadChar("sThousand", ",");
    CurrencyDigits = static_cast<Byte>(Source->ProfileInt("iCurrDigits", 2));
    if (CommaChar == DecimalChar) {
        DecimalChar = '.';
        CommaChar = ',';
    }
    NegCurrencyForm = static_cast<Byte>(Source->ProfileInt("iNegCurr", 0));
    ListChar = ReadChar("sList", ",");
    FCountry = ReadString("sCountry", "", 256);
    CurrencyLtStr = ReadString("sCurrency", "$", 6);
    CurrencyRtStr = CurrencyLtStr;
    CurrencyForm = static_cast<Byte>(Source->ProfileInt("iCurrency", 0));
    if (CurrencyForm == 2) CurrencyLtStr += ' ';
    if (CurrencyForm == 3) CurrencyRtStr = ' ' + CurrencyRtStr;
    HourLeadingZero = Source->ProfileInt("iTLZero", 0) != 0;
    TwelveHour = !LongTimeFormat.empty() && LongTimeFormat.back() == 'M';
    ColonChar = ReadChar("sTTime", ":");
    SlashChar = ReadChar("sDate", "/");
    AmString = ReadString("s1159", "AM", 6);
    PmString = ReadString("s2359", "PM", 6);
    AnsiString shortDate;
    ShortDate = Source->RegistryShortDate(shortDate) ? shortDate.substr(0, 29)
                                                     : ReadString("sShortDate", "MM/dd/yy", 30);
    std::replace(ShortDate.begin(), ShortDate.end(), SlashChar, '/');
    LongDate = ReadString("sLongDate", "dddd, MMMM dd, yyyy", 40);
    TakeLiteral(LongDate, LongDateSub1, 'f');
    TakeLiteral(LongDate, LongDateSub2, 'g');
    TakeLiteral(LongDate, LongDateSub3, 'h');
    MarkFirstRun(LongDate, "ddd", 'd', 'w');
    MarkFirstRun(ShortDate, "MMM", 'M', 'n');
    MarkFirstRun(LongDate, "MMM", 'M', 'n');
    AnsiString spaced;
    for (std::size_t i = 0; i < LongDate.size(); ++i) {
        spaced += LongDate[i];
        if ((LongDate[i] == ',' || LongDate[i] == '.') && (i + 1 == LongDate.size() || LongDate[i + 1] != ' '))
            spaced += ' ';
    }
    LongDate = spaced;
    char* letters[] = {&YesChar, &NoChar, &TrueChar, &FalseChar};
    for (int i = 0; i < 4; ++i) {
        const AnsiString text = GetGclStr(static_cast<Word>(30368 + i));
        if (text.size() == 1) *letters[i] = text[0];
    }
}

char* TGclIntlSup::ToPChar(char* Dest, std::size_t Size, const AnsiString& Text) {
    if (Size == 0) return Dest;
    const std::size_t n = std::min(Text.size(), Size - 1);
    std::memcpy(Dest, Text.data(), n);
    Dest[n] = '\0';
    return Dest;
}

void TGclIntlSup::SetAutoUpdate(bool Value) {
    if (Value == FAutoUpdate) return;
    FAutoUpdate = Value;
    if (Value) {
        FWindowHandle = AllocateHWnd(TWndMethod(this, &TGclIntlSup::isIntlWndProc));
    } else {
        if (FWindowHandle) DeallocateHWnd(FWindowHandle);
        FWindowHandle = nullptr;
    }
}

void TGclIntlSup::isIntlWndProc(TMessage& Msg) {
    if (!FAutoUpdate || Msg.Msg != WM_WININICHANGE) {
        DefaultWindowHandler(FWindowHandle, Msg);
        return;
    }
    try {
        if (OnWinIniChange.Assigned())
            OnWinIniChange(this);
        else
            ResetInternationalInfo();
    } catch (const std::exception& e) {
        if (Application) Application->HandleException(this, e);
    }
}

void TGclIntlSup::SetCurrencyLtStr(const AnsiString& S) {
    CurrencyLtStr = S.substr(0, 5);
}

void TGclIntlSup::SetCurrencyRtStr(const AnsiString& S) {
    CurrencyRtStr = S.substr(0, 5);
}

// ---- Month and weekday names --------------------------------------------------

namespace {
AnsiString UpperFitted(const AnsiString& Text, std::size_t Width) {
    AnsiString t = Text.substr(0, MaxNameWidth);
    if (!t.empty()) CharUpperBuffA(t.data(), static_cast<DWORD>(t.size()));
    t.resize(Width, ' ');
    return t;
}
} // namespace

Byte TGclIntlSup::MonthStringToMonth(const AnsiString& Text, Byte Width) const {
    const std::size_t width = std::min<std::size_t>(Width, MaxNameWidth);
    const AnsiString t = UpperFitted(Text, width);
    for (int month = 1; month <= 12; ++month)
        if (UpperFitted(LongMonthNames[month - 1], width) == t) return static_cast<Byte>(month);
    return 0;
}

AnsiString TGclIntlSup::MonthToString(int Month) const {
    return Month >= 1 && Month <= 12 ? LongMonthNames[Month - 1] : AnsiString();
}

AnsiString TGclIntlSup::DayOfWeekToString(int Day) const {
    return Day >= 0 && Day <= 6 ? LongDayNames[Day] : AnsiString();
}

// ---- Currency pictures ------------------------------------------------------------

AnsiString TGclIntlSup::InternationalCurrency(char FormChar, Byte MaxDigits, bool Float,
                                              bool AddCommas, bool AddNegMarks) const {
    if (MaxDigits == 0) return AnsiString();
    int n = MaxDigits + (AddCommas ? (MaxDigits - 1) / 3 : 0);
    n = std::min(n, 247);
    AnsiString picture(static_cast<std::size_t>(n), FormChar);
    if (AddCommas)
        for (int fromEnd = 4; fromEnd <= n; fromEnd += 4)
            picture[n - fromEnd] = ',';
    if (CurrencyDigits > 0) picture += '.' + AnsiString(CurrencyDigits, FormChar);
    if (NegCurrencyForm == 6) picture += 'g';
    const bool symbolAfter = CurrencyForm % 2 == 1;
    if (Float && !symbolAfter)
        picture.insert(0, CurrencyLtStr.size(), '$');
    else if (!symbolAfter)
        picture.insert(0, CurrencyLtStr.size(), 'c');
    else
        picture.append(CurrencyRtStr.size(), 'C');
    if (AddNegMarks) {
        if (NegCurrencyForm == 0 || NegCurrencyForm == 4)
            picture += 'p';
        else if ((NegCurrencyForm == 3 || NegCurrencyForm == 7 || NegCurrencyForm == 10) && symbolAfter)
            picture += 'g';
    }
    return picture.substr(0, 255);
}

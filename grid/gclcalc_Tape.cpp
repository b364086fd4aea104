#include "grid/gclcalc.h"
#include "grid/gclintl.h"

#include "classlib/Strings.h"

#include <cstdio>
#include <cstdlib>

char CalcDecimalSeparator() {
    return GclIntlSup ? GclIntlSup->DecimalChar : '.';
}

namespace {

// The text as the C conversion reads it, or false when it is not one whole number.
bool ParseNumber(AnsiString Text, long double& Value) {
    while (!Text.empty() && Text.front() == ' ')
        Text.erase(0, 1);
    while (!Text.empty() && Text.back() == ' ')
        Text.pop_back();
    char sep = CalcDecimalSeparator();
    for (char& c : Text)
        if (c == sep) c = '.';
    if (Text.empty()) return false;
    char* end = nullptr;
    Value = __mingw_strtold(Text.c_str(), &end);
    return end && *end == '\0';
}
} // namespace

AnsiString FormatCalcNumber(long double Value, int Decimals) {
    // The system C runtime cannot print 80-bit values: mingw's own formatting can.
    char buffer[128];
    if (Decimals == 0)
        __mingw_snprintf(buffer, sizeof buffer, "%Lg", Value);
    else
        __mingw_snprintf(buffer, sizeof buffer, "%.*Lf", Decimals < 0 ? -Decimals : Decimals,
                         Value);
    AnsiString text = buffer;
    char sep = CalcDecimalSeparator();
    for (char& c : text)
        if (c == '.') c = sep;
    return text;
}

long double CalcTextToNumber(const AnsiString& Text) {
    long double value = 0;
    if (ParseNumber(Text, value)) return value;
    // A partial entry such as "-" or "0," reads as far as it goes.
    AnsiString trimmed = Text;
    while (!trimmed.empty() && !(trimmed.back() >= '0' && trimmed.back() <= '9'))
        trimmed.pop_back();
    return ParseNumber(trimmed, value) ? value : 0;
}

TGclCalcTape::TGclCalcTape() : FEntries(30, TEntry{tkText, "", ""}), FLines(30), FFont(new TFont) {
    FFont->SetName("Courier New");
    FFont->SetSize(10);
}

TGclCalcTape::~TGclCalcTape() {
    delete FFont;
}

void TGclCalcTape::SetWidthChars(int Value) {
    if (Value < 1) Value = 1;
    FWidthChars = Value;
}

AnsiString TGclCalcTape::Render(const TEntry& Entry) const {
    switch (Entry.Kind) {
    case tkValue: {
        AnsiString mark = Entry.Mark;
        mark.resize(MarkWidth, ' ');
        int pad = FWidthChars + 1 - static_cast<int>(Entry.Text.size()) - 1 - MarkWidth;
        return AnsiString(pad > 0 ? pad : 0, ' ') + Entry.Text + " " + mark;
    }
    case tkSeparator: return AnsiString(FWidthChars, SeparatorChar);
    default: return Entry.Text;
    }
}

void TGclCalcTape::Realign() {
    for (std::size_t i = 0; i < FEntries.size(); ++i)
        FLines[i] = Render(FEntries[i]);
}

void TGclCalcTape::AddLine(const TEntry& Entry) {
    if (!FLines.empty() && FLines.front().empty()) {
        FLines.erase(FLines.begin());
        FEntries.erase(FEntries.begin());
    }
    FEntries.push_back(Entry);
    FLines.push_back(Render(Entry));
}

void TGclCalcTape::AddValueLine(const AnsiString& Value, const char* Mark) {
    AddLine({tkValue, Value, Mark});
}

void TGclCalcTape::AddLeftLine(const AnsiString& Text) {
    AddLine({tkText, Text, ""});
}

void TGclCalcTape::AddSeparatorLine() {
    AddLine({tkSeparator, "", ""});
}

void TGclCalcTape::Blank() {
    for (TEntry& entry : FEntries)
        entry = {tkText, "", ""};
    for (AnsiString& line : FLines)
        line.clear();
}

bool TGclCalcTape::LineValue(int Index, long double& Value, AnsiString& Text) const {
    if (Index < 0 || Index >= static_cast<int>(FLines.size())) return false;
    const AnsiString& line = FLines[Index];
    if (line.size() <= MarkWidth) return false;
    // A total's item count ("002") is the line that starts with a zero no decimal point
    // follows; a value's line starts with its padding, so a "0 +" line is still taken.
    if (line[0] == '0' && line[1] != CalcDecimalSeparator()) return false;
    Text = Trim(line.substr(0, line.size() - MarkWidth));
    return ParseNumber(Text, Value);
}

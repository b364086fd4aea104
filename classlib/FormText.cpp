#include "classlib/FormText.h"

#include "classlib/Exceptions.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"

#include <array>
#include <bit>
#include <emmintrin.h>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string_view>

namespace {

const std::size_t kStringPieceLength = 64;
// The binary form gives names and identifiers a length byte.
const std::size_t kMaxIdentLength = 255;
const std::size_t kBinaryLineBytes = 32;

// HexDigitValue by character, looked up once: binary values are megabytes of digits, read a
// character at a time.
const std::array<signed char, 256>& HexDigitValues() {
    static const std::array<signed char, 256> values = [] {
        std::array<signed char, 256> table{};
        for (int c = 0; c < 256; ++c)
            table[c] = static_cast<signed char>(HexDigitValue(static_cast<char>(c)));
        return table;
    }();
    return values;
}

// The values of 16 characters that are all hexadecimal digits, or false.
bool HexValues16(__m128i Chars, __m128i& Values) {
    const __m128i digit = _mm_and_si128(_mm_cmpgt_epi8(Chars, _mm_set1_epi8('0' - 1)),
                                        _mm_cmplt_epi8(Chars, _mm_set1_epi8('9' + 1)));
    // Letters in either case: setting the case bit of anything but A-F and a-f leaves it
    // outside a-f (characters from 128 on compare as negative).
    const __m128i lower = _mm_or_si128(Chars, _mm_set1_epi8(0x20));
    const __m128i letter = _mm_and_si128(_mm_cmpgt_epi8(lower, _mm_set1_epi8('a' - 1)),
                                         _mm_cmplt_epi8(lower, _mm_set1_epi8('f' + 1)));
    if (_mm_movemask_epi8(_mm_or_si128(digit, letter)) != 0xFFFF) return false;
    // '0'-'9' keep their low four bits; 'A'-'F' and 'a'-'f' have 1-6 there.
    Values = _mm_add_epi8(_mm_and_si128(Chars, _mm_set1_epi8(0x0F)),
                          _mm_and_si128(letter, _mm_set1_epi8(9)));
    return true;
}

// Eight 16-bit lanes of a high and a low digit value (high first in memory) as the eight
// bytes they make, one a lane.
__m128i JoinDigitPairs(__m128i Values) {
    return _mm_or_si128(_mm_and_si128(_mm_slli_epi16(Values, 4), _mm_set1_epi16(0x00F0)),
                        _mm_srli_epi16(Values, 8));
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The first Wanted in Text from From on, or npos: the search for the end of a binary value
// crosses megabytes of digits, which the library's byte-at-a-time search takes milliseconds over.
std::size_t FindByte(std::string_view Text, char Wanted, std::size_t From) {
    const __m128i wanted = _mm_set1_epi8(Wanted);
    std::size_t at = From;
    for (; at + 16 <= Text.size(); at += 16) {
        const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Text.data() + at));
        if (const int hits = _mm_movemask_epi8(_mm_cmpeq_epi8(chars, wanted)))
            return at + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(hits)));
    }
    return Text.find(Wanted, at);
}

bool IsIdentStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}
bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

AnsiString ReadAll(TStream* Input) {
    Int64 size = Input->GetSize() - Input->GetPosition();
    AnsiString text(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) Input->ReadBuffer(text.data(), size);
    return text;
}

} // namespace

std::size_t form_text_detail::DecodeHexPairsPlain(const char* Text, std::size_t Length,
                                                  Byte* Dest) {
    const auto& values = HexDigitValues();
    std::size_t used = 0;
    for (; used + 1 < Length; used += 2) {
        const int high = values[static_cast<unsigned char>(Text[used])];
        const int low = values[static_cast<unsigned char>(Text[used + 1])];
        if ((high | low) < 0) break;
        *Dest++ = static_cast<Byte>(high * 16 + low);
    }
    return used;
}

std::size_t form_text_detail::DecodeHexPairs(const char* Text, std::size_t Length, Byte* Dest) {
    std::size_t used = 0;
    for (; used + 32 <= Length; used += 32) {
        __m128i first, second;
        if (!HexValues16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(Text + used)), first) ||
            !HexValues16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(Text + used + 16)),
                         second))
            break;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(Dest + used / 2),
                         _mm_packus_epi16(JoinDigitPairs(first), JoinDigitPairs(second)));
    }
    return used + DecodeHexPairsPlain(Text + used, Length - used, Dest + used / 2);
}

namespace {

// ---- Text to binary ---------------------------------------------------------------

class TTextParser {
public:
    TTextParser(std::string_view Text, TStream* Output, const AnsiString& Source, TLineMap* Lines)
        : FText(Text), FOutput(Output), FWriter(Output), FSource(Source), FLines(Lines) {
    }

    void Parse() {
        try {
            Next();
            FWriter.WriteSignature();
            ParseObject(true);
            if (FToken != tkEnd) Error("Text after the end of the root object");
        } catch (Exception& E) {
            // Errors of the writer and of the nesting guard learn where they happened here.
            if (!FReported)
                E.SetMessage(ReadErrorPrefix(FSource, FTokenLine, FComponentPath, FPropertyPath) +
                             E.Message());
            throw;
        }
    }

private:
    enum TToken { tkEnd, tkSymbol, tkIdent, tkInteger, tkFloat, tkString };

    [[noreturn]] void Error(const AnsiString& Message, int Line = 0) {
        FReported = true;
        throw EReadError(
            ReadErrorPrefix(FSource, Line ? Line : FTokenLine, FComponentPath, FPropertyPath) +
            Message);
    }

    char Peek(std::size_t Ahead = 0) const {
        return FPos + Ahead < FText.size() ? FText[FPos + Ahead] : '\0';
    }
    bool AtEnd() const { return FPos >= FText.size(); }

    // Skips one character, counting lines (CR, LF or CR LF end one).
    void Advance() {
        char c = FText[FPos++];
        if (c == '\n' || (c == '\r' && Peek() != '\n')) ++FLine;
    }

    void SkipBlanks() {
        while (!AtEnd() && IsBlank(Peek()))
            Advance();
    }

    void Next() {
        SkipBlanks();
        FTokenLine = FLine;
        if (AtEnd()) {
            FToken = tkEnd;
            FTokenText = "end of text";
            return;
        }
        char c = Peek();
        if (IsIdentStart(c)) {
            LexIdent();
        } else if (IsDigit(c) || (c == '-' && IsDigit(Peek(1)))) {
            LexNumber();
        } else if (c == '\'' || c == '#') {
            LexString();
        } else if (AnsiString("=:[](),<>+{").find(c) != AnsiString::npos) {
            FToken = tkSymbol;
            FTokenText = AnsiString(1, c);
            Advance();
        } else {
            unsigned char u = static_cast<unsigned char>(c);
            Error(u < 32 ? "Invalid character #" + IntToStr(u)
                         : "Invalid character '" + AnsiString(1, c) + "'");
        }
    }

    void LexIdent() {
        std::size_t start = FPos;
        for (;;) {
            while (IsIdentChar(Peek()))
                Advance();
            if (Peek() == '.' && IsIdentStart(Peek(1)))
                Advance();
            else
                break;
        }
        FToken = tkIdent;
        FTokenText = FText.substr(start, FPos - start);
        if (FTokenText.size() > kMaxIdentLength)
            Error("Identifier " + FTokenText.substr(0, 32) + "... is too long");
    }

    void SkipDigits() {
        while (IsDigit(Peek()))
            Advance();
    }

    void LexNumber() {
        std::size_t start = FPos;
        bool isFloat = false;
        if (Peek() == '-') Advance();
        SkipDigits();
        if (Peek() == '.' && IsDigit(Peek(1))) {
            isFloat = true;
            Advance();
            SkipDigits();
        }
        if ((Peek() == 'e' || Peek() == 'E') &&
            (IsDigit(Peek(1)) || ((Peek(1) == '+' || Peek(1) == '-') && IsDigit(Peek(2))))) {
            isFloat = true;
            Advance();
            if (!IsDigit(Peek())) Advance();
            SkipDigits();
        }
        FTokenText = FText.substr(start, FPos - start);
        if (IsIdentChar(Peek()) || Peek() == '.') {
            while (IsIdentChar(Peek()) || Peek() == '.')
                Advance();
            Error("Invalid number " + AnsiString(FText.substr(start, FPos - start)));
        }
        const char* first = FTokenText.data();
        const char* last = first + FTokenText.size();
        std::from_chars_result parsed;
        if (isFloat) {
            FToken = tkFloat;
            parsed = std::from_chars(first, last, FFloat);
            if (parsed.ec == std::errc() && !std::isfinite(FFloat))
                parsed.ec = std::errc::result_out_of_range;
        } else {
            FToken = tkInteger;
            parsed = std::from_chars(first, last, FInteger);
        }
        if (parsed.ec != std::errc() || parsed.ptr != last)
            Error("Number " + FTokenText + " is out of range");
    }

    void LexString() {
        FToken = tkString;
        FString.clear();
        while (Peek() == '\'' || Peek() == '#') {
            char opening = Peek();
            Advance();
            if (opening == '#') {
                std::size_t start = FPos;
                SkipDigits();
                const AnsiString digits(FText.substr(start, FPos - start));
                int code = -1;
                if (!digits.empty() && digits.size() <= 3) code = std::stoi(digits);
                if (code < 0 || code > 255) Error("Invalid character code #" + digits);
                FString += static_cast<char>(code);
                continue;
            }
            for (;;) {
                if (AtEnd() || Peek() == '\r' || Peek() == '\n') Error("Unterminated string");
                if (Peek() == '\'') {
                    Advance();
                    if (Peek() != '\'') break;
                }
                FString += Peek();
                Advance();
            }
        }
        FTokenText = "string";
    }

    bool IsSymbol(char Symbol) const { return FToken == tkSymbol && FTokenText[0] == Symbol; }
    bool IsKeyword(const char* Keyword) const {
        return FToken == tkIdent && SameText(FTokenText, Keyword);
    }
    void Expect(char Symbol) {
        if (!IsSymbol(Symbol))
            Error(AnsiString("'") + Symbol + "' expected but " + Found() + " found");
        Next();
    }
    AnsiString Found() const {
        return FToken == tkSymbol || FToken == tkIdent ? "'" + FTokenText + "'" : FTokenText;
    }
    AnsiString ExpectPlainIdent(const char* What) {
        if (FToken != tkIdent || FTokenText.find('.') != AnsiString::npos)
            Error(AnsiString(What) + " expected but " + Found() + " found");
        AnsiString ident = FTokenText;
        Next();
        return ident;
    }

    void MarkLine() {
        if (FLines) FLines->emplace_back(FOutput->GetPosition(), FTokenLine);
    }

    void ParseObject(bool IsRoot) {
        TNestingGuard nesting(FNesting);
        if (!IsKeyword("object")) Error("'object' expected but " + Found() + " found");
        MarkLine();
        Next();
        AnsiString name;
        AnsiString className = ExpectPlainIdent("Component name");
        if (IsSymbol(':')) {
            Next();
            name = className;
            className = ExpectPlainIdent("Class name");
        }
        AnsiString own = name.empty() ? className : name;
        if (IsRoot) FRootName = name;
        FComponentPath = IsRoot || FRootName.empty() ? own : FRootName + "." + own;
        FPropertyPath.clear();
        AnsiString path = FComponentPath;
        FWriter.WriteStr(className);
        FWriter.WriteStr(name);

        while (FToken == tkIdent && !IsKeyword("object") && !IsKeyword("end"))
            ParseProperty(AnsiString());
        FWriter.WriteListEnd();
        while (IsKeyword("object"))
            ParseObject(false);
        FComponentPath = path;
        FPropertyPath.clear();
        if (!IsKeyword("end")) Error("'end' expected but " + Found() + " found");
        Next();
        FWriter.WriteListEnd();
    }

    void ParseProperty(const AnsiString& Prefix) {
        MarkLine();
        FPropertyPath = Prefix + FTokenText;
        FWriter.WriteStr(FTokenText);
        Next();
        Expect('=');
        ParseValue();
    }

    void ParseValue() {
        switch (FToken) {
        case tkInteger:
            FWriter.WriteInteger(FInteger);
            Next();
            return;
        case tkFloat:
            FWriter.WriteFloat(FFloat);
            Next();
            return;
        case tkString: {
            AnsiString value = FString;
            Next();
            while (IsSymbol('+')) {
                Next();
                if (FToken != tkString) Error("String expected but " + Found() + " found");
                value += FString;
                Next();
            }
            FWriter.WriteString(value);
            return;
        }
        case tkIdent:
            FWriter.WriteIdent(FTokenText);
            Next();
            return;
        case tkEnd:
            Error("Property value expected");
        case tkSymbol:
            break;
        }
        switch (FTokenText[0]) {
        case '[':
            ParseSet();
            break;
        case '(':
            ParseList();
            break;
        case '<':
            ParseCollection();
            break;
        case '{':
            ParseBinary();
            break;
        default:
            Error("Property value expected but " + Found() + " found");
        }
    }

    void ParseSet() {
        Next();
        FWriter.WriteValue(vaSet);
        if (!IsSymbol(']')) {
            for (;;) {
                FWriter.WriteStr(ExpectPlainIdent("Set element"));
                if (!IsSymbol(',')) break;
                Next();
            }
        }
        Expect(']');
        FWriter.WriteValue(vaNull);
    }

    void ParseList() {
        TNestingGuard nesting(FNesting);
        int start = FTokenLine;
        Next();
        FWriter.WriteListBegin();
        while (!IsSymbol(')')) {
            if (FToken == tkEnd) Error("Unterminated list", start);
            ParseValue();
        }
        Next();
        FWriter.WriteListEnd();
    }

    void ParseCollection() {
        TNestingGuard nesting(FNesting);
        int start = FTokenLine;
        AnsiString path = FPropertyPath;
        Next();
        FWriter.WriteValue(vaCollection);
        for (int index = 0; IsKeyword("item"); ++index) {
            Next();
            FWriter.WriteListBegin();
            AnsiString prefix = path + "[" + IntToStr(index) + "].";
            while (FToken == tkIdent && !IsKeyword("end"))
                ParseProperty(prefix);
            FPropertyPath = path;
            if (FToken == tkEnd) Error("Unterminated collection", start);
            if (!IsKeyword("end")) Error("'end' expected but " + Found() + " found");
            Next();
            FWriter.WriteListEnd();
        }
        if (FToken == tkEnd) Error("Unterminated collection", start);
        Expect('>');
        FWriter.WriteListEnd();
    }

    void ParseBinary() {
        const int start = FTokenLine;
        const std::size_t found = FindByte(FText, '}', FPos);
        const std::size_t close = found == std::string_view::npos ? FText.size() : found;
        const std::size_t room = (close - FPos) / 2;
        // Stored pictures make values of megabytes, read at every start: a memory stream
        // written at its end (a form being read) receives the bytes in place, any other
        // output through a buffer.
        auto* memory = dynamic_cast<TMemoryStream*>(FOutput);
        if (memory && memory->GetPosition() != memory->GetSize()) memory = nullptr;
        const Int64 header = FOutput->GetPosition();
        std::vector<Byte> buffer;
        Byte* dest = nullptr;
        if (memory) {
            FWriter.WriteBinaryHeader(0);
            memory->SetSize(memory->GetPosition() + static_cast<Int64>(room));
            dest = static_cast<Byte*>(memory->GetMemory()) + memory->GetPosition();
        } else {
            buffer.resize(room);
            dest = buffer.data();
        }
        bool oddDigits = false;
        const std::size_t count = DecodeBinary(close, dest, oddDigits);
        if (found == std::string_view::npos) Error("Unterminated binary value", start);
        ++FPos; // the closing brace
        if (oddDigits) Error("Invalid binary value: odd number of digits", start);
        if (memory) {
            FOutput->SetPosition(header);
            FWriter.WriteBinaryHeader(static_cast<Int64>(count));
            memory->SetSize(FOutput->GetPosition() + static_cast<Int64>(count));
            FOutput->SetPosition(memory->GetSize());
        } else {
            FWriter.WriteBinary(buffer.data(), static_cast<Int64>(count));
        }
        Next();
    }

    // Decodes the digits from the position up to Close into Dest, skipping blanks and
    // counting line ends; returns the bytes written. A character that is neither is an
    // error; OddDigits tells of a digit left over.
    std::size_t DecodeBinary(std::size_t Close, Byte* Dest, bool& OddDigits) {
        std::size_t count = 0;
        int high = -1;
        while (FPos < Close) {
            // Whole pairs of digits, the bulk of every line, go in one run.
            if (high < 0) {
                const std::size_t used =
                    form_text_detail::DecodeHexPairs(FText.data() + FPos, Close - FPos, Dest + count);
                FPos += used;
                count += used / 2;
                if (FPos == Close) break;
            }
            const char c = FText[FPos];
            const int digit = HexDigitValues()[static_cast<unsigned char>(c)];
            ++FPos;
            if (digit >= 0) {
                if (high < 0) {
                    high = digit;
                } else {
                    Dest[count++] = static_cast<Byte>(high * 16 + digit);
                    high = -1;
                }
                continue;
            }
            if (IsBlank(c)) {
                // The line break and indentation between two lines of digits, in one go.
                for (char blank = c;; blank = FText[FPos++]) {
                    if (blank == '\n' || (blank == '\r' && Peek() != '\n')) ++FLine;
                    if (FPos == Close || !IsBlank(FText[FPos])) break;
                }
                continue;
            }
            FTokenLine = FLine;
            Error("Invalid binary value");
        }
        OddDigits = high >= 0;
        return count;
    }

    std::string_view FText;
    std::size_t FPos = 0;
    int FLine = 1;
    TStream* FOutput;
    TWriter FWriter;
    AnsiString FSource;
    TLineMap* FLines;

    TToken FToken = tkEnd;
    int FTokenLine = 1;
    AnsiString FTokenText;
    Int64 FInteger = 0;
    double FFloat = 0;
    AnsiString FString;

    AnsiString FRootName;
    AnsiString FComponentPath;
    AnsiString FPropertyPath;
    int FNesting = 0;
    bool FReported = false;
};

// ---- Binary to text ---------------------------------------------------------------

class TTextPrinter {
public:
    explicit TTextPrinter(TStream* Input) : FReader(Input) {}

    AnsiString Print() {
        FReader.ReadSignature();
        PrintObject(0);
        return FText;
    }

private:
    void NewLine(int Indent) {
        FText += "\r\n";
        FText.append(static_cast<std::size_t>(Indent), ' ');
    }

    void PrintObject(int Indent) {
        TNestingGuard nesting(FNesting);
        AnsiString className = FReader.ReadName(false);
        AnsiString name = FReader.ReadName(false, true);
        FText.append(static_cast<std::size_t>(Indent), ' ');
        FText += "object " + (name.empty() ? className : name + ": " + className);
        PrintProperties(Indent + 2);
        while (!FReader.EndOfList()) {
            FText += "\r\n";
            PrintObject(Indent + 2);
        }
        FReader.ReadListEnd();
        NewLine(Indent);
        FText += "end";
        if (Indent == 0) FText += "\r\n";
    }

    void PrintProperties(int Indent) {
        while (!FReader.EndOfList()) {
            NewLine(Indent);
            FText += FReader.ReadName(true) + " = ";
            PrintValue(Indent);
        }
        FReader.ReadListEnd();
    }

    void PrintValue(int Indent) {
        TNestingGuard nesting(FNesting);
        switch (FReader.NextValue()) {
        case vaList:
            FReader.ReadListBegin();
            FText += "(";
            while (!FReader.EndOfList()) {
                NewLine(Indent + 2);
                PrintValue(Indent + 2);
            }
            FReader.ReadListEnd();
            FText += ")";
            break;
        case vaInt8:
        case vaInt16:
        case vaInt32:
        case vaInt64:
            FText += IntToStr(FReader.ReadInt64());
            break;
        case vaDouble:
            PrintFloat(FReader.ReadFloat());
            break;
        case vaString:
        case vaLString:
            PrintString(FReader.ReadString(), Indent);
            break;
        case vaIdent:
        case vaFalse:
        case vaTrue:
        case vaNil:
            FText += FReader.ReadIdent();
            break;
        case vaBinary:
            PrintBinary(FReader.ReadBinary(), Indent);
            break;
        case vaSet: {
            FReader.ReadValue();
            FText += "[";
            bool first = true;
            for (AnsiString ident; !(ident = FReader.ReadName(false, true)).empty(); first = false)
                FText += (first ? "" : ", ") + ident;
            FText += "]";
            break;
        }
        case vaCollection:
            FReader.ReadValue();
            FText += "<";
            while (!FReader.EndOfList()) {
                FReader.ReadListBegin();
                NewLine(Indent + 2);
                FText += "item";
                PrintProperties(Indent + 4);
                NewLine(Indent + 2);
                FText += "end";
            }
            FReader.ReadListEnd();
            FText += ">";
            break;
        default:
            throw EReadError("Invalid stream format");
        }
    }

    void PrintFloat(double Value) {
        char buffer[64];
        auto result = std::to_chars(buffer, buffer + sizeof buffer, Value);
        AnsiString text(buffer, result.ptr);
        // A float keeps a point or an exponent, so that it is read back as a float.
        if (text.find_first_of(".e") == AnsiString::npos) text += ".0";
        FText += text;
    }

    void PrintString(const AnsiString& Value, int Indent) {
        if (Value.empty()) {
            FText += "''";
            return;
        }
        for (std::size_t start = 0; start < Value.size(); start += kStringPieceLength) {
            if (start > 0) {
                FText += " +";
                NewLine(Indent + 2);
            }
            bool quoted = false;
            for (char c : Value.substr(start, kStringPieceLength)) {
                unsigned char u = static_cast<unsigned char>(c);
                if (u < 32) {
                    if (quoted) FText += "'";
                    quoted = false;
                    FText += '#';
                    FText += IntToStr(u);
                    continue;
                }
                if (!quoted) FText += "'";
                quoted = true;
                FText += c == '\'' ? AnsiString("''") : AnsiString(1, c);
            }
            if (quoted) FText += "'";
        }
    }

    void PrintBinary(const std::vector<Byte>& Bytes, int Indent) {
        static const char kHex[] = "0123456789ABCDEF";
        FText += "{";
        for (std::size_t i = 0; i < Bytes.size(); ++i) {
            if (i % kBinaryLineBytes == 0) NewLine(Indent + 2);
            FText += kHex[Bytes[i] >> 4];
            FText += kHex[Bytes[i] & 15];
        }
        FText += "}";
    }

    TReader FReader;
    AnsiString FText;
    int FNesting = 0;
};

} // namespace

void ObjectTextToBinary(TStream* Input, TStream* Output, const AnsiString& SourceName,
                        TLineMap* Lines) {
    ObjectTextToBinary(ReadAll(Input), Output, SourceName, Lines);
}

void ObjectTextToBinary(std::string_view Text, TStream* Output, const AnsiString& SourceName,
                        TLineMap* Lines) {
    TTextParser(Text, Output, SourceName, Lines).Parse();
}

void ObjectBinaryToText(TStream* Input, TStream* Output) {
    AnsiString text = TTextPrinter(Input).Print();
    Output->WriteBuffer(text.data(), static_cast<Int64>(text.size()));
}

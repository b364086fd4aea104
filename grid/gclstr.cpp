#include "grid/gclstr.h"

#include "classlib/Strings.h"

#include <cstring>
#include "classlib/Platform.h"

namespace {

constexpr char Digits[] = "0123456789ABCDEF";
constexpr Cardinal MaxPattern = 255;

char* WriteDigits(char* Dest, Cardinal Value, int Count, int BitsPerDigit) {
    const Cardinal mask = (1u << BitsPerDigit) - 1;
    for (int i = Count - 1; i >= 0; --i) {
        Dest[i] = Digits[Value & mask];
        Value >>= BitsPerDigit;
    }
    Dest[Count] = '\0';
    return Dest;
}

bool Fits(std::size_t Length, std::size_t Size) {
    return Length < Size;
}

char UpperByte(Byte B) {
    return UpCaseChar(static_cast<char>(B));
}

} // namespace

char* BinaryBPChar(char* Dest, Byte B) {
    return WriteDigits(Dest, B, 8, 1);
}
char* BinaryWPChar(char* Dest, Word W) {
    return WriteDigits(Dest, W, 16, 1);
}
char* BinaryLPChar(char* Dest, Cardinal L) {
    return WriteDigits(Dest, L, 32, 1);
}
char* HexBPChar(char* Dest, Byte B) {
    return WriteDigits(Dest, B, 2, 4);
}
char* HexWPChar(char* Dest, Word W) {
    return WriteDigits(Dest, W, 4, 4);
}
char* HexLPChar(char* Dest, Cardinal L) {
    return WriteDigits(Dest, L, 8, 4);
}
char* HexPtrPChar(char* Dest, const void* P) {
    const auto value = static_cast<Cardinal>(reinterpret_cast<std::uintptr_t>(P));
    HexWPChar(Dest, static_cast<Word>(value >> 16));
    Dest[4] = ':';
    HexWPChar(Dest + 5, static_cast<Word>(value));
    return Dest;
}
char* OctalLPChar(char* Dest, Cardinal L) {
    // 12 digits cover 36 bits; the top digit holds the last 2 bits of 32.
    for (int i = 11; i >= 0; --i) {
        Dest[i] = Digits[L & 7];
        L >>= 3;
    }
    Dest[12] = '\0';
    return Dest;
}

char LoCaseChar(char C) {
    char text[2] = {C, '\0'};
    CharLowerBuffA(text, 1);
    return text[0];
}

char UpCaseChar(char C) {
    char text[2] = {C, '\0'};
    CharUpperBuffA(text, 1);
    return text[0];
}

char* CharStrPChar(char* Dest, char C, Cardinal Len) {
    std::memset(Dest, static_cast<unsigned char>(C), Len);
    Dest[Len] = '\0';
    return Dest;
}

char* StrStCopy(char* Dest, const char* S, Cardinal Pos, Cardinal Count) {
    const std::size_t length = std::strlen(S);
    if (Pos < length) {
        const std::size_t n = std::min<std::size_t>(Count, length - Pos);
        std::memmove(Dest, S + Pos, n);
        Dest[n] = '\0';
    } else {
        Dest[0] = '\0';
    }
    return Dest;
}

char* TrimTrailPChar(char* Dest, const char* S) {
    std::memmove(Dest, S, std::strlen(S) + 1);
    return TrimTrailPrimPChar(Dest);
}

char* DetabPChar(char* Dest, std::size_t Size, const char* Src, Byte TabSize) {
    if (Size == 0) return Dest;
    std::size_t out = 0;
    if (TabSize != 0) {
        for (const char* p = Src; *p && out + 1 < Size; ++p) {
            if (*p == '\t') {
                do
                    Dest[out++] = ' ';
                while (out % TabSize != 0 && out + 1 < Size);
            } else {
                Dest[out++] = *p;
            }
        }
    }
    Dest[out] = '\0';
    return Dest;
}

bool StrChPos(const char* P, char C, Cardinal& Pos) {
    if (C == '\0') return false;
    const char* found = std::strchr(P, C);
    if (!found) return false;
    Pos = static_cast<Cardinal>(found - P);
    return true;
}

bool StrStPos(const char* P, const char* S, Cardinal& Pos) {
    if (!*S || !*P || std::strlen(P) < std::strlen(S)) return false;
    const char* found = std::strstr(P, S);
    if (!found) return false;
    Pos = static_cast<Cardinal>(found - P);
    return true;
}

void BMMakeTable(const char* MatchString, TBTable& BT) {
    const Cardinal n = static_cast<Cardinal>(std::min<std::size_t>(std::strlen(MatchString), MaxPattern));
    std::memset(BT, static_cast<int>(n), sizeof BT);
    if (n < 2) return;
    for (Cardinal i = 0; i + 1 < n; ++i)
        BT[static_cast<Byte>(MatchString[i])] = static_cast<Byte>(n - 1 - i);
}

namespace {

template <typename Fold>
bool BMSearchWith(const void* Buffer, Cardinal BufLength, const TBTable& BT,
                  const char* MatchString, Cardinal& Pos, Fold fold, bool OneCharScan) {
    const std::size_t n = std::strlen(MatchString);
    if (n == 0 || n > MaxPattern) return false;
    const auto* buf = static_cast<const Byte*>(Buffer);
    if (n == 1 && OneCharScan) {
        for (Cardinal i = 0; i < BufLength; ++i)
            if (static_cast<char>(buf[i]) == MatchString[0]) {
                Pos = i;
                return true;
            }
        return false;
    }
    const char last = MatchString[n - 1];
    std::size_t end = n - 1;
    while (end < BufLength) {
        const Byte c = buf[end];
        if (fold(c) != last) {
            end += BT[c];
            continue;
        }
        std::size_t k = 1;
        while (k < n && fold(buf[end - k]) == MatchString[n - 1 - k])
            ++k;
        if (k == n) {
            Pos = static_cast<Cardinal>(end - (n - 1));
            return true;
        }
        end += BT[static_cast<Byte>(last)];
    }
    return false;
}

} // namespace

bool BMSearch(const void* Buffer, Cardinal BufLength, const TBTable& BT, const char* MatchString,
              Cardinal& Pos) {
    return BMSearchWith(Buffer, BufLength, BT, MatchString, Pos,
                        [](Byte b) { return static_cast<char>(b); }, true);
}

bool BMSearchUC(const void* Buffer, Cardinal BufLength, const TBTable& BT,
                const char* MatchString, Cardinal& Pos) {
    return BMSearchWith(Buffer, BufLength, BT, MatchString, Pos, UpperByte, false);
}

char* StrChInsertPrim(char* Dest, std::size_t Size, char C, Cardinal Pos) {
    const std::size_t length = std::strlen(Dest);
    if (!Fits(length + 1, Size)) return Dest;
    const std::size_t at = std::min<std::size_t>(Pos, length);
    std::memmove(Dest + at + 1, Dest + at, length - at + 1);
    Dest[at] = C;
    return Dest;
}

char* StrChDeletePrim(char* P, Cardinal Pos) {
    const std::size_t length = std::strlen(P);
    if (Pos < length) std::memmove(P + Pos, P + Pos + 1, length - Pos);
    return P;
}

char* StrStInsertPrim(char* Dest, std::size_t Size, const char* S, Cardinal Pos) {
    const std::size_t length = std::strlen(Dest);
    const std::size_t add = std::strlen(S);
    if (add == 0 || !Fits(length + add, Size)) return Dest;
    const std::size_t at = std::min<std::size_t>(Pos, length);
    std::memmove(Dest + at + add, Dest + at, length - at + 1);
    std::memmove(Dest + at, S, add);
    return Dest;
}

char* StrStInsert(char* Dest, std::size_t Size, const char* S1, const char* S2, Cardinal Pos) {
    const std::size_t length = std::strlen(S1);
    if (!Fits(length, Size)) return Dest;
    std::memmove(Dest, S1, length + 1);
    return StrStInsertPrim(Dest, Size, S2, Pos);
}

char* StrInsertChars(char* Dest, std::size_t Size, char Ch, Word Pos, Word Count) {
    if (Count > 1024) return Dest;
    char run[1025];
    CharStrPChar(run, Ch, Count);
    return StrStInsertPrim(Dest, Size, run, Pos);
}

char* StrStDeletePrim(char* P, Cardinal Pos, Cardinal Count) {
    const std::size_t length = std::strlen(P);
    if (Pos > length) return P;
    if (std::size_t(Pos) + Count >= length)
        P[Pos] = '\0';
    else
        std::memmove(P + Pos, P + Pos + Count, length - Pos - Count + 1);
    return P;
}

char* TrimTrailPrimPChar(char* S) {
    std::size_t length = std::strlen(S);
    while (length > 0 && static_cast<Byte>(S[length - 1]) <= 32)
        --length;
    S[length] = '\0';
    return S;
}

char* TrimAllSpacesPChar(char* S) {
    std::size_t length = std::strlen(S);
    while (length > 0 && S[length - 1] == ' ')
        --length;
    S[length] = '\0';
    std::size_t lead = 0;
    while (S[lead] == ' ')
        ++lead;
    std::memmove(S, S + lead, length - lead + 1);
    return S;
}

char* TrimTrailingZerosPChar(char* S) {
    if (!std::strchr(S, '.')) return S;
    std::size_t length = std::strlen(S);
    while (length > 0 && S[length - 1] == '0')
        --length;
    if (length > 0 && S[length - 1] == '.') --length;
    S[length] = '\0';
    return TrimAllSpacesPChar(S);
}

AnsiString TrimTrailingZeros(const AnsiString& S) {
    if (S.find('.') == AnsiString::npos) return S;
    std::size_t length = S.size();
    while (length > 1 && S[length - 1] == '0')
        --length;
    if (length > 1 && S[length - 1] == '.') --length;
    return Trim(S.substr(0, length));
}

char* TrimEmbeddedZerosPChar(char* S) {
    char* e = std::strchr(S, 'E');
    if (!e) return S;
    char* zeros = e;
    while (zeros > S && zeros[-1] == '0')
        --zeros;
    if (zeros > S && zeros[-1] == '.') --zeros;
    std::memmove(zeros, e, std::strlen(e) + 1);
    e = zeros;
    if (e[1] == '\0') return S;
    char* digits = e + 2;
    char* past = digits;
    while (*past == '0')
        ++past;
    if (past == digits) return S;
    if (*past == '\0')
        *e = '\0';
    else
        std::memmove(digits, past, std::strlen(past) + 1);
    return S;
}

AnsiString TrimEmbeddedZeros(const AnsiString& S) {
    AnsiString work = S;
    TrimEmbeddedZerosPChar(work.data());
    work.resize(std::strlen(work.c_str()));
    return work;
}

bool StrToLongPChar(const char* S, int& I) {
    if (std::strlen(S) > 255) {
        I = -1;
        return false;
    }
    char work[256];
    std::strcpy(work, S);
    TrimTrailPrimPChar(work);
    if (char* hex = std::strstr(work, "0x")) {
        hex[0] = '$';
        std::memmove(hex + 1, hex + 2, std::strlen(hex + 2) + 1);
    }
    Int64 value = 0;
    const int error = ParseInteger(work, value, 32);
    if (error != 0) {
        I = error - 1;
        return false;
    }
    I = static_cast<int>(value);
    return true;
}

// Edit masks: the positions of a fixed-layout text and what each may hold.
//
// A mask is "<positions>[;<keep literals>[;<blank>]]". Each character of the positions
// part is one position of the text:
//   0  a digit               9  a digit or nothing
//   #  a digit, '+' or '-', or nothing
//   L  a letter              l  a letter or nothing
//   A  a letter or a digit   a  a letter, a digit or nothing
//   C  any character         c  any character or nothing
// (a space stands for nothing, so it is typed only where nothing is allowed)
// Every other character is a literal that stands in the text as it is; '\' makes the
// character after it a literal. '>' turns the letters typed after it to upper case, '<'
// to lower case, "<>" ends either; '!' anywhere aligns a shorter text to the end of the
// mask instead of its start. These five take no position.
// The second field, '0', leaves the literals out of the control's Text (any other value,
// or none, keeps them); the third is the character an empty position shows ('_' when
// none is given, or when it is one that a position could hold: a letter or a digit).
#pragma once

#include "classlib/Types.h"

#include <vector>

class TEditMask {
public:
    TEditMask() = default;
    explicit TEditMask(const AnsiString& Mask);

    bool Empty() const { return FPositions.empty(); }
    int Length() const { return static_cast<int>(FPositions.size()); }
    bool IsLiteral(int Pos) const;
    bool KeepsLiterals() const { return FKeepLiterals; }
    char Blank() const { return FBlank; }

    // The first position at or after Pos that takes input; -1 when there is none.
    int NextInput(int Pos) const;
    // The last position before Pos that takes input; -1 when there is none.
    int PriorInput(int Pos) const;
    // Whether C may be typed at input position Pos. C becomes the character the position
    // shows: its case turned as the mask says, or the blank for a space typed where
    // nothing is allowed.
    bool Accepts(int Pos, char& C) const;

    // The edit text (what the control shows) of a value of the control's Text; a
    // character that its position does not take leaves that position empty.
    AnsiString EditFromText(const AnsiString& Text) const;
    // The control's Text of an edit text: empty positions as spaces; without literals,
    // only the input positions, the trailing spaces (the leading ones with '!') dropped.
    AnsiString TextFromEdit(const AnsiString& Edit) const;
    // An edit text given position by position, fitted to the mask: literals in place,
    // characters a position does not take left empty, cut or filled to its length.
    AnsiString Fitted(const AnsiString& Edit) const;

private:
    enum TKind { mkLiteral, mkDigit, mkDigitOrSign, mkLetter, mkAlphaNumeric, mkAny };
    enum TCase { caAsTyped, caUpper, caLower };
    struct TPosition {
        TKind Kind = mkLiteral;
        bool Required = false;
        TCase Case = caAsTyped;
        char Literal = '\0';
    };

    // The character at input position Pos for C taken from a text: C as the position
    // shows it, or the blank.
    char Shown(int Pos, char C) const;

    std::vector<TPosition> FPositions;
    bool FKeepLiterals = true;
    bool FAlignToEnd = false;
    char FBlank = '_';
};

// Routines on zero-terminated 8-bit texts in the caller's buffers, and a few on
// AnsiString. Positions are 0-based; lengths exclude the terminator. Routines
// that make a text longer take the size of the destination buffer (terminator
// included) and leave the text unchanged when the result would not fit.
#pragma once

#include "classlib/Types.h"

#include <cstddef>
#include <cstdint>

// Digits and a terminator written into Dest, which is returned.
char* BinaryBPChar(char* Dest, Byte B);        // 8 characters
char* BinaryWPChar(char* Dest, Word W);        // 16 characters
char* BinaryLPChar(char* Dest, Cardinal L);    // 32 characters
char* HexBPChar(char* Dest, Byte B);           // 2 characters
char* HexWPChar(char* Dest, Word W);           // 4 characters
char* HexLPChar(char* Dest, Cardinal L);       // 8 characters
char* HexPtrPChar(char* Dest, const void* P);  // "HHHH:LLLL" of the low 32 bits
char* OctalLPChar(char* Dest, Cardinal L);     // 12 characters

// The system's locale-aware case of one character.
char LoCaseChar(char C);
char UpCaseChar(char C);

char* CharStrPChar(char* Dest, char C, Cardinal Len);
char* StrStCopy(char* Dest, const char* S, Cardinal Pos, Cardinal Count);
char* TrimTrailPChar(char* Dest, const char* S);
// Tabs expanded to the next multiple of TabSize (columns counted over the whole
// text); the result is cut to Size - 1 characters. TabSize 0 gives "".
char* DetabPChar(char* Dest, std::size_t Size, const char* Src, Byte TabSize);

bool StrChPos(const char* P, char C, Cardinal& Pos);
bool StrStPos(const char* P, const char* S, Cardinal& Pos);

// Boyer-Moore search over raw bytes (zeros allowed). Patterns of more than 255
// characters find nothing. BMSearchUC upper-cases the buffer side only: pass an
// upper-case pattern and a table made from it.
using TBTable = Byte[256];
void BMMakeTable(const char* MatchString, TBTable& BT);
bool BMSearch(const void* Buffer, Cardinal BufLength, const TBTable& BT, const char* MatchString,
              Cardinal& Pos);
bool BMSearchUC(const void* Buffer, Cardinal BufLength, const TBTable& BT,
                const char* MatchString, Cardinal& Pos);

char* StrChInsertPrim(char* Dest, std::size_t Size, char C, Cardinal Pos);
char* StrChDeletePrim(char* P, Cardinal Pos);
char* StrStInsertPrim(char* Dest, std::size_t Size, const char* S, Cardinal Pos);
char* StrStInsert(char* Dest, std::size_t Size, const char* S1, const char* S2, Cardinal Pos);
// At most 1024 copies; a larger Count changes nothing.
char* StrInsertChars(char* Dest, std::size_t Size, char Ch, Word Pos, Word Count);
char* StrStDeletePrim(char* P, Cardinal Pos, Cardinal Count);

char* TrimTrailPrimPChar(char* S);
char* TrimAllSpacesPChar(char* S);
// Trailing "0"s, then one trailing ".", then blanks; a text without "." is a
// whole number and stays as it is.
char* TrimTrailingZerosPChar(char* S);
AnsiString TrimTrailingZeros(const AnsiString& S);
// Exponent forms: "1.2500000E+0005" becomes "1.25E+5", "2.5E+000" becomes "2.5".
char* TrimEmbeddedZerosPChar(char* S);
AnsiString TrimEmbeddedZeros(const AnsiString& S);

// Integer text to number ("0x" counts as "$"); on failure I is the 0-based
// offset of the offending character, or -1 for a text over 255 characters.
bool StrToLongPChar(const char* S, int& I);

// The text form of form resources (".form" files) and its conversion to and from the
// binary form of Filer.h.
//
//   object FM: TFM
//     Caption = 'LED editor'
//     Font.Height = -11
//     Font.Style = [fsBold]
//     Items.Strings = (
//       'Common anode'
//       'Common cathode')
//     OnShow = FormShow
//     object BTN_Add: TskSkinButton
//       Caption = '&Add'
//     end
//   end
//
// Values: integers (-11), floating-point numbers (1.5, 2e-7), strings in single quotes with
// '' for a quote and #13-style codes for other characters ('a'#13#10'b'), continued on the
// next line with "+"; identifiers (True, False, nil, enumeration values, handler names,
// references such as DMM.STS_SkinData); sets [a, b]; lists ( ... ); collections
// < item ... end ... >; binary data in hexadecimal { 0102FF }. An unnamed component is
// written "object TClass". Keywords and True, False and nil ignore case.
//
// The text written is canonical: two spaces of indent per level, one property per line,
// one list item per line, strings cut into pieces of at most 64 characters and binary data
// into lines of 32 bytes, CR LF line ends. So a canonical text converted to binary and back
// is unchanged, as is a binary form converted to text and back.
#pragma once

#include "classlib/Filer.h"

#include <string_view>

// Converts the text from Input's position to its end into the binary form, written to
// Output. Errors raise EReadError "Error reading SourceName (line N): Component.Property: ..."
// (bad token, unterminated string, list or collection, bad number, missing "end",
// an identifier over 255 characters).
// Lines, when given, receives the line of every object record and property written.
void ObjectTextToBinary(TStream* Input, TStream* Output, const AnsiString& SourceName = "",
                        TLineMap* Lines = nullptr);
// The same, from text held in memory (a form resource read in place).
void ObjectTextToBinary(std::string_view Text, TStream* Output, const AnsiString& SourceName = "",
                        TLineMap* Lines = nullptr);

// Converts the binary form from Input's position into canonical text, written to Output.
// A malformed binary form raises EReadError, as do names and identifiers that the text
// form cannot hold (spaces, control characters) and floats that are NaN or infinite.
void ObjectBinaryToText(TStream* Input, TStream* Output);

namespace form_text_detail {
// Decodes pairs of hexadecimal digits from Text into Dest, one byte a pair, up to the first
// character that is not a digit or a last single character; returns the characters used
// (an even number). DecodeHexPairs is DecodeHexPairsPlain taking sixteen pairs a step.
std::size_t DecodeHexPairsPlain(const char* Text, std::size_t Length, Byte* Dest);
std::size_t DecodeHexPairs(const char* Text, std::size_t Length, Byte* Dest);
} // namespace form_text_detail

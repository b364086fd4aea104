#include "classlib/Exceptions.h"
#include "classlib/Filer.h"
#include "classlib/FormText.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

AnsiString ToBinary(const AnsiString& Text, TLineMap* Lines = nullptr) {
    TStringStream input(Text);
    TStringStream output;
    ObjectTextToBinary(&input, &output, "test", Lines);
    return output.GetDataString();
}

// The same conversion into a memory stream, which receives binary values in place.
AnsiString ToBinaryInMemory(const AnsiString& Text) {
    TMemoryStream output;
    ObjectTextToBinary(std::string_view(Text), &output, "test");
    return AnsiString(static_cast<const char*>(output.GetMemory()),
                      static_cast<std::size_t>(output.GetSize()));
}

AnsiString InMemoryErrorOf(const AnsiString& Text) {
    try {
        ToBinaryInMemory(Text);
    } catch (const EReadError& e) {
        return e.Message();
    }
    return "no error";
}

AnsiString ToText(const AnsiString& Binary) {
    TStringStream input(Binary);
    TStringStream output;
    ObjectBinaryToText(&input, &output);
    return output.GetDataString();
}

AnsiString ErrorOf(const AnsiString& Text) {
    try {
        ToBinary(Text);
    } catch (const EReadError& e) {
        return e.Message();
    }
    return "no error";
}

const char kCanonical[] = "object FM: TFM\r\n"
                          "  Left = 192\r\n"
                          "  Big = 1099511627776\r\n"
                          "  Ratio = 0.25\r\n"
                          "  Whole = 2.0\r\n"
                          "  Caption = 'LED editor'\r\n"
                          "  Hint = 'It''s'#13#10'two lines'\r\n"
                          "  Empty = ''\r\n"
                          "  Font.Height = -11\r\n"
                          "  Font.Style = [fsBold, fsItalic]\r\n"
                          "  Anchors = []\r\n"
                          "  Items.Strings = (\r\n"
                          "    'Common anode'\r\n"
                          "    'Common cathode')\r\n"
                          "  TableList = (\r\n"
                          "    'Default'\r\n"
                          "    True\r\n"
                          "    (\r\n"
                          "      -1\r\n"
                          "      0)\r\n"
                          "    ())\r\n"
                          "  Columns = <\r\n"
                          "    item\r\n"
                          "      Width = 50\r\n"
                          "      Cell = FM.CB_LED\r\n"
                          "    end\r\n"
                          "    item\r\n"
                          "    end>\r\n"
                          "  Bitmaps = <>\r\n"
                          "  SkinData = DMM.STS_SkinData\r\n"
                          "  Parent = nil\r\n"
                          "  OnShow = FormShow\r\n"
                          "  Data = {\r\n"
                          "    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F\r\n"
                          "    2021}\r\n"
                          "  Nothing = {}\r\n"
                          "  object PNL_Main: TskSkinPanel\r\n"
                          "    Caption = 'Panel'\r\n"
                          "    object TFoo\r\n"
                          "    end\r\n"
                          "  end\r\n"
                          "  object BTN_Add: TskSkinButton\r\n"
                          "  end\r\n"
                          "end\r\n";

} // namespace

TEST(FormTextConversion, CanonicalTextSurvivesBothWaysAndLooseLayoutBecomesCanonical) {
    AnsiString binary = ToBinary(kCanonical);
    EXPECT_EQ(ToText(binary), kCanonical);
    EXPECT_EQ(ToBinary(ToText(binary)), binary);
    AnsiString text = "OBJECT fm: TFM Font.Style=[fsBold,fsItalic]\n"
                      "RowData = ( 40 0 False 25 ) Caption = 'a'\n + 'b'\r"
                      " + 'c' Data = { 01 02\n ff }\n"
                      "Object Sub : TSub End end";
    EXPECT_EQ(ToText(ToBinary(text)), "object fm: TFM\r\n"
                                      "  Font.Style = [fsBold, fsItalic]\r\n"
                                      "  RowData = (\r\n"
                                      "    40\r\n"
                                      "    0\r\n"
                                      "    False\r\n"
                                      "    25)\r\n"
                                      "  Caption = 'abc'\r\n"
                                      "  Data = {\r\n"
                                      "    0102FF}\r\n"
                                      "  object Sub: TSub\r\n"
                                      "  end\r\n"
                                      "end\r\n");
}

TEST(FormTextConversion, SmallFormHasTheDocumentedBytes) {
    AnsiString binary = ToBinary("object A: TX\n  Left = 130\n  Items.Strings = ( 'a' )\nend");
    const char expected[] = "VFR1"
                            "\x02TX\x01"
                            "A"
                            "\x04Left\x03\x82\x00"
                            "\x0DItems.Strings\x01\x06\x01"
                            "a\x00"
                            "\x00"  // end of properties
                            "\x00"; // end of children
    EXPECT_EQ(binary, AnsiString(expected, sizeof expected - 1));
}

TEST(FormTextConversion, LongStringsAreCutIntoContinuedPieces) {
    AnsiString text =
        "object A: TX\r\n  S = '" + AnsiString(64, 'x') + "' +\r\n    'a''b'#9'c'\r\nend\r\n";
    AnsiString binary = ToBinary(text);
    EXPECT_NE(binary.find(AnsiString(64, 'x') + "a'b\tc"), AnsiString::npos);
    EXPECT_EQ(ToText(binary), text);
}

TEST(FormTextConversion, LineMapPointsAtRecordsAndProperties) {
    TLineMap lines;
    ToBinary("object A: TX\n\n  Left = 1\n  object B: TY\n    Top = (\n 2)\n  end\nend\n", &lines);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], (std::pair<Int64, int>(4, 1)));
    EXPECT_EQ(lines[1].second, 3);
    EXPECT_EQ(lines[2].second, 4);
    EXPECT_EQ(lines[3].second, 5);
    EXPECT_LT(lines[2].first, lines[3].first);
}

TEST(FormTextConversion, BinaryDigitsMayBeSplitByBlanksAndLineEnds) {
    // Pairs split by blanks and by every kind of line end decode as written together, and
    // the lines they span still count for what follows.
    const AnsiString together = ToBinary("object FM: TFM\n  Data = {0A1bFF7e}\nend");
    EXPECT_EQ(ToBinary("object FM: TFM\n  Data = {0 A1b\tF\r\nF 7\re}\nend"), together);
    EXPECT_EQ(ToBinary("object FM: TFM\r\n  Data = {\r\n  0A1b\r\n  FF7e}\r\nend"), together);
    EXPECT_EQ(ErrorOf("object FM: TFM\n  Data = {0\r\n1\r2\n3}\n  Left = 1x\nend"),
              "Error reading test (line 6): FM.Left: Invalid number 1x");
    EXPECT_EQ(ErrorOf("object FM: TFM\n  Data = {01 2\n}\nend"),
              "Error reading test (line 2): FM.Data: Invalid binary value: odd number of digits");
}

TEST(FormTextConversion, HexPairsDecodeAlikeSixteenPairsAStepAndOneAtATime) {
    // Digits of both cases with every byte value in turn at every place, over texts longer
    // than two wide steps and cut at every place the wide steps could stop.
    AnsiString digits;
    for (int i = 0; i < 80; ++i)
        digits += "0123456789abcdefABCDEF"[i % 22];
    using form_text_detail::DecodeHexPairs;
    using form_text_detail::DecodeHexPairsPlain;
    Byte expected[40];
    for (std::size_t i = 0; i < 40; ++i)
        expected[i] = static_cast<Byte>(HexDigitValue(digits[2 * i]) * 16 +
                                        HexDigitValue(digits[2 * i + 1]));
    Byte plain[40] = {};
    ASSERT_EQ(DecodeHexPairsPlain(digits.data(), digits.size(), plain), digits.size());
    EXPECT_EQ(std::memcmp(plain, expected, sizeof plain), 0);
    for (int value = 0; value < 256; ++value) {
        for (std::size_t at = 0; at <= digits.size(); ++at) {
            AnsiString text = digits;
            if (at < text.size()) text[at] = static_cast<char>(value);
            for (const std::size_t length : {text.size(), text.size() - 1, at}) {
                Byte wide[40] = {}, single[40] = {};
                const std::size_t used = DecodeHexPairs(text.data(), length, wide);
                ASSERT_EQ(used, DecodeHexPairsPlain(text.data(), length, single))
                    << "byte " << value << " at " << at << ", length " << length;
                ASSERT_EQ(std::memcmp(wide, single, sizeof wide), 0)
                    << "byte " << value << " at " << at << ", length " << length;
            }
        }
    }
}

TEST(FormTextConversion, LongBinaryValuesReadAlikeIntoMemoryAndOtherStreams) {
    // A break of the digits at any place, with or without a line end, decodes as the
    // unbroken digits and counts its lines for what follows, whichever stream is written.
    AnsiString digits;
    for (int i = 0; i < 100; ++i)
        digits += IntToHex(i * 37 % 256, 2);
    const AnsiString head = "object FM: TFM\r\n  Data = {";
    const AnsiString whole = ToBinary(head + digits + "}\r\nend");
    ASSERT_EQ(ToBinaryInMemory(head + digits + "}\r\nend"), whole);
    struct TBreak {
        const char* Text;
        int Lines;
    };
    for (const TBreak& brk : {TBreak{"\r\n      ", 1}, TBreak{"\n", 1}, TBreak{"\r", 1},
                              TBreak{" \t ", 0}, TBreak{"\r\n\r\n  ", 2}}) {
        for (std::size_t at = 0; at <= digits.size(); at += 2) {
            const AnsiString broken = head + digits.substr(0, at) + brk.Text + digits.substr(at);
            ASSERT_EQ(ToBinary(broken + "}\r\nend"), whole) << at;
            ASSERT_EQ(ToBinaryInMemory(broken + "}\r\nend"), whole) << at;
            const AnsiString error = "Error reading test (line " + IntToStr(3 + brk.Lines) +
                                     "): FM.Left: Invalid number 1x";
            ASSERT_EQ(ErrorOf(broken + "}\r\n  Left = 1x\r\nend"), error) << at;
            ASSERT_EQ(InMemoryErrorOf(broken + "}\r\n  Left = 1x\r\nend"), error) << at;
        }
    }
    EXPECT_EQ(InMemoryErrorOf(head + digits + "0}\r\nend"),
              "Error reading test (line 2): FM.Data: Invalid binary value: odd number of digits");
    EXPECT_EQ(InMemoryErrorOf(head + digits.substr(0, 150) + "G" + digits.substr(150)),
              "Error reading test (line 2): FM.Data: Invalid binary value");
    EXPECT_EQ(InMemoryErrorOf(head + digits),
              "Error reading test (line 2): FM.Data: Unterminated binary value");
}

TEST(FormTextErrors, UnterminatedValuesGiveTheirLine) {
    EXPECT_EQ(ErrorOf("object FM: TFM\n  object B: TB\n    Caption = 'abc\n  end\nend"),
              "Error reading test (line 3): FM.B.Caption: Unterminated string");
    EXPECT_EQ(ErrorOf("object FM: TFM\n  Items.Strings = (\n    'a'\n"),
              "Error reading test (line 2): FM.Items.Strings: Unterminated list");
    EXPECT_EQ(ErrorOf("object FM: TFM\n  Cols = <\n    item\n      W = 1\n"),
              "Error reading test (line 2): FM.Cols: Unterminated collection");
    EXPECT_EQ(ErrorOf("object FM: TFM\n  Data = {0102\n"),
              "Error reading test (line 2): FM.Data: Unterminated binary value");
    EXPECT_EQ(ErrorOf("object FM: TFM\n  Left = 1\n"),
              "Error reading test (line 3): FM: 'end' expected but end of text found");
}

TEST(FormTextErrors, BadTokensAndNumbers) {
    EXPECT_EQ(ErrorOf("object FM: TFM\n  Left = 12x\nend"),
              "Error reading test (line 2): FM.Left: Invalid number 12x");
    EXPECT_EQ(ErrorOf("object FM: TFM\n  Left = 99999999999999999999\nend"),
              "Error reading test (line 2): FM.Left: Number 99999999999999999999 is out of range");
    EXPECT_EQ(ErrorOf("object FM: TFM\n  Left = @\nend"),
              "Error reading test (line 2): FM.Left: Invalid character '@'");
    EXPECT_EQ(ErrorOf("object FM: TFM\n  Left 1\nend"),
              "Error reading test (line 2): FM.Left: '=' expected but 1 found");
    EXPECT_EQ(ErrorOf("object FM: TFM\n  Data = {012}\nend"),
              "Error reading test (line 2): FM.Data: Invalid binary value: odd number of digits");
    EXPECT_EQ(ErrorOf("object FM: TFM\n  Data = {01\n  0G}\nend"),
              "Error reading test (line 3): FM.Data: Invalid binary value");
    EXPECT_EQ(ErrorOf("object FM: TFM\n  S = #300\nend"),
              "Error reading test (line 2): FM.S: Invalid character code #300");
    EXPECT_EQ(ErrorOf("object FM: TFM\n  S = 'a' + 1\nend"),
              "Error reading test (line 2): FM.S: String expected but 1 found");
    EXPECT_EQ(ErrorOf("thing FM: TFM\nend"),
              "Error reading test (line 1): 'object' expected but 'thing' found");
    EXPECT_EQ(ErrorOf("object FM: TFM\nend\nobject"),
              "Error reading test (line 3): FM: Text after the end of the root object");
}

TEST(FormTextErrors, DeepNestingIsRefusedBeforeTheStackRunsOut) {
    EXPECT_EQ(ErrorOf("object FM: TFM\n  X = " + AnsiString(100000, '(')),
              "Error reading test (line 2): FM.X: Values nested too deeply");
    AnsiString binary = "VFR1\x02TX\x00\x01X" + AnsiString(100000, '\x01');
    EXPECT_THROW(ToText(binary), EReadError);
}

TEST(FormTextErrors, MalformedBinaryRaisesReadError) {
    AnsiString binary = ToBinary("object A: TX\n  Left = 1\nend");
    EXPECT_THROW(ToText("XXXX" + binary.substr(4)), EReadError);
    EXPECT_THROW(ToText(binary.substr(0, binary.size() - 3)), EReadError);
    AnsiString badTag = binary;
    badTag[badTag.find("Left") + 4] = '\x55';
    EXPECT_THROW(ToText(badTag), EReadError);
}

TEST(FormTextErrors, BinaryNamesAndIdentsTheTextCannotHoldAreRefused) {
    AnsiString good = ToBinary("object A: TX\n  Cell = FM.CB\n  Style = [fsBold]\nend");
    EXPECT_NO_THROW(ToText(good));
    auto replaced = [&](const AnsiString& Name, const AnsiString& By) {
        AnsiString binary = good;
        binary.replace(binary.find(Name), Name.size(), By);
        return binary;
    };
    for (const char* bad : {"T\x01", "T ", "1X"})
        EXPECT_THROW(ToText(replaced("\x02TX", "\x02" + AnsiString(bad, 2))), EReadError) << bad;
    EXPECT_THROW(ToText(replaced("\x01"
                                 "A",
                                 "\x01\x0D")),
                 EReadError);
    EXPECT_THROW(ToText(replaced("\x04"
                                 "Cell",
                                 "\x04"
                                 "Ce l")),
                 EReadError);
    EXPECT_THROW(ToText(replaced("\x05"
                                 "FM.CB",
                                 "\x05"
                                 "FM\x0A"
                                 "CB")),
                 EReadError);
    EXPECT_THROW(ToText(replaced("\x06"
                                 "fsBold",
                                 "\x06"
                                 "fs old")),
                 EReadError);
}

TEST(FormTextErrors, BinaryFloatsThatAreNotFiniteAreRefused) {
    AnsiString binary = ToBinary("object A: TX\n  Ratio = 0.5\nend");
    std::size_t at = binary.find('\x05', binary.find("Ratio")) + 1;
    for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
        AnsiString damaged = binary;
        std::memcpy(damaged.data() + at, &bad, sizeof bad);
        EXPECT_THROW(ToText(damaged), EReadError);
        TStringStream stream(damaged.substr(at - 1));
        EXPECT_THROW(TReader(&stream).ReadFloat(), EReadError);
    }
}

TEST(FormTextErrors, IdentifiersOver255CharactersAreReadErrors) {
    AnsiString longName(256, 'x');
    AnsiString okName(255, 'x');
    EXPECT_NO_THROW(ToBinary("object A: TX\n  " + okName + " = " + okName + "\nend"));
    for (AnsiString text :
         {"object A: T" + longName + "\nend", "object A: TX\n  P = " + longName + "\nend",
          "object A: TX\n  " + longName + " = 1\nend",
          "object A: TX\n  S = [" + longName + "]\nend"})
        EXPECT_NE(ErrorOf(text).find("is too long"), AnsiString::npos) << ErrorOf(text);
}

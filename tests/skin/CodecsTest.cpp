#include "skin/data/Skutils_Codecs.h"

#include "classlib/IniFiles.h"
#include "classlib/StringList.h"

#include <gtest/gtest.h>

namespace {

// An in-memory description holding the given text.
struct TIni {
    explicit TIni(const AnsiString& Text) : Ini("") {
        TStringList lines;
        lines.SetText(Text);
        Ini.SetStrings(&lines);
    }
    AnsiString Text() {
        TStringList lines;
        Ini.GetStrings(&lines);
        return lines.GetText();
    }
    TMemIniFile Ini;
};

} // namespace

TEST(Codecs, PointsAndRectsKeepOnlyDigitsAndNameWhatIsMalformed) {
    EXPECT_EQ(GetPoint("3,4"), TPoint(3, 4));
    EXPECT_EQ(GetPoint("-3, 4px"), TPoint(3, 4)); // the minus sign is dropped
    EXPECT_EQ(GetRect("1, 2,  3,4"), TRect(1, 2, 3, 4));
    EXPECT_EQ(GetRect("1,2,3,4,5"), TRect(1, 2, 3, 4));
    EXPECT_EQ(SetRect(TRect(1, 2, 30, 40)), "1,2,30,40");
    for (const char* bad :
         {"", "5,1,1", "1,,3,4", "1,2,3", "1,2,3,", "x,2,3,4", "99999999999,1,1,1"})
        EXPECT_THROW(GetRect(bad), EConvertError) << bad;
    EXPECT_THROW(GetPoint("5"), EConvertError);

    TIni ini("[button]\nskinrect=1,2,x,4\nlefttoppoint=7,8\n");
    EXPECT_EQ(ReadPoint(&ini.Ini, "button", "lefttoppoint"), TPoint(7, 8));
    EXPECT_EQ(ReadPoint(&ini.Ini, "button", "absent"), TPoint(0, 0));
    EXPECT_EQ(ReadRect(&ini.Ini, "button", "absent"), TRect());
    try {
        ReadRect(&ini.Ini, "button", "skinrect");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Invalid rectangle value \"1,2,x,4\" of key \"skinrect\" in section "
                               "[button] of the skin description");
    }
}

TEST(Codecs, BooleansStylesAndWordsFollowTheirTables) {
    TIni ini("[s]\nb1=1\nb2=2\nb3=yes\n"
             "f1=fsbold,fsitalic\nf2=FSBOLD\nf3=\n"
             "a1=tarightjustify\na2=other\na3=taleftjustify\n"
             "m1=MKPUSH\nm2=mkpush\ne1=ieinvert\n");
    EXPECT_TRUE(ReadBoolean(&ini.Ini, "s", "b1"));
    EXPECT_FALSE(ReadBoolean(&ini.Ini, "s", "b2"));
    EXPECT_FALSE(ReadBoolean(&ini.Ini, "s", "b3"));
    EXPECT_FALSE(ReadBoolean(&ini.Ini, "s", "absent"));
    EXPECT_EQ(ReadFontStyles(&ini.Ini, "s", "f1"), TFontStyles({fsBold, fsItalic}));
    EXPECT_TRUE(ReadFontStyles(&ini.Ini, "s", "f2").Empty());
    EXPECT_TRUE(ReadFontStyles(&ini.Ini, "s", "f3").Empty());
    EXPECT_EQ(ReadAlignment(&ini.Ini, "s", "a1"), taRightJustify);
    EXPECT_EQ(ReadAlignment(&ini.Ini, "s", "a2"), taRightJustify);
    EXPECT_EQ(ReadAlignment(&ini.Ini, "s", "a3"), taLeftJustify);
    EXPECT_EQ(ReadAlignment(&ini.Ini, "s", "absent"), taCenter);
    EXPECT_EQ(ReadMorphKind(&ini.Ini, "s", "m1"), mkDefault);
    EXPECT_EQ(ReadMorphKind(&ini.Ini, "s", "m2"), mkPush);
    EXPECT_EQ(ReadInActiveEffect(&ini.Ini, "s", "e1"), ieInvert);
    EXPECT_EQ(ReadInActiveEffect(&ini.Ini, "s", "absent"), ieBrightness);
    EXPECT_EQ(StdCommandFromText("cmsysmenu"), cmSysMenu);
    EXPECT_EQ(StdCommandFromText("cmrollup"), cmRollUp);
    EXPECT_EQ(StdCommandFromText("close"), cmRollUp);
    EXPECT_EQ(StdCommandToText(cmRollUp), "cmrollup");
    EXPECT_EQ(FramesPlacementFromText("FPHORIZONTAL"), fpVertical);
    EXPECT_EQ(RegulatorKindFromText("rkHorizontal"), rkVertical);
    EXPECT_EQ(RegulatorKindFromText("rkhorizontal"), rkHorizontal);
    EXPECT_EQ(GaugeKindFromText("x"), gkVertical);

    TIni out("");
    WriteFontStyles(&out.Ini, "w", "all",
                    TFontStyles({fsStrikeOut, fsBold, fsUnderline, fsItalic}));
    WriteFontStyles(&out.Ini, "w", "none", TFontStyles());
    WriteBoolean(&out.Ini, "w", "b", true);
    WriteAlignment(&out.Ini, "w", "a", taRightJustify);
    WriteMorphKind(&out.Ini, "w", "m", mkRightSlide);
    WritePoint(&out.Ini, "w", "p", TPoint(5, 6));
    EXPECT_EQ(out.Text(), "[w]\r\nall=fsbold,fsitalic,fsunderline,fsstrikeout\r\nnone=\r\nb=1\r\n"
                          "a=tarightjustify\r\nm=mkrightslide\r\np=5,6\r\n");
}

TEST(Codecs, ListsAndEntrySplitting) {
    TIni ini("[p]\nactivepicturescount=3\n0=a.bmp\n1=\n2=c.bmp\n"
             "symbolslinecount=2\nsymbolsline0=ABC\nsymbolsline1=\n"
             "[big]\nxcount=100000\n[neg]\nxcount=-4\n"
             "[cut]\nactivepicturescount=3\n0=a.bmp\n2=c.bmp\nsymbolslinecount=2\nsymbolsline0=x\n");
    TStringList values, lines;
    lines.Add("kept");
    ReadStrings1(&ini.Ini, "p", "activepictures", &values);
    ReadStrings(&ini.Ini, "p", "symbols", &lines);
    EXPECT_EQ(values.GetText(), "a.bmp\r\n\r\nc.bmp\r\n");
    EXPECT_EQ(lines.GetText(), "kept\r\nABC\r\n\r\n");
    EXPECT_THROW(ReadStrings1(&ini.Ini, "big", "x", &values), EConvertError);
    // Counts beyond the entries present: a list cut short is not read as a shorter one.
    TStringList cut;
    EXPECT_THROW(ReadStrings1(&ini.Ini, "cut", "activepictures", &cut), EReadError);
    EXPECT_THROW(ReadStrings(&ini.Ini, "cut", "symbols", &cut), EReadError);
    EXPECT_EQ(ReadListCount(&ini.Ini, "neg", "xcount"), 0);

    TIni out("");
    WriteStrings(&out.Ini, "q", "symbols", &lines);
    WriteStrings1(&out.Ini, "q", "cursors", &values);
    EXPECT_EQ(out.Text(), "[q]\r\nsymbolslinecount=3\r\nsymbolsline0=kept\r\nsymbolsline1=ABC\r\n"
                          "symbolsline2=\r\ncursorscount=3\r\n0=a.bmp\r\n1=\r\n2=c.bmp\r\n");

    AnsiString name, type;
    GetObjectTypeName("closebutton:stdbutton:x", name, type);
    EXPECT_EQ(name, "closebutton");
    EXPECT_EQ(type, "stdbutton:x");
    GetObjectTypeName("nocolon", name, type);
    EXPECT_EQ(name, "");
    EXPECT_EQ(type, "");
    TRect r;
    EXPECT_TRUE(GetAreaNameRect("area:1,2,3,4", name, r));
    EXPECT_EQ(name, "area");
    EXPECT_EQ(r, TRect(1, 2, 3, 4));
    EXPECT_FALSE(GetAreaNameRect("area", name, r));
}

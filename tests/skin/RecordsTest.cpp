#include "SkinTestSupport.h"

#include "skin/data/SkinData_Types.h"
#include "skin/data/SkinData_Windows.h"

#include "classlib/Strings.h"

#include <functional>
#include <set>

namespace {

// A value unlike every default, different for every field (by its position).
void PutSample(TMemIniFile& Ini, const AnsiString& Section, const TSkinField& Field, int I) {
    auto put = [&](const AnsiString& Value) { Ini.WriteString(Section, Field.Key, Value); };
    switch (Field.Kind) {
    case sfInteger:
        put(IntToStr(100 + I));
        break;
    case sfBoolean:
        put("1");
        break;
    case sfText:
        put(Format("text%d", I));
        break;
    case sfPoint:
        put(Format("%d,%d", I + 1, I + 2));
        break;
    case sfRect:
        put(Format("%d,%d,%d,%d", I + 1, I + 2, I + 3, I + 4));
        break;
    case sfFontStyles:
        put("fsbold,fsunderline");
        break;
    case sfAlignment:
        put("taleftjustify");
        break;
    case sfMorphKind:
        put("mkpush");
        break;
    case sfStdCommand:
        put("cmclose");
        break;
    case sfFramesPlacement:
        put("fpvertical");
        break;
    case sfRegulatorKind:
        put("rkhorizontal");
        break;
    case sfGaugeKind:
        put("gkvertical");
        break;
    case sfInActiveEffect:
        put("ienoise");
        break;
    case sfLines:
        Ini.WriteInteger(Section, Field.Key + "linecount", 2);
        Ini.WriteString(Section, Field.Key + "line0", "first");
        Ini.WriteString(Section, Field.Key + "line1", "second");
        break;
    }
}

// The keys a saved section holds: each level's keys in written order, root first.
AnsiString ExpectedKeys(const TSkinFieldLevels& Levels) {
    TStringList keys;
    for (const TSkinFieldTable* table : Levels) {
        std::vector<const TSkinField*> order;
        for (const TSkinField& field : *table)
            order.push_back(&field);
        std::sort(order.begin(), order.end(),
                  [](auto* a, auto* b) { return a->Written < b->Written; });
        for (const TSkinField* field : order) {
            if (field->Kind != sfLines) {
                keys.Add(field->Key);
                continue;
            }
            keys.Add(field->Key + "linecount");
            keys.Add(field->Key + "line0");
            keys.Add(field->Key + "line1");
        }
    }
    return keys.GetCommaText();
}

// Fields whose value a record forces after loading, whatever the section says.
bool Forced(const AnsiString& TypeName, const AnsiString& Key, bool Object) {
    if (!Object && TypeName == "updown")
        return Key == "lefttoppoint" || Key == "righttoppoint" || Key == "leftbottompoint" ||
               Key == "rightbottompoint" || Key == "clientrect";
    return Object && Key == "morphing" &&
           (TypeName == "bitlabel" || TypeName == "trackbar" || TypeName == "animate");
}

template <typename R>
void CheckEveryType(const std::vector<TSkinRecordType<R>>& Types, bool Object) {
    std::set<AnsiString> words;
    for (const TSkinRecordType<R>& type : Types) {
        SCOPED_TRACE(type.TypeName);
        EXPECT_TRUE(words.insert(type.TypeName).second);
        std::unique_ptr<R> blank(type.Create("rec"));
        TSkinFieldLevels levels;
        blank->GetFieldTables(levels);

        // A section without keys gives every field its missing-key value.
        TTestIni empty("[rec]\nunknown=1\n");
        blank->LoadFromFile(&empty.Ini);
        for (const TSkinFieldTable* table : levels)
            for (const TSkinField& field : *table)
                EXPECT_TRUE(field.HoldsDefault(blank.get())) << field.Key;

        // Every key is read from the record's own section...
        TTestIni samples;
        int i = 0;
        for (const TSkinFieldTable* table : levels)
            for (const TSkinField& field : *table)
                PutSample(samples.Ini, "rec", field, i++);
        std::unique_ptr<R> loaded(type.Create("rec"));
        loaded->LoadFromFile(&samples.Ini);
        for (const TSkinFieldTable* table : levels)
            for (const TSkinField& field : *table)
                EXPECT_NE(field.HoldsDefault(loaded.get()),
                          !Forced(type.TypeName, field.Key, Object))
                    << field.Key;

        // ...and saving writes every field in written order, the unknown key lost,
        // which reads back to the same record.
        TTestIni saved("[rec]\nunknown=1\n");
        loaded->SaveToFile(&saved.Ini);
        EXPECT_EQ(saved.Keys("rec"), ExpectedKeys(levels));
        std::unique_ptr<R> again(type.Create("rec"));
        again->LoadFromFile(&saved.Ini);
        EXPECT_TRUE(SameSkinFields(loaded.get(), again.get(), levels));
        EXPECT_FALSE(SameSkinFields(blank.get(), again.get(), levels));
    }
}

} // namespace

TEST(Records, EveryControlTypeLoadsDefaultsReadsEveryKeyAndSavesInWrittenOrder) {
    CheckEveryType(SkinControlTypes(), false);
}

TEST(Records, EveryObjectTypeLoadsDefaultsReadsEveryKeyAndSavesInWrittenOrder) {
    CheckEveryType(SkinObjectTypes(), true);
}

TEST(Records, MissingKeysGiveTheTableDefaultsNotTheConstructors) {
    TTestIni ini("[b]\nskinrect=1,2,3,4\n[t]\n[s]\n[l]\n");
    TskDataSkinButtonControl button("b");
    EXPECT_EQ(button.FontHeight, 12);
    button.LoadFromFile(&ini.Ini);
    EXPECT_EQ(button.FontHeight, 14);
    EXPECT_EQ(button.PictureIndex, -1);
    EXPECT_EQ(button.CursorIndex, -1);
    EXPECT_EQ(button.SkinRect, TRect(1, 2, 3, 4));
    TskDataSkinTreeView tree("t");
    EXPECT_EQ(tree.BGColor, 0xFFFFFF);
    tree.LoadFromFile(&ini.Ini);
    EXPECT_EQ(tree.BGColor, 0);
    TskDataSkinStdLabelControl label("s");
    label.LoadFromFile(&ini.Ini);
    EXPECT_EQ(label.ActiveFontColor, 0xFF0000);
    TskDataSkinListBox list("l");
    EXPECT_EQ(list.VScrollBarName, "");
    list.LoadFromFile(&ini.Ini);
    EXPECT_EQ(list.VScrollBarName, "vscrollbar");
    EXPECT_EQ(list.BothHScrollBarName, "bothhscrollbar");
    TskDataSkinHintWindow hint;
    EXPECT_EQ(hint.FontHeight, 12);
    hint.LoadFromFile(&ini.Ini);
    EXPECT_EQ(hint.FontHeight, 14);
}

TEST(Records, ForcedValuesAndTheirSavedForm) {
    TTestIni ini(
        "[u]\nlefttoppoint=3,3\nclientrect=1,1,5,5\n[f]\nframescount=-2\nframesplacement=x\n"
        "[k]\nmorphing=1\n[c]\ncommand=close\n");
    TskDataSkinUpDownControl updown("u");
    updown.LoadFromFile(&ini.Ini);
    EXPECT_EQ(updown.LTPoint, TPoint(0, 0));
    updown.LTPoint = TPoint(4, 4);
    updown.SaveToFile(&ini.Ini);
    EXPECT_EQ(ini.Ini.ReadString("u", "lefttoppoint", ""), "0,0");
    EXPECT_EQ(ini.Ini.ReadString("u", "clientrect", ""), "0,0,0,0");
    TskDataSkinFrameGauge gauge("f");
    gauge.LoadFromFile(&ini.Ini);
    EXPECT_EQ(gauge.FramesCount, 1);
    EXPECT_EQ(gauge.FramesPlacement, fpVertical);
    TskDataSkinTrackBar track("k");
    track.LoadFromFile(&ini.Ini);
    EXPECT_FALSE(track.Morphing);
    track.SaveToFile(&ini.Ini);
    EXPECT_EQ(ini.Ini.ReadString("k", "morphing", ""), "0");
    TskDataSkinStdButton button("c");
    button.LoadFromFile(&ini.Ini);
    EXPECT_EQ(button.Command, cmRollUp);
    button.SaveToFile(&ini.Ini);
    EXPECT_EQ(ini.Ini.ReadString("c", "command", ""), "cmrollup");
}

TEST(Records, UserObjectsReadAndWriteOnlyTheirThreeKeys) {
    TTestIni ini("[o]\nhint=h\nmorphing=1\nrollup=1\nskinrect=1,2,3,4\ncursorindex=2\n");
    TskDataUserObject object("o");
    object.LoadFromFile(&ini.Ini);
    EXPECT_EQ(object.Hint, "");
    EXPECT_FALSE(object.Morphing);
    EXPECT_TRUE(object.RollUp);
    EXPECT_EQ(object.CursorIndex, 2);
    object.SaveToFile(&ini.Ini);
    EXPECT_EQ(ini.Keys("o"), "rollup,skinrect,cursorindex");
}

TEST(Records, TypeWordsAreExactAndTheWriterUsesTheRecordsOwnClass) {
    EXPECT_EQ(CreateSkinControl("Button", "b"), nullptr);
    EXPECT_EQ(CreateSkinControl("", "b"), nullptr);
    std::unique_ptr<TskDataSkinControl> label(CreateSkinControl("label", "l"));
    EXPECT_TRUE(label->InheritsFrom(TskDataSkinLabelControl::StaticClass()));
    std::unique_ptr<TskDataSkinObject> objectLabel(CreateSkinObject("label", "l"));
    EXPECT_TRUE(objectLabel->InheritsFrom(TskDataSkinLabel::StaticClass()));

    TskDataSkinMainMenuBarButton barButton("m");
    EXPECT_EQ(SkinObjectTypeName(&barButton), "mainmenubarbutton");
    TskDataSkinMainMenuBarItem barItem("i");
    EXPECT_EQ(SkinObjectTypeName(&barItem), "mainmenubaritem");
    TskDataSkinCheckListBox checkList("c");
    EXPECT_EQ(SkinControlTypeName(&checkList), "checklistbox");
    TskDataSkinFrameControl frame("f"); // no word of its own nor of a base
    EXPECT_EQ(SkinControlTypeName(&frame), "");
    for (const auto& type : SkinControlTypes()) {
        std::unique_ptr<TskDataSkinControl> record(type.Create("x"));
        EXPECT_EQ(SkinControlTypeName(record.get()), type.TypeName);
    }
    for (const auto& type : SkinObjectTypes()) {
        std::unique_ptr<TskDataSkinObject> record(type.Create("x"));
        EXPECT_EQ(SkinObjectTypeName(record.get()), type.TypeName);
    }
}

TEST(Records, WindowRecordsUseTheirFixedSections) {
    TTestIni ini("[POPUPWINDOW]\nwindowpictureindex=2\nstale=1\n");
    TskDataSkinPopupWindow popup;
    popup.LoadFromFile(&ini.Ini);
    EXPECT_EQ(popup.WindowPictureIndex, 2);
    EXPECT_EQ(popup.CursorIndex, -1);
    popup.SaveToFile(&ini.Ini);
    EXPECT_EQ(ini.Keys("POPUPWINDOW"),
              "windowpictureindex,maskpictureindex,lefttoppoint,righttoppoint,"
              "leftbottompoint,rightbottompoint,itemsrect,cursorindex,"
              "scrollmarkercolor,scrollmarkeractivecolor");
    TTestIni none;
    popup.LoadFromFile(&none.Ini);
    EXPECT_EQ(popup.WindowPictureIndex, -1);
}

TEST(Records, SavedSectionsFollowTheWrittenColumnNotTheDeclarationOrder) {
    TTestIni ini;
    TskDataSkinMainMenuBar bar("m");
    bar.SaveToFile(&ini.Ini);
    EXPECT_EQ(ini.Keys("m"),
              "pictureindex,maskpictureindex,cursorindex,skinrect,itemsrect,menubaritem,"
              "closebutton,minbutton,maxbutton,sysmenubutton,trackmarkcolor,trackmarkactivecolor");
    TskDataSkinCheckListBox list("c");
    list.SaveToFile(&ini.Ini);
    EXPECT_NE(
        ini.Keys("c").find("downcheckbuttonrect,vscrollbarname,hscrollbarname,bothhscrollbarname,"
                           "itemcheckrect,uncheckimagerect,checkimagerect"),
        AnsiString::npos);
    TskDataSkinButton button("b");
    button.SaveToFile(&ini.Ini);
    EXPECT_EQ(ini.Keys("b"),
              "hint,rollup,activepictureindex,skinrectinapicture,cursorindex,skinrect,"
              "activeskinrect,morphing,morphkind,downrect,disableskinrsect,groupindex");
}

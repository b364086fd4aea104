// Key sequences, table management, stream bytes and text files of the command processor.
#include "grid/gclbase.h"
#include "grid/gclcmd.h"
#include "grid/gclexcpt.h"
#include "grid/gclmisc.h"

#include "classlib/Exceptions.h"
#include "classlib/Filer.h"
#include "classlib/FormLoader.h"
#include "classlib/Streams.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>


namespace {

const TShiftState None{};
const TShiftState Ctrl{ssCtrl};
const TShiftState Shift{ssShift};

class CommandProcessor : public testing::Test {
protected:
    void UseWordStar() {
        P.GetCommandTable("WordStar")->IsActive = true;
        P.GetCommandTable("Default")->IsActive = false;
    }
    TGclCommandProcessor P;
};

SHORT CtrlDown(int Key) {
    return Key == VK_CONTROL ? SHORT(0x8000) : SHORT(0);
}

} // namespace

TEST_F(CommandProcessor, BuiltInTables) {
    ASSERT_EQ(P.GetCount(), 3);
    EXPECT_EQ(P.GetTable(0)->TableName, "Default");
    EXPECT_EQ(P.GetTable(1)->TableName, "WordStar");
    EXPECT_EQ(P.GetTable(2)->TableName, "Grid");
    EXPECT_EQ(P.GetCommandCount("default"), 64);
    EXPECT_EQ(P.GetCommandCount("WordStar"), 40);
    EXPECT_EQ(P.GetCommandCount("GRID"), 38);
    EXPECT_TRUE(P.GetTable(0)->IsActive);
    EXPECT_FALSE(P.GetTable(1)->IsActive);
    EXPECT_FALSE(P.GetTable(2)->IsActive);
    EXPECT_EQ(P.TranslateKey(VK_LEFT, None), ccLeft);
    EXPECT_EQ(P.TranslateKeyUsing({"Grid"}, VK_LEFT, Ctrl), ccPageLeft);
    EXPECT_EQ(P.TranslateKey(VK_F2, None), cmdNoMatch);
    EXPECT_EQ(P.TranslateKeyUsing({"Nothing", "Grid"}, VK_F2, None), ccTableEdit);
    EXPECT_EQ(P.TranslateKey('Z', TShiftState{ssCtrl, ssShift}), ccRedo);
    EXPECT_EQ(P.TranslateKey(VK_BACK, TShiftState{ssAlt}), ccRestore);
    TMessage msg{WM_KEYDOWN, 'C', 0, 0};
    TGclKeyStateFunc previous = SetGclKeyStateSource(CtrlDown);
    EXPECT_EQ(P.Translate(msg), ccCopy);
    SetGclKeyStateSource(previous);
    EXPECT_EQ(GetGclStr(33768 + ccTableEdit), "ccTableEdit");
}

TEST_F(CommandProcessor, TwoKeySequencesAndLiterals) {
    UseWordStar();
    EXPECT_EQ(P.TranslateKey('Q', Ctrl), cmdSequencePending);
    EXPECT_EQ(P.TranslateKey('S', None), ccHome);
    EXPECT_EQ(P.TranslateKey('Q', Ctrl), cmdSequencePending);
    EXPECT_EQ(P.TranslateKey(VK_CONTROL, Ctrl), cmdSequencePending); // a lone modifier keeps it
    EXPECT_EQ(P.TranslateKey('S', Ctrl), ccHome);
    EXPECT_EQ(P.TranslateKey('Q', Ctrl), cmdSequencePending);
    EXPECT_EQ(P.TranslateKey('S', Shift), cmdSequenceBroken);
    TGclProcessorState state;
    Byte key, shift;
    P.GetState(state, key, shift);
    EXPECT_EQ(state, psIdle);
    EXPECT_EQ(P.TranslateKey(VK_SHIFT, Shift), cmdNoMatch);
    EXPECT_EQ(P.TranslateKey('P', Ctrl), ccCtrlChar);
    EXPECT_EQ(P.TranslateKey('S', Ctrl), cmdNoMatch); // passed through as a character
    EXPECT_EQ(P.TranslateKey('S', Ctrl), ccLeft);
    EXPECT_EQ(P.TranslateKey('K', Ctrl), cmdSequencePending);
    P.GetState(state, key, shift);
    EXPECT_EQ(state, psAwaitSecondKey);
    EXPECT_EQ(key, 'K');
    EXPECT_EQ(shift, 4);
    P.ResetCommandProcessor();
    EXPECT_EQ(P.TranslateKey('3', None), cmdNoMatch);
}

TEST_F(CommandProcessor, TablesAndBindings) {
    EXPECT_THROW(P.AddCommand("Grid", VK_F2, 0, 0, 0, ccHome), EDuplicateCommand);
    EXPECT_THROW(P.AddCommand("Missing", VK_F2, 0, 0, 0, ccHome), ETableNotFound);
    EXPECT_THROW(P.GetTable(3), ETableNotFound);
    EXPECT_THROW(P.DeleteCommandTable("Missing"), ETableNotFound);
    TGclCommandTable* grid = P.GetCommandTable("Grid");
    EXPECT_EQ(grid->IndexOf(TGclCmdRec{VK_F2, 0, 0, 0, 999}), 37);
    P.DeleteCommand("Grid", VK_F2, 0, 0, 0);
    EXPECT_EQ(P.GetCommandCount("Grid"), 37);
    P.AddCommand("Grid", VK_F3, 0, 0, 0, 300);
    EXPECT_EQ(P.TranslateKeyUsing({"Grid"}, VK_F3, None), 300);

    EXPECT_EQ(P.CreateCommandTable("Grid", true), 3);
    EXPECT_EQ(P.GetTable(3)->TableName, "Grid1");
    P.CreateCommandTable("Default7", true);
    EXPECT_EQ(P.GetTable(4)->TableName, "Default1");
    P.CreateCommandTable("Mine5", true);
    EXPECT_EQ(P.GetTable(5)->TableName, "Mine5");
    P.DeleteCommandTable("Grid");
    P.CreateCommandTable("Grid1", true); // the base is free but the name is not
    EXPECT_EQ(P.GetTable(5)->TableName, "Grid2");
    P.SetScanPriority({"Mine5", "Nothing", "Default"});
    EXPECT_EQ(P.GetTable(0)->TableName, "Mine5");
    EXPECT_EQ(P.GetTable(2)->TableName, "Default");
}

TEST_F(CommandProcessor, StreamsOnlyTheChangesOfBuiltInTables) {
    P.DeleteCommand("Grid", VK_F2, 0, 0, 0);
    TMemoryStream stream;
    TWriter writer(&stream);
    P.GetCommandTable("Grid")->WriteItem(&writer);
    const auto* bytes = static_cast<const Byte*>(stream.GetMemory());
    const std::vector<int> written(bytes, bytes + stream.GetSize());
    const std::vector<int> expected = {vaString, 4, 'G', 'r', 'i', 'd', vaFalse, vaList,
                                       vaInt8, VK_F2, vaInt8, 0, vaNull};
    EXPECT_EQ(written, expected);

    // The whole processor through a form resource: built-in tables as differences.
    TGclController source(nullptr);
    TGclCommandProcessor& q = *source.GetEntryCommands();
    q.DeleteCommand("Grid", VK_F2, 0, 0, 0);
    q.GetTable(q.CreateCommandTable("Mine", false))->AddRec({'Q', 4, 'S', 128, ccHome});
    q.GetCommandTable("Default")->PutCmdRec(0, {VK_LEFT, 0, 0, 0, ccHome});
    q.GetCommandTable("Default")->AddRec({VK_F9, 8, 0, 0, 400});
    TMemoryStream form;
    TWriter(&form).WriteRootComponent(&source);
    form.SetPosition(0);
    TGclController loaded(nullptr);
    TReader(&form).ReadRootComponent(&loaded);
    TGclCommandProcessor& copy = *loaded.GetEntryCommands();
    ASSERT_EQ(copy.GetCount(), 4);
    for (int t = 0; t < 4; ++t) {
        EXPECT_EQ(copy.GetTable(t)->TableName, q.GetTable(t)->TableName);
        EXPECT_EQ(copy.GetTable(t)->IsActive, q.GetTable(t)->IsActive);
        ASSERT_EQ(copy.GetTable(t)->GetCount(), q.GetTable(t)->GetCount()) << t;
        for (int r = 0; r < q.GetTable(t)->GetCount(); ++r)
            EXPECT_EQ(copy.GetTable(t)->GetCmdRec(r), q.GetTable(t)->GetCmdRec(r)) << t << "/" << r;
    }
}

TEST_F(CommandProcessor, MalformedTableListRaisesAReadErrorAndKeepsTheTables) {
    TMemoryStream stream;
    TWriter writer(&stream);
    writer.WriteListBegin();
    writer.WriteString("Broken");
    writer.WriteBoolean(true);
    writer.WriteListBegin();
    writer.WriteInteger(5);
    writer.WriteString("not a command");
    writer.WriteListEnd();
    writer.WriteListEnd();
    stream.SetPosition(0);
    TReader reader(&stream);
    auto* table = new TGclCommandTable;
    EXPECT_THROW(
        {
            reader.ReadListBegin();
            table->ReadItem(&reader);
        },
        EReadError);
    EXPECT_EQ(table->TableName, "(Unknown)");
    delete table;
}

TEST_F(CommandProcessor, TextFiles) {
    TTempFolder folder;
    const AnsiString name = folder.PathOf("table.txt");
    P.SaveCommandTable("Default", name);
    const std::string text = folder.Get("table.txt");
    EXPECT_EQ(text.substr(0, 9), "Default\r\n");
    EXPECT_NE(text.find("  90   4   0   0    72\r\n"), std::string::npos);
    const int index = P.LoadCommandTable(name);
    EXPECT_EQ(P.GetTable(index)->TableName, "Default1");
    EXPECT_EQ(P.GetTable(index)->GetCount(), 64);
    EXPECT_EQ(P.GetTable(index)->GetCmdRec(12), (TGclCmdRec{'Z', 4, 0, 0, ccUndo}));

    TGclCommandTable& table = *P.GetTable(index);
    for (const std::string& bad : {std::string("T\r\n  1 2 3\r\n"), std::string("T\r\n 1 2 3 256 5\r\n"),
                                   std::string("T\r\n 1 0 0 0 5\r\n 1 0 0 0 6\r\n"),
                                   std::string("T\r\n 1 0 0 0 70000\r\n")}) {
        folder.Put("table.txt", bad);
        try {
            table.LoadFromFile(name);
            ADD_FAILURE() << bad;
        } catch (const EReadError& e) {
            EXPECT_NE(std::string(e.what()).find("table.txt"), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("line"), std::string::npos) << e.what();
        }
        EXPECT_EQ(table.TableName, "Default1");
        EXPECT_EQ(table.GetCount(), 64);
    }
    EXPECT_THROW(P.LoadCommandTable(folder.PathOf("missing.txt")), EFOpenError);
    EXPECT_EQ(P.GetCount(), 4);

    // Every line holds five whole numbers and nothing else; the name is never blank.
    const std::pair<std::string, std::string> refused[] = {
        {"T\r\n  46   0   0   0    46 garbage\r\n", "(line 2)"},
        {"T\r\n 1e3 0 0 0 5\r\n", "(line 2)"},
        {"T\r\n 1 0 0 0 2.75\r\n", "(line 2)"},
        {"T\r\n 1 0 0 0 5\r\n\r\n 2 0 0 0 5 6\r\n", "(line 4)"},
        {"T\n 1 0 0 0 5\r 2 0 0 0 -5\n", "(line 3)"},
        {"\r\n 1 0 0 0 5\r\n", "(line 1)"},
        {"  \t\r\n", "(line 1)"},
        {"", "(line 1)"}};
    for (const auto& [bad, line] : refused) {
        folder.Put("table.txt", bad);
        std::string message;
        try {
            table.LoadFromFile(name);
        } catch (const EReadError& e) {
            message = e.what();
        }
        EXPECT_NE(message.find(line), std::string::npos) << bad << ": " << message;
        EXPECT_EQ(table.GetCount(), 64);
    }
    // Blank lines, spaces and tabs around the numbers, any of the three line ends, and
    // none after the last line.
    folder.Put("table.txt", "Mine\n\r\n\t1 0 0 0 5 \r  2 0 0 0 65535");
    table.LoadFromFile(name);
    EXPECT_EQ(table.TableName, "Mine");
    ASSERT_EQ(table.GetCount(), 2);
    EXPECT_EQ(table.GetCmdRec(1), (TGclCmdRec{2, 0, 0, 0, 65535}));
}

namespace {

// The tables a controller reads from a form resource whose table list holds Items.
std::vector<const TGclCommandTable*> ReadTableList(TGclController& Controller, const std::string& Items) {
    ReadComponentText("object CTL: TGclController\n  EntryCommands.TableList = (" + Items + ")\nend\n",
                      &Controller);
    std::vector<const TGclCommandTable*> tables;
    for (int i = 0; i < Controller.GetEntryCommands()->GetCount(); ++i)
        tables.push_back(Controller.GetEntryCommands()->GetTable(i));
    return tables;
}

} // namespace

TEST_F(CommandProcessor, AStreamedTableNamesEachKeySequenceOnce) {
    TGclController controller(nullptr);
    EXPECT_EQ(ReadTableList(controller, "'Mine' True (65 300 66 300)")[0]->GetCount(), 2);
    for (const char* twice : {"'Mine' True (65 300 65 301)", "'Grid' True (113 0 113 0)",
                              "'Grid' True (65 300 65 301)"}) {
        TGclController other(nullptr);
        EXPECT_THROW(ReadTableList(other, twice), EReadError) << twice;
    }
    EXPECT_EQ(ReadTableList(controller, "'Grid' True (113 0 65 300)")[0]->GetCount(), 38);
}

TEST_F(CommandProcessor, ATableListOfOneNameTakesTheNamesTablesAddedOneByOneWould) {
    std::string items;
    for (const char* name : {"Grid", "Grid", "Mine2", "Grid", "Mine", "Mine", "Grid1", "Mine"})
        items += std::string("'") + name + "' False () ";
    TGclController controller(nullptr);
    std::vector<AnsiString> names;
    for (const TGclCommandTable* table : ReadTableList(controller, items)) names.push_back(table->TableName);
    EXPECT_EQ(names, (std::vector<AnsiString>{"Grid", "Grid1", "Mine2", "Grid2", "Mine", "Mine1",
                                              "Grid3", "Mine3"}));
}

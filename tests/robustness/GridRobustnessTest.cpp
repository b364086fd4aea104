// The grid library's readers: command-table files and streams, and the form-resource
// data of the command processor ("TableList"), the table ("RowData", "ColData",
// "CellData"), the entry fields ("RangeHigh", "RangeLow") and component collections.
#include "grid/gclbase.h"
#include "grid/gclcmd.h"
#include "grid/gclef.h"
#include "grid/gcltable.h"
#include "grid/gcltcstr.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/Filer.h"
#include "classlib/FormLoader.h"
#include "classlib/FormText.h"
#include "classlib/Forms.h"
#include "classlib/Persistence.h"
#include "classlib/Streams.h"

#include "tests/grid/TestEntryField.h"
#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>

namespace {

// ---- Command tables ---------------------------------------------------------------------

std::string ReadFile(const std::string& Path) {
    std::ifstream file(Path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(GridRobustness, CommandTableFilesLoadOrAreRefused) {
    TScratchFile file(".txt");
    TGclCommandTable small;
    small.TableName = "Small";
    small.AddRec({VK_LEFT, 0, 0, 0, 11});
    small.AddRec({'Q', 4, 'S', 128, 300});
    small.AddRec({VK_F9, 8, 0, 0, 65535});
    small.SaveToFile(file.Path());
    const std::string seed = ReadFile(file.Path());
    auto load = [&file](const std::string& Bytes) {
        file.Write(Bytes);
        TGclCommandTable table;
        table.LoadFromFile(file.Path());
    };
    ASSERT_NO_THROW(load(seed));

    TCorpus corpus;
    AddTruncations(corpus, "table file", seed);
    AddBitFlips(corpus, "table file", seed, 300, 71);
    const std::size_t second = seed.find("\r\n") + 2;
    for (const char* number : {"-1", "256", "65536", "2147483648", "-2147483649",
                               "99999999999999999999", "0x10", "1e3", "+", ""}) {
        std::string damaged = seed;
        damaged.replace(second, 4, std::string(" ") + number);
        corpus.push_back({std::string("key ") + number, damaged});
        damaged = seed;
        damaged.replace(seed.find("\r\n", second) - 6, 6, std::string(" ") + number);
        corpus.push_back({std::string("command ") + number, damaged});
    }
    const int lines = 20000 * CorpusScale();
    std::string many = "Many\r\n";
    for (int i = 0; i < lines; ++i) {
        char line[40];
        std::snprintf(line, sizeof line, "%4d%4d%4d%4d%6d\r\n", i & 255, (i >> 8) & 255,
                      (i >> 16) & 255, 0, i & 0xFFFF);
        many += line;
    }
    corpus.push_back({"many distinct keys", many});
    corpus.push_back({"one long line", "Long\r\n" + std::string(1 << 18, '7')});
    ExpectBoundedLoads<EReadError>(corpus, load);
}

TEST(GridRobustness, DamagedCommandTableFilesAreRefused) {
    TScratchFile file(".txt");
    auto load = [&file](const std::string& Bytes) {
        file.Write(Bytes);
        TGclCommandTable table;
        table.LoadFromFile(file.Path());
    };
    const std::string good = "Mine\r\n  37   0   0   0    46\r\n  81   4  83 128    42\r\n";
    ASSERT_NO_THROW(load(good));
    TCorpus corpus = {
        {"text after the numbers", good + "  46   0   0   0    46 garbage\r\n"},
        {"an exponent", good + " 1e3 0 0 0 5\r\n"},
        {"a fraction", good + " 1 0 0 0 2.75\r\n"},
        {"a sixth number", good + " 1 0 0 0 5 6\r\n"},
        {"four numbers", good + " 1 0 0 0\r\n"},
        {"a negative key", good + " -1 0 0 0 5\r\n"},
        {"a negative command", good + " 1 0 0 0 -5\r\n"},
        {"a hexadecimal key", good + " 0x10 0 0 0 5\r\n"},
        {"a blank name", "\r\n" + good.substr(6)},
        {"a name of spaces", "   \r\n" + good.substr(6)},
        {"the same keys twice", good + "  37   0   0   0    47\r\n"},
        {"the same keys many times", "Mine\r\n" + Repeat("  37   0   0   0    46\r\n", 5000)},
        {"nothing", ""},
    };
    ExpectRefusals<EReadError>(corpus, load);
    // A file of blank lines is read a line at a time, not into memory whole.
    TCorpus blank = {{"10 MB of blank lines", "Blank\r\n" + Repeat("\r\n", 5 << 20)}};
    TBounds bounds;
    bounds.HeapBase = std::size_t(1) << 20;
    ExpectBoundedLoads<EReadError>(blank, load, bounds);
}

std::string ItemBytes(const TGclCommandTable& Table) {
    TStringStream stream;
    {
        TWriter writer(&stream);
        Table.WriteItem(&writer);
    }
    return stream.GetDataString();
}

TEST(GridRobustness, CommandTableStreamsLoadOrAreRefused) {
    auto load = [](const std::string& Bytes) {
        TStringStream stream(Bytes);
        TReader reader(&stream);
        TGclCommandTable table;
        table.ReadItem(&reader);
    };
    TGclCommandProcessor processor;
    processor.DeleteCommand("Grid", VK_F2, 0, 0, 0);
    processor.AddCommand("Grid", VK_F9, 8, 0, 0, 400);
    TGclCommandTable mine;
    mine.TableName = "Mine";
    mine.AddRec({'Q', 4, 'S', 128, 300});
    mine.AddRec({'R', 0, 0, 0, 65535});

    TCorpus corpus;
    std::uint32_t random = 72;
    for (const std::string& seed :
         {ItemBytes(*processor.GetCommandTable("Grid")), ItemBytes(mine)}) {
        ASSERT_NO_THROW(load(seed));
        AddTruncations(corpus, "item", seed);
        AddBitFlips(corpus, "item", seed, 300, random++);
    }
    // Many keys added to a built-in table, and a list that never ends.
    TGclCommandTable many;
    many.TableName = "Default";
    for (int i = 0; i < 50000 * CorpusScale(); ++i)
        many.AddRec({Byte(i), Byte(i >> 8), Byte(i >> 16), 0, 7});
    corpus.push_back({"many keys in a built-in table", ItemBytes(many)});
    corpus.push_back({"endless list", "\x06\x04Mine\x09\x01" + Repeat("\x02\x01\x02\x01", 100000)});
    corpus.push_back({"nested lists", "\x06\x04Mine\x09" + std::string(100000, '\x01')});
    ExpectBoundedLoads<EReadError>(corpus, load);
}

TEST(GridRobustness, DamagedCommandTableStreamsAreRefused) {
    auto load = [](const std::string& Bytes) {
        TStringStream stream(Bytes);
        TReader reader(&stream);
        TGclCommandTable table;
        table.ReadItem(&reader);
    };
    // Name, IsActive, then the list of (key part, command) pairs.
    auto item = [](const std::string& Name, const std::vector<int>& Pairs) {
        TStringStream stream;
        {
            TWriter writer(&stream);
            writer.WriteString(Name);
            writer.WriteBoolean(true);
            writer.WriteListBegin();
            for (int v : Pairs) writer.WriteInteger(v);
            writer.WriteListEnd();
        }
        return stream.GetDataString();
    };
    ASSERT_NO_THROW(load(item("Mine", {'A', 5, 'B', 5})));
    std::vector<int> many;
    for (int i = 0; i < 5000; ++i) many.insert(many.end(), {'A', i});
    TCorpus corpus = {
        {"the same keys twice in a plain table", item("Mine", {'A', 5, 'A', 6})},
        {"the same keys many times", item("Mine", many)},
        {"a built-in binding removed twice", item("Grid", {VK_F2, 0, VK_F2, 0})},
        {"a binding added twice to a built-in table", item("Grid", {'A', 5, 'A', 6})},
        {"a negative command", item("Mine", {'A', -1})},
        {"a command past 65535", item("Mine", {'A', 65536})},
        {"a pair cut in half", item("Mine", {'A', 5, 'B'})},
    };
    ExpectRefusals<EReadError>(corpus, load);
}

// ---- Form resources ---------------------------------------------------------------------

class TProbeItem : public TGclCollectible {
    DECLARE_CLASS(TProbeItem, TGclCollectible)
public:
    explicit TProbeItem(TComponent* AOwner) : TGclCollectible(AOwner) {}
    int Value = 0;
    int GetValue() const { return Value; }
    void SetValue(int V) { Value = V; }
    static void Published(TPropertyList& P) {
        P.Add("Value", &TProbeItem::GetValue, &TProbeItem::SetValue, 0);
    }
};

class TProbeOwner : public TGclComponent {
    DECLARE_CLASS(TProbeOwner, TGclComponent)
public:
    explicit TProbeOwner(TComponent* AOwner)
        : TGclComponent(AOwner),
          Items(std::make_unique<TGclCollection>(this, TProbeItem::StaticClass())) {}
    std::unique_ptr<TGclCollection> Items;
};

REGISTER_CLASS(TTestField);

const bool kRegistered = [] {
    RegisterClass(TProbeItem::StaticClass());
    RegisterClass(TProbeOwner::StaticClass());
    if (!GetClass("TGclController")) RegisterClass(TGclController::StaticClass());
    return true;
}();

std::string ToBinary(const std::string& Text) {
    TStringStream input(Text), output;
    ObjectTextToBinary(&input, &output);
    return output.GetDataString();
}

// The ten range bytes of a value of type T (an 80-bit number by default) as the form
// text's binary data.
template <typename T = long double> std::string RangeHex(T Value) {
    unsigned char bytes[10] = {};
    std::memcpy(bytes, &Value, sizeof(T) < 10 ? sizeof(T) : 10);
    std::string hex;
    for (unsigned char b : bytes) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", b);
        hex += digits;
    }
    return hex;
}

std::string FormText(const std::string& Body) {
    return "object FM: TForm\r\n" + Body +
           "  object CS: TGclTCString\r\n  end\r\n"
           "  object CB: TGclTCString\r\n  end\r\n"
           "end\r\n";
}

const std::string kController = "  object CTL: TGclController\r\n"
                                "    EntryCommands.TableList = (\r\n"
                                "      'Grid' False (113 0 2296 400)\r\n"
                                "      'Mine' True (-2142175663 300 82 65535))\r\n"
                                "  end\r\n";
const std::string kTable = "  object T: TGclTable\r\n"
                           "    RowLimit = 5\r\n"
                           "    RowData = (40 0 False 25 3 True 70000)\r\n"
                           "    ColData = (50 False True 'FM.CB' 48 False True 'FM.CS' "
                           "130 True False)\r\n"
                           "    CellData = ('FM.CS' 'FM.CB')\r\n"
                           "  end\r\n";
const std::string kNumberEdit = "  object NE: TTestField\r\n"
                                "    RangeHigh = {" +
                                RangeHex<long double>(99) +
                                "}\r\n"
                                "    RangeLow = {" +
                                RangeHex(-5.5L) +
                                "}\r\n"
                                "  end\r\n";
// Collection items stream as their owner's children.
const std::string kCollection = "  object PO: TProbeOwner\r\n"
                                "    object P1: TProbeItem\r\n      Value = 7\r\n    end\r\n"
                                "    object P2: TProbeItem\r\n      Value = 9\r\n    end\r\n"
                                "  end\r\n";

// Builds the form, then does what a shown form would with what was read: resolves the
// table's cells (through a write) and reads the ranges back.
void LoadForm(const std::string& Binary) {
    TStringStream stream(Binary);
    TForm form(nullptr);
    ReadComponentStream(&stream, &form);
    TStringStream written;
    WriteComponentStream(&written, &form);
    if (auto* edit = dynamic_cast<TGclBaseEntryField*>(form.FindComponent("NE"))) {
        edit->GetRangeHiStr();
        edit->GetRangeLoStr();
    }
}

// Seed with Old replaced by each of News.
void AddReplacements(TCorpus& Corpus, const std::string& Seed, const std::string& Old,
                     const std::vector<std::string>& News) {
    const std::size_t at = Seed.find(Old);
    ASSERT_NE(at, std::string::npos) << Old;
    for (const std::string& replacement : News) {
        std::string text = Seed;
        text.replace(at, Old.size(), replacement);
        Corpus.push_back({Old + " -> " + replacement.substr(0, 60), ToBinary(text)});
    }
}

TEST(GridRobustness, FormResourceDataLoadsOrIsRefused) {
    TCorpus corpus;
    std::uint32_t random = 80;
    for (const std::string& body : {kController, kTable, kNumberEdit, kCollection}) {
        const std::string seed = ToBinary(FormText(body));
        ASSERT_NO_THROW(LoadForm(seed)) << body;
        AddTruncations(corpus, body.substr(0, 20), seed);
        AddBitFlips(corpus, body.substr(0, 20), seed, 200, random++);
    }
    const std::vector<std::string> numbers = {
        "0", "-1", "2147483647", "-2147483648", "319999", "320000", "65536", "'x'", "()", "False"};
    const std::size_t many = 20000 * CorpusScale();

    const std::string controller = FormText(kController);
    AddReplacements(corpus, controller, "113", numbers);
    AddReplacements(corpus, controller, "400", numbers);
    AddReplacements(corpus, controller, "False (",
                    {"'x' (", "False 5 (", "False (() ", Repeat("(", 50) + Repeat(")", 50) + " ("});
    AddReplacements(corpus, controller, "(113 0", {"(" + Repeat("1 1 ", many)});
    AddReplacements(corpus, controller, "'Grid'",
                    {"'Default' True (" + Repeat("9 9 ", many) + ")",
                     Repeat("'Grid' False () ", 1000) + "'Grid'",
                     Repeat("'Mine7' False () ", 1000) + "'Grid'"});

    const std::string table = FormText(kTable);
    AddReplacements(corpus, table, "40 0", numbers);
    AddReplacements(corpus, table, "0 False 25", numbers);
    AddReplacements(corpus, table, "25", numbers);
    AddReplacements(corpus, table, "3 True", numbers);
    AddReplacements(corpus, table, "RowLimit = 5",
                    {"RowLimit = 2147483647", "RowLimit = 0", "RowLimit = -1"});
    AddReplacements(corpus, table, "(50 False True 'FM.CB' 48 False True 'FM.CS' 130 True False)",
                    {"()", "(50)", "(50 False True 5)", "(50 False True 'FM.CB')",
                     "(" + Repeat("50 False True 'FM.CS' ", many) + ")"});
    AddReplacements(corpus, table, "50", numbers);
    AddReplacements(corpus, table, "'FM.CB'",
                    {"'FM.FM'", "'T'", "'FM.T'", "'CS'", "''", "'.'", "'FM.'", "'X.CS'", "'FM.CS_'",
                     "'" + std::string(300, 'c') + "'"});
    AddReplacements(
        corpus, table, "('FM.CS' 'FM.CB')",
        {"()", "(5)", "('FM.NE' 'FM.T' 'FM.FM')", "(" + Repeat("'FM.CS' ", many) + ")"});
    AddReplacements(
        corpus, table, "(40 0 False 25 3 True 70000)",
        {"()", "(40)", "(40 0)", "(40 0 False)", Repeat("(", 50) + Repeat(")", 50), "(40 " + [&] {
             std::string rows;
             for (std::size_t r = 0; r < many; ++r)
                 rows += std::to_string(r * 16) + " False 20 ";
             return rows;
         }() + ")"});

    const std::string edit = FormText(kNumberEdit);
    for (const std::string& range : std::vector<std::string>{
             "{}", "{00}", "{" + RangeHex<long double>(99) + "00}", "{FFFFFFFFFFFFFFFFFFFF}",
             "{0000000000000000FF7F}", "{000000000000000000C0}", "{0000000000000080FF7F}",
             "{" + std::string(1 << 20, '0') + "}", "5", "'x'"})
        AddReplacements(corpus, edit, "{" + RangeHex<long double>(99) + "}", {range});

    const std::string collection = FormText(kCollection);
    AddReplacements(corpus, collection, "TProbeItem", {"TProbeOwner", "TGclController", "TForm"});
    AddReplacements(corpus, collection, "Value = 7", {"Value = 'x'", "Value = 2147483648"});
    // A fixed, smaller number of items: a form's loading time grows faster than linearly
    // with the number of its components, whatever their class.
    AddReplacements(
        corpus, collection, "    object P1",
        {Repeat("    object TProbeItem\r\n    end\r\n", 2000) + "    object P1",
         "    object PO2: TProbeOwner\r\n    end\r\n    object P1",
         Repeat("    object TProbeOwner\r\n", 100) + Repeat("    end\r\n", 100) + "    object P1"});
    ExpectBoundedLoads<EFilerError>(corpus, LoadForm);
}

TEST(GridRobustness, DamagedTableAndCommandFormsAreRefused) {
    TCorpus corpus;
    const std::string table = FormText(kTable);
    AddReplacements(corpus, table, "RowLimit = 5",
                    {"LockedCols = -2147483648", "LockedRows = -1", "LockedCols = -100"});
    const std::string controller = FormText(kController);
    AddReplacements(corpus, controller, "(-2142175663 300 82 65535)",
                    {"(-2142175663 300 -2142175663 301)", "(" + Repeat("82 5 ", 1000) + ")",
                     "(82 -1)", "(82 65536)", "(82)"});
    AddReplacements(corpus, controller, "(113 0 2296 400)", {"(113 0 113 0)", "(2296 400 2296 401)"});
    ExpectRefusals<EFilerError>(corpus, LoadForm);
}

std::string FieldForm(int Type, const std::string& High) {
    return ToBinary(FormText("  object NE: TTestField\r\n    DataType = " + std::to_string(Type) +
                             "\r\n    RangeHigh = {" + High + "}\r\n  end\r\n"));
}

TEST(GridRobustness, EntryFieldRangesTheTypeCannotHoldAreRefused) {
    const long double inf = std::numeric_limits<long double>::infinity();
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    struct Case {
        const char* Name;
        int Type;
        std::string High;
    };
    const std::vector<Case> refused = {
        {"Extended NaN", fsubExtended, RangeHex(nan)},
        {"Extended infinity", fsubExtended, RangeHex(-inf)},
        {"Extended pseudo-infinity", fsubExtended, "0000000000000000FF7F"},
        {"Extended unnormal", fsubExtended, "0000000000000040FF3F"},
        {"Extended pseudo-denormal", fsubExtended, "00000000000000800000"},
        {"Comp NaN", fsubComp, RangeHex(nan)},
        {"Real NaN", fsubReal, RangeHex(std::numeric_limits<double>::quiet_NaN())},
        {"Real infinity", fsubReal, RangeHex(std::numeric_limits<double>::infinity())},
        {"Double beyond its bounds", fsubDouble, RangeHex(1e309L)},
        {"Single beyond its bounds", fsubSingle, RangeHex(-1e39L)},
        {"Word $7FFFFFFF", fsubWord, RangeHex<std::int32_t>(0x7FFFFFFF)},
        {"Word 65536", fsubWord, RangeHex<std::int32_t>(65536)},
        {"Word -1", fsubWord, RangeHex<std::int32_t>(-1)},
        {"SmallInt 32768", fsubSmallInt, RangeHex<std::int32_t>(32768)},
        {"Byte 256", fsubByte, RangeHex<std::int32_t>(256)},
        {"ShortInt -129", fsubShortInt, RangeHex<std::int32_t>(-129)},
        {"Date INT_MAX", fsubDate, RangeHex<std::int32_t>(2147483647)},
        {"Date past 3999", fsubDate, RangeHex<std::int32_t>(876582)},
        {"Date none", fsubDate, RangeHex<std::int32_t>(-1)},
        {"Time 86400", fsubTime, RangeHex<std::int32_t>(86400)},
        {"Time -1", fsubTime, RangeHex<std::int32_t>(-1)},
    };
    for (const Case& c : refused)
        EXPECT_THROW(LoadForm(FieldForm(c.Type, c.High)), EReadError) << c.Name;
    // The edges of each type load.
    const std::vector<Case> accepted = {
        {"Extended 1e4000", fsubExtended, RangeHex(1e4000L)},
        {"Extended denormal", fsubExtended, "01000000000000000000"},
        {"Word 65535", fsubWord, RangeHex<std::int32_t>(65535)},
        {"LongInt minimum", fsubLongInt, RangeHex<std::int32_t>(INT32_MIN)},
        {"Date 31 December 3999", fsubDate, RangeHex<std::int32_t>(876581)},
        {"Time 23:59:59", fsubTime, RangeHex<std::int32_t>(86399)},
        {"Double maximum", fsubDouble, RangeHex(static_cast<long double>(1.7976931348623157e308))},
        {"Char 255", fsubChar, "FF000000000000000000"},
    };
    for (const Case& c : accepted)
        EXPECT_NO_THROW(LoadForm(FieldForm(c.Type, c.High))) << c.Name;
}

} // namespace

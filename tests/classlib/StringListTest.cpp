#include "classlib/Exceptions.h"
#include "classlib/Paths.h"
#include "classlib/StringList.h"
#include "classlib/Streams.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const TStrings& S) {
    std::vector<std::string> lines;
    for (int i = 0; i < S.GetCount(); ++i)
        lines.push_back(S[i]);
    return lines;
}

using L = std::vector<std::string>;

// A TStrings over a plain vector, supplying only what a derived list must.
class TVectorStrings : public TStrings {
    DECLARE_CLASS(TVectorStrings, TStrings)
public:
    std::vector<std::string> Items;
    int UpdateStates = 0;

    int GetCount() const override { return static_cast<int>(Items.size()); }
    AnsiString Get(int Index) const override {
        if (Index < 0 || Index >= GetCount()) IndexError(Index);
        return Items[static_cast<std::size_t>(Index)];
    }
    void Insert(int Index, const AnsiString& S) override {
        if (Index < 0 || Index > GetCount()) IndexError(Index);
        Items.insert(Items.begin() + Index, S);
    }
    void Delete(int Index) override {
        Get(Index);
        Items.erase(Items.begin() + Index);
    }
    void Clear() override { Items.clear(); }

protected:
    void SetUpdateState(bool Updating) override { UpdateStates += Updating ? 1 : 10; }
};

struct TChangeLog {
    std::vector<std::string> Events;
    void Changing(TObject*) { Events.push_back("changing"); }
    void Change(TObject*) { Events.push_back("change"); }
};

} // namespace

TEST(StringListText, SplitsAtCrLfAndCrLfAndEndsEveryLineWithCrLf) {
    TStringList s;
    s.SetText("one\r\ntwo\nthree\rfour");
    EXPECT_EQ(Lines(s), (L{"one", "two", "three", "four"}));
    s.SetText("a\r\n\r\nb\n\n");
    EXPECT_EQ(Lines(s), (L{"a", "", "b", ""}));
    s.SetText("");
    EXPECT_EQ(s.GetCount(), 0);
    s.SetText("\n\r");
    EXPECT_EQ(Lines(s), (L{"", ""}));
    s.SetText("x\ny"); // every line ends with CR LF
    EXPECT_EQ(s.GetText(), "x\r\ny\r\n");
    s.Add("");
    EXPECT_EQ(s.GetText(), "x\r\ny\r\n\r\n");
}

TEST(StringListText, StreamFromThePositionAndFileRoundTripsAndAMissingFile) {
    TStringStream in("skip|a\rb\n");
    in.SetPosition(5);
    TStringList s;
    s.LoadFromStream(&in);
    EXPECT_EQ(Lines(s), (L{"a", "b"}));
    TStringStream out;
    s.SaveToStream(&out);
    EXPECT_EQ(out.GetDataString(), "a\r\nb\r\n");

    AnsiString name = ExeDir() + "stringlist_roundtrip.txt";
    s.SetText("first\nsecond");
    s.SaveToFile(name);
    TStringList back;
    back.LoadFromFile(name);
    EXPECT_TRUE(back.Equals(&s));
    DeleteFile(name);
    EXPECT_THROW(back.LoadFromFile(name), EFOpenError);
    EXPECT_EQ(back.GetCount(), 2);
}

TEST(StringListCommaText, QuotesOnlyWhatNeedsItAndRoundTripsAnyLines) {
    TStringList s;
    for (const char* line : {"plain", "two words", "a,b", "say \"hi\"", ""})
        s.Add(line);
    EXPECT_EQ(s.GetCommaText(), "plain,\"two words\",\"a,b\",\"say \"\"hi\"\"\",\"\"");
    s.Clear();
    for (const char* line : {"", " lead", "tab\there", "\"", ",", "x", ""})
        s.Add(line);
    TStringList back;
    back.SetCommaText(s.GetCommaText());
    EXPECT_EQ(Lines(back), Lines(s));
}

TEST(StringListCommaText, ParsingSplitsAtCommasAndBlanks) {
    TStringList s;
    s.SetCommaText("  a, b c,\"d, e\" ,,\"f\"\"g\"");
    EXPECT_EQ(Lines(s), (L{"a", "b", "c", "d, e", "", "f\"g"}));
    s.SetCommaText("a,");
    EXPECT_EQ(Lines(s), (L{"a", ""}));
    s.SetCommaText("\"open");
    EXPECT_EQ(Lines(s), (L{"open"}));
    s.SetCommaText("");
    EXPECT_EQ(s.GetCount(), 0);
}

TEST(StringListNamesValues, ReadWriteAndDelete) {
    TStringList s;
    s.SetText("Width=325\nCaption=a=b\nflag");
    EXPECT_EQ(s.GetName(0), "Width");
    EXPECT_EQ(s.GetName(2), "");
    EXPECT_EQ(s.GetValue("width"), "325");
    EXPECT_EQ(s.GetValue("Caption"), "a=b");
    EXPECT_EQ(s.GetValueFromIndex(1), "a=b");
    EXPECT_EQ(s.GetValueFromIndex(2), "");
    EXPECT_EQ(s.GetValue("flag"), "");
    EXPECT_EQ(s.IndexOfName("CAPTION"), 1);

    s.SetValue("Width", "400");
    s.SetValue("Height", "50");
    s.SetValue("Caption", "");
    EXPECT_EQ(Lines(s), (L{"Width=400", "flag", "Height=50"}));
}

TEST(StringListObjects, ObjectsTravelWithTheirLines) {
    TObject a, b;
    TStringList s;
    s.AddObject("a", &a);
    s.InsertObject(0, "b", &b);
    EXPECT_EQ(s.IndexOfObject(&a), 1);
    s.Exchange(0, 1);
    EXPECT_EQ(s.GetObject(0), &a);
    s.Move(0, 1);
    EXPECT_EQ(Lines(s), (L{"b", "a"}));
    EXPECT_EQ(s.GetObject(1), &a);
    s.Put(1, "c");
    EXPECT_EQ(s.GetObject(1), &a);

    TStringList copy;
    copy.Assign(&s);
    EXPECT_EQ(copy.GetObject(1), &a);
    EXPECT_TRUE(copy.Equals(&s));
}

TEST(StringListErrors, BadIndexesRaise) {
    TStringList s;
    s.Add("x");
    try {
        s.Get(1);
        FAIL() << "no error";
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (1)");
    }
    EXPECT_THROW(s.Insert(2, "y"), EStringListError);
    EXPECT_THROW(s.Delete(-1), EStringListError);
    EXPECT_THROW(s.PutObject(3, nullptr), EStringListError);
    EXPECT_THROW(s.Move(0, 1), EStringListError);
}

TEST(StringListSorted, AddInsertsAtTheSortedPlace) {
    TStringList s;
    s.Add("pear");
    s.Add("Apple");
    s.SetSorted(true);
    EXPECT_EQ(Lines(s), (L{"Apple", "pear"}));
    EXPECT_EQ(s.Add("banana"), 1);
    EXPECT_EQ(s.Add("cherry"), 2);
    EXPECT_EQ(Lines(s), (L{"Apple", "banana", "cherry", "pear"}));
    int index = -1;
    EXPECT_TRUE(s.Find("APPLE", index));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(s.Find("melon", index));
    EXPECT_EQ(index, 3);
    EXPECT_EQ(s.IndexOf("PEAR"), 3);
}

TEST(StringListSorted, DuplicatesAreIgnoredAcceptedOrRefusedByCase) {
    TObject first, second;
    TStringList s;
    s.SetSorted(true);
    s.AddObject("a", &first);
    EXPECT_EQ(s.AddObject("A", &second), 0);
    EXPECT_EQ(s.GetCount(), 1);
    EXPECT_EQ(s.GetObject(0), &first);

    s.SetDuplicates(dupAccept);
    s.Add("a");
    EXPECT_EQ(s.GetCount(), 2);

    s.SetDuplicates(dupError);
    try {
        s.Add("a");
        FAIL() << "duplicate accepted";
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "String list does not allow duplicates");
    }
    s.SetCaseSensitive(true);
    EXPECT_NO_THROW(s.Add("A")); // no longer the same as "a"
    EXPECT_THROW(s.Add("A"), EStringListError);
    TStringList unsorted;
    unsorted.Add("b");
    unsorted.Add("B");
    EXPECT_EQ(unsorted.IndexOf("B"), 0);
    unsorted.SetCaseSensitive(true);
    EXPECT_EQ(unsorted.IndexOf("B"), 1);
}

TEST(StringListSorted, OrderChangingOperationsRaise) {
    TStringList s;
    s.SetSorted(true);
    s.Add("a");
    s.Add("b");
    try {
        s.Insert(0, "c");
        FAIL() << "insert accepted";
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "Operation not allowed on sorted string list");
    }
    EXPECT_THROW(s.Put(0, "z"), EStringListError);
    EXPECT_THROW(s.Exchange(0, 1), EStringListError);
    EXPECT_EQ(Lines(s), (L{"a", "b"}));
    TStringList unsorted;
    int index;
    EXPECT_THROW(unsorted.Find("a", index), EStringListError);
}

TEST(StringListUpdates, EventsFireOnlyOutsideAnUpdateAndBulkChangesAreOne) {
    TChangeLog log;
    TStringList s;
    s.OnChanging = TNotifyEvent(&log, &TChangeLog::Changing);
    s.OnChange = TNotifyEvent(&log, &TChangeLog::Change);
    s.Add("a");
    EXPECT_EQ(log.Events, (L{"changing", "change"}));
    log.Events.clear();

    s.BeginUpdate();
    s.BeginUpdate();
    s.Add("b");
    s.Delete(0);
    s.EndUpdate();
    EXPECT_EQ(log.Events, (L{"changing"}));
    s.EndUpdate();
    EXPECT_EQ(log.Events, (L{"changing", "change"}));
    EXPECT_THROW(s.EndUpdate(), EInvalidOperation);
    // Bulk changes are one change each.
    s.OnChanging = nullptr;
    log.Events.clear();
    s.SetText("a\nb\nc");
    s.SetCommaText("x,y");
    TStringList other;
    other.Add("z");
    s.Assign(&other);
    EXPECT_EQ(log.Events, (L{"change", "change", "change"}));
}

TEST(StringsBase, AbstractSubclassGetsTheWholeInterface) {
    TVectorStrings v;
    v.SetText("b=2\na=1");
    EXPECT_EQ(v.UpdateStates, 11);
    EXPECT_EQ(v.Add("c"), 2);
    EXPECT_EQ(v.IndexOf("A=1"), 1);
    EXPECT_EQ(v.GetValue("b"), "2");
    v.Put(0, "b=3");
    v.Exchange(0, 2);
    v.Move(2, 0);
    EXPECT_EQ(v.Items, (L{"b=3", "c", "a=1"}));
    EXPECT_EQ(v.GetText(), "b=3\r\nc\r\na=1\r\n");

    TObject ignored;
    v.AddObject("d", &ignored); // a list without objects drops them
    EXPECT_EQ(v.GetObject(3), nullptr);

    TStringList copy;
    copy.Assign(&v);
    EXPECT_EQ(Lines(copy), v.Items);
    v.Assign(&copy);
    EXPECT_TRUE(v.Equals(&copy));
    EXPECT_THROW(v.Get(9), EStringListError);
}

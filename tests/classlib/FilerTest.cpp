#include "classlib/ClassRegistry.h"
#include "classlib/Component.h"
#include "classlib/Exceptions.h"
#include "classlib/Filer.h"
#include "classlib/Persistence.h"
#include "classlib/Streams.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using Bytes = std::vector<int>;

Bytes BytesOf(TMemoryStream& Stream) {
    const auto* p = static_cast<const Byte*>(Stream.GetMemory());
    return Bytes(p, p + Stream.GetSize());
}

template <typename F> Bytes Written(F Write) {
    TMemoryStream stream;
    TWriter writer(&stream);
    Write(writer);
    return BytesOf(stream);
}

void Load(TMemoryStream& Stream, const Bytes& Data) {
    for (int b : Data) {
        Byte v = static_cast<Byte>(b);
        Stream.WriteBuffer(&v, 1);
    }
    Stream.SetPosition(0);
}

enum TShade { shLight, shDark };
enum TUnregistered { unA, unB };
const bool kShadeIdents = RegisterEnum<TShade>({"shLight", "shDark"});

class TBase : public TComponent {
    DECLARE_CLASS(TBase, TComponent)
public:
    explicit TBase(TComponent* AOwner) : TComponent(AOwner) {}
    int GetSize() const { return FSize; }
    void SetSize(int V) { FSize = V; }
    TShade GetShade() const { return FShade; }
    void SetShade(TShade V) { FShade = V; }
    TBase* GetBuddy() const { return FBuddy; }
    void SetBuddy(TBase* V) { FBuddy = V; }
    bool IsSizeStored() const { return FSize != 99; }
    TNotifyEvent OnPing;
    TEvent<void(TObject*, int)> OnCount;

    static void Published(TPropertyList& P) {
        P.Add("Size", &TBase::GetSize, &TBase::SetSize, 1).Stored(&TBase::IsSizeStored);
        P.Add("Shade", &TBase::GetShade, &TBase::SetShade, shLight);
        P.Add("Buddy", &TBase::GetBuddy, &TBase::SetBuddy);
        P.Add("OnPing", &TBase::OnPing);
        P.Add("OnCount", &TBase::OnCount);
    }

    std::vector<Byte> Block;
    void DefineProperties(TFiler* Filer) override {
        // Reads less than its value holds.
        Filer->DefineProperty(
            "Half",
            [](TReader* R) {
                R->ReadListBegin();
                R->ReadInteger();
            },
            nullptr, false);
        Filer->DefineBinaryProperty(
            "Block",
            [this](TStream* S) {
                Block.resize(S->GetSize());
                S->ReadBuffer(Block.data(), S->GetSize());
            },
            [this](TStream* S) { S->WriteBuffer(Block.data(), Block.size()); }, !Block.empty());
    }

private:
    int FSize = 1;
    TShade FShade = shLight;
    TBase* FBuddy = nullptr;
};

class TDerived : public TBase {
    DECLARE_CLASS(TDerived, TBase)
public:
    explicit TDerived(TComponent* AOwner) : TBase(AOwner) { SetSize(5); }
    AnsiString GetText() const { return FText; }
    void SetText(const AnsiString& V) { FText = V; }
    // Re-published with the default its constructor gives.
    static void Published(TPropertyList& P) {
        P.Add("Text", &TDerived::GetText, &TDerived::SetText);
        P.Add("Size", &TBase::GetSize, &TBase::SetSize, 5);
    }

private:
    AnsiString FText;
};

class TOddProps : public TComponent {
    DECLARE_CLASS(TOddProps, TComponent)
public:
    explicit TOddProps(TComponent* AOwner) : TComponent(AOwner) {}
    TUnregistered GetKind() const { return unB; }
    void SetKind(TUnregistered) {}
    static void Published(TPropertyList& P) {
        P.Add("Kind", &TOddProps::GetKind, &TOddProps::SetKind);
    }
};

// A root that stores every owned component as its child.
class THolder : public TComponent {
    DECLARE_CLASS(THolder, TComponent)
public:
    explicit THolder(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    void GetChildren(TGetChildProc Proc, TComponent*) override {
        for (int i = 0; i < GetComponentCount(); ++i)
            Proc(GetComponent(i));
    }
    void Ping(TObject*) {}
    static void Published(TPropertyList& P) { P.Method("Ping", &THolder::Ping); }
};

const bool kRegistered = [] {
    RegisterClass(TBase::StaticClass());
    RegisterClass(TDerived::StaticClass());
    return true;
}();

// The property names of the root's first child, as written.
std::vector<AnsiString> ChildPropertyNames(TComponent* Root) {
    TMemoryStream stream;
    TWriter(&stream).WriteRootComponent(Root);
    stream.SetPosition(0);
    TReader reader(&stream);
    reader.ReadSignature();
    reader.ReadStr();
    reader.ReadStr();
    reader.ReadListEnd(); // the root has no properties of its own
    reader.ReadStr();
    reader.ReadStr();
    std::vector<AnsiString> names;
    while (!reader.EndOfList()) {
        names.push_back(reader.ReadStr());
        reader.SkipValue();
    }
    return names;
}

} // namespace

// ---- Values --------------------------------------------------------------------

TEST(FilerValues, RowDataListHasTheExactBytes) {
    Bytes bytes = Written([](TWriter& w) {
        w.WriteListBegin();
        w.WriteInteger(40);
        w.WriteInteger(0);
        w.WriteBoolean(false);
        w.WriteInteger(25);
        w.WriteListEnd();
    });
    EXPECT_EQ(bytes, (Bytes{0x01, 0x02, 0x28, 0x02, 0x00, 0x08, 0x02, 0x19, 0x00}));
}

TEST(FilerValues, IntegersTakeTheSmallestFormReadBackAndRefuseBeyond32BitsWhereAskedFor) {
    struct Case {
        Int64 Value;
        Bytes Expected;
    };
    const Case cases[] = {
        {127, {0x02, 0x7F}},
        {-128, {0x02, 0x80}},
        {130, {0x03, 0x82, 0x00}},
        {-129, {0x03, 0x7F, 0xFF}},
        {40000, {0x04, 0x40, 0x9C, 0x00, 0x00}},
        {-2147483647 - 1, {0x04, 0x00, 0x00, 0x00, 0x80}},
        {Int64(1) << 40, {0x0F, 0, 0, 0, 0, 0, 1, 0, 0}},
    };
    for (const Case& c : cases) {
        Bytes bytes = Written([&](TWriter& w) { w.WriteInteger(c.Value); });
        EXPECT_EQ(bytes, c.Expected) << c.Value;
        TMemoryStream stream;
        Load(stream, bytes);
        EXPECT_EQ(TReader(&stream).ReadInt64(), c.Value);
    }
    TMemoryStream stream;
    Load(stream, Written([](TWriter& w) { w.WriteInteger(Int64(1) << 40); }));
    EXPECT_THROW(TReader(&stream).ReadInteger(), EReadError);
}

TEST(FilerValues, CellNamesUseShortAndLongStrings) {
    Bytes bytes = Written([](TWriter& w) {
        w.WriteListBegin();
        w.WriteString("FM.CH_Header");
        w.WriteListEnd();
    });
    Bytes expected{0x01, 0x06, 0x0C};
    for (char c : AnsiString("FM.CH_Header"))
        expected.push_back(static_cast<Byte>(c));
    expected.push_back(0x00);
    EXPECT_EQ(bytes, expected);

    AnsiString longText(300, 'x');
    Bytes longBytes = Written([&](TWriter& w) { w.WriteString(longText); });
    ASSERT_EQ(longBytes.size(), 5u + 300u);
    EXPECT_EQ((Bytes(longBytes.begin(), longBytes.begin() + 5)), (Bytes{0x0C, 0x2C, 0x01, 0, 0}));
    TMemoryStream stream;
    Load(stream, longBytes);
    EXPECT_EQ(TReader(&stream).ReadString(), longText);
}

TEST(FilerValues, IdentifiersBooleansAndNilHaveTheirTags) {
    Bytes bytes = Written([](TWriter& w) {
        w.WriteIdent("alClient");
        w.WriteIdent("True");
        w.WriteIdent("false");
        w.WriteIdent("nil");
        w.WriteBoolean(true);
    });
    EXPECT_EQ(bytes,
              (Bytes{0x07, 8, 'a', 'l', 'C', 'l', 'i', 'e', 'n', 't', 0x09, 0x08, 0x0D, 0x09}));
    TMemoryStream stream;
    Load(stream, bytes);
    TReader reader(&stream);
    EXPECT_EQ(reader.ReadIdent(), "alClient");
    EXPECT_EQ(reader.ReadIdent(), "True");
    EXPECT_FALSE(reader.ReadBoolean());
    EXPECT_EQ(reader.ReadIdent(), "nil");
    EXPECT_TRUE(reader.ReadBoolean());
    EXPECT_THROW(Written([](TWriter& w) { w.WriteIdent("two words"); }), EWriteError);
}

TEST(FilerValues, FloatsKeepEveryBitAndIntegersReadAsFloats) {
    TMemoryStream stream;
    TWriter writer(&stream);
    writer.WriteFloat(0.1);
    writer.WriteFloat(-1e300);
    writer.WriteInteger(7);
    stream.SetPosition(0);
    TReader reader(&stream);
    EXPECT_EQ(reader.ReadFloat(), 0.1);
    EXPECT_EQ(reader.ReadFloat(), -1e300);
    EXPECT_EQ(reader.ReadFloat(), 7.0);
    EXPECT_THROW(writer.WriteFloat(std::nan("")), EWriteError);
    EXPECT_THROW(writer.WriteFloat(std::numeric_limits<double>::infinity()), EWriteError);
}

TEST(FilerValues, BinaryValueCarriesItsLength) {
    const Byte data[] = {1, 2, 0xFF};
    Bytes bytes = Written([&](TWriter& w) { w.WriteBinary(data, 3); });
    EXPECT_EQ(bytes, (Bytes{0x0A, 3, 0, 0, 0, 1, 2, 0xFF}));
    TMemoryStream stream;
    Load(stream, bytes);
    EXPECT_EQ(TReader(&stream).ReadBinary(), (std::vector<Byte>{1, 2, 0xFF}));
}

TEST(FilerValues, WrongKindEndOfStreamAndImpossibleLengthsRaise) {
    TMemoryStream stream;
    Load(stream, Bytes{0x06, 2, 'a', 'b'});
    try {
        TReader(&stream).ReadInteger();
        FAIL() << "a string read as an integer";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Invalid property value");
    }
    stream.SetPosition(0);
    Load(stream, Bytes{0x04, 1, 2});
    EXPECT_THROW(TReader(&stream).ReadInteger(), EReadError);
    TMemoryStream huge;
    Load(huge, Bytes{0x0C, 0xFF, 0xFF, 0xFF, 0x7F, 'a'});
    EXPECT_THROW(TReader(&huge).ReadString(), EReadError);
    TMemoryStream empty;
    EXPECT_THROW(TReader(&empty).ReadValue(), EReadError);
    EXPECT_THROW(TReader(&empty).ReadSignature(), EReadError);
}

TEST(FilerValues, SkipValuePassesOverNestedValues) {
    TMemoryStream stream;
    TWriter writer(&stream);
    writer.WriteListBegin();
    writer.WriteString("a");
    writer.WriteListBegin();
    writer.WriteFloat(1.5);
    writer.WriteListEnd();
    writer.WriteValue(vaSet);
    writer.WriteStr("shDark");
    writer.WriteValue(vaNull);
    writer.WriteValue(vaCollection);
    writer.WriteListBegin();
    writer.WriteStr("Width");
    writer.WriteInteger(300);
    writer.WriteListEnd();
    writer.WriteListEnd();
    writer.WriteBinary("xyz", 3);
    writer.WriteListEnd();
    writer.WriteInteger(42);
    stream.SetPosition(0);
    TReader reader(&stream);
    reader.SkipValue();
    EXPECT_EQ(reader.ReadInteger(), 42);
}

// ---- Published properties -------------------------------------------------------------

TEST(PublishedProperties, InheritedFirstAndReAddedKeepTheirPlace) {
    const TPublishedClass& published = GetPublished(TDerived::StaticClass());
    std::vector<AnsiString> names;
    for (const TPropInfo* p : published.Properties())
        names.push_back(p->GetName());
    EXPECT_EQ(names,
              (std::vector<AnsiString>{"Size", "Shade", "Buddy", "OnPing", "OnCount", "Text"}));
    EXPECT_EQ(published.FindProperty("size")->GetDefaultOrd(), 5);
    EXPECT_EQ(GetPublished(TBase::StaticClass()).FindProperty("Size")->GetDefaultOrd(), 1);
    EXPECT_EQ(published.FindProperty("Missing"), nullptr);
    EXPECT_TRUE(published.FindProperty("Buddy")->IsReference());
}

TEST(PublishedProperties, EnumerationWithoutIdentifiersCannotBeWritten) {
    THolder root;
    new TOddProps(&root);
    TMemoryStream stream;
    try {
        TWriter(&stream).WriteRootComponent(&root);
        FAIL() << "written without identifiers";
    } catch (const EFilerError& e) {
        EXPECT_NE(e.Message().find("Kind"), AnsiString::npos) << e.Message();
        EXPECT_NE(e.Message().find("no registered identifiers"), AnsiString::npos) << e.Message();
    }
}

TEST(PublishedProperties, EventSetterChecksTheSignature) {
    THolder root;
    TBase base(nullptr);
    const TPropInfo* onCount = GetPublished(TBase::StaticClass()).FindProperty("OnCount");
    TMethod ping = TNotifyEvent(&root, &THolder::Ping).Method();
    EXPECT_THROW(onCount->SetMethodValue(&base, ping), EFilerError);
    GetPublished(TBase::StaticClass()).FindProperty("OnPing")->SetMethodValue(&base, ping);
    EXPECT_TRUE(base.OnPing == TNotifyEvent(&root, &THolder::Ping));
}

// ---- Component records ----------------------------------------------------------------

TEST(FilerComponents, WriterLeavesOutDefaultsUnstoredValuesAndUnknownHandlers) {
    THolder root;
    auto* base = new TBase(&root);
    base->SetName("B1");
    EXPECT_TRUE(ChildPropertyNames(&root).empty());

    base->SetShade(shDark);
    base->SetSize(99); // not stored
    base->OnCount = TEvent<void(TObject*, int)>::FromCallable([](TObject*, int) {});
    EXPECT_EQ(ChildPropertyNames(&root), (std::vector<AnsiString>{"Shade"}));

    base->SetSize(3);
    base->SetBuddy(base);
    base->OnPing = TNotifyEvent(&root, &THolder::Ping);
    base->Block = {9, 8};
    EXPECT_EQ(ChildPropertyNames(&root),
              (std::vector<AnsiString>{"Size", "Shade", "Buddy", "OnPing", "Block"}));
}

TEST(FilerComponents, DerivedDefaultDecidesWhatIsWritten) {
    THolder root;
    auto* derived = new TDerived(&root);
    derived->SetName("D1");
    EXPECT_TRUE(ChildPropertyNames(&root).empty());
    derived->SetSize(1);
    EXPECT_EQ(ChildPropertyNames(&root), (std::vector<AnsiString>{"Size"}));
}

TEST(FilerComponents, ReaderCreatesChildrenBindsHandlersAndCollectsReferences) {
    THolder source;
    source.SetName("Source");
    auto* first = new TBase(&source);
    first->SetName("First");
    auto* second = new TDerived(&source);
    second->SetName("Second");
    second->SetText("hello");
    second->SetBuddy(first);
    second->OnPing = TNotifyEvent(&source, &THolder::Ping);
    second->Block = {1, 2, 3};
    TMemoryStream stream;
    TWriter(&stream).WriteRootComponent(&source);

    THolder copy;
    stream.SetPosition(0);
    TReader reader(&stream);
    reader.ReadRootComponent(&copy);
    EXPECT_EQ(copy.GetName(), "Source");
    ASSERT_EQ(copy.GetComponentCount(), 2);
    ASSERT_EQ(reader.GetLoaded().size(), 3u);
    EXPECT_EQ(reader.GetLoaded()[0], &copy);
    auto* read = dynamic_cast<TDerived*>(copy.GetComponent(1));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetName(), "Second");
    EXPECT_EQ(read->GetText(), "hello");
    EXPECT_EQ(read->Block, (std::vector<Byte>{1, 2, 3}));
    EXPECT_TRUE(read->OnPing == TNotifyEvent(&copy, &THolder::Ping));
    EXPECT_TRUE(read->GetComponentState().Contains(csLoading));
    EXPECT_TRUE(read->GetComponentState().Contains(csReading));
    // References wait for the loader, which knows all roots.
    EXPECT_EQ(read->GetBuddy(), nullptr);
    ASSERT_EQ(reader.GetFixups().size(), 1u);
    EXPECT_EQ(reader.GetFixups()[0].Target, "First");
    EXPECT_EQ(reader.GetFixups()[0].Referrer, read);
}

TEST(FilerComponents, BinaryPropertiesReadAlikeInPlaceFromMemoryAndFromOtherStreams) {
    // A memory stream's binary value is handed to its reader in place, any other stream's
    // as a copy: the same bytes either way, the reading goes on after them, and a length
    // that claims more than the stream holds is refused by both.
    THolder source;
    source.SetName("Source");
    auto* first = new TBase(&source);
    first->SetName("First");
    for (int i = 0; i < 1000; ++i)
        first->Block.push_back(static_cast<Byte>(i * 7));
    (new TDerived(&source))->SetName("Second");
    TMemoryStream written;
    TWriter(&written).WriteRootComponent(&source);
    const AnsiString bytes(static_cast<const char*>(written.GetMemory()),
                           static_cast<std::size_t>(written.GetSize()));

    auto readFrom = [](TStream& Stream) {
        THolder copy;
        TReader(&Stream).ReadRootComponent(&copy);
        EXPECT_EQ(copy.GetComponentCount(), 2);
        EXPECT_EQ(copy.GetComponent(1)->GetName(), "Second");
        auto block = static_cast<TBase*>(copy.GetComponent(0))->Block;
        while (copy.GetComponentCount() > 0)
            delete copy.GetComponent(0);
        return block;
    };
    TMemoryStream memory;
    memory.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
    memory.SetPosition(0);
    EXPECT_EQ(readFrom(memory), first->Block);
    TStringStream other(bytes);
    EXPECT_EQ(readFrom(other), first->Block);

    // The length 1000 (E8 03 00 00) made larger than what follows.
    AnsiString claimed = bytes;
    const std::size_t length = claimed.find(AnsiString("\x0A\xE8\x03\x00\x00", 5));
    ASSERT_NE(length, AnsiString::npos);
    claimed[length + 3] = '\x7F';
    TMemoryStream claimedMemory;
    claimedMemory.WriteBuffer(claimed.data(), static_cast<Int64>(claimed.size()));
    claimedMemory.SetPosition(0);
    EXPECT_THROW(readFrom(claimedMemory), EReadError);
    TStringStream claimedOther(claimed);
    EXPECT_THROW(readFrom(claimedOther), EReadError);
}

namespace {

// A root THolder without properties, then the start of its child TBase B1.
void BeginHolderWithChildB1(TWriter& Writer) {
    Writer.WriteSignature();
    Writer.WriteStr("THolder");
    Writer.WriteStr("Root");
    Writer.WriteListEnd();
    Writer.WriteStr("TBase");
    Writer.WriteStr("B1");
}

} // namespace

TEST(FilerComponents, DefinedPropertyMustBeReadAsOneWholeValue) {
    TMemoryStream stream;
    TWriter writer(&stream);
    BeginHolderWithChildB1(writer);
    writer.WriteStr("Half");
    writer.WriteListBegin();
    writer.WriteInteger(1);
    writer.WriteInteger(2);
    writer.WriteListEnd();
    writer.WriteListEnd();
    writer.WriteListEnd();
    writer.WriteListEnd();
    stream.SetPosition(0);
    THolder root;
    try {
        TReader(&stream).ReadRootComponent(&root);
        FAIL() << "half a value read";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(),
                  "Error reading form resource: Root.B1.Half: Property Half was not read as one "
                  "whole value");
    }
}

TEST(FilerComponents, ReadErrorsNameComponentAndProperty) {
    TMemoryStream stream;
    TWriter writer(&stream);
    BeginHolderWithChildB1(writer);
    writer.WriteStr("Size");
    writer.WriteString("big");
    writer.WriteListEnd();
    writer.WriteListEnd();
    writer.WriteListEnd();
    stream.SetPosition(0);
    THolder root;
    TReader reader(&stream);
    reader.SetSourceName("THolder");
    try {
        reader.ReadRootComponent(&root);
        FAIL() << "a string read into an integer property";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Error reading THolder: Root.B1.Size: Invalid property value");
    }
}

TEST(FilerComponents, NamesThatAreNoIdentifiersOrAreTakenAreReadErrors) {
    for (const char* second : {"B 2", "B1"}) {
        TMemoryStream stream;
        TWriter writer(&stream);
        BeginHolderWithChildB1(writer);
        writer.WriteListEnd();
        writer.WriteListEnd();
        writer.WriteStr("TBase");
        writer.WriteStr(second);
        writer.WriteListEnd();
        writer.WriteListEnd();
        writer.WriteListEnd();
        stream.SetPosition(0);
        THolder root;
        EXPECT_THROW(TReader(&stream).ReadRootComponent(&root), EReadError) << second;
    }
}

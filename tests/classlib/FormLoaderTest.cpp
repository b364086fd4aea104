#include "classlib/ClassRegistry.h"
#include "classlib/Collection.h"
#include "classlib/Component.h"
#include "classlib/Exceptions.h"
#include "classlib/Filer.h"
#include "classlib/FormLoader.h"
#include "classlib/Graphics.h"
#include "classlib/Persistence.h"
#include "classlib/StringList.h"
#include "classlib/Streams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

enum TTestAlign { taNone, taTop, taClient };
enum TTestStyle { tsBold, tsItalic, tsUnderline };
using TTestStyles = TSet<TTestStyle>;
const bool kAlignIdents = RegisterEnum<TTestAlign>({"taNone", "taTop", "taClient"});
const bool kStyleIdents = RegisterEnum<TTestStyle>({"tsBold", "tsItalic", "tsUnderline"});

// Loaded calls, each with "!" when reading had not ended or loading had.
std::vector<AnsiString> LoadLog;

void LogLoaded(TComponent* Component) {
    TComponentState state = Component->GetComponentState();
    bool inOrder = state.Contains(csLoading) && !state.Contains(csReading);
    LoadLog.push_back(Component->GetName() + (inOrder ? "" : "!"));
}

class TTestFont : public TPersistent {
    DECLARE_CLASS(TTestFont, TPersistent)
public:
    int GetHeight() const { return FHeight; }
    void SetHeight(int V) { FHeight = V; }
    const AnsiString& GetName() const { return FName; }
    void SetName(const AnsiString& V) { FName = V; }
    TTestStyles GetStyle() const { return FStyle; }
    void SetStyle(TTestStyles V) { FStyle = V; }
    static void Published(TPropertyList& P) {
        P.Add("Height", &TTestFont::GetHeight, &TTestFont::SetHeight, -11);
        P.Add("Name", &TTestFont::GetName, &TTestFont::SetName, "Arial");
        P.Add("Style", &TTestFont::GetStyle, &TTestFont::SetStyle, TTestStyles{});
    }

private:
    int FHeight = -11;
    AnsiString FName = "Arial";
    TTestStyles FStyle;
};

class TTestColumn : public TCollectionItem {
    DECLARE_CLASS(TTestColumn, TCollectionItem)
public:
    explicit TTestColumn(TCollection* Collection) : TCollectionItem(Collection) {}
    int GetWidth() const { return FWidth; }
    void SetWidth(int V) { FWidth = V; }
    AnsiString GetTitle() const { return FTitle; }
    void SetTitle(const AnsiString& V) { FTitle = V; }
    TTestFont* GetFont() { return &FFont; }
    static void Published(TPropertyList& P) {
        P.Add("Width", &TTestColumn::GetWidth, &TTestColumn::SetWidth, 64);
        P.Add("Title", &TTestColumn::GetTitle, &TTestColumn::SetTitle);
        P.Add("Font", &TTestColumn::GetFont);
    }

private:
    int FWidth = 64;
    AnsiString FTitle;
    TTestFont FFont;
};

class TTestSkin : public TComponent {
    DECLARE_CLASS(TTestSkin, TComponent)
public:
    explicit TTestSkin(TComponent* AOwner) : TComponent(AOwner) {}
    AnsiString GetTitle() const { return FTitle; }
    void SetTitle(const AnsiString& V) { FTitle = V; }
    AnsiString GetAbout() const { return "v1"; }
    static void Published(TPropertyList& P) {
        P.Add("Title", &TTestSkin::GetTitle, &TTestSkin::SetTitle);
        P.Add("About", &TTestSkin::GetAbout);
    }

private:
    AnsiString FTitle;
};

// A control-like component: it has a parent, and its children are stored inside it.
class TTestControl : public TComponent {
    DECLARE_CLASS(TTestControl, TComponent)
public:
    explicit TTestControl(TComponent* AOwner)
        : TComponent(AOwner),
          FColumns(this, TTestColumn::StaticClass(), &NewCollectionItem<TTestColumn>) {}
    ~TTestControl() override {
        SetParentComponent(nullptr);
        for (TTestControl* child : FChildren)
            child->FParent = nullptr;
    }

    int GetLeft() const { return FLeft; }
    void SetLeft(int V) { FLeft = V; }
    AnsiString GetCaption() const { return FCaption; }
    void SetCaption(const AnsiString& V) { FCaption = V; }
    TTestAlign GetAlign() const { return FAlign; }
    void SetAlign(TTestAlign V) { FAlign = V; }
    int GetColor() const { return FColor; }
    void SetColor(int V) { FColor = V; }
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool V) { FVisible = V; }
    double GetRatio() const { return FRatio; }
    void SetRatio(double V) { FRatio = V; }
    TTestFont* GetFont() { return &FFont; }
    TStrings* GetItems() { return &FItems; }
    void SetItems(TStrings* V) { FItems.Assign(V); }
    TCollection* GetColumns() { return &FColumns; }
    TTestControl* GetBuddy() const { return FBuddy; }
    void SetBuddy(TTestControl* V) { FBuddy = V; }
    TTestSkin* GetSkin() const { return FSkin; }
    void SetSkin(TTestSkin* V) {
        FSkin = V;
        if (V) V->FreeNotification(this);
    }
    TNotifyEvent OnClick;
    TEvent<void(TObject*, int)> OnValue;

    struct TRow {
        int Number;
        bool Hidden;
        int Height;
    };
    int DefaultHeight = 40;
    std::vector<TRow> Rows;
    std::vector<Byte> Data;

    static void Published(TPropertyList& P) {
        P.Add("Left", &TTestControl::GetLeft, &TTestControl::SetLeft);
        P.Add("Caption", &TTestControl::GetCaption, &TTestControl::SetCaption);
        P.Add("Align", &TTestControl::GetAlign, &TTestControl::SetAlign, taNone);
        P.Add("Color", &TTestControl::GetColor, &TTestControl::SetColor, clBtnFace)
            .Idents(ColorToIdent, IdentToColor);
        P.Add("Visible", &TTestControl::GetVisible, &TTestControl::SetVisible, true);
        P.Add("Ratio", &TTestControl::GetRatio, &TTestControl::SetRatio, 1.0);
        P.Add("Font", &TTestControl::GetFont);
        P.Add("Items", &TTestControl::GetItems, &TTestControl::SetItems);
        P.Add("Columns", &TTestControl::GetColumns);
        P.Add("Buddy", &TTestControl::GetBuddy, &TTestControl::SetBuddy);
        P.Add("Skin", &TTestControl::GetSkin, &TTestControl::SetSkin);
        P.Add("OnClick", &TTestControl::OnClick);
        P.Add("OnValue", &TTestControl::OnValue);
    }

    void DefineProperties(TFiler* Filer) override {
        TComponent::DefineProperties(Filer);
        Filer->DefineProperty(
            "RowData", [this](TReader* R) { ReadRowData(R); },
            [this](TWriter* W) { WriteRowData(W); }, DefaultHeight != 40 || !Rows.empty());
        Filer->DefineBinaryProperty(
            "Data",
            [this](TStream* S) {
                Data.resize(static_cast<std::size_t>(S->GetSize()));
                S->ReadBuffer(Data.data(), S->GetSize());
            },
            [this](TStream* S) { S->WriteBuffer(Data.data(), static_cast<Int64>(Data.size())); },
            !Data.empty());
    }

    TComponent* GetParentComponent() const override { return FParent; }
    bool HasParent() const override { return true; }
    void SetParentComponent(TComponent* Value) override {
        if (FParent) {
            auto& siblings = FParent->FChildren;
            siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        }
        FParent = dynamic_cast<TTestControl*>(Value);
        if (FParent) FParent->FChildren.push_back(this);
    }
    void GetChildren(TGetChildProc Proc, TComponent*) override {
        for (TTestControl* child : FChildren)
            Proc(child);
    }
    void Loaded() override {
        LogLoaded(this);
        TComponent::Loaded();
    }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation != opRemove) return;
        if (AComponent == FSkin) FSkin = nullptr;
        if (AComponent == FBuddy) FBuddy = nullptr;
    }

private:
    void ReadRowData(TReader* Reader) {
        Rows.clear();
        Reader->ReadListBegin();
        DefaultHeight = Reader->ReadInteger();
        while (!Reader->EndOfList()) {
            TRow row;
            row.Number = Reader->ReadInteger();
            row.Hidden = Reader->ReadBoolean();
            row.Height = Reader->ReadInteger();
            Rows.push_back(row);
        }
        Reader->ReadListEnd();
    }
    void WriteRowData(TWriter* Writer) {
        Writer->WriteListBegin();
        Writer->WriteInteger(DefaultHeight);
        for (const TRow& row : Rows) {
            Writer->WriteInteger(row.Number);
            Writer->WriteBoolean(row.Hidden);
            Writer->WriteInteger(row.Height);
        }
        Writer->WriteListEnd();
    }

    int FLeft = 0;
    AnsiString FCaption;
    TTestAlign FAlign = taNone;
    int FColor = clBtnFace;
    bool FVisible = true;
    double FRatio = 1.0;
    TTestFont FFont;
    TStringList FItems;
    TCollection FColumns;
    TTestControl* FBuddy = nullptr;
    TTestSkin* FSkin = nullptr;
    TTestControl* FParent = nullptr;
    std::vector<TTestControl*> FChildren;
};

// A form-like root: owned components without a parent are its children.
class TTestForm : public TComponent {
    DECLARE_CLASS(TTestForm, TComponent)
public:
    explicit TTestForm(TComponent* AOwner = nullptr) : TComponent(AOwner) {}

    AnsiString GetCaption() const { return FCaption; }
    void SetCaption(const AnsiString& V) { FCaption = V; }
    TNotifyEvent OnShow;
    TTestControl* PNL_Main = nullptr;
    TTestControl* BTN_Add = nullptr;
    int Clicks = 0;
    void BTN_AddClick(TObject*) { ++Clicks; }
    void FormShow(TObject*) {}
    void ValueChanged(TObject*, int) {}

    static void Published(TPropertyList& P) {
        P.Add("Caption", &TTestForm::GetCaption, &TTestForm::SetCaption);
        P.Add("OnShow", &TTestForm::OnShow);
        P.Field("PNL_Main", &TTestForm::PNL_Main);
        P.Field("BTN_Add", &TTestForm::BTN_Add);
        P.Method("BTN_AddClick", &TTestForm::BTN_AddClick);
        P.Method("FormShow", &TTestForm::FormShow);
        P.Method("ValueChanged", &TTestForm::ValueChanged);
    }
    void GetChildren(TGetChildProc Proc, TComponent*) override {
        for (int i = 0; i < GetComponentCount(); ++i)
            if (!GetComponent(i)->GetParentComponent()) Proc(GetComponent(i));
    }
    void Loaded() override {
        LogLoaded(this);
        TComponent::Loaded();
    }

private:
    AnsiString FCaption;
};

class TTestDataModule : public TComponent {
    DECLARE_CLASS(TTestDataModule, TComponent)
public:
    explicit TTestDataModule(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    void GetChildren(TGetChildProc Proc, TComponent*) override {
        for (int i = 0; i < GetComponentCount(); ++i)
            Proc(GetComponent(i));
    }
};

// Declares a field of the wrong class.
class TMismatchForm : public TTestForm {
    DECLARE_CLASS(TMismatchForm, TTestForm)
public:
    TTestSkin* Wrong = nullptr;
    static void Published(TPropertyList& P) { P.Field("PNL_Main", &TMismatchForm::Wrong); }
};

// A control whose reference, once set, frees its sibling "Doomed"; Doomed notes a reference set
// into it after it was freed.
const void* gDoomedFreed = nullptr;
bool gSetIntoFreed = false;

class TDoomedControl : public TTestControl {
    DECLARE_CLASS(TDoomedControl, TTestControl)
public:
    using TTestControl::TTestControl;
    ~TDoomedControl() override { gDoomedFreed = this; }
    void SetBuddyNoted(TTestControl* V) {
        if (this == gDoomedFreed)
            gSetIntoFreed = true;
        else
            SetBuddy(V);
    }
    static void Published(TPropertyList& P) {
        P.Add("Buddy", &TDoomedControl::GetBuddy, &TDoomedControl::SetBuddyNoted);
    }
};

class TFreeingControl : public TTestControl {
    DECLARE_CLASS(TFreeingControl, TTestControl)
public:
    using TTestControl::TTestControl;
    void SetBuddyFreeing(TTestControl* V) {
        SetBuddy(V);
        delete GetOwner()->FindComponent("Doomed");
    }
    static void Published(TPropertyList& P) {
        P.Add("Buddy", &TFreeingControl::GetBuddy, &TFreeingControl::SetBuddyFreeing);
    }
};

const bool kRegistered = [] {
    RegisterClass(TTestControl::StaticClass());
    RegisterClass(TTestSkin::StaticClass());
    RegisterClass(TDoomedControl::StaticClass());
    RegisterClass(TFreeingControl::StaticClass());
    return true;
}();

const char kMainForm[] = "object Main: TTestForm\r\n"
                         "  Caption = 'Main form'\r\n"
                         "  OnShow = FormShow\r\n"
                         "  object PNL_Main: TTestControl\r\n"
                         "    Left = 4\r\n"
                         "    Caption = 'It''s a panel'#13#10'second line'\r\n"
                         "    Align = taClient\r\n"
                         "    Color = clRed\r\n"
                         "    Font.Height = -13\r\n"
                         "    Font.Style = [tsBold, tsUnderline]\r\n"
                         "    Items.Strings = (\r\n"
                         "      'Common anode'\r\n"
                         "      'Common cathode')\r\n"
                         "    Columns = <\r\n"
                         "      item\r\n"
                         "        Width = 50\r\n"
                         "        Title = 'SS-LED'\r\n"
                         "        Font.Name = 'Courier'\r\n"
                         "      end\r\n"
                         "      item\r\n"
                         "        Title = 'Integer'\r\n"
                         "      end>\r\n"
                         "    RowData = (\r\n"
                         "      40\r\n"
                         "      0\r\n"
                         "      False\r\n"
                         "      25)\r\n"
                         "    object BTN_Add: TTestControl\r\n"
                         "      Left = 8\r\n"
                         "      Color = 16776176\r\n"
                         "      Visible = False\r\n"
                         "      Ratio = 0.25\r\n"
                         "      Columns = <>\r\n"
                         "      Buddy = PNL_Main\r\n"
                         "      OnClick = BTN_AddClick\r\n"
                         "      OnValue = ValueChanged\r\n"
                         "      Data = {\r\n"
                         "        0102FF}\r\n"
                         "    end\r\n"
                         "  end\r\n"
                         "  object Lonely: TTestSkin\r\n"
                         "    Title = 'Local skin'\r\n"
                         "  end\r\n"
                         "end\r\n";

const char kDataModule[] = "object DMM: TTestDataModule\n"
                           "  object STS_SkinData: TTestSkin\n"
                           "    Title = 'Skin'\n"
                           "  end\n"
                           "end\n";

AnsiString SkinnedForm(const AnsiString& Target) {
    return "object Second: TTestForm\n"
           "  object BTN_Skinned: TTestControl\n"
           "    Left = 0\n"
           "    Skin = " +
           Target + "\n  end\nend\n";
}

template <typename T> std::unique_ptr<T> Loaded(const AnsiString& Text) {
    auto root = std::make_unique<T>();
    ReadComponentText(Text, root.get(), "test");
    return root;
}

TTestControl* Control(TComponent* Root, const char* Name) {
    return dynamic_cast<TTestControl*>(Root->FindComponent(Name));
}

// The message of loading Text into a fresh form, which must then be empty and idle.
AnsiString LoadError(const AnsiString& Text) {
    TTestForm form;
    try {
        ReadComponentText(Text, &form, "test");
    } catch (const Exception& e) {
        EXPECT_EQ(form.GetComponentCount(), 0);
        EXPECT_FALSE(form.GetComponentState().Contains(csLoading));
        EXPECT_FALSE(form.GetComponentState().Contains(csReading));
        return e.Message();
    }
    return "no error";
}

} // namespace

// ---- Loading ------------------------------------------------------------------------

TEST(FormLoading, BuildsTheTreeSetsEveryKindOfValueAndThenRunsLoadedInCreationOrder) {
    LoadLog.clear();
    auto form = Loaded<TTestForm>(kMainForm);
    EXPECT_EQ(LoadLog, (std::vector<AnsiString>{"Main", "PNL_Main", "BTN_Add"}));
    for (int i = 0; i < form->GetComponentCount(); ++i)
        EXPECT_FALSE(form->GetComponent(i)->GetComponentState().Contains(csLoading));
    EXPECT_EQ(form->GetName(), "Main");
    EXPECT_EQ(form->GetCaption(), "Main form");
    ASSERT_EQ(form->GetComponentCount(), 3);

    TTestControl* panel = form->PNL_Main;
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel, Control(form.get(), "PNL_Main"));
    EXPECT_EQ(panel->GetOwner(), form.get());
    EXPECT_EQ(panel->GetParentComponent(), nullptr);
    EXPECT_EQ(panel->GetLeft(), 4);
    EXPECT_EQ(panel->GetCaption(), "It's a panel\r\nsecond line");
    EXPECT_EQ(panel->GetAlign(), taClient);
    EXPECT_EQ(panel->GetColor(), clRed);
    EXPECT_EQ(panel->GetFont()->GetHeight(), -13);
    EXPECT_TRUE(panel->GetFont()->GetStyle() == (TTestStyles{tsBold, tsUnderline}));
    ASSERT_EQ(panel->GetItems()->GetCount(), 2);
    EXPECT_EQ(panel->GetItems()->Get(1), "Common cathode");
    ASSERT_EQ(panel->GetColumns()->GetCount(), 2);
    auto* first = dynamic_cast<TTestColumn*>(panel->GetColumns()->GetItem(0));
    auto* second = dynamic_cast<TTestColumn*>(panel->GetColumns()->GetItem(1));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->GetWidth(), 50);
    EXPECT_EQ(first->GetFont()->GetName(), "Courier");
    EXPECT_EQ(second->GetWidth(), 64);
    EXPECT_EQ(second->GetTitle(), "Integer");
    EXPECT_EQ(panel->DefaultHeight, 40);
    ASSERT_EQ(panel->Rows.size(), 1u);
    EXPECT_EQ(panel->Rows[0].Height, 25);

    TTestControl* button = form->BTN_Add;
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GetParentComponent(), panel);
    EXPECT_EQ(button->GetColor(), 16776176);
    EXPECT_FALSE(button->GetVisible());
    EXPECT_EQ(button->GetRatio(), 0.25);
    EXPECT_EQ(button->GetBuddy(), panel);
    EXPECT_EQ(button->Data, (std::vector<Byte>{1, 2, 0xFF}));
    ASSERT_TRUE(button->OnClick);
    button->OnClick(button);
    EXPECT_EQ(form->Clicks, 1);
    EXPECT_TRUE(button->OnValue ==
                (TEvent<void(TObject*, int)>(form.get(), &TTestForm::ValueChanged)));
    EXPECT_TRUE(form->OnShow == TNotifyEvent(form.get(), &TTestForm::FormShow));
    EXPECT_EQ(FindLoadedRoot("main"), form.get());
}

TEST(FormLoading, WritingBackGivesTheSameTextAndBytes) {
    auto form = Loaded<TTestForm>(kMainForm);
    EXPECT_EQ(WriteComponentText(form.get()), kMainForm);

    TMemoryStream first;
    WriteComponentStream(&first, form.get());
    form.reset();
    // The defined value list goes under its own name with the table's bytes.
    const AnsiString bytes(static_cast<const char*>(first.GetMemory()),
                           static_cast<std::size_t>(first.GetSize()));
    const char rowData[] = "\x07RowData\x01\x02\x28\x02\x00\x08\x02\x19\x00";
    EXPECT_NE(bytes.find(AnsiString(rowData, sizeof rowData - 1)), AnsiString::npos);
    TTestForm copy;
    first.SetPosition(0);
    ReadComponentStream(&first, &copy);
    TMemoryStream second;
    WriteComponentStream(&second, &copy);
    ASSERT_EQ(first.GetSize(), second.GetSize());
    EXPECT_EQ(0, std::memcmp(first.GetMemory(), second.GetMemory(),
                             static_cast<std::size_t>(first.GetSize())));
}

TEST(FormLoading, AFormInMemoryIsReadAsBinaryOrAsTextByItsStart) {
    TMemoryStream binary;
    WriteComponentStream(&binary, Loaded<TTestForm>(kMainForm).get());
    ASSERT_TRUE(IsBinaryForm(binary.GetMemory(), binary.GetSize()));
    ASSERT_FALSE(IsBinaryForm(kMainForm, sizeof kMainForm - 1));

    TTestForm fromBinary;
    ReadComponentMemory(binary.GetMemory(), binary.GetSize(), &fromBinary, "test");
    EXPECT_EQ(WriteComponentText(&fromBinary), kMainForm);
    TTestForm fromText;
    ReadComponentMemory(kMainForm, sizeof kMainForm - 1, &fromText, "test");
    EXPECT_EQ(WriteComponentText(&fromText), kMainForm);

    // A binary form cut short anywhere loads nothing and names its source.
    for (Int64 size : {Int64(4), binary.GetSize() / 2, binary.GetSize() - 1}) {
        TTestForm cut;
        try {
            ReadComponentMemory(binary.GetMemory(), size, &cut, "cut form");
            ADD_FAILURE() << "a binary form of " << size << " bytes loaded";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message().rfind("Error reading cut form", 0), 0u) << e.Message();
        }
        EXPECT_EQ(cut.GetComponentCount(), 0);
        EXPECT_FALSE(cut.GetComponentState().Contains(csLoading));
    }
}

// ---- References across roots -------------------------------------------------------------

TEST(FormReferences, ReferenceWaitsForTheDataModuleLoadedLater) {
    auto form = Loaded<TTestForm>(SkinnedForm("DMM.STS_SkinData"));
    TTestControl* button = Control(form.get(), "BTN_Skinned");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GetSkin(), nullptr);

    auto dataModule = Loaded<TTestDataModule>(kDataModule);
    EXPECT_EQ(button->GetSkin(), dataModule->FindComponent("STS_SkinData"));
    EXPECT_EQ(WriteComponentText(form.get()), "object Second: TTestForm\r\n"
                                              "  object BTN_Skinned: TTestControl\r\n"
                                              "    Left = 0\r\n"
                                              "    Columns = <>\r\n"
                                              "    Skin = DMM.STS_SkinData\r\n"
                                              "  end\r\n"
                                              "end\r\n");
}

TEST(FormReferences, AWaitingReferenceGoesWithItsComponentAndALoadedModuleIsFoundAtOnce) {
    auto waiting = Loaded<TTestForm>(SkinnedForm("DMM.STS_SkinData"));
    waiting.reset();
    auto dataModule = Loaded<TTestDataModule>(kDataModule);
    EXPECT_EQ(FindLoadedRoot("DMM"), dataModule.get());
    auto form = Loaded<TTestForm>(SkinnedForm("dmm.sts_skindata"));
    EXPECT_EQ(Control(form.get(), "BTN_Skinned")->GetSkin(),
              dataModule->FindComponent("STS_SkinData"));
    form.reset();
    dataModule.reset();
    EXPECT_EQ(FindLoadedRoot("DMM"), nullptr);
}

TEST(FormReferences, AReferenceSetWhenItsRootLoadsLeavesNoLinkBehind) {
    auto form = Loaded<TTestForm>("object Third: TTestForm\n  object Waiting: TTestControl\n"
                                  "    Buddy = Later.Target\n  end\nend\n");
    TTestControl* waiting = Control(form.get(), "Waiting");
    EXPECT_TRUE(waiting->GetComponentState().Contains(csFreeNotification))
        << "watched while it waits";
    auto later = Loaded<TTestDataModule>("object Later: TTestDataModule\n"
                                         "  object Target: TTestControl\n  end\nend\n");
    EXPECT_EQ(waiting->GetBuddy(), later->FindComponent("Target"));
    EXPECT_FALSE(waiting->GetComponentState().Contains(csFreeNotification));
}

TEST(FormReferences, AReferrerFreedWhileTheReferencesOfItsRootAreSetIsPassedOver) {
    auto form =
        Loaded<TTestForm>("object Fifth: TTestForm\n"
                          "  object Freeing: TFreeingControl\n    Buddy = Last.Target\n  end\n"
                          "  object Doomed: TDoomedControl\n    Buddy = Last.Target\n  end\nend\n");
    auto last = Loaded<TTestDataModule>("object Last: TTestDataModule\n"
                                        "  object Target: TTestControl\n  end\nend\n");
    EXPECT_EQ(Control(form.get(), "Freeing")->GetBuddy(), last->FindComponent("Target"));
    EXPECT_EQ(form->FindComponent("Doomed"), nullptr);
    EXPECT_FALSE(gSetIntoFreed);
}

TEST(FormReferences, MissingComponentOfALaterRootIsReportedWhenItLoads) {
    auto form = Loaded<TTestForm>(SkinnedForm("DMM.Missing"));
    try {
        Loaded<TTestDataModule>(kDataModule);
        FAIL() << "the waiting reference was dropped silently";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Error reading test (line 4): Second.BTN_Skinned.Skin: Component "
                               "DMM.Missing not found");
    }
}

TEST(FormReferences, UnknownLocalNameFailsTheLoad) {
    EXPECT_EQ(LoadError("object Main: TTestForm\n  object P: TTestControl\n    Left = 1\n"
                        "    Buddy = Nobody\n  end\nend\n"),
              "Error reading test (line 4): Main.P.Buddy: Component Nobody not found");
}

// ---- Malformed resources -----------------------------------------------------------------

TEST(FormLoadingErrors, MessagesNameLineComponentAndProperty) {
    EXPECT_EQ(LoadError("object Main: TTestForm\n  Caption = 'x'\n  object X: TNope\n  end\nend\n"),
              "Error reading test (line 3): Main.X: Class TNope not found");
    EXPECT_EQ(
        LoadError("object Main: TTestForm\n  object P: TTestControl\n    Foo = 1\n  end\nend\n"),
        "Error reading test (line 3): Main.P.Foo: Property Foo does not exist");
    EXPECT_EQ(
        LoadError(
            "object Main: TTestForm\n  object P: TTestControl\n    Left = 'abc'\n  end\nend\n"),
        "Error reading test (line 3): Main.P.Left: Invalid property value");
    EXPECT_EQ(
        LoadError(
            "object Main: TTestForm\n  object P: TTestControl\n\n    Font.Size = 3\n  end\nend\n"),
        "Error reading test (line 4): Main.P.Font.Size: Property Size does not exist");
    EXPECT_EQ(
        LoadError(
            "object Main: TTestForm\n  object P: TTestControl\n    Align = taMiddle\n  end\nend\n"),
        "Error reading test (line 3): Main.P.Align: Invalid property value taMiddle");
    EXPECT_EQ(
        LoadError("object Main: TTestForm\n  object P: TTestControl\n    Columns = <\n      item\n"
                  "        Wide = 3\n      end>\n  end\nend\n"),
        "Error reading test (line 5): Main.P.Columns[0].Wide: Property Wide does not exist");
    EXPECT_EQ(LoadError("object Main: TTestForm\n  object P: TTestControl\n    Left = 3000000000\n"
                        "  end\nend\n"),
              "Error reading test (line 3): Main.P.Left: Value 3000000000 is out of range");
    EXPECT_EQ(
        LoadError("object Main: TTestForm\n  object S: TTestSkin\n    About = 'x'\n  end\nend\n"),
        "Error reading test (line 3): Main.S.About: Property About is read-only");
    EXPECT_EQ(LoadError("object Main: TTestForm\n  Caption = 'x\nend\n"),
              "Error reading test (line 2): Main.Caption: Unterminated string");
}

TEST(FormLoadingErrors, HandlersMustExistAndMatchTheEvent) {
    EXPECT_EQ(
        LoadError("object Main: TTestForm\n  object P: TTestControl\n    OnValue = BTN_AddClick\n"
                  "  end\nend\n"),
        "Error reading test (line 3): Main.P.OnValue: Method BTN_AddClick does not have the "
        "parameters of event OnValue");
    EXPECT_EQ(
        LoadError("object Main: TTestForm\n  object P: TTestControl\n    OnClick = Nowhere\n"
                  "  end\nend\n"),
        "Error reading test (line 3): Main.P.OnClick: Method Nowhere does not exist in TTestForm");
}

TEST(FormLoadingErrors, FailedLoadDestroysWhatItCreated) {
    // The second child fails after the first and its child have been created.
    AnsiString text = kMainForm;
    text.replace(text.find("Title = 'Local skin'"), 20, "Title = 3");
    EXPECT_EQ(LoadError(text),
              "Error reading test (line 42): Main.Lonely.Title: Invalid property value");
}

TEST(FormLoadingErrors, FieldOfAnotherClassIsRefused) {
    TMismatchForm form;
    try {
        ReadComponentText(
            "object Main: TMismatchForm\n  object PNL_Main: TTestControl\n    Left = 0\n"
            "  end\nend\n",
            &form, "test");
        FAIL() << "a TTestControl went into a TTestSkin field";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(),
                  "Error reading test: Main: Field PNL_Main of TMismatchForm is a TTestSkin, "
                  "but the component is a TTestControl");
    }
    EXPECT_EQ(form.Wrong, nullptr);
    EXPECT_EQ(form.GetComponentCount(), 0);
}

TEST(FormLoadingErrors, ResourceOfAnotherClassOrMissingResource) {
    TTestDataModule dataModule;
    EXPECT_THROW(ReadComponentText(kMainForm, &dataModule), EReadError);
    EXPECT_THROW(ReadComponentRes("TNoSuchForm", &dataModule), EResNotFound);
}

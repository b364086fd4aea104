// An MDI program with the program's own skin, as a person sees it: three skinned children
// tiled, cascaded, one maximized, and two minimized and parked at the bottom left. The test
// writes mdi-tiled.bmp, mdi-cascaded.bmp, mdi-maximized.bmp and mdi-minimized.bmp beside
// itself.
#include "skin/controls/SkinCtrls_Labels.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinForm_Arrange.h"
#include "tests/support/GuiTestSupport.h"

#include "classlib/Menus.h"
#include "classlib/Paths.h"

#include <string>
#include <vector>

namespace {

class MDIDemo : public testing::Test {
protected:
    void SetUp() override {
        Application->OnException = TExceptionEvent::FromCallable(
            [this](TObject*, const std::exception& E) { Errors.push_back(E.what()); });
        Skin.LoadFromFile(VANTOREL_SKIN_INI);
        ASSERT_FALSE(Skin.Empty);
        Main = new TForm(nullptr);
        Main->SetCaption("Vantorel patterns");
        Main->SetFormStyle(fsMDIForm);
        Main->SetBounds(30, 30, 620, 440);
        Application->SetMainForm(Main);
        Frame = new TskSkinForm(Main);
        auto* menu = new TskSkinMainMenu(Main);
        for (const char* caption : {"&File", "&Pages", "&Window", "&Help"}) {
            auto* item = new TMenuItem(Main);
            item->SetCaption(caption);
            menu->GetItems()->Add(item);
            if (AnsiString(caption) == "&Window") Main->SetWindowMenu(item);
        }
        auto* bar = new TskSkinMainMenuBar(Main);
        bar->SetParent(Main);
        bar->SetMainMenu(menu);
        bar->SetSkinForm(Frame);
        bar->SetSkinData(&Skin);
        Frame->SetMainMenuBar(bar);
        Frame->SetSkinData(&Skin);
        Frame->SetMenusSkinData(&Skin);
        Main->Show();
        Pump();
        for (int i = 1; i <= 3; ++i) {
            auto* child = new TForm(nullptr);
            child->SetName(("Pattern" + std::to_string(i)).c_str());
            child->SetCaption(("Pattern " + std::to_string(i) + ".pge").c_str());
            child->SetFormStyle(fsMDIChild);
            child->SetBounds(20 * i, 20 * i, 260, 180);
            auto* frame = new TskSkinForm(child);
            frame->SetSkinData(&Skin);
            auto* label = new TskSkinStdLabel(child);
            label->SetParent(child);
            label->SetSkinData(&Skin);
            label->SetBounds(12, 12, 200, 20);
            label->SetCaption(("Page list " + std::to_string(i) + ": 8 pages").c_str());
            child->Show();
            Pump();
            Children.push_back(child);
        }
        for (int i = 0; i < 50 && GetForegroundWindow() != Main->GetHandle(); ++i) {
            SetForegroundWindow(Main->GetHandle());
            Pump();
        }
    }
    void TearDown() override {
        for (TCustomForm* child : Children) delete child;
        delete Main;
        Pump();
        Application->OnException = nullptr;
        EXPECT_TRUE(Errors.empty()) << Errors.front();
    }
    // The screen as the arrangement left it is saved, and must equal a full repaint.
    void Capture(const char* Name) {
        auto shown = ScreenShot(Main->GetHandle());
        shown->SaveToFile(ExeDir() + Name);
        auto repainted = CaptureWindow(Main->GetHandle());
        EXPECT_EQ(DifferingPixels(shown.get(), repainted.get()), 0) << Name << ": what the screen shows after the arrangement is what a repaint shows";
    }
    static TRect BoundsOf(TCustomForm* F) {
        return TRect(F->GetLeft(), F->GetTop(), F->GetLeft() + F->GetWidth(), F->GetTop() + F->GetHeight());
    }

    TskSkinData Skin{nullptr};
    TForm* Main = nullptr;
    TskSkinForm* Frame = nullptr;
    std::vector<TForm*> Children;
    std::vector<std::string> Errors;
};

TEST_F(MDIDemo, TiledCascadedAndMinimizedChildren) {
    const TRect area = Frame->GetMDIWorkArea();
    Frame->Tile();
    Pump();
    const std::vector<TCustomForm*> order = Main->GetMDIChildList();
    const std::vector<TRect> tiles = TileRects(3, RectWidth(area), RectHeight(area));
    for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(BoundsOf(order[i]), tiles[i]);
    Capture("mdi-tiled.bmp");

    Frame->Cascade();
    Pump();
    const int step = Frame->NewClRect.Top;
    EXPECT_GT(step, 0);
    for (std::size_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(order[i]->GetLeft(), step * static_cast<int>(order.size() - 1 - i));
    Capture("mdi-cascaded.bmp");

    // The top child maximized: its caption joins the main form's, its buttons the bar's.
    GetSkinFormComponent(Children[2])->SetWindowState(wsMaximized);
    Pump();
    EXPECT_EQ(Frame->CaptionText(), "Vantorel patterns - [Pattern 3.pge]");
    Capture("mdi-maximized.bmp");
    GetSkinFormComponent(Children[2])->SetWindowState(wsNormal);

    GetSkinFormComponent(Children[0])->SetWindowState(wsMinimized);
    GetSkinFormComponent(Children[1])->SetWindowState(wsMinimized);
    // Out of the way of the parked ones.
    Children[2]->SetBounds(60, 10, 300, 200);
    Pump();
    const int w = GetSkinFormComponent(Children[0])->GetMinWidth();
    const int h = GetSkinFormComponent(Children[0])->GetMinHeight();
    EXPECT_EQ(BoundsOf(Children[0]), TRect(0, RectHeight(area) - h, w, RectHeight(area)));
    EXPECT_EQ(BoundsOf(Children[1]), TRect(w, RectHeight(area) - h, 2 * w, RectHeight(area)));
    Capture("mdi-minimized.bmp");
}

} // namespace

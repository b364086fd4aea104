#include "grid/gclcaret.h"
#include "tests/support/GuiTestSupport.h"

#include "classlib/Panels.h"

namespace {

// The caret's rectangle in the owner's client area, as the system keeps it.
RECT SystemCaret() {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetCurrentThreadId(), &info);
    return info.rcCaret;
}

class CaretTest : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Owner = Add<TPanel>(Form, 10, 10, 200, 50);
        Owner->GetHandle();
    }
    TPanel* Owner = nullptr;
};

TEST_F(CaretTest, ShapesFollowTheCellAndTheirAlignment) {
    TGclSingleCaret caret(Owner);
    caret.SetCellWidth(8);
    caret.SetCellHeight(16);
    caret.SetLinked(true);
    ASSERT_TRUE(caret.GetLinked());
    caret.SetPos({20, 4});

    struct Case {
        TGclCaretShape Shape;
        RECT Expected;
    } cases[] = {
        {csBlock, {20, 4, 28, 20}},
        {csHalfBlock, {20, 12, 28, 20}},
        {csHorzLine, {20, 18, 28, 20}},
        {csVertLine, {20, 4, 22, 20}},
    };
    for (const Case& c : cases) {
        caret.GetCaretType()->SetShape(c.Shape);
        RECT r = SystemCaret();
        EXPECT_EQ(r.left, c.Expected.left) << c.Shape;
        EXPECT_EQ(r.top, c.Expected.top) << c.Shape;
        EXPECT_EQ(r.right, c.Expected.right) << c.Shape;
        EXPECT_EQ(r.bottom, c.Expected.bottom) << c.Shape;
    }

    // A width below one changes nothing; a negative position goes off-screen.
    caret.GetCaretType()->SetCaretWidth(0);
    EXPECT_EQ(caret.GetCaretType()->GetCaretWidth(), 2);
    caret.SetPos({-1, 5});
    EXPECT_EQ(caret.GetPos().X, TGclSingleCaret::OffScreen);
    EXPECT_EQ(caret.GetPos().Y, 5);
}

TEST_F(CaretTest, LinkingNeedsAWindow) {
    TPanel* windowless = new TPanel(Form);
    TGclSingleCaret caret(windowless);
    caret.SetLinked(true);
    EXPECT_FALSE(caret.GetLinked());
}

TEST_F(CaretTest, PairSwitchesShapesAndSharesTypesByCount) {
    TGclCaretPair pair(Owner);
    pair.SetCellWidth(8);
    pair.SetCellHeight(16);
    pair.SetLinked(true);
    pair.SetPos({0, 0});
    EXPECT_EQ(SystemCaret().right - SystemCaret().left, 2);
    pair.SetInsMode(false);
    EXPECT_TRUE(pair.GetLinked());
    EXPECT_EQ(SystemCaret().right - SystemCaret().left, 8);
    EXPECT_EQ(pair.GetCaretType(), pair.GetOvrCaretType());

    // A type stored in two places lives until both let it go.
    TGclCaret* shared = new TGclCaret;
    shared->Register();
    shared->SetShape(csHorzLine);
    pair.SetOvrCaretType(shared);
    EXPECT_EQ(pair.GetCaretType(), shared);
    EXPECT_EQ(SystemCaret().bottom - SystemCaret().top, 2);
    pair.SetInsMode(true);
    shared->Deregister();
    EXPECT_EQ(pair.GetOvrCaretType()->GetShape(), csHorzLine);
}

TEST_F(CaretTest, SystemBlinkTimeComesBackOnEveryWayOut) {
    UINT system = GetCaretBlinkTime();
    Word own = static_cast<Word>(system == 321 ? 654 : 321);
    {
        TGclSingleCaret caret(Owner);
        caret.GetCaretType()->SetBlinkTime(own);
        caret.SetLinked(true);
        EXPECT_EQ(GetCaretBlinkTime(), own);
        caret.SetLinked(false);
        EXPECT_EQ(GetCaretBlinkTime(), system);
        caret.SetLinked(true);
        caret.SetCellHeight(20); // re-links
        EXPECT_EQ(GetCaretBlinkTime(), own);
    }
    EXPECT_EQ(GetCaretBlinkTime(), system);
}

} // namespace

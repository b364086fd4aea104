#include "grid/gclbcalc.h"
#include "grid/gcledclc.h"
#include "grid/gclbordr.h"
#include "grid/gcledpop.h"
#include "grid/gcleditf.h"
#include "grid/gclmisc.h"
#include "tests/grid/GridTestSupport.h"
#include "tests/support/GuiTestSupport.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/FormLoader.h"
#include "classlib/Forms.h"

namespace {

class EditsTest : public ShownFormTest {};

TEST_F(EditsTest, BorderedEditSitsInsideTheEnabledBorders) {
    auto* box = Add<TGclBorderParent>(Form, 10, 10, 120, 30);
    auto* edit = new TGclEdit(Form);
    edit->SetParent(box);
    box->SetEditControl(edit);
    TRect r = box->EditRect();
    EXPECT_EQ(r.Left, 0);
    EXPECT_EQ(r.Right, 120);
    EXPECT_EQ(r.Bottom, 30);

    box->GetBorders()->GetLeftBorder()->SetEnabled(true);
    box->GetBorders()->GetLeftBorder()->SetPenWidth(3);
    box->GetBorders()->GetRightBorder()->SetEnabled(true);
    box->SetButtonAllowance(10, true);
    r = box->EditRect();
    EXPECT_EQ(r.Left, 3);
    EXPECT_EQ(r.Right - r.Left, 120 - 19);
    box->GetBorders()->GetRightBorder()->SetPenWidth(0);
    EXPECT_EQ(box->GetBorders()->GetRightBorder()->GetPenWidth(), 2);
    // With no border the edit covers the whole container, the button's place included.
    box->GetBorders()->GetLeftBorder()->SetEnabled(false);
    box->GetBorders()->GetRightBorder()->SetEnabled(false);
    r = box->EditRect();
    EXPECT_EQ(r, TRect(0, 0, 120, 30));
    Pump();
    EXPECT_EQ(edit->GetBoundsRect(), TRect(0, 0, 120, 30));

    // A bottom border of 2 is drawn on the last two rows (y = 30 - 1 for width 2 pens
    // centred on 29); the rows above stay the container's colour.
    box->GetBorders()->GetBottomBorder()->SetEnabled(true);
    box->GetBorders()->GetBottomBorder()->SetPenColor(clRed);
    Pump();
    std::unique_ptr<TBitmap> shot = PaintToBitmap(box);
    EXPECT_EQ(PixelOf(shot.get(), 60, 29), RGB(255, 0, 0));
    EXPECT_NE(PixelOf(shot.get(), 60, 26), RGB(255, 0, 0));
}

TEST_F(EditsTest, AttachedLabelFollowsTheEdit) {
    auto* edit = Add<TGclEdit>(Form, 40, 60, 100, 21);
    edit->SetName("Amount");
    EXPECT_EQ(MessageOf<Exception>([&] { edit->GetAttachedLabel(); }), "Label not attached");
    edit->GetLabelInfo()->SetVisible(true);
    TGclAttachedLabel* label = edit->GetAttachedLabel();
    EXPECT_EQ(label->GetCaption().substr(0, 11), "AmountLabel");
    EXPECT_EQ(label->GetLeft(), 40);
    EXPECT_EQ(label->GetTop() + label->GetHeight(), 60);
    edit->SetBounds(50, 80, 100, 21);
    Pump();
    EXPECT_EQ(label->GetLeft(), 50);
    EXPECT_EQ(label->GetTop() + label->GetHeight(), 80);
    edit->Labels().SetBelow(true);
    EXPECT_EQ(label->GetTop(), 101);
    // Moving the label records new offsets.
    label->SetBounds(55, 110, label->GetWidth(), label->GetHeight());
    Pump();
    EXPECT_EQ(edit->GetLabelInfo()->GetOffsetX(), 5);
    EXPECT_EQ(edit->GetLabelInfo()->GetOffsetY(), 9);
}

TEST_F(EditsTest, EditUsesTheDefaultControllerAtRunTime) {
    auto* edit = Add<TGclEdit>(Form, 10, 10, 100, 21);
    edit->GetHandle();
    EXPECT_EQ(edit->GetController(), DefaultController());
}

TEST_F(EditsTest, EditsStoreTheirControllerInTheFormResource) {
    if (!GetClass("TGclController")) RegisterClass(TGclController::StaticClass());
    const char* text = "object Host: TForm\n"
                       "  object CTL: TGclController\n  end\n"
                       "  object Plain: TGclEdit\n    Controller = CTL\n  end\n"
                       "  object Number: TGclNumberEdit\n    Controller = CTL\n  end\n"
                       "end\n";
    auto check = [](TForm& Host) {
        TComponent* controller = Host.FindComponent("CTL");
        ASSERT_NE(controller, nullptr);
        EXPECT_EQ(dynamic_cast<TGclEdit*>(Host.FindComponent("Plain"))->GetController(), controller);
        EXPECT_EQ(dynamic_cast<TGclNumberEdit*>(Host.FindComponent("Number"))->GetController(),
                  controller);
    };
    TForm first(nullptr);
    ReadComponentText(text, &first);
    check(first);
    AnsiString written = WriteComponentText(&first);
    TForm second(nullptr);
    ReadComponentText(written, &second);
    check(second);
}

TEST_F(EditsTest, PopupButtonAndProtocol) {
    auto* edit = Add<TGclEdPopup>(Form, 10, 10, 120, 21);
    edit->GetHandle();
    edit->SetBounds(10, 10, 120, 21);
    EXPECT_EQ(edit->GetButton()->GetWidth(), GetSystemMetrics(SM_CXHSCROLL));
    EXPECT_TRUE(edit->GetButton()->GetEnabled());
    edit->SetShowButton(false);
    EXPECT_EQ(edit->GetButton()->GetWidth(), 0);

    // Read-only when its window is made: the button is disabled.
    auto* readOnly = new TGclEdPopup(Form);
    readOnly->SetReadOnly(true);
    readOnly->SetParent(Form);
    EXPECT_FALSE(readOnly->GetButton()->GetEnabled());

    int opened = 0, closed = 0;
    edit->OnPopupOpen = TNotifyEvent::FromCallable([&](TObject*) { ++opened; });
    edit->OnPopupClose = TNotifyEvent::FromCallable([&](TObject*) { ++closed; });
    edit->PopupOpen();
    EXPECT_TRUE(edit->GetPopupActive());
    EXPECT_EQ(opened, 0); // the event follows from the posted message
    Pump();
    EXPECT_EQ(opened, 1);
    // Enter closes the popup and goes no further.
    TMessage key{CM_DIALOGKEY, VK_RETURN, 0, 0};
    edit->Dispatch(key);
    EXPECT_EQ(key.Result, 1);
    EXPECT_FALSE(edit->GetPopupActive());
    Pump();
    EXPECT_EQ(closed, 1);
}

} // namespace

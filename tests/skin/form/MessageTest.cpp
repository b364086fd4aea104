// The skinned message box, scripted in-process: its layout from text and buttons, the
// default and cancel buttons, the answers by key and click, odd texts, and the hook
// through which programs' tests answer instead of the box.
#include "skin/form/skMessages.h"
#include "tests/skin/form/FormTestSkins.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/ScreenText.h"

#include "classlib/GdiCounter.h"
#include "classlib/Paths.h"

namespace {

class SkinMessageBox : public testing::Test {
protected:
    void SetUp() override {
        Box = new TskSkinMessage(nullptr);
        SetMessageFormHook([this](TskMessageForm* F) {
            Form = F;
            if (Script) Script(F);
        });
    }
    void TearDown() override {
        SetMessageFormHook(nullptr);
        delete Box;
    }
    TControl* Find(const char* Name) { return dynamic_cast<TControl*>(Form->FindComponent(Name)); }
    // Lays the box out, looks at it, and answers with Key pressed on the keyboard.
    int Ask(const AnsiString& Text, TMsgDlgType Type, TMsgDlgButtons Buttons, std::function<void(TskMessageForm*)> Look,
            Word Key) {
        Script = [&](TskMessageForm* F) {
            Answer(F, [&Look, Key](TskMessageForm* Shown) {
                if (Look) Look(Shown);
                TakeFocus(Shown);
                PressKey(Key);
            });
        };
        return Box->MessageDlg(Text, Type, Buttons, 7);
    }

    // Once the box shows, Do runs; a box still open after it is closed, so that no test
    // waits for ever.
    static void Answer(TskMessageForm* F, std::function<void(TskMessageForm*)> Do) {
        Application->OnIdle = TIdleEvent::FromCallable([F, Do](TObject*, bool&) {
            // Clearing the event frees this callable: keep what it holds first.
            TskMessageForm* form = F;
            const std::function<void(TskMessageForm*)> act = Do;
            Application->OnIdle = nullptr;
            act(form);
            PostMessageA(form->GetHandle(), WM_CLOSE, 0, 0);
        });
    }

    TskSkinMessage* Box = nullptr;
    TskMessageForm* Form = nullptr;
    std::function<void(TskMessageForm*)> Script;
};

TEST_F(SkinMessageBox, YesNoLayoutDefaultsAndAnswers) {
    const int result = Ask("Save?", mtConfirmation, {mbYes, mbNo}, [&](TskMessageForm* F) {
        EXPECT_EQ(F->GetCaption(), "Confirm");
        TControl* yes = Find("Yes");
        TControl* no = Find("No");
        ASSERT_TRUE(yes && no);
        EXPECT_EQ(yes->GetWidth(), 60);
        EXPECT_EQ(yes->GetHeight(), 25);
        EXPECT_EQ(no->GetLeft() - yes->GetLeft(), 70);
        EXPECT_EQ(yes->GetLeft(), (F->GetClientWidth() - 130) / 2);
        EXPECT_EQ(F->GetClientWidth(), 130 + 40) << "a short text: the buttons decide";
        EXPECT_EQ(yes->GetTop(), F->GetClientHeight() - 25 - 10);
        EXPECT_EQ(GetWindowLongPtrA(F->GetHandle(), GWL_STYLE) & WS_CAPTION, 0);
        CaptureWindow(F->GetHandle())->SaveToFile(ExeDir() + "skinmessage_plain.bmp");
    }, VK_RETURN);
    EXPECT_EQ(result, mrYes) << "Yes is the default";
    EXPECT_EQ(Ask("Save?", mtConfirmation, {mbYes, mbNo}, nullptr, VK_ESCAPE), mrNo) << "No is the cancel button";
}

TEST_F(SkinMessageBox, EachBoxGivesBackTheHandlesItCounted) {
    EXPECT_EQ(Ask("Done.", mtInformation, {mbOK}, nullptr, VK_RETURN), mrOk);
    const long before = GdiObjectCount();
    for (TMsgDlgType type : {mtInformation, mtWarning, mtError, mtConfirmation})
        Ask("Done.", type, {mbOK}, nullptr, VK_RETURN);
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST_F(SkinMessageBox, OkIsDefaultAndCancelAtOnceAndTheFrameTakesTheAlpha) {
    Box->SetAlphaBlendAnimation(true);
    Box->SetAlphaBlendValue(90);
    EXPECT_EQ(Ask("Done.", mtInformation, {mbOK}, [](TskMessageForm* F) {
        EXPECT_FALSE(F->SkinForm->GetAlphaBlend());
        EXPECT_TRUE(F->SkinForm->GetAlphaBlendAnimation());
        EXPECT_EQ(F->SkinForm->GetAlphaBlendValue(), 90);
    }, VK_RETURN), mrOk);
    EXPECT_EQ(Ask("Done.", mtInformation, {mbOK}, nullptr, VK_ESCAPE), mrOk);
}

TEST_F(SkinMessageBox, AbortIgnoreHasNeitherDefaultNorCancel) {
    Script = [&](TskMessageForm* F) {
        Answer(F, [](TskMessageForm* Shown) {
            TakeFocus(Shown);
            PostMessageA(Shown->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 1);
            // Nothing answers Esc: a click on Ignore does.
            auto* ignore = dynamic_cast<TWinControl*>(Shown->FindComponent("Ignore"));
            if (!ignore) return;
            PostMessageA(ignore->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            PostMessageA(ignore->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        });
    };
    EXPECT_EQ(Box->MessageDlg("Disk?", mtError, {mbAbort, mbIgnore}, 0), mrIgnore);
}

TEST_F(SkinMessageBox, LongAndOddTextsWidenTheBoxWithinTheWorkArea) {
    AnsiString huge(5000, 'W');
    Ask(huge, mtWarning, {mbOK}, [&](TskMessageForm* F) {
        EXPECT_EQ(F->GetCaption(), "Warning");
        EXPECT_EQ(F->GetWidth(), F->SkinForm->GetMaxWidth());
    }, VK_RETURN);
    Ask("one\rtwo\rthree", mtError, {mbOK}, [&](TskMessageForm* F) {
        TControl* label = Find("Message");
        EXPECT_EQ(F->GetClientHeight(), 25 + 50 + label->GetHeight());
        EXPECT_GT(label->GetHeight(), 30);
    }, VK_RETURN);
    // An "&" in a message (a file name) is a plain character.
    int widths[2] = {};
    for (int i = 0; i < 2; ++i)
        Ask(i ? "C:\\a&b.pge" : "C:\\ab.pge", mtConfirmation, {mbOK},
            [&](TskMessageForm*) { widths[i] = Find("Message")->GetWidth(); }, VK_RETURN);
    EXPECT_GT(widths[1], widths[0]);
    Application->SetTitle("Vantorel");
    Ask("", mtCustom, {}, [&](TskMessageForm* F) {
        EXPECT_EQ(F->GetCaption(), "Vantorel");
        EXPECT_GE(F->GetWidth(), 130) << "never narrower than the frame allows";
        F->SetModalResult(mrCancel);
    }, VK_ESCAPE);
}

TEST_F(SkinMessageBox, SkinnedButtonsTakeTheRecordHeight) {
    TForm owner(nullptr);
    auto* ctrl = new TskSkinData(&owner);
    testskins::Build(ctrl);
    // A light face with a dark edge, its text area inside the edge, stretched to any size.
    auto face = testskins::Solid(40, 31, 0x000000);
    testskins::Fill(face.get(), TRect(1, 1, 39, 30), 0xE0E0E0);
    ctrl->ActivePictures.push_back(std::move(face));
    auto record = std::make_unique<TskDataSkinButtonControl>("button");
    record->PictureIndex = static_cast<int>(ctrl->ActivePictures.size()) - 1;
    record->SkinRect = TRect(0, 0, 40, 31);
    record->LTPoint = TPoint(3, 3);
    record->RTPoint = TPoint(37, 3);
    record->LBPoint = TPoint(3, 28);
    record->RBPoint = TPoint(37, 28);
    record->ClRect = TRect(3, 3, 37, 28);
    ctrl->CtrlList.push_back(std::move(record));
    auto* frame = new TskSkinData(&owner);
    testskins::Build(frame);
    Box->SetCtrlSkinData(ctrl);
    Box->SetSkinData(frame);
    EXPECT_EQ(Ask("Skinned", mtConfirmation, {mbYes, mbNo, mbCancel}, [&](TskMessageForm* F) {
        EXPECT_TRUE(F->SkinForm->SkinApplied());
        EXPECT_EQ(Find("Yes")->GetHeight(), 31);
        auto shot = CaptureWindow(F->GetHandle());
        shot->SaveToFile(ExeDir() + "skinmessage_skinned.bmp");
        // Each button shows its caption whole in the record's font.
        const TShot buttons = ShotOf(shot.get(), TRect(0, 0, shot->GetWidth(), shot->GetHeight()));
        for (const char* caption : {"&Yes", "&No", "Cancel"})
            EXPECT_TRUE(ShowsWhole(buttons, caption, {"Arial", 12, false}, {.Prefix = true}));
    }, VK_ESCAPE), mrCancel);
    delete ctrl;
    EXPECT_EQ(Box->GetCtrlSkinData(), nullptr) << "a removed skin is forgotten";
}

TEST_F(SkinMessageBox, TheLibrarysHookAnswersInsteadOfTheBox) {
    SetMessageDlgHook([](const AnsiString&, TMsgDlgType, TMsgDlgButtons, int) { return mrNo; });
    Form = nullptr;
    EXPECT_EQ(Box->MessageDlg("Sure?", mtConfirmation, {mbYes, mbNo}, 0), mrNo);
    EXPECT_EQ(Form, nullptr);
    SetMessageDlgHook(nullptr);
}

} // namespace

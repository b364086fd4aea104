// Translucent skinned forms where the system has layered windows: this program runs as
// Windows 5.2 (the test harness gives it that version in Wine's per-program settings).
// The about box fades in to 245 on its first showing; a form's AlphaBlend applies at once
// once it runs; a fade without AlphaBlend ends opaque and no longer layered.
#include "app/About_sl.h"
#include "app/Dm.h"
#include "tests/support/GuiTestSupport.h"

#include "skin/data/Skutils.h"
#include "skin/form/SkinForm.h"

#include "classlib/FormLoader.h"
#include "classlib/Paths.h"

#include <gtest/gtest.h>

namespace {

bool Layered(TWinControl* C) {
    return (GetWindowLongPtrA(C->GetHandle(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
}

int Alpha(TWinControl* C) {
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(C->GetHandle(), nullptr, &alpha, &flags) || !(flags & LWA_ALPHA)) return -1;
    return alpha;
}

// The fade-in timer's tick, sent rather than waited for.
void FadeTick(TWinControl* C) {
    SendMessageA(C->GetHandle(), WM_TIMER, 1, 0);
}

TEST(LayeredWindows, TheSystemReportsWindowsXP) {
    int major = 0, minor = 0;
    GetWindowsVersion(major, minor);
    EXPECT_EQ(major, 5);
    EXPECT_EQ(minor, 2);
    EXPECT_TRUE(CheckW2KWXP());
}

TEST(LayeredWindows, TheAboutBoxFadesInTo245) {
    TDMM* dmm = CreateFromResource<TDMM>(nullptr);
    DMM = dmm;
    auto* about = CreateFromResource<TFAbout>(nullptr);
    TskSkinForm* skin = GetSkinFormComponent(about);
    ASSERT_NE(skin, nullptr);
    EXPECT_TRUE(skin->GetAlphaBlend());
    EXPECT_TRUE(skin->GetAlphaBlendAnimation());
    EXPECT_EQ(skin->GetAlphaBlendValue(), 245);
    about->Show();
    // Shown transparent, then raised by the first tick of timer 1.
    EXPECT_TRUE(Layered(about));
    EXPECT_EQ(Alpha(about), 0);
    FadeTick(about);
    EXPECT_TRUE(Layered(about));
    EXPECT_EQ(Alpha(about), 245);
    Pump();
    CaptureWindow(about->GetHandle())->SaveToFile(ExeDir() + "about-layered.bmp");
    about->Hide();
    EXPECT_FALSE(Layered(about)) << "hidden, it is an ordinary window again";
    delete about;
    delete dmm;
    DMM = nullptr;
    Pump();
}

class LayeredForm : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Skin = new TskSkinForm(Form);
        Pump();
    }
    TskSkinForm* Skin = nullptr;
};

TEST_F(LayeredForm, AlphaBlendAppliesAtOnceAndGoes) {
    Skin->SetAlphaBlend(true);
    EXPECT_TRUE(Layered(Form));
    EXPECT_EQ(Alpha(Form), 200);
    Skin->SetAlphaBlendValue(120);
    EXPECT_EQ(Alpha(Form), 120);
    // Sizing keeps the translucent frame painted.
    Form->SetWidth(Form->GetWidth() + 20);
    Pump();
    EXPECT_EQ(Alpha(Form), 120);
    Skin->SetAlphaBlend(false);
    EXPECT_FALSE(Layered(Form));
    Skin->SetAlphaBlendValue(90);
    EXPECT_FALSE(Layered(Form)) << "the value alone changes nothing";
}

TEST_F(LayeredForm, AFadeWithoutAlphaBlendEndsOpaque) {
    Skin->SetAlphaBlendAnimation(true);
    Form->Hide();
    Form->Show();
    EXPECT_EQ(Alpha(Form), 0);
    FadeTick(Form);
    EXPECT_FALSE(Layered(Form));
    // Another timer of the window is no fade.
    Form->Hide();
    Form->Show();
    SendMessageA(Form->GetHandle(), WM_TIMER, 2, 0);
    EXPECT_EQ(Alpha(Form), 0);
    FadeTick(Form);
    EXPECT_FALSE(Layered(Form));
}

} // namespace

// A demo form with the skinned wrappers of native controls: two header controls, one with
// its hot section and one with its pressed section (both held by a person's pointer, one after
// the other), a rich edit scrolled through its skinned bars, and a status bar with panels
// and glyphs, one of them disabled; with the program's skin and without any. Screenshots
// natives-skinned.bmp and natives-default.bmp beside the test program for people to look at.
#include "skin/controls/SkinCtrls_Headers.h"
#include "skin/controls/SkinCtrls_Panels.h"
#include "skin/controls/SkinCtrls_RichEdits.h"
#include "skin/controls/SkinCtrls_StatusPanels.h"

#include "tests/skin/controls/SkinFixture.h"

#include <string>

namespace {

class NativesDemo : public SkinDemoTest {
protected:
    TskSkinHeaderControl* NewHeader(int Top) {
        auto* header = PlaceAt<TskSkinHeaderControl>(10, Top, 420, 20, "header");
        const std::pair<const char*, int> sections[] = {
            {"Page", 60}, {"Pattern", 150}, {"Value", 90}, {"Pins", 90}};
        for (const auto& [text, width] : sections) {
            THeaderSection* section = header->GetSections()->Add();
            section->SetText(text);
            section->SetWidth(width);
        }
        header->GetSections()->GetItem(2)->SetAlignment(taRightJustify);
        return header;
    }
    // A round lamp, lit and unlit, as a two-frame glyph strip.
    static std::unique_ptr<TBitmap> Lamp() {
        auto strip = std::make_unique<TBitmap>(24, 12);
        TCanvas* c = strip->GetCanvas();
        c->GetBrush()->SetColor(clFuchsia);
        c->FillRect(TRect(0, 0, 24, 12));
        c->GetPen()->SetColor(clGray);
        c->GetBrush()->SetColor(static_cast<TColor>(0x30C030));
        c->Ellipse(1, 1, 11, 11);
        c->GetBrush()->SetColor(clSilver);
        c->Ellipse(13, 1, 23, 11);
        return strip;
    }

    void BuildAndCapture(const char* FileName) {
        Form->SetBounds(20, 20, 460, 340);
        Form->SetColor(clBtnFace);
        TskSkinHeaderControl* hot = NewHeader(10);
        TskSkinHeaderControl* pressed = NewHeader(40);

        auto* edit = PlaceAt<TskSkinRichEdit>(10, 72, 401, 150, "richedit");
        edit->SetSkinSupport(true);
        edit->SetWordWrap(false);
        auto* vbar = PlaceAt<TskSkinScrollBar>(411, 72, 19, 150, "vscrollbar");
        vbar->SetKind(sbVertical);
        auto* hbar = PlaceAt<TskSkinScrollBar>(10, 222, 401, 19, "hscrollbar");
        edit->SetVScrollBar(vbar);
        edit->SetHScrollBar(hbar);
        std::string text;
        const char* const names[] = {"zero", "one", "two", "three", "four", "five", "six",
                                     "seven", "eight", "nine"};
        for (int i = 0; i < 60; ++i)
            text += "Page " + std::to_string(i) + ": the digit " + names[i % 10] +
                    ", segments lit as the pattern shows, with the decimal point " +
                    (i % 2 ? "on" : "off") + "\r\n";
        edit->SetText(text);
        edit->ChangeSkinData();
        Pump();
        vbar->SetPosition(vbar->GetMax() / 3);
        hbar->SetPosition(40);

        auto* status = PlaceAt<TskSkinStatusBar>(0, 0, 440, 23);
        auto lamp = Lamp();
        int left = 2;
        for (const char* caption : {"Ready", "12 pages", "Common anode"}) {
            auto* panel = new TskSkinStatusPanel(Form);
            panel->SetParent(status);
            panel->SetBounds(left, 3, caption[0] == 'C' ? 140 : 110, 18);
            panel->SetCaption(caption);
            panel->SetGlyph(lamp.get());
            panel->SetNumGlyphs(2);
            left += panel->GetWidth() + 4;
        }
        status->GetControl(1)->SetEnabled(false);
        status->SetSkinData(Data);
        Controls.clear();

        // The hot section of the first header, held by the pointer, then the pressed one of
        // the second: the picture shows both.
        const TPoint overType = hot->ClientToScreen(TPoint(250, 10));
        PointerTo(overType);
        PumpUntil([&] { return hot->GetHotSection() == 2; });
        auto lit = CaptureWindow(Form->GetHandle());
        const TPoint onPattern = pressed->ClientToScreen(TPoint(130, 10));
        PointerTo(onPattern);
        PointerDown(onPattern);
        PumpUntil([&] { return pressed->GetSectionPressed(); });
        auto shot = CaptureWindow(Form->GetHandle());
        const TPoint at = hot->ClientToScreen(TPoint(0, 0));
        RECT frame{};
        GetWindowRect(Form->GetHandle(), &frame);
        const TRect strip(at.X - frame.left, at.Y - frame.top, at.X - frame.left + hot->GetWidth(),
                          at.Y - frame.top + hot->GetHeight());
        shot->GetCanvas()->CopyRect(strip, lit->GetCanvas(), strip);
        shot->SaveToFile(ExeDir() + FileName);
        PointerUp(onPattern);
        PointerTo(Form->ClientToScreen(TPoint(300, 400)));
        EXPECT_TRUE(Errors.empty());
    }
};

TEST_F(NativesDemo, WithTheProgramsSkin) {
    TskSkinData skin(nullptr);
    skin.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(skin.Empty);
    Data = &skin;
    BuildAndCapture("natives-skinned.bmp");
}

TEST_F(NativesDemo, WithoutAnySkin) {
    BuildAndCapture("natives-default.bmp");
}

} // namespace

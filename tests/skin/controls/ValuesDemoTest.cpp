// One demo form with every skinned value and choice control: check and radio boxes (flat
// ones too), radio and check groups, track bars, gauges (the vertical one with its turned
// text), sliders, the frame strips, menu and image buttons, the text, link and button
// labels and the link image, each normal, hot, pressed and disabled, with the program's
// skin and without any; screenshots values-skinned.bmp and values-default.bmp beside the
// test program for people to look at. The hot and pressed looks come from the user's
// pointer, one control at a time, and every text is on the screen whole.
#include "skin/controls/SkinCtrls_ButtonGroups.h"
#include "skin/controls/SkinCtrls_CheckRadio.h"
#include "skin/controls/SkinCtrls_FrameStrips.h"
#include "skin/controls/SkinCtrls_Gauges.h"
#include "skin/controls/SkinCtrls_ImageButtons.h"
#include "skin/controls/SkinCtrls_MenuButtons.h"
#include "skin/controls/SkinCtrls_Sliders.h"
#include "skin/controls/SkinCtrls_TextLabels.h"
#include "skin/controls/SkinCtrls_TrackBars.h"

#include "classlib/ShellOpen.h"

#include "tests/skin/controls/DemoPictures.h"
#include "tests/skin/controls/SkinFixture.h"
#include "tests/skin/controls/TextInk.h"

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kColumn = 150;
// The left half holds the choices and the labels, the right half the values and buttons.
constexpr int kValues = 10 + 4 * kColumn;
// The face of the skin's forms.
const TColor kSkinFace = static_cast<TColor>(RGB(236, 238, 242));
// Timers that never fire by themselves while the demo is built: ticks are driven.
constexpr Cardinal kNoTicks = 3600000;

enum TLook { lkNormal, lkHot, lkPressed, lkDisabled };

// A control whose hot or pressed look is shown: the pointer rests or presses at Point.
struct TLookCell {
    TControl* Control;
    TPoint Point;
    // Makes the look complete once the pointer is there (a focus, a drag).
    std::function<void()> Then;
};

void SkinFont(TFont* Font, const AnsiString& Name, int Height, TFontStyles Style) {
    Font->SetName(Name);
    Font->SetHeight(Height);
    Font->SetStyle(Style);
}

// The font of a control of the resizable family: the record's (class R) when the control
// has one and uses the skin's font, else its DefaultFont.
template <class R, class C> std::function<void(TFont*)> FontOf(C* Control) {
    return [Control](TFont* Font) {
        Font->Assign(Control->GetDefaultFont());
        auto* record = dynamic_cast<R*>(Control->GetSkinRecord());
        if (record && Control->GetUseSkinFont())
            SkinFont(Font, record->FontName, record->FontHeight, record->FontStyle);
    };
}

// The "stdlabel" record a label takes its font from; null without one.
TskDataSkinStdLabelControl* LabelRecord(TskStdLabelSkin* Label) {
    TskSkinData* skin = Label->GetSkin();
    if (!skin || skin->Empty) return nullptr;
    const int index = skin->GetControlIndex(Label->GetSkinDataName());
    if (index < 0) return nullptr;
    return dynamic_cast<TskDataSkinStdLabelControl*>(
        skin->CtrlList[static_cast<std::size_t>(index)].get());
}

std::function<void(TFont*)> LabelFontOf(TskStdLabelSkin* Label, bool Underlined = false) {
    return [Label, Underlined](TFont* Font) {
        Font->Assign(Label->GetDefaultFont());
        TskDataSkinStdLabelControl* record = LabelRecord(Label);
        if (record && Label->GetUseSkinFont())
            SkinFont(Font, record->FontName, record->FontHeight, record->FontStyle);
        if (Underlined) Font->SetStyle(Font->GetStyle() << fsUnderline);
    };
}

class ValuesDemo : public SkinDemoTest {
protected:
    void SetUp() override {
        SkinDemoTest::SetUp();
        // A link clicked by the pressed look opens nothing.
        SetShellExecute([](HWND, const char*, const char*, const char*, const char*, int) {
            return reinterpret_cast<HINSTANCE>(42);
        });
        Park();
    }
    void TearDown() override {
        Park();
        SetShellExecute(nullptr);
        SkinDemoTest::TearDown();
    }

    // The pointer in the screen's corner, away from the form.
    static void Park() {
        PointerTo(TPoint(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2));
        Pump();
    }

    // A control of the column of Look in the half that starts at Half.
    template <typename T>
    T* Place(int Half, int Look, int Left, int Top, int Width, int Height,
             const char* Section = nullptr) {
        return PlaceAt<T>(Half + 10 + Look * kColumn + Left, Top, Width, Height, Section);
    }
    void Cell(int Look, TControl* Control, TPoint Point, std::function<void()> Then = {}) {
        if (Look == lkHot) Hot.push_back({Control, Point, std::move(Then)});
        if (Look == lkPressed) Pressed.push_back({Control, Point, std::move(Then)});
    }
    void Caption(TControl* Control, std::function<void(TFont*)> Font,
                 COLORREF Ink = CLR_INVALID) {
        const AnsiString text = Control->GetCaption();
        Texts.push_back({Control, text, std::move(Font),
                         [Control, text](bool Show) { Control->SetCaption(Show ? text : ""); },
                         false, Ink});
    }
    // The colour of the text of a label of the column of Look, when it is drawn in relief.
    static COLORREF Relief(int Look) {
        return Look == lkDisabled ? ColorToRGB(clBtnShadow) : CLR_INVALID;
    }

    // ---- The choices half ----------------------------------------------------------------

    void Boxes(int Look) {
        const struct {
            const char* Caption;
            bool Radio, Flat, Checked;
        } rows[] = {{"Check box", false, false, true}, {"Check box", false, false, false},
                    {"Radio box", true, false, true},  {"Radio box", true, false, false},
                    {"Flat check", false, true, true}, {"Flat radio", true, true, false}};
        int top = 8;
        for (const auto& row : rows) {
            auto* box = Place<TskSkinCheckRadioBox>(0, Look, 0, top, 140, 25,
                                                    row.Radio ? "radiobox" : "checkbox");
            box->SetRadio(row.Radio);
            box->SetFlat(row.Flat);
            box->SetChecked(row.Checked);
            box->SetCaption(row.Caption);
            Caption(box, FontOf<TskDataSkinCheckRadioControl>(box));
            Cell(Look, box, TPoint(8, box->GetHeight() / 2));
            top += 26;
        }
    }

    void Groups(int Look) {
        auto* radios = Place<TskSkinRadioGroup>(0, Look, 0, 168, 140, 100);
        radios->SetCaption("Radio group");
        radios->GetItems()->SetText("One\nTwo\nThree\nFour\nFive");
        radios->SetColumns(2);
        radios->SetItemIndex(3);
        auto* checks = Place<TskSkinCheckGroup>(0, Look, 0, 274, 140, 88);
        checks->SetCaption("Check group");
        checks->GetItems()->SetText("Segments\nPoint\nBlink");
        checks->SetChecked(0, true);
        checks->GetButton(2)->SetEnabled(false);
        for (TskSkinCustomButtonGroup* group :
             {static_cast<TskSkinCustomButtonGroup*>(radios),
              static_cast<TskSkinCustomButtonGroup*>(checks)}) {
            Caption(group, [group](TFont* Font) {
                TBitmap canvas(1, 1);
                group->SetCaptionFont(canvas.GetCanvas());
                Font->Assign(canvas.GetCanvas()->GetFont());
            });
            for (int i = 0; i < group->GetButtonCount(); ++i) {
                TskSkinCheckRadioBox* box = group->GetButton(i);
                Caption(box, FontOf<TskDataSkinCheckRadioControl>(box));
            }
        }
        // One box of each group under the pointer.
        for (TskSkinCheckRadioBox* box : {radios->GetButton(0), checks->GetButton(1)})
            Cell(Look, box, TPoint(8, box->GetHeight() / 2));
    }

    void Labels(int Look) {
        auto* text = Place<TskSkinTextLabel>(0, Look, 0, 370, 65, 65);
        text->GetLines()->SetText("Segments a to g\r\nand the point");
        Texts.push_back({text, text->GetLines()->GetText(), LabelFontOf(text),
                         [text](bool Show) {
                             text->GetLines()->SetText(Show ? "Segments a to g\r\nand the point"
                                                            : "");
                         },
                         false, Relief(Look)});
        auto* link = Place<TskSkinLinkLabel>(0, Look, 0, 406, 65, 17);
        link->SetCaption("vantorel.example");
        link->SetURL("https://vantorel.example/");
        Caption(link, LabelFontOf(link, true), Relief(Look));
        Cell(Look, link, TPoint(link->GetWidth() / 3, link->GetHeight() / 2));
        auto* left = Place<TskSkinButtonLabel>(0, Look, 0, 428, 130, 30);
        left->SetCaption("Add Page");
        auto* top = Place<TskSkinButtonLabel>(0, Look, 0, 462, 130, 50);
        top->SetCaption("Animate");
        top->SetLayout(blGlyphTop);
        top->SetSpacing(4);
        for (TskSkinButtonLabel* label : {left, top}) {
            label->SetGlyph(Glyph.get());
            label->SetNumGlyphs(4);
            // Disabled, the plain look greys the caption whatever its font's colour.
            const bool greyed = Look == lkDisabled && !LabelRecord(label);
            Texts.push_back({label, label->GetCaption(), LabelFontOf(label),
                             [this, label](bool Show) { ButtonLabelInk(label, Show); }, false,
                             greyed ? ColorToRGB(clBtnShadow) : CLR_INVALID});
            Cell(Look, label, TPoint(label->GetWidth() / 2, label->GetHeight() / 2));
        }
        auto* image = Add<TskSkinLinkImage>(Form, 10 + Look * kColumn, 518, 10, 10);
        image->SetTransparent(true);
        image->GetPicture()->Assign(Glyph.get());
        image->SetURL("https://vantorel.example/");
        Controls.push_back(image);
    }
    // A button label's caption moves its glyph: its ink is found by its colour instead,
    // which the label takes from its skin record or from its DefaultFont.
    void ButtonLabelInk(TskSkinButtonLabel* Label, bool Show) {
        const TColor other = clFuchsia;
        if (TskDataSkinStdLabelControl* record = LabelRecord(Label)) {
            if (!Show) SavedColors = {record->FontColor, record->ActiveFontColor};
            record->FontColor = Show ? SavedColors.first : other;
            record->ActiveFontColor = Show ? SavedColors.second : other;
            Label->Repaint();
            return;
        }
        if (!Show) {
            SavedColors.first = Label->GetDefaultFont()->GetColor();
            // A greyed caption takes the other colour only while the label is enabled.
            SavedDisabled = !Label->GetEnabled();
        }
        if (SavedDisabled) Label->SetEnabled(Show ? false : true);
        Label->GetDefaultFont()->SetColor(Show ? SavedColors.first : other);
        Label->Repaint();
    }

    // ---- The values half -----------------------------------------------------------------

    void Values(int Look) {
        auto* track = Place<TskSkinTrackBar>(kValues, Look, 0, 8, 110, 22);
        track->SetValue(30 + 10 * Look);
        auto* gauge = Place<TskSkinGauge>(kValues, Look, 0, 36, 100, 20);
        gauge->SetValue(25 + 25 * Look);
        gauge->SetShowPercent(true);
        auto* vtrack = Place<TskSkinTrackBar>(kValues, Look, 0, 62, 22, 100, "trackbar");
        vtrack->SetVertical(true);
        vtrack->SetValue(70);
        auto* vgauge = Place<TskSkinGauge>(kValues, Look, 30, 62, 20, 100, "vgauge");
        vgauge->SetVertical(true);
        vgauge->SetValue(40 + 15 * Look);
        vgauge->SetProgressText("Level ");
        vgauge->SetShowProgressText(true);
        vgauge->SetShowPercent(true);
        auto* vslider = Place<TskSkinSlider>(kValues, Look, 56, 62, 40, 100);
        vslider->SetOrientation(soVertical);
        vslider->SetBounds(vslider->GetLeft(), 62, 40, 100);
        vslider->SetValue(60);
        auto* slider = Place<TskSkinSlider>(kValues, Look, 0, 168, 140, 40);
        slider->SetValue(20 * Look + 10);
        for (TskSkinGauge* g : {gauge, vgauge}) {
            Texts.push_back({g, g->GetShownText(), FontOf<TskDataSkinGaugeControl>(g),
                             [g](bool Show) {
                                 g->SetShowPercent(Show);
                                 g->SetShowProgressText(Show && g->GetVertical());
                             },
                             g->GetVertical()});
        }
        // A track bar lights its thumb while it has the focus, a slider shows its focus;
        // the pressed ones hold their thumbs.
        for (TskSkinTrackBar* t : {track, vtrack}) {
            if (Look == lkHot) {
                t->SetCanFocused(true);
                Unlettered = t;
            }
            Cell(Look, t, Centre(t->CalcButtonRect(t->TrackRect())), Focus(Look, t));
        }
        for (TskSkinSlider* s : {slider, vslider})
            Cell(Look, s, Centre(s->GetThumbRect()), Focus(Look, s));
    }

    static TPoint Centre(const TRect& R) {
        return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    }
    static std::function<void()> Focus(int Look, TWinControl* Control) {
        if (Look != lkHot) return {};
        return [Control] { EXPECT_TRUE(TakeFocus(Control)) << Control->ClassName(); };
    }

    template <typename T> T* Strip(int Look, int Left, int Top, TBitmap* Default, int Count) {
        T* control = Place<T>(kValues, Look, Left, Top, 50, 50);
        if constexpr (std::is_base_of_v<TskFrameTimerControl, T>)
            control->SetTimerInterval(kNoTicks);
        if (Data) return control;
        control->SetDefaultFramesCount(Count);
        control->SetDefaultImage(Default);
        return control;
    }

    void Frames(int Look) {
        auto* toggle = Strip<TskSkinSwitch>(Look, 0, 216, Toggle.get(), 6);
        if (Look % 2 == 1) {
            toggle->SetState(TskSkinSwitchState::swOn);
            for (int tick = 0; tick < 6; ++tick) toggle->DoAnimate();
        }
        // The animation runs forward while the pointer is over it.
        auto* animate = Strip<TskSkinAnimate>(Look, 50, 216, Digits.get(), 10);
        animate->SetButtonMode(true);
        Cell(Look, animate, TPoint(12, 18));
        auto* knob = Strip<TskSkinFrameRegulator>(Look, 80, 216, Knob.get(), 12);
        knob->SetValue(25 * Look);
        // Pressed, the knob is turned two steps up and right.
        if (Look == lkPressed)
            Cell(Look, knob, TPoint(18, 18), [knob] {
                const int start = knob->GetValue();
                for (int step = 1; step <= 2; ++step) {
                    PointerTo(OnScreen(knob, 18 + 2 * step, 18 - 2 * step));
                    EXPECT_TRUE(PumpUntil([=] { return knob->GetValue() > start + step - 1; }));
                }
            });
        Strip<TskSkinFrameGauge>(Look, 0, 258, Bar.get(), 11)->SetValue(10 + 30 * Look);
    }

    void Buttons(int Look) {
        auto* menu = Place<TskSkinMenuButton>(kValues, Look, 0, 282, 100, 25);
        menu->SetCaption("Tools");
        auto* track = Place<TskSkinMenuButton>(kValues, Look, 0, 312, 100, 25);
        track->SetCaption("Pages");
        track->SetTrackButtonMode(true);
        auto* image = Place<TskSkinXFormButton>(kValues, Look, 0, 342, 70, 34);
        image->SetCaption("Go");
        GiveOvalLooks(image);
        for (TskSkinButton* button : {static_cast<TskSkinButton*>(menu),
                                      static_cast<TskSkinButton*>(track),
                                      static_cast<TskSkinButton*>(image)}) {
            Caption(button, FontOf<TskDataSkinButtonControl>(button));
            // The main part: the drop-down part of the track button opens no menu here.
            Cell(Look, button, TPoint(20, button->GetHeight() / 2));
        }
    }

    // ---- The looks -----------------------------------------------------------------------

    void BuildAndCapture(const char* FileName) {
        Form->SetBounds(10, 10, kValues + 4 * kColumn + 20, 580);
        Form->SetColor(Data ? kSkinFace : clBtnFace);
        SetWindowPos(Form->GetHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        Toggle = ToggleStrip();
        Digits = DigitStrip();
        Bar = BarStrip();
        Knob = KnobStrip();
        Glyph = RoundGlyph();
        for (int look = lkNormal; look <= lkDisabled; ++look) {
            Boxes(look);
            Groups(look);
            Labels(look);
            Values(look);
            Frames(look);
            Buttons(look);
            EndColumn(look);
        }
        Sheet = CaptureWindow(Form->GetHandle());
        for (const TLookCell& cell : Hot) ShowLook(cell, false);
        for (const TLookCell& cell : Pressed) ShowLook(cell, true);
        Park();
        Sheet->SaveToFile(ExeDir() + FileName);
        ExpectTextsWhole();
        EXPECT_TRUE(Errors.empty());
    }

    // The pointer over the cell's control, pressing when Press, and the control as the
    // screen then shows it into the sheet.
    void ShowLook(const TLookCell& Cell, bool Press) {
        TControl* control = Cell.Control;
        const TPoint at = OnScreen(control, Cell.Point.X, Cell.Point.Y);
        PointerTo(at);
        EXPECT_TRUE(PumpUntil([control] { return GetMouseControl() == control; }))
            << control->ClassName() << " is not under the pointer";
        if (Press) {
            PointerDown(at);
            EXPECT_TRUE(PumpUntil([control] { return GetCaptureControl() == control; }))
                << control->ClassName() << " took no press";
        }
        if (Cell.Then) Cell.Then();
        Settle(control);
        const auto shot = ScreenOf(control);
        RECT frame;
        GetWindowRect(Form->GetHandle(), &frame);
        const TPoint origin = OnScreen(control, 0, 0);
        Sheet->GetCanvas()->Draw(origin.X - frame.left, origin.Y - frame.top, shot.get());
        if (!Press) return;
        PointerUp(OnScreen(control, Cell.Point.X, Cell.Point.Y));
        EXPECT_TRUE(PumpUntil([] { return GetCaptureControl() == nullptr; }));
    }
    // Fades and animations driven to their end.
    static void Settle(TControl* Control) {
        if (auto* button = dynamic_cast<TskButtonCore*>(Control))
            while (button->IsMorphing()) button->DoMorph();
        if (auto* box = dynamic_cast<TskSkinCheckRadioBox*>(Control))
            while (box->IsMorphing()) box->DoMorph();
        if (auto* strip = dynamic_cast<TskFrameTimerControl*>(Control))
            for (int tick = 0; tick < strip->GetFramesCount() && strip->IsRunning(); ++tick)
                strip->DoAnimate();
        Pump();
    }
    // Every text is whole on the screen.
    void ExpectTextsWhole() {
        // No focus mark round a caption: it would come and go with the caption.
        EXPECT_TRUE(TakeFocus(Unlettered));
        for (const TShownText& shown : Texts) ExpectTextWhole(shown);
    }

    std::vector<TLookCell> Hot, Pressed;
    std::vector<TShownText> Texts;
    std::unique_ptr<TBitmap> Sheet, Glyph, Toggle, Digits, Bar, Knob;
    std::pair<TColor, TColor> SavedColors;
    bool SavedDisabled = false;
    // A control without a text, to hold the focus.
    TWinControl* Unlettered = nullptr;
};

TEST_F(ValuesDemo, WithTheProgramsSkin) {
    TskSkinData skin(nullptr);
    skin.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(skin.Empty);
    Data = &skin;
    BuildAndCapture("values-skinned.bmp");
}

TEST_F(ValuesDemo, WithoutAnySkin) {
    BuildAndCapture("values-default.bmp");
}

} // namespace

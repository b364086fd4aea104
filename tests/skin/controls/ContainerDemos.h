// Where the demos of the containers, native wrappers, tabs and spin edits place their
// controls: each family's own demo and the demo of all of them together build from here.
#pragma once

#include "skin/boxctrls/SkinBoxCtrls_SpinEdit.h"
#include "skin/controls/SkinCtrls_Buttons.h"
#include "skin/controls/SkinCtrls_ButtonsBars.h"
#include "skin/controls/SkinCtrls_ControlBars.h"
#include "skin/controls/SkinCtrls_Headers.h"
#include "skin/controls/SkinCtrls_Labels.h"
#include "skin/controls/SkinCtrls_Notebooks.h"
#include "skin/controls/SkinCtrls_Panels.h"
#include "skin/controls/SkinCtrls_RichEdits.h"
#include "skin/controls/SkinCtrls_ScrollBars.h"
#include "skin/controls/SkinCtrls_StatusPanels.h"
#include "skin/controls/SkinTabs.h"

#include "tests/skin/controls/DemoPictures.h"
#include "tests/skin/controls/SkinFixture.h"

#include <string>
#include <utility>

class ContainerDemoTest : public SkinDemoTest {
protected:
    // Four page controls of Width x Height, two by two from (Left, Top), with their tabs on
    // the top, the bottom, the left and the right; three sheets each, a button on the first.
    void PlaceTabsOnFourSides(int Left, int Top, int Width, int Height) {
        const TTabPosition positions[] = {tpTop, tpBottom, tpLeft, tpRight};
        for (int i = 0; i < 4; ++i) {
            auto* pages = new TskSkinPageControl(Form);
            pages->SetParent(HostOfControls());
            pages->SetBounds(Left + (i % 2) * (Width + 20), Top + (i / 2) * (Height + 10), Width,
                             Height);
            pages->SetTabPosition(positions[i]);
            for (const char* caption : {"General", "Colours", "Pins"}) {
                auto* sheet = new TskSkinTabSheet(Form);
                sheet->SetCaption(caption);
                sheet->SetPageControl(pages);
            }
            auto* button = new TskSkinButton(Form);
            button->SetParent(pages->GetPage(0));
            button->SetBounds(12, 12, 90, 25);
            button->SetCaption("On the page");
            button->SetSkinData(Data);
            pages->SetSkinData(Data);
            Pages.push_back(pages);
        }
    }
    // A single-line strip of ten tabs, too narrow for them: the skinned up-down scrolls it.
    TskSkinTabControl* PlaceOverflowingStrip(int Left, int Top, int Width) {
        auto* strip = new TskSkinTabControl(Form);
        strip->SetParent(HostOfControls());
        strip->SetBounds(Left, Top, Width, 40);
        for (int i = 1; i <= 10; ++i) strip->GetTabs()->Add("Page " + std::to_string(i));
        strip->SetTabIndex(1);
        strip->SetSkinData(Data);
        return strip;
    }

    // A notebook of four pages with its page buttons, the second page shown.
    TskSkinNotebook* PlaceNotebook(int Left, int Top) {
        auto* book = PlaceAt<TskSkinNotebook>(Left, Top, 200, 320, "notebook");
        TStrings* pages = book->GetPages();
        pages->Put(0, "Segments");
        for (const char* caption : {"Pins", "Pages", "Export"}) pages->Add(caption);
        for (int i = 0; i < pages->GetCount(); ++i) {
            auto* label = new TskSkinStdLabel(Form);
            label->SetParent(book->GetPage(i));
            label->SetBounds(10, 10, 150, 20);
            label->SetCaption("The " + pages->Get(i) + " page");
            label->SetSkinData(Data);
        }
        book->SetButtonsMode(true);
        book->SetPageIndex(1);
        return book;
    }
    // A buttons bar of three sections of eight items, the second open and scrolled down twice.
    TskSkinButtonsBar* PlaceScrolledButtonsBar(int Left, int Top) {
        auto* bar = PlaceAt<TskSkinButtonsBar>(Left, Top, 130, 320, "buttonsbar");
        bar->SetAlign(alNone);
        bar->SetBounds(Left, Top, 130, 320);
        bar->SetItemHeight(50);
        TskButtonBarSections* sections = bar->GetSections();
        sections->BeginUpdate();
        for (const char* name : {"Digits", "Letters", "Signs"}) {
            TskButtonBarSection* section = sections->Add();
            section->SetText(name);
            for (int j = 0; j < 8; ++j)
                section->GetItems()->Add()->SetText(Format("%s %d", name, j));
        }
        sections->EndUpdate();
        bar->OpenSection(1);
        bar->ScrollDown();
        bar->ScrollDown();
        return bar;
    }
    // A control bar with the skin's frame and two rows of bands, and below it one drawn in
    // the class library's look.
    void PlaceControlBars(int Left, int Top) {
        auto* controlBar = PlaceAt<TskSkinControlBar>(Left, Top, 180, 110);
        controlBar->SetSkinBevel(true);
        const char* captions[] = {"Open", "Save", "Add", "Delete", "Up"};
        for (int i = 0; i < 5; ++i) AddBand(controlBar, 60 * i, i < 2 ? 60 : 45, captions[i]);
        auto* plain = PlaceAt<TskSkinControlBar>(Left, Top + 120, 180, 80);
        plain->SetSkinDataName("none");
        for (int i = 0; i < 2; ++i) AddBand(plain, 80 * i, 60, i == 0 ? "Cut" : "Paste");
    }

    // A header of four sections, the third right-aligned.
    TskSkinHeaderControl* PlaceHeader(int Left, int Top) {
        auto* header = PlaceAt<TskSkinHeaderControl>(Left, Top, 420, 20, "header");
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
    // A rich edit of sixty long lines with its two skinned bars, scrolled through them a
    // third of the way down and a little to the right.
    TskSkinRichEdit* PlaceScrolledRichEdit(int Left, int Top) {
        auto* edit = PlaceAt<TskSkinRichEdit>(Left, Top, 401, 150, "richedit");
        edit->SetSkinSupport(true);
        edit->SetWordWrap(false);
        auto* vbar = PlaceAt<TskSkinScrollBar>(Left + 401, Top, 19, 150, "vscrollbar");
        vbar->SetKind(sbVertical);
        auto* hbar = PlaceAt<TskSkinScrollBar>(Left, Top + 150, 401, 19, "hscrollbar");
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
        return edit;
    }
    // The status bar along the form's bottom with three panels showing a lamp, the second
    // disabled (its lamp unlit).
    TskSkinStatusBar* PlaceStatusBar(int Width) {
        auto* status = PlaceAt<TskSkinStatusBar>(0, 0, Width, 23);
        auto lamp = LampStrip();
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
        return status;
    }
    // A whole and a decimal spin edit, 40 pixels apart, showing 123 + Step and 2.5 x Step.
    std::pair<TskSkinSpinEdit*, TskSkinSpinEdit*> PlaceSpinEdits(int Left, int Top, int Step) {
        auto* whole = PlaceAt<TskSkinSpinEdit>(Left, Top, 130, 20);
        whole->SetValue(123 + Step);
        auto* decimal = PlaceAt<TskSkinSpinEdit>(Left, Top + 40, 130, 20);
        decimal->SetValueType(vtFloat);
        decimal->SetValue(2.5 * Step);
        return {whole, decimal};
    }

    // The form as the screen shows it with the pointer over the third section of Hot and the
    // second section of Pressed held down: each is held in turn and the picture shows both.
    // The button is let go and the pointer moved away afterwards.
    std::unique_ptr<TBitmap> CaptureWithHeldHeaders(TskSkinHeaderControl* Hot,
                                                    TskSkinHeaderControl* Pressed) {
        PointerTo(Hot->ClientToScreen(TPoint(250, 10)));
        PumpUntil([&] { return Hot->GetHotSection() == 2; });
        auto lit = CaptureWindow(Form->GetHandle());
        const TPoint onPattern = Pressed->ClientToScreen(TPoint(130, 10));
        PointerTo(onPattern);
        PointerDown(onPattern);
        PumpUntil([&] { return Pressed->GetSectionPressed(); });
        auto shot = CaptureWindow(Form->GetHandle());
        const TRect strip = OnShot(Hot);
        shot->GetCanvas()->CopyRect(strip, lit->GetCanvas(), strip);
        PointerUp(onPattern);
        PointerTo(Form->ClientToScreen(TPoint(Form->GetClientWidth() - 2, 2)));
        return shot;
    }
    // Where Control lies on a picture of the whole form window.
    TRect OnShot(TControl* Control) const {
        const TPoint at = Control->ClientToScreen(TPoint(0, 0));
        RECT frame{};
        GetWindowRect(Form->GetHandle(), &frame);
        return TRect(at.X - frame.left, at.Y - frame.top,
                     at.X - frame.left + Control->GetWidth(), at.Y - frame.top + Control->GetHeight());
    }

    // The page controls of PlaceTabsOnFourSides, top, bottom, left and right.
    std::vector<TskSkinPageControl*> Pages;

private:
    void AddBand(TskSkinControlBar* Bar, int Left, int Width, const char* Caption) {
        auto* button = new TskSkinButton(Form);
        button->SetBounds(Left, 0, Width, 22);
        button->SetCaption(Caption);
        button->SetSkinData(Data);
        button->SetParent(Bar);
    }
};

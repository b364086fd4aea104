// The text, link and button labels and the link image: auto-size against the ink the
// screen shows, the skin's font or the defaults (and the default look for a missing or
// mismatched record), embossed disabled text, hover by the real pointer, links opened by
// real clicks through the injected shell call (only web and mail addresses, failures
// reported), the button label's glyph frames, form resources, and screenshots of every look
// (labels-skinned.bmp, labels-default.bmp beside the test program).
#include "skin/controls/SkinCtrls_TextLabels.h"

#include "classlib/Exceptions.h"
#include "classlib/FormLoader.h"
#include "classlib/ShellOpen.h"
#include "classlib/Strings.h"

#include "tests/skin/controls/DemoPictures.h"
#include "tests/skin/controls/SkinFixture.h"
#include "tests/skin/controls/TextInk.h"

#include <chrono>
#include <functional>

namespace {

const COLORREF kFace = RGB(210, 220, 230);
const TColor kSkinColour = clGreen, kSkinActive = clRed;

// ---- The screen and the pointer -------------------------------------------------------------

int CountOf(TBitmap* Picture, COLORREF Colour) {
    int count = 0;
    for (int y = 0; y < Picture->GetHeight(); ++y)
        for (int x = 0; x < Picture->GetWidth(); ++x)
            if (PixelOf(Picture, x, y) == Colour) ++count;
    return count;
}

TRect Inflated(const TRect& R, int By) {
    return TRect(R.Left - By, R.Top - By, R.Right + By, R.Bottom + By);
}

// The ink of Control and of the area round it within its parent, as the screen shows it.
TRect InkAround(TControl* Control) {
    const TRect around = Inflated(Control->GetBoundsRect(), 12);
    const TRect client = Control->GetParent()->GetClientRect();
    const TRect area(std::max(around.Left, client.Left), std::max(around.Top, client.Top),
                     std::min(around.Right, client.Right), std::min(around.Bottom, client.Bottom));
    auto shot = ScreenOf(Control, area);
    return InkOf(shot.get(), PixelOf(shot.get(), 0, 0), TPoint(area.Left, area.Top));
}

// The extent of Text in Font measured on the screen's DC, with the room a label keeps for
// the glyphs' overhang.
TPoint ScreenExtent(TFont* Font, const AnsiString& Text, UINT Flags = 0) {
    TCanvas canvas;
    HDC dc = GetDC(nullptr);
    canvas.SetHandle(dc);
    canvas.SetFont(Font);
    TRect r;
    canvas.TextRect(r, Text, Flags | DT_CALCRECT);
    const TPoint extent(r.Width() + canvas.TextOverhang(Text, Flags), r.Height());
    canvas.SetHandle(nullptr);
    ReleaseDC(nullptr, dc);
    return extent;
}

class TextLabels : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        // Out of the way of the windows of other programs on the display, and on top.
        Form->SetBounds(700, 500, 420, 320);
        Form->SetColor(static_cast<TColor>(kFace));
        SetWindowPos(Form->GetHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        Record = Skin.Add<TskDataSkinStdLabelControl>("stdlabel");
        Record->FontName = "Arial";
        Record->FontHeight = 22;
        Record->FontStyle = TFontStyles{fsItalic};
        Record->FontColor = kSkinColour;
        Record->ActiveFontColor = kSkinActive;
        Park();
    }
    void TearDown() override {
        Park();
        SetShellExecute(nullptr);
        ShownFormTest::TearDown();
    }
    // The pointer in the screen's corner, away from the form.
    static void Park() {
        PointerTo(TPoint(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2));
        Pump();
    }
    // The shell call replaced by one that records the addresses and answers Result.
    void InjectShell(INT_PTR Result) {
        SetShellExecute([this, Result](HWND, const char* Verb, const char* File, const char*,
                                       const char*, int Show) {
            EXPECT_STREQ(Verb, "open");
            EXPECT_EQ(Show, SW_SHOWNORMAL);
            Opened.push_back(File);
            return reinterpret_cast<HINSTANCE>(Result);
        });
    }
    // A click of the user's left button on Control, a third of the way in or two thirds by
    // turns: two clicks on one place would make a double click.
    void ClickOn(TControl* Control) {
        FarClick = !FarClick;
        const TPoint at = OnScreen(Control, Control->GetWidth() * (FarClick ? 2 : 1) / 3,
                                   Control->GetHeight() / 2);
        ClickAt(at);
    }

    TFixtureSkin Skin;
    TskDataSkinStdLabelControl* Record = nullptr;
    std::vector<std::string> Opened;
    bool FarClick = false;
};

// ---- Text label -----------------------------------------------------------------------------

TEST_F(TextLabels, ATextLabelFitsItsLinesAsTheScreenInksThemInTheFontItDrawsWith) {
    auto* label = Add<TskSkinTextLabel>(Form, 20, 20, 65, 65);
    // A new label keeps its size until it has text.
    EXPECT_EQ(label->GetBoundsRect(), TRect(20, 20, 85, 85));
    label->GetLines()->Add("Segments a to g");
    label->GetLines()->Add("and the point");
    TFont* plain = label->GetDefaultFont();
    TPoint extent = ScreenExtent(plain, "Segments a to g\r\nand the point");
    EXPECT_EQ(label->GetWidth(), extent.X);
    EXPECT_EQ(label->GetHeight(), extent.Y);

    // The skin's italic font arrives after the label sized itself: it fits again, and the
    // slanted ink stays inside.
    label->SetSkinData(Skin.Data.get());
    TFont skinFont;
    skinFont.SetName("Arial");
    skinFont.SetHeight(22);
    skinFont.SetStyle(TFontStyles{fsItalic});
    extent = ScreenExtent(&skinFont, "Segments a to g\r\nand the point");
    EXPECT_EQ(label->GetWidth(), extent.X);
    EXPECT_EQ(label->GetHeight(), extent.Y);
    TRect ink = InkAround(label);
    const TRect bounds = label->GetBoundsRect();
    EXPECT_GE(ink.Left, bounds.Left);
    EXPECT_GE(ink.Top, bounds.Top);
    EXPECT_LE(ink.Right, bounds.Right);
    EXPECT_LE(ink.Bottom, bounds.Bottom);
    // No more room than the overhang's.
    EXPECT_GE(ink.Right, bounds.Right - 6);

    // Aligned right, a shorter text keeps the right edge where it was.
    label->SetAlignment(taRightJustify);
    label->GetLines()->Delete(0);
    EXPECT_EQ(label->GetLeft() + label->GetWidth(), bounds.Right);
    EXPECT_LT(label->GetWidth(), bounds.Width());
    ink = InkAround(label);
    EXPECT_LE(ink.Right, bounds.Right);
    EXPECT_GE(ink.Left, label->GetLeft());

    // Wrapping, the label keeps its width and grows downwards, also after a short text.
    label->SetAlignment(taLeftJustify);
    label->SetBounds(20, 20, 120, 20);
    label->SetWordWrap(true);
    label->GetLines()->SetText("Short");
    label->GetLines()->SetText("A much longer line that has to wrap");
    EXPECT_EQ(label->GetWidth(), 120);
    TCanvas wrapped;
    HDC dc = GetDC(nullptr);
    wrapped.SetHandle(dc);
    wrapped.SetFont(&skinFont);
    TRect lines(0, 0, 120, 0);
    wrapped.TextRect(lines, "A much longer line that has to wrap", DT_WORDBREAK | DT_CALCRECT);
    wrapped.SetHandle(nullptr);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(label->GetHeight(), lines.Height());
    EXPECT_GT(label->GetHeight(), extent.Y);
    ink = InkAround(label);
    EXPECT_LE(ink.Bottom, label->GetTop() + label->GetHeight());
}

TEST_F(TextLabels, ATextLabelDrawsInTheSkinsColourAndTheDefaultLookWithoutAStdLabelRecord) {
    auto* label = Add<TskSkinTextLabel>(Form, 20, 20, 65, 65);
    label->GetLines()->SetText("WWWW");
    label->GetDefaultFont()->SetColor(clBlue);
    label->GetFont()->SetColor(clFuchsia);
    auto count = [&](TColor Colour) {
        auto shot = ScreenOf(label);
        return CountOf(shot.get(), ColorToRGB(Colour));
    };
    EXPECT_GT(count(clBlue), 20);
    EXPECT_EQ(count(kSkinColour), 0);
    EXPECT_EQ(count(clFuchsia), 0);
    label->SetSkinData(Skin.Data.get());
    EXPECT_GT(count(kSkinColour), 20);
    EXPECT_EQ(count(clBlue), 0);
    // Without the skin's font: the label's own font, in the skin's colour.
    label->SetUseSkinFont(false);
    EXPECT_EQ(label->GetHeight(), ScreenExtent(label->GetFont(), "WWWW").Y);
    EXPECT_GT(count(kSkinColour), 20);

    // A "stdlabel" section holding a record of another kind, a missing section and an
    // empty skin all give the default look.
    label->SetUseSkinFont(true);
    TFixtureSkin mismatched;
    mismatched.Add<TskDataSkinButtonControl>("stdlabel")->FontColor = kSkinColour;
    label->SetSkinData(mismatched.Data.get());
    EXPECT_EQ(count(kSkinColour), 0);
    EXPECT_GT(count(clBlue), 20);
    EXPECT_EQ(label->GetHeight(), ScreenExtent(label->GetDefaultFont(), "WWWW").Y);
    label->SetSkinData(Skin.Data.get());
    label->SetSkinDataName("nosuchlabel");
    EXPECT_EQ(count(kSkinColour), 0);
    EXPECT_GT(count(clBlue), 20);
    label->SetSkinDataName("stdlabel");
    Skin.Data->Empty = true;
    EXPECT_EQ(count(kSkinColour), 0);
    EXPECT_GT(count(clBlue), 20);
}

TEST_F(TextLabels, ADisabledTextLabelIsEmbossedWithTheShadowOverTheLight) {
    auto* label = Add<TskSkinTextLabel>(Form, 20, 20, 65, 65);
    label->SetSkinData(Skin.Data.get());
    label->GetLines()->SetText("Embossed");
    label->SetEnabled(false);
    auto shot = ScreenOf(label, Inflated(label->GetBoundsRect(), 2));
    const COLORREF light = ColorToRGB(clBtnHighlight), shadow = ColorToRGB(clBtnShadow);
    EXPECT_EQ(CountOf(shot.get(), ColorToRGB(kSkinColour)), 0);
    int lightUnder = 0, shadows = 0;
    for (int y = 0; y + 1 < shot->GetHeight(); ++y)
        for (int x = 0; x + 1 < shot->GetWidth(); ++x)
            if (PixelOf(shot.get(), x, y) == shadow) {
                ++shadows;
                // The light copy lies one pixel down and right: it shows where the shadow
                // does not cover it.
                if (PixelOf(shot.get(), x + 1, y + 1) == light) ++lightUnder;
            }
    EXPECT_GT(shadows, 20);
    EXPECT_GT(lightUnder, 5);
}

// ---- Link label and link image --------------------------------------------------------------

TEST_F(TextLabels, ALinkLabelWithALoneAccelMarkIsOneBlankWide) {
    auto* link = Add<TskSkinLinkLabel>(Form, 20, 20, 65, 17);
    link->SetCaption("&");
    EXPECT_TRUE(link->GetShowAccelChar());
    const TPoint blank = ScreenExtent(link->GetDefaultFont(), " ");
    EXPECT_GT(blank.X, 0);
    EXPECT_EQ(link->GetWidth(), blank.X);
    EXPECT_EQ(link->GetHeight(), blank.Y);
    // Shown as it is, the mark has a width of its own.
    link->SetShowAccelChar(false);
    EXPECT_EQ(link->GetWidth(), ScreenExtent(link->GetDefaultFont(), "&", DT_NOPREFIX).X);
}

TEST_F(TextLabels, ALinkLabelFitsItsUnderlinedTextAndTurnsItsActiveColourUnderThePointer) {
    auto* link = Add<TskSkinLinkLabel>(Form, 30, 40, 65, 17);
    link->SetCaption("vantorel.example/led");
    EXPECT_EQ(link->GetCursor(), crHandPoint);
    auto colourCount = [&](TColor Colour) {
        auto shot = ScreenOf(link);
        return CountOf(shot.get(), ColorToRGB(Colour));
    };
    for (bool skinned : {false, true}) {
        SCOPED_TRACE(skinned ? "skinned" : "default");
        if (skinned) link->SetSkinData(Skin.Data.get());
        const TColor normal = skinned ? kSkinColour : link->GetDefaultFont()->GetColor();
        const TColor active = skinned ? kSkinActive : clBlue;
        TRect ink = InkAround(link);
        const TRect bounds = link->GetBoundsRect();
        EXPECT_GE(ink.Left, bounds.Left);
        EXPECT_LE(ink.Right, bounds.Right);
        EXPECT_LE(ink.Bottom, bounds.Bottom);
        // The underline runs under the whole text.
        EXPECT_GE(ink.Width(), bounds.Width() - 6);
        EXPECT_GT(colourCount(normal), 20);
        EXPECT_EQ(colourCount(active), 0);

        PointerTo(OnScreen(link, 5, link->GetHeight() / 2));
        ASSERT_TRUE(PumpUntil([&] { return link->IsMouseOver(); }));
        EXPECT_GT(colourCount(active), 20);
        EXPECT_EQ(colourCount(normal), 0);
        PointerTo(OnScreen(link, link->GetWidth() + 40, link->GetHeight() + 40));
        ASSERT_TRUE(PumpUntil([&] { return !link->IsMouseOver(); }));
        EXPECT_GT(colourCount(normal), 20);
        EXPECT_EQ(colourCount(active), 0);
    }
}

TEST_F(TextLabels, ClicksOpenOnlyWebAndMailAddressesAndAFailingShellIsReportedNamingTheAddress) {
    auto* link = Add<TskSkinLinkLabel>(Form, 20, 20, 65, 17);
    link->SetCaption("Open the link");
    auto* image = Add<TskSkinLinkImage>(Form, 20, 80, 10, 10);
    TBitmap picture(40, 30);
    picture.GetCanvas()->GetBrush()->SetColor(clNavy);
    picture.GetCanvas()->FillRect(TRect(0, 0, 40, 30));
    image->GetPicture()->Assign(&picture);
    EXPECT_EQ(image->GetBoundsRect(), TRect(20, 80, 60, 110));
    int clicks = 0;
    link->OnClick = TNotifyEvent::FromCallable([&](TObject*) { ++clicks; });
    InjectShell(42);

    const char* const opened[] = {"http://vantorel.example/", "HTTPS://vantorel.example/pages",
                                  "MailTo:someone@vantorel.example"};
    for (const char* url : opened) {
        link->SetURL(url);
        image->SetURL(url);
        ClickOn(link);
        ClickOn(image);
        ASSERT_TRUE(PumpUntil([&] { return Opened.size() == 2; })) << url;
        EXPECT_EQ(Opened, (std::vector<std::string>{url, url}));
        Opened.clear();
    }
    EXPECT_EQ(clicks, 3);
    EXPECT_TRUE(Errors.empty());

    const char* const refused[] = {"file:///C:/windows/notepad.exe",
                                   "C:\\windows\\notepad.exe",
                                   "notepad.exe",
                                   "javascript:alert(1)",
                                   "httpx://vantorel.example",
                                   " http://vantorel.example"};
    for (const char* url : refused) {
        link->SetURL(url);
        image->SetURL(url);
        ClickOn(link);
        ClickOn(image);
        ASSERT_TRUE(PumpUntil([&] { return Errors.size() == 2; })) << url;
        for (const std::string& error : Errors)
            EXPECT_NE(error.find(url), std::string::npos) << error;
        Errors.clear();
    }
    EXPECT_TRUE(Opened.empty());
    // The label's own click event still ran.
    EXPECT_EQ(clicks, 3 + 6);

    // No address: nothing to open and nothing to report.
    link->SetURL("");
    ClickOn(link);
    ASSERT_TRUE(PumpUntil([&] { return clicks == 10; }));
    EXPECT_TRUE(Opened.empty());
    EXPECT_TRUE(Errors.empty());

    // The shell answers "file not found": reported with the address.
    InjectShell(ERROR_FILE_NOT_FOUND);
    link->SetURL("https://vantorel.example/missing");
    ClickOn(link);
    ASSERT_TRUE(PumpUntil([&] { return Errors.size() == 1; }));
    EXPECT_EQ(Opened, std::vector<std::string>{"https://vantorel.example/missing"});
    EXPECT_NE(Errors[0].find("Cannot open https://vantorel.example/missing"), std::string::npos)
        << Errors[0];
    Errors.clear();
}

// ---- Button label ---------------------------------------------------------------------------

// A strip of 10 x 10 frames, each one flat colour inside a white margin (the bottom-left
// pixel is the transparent colour of a glyph).
const COLORREF kFrames[] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 200), RGB(200, 200, 0)};

std::unique_ptr<TBitmap> FrameStrip(int Count) {
    auto strip = std::make_unique<TBitmap>(10 * Count, 10);
    strip->SetPixelFormat(pf24bit);
    TCanvas* canvas = strip->GetCanvas();
    canvas->GetBrush()->SetColor(clWhite);
    canvas->FillRect(TRect(0, 0, 10 * Count, 10));
    for (int i = 0; i < Count; ++i) {
        canvas->GetBrush()->SetColor(static_cast<TColor>(kFrames[i]));
        canvas->FillRect(TRect(i * 10 + 1, 1, i * 10 + 9, 9));
    }
    return strip;
}

TEST_F(TextLabels, AButtonLabelShowsTheGlyphFrameOfItsLookForOneToFourFrames) {
    auto* label = Add<TskSkinButtonLabel>(Form, 20, 20, 100, 50);
    EXPECT_EQ(label->GetSpacing(), 1);
    EXPECT_EQ(label->GetMargin(), -1);
    label->SetCaption("Add");
    label->SetMargin(4);
    // The glyph's middle: 4 pixels in, vertically centred.
    const TPoint glyphAt(label->GetLeft() + 4 + 5, label->GetTop() + 25);
    auto shownFrame = [&] {
        auto shot = PaintToBitmap(Form);
        const COLORREF pixel = PixelOf(shot.get(), glyphAt.X, glyphAt.Y);
        for (int i = 0; i < 4; ++i)
            if (pixel == kFrames[i]) return i + 1;
        return 0;
    };
    struct TLook {
        const char* Name;
        std::function<void()> Enter;
        int Frames[4];
    };
    auto press = [&] { MouseDown(Form, 30, 30); };
    const TLook looks[] = {
        {"normal", [] {}, {1, 1, 1, 1}},
        {"hovered", [&] { MouseMove(Form, 30, 30); }, {1, 1, 1, 4}},
        {"pressed", press, {1, 1, 3, 3}},
        {"pressed, dragged off",
         [&] {
             press();
             SendMessageA(Form->GetHandle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 200));
         },
         {1, 1, 1, 1}},
        {"disabled", [&] { label->SetEnabled(false); }, {1, 2, 2, 2}},
    };
    for (const TLook& look : looks) {
        for (int count = 1; count <= 4; ++count) {
            SCOPED_TRACE(std::string(look.Name) + ", frames " + std::to_string(count));
            auto strip = FrameStrip(count);
            label->SetGlyph(strip.get());
            label->SetNumGlyphs(count);
            look.Enter();
            EXPECT_EQ(label->GetNumGlyphs(), count);
            EXPECT_EQ(label->GlyphIndex(), look.Frames[count - 1]);
            EXPECT_EQ(shownFrame(), look.Frames[count - 1]);
            // Back to rest: released, away, enabled.
            SendMessageA(Form->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
            SendMessageA(Form->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(300, 200));
            label->SetEnabled(true);
            EXPECT_FALSE(label->IsPressed());
            EXPECT_FALSE(label->IsMouseOver());
        }
    }
    label->SetNumGlyphs(7);
    EXPECT_EQ(label->GetNumGlyphs(), 4);
    label->SetMargin(-5);
    EXPECT_EQ(label->GetMargin(), 4);
}

TEST_F(TextLabels, ADisabledButtonLabelGreysItsCaptionWithItsGlyph) {
    auto* label = Add<TskSkinButtonLabel>(Form, 20, 20, 140, 40);
    label->SetCaption("Animate Pages");
    auto count = [&](TColor Colour) {
        auto shot = ScreenOf(label);
        return CountOf(shot.get(), ColorToRGB(Colour));
    };
    const TColor normal = label->GetDefaultFont()->GetColor();
    ASSERT_GT(count(normal), 20);
    label->SetEnabled(false);
    EXPECT_EQ(count(normal), 0);
    EXPECT_GT(count(clBtnShadow), 20);
}

TEST_F(TextLabels, AButtonLabelColoursItsCaptionUnderThePointerAndClicks) {
    auto* label = Add<TskSkinButtonLabel>(Form, 20, 20, 140, 40);
    label->SetCaption("Animate Pages");
    int clicks = 0;
    label->OnClick = TNotifyEvent::FromCallable([&](TObject*) { ++clicks; });
    auto count = [&](TColor Colour) {
        auto shot = ScreenOf(label);
        return CountOf(shot.get(), ColorToRGB(Colour));
    };
    for (bool skinned : {false, true}) {
        SCOPED_TRACE(skinned ? "skinned" : "default");
        if (skinned) label->SetSkinData(Skin.Data.get());
        const TColor normal = skinned ? kSkinColour : label->GetDefaultFont()->GetColor();
        const TColor active = skinned ? kSkinActive : clBlue;
        EXPECT_GT(count(normal), 20);
        PointerTo(OnScreen(label, 70, 20));
        ASSERT_TRUE(PumpUntil([&] { return label->IsMouseOver(); }));
        EXPECT_GT(count(active), 20);
        EXPECT_EQ(count(normal), 0);
        ClickOn(label);
        ASSERT_TRUE(PumpUntil([&] { return clicks == (skinned ? 2 : 1); }));
        Park();
        ASSERT_TRUE(PumpUntil([&] { return !label->IsMouseOver(); }));
        EXPECT_GT(count(normal), 20);
        // Every text fits: the caption's ink stays inside.
        const TRect ink = InkAround(label);
        EXPECT_TRUE(ink.Left >= label->GetLeft() && ink.Right <= label->GetLeft() + 140)
            << ink.Left;
    }
}

// ---- Form resources ---------------------------------------------------------------------------

TEST(TextLabelResources, EveryLabelTravelsThroughAFormResourceWithItsGlyphAndPicture) {
    TForm form(nullptr);
    form.SetName("Labels");
    auto* text = new TskSkinTextLabel(&form);
    text->SetName("TL_Note");
    text->SetParent(&form);
    text->GetLines()->SetText("first\r\nsecond");
    text->SetAlignment(taCenter);
    text->SetLayout(tlBottom);
    auto* link = new TskSkinLinkLabel(&form);
    link->SetName("LL_Home");
    link->SetParent(&form);
    link->SetCaption("Home");
    link->SetURL("https://vantorel.example/");
    link->SetDefaultActiveFontColor(clRed);
    auto* image = new TskSkinLinkImage(&form);
    image->SetName("LI_Logo");
    image->SetParent(&form);
    image->SetURL("mailto:pages@vantorel.example");
    auto picture = FrameStrip(2);
    image->GetPicture()->Assign(picture.get());
    auto* button = new TskSkinButtonLabel(&form);
    button->SetName("BL_Add");
    button->SetParent(&form);
    button->SetCaption("Add");
    auto glyph = FrameStrip(3);
    button->SetGlyph(glyph.get());
    button->SetNumGlyphs(3);
    button->SetSpacing(4);
    button->SetLayout(blGlyphTop);

    const AnsiString written = WriteComponentText(&form);
    EXPECT_NE(written.find("Spacing = 4"), AnsiString::npos);
    EXPECT_NE(written.find("Glyph.Data = {"), AnsiString::npos);
    TForm copy(nullptr);
    ReadComponentText(written, &copy);
    auto* readText = dynamic_cast<TskSkinTextLabel*>(copy.FindComponent("TL_Note"));
    auto* readLink = dynamic_cast<TskSkinLinkLabel*>(copy.FindComponent("LL_Home"));
    auto* readImage = dynamic_cast<TskSkinLinkImage*>(copy.FindComponent("LI_Logo"));
    auto* readButton = dynamic_cast<TskSkinButtonLabel*>(copy.FindComponent("BL_Add"));
    ASSERT_TRUE(readText && readLink && readImage && readButton);
    EXPECT_EQ(readText->GetLines()->GetText(), "first\r\nsecond\r\n");
    EXPECT_EQ(readText->GetAlignment(), taCenter);
    EXPECT_EQ(readText->GetLayout(), tlBottom);
    EXPECT_EQ(readText->GetBoundsRect(), text->GetBoundsRect());
    EXPECT_EQ(readLink->GetURL(), "https://vantorel.example/");
    EXPECT_EQ(readLink->GetDefaultActiveFontColor(), clRed);
    EXPECT_TRUE(readLink->GetTransparent());
    EXPECT_EQ(readImage->GetURL(), "mailto:pages@vantorel.example");
    EXPECT_EQ(readImage->GetWidth(), 20);
    EXPECT_EQ(readButton->GetSpacing(), 4);
    EXPECT_EQ(readButton->GetNumGlyphs(), 3);
    EXPECT_EQ(readButton->GetLayout(), blGlyphTop);
    ASSERT_EQ(readButton->GetGlyph()->GetWidth(), 30);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(PixelOf(readButton->GetGlyph(), i * 10 + 5, 5), kFrames[i]);
    EXPECT_EQ(WriteComponentText(&copy), written);

    // A label at the constructor's spacing stores none.
    button->SetSpacing(1);
    EXPECT_EQ(WriteComponentText(&form).find("Spacing"), AnsiString::npos);
}

TEST(TextLabelResources, DamagedGlyphDataIsTheReadersErrorNamingTheLabel) {
    TForm form(nullptr);
    form.SetName("Labels");
    auto* button = new TskSkinButtonLabel(&form);
    button->SetName("BL_Bad");
    button->SetParent(&form);
    auto glyph = FrameStrip(2);
    button->SetGlyph(glyph.get());
    const AnsiString written = WriteComponentText(&form);
    const std::size_t data = written.find("Glyph.Data = {");
    ASSERT_NE(data, AnsiString::npos);
    const std::size_t end = written.find('}', data);
    // The picture cut short, and one with bytes after it.
    AnsiString cut = written;
    cut.erase(end - 8, 8);
    AnsiString padded = written;
    padded.insert(end, "00");
    for (const AnsiString& damaged : {cut, padded}) {
        TForm copy(nullptr);
        try {
            ReadComponentText(damaged, &copy);
            ADD_FAILURE() << "read: " << damaged;
        } catch (const EReadError& E) {
            EXPECT_NE(E.Message().find("BL_Bad.Glyph.Data"), AnsiString::npos) << E.Message();
        }
    }
}

// ---- Every look, with the program's skin and without one --------------------------------------

constexpr int kColumn = 150;

class TextLabelsDemo : public SkinDemoTest {
protected:
    void BuildAndCapture(const char* FileName, TColor Face) {
        Form->SetBounds(20, 20, 10 + 4 * kColumn + 20, 300);
        Form->SetColor(Face);
        auto glyph = RoundGlyph();
        std::vector<TControl*> labels, pressed;
        for (int state = 0; state < 4; ++state) {
            const int x = 10 + state * kColumn;
            auto* text = PlaceAt<TskSkinTextLabel>(x, 10, 65, 65);
            text->GetLines()->SetText("Segments a to g\r\nand the point");
            auto* link = PlaceAt<TskSkinLinkLabel>(x, 70, 65, 17);
            link->SetCaption("vantorel.example");
            auto* button = PlaceAt<TskSkinButtonLabel>(x, 105, 130, 30);
            button->SetCaption("Add Page");
            button->SetGlyph(glyph.get());
            button->SetNumGlyphs(4);
            auto* top = PlaceAt<TskSkinButtonLabel>(x, 150, 130, 50);
            top->SetCaption("Animate");
            top->SetGlyph(glyph.get());
            top->SetNumGlyphs(4);
            top->SetLayout(blGlyphTop);
            top->SetSpacing(4);
            auto* image = Add<TskSkinLinkImage>(Form, x, 215, 10, 10);
            image->SetTransparent(true);
            image->GetPicture()->Assign(glyph.get());
            if (state == 1) {
                for (TControl* control :
                     {static_cast<TControl*>(link), static_cast<TControl*>(button),
                      static_cast<TControl*>(top)})
                    control->Perform(CM_MOUSEENTER, 0, 0);
            } else if (state == 2) {
                // Pressed under the pointer; the next press must not go to the one before.
                for (TControl* control :
                     {static_cast<TControl*>(button), static_cast<TControl*>(top)}) {
                    const LPARAM at = MAKELPARAM(control->GetLeft() + 5, control->GetTop() + 5);
                    SendMessageA(Form->GetHandle(), WM_MOUSEMOVE, 0, at);
                    SendMessageA(Form->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
                    ReleaseCapture();
                    pressed.push_back(control);
                }
                pressed.push_back(link);
            }
            labels.insert(labels.end(), {text, link, button, top});
            EndColumn(state);
        }
        for (TControl* control : pressed)
            control->Perform(CM_MOUSEENTER, 0, 0);
        Capture(FileName);
        // Every text fits: no ink of a label lies outside its bounds.
        for (TControl* label : labels) {
            const TRect ink = InkAround(label);
            const TRect bounds = label->GetBoundsRect();
            EXPECT_TRUE(ink.Left >= bounds.Left && ink.Top >= bounds.Top &&
                        ink.Right <= bounds.Right && ink.Bottom <= bounds.Bottom)
                << label->ClassName() << " at " << bounds.Left << "," << bounds.Top << ","
                << bounds.Right << "," << bounds.Bottom << ": ink " << ink.Left << "," << ink.Top
                << "," << ink.Right << "," << ink.Bottom;
        }
    }
};

TEST_F(TextLabelsDemo, WithTheProgramsSkin) {
    TskSkinData skin(nullptr);
    skin.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(skin.Empty);
    Data = &skin;
    // The face of the skin's forms.
    BuildAndCapture("labels-skinned.bmp", static_cast<TColor>(RGB(236, 238, 242)));
}

TEST_F(TextLabelsDemo, WithoutAnySkin) {
    BuildAndCapture("labels-default.bmp", clBtnFace);
}

} // namespace

// The image button: without a skin record its pictures give its size, its looks and the
// shape of its window; with one it is a plain skinned button; its pictures travel through
// form resources, and damaged picture data is the reader's error naming the button.
#include "skin/controls/SkinCtrls_ImageButtons.h"

#include "classlib/Exceptions.h"
#include "classlib/FormLoader.h"
#include "classlib/Streams.h"

#include "tests/skin/controls/SkinFixture.h"

namespace {

const TColor kNormal = clRed, kActive = clLime, kDown = clBlue;

std::unique_ptr<TBitmap> Picture(int W, int H, TColor Colour) {
    auto picture = std::make_unique<TBitmap>(W, H);
    picture->SetPixelFormat(pf24bit);
    picture->GetCanvas()->GetBrush()->SetColor(Colour);
    picture->GetCanvas()->FillRect(TRect(0, 0, W, H));
    return picture;
}

// A white mask of W x H whose rectangle Black belongs to the window.
std::unique_ptr<TBitmap> Mask(int W, int H, const TRect& Black) {
    auto mask = Picture(W, H, clWhite);
    mask->GetCanvas()->GetBrush()->SetColor(clBlack);
    mask->GetCanvas()->FillRect(Black);
    return mask;
}

class ImageButton : public ShownFormTest {
protected:
    TskSkinXFormButton* Button() {
        auto* button = Add<TskSkinXFormButton>(Form, 10, 10, 100, 50);
        button->SetDefImage(Picture(40, 20, kNormal).get());
        button->SetDefActiveImage(Picture(40, 20, kActive).get());
        button->SetDefDownImage(Picture(40, 20, kDown).get());
        button->OnClick = TNotifyEvent::FromCallable([this](TObject*) { ++Clicks; });
        return button;
    }
    static COLORREF Middle(TWinControl* Control) {
        auto picture = PaintToBitmap(Control);
        return PixelOf(picture.get(), 3, 3);
    }
    static int Count(TWinControl* Control, TColor Colour) {
        auto picture = PaintToBitmap(Control);
        int count = 0;
        for (int y = 0; y < picture->GetHeight(); ++y)
            for (int x = 0; x < picture->GetWidth(); ++x)
                if (PixelOf(picture.get(), x, y) == ColorToRGB(Colour)) ++count;
        return count;
    }

    int Clicks = 0;
};

TEST_F(ImageButton, ItsPicturesGiveItsSizeAndItsLooks) {
    TskSkinXFormButton* button = Button();
    EXPECT_FALSE(button->GetCanFocused());
    EXPECT_FALSE(button->GetTabStop());
    EXPECT_EQ(TPoint(button->GetWidth(), button->GetHeight()), TPoint(40, 20));
    button->SetBounds(10, 10, 100, 50);
    EXPECT_EQ(TPoint(button->GetWidth(), button->GetHeight()), TPoint(40, 20)) << "snaps back";
    EXPECT_EQ(Middle(button), static_cast<COLORREF>(kNormal));
    MouseMove(button, 5, 5);
    EXPECT_EQ(Middle(button), static_cast<COLORREF>(kActive));
    MouseDown(button, 5, 5);
    EXPECT_EQ(Middle(button), static_cast<COLORREF>(kDown));
    MouseUp(button, 5, 5);
    EXPECT_EQ(Clicks, 1);

    // Without a pressed picture a press shows the hot one, in the pressed caption colour.
    TBitmap none;
    button->SetDefDownImage(&none);
    button->SetCaption("WW");
    button->SetDefActiveFontColor(clNavy);
    button->SetDefDownFontColor(clYellow);
    EXPECT_GT(Count(button, clNavy), 0);
    EXPECT_EQ(Count(button, clYellow), 0);
    MouseDown(button, 5, 5);
    EXPECT_EQ(Middle(button), static_cast<COLORREF>(kActive));
    EXPECT_GT(Count(button, clYellow), 0);
    EXPECT_EQ(Count(button, clNavy), 0);
    MouseUp(button, 5, 5);
    // Neither hot nor pressed: the normal picture and the font's own colour.
    MouseAway(button);
    EXPECT_EQ(Middle(button), static_cast<COLORREF>(kNormal));
    EXPECT_EQ(Count(button, clYellow) + Count(button, clNavy), 0);
    // Disabled, its caption greys as every plain button's does.
    const int shadow = Count(button, clBtnShadow);
    button->SetEnabled(false);
    EXPECT_GT(Count(button, clBtnShadow), shadow);
}

TEST_F(ImageButton, TheMaskShapesTheWindowAndEveryChangeLeavesItOneRegion) {
    TskSkinXFormButton* button = Button();
    button->SetDefMask(Mask(40, 20, TRect(0, 0, 10, 20)).get());
    EXPECT_EQ(RegionBox(button), TRect(0, 0, 10, 20));
    // The window owns each region it is handed; changing masks many times leaves the
    // newest shape and nothing else.
    for (int i = 0; i < 100; ++i)
        button->SetDefMask(Mask(40, 20, i % 2 ? TRect(0, 0, 10, 20) : TRect(20, 5, 40, 15)).get());
    EXPECT_EQ(RegionBox(button), TRect(0, 0, 10, 20));
    // A mask without black pixels would hide the button: it stays whole.
    button->SetDefMask(Picture(40, 20, clWhite).get());
    EXPECT_EQ(RegionBox(button), TRect());
    button->SetDefMask(Mask(40, 20, TRect(20, 5, 40, 15)).get());
    EXPECT_EQ(RegionBox(button), TRect(20, 5, 40, 15));
    TBitmap none;
    button->SetDefMask(&none);
    EXPECT_EQ(RegionBox(button), TRect());

    // Without a picture of its own the mask is not its shape.
    auto* plain = Add<TskSkinXFormButton>(Form, 10, 60, 60, 24);
    plain->SetDefMask(Mask(40, 20, TRect(0, 0, 10, 20)).get());
    EXPECT_EQ(RegionBox(plain), TRect());
    EXPECT_EQ(TPoint(plain->GetWidth(), plain->GetHeight()), TPoint(60, 24));
    EXPECT_TRUE(Errors.empty());
}

TEST_F(ImageButton, WithASkinRecordItIsAPlainSkinnedButton) {
    TFixtureSkin skin;
    const int pic = skin.AddPicture(60, 24);
    skin.Fill(pic, TRect(0, 0, 60, 24), clPurple);
    skin.AddFramed<TskDataSkinButtonControl>("button", pic, TRect(0, 0, 60, 24));
    TskSkinXFormButton* button = Button();
    button->SetDefMask(Mask(40, 20, TRect(0, 0, 10, 20)).get());
    button->SetSkinData(skin.Data.get());
    button->SetBounds(10, 10, 90, 30);
    EXPECT_EQ(TPoint(button->GetWidth(), button->GetHeight()), TPoint(90, 30));
    EXPECT_EQ(Middle(button), static_cast<COLORREF>(clPurple));
    EXPECT_EQ(RegionBox(button), TRect());
    // A section the skin lacks: the pictures again.
    button->SetSkinDataName("imagebutton");
    button->ChangeSkinData();
    EXPECT_EQ(TPoint(button->GetWidth(), button->GetHeight()), TPoint(40, 20));
    EXPECT_EQ(RegionBox(button), TRect(0, 0, 10, 20));
    EXPECT_EQ(Middle(button), static_cast<COLORREF>(kNormal));
}

TEST_F(ImageButton, ItsPicturesTravelThroughFormResources) {
    TskSkinXFormButton* button = Button();
    button->SetName("BTN_Go");
    button->SetDefMask(Mask(40, 20, TRect(5, 0, 35, 20)).get());
    TBitmap none;
    button->SetDefActiveImage(&none);
    button->SetDefDownFontColor(clYellow);
    const AnsiString text = WriteComponentText(Form);
    for (const char* stored :
         {"DefImage.Data", "DefDownImage.Data", "DefMask.Data", "DefDownFontColor"})
        EXPECT_NE(text.find(stored), AnsiString::npos) << stored;
    EXPECT_EQ(text.find("DefActiveImage.Data"), AnsiString::npos) << "an empty picture is left out";

    TForm copy(nullptr);
    ReadComponentText(text, &copy);
    auto* read = dynamic_cast<TskSkinXFormButton*>(copy.FindComponent("BTN_Go"));
    ASSERT_NE(read, nullptr);
    copy.SetBounds(60, 60, 200, 100);
    copy.Show();
    Pump();
    EXPECT_EQ(TPoint(read->GetWidth(), read->GetHeight()), TPoint(40, 20));
    EXPECT_EQ(PixelOf(read->GetDefImage(), 20, 10), static_cast<COLORREF>(kNormal));
    EXPECT_EQ(PixelOf(read->GetDefDownImage(), 20, 10), static_cast<COLORREF>(kDown));
    EXPECT_TRUE(read->GetDefActiveImage()->GetEmpty());
    EXPECT_EQ(read->GetDefDownFontColor(), clYellow);
    EXPECT_EQ(RegionBox(read), TRect(5, 0, 35, 20));
    // Written again, the mask's data is the same.
    auto maskData = [](const AnsiString& Text) {
        const std::size_t start = Text.find("DefMask.Data");
        return Text.substr(start, Text.find('}', start) - start);
    };
    EXPECT_EQ(maskData(WriteComponentText(&copy)), maskData(text));
}

TEST_F(ImageButton, DamagedPictureDataIsTheReadersErrorNamingTheButton) {
    // A bitmap's data is its BMP file.
    TStringStream file;
    Picture(4, 2, kNormal)->SaveToStream(&file);
    const std::string bmp = file.GetDataString();
    auto hex = [](const std::string& Bytes) {
        std::string text;
        for (unsigned char c : Bytes)
            text += std::string{"0123456789ABCDEF"[c >> 4], "0123456789ABCDEF"[c & 15]};
        return text;
    };
    for (const char* property : {"DefImage", "DefActiveImage", "DefDownImage", "DefMask"}) {
        for (const std::string& data : {bmp.substr(0, bmp.size() - 3), bmp + "x", bmp.substr(0, 14),
                                        std::string("\x07TBitmap") + bmp}) {
            const std::string text = "object Holder: TForm\r\n"
                                     "  object BTN_Go: TskSkinXFormButton\r\n"
                                     "    " +
                                     std::string(property) + ".Data = {" + hex(data) +
                                     "}\r\n"
                                     "  end\r\n"
                                     "end\r\n";
            TForm copy(nullptr);
            try {
                ReadComponentText(text, &copy);
                ADD_FAILURE() << property << " read " << data.size() << " bytes";
            } catch (const EReadError& E) {
                EXPECT_NE(E.Message().find(std::string("BTN_Go.") + property + ".Data"),
                          AnsiString::npos)
                    << E.Message();
            }
        }
    }
    // The whole file reads.
    TForm copy(nullptr);
    ReadComponentText(
        "object Holder: TForm\r\n  object BTN_Go: TskSkinXFormButton\r\n    DefMask.Data = {" +
            hex(bmp) + "}\r\n  end\r\nend\r\n",
        &copy);
    auto* read = dynamic_cast<TskSkinXFormButton*>(copy.FindComponent("BTN_Go"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetDefMask()->GetWidth(), 4);
}

} // namespace

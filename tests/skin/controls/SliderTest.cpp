// The skinned slider: the indent geometry and values as tables (ties to even, snapping),
// the ruler built from its image (a middle of no length included), keyboard steps on the
// Increment grid, page tracking on WM_TIMER, the range rules and ranges as wide as int, the
// run-time orientation swap, the one-byte "UserImages" property in form resources, points
// drawn by a handler and the disabled look inside a disabled container, on the screen.
#include "skin/controls/SkinCtrls_Sliders.h"

#include "classlib/Exceptions.h"
#include "classlib/Filer.h"
#include "classlib/Panels.h"
#include "classlib/Streams.h"

#include "tests/skin/controls/SkinFixture.h"

#include <climits>
#include <string>
#include <vector>

namespace {

class SkinSlider : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Slider = Add<TskSkinSlider>(Form, 10, 10, 150, 40);
        Slider->OnChange = TNotifyEvent(this, &SkinSlider::Changed);
        Slider->OnChanged = TNotifyEvent(this, &SkinSlider::Finished);
    }
    void Changed(TObject*) { ++Changes; }
    void Finished(TObject*) { ++Finishes; }
    void Key(Word Key) { SendMessageA(Slider->GetHandle(), WM_KEYDOWN, Key, 1); }
    void Tick() { SendMessageA(Slider->GetHandle(), WM_TIMER, 1, 0); }
    // A ruler image of Width x 8: 2-pixel ends in red and lime, a middle in blue whose
    // first pixel is navy.
    static std::unique_ptr<TBitmap> RulerImage(int Width) {
        auto image = std::make_unique<TBitmap>(Width, 8);
        TCanvas* canvas = image->GetCanvas();
        auto fill = [&](int From, int To, TColor Color) {
            canvas->GetBrush()->SetColor(Color);
            canvas->FillRect(TRect(From, 0, To, 8));
        };
        fill(0, Width, clBlue);
        fill(2, 3, clNavy);
        fill(0, 2, clRed);
        fill(Width - 2, Width, clLime);
        return image;
    }

    // The pixels of R in a picture of the slider.
    static std::vector<COLORREF> Pixels(TBitmap* Picture, const TRect& R) {
        std::vector<COLORREF> result;
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x) result.push_back(PixelOf(Picture, x, y));
        return result;
    }
    // The slider as the screen shows it after a full repaint.
    std::vector<COLORREF> OnScreen(TskSkinSlider* Of) {
        auto shot = CaptureWindow(Of->GetHandle());
        return Pixels(shot.get(), TRect(0, 0, Of->GetWidth(), Of->GetHeight()));
    }

    TskSkinSlider* Slider = nullptr;
    int Changes = 0;
    int Finishes = 0;
};

TEST_F(SkinSlider, TheDefaultElementsGiveTheIndentGeometry) {
    // The thumb resource is 18 x 17 in two states, the ruler 10 x 8: the ruler is 138 long,
    // 6 pixels in, and centred on the taller thumb; 129 pixels of travel.
    EXPECT_EQ(Slider->GetImage(TskSkinSlider::imHThumb)->GetWidth(), 18);
    EXPECT_EQ(Slider->GetThumbRect(), TRect(6, 6, 15, 23));
    EXPECT_EQ(Slider->GetRulerOrg(), TPoint(6, 10));
    EXPECT_EQ(Slider->GetRuler()->GetWidth(), 138);
    EXPECT_EQ(Slider->GetPointsRect(), TRect(6, 24, 144, 39));
    EXPECT_EQ(Slider->GetRulerLength(), 129);
    struct Row {
        int Value, Offset;
    };
    const Row rows[] = {{0, 6}, {100, 135}, {50, 70}, {10, 19}, {-5, 6}};
    for (const Row& row : rows) EXPECT_EQ(Slider->GetOffsetByValue(row.Value), row.Offset);
    struct Back {
        int Offset, Smooth, Snapped;
    };
    // 64 x 100 / 129 = 49.6; 32 x 100 / 129 = 24.8 -> 25 -> 2.5 tens -> 20 (halves to even).
    const Back backs[] = {{70, 50, 50}, {38, 25, 20}, {0, 0, 0}, {500, 100, 100}};
    for (const Back& b : backs) {
        Slider->SetOptions({soShowPoints, soSmooth});
        EXPECT_EQ(Slider->GetValueByOffset(b.Offset), b.Smooth) << b.Offset;
        Slider->SetOptions({soShowPoints});
        EXPECT_EQ(Slider->GetValueByOffset(b.Offset), b.Snapped) << b.Offset;
    }
    // Vertical: the value grows upward.
    Slider->SetOrientation(soVertical);
    EXPECT_EQ(Slider->GetWidth(), 40);
    EXPECT_EQ(Slider->GetHeight(), 150);
    EXPECT_EQ(Slider->GetOffsetByValue(0), 150 - 6 - 9);
    EXPECT_EQ(Slider->GetOffsetByValue(100), 6);
}

TEST_F(SkinSlider, TheRulerRepeatsItsMiddleAndAMiddleOfNoLengthLeavesTheEndsOnly) {
    auto image = RulerImage(10);
    Slider->SetImage(TskSkinSlider::imHRuler, image.get());
    EXPECT_EQ(Slider->GetUserImages(), 2);
    TBitmap* ruler = Slider->GetRuler();
    ASSERT_EQ(ruler->GetWidth(), 138);
    // 134 = 22 middles of 6 and 2 more, taken from the end of the middle.
    const std::pair<int, TColor> expected[] = {{0, clRed},   {1, clRed},    {2, clNavy},
                                               {3, clBlue},  {128, clNavy}, {133, clBlue},
                                               {134, clBlue}, {135, clBlue}, {136, clLime},
                                               {137, clLime}};
    for (const auto& [x, colour] : expected)
        EXPECT_EQ(PixelOf(ruler, x, 4), static_cast<COLORREF>(colour)) << x;

    // A narrower picture after the edge size: the ends only, no division by the middle.
    auto narrow = RulerImage(4);
    Slider->SetImage(TskSkinSlider::imHRuler, narrow.get());
    EXPECT_EQ(PixelOf(ruler, 1, 4), static_cast<COLORREF>(clRed));
    EXPECT_EQ(PixelOf(ruler, 137, 4), static_cast<COLORREF>(clLime));
    // An edge size that leaves the picture no middle is refused.
    Slider->SetEdgeSize(3);
    EXPECT_EQ(Slider->GetEdgeSize(), 2);
    Slider->SetEdgeSize(1);
    EXPECT_EQ(Slider->GetEdgeSize(), 1);
    // Back to the program's picture.
    Slider->SetImage(TskSkinSlider::imHRuler, nullptr);
    EXPECT_EQ(Slider->GetUserImages(), 0);
    EXPECT_EQ(Slider->GetImage(TskSkinSlider::imHRuler)->GetWidth(), 10);
    PaintToBitmap(Slider);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SkinSlider, KeysStepToTheNextPointOfTheGridInTheirDirection) {
    Slider->SetValue(37);
    Changes = Finishes = 0;
    Key(VK_RIGHT);
    EXPECT_EQ(Slider->GetValue(), 40);
    Key(VK_LEFT);
    EXPECT_EQ(Slider->GetValue(), 30);
    Slider->SetValue(37);
    Key(VK_LEFT);
    EXPECT_EQ(Slider->GetValue(), 30);
    Key(VK_UP); // not a horizontal slider's key
    EXPECT_EQ(Slider->GetValue(), 30);
    Key(VK_END);
    EXPECT_EQ(Slider->GetValue(), 100);
    Key(VK_RIGHT);
    EXPECT_EQ(Slider->GetValue(), 100);
    Key(VK_HOME);
    EXPECT_EQ(Slider->GetValue(), 0);
    EXPECT_EQ(Changes, 6);
    EXPECT_EQ(Finishes, 6);
    // Up steps a vertical slider; a read-only one takes no step.
    Slider->SetOrientation(soVertical);
    Key(VK_UP);
    EXPECT_EQ(Slider->GetValue(), 10);
    Slider->SetReadOnly(true);
    Key(VK_UP);
    EXPECT_EQ(Slider->GetValue(), 10);
}

TEST_F(SkinSlider, APressOnTheRulerPagesEveryTickUntilTheThumbReachesThePointer) {
    MouseDown(Slider, 100, 14);
    ASSERT_TRUE(Slider->IsTracking());
    EXPECT_EQ(Slider->GetValue(), 10); // the first step at once
    Tick();
    EXPECT_EQ(Slider->GetValue(), 20);
    for (int i = 0; i < 10; ++i) Tick();
    // At 70 the thumb (96..105) lies under the pointer.
    EXPECT_EQ(Slider->GetValue(), 70);
    MouseUp(Slider, 100, 14);
    EXPECT_FALSE(Slider->IsTracking());
    EXPECT_EQ(Finishes, 1);
    Tick();
    EXPECT_EQ(Slider->GetValue(), 70);

    // Dragging without soSmooth snaps to the grid.
    Slider->SetOptions({soShowPoints});
    const TRect thumb = Slider->GetThumbRect();
    MouseDown(Slider, thumb.Left + 2, 14);
    ASSERT_TRUE(Slider->IsThumbDown());
    SendMessageA(Slider->GetHandle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(thumb.Left + 2 - 40, 14));
    EXPECT_EQ(Slider->GetValue(), 40);
    MouseUp(Slider, thumb.Left - 38, 14);
    EXPECT_EQ(Finishes, 2);
}

TEST_F(SkinSlider, RangesAreRefusedWhenEmptyAndNarrowTheIncrement) {
    Slider->SetValue(80);
    Slider->SetRange(50, 40);
    EXPECT_EQ(Slider->GetMinValue(), 0);
    EXPECT_EQ(Slider->GetMaxValue(), 100);
    Slider->SetRange(0, 5);
    EXPECT_EQ(Slider->GetIncrement(), 5);
    EXPECT_EQ(Slider->GetValue(), 5);
    Slider->SetIncrement(0);
    EXPECT_EQ(Slider->GetIncrement(), 5);
    PaintToBitmap(Slider);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SkinSlider, RangesAsWideAsIntPlaceStepAndDragTheThumbWithoutWrapping) {
    Slider->SetRange(INT_MIN, INT_MAX);
    EXPECT_EQ(Slider->GetIncrement(), 10);
    // 129 pixels of travel from x 6.
    EXPECT_EQ(Slider->GetOffsetByValue(INT_MIN), 6);
    EXPECT_EQ(Slider->GetOffsetByValue(INT_MAX), 135);
    EXPECT_NEAR(Slider->GetOffsetByValue(0), 6 + 129 / 2, 1);
    EXPECT_EQ(Slider->GetValueByOffset(6), INT_MIN);
    EXPECT_EQ(Slider->GetValueByOffset(135), INT_MAX);
    EXPECT_EQ(Slider->GetValueByOffset(INT_MAX), INT_MAX);
    EXPECT_EQ(Slider->GetValueByOffset(INT_MIN), INT_MIN);
    Slider->SetOptions({soShowPoints});
    EXPECT_EQ(Slider->GetValueByOffset(135), INT_MAX);
    Slider->SetOptions({soShowPoints, soSmooth});

    // Steps stop at the ends; the grid points next to them lie inside.
    Key(VK_END);
    EXPECT_EQ(Slider->GetValue(), INT_MAX);
    Changes = 0;
    Key(VK_RIGHT);
    EXPECT_EQ(Slider->GetValue(), INT_MAX);
    EXPECT_EQ(Changes, 0);
    Key(VK_LEFT);
    EXPECT_EQ(Slider->GetValue(), INT_MAX - 7);
    Key(VK_HOME);
    Key(VK_LEFT);
    EXPECT_EQ(Slider->GetValue(), INT_MIN);
    Key(VK_RIGHT);
    EXPECT_EQ(Slider->GetValue(), INT_MIN + 8);

    // Dragged past the right end.
    const TRect thumb = Slider->GetThumbRect();
    MouseDown(Slider, thumb.Left + 2, 14);
    SendMessageA(Slider->GetHandle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(thumb.Left + 300, 14));
    EXPECT_EQ(Slider->GetValue(), INT_MAX);
    MouseUp(Slider, thumb.Left + 300, 14);

    // Every step a point is far too many: the fewest steps that leave 4 pixels between the
    // points, the ends longer. Found at once, not by trying millions of step widths.
    Slider->SetIncrement(1);
    auto picture = PaintToBitmap(Slider);
    const TRect points = Slider->GetPointsRect();
    std::vector<int> marks;
    for (int x = 0; x < Slider->GetWidth(); ++x)
        if (PixelOf(picture.get(), x, points.Top + 1) == ColorToRGB(clWindowText))
            marks.push_back(x);
    ASSERT_GE(marks.size(), 2u);
    EXPECT_LE(marks.size(), 129u / 4 + 1);
    EXPECT_EQ(marks.front(), Slider->GetOffsetByValue(INT_MIN) + 9 / 2);
    EXPECT_EQ(marks.back(), Slider->GetOffsetByValue(INT_MAX) + 9 / 2);
    EXPECT_EQ(PixelOf(picture.get(), marks.front(), points.Top + 4), ColorToRGB(clWindowText));
    EXPECT_NE(PixelOf(picture.get(), marks[1], points.Top + 4), ColorToRGB(clWindowText));

    // A range of less than one Increment narrows it, at the top end of int too.
    Slider->SetIncrement(10);
    Slider->SetRange(INT_MAX - 5, INT_MAX);
    EXPECT_EQ(Slider->GetIncrement(), 5);
    Key(VK_HOME);
    Key(VK_RIGHT);
    EXPECT_EQ(Slider->GetValue(), INT_MAX - 2);
    Key(VK_RIGHT);
    EXPECT_EQ(Slider->GetValue(), INT_MAX);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SkinSlider, AnOnDrawPointsHandlerDrawsWherePaintDrawsUnderTheThumb) {
    Slider->SetValue(50);
    const std::vector<COLORREF> plain = OnScreen(Slider);
    // A handler that asks for the default points shows what no handler shows.
    Slider->OnDrawPoints = TNotifyEvent::FromCallable(
        [this](TObject*) { Slider->DefaultDrawPoints(Slider->GetIncrement(), 3, 5); });
    EXPECT_TRUE(OnScreen(Slider) == plain);
    // A handler's own drawing: all of the control in red, the thumb drawn over it.
    Slider->OnDrawPoints = TNotifyEvent::FromCallable([this](TObject*) {
        TCanvas* canvas = Slider->GetCanvas();
        canvas->GetBrush()->SetColor(clRed);
        canvas->FillRect(TRect(0, 0, Slider->GetWidth(), Slider->GetHeight()));
    });
    auto shot = CaptureWindow(Slider->GetHandle());
    const TRect points = Slider->GetPointsRect();
    const TRect thumb = Slider->GetThumbRect();
    EXPECT_EQ(PixelOf(shot.get(), points.Left + 3, points.Top + 2), ColorToRGB(clRed));
    EXPECT_EQ(PixelOf(shot.get(), 2, 2), ColorToRGB(clRed));
    const int w = Slider->GetWidth();
    const int cx = (thumb.Left + thumb.Right) / 2, cy = (thumb.Top + thumb.Bottom) / 2;
    EXPECT_EQ(PixelOf(shot.get(), cx, cy), plain[static_cast<std::size_t>(cy * w + cx)]);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SkinSlider, InsideADisabledContainerTheThumbShowsTheDisabledState) {
    auto* panel = Add<TPanel>(Form, 10, 60, 200, 60);
    panel->SetBevelOuter(bvNone);
    auto* inner = Add<TskSkinSlider>(panel, 0, 0, 150, 40);
    inner->SetValue(50);
    Slider->SetValue(50);
    const TRect thumb = inner->GetThumbRect();
    auto thumbOnScreen = [&](TskSkinSlider* Of) {
        auto shot = ScreenShot(Of->GetHandle());
        return Pixels(shot.get(), thumb);
    };
    Pump();
    const std::vector<COLORREF> enabled = thumbOnScreen(inner);
    Slider->SetEnabled(false);
    Pump();
    const std::vector<COLORREF> disabled = thumbOnScreen(Slider);
    ASSERT_FALSE(disabled == enabled);

    // The container's change repaints the slider by itself; a full repaint agrees.
    panel->SetEnabled(false);
    EXPECT_TRUE(PumpUntil([&] { return thumbOnScreen(inner) == disabled; }));
    CaptureWindow(inner->GetHandle());
    EXPECT_TRUE(thumbOnScreen(inner) == disabled);
    panel->SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return thumbOnScreen(inner) == enabled; }));
}

TEST_F(SkinSlider, AUserImageIsStoredAsOneByteOfFlags) {
    Slider->SetName("SL_Level");
    auto image = RulerImage(10);
    Slider->SetImage(TskSkinSlider::imHRuler, image.get());
    TMemoryStream stream;
    TWriter(&stream).WriteRootComponent(Slider);
    const std::string bytes(static_cast<const char*>(stream.GetMemory()),
                            static_cast<std::size_t>(stream.GetSize()));
    const std::string property = std::string("\x0AUserImages\x0A\x01\x00\x00\x00\x02", 17);
    const std::size_t at = bytes.find(property);
    ASSERT_NE(at, std::string::npos);

    auto copy = std::make_unique<TskSkinSlider>(nullptr);
    stream.SetPosition(0);
    TReader(&stream).ReadRootComponent(copy.get());
    EXPECT_EQ(copy->GetUserImages(), 2);

    // A damaged value names the component.
    std::string damaged = bytes;
    damaged[at + property.size() - 1] = '\x40';
    TStringStream input(damaged);
    auto other = std::make_unique<TskSkinSlider>(nullptr);
    try {
        TReader(&input).ReadRootComponent(other.get());
        FAIL() << "a damaged UserImages value was read";
    } catch (const EReadError& E) {
        EXPECT_NE(E.Message().find("SL_Level"), AnsiString::npos) << E.Message();
        EXPECT_NE(E.Message().find("UserImages"), AnsiString::npos) << E.Message();
    }
}

TEST_F(SkinSlider, TheSkinDrawsRulerAndThumbFromItsRecord) {
    TFixtureSkin skin;
    const int pic = skin.AddPicture(100, 60);
    // Each bottom row is the transparent colour of its element.
    skin.Fill(pic, TRect(0, 0, 40, 6), clRed);
    skin.Fill(pic, TRect(0, 5, 40, 6), clNavy);
    skin.Fill(pic, TRect(0, 10, 10, 26), clBlue);
    skin.Fill(pic, TRect(10, 10, 20, 26), clLime);
    skin.Fill(pic, TRect(0, 25, 20, 26), clFuchsia);
    auto* record = skin.Add<TskDataSkinSlider>("slider");
    record->PictureIndex = pic;
    record->HRulerRect = TRect(0, 0, 40, 6);
    record->HThumbRect = TRect(0, 10, 20, 26);
    record->EdgeSize = 2;
    record->BGColor = clSilver;
    record->PointsColor = clBlack;
    Slider->SetSkinData(skin.Data.get());
    EXPECT_EQ(Slider->GetThumbRect(), TRect(6, 6, 16, 22));
    EXPECT_EQ(Slider->GetRuler()->GetWidth(), 138);
    auto normal = PaintToBitmap(Slider);
    EXPECT_EQ(PixelOf(normal.get(), 10, 14), static_cast<COLORREF>(clBlue));
    EXPECT_EQ(PixelOf(normal.get(), 100, 14), static_cast<COLORREF>(clRed));
    EXPECT_EQ(PixelOf(normal.get(), 100, 3), static_cast<COLORREF>(clSilver));
    MouseDown(Slider, 10, 14);
    auto pressed = PaintToBitmap(Slider);
    EXPECT_EQ(PixelOf(pressed.get(), 10, 14), static_cast<COLORREF>(clLime));
    MouseUp(Slider, 10, 14);
    EXPECT_TRUE(Errors.empty());
}

} // namespace

// The image control without a window: mapping, stages through PaintTo, area handling, and
// the bitmap list with its form text.
#include "bitmap32/Bmp32_Image.h"
#include "classlib/Component.h"
#include "classlib/FormLoader.h"
#include "classlib/Persistence.h"

#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <string>

using namespace Bmp32;

namespace {

struct Image {
    Image(int Width, int Height, int BitmapWidth, int BitmapHeight) {
        I->SetBounds(0, 0, Width, Height);
        I->GetBitmap()->SetSize(BitmapWidth, BitmapHeight);
    }
    TImage32* operator->() const { return I.get(); }
    std::unique_ptr<TImage32> I = std::make_unique<TImage32>(nullptr);
};

bool Covered(TRectList* Rects, int X, int Y) {
    for (int i = 0; i < Rects->GetCount(); ++i)
        if (PtInRect(*Rects->Get(i), {X, Y})) return true;
    return false;
}

} // namespace

TEST(ImageTest, MappingPerScaleModeAndAlignment) {
    Image image(200, 100, 50, 40);
    EXPECT_EQ(image->GetBitmapRect(), TRect(0, 0, 50, 40));
    image->SetBitmapAlign(baCenter);
    EXPECT_EQ(image->GetBitmapRect(), TRect(75, 30, 125, 70));
    EXPECT_EQ(image->BitmapToControl({2, 3}), TPoint(77, 33));
    image->SetBitmapAlign(baCustom);
    image->SetOffsetHorz(10.5f); // ties go to even
    image->SetOffsetVert(11.5f);
    EXPECT_EQ(image->GetBitmapRect(), TRect(10, 12, 60, 52));
    image->SetBitmapAlign(baTopLeft);
    image->SetScaleMode(smStretch);
    EXPECT_EQ(image->GetBitmapRect(), TRect(0, 0, 200, 100));
    EXPECT_EQ(image->ControlToBitmap({199, 99}), TPoint(49, 39));
    image->SetScaleMode(smResize);
    EXPECT_EQ(image->GetBitmapRect(), TRect(0, 0, 125, 100));
    image->SetScaleMode(smScale);
    image->SetScale(1.5f);
    EXPECT_EQ(image->GetBitmapRect(), TRect(0, 0, 75, 60));
    EXPECT_EQ(image->BitmapToControl({3, 5}), TPoint(4, 7)); // truncated
    image->SetScaleMode(smOptimal);
    EXPECT_EQ(image->GetBitmapRect(), TRect(0, 0, 50, 40));
    image->GetBitmap()->SetSize(400, 100);
    EXPECT_EQ(image->GetBitmapRect(), TRect(0, 0, 200, 50));

    // 64-bit products: points far outside map exactly.
    image->SetScaleMode(smNormal);
    image->SetBitmapAlign(baCenter);
    const TPoint shift = image->BitmapToControl({0, 0});
    EXPECT_EQ(image->BitmapToControl({40000, -40000}), TPoint(shift.X + 40000, shift.Y - 40000));
    EXPECT_EQ(image->ControlToBitmap({shift.X + 40000, shift.Y - 40000}), TPoint(40000, -40000));

    image->GetBitmap()->SetSize(0, 0);
    EXPECT_EQ(image->GetBitmapRect(), TRect(0, 0, 0, 0));
    EXPECT_EQ(image->BitmapToControl({7, 8}), TPoint(7, 8));
}

TEST(ImageTest, ScaleChangesAndUpdates) {
    Image image(100, 100, 10, 10);
    int changes = 0, scaleChanges = 0;
    image->OnChange = TNotifyEvent::FromCallable([&changes](TObject*) { ++changes; });
    image->OnScaleChange = TNotifyEvent::FromCallable([&scaleChanges](TObject*) { ++scaleChanges; });
    image->SetScale(0);
    EXPECT_FLOAT_EQ(image->GetScale(), 0.001f);
    image->SetScale(2);
    image->SetScale(2);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(scaleChanges, 2);
    image->BeginUpdate();
    image->SetScale(3);
    EXPECT_EQ(changes, 2);
    image->EndUpdate();
    try {
        image->EndUpdate();
        ADD_FAILURE() << "no assertion";
    } catch (const EAssertionFailed& e) {
        EXPECT_STREQ(e.what(), "Unpaired EndUpdate call");
    }
}

TEST(ImageTest, DefaultStagesPaintBackgroundBitmapAndLayers) {
    Image image(40, 30, 10, 10);
    TPaintStages* stages = image->GetPaintStages();
    ASSERT_EQ(stages->GetCount(), 5);
    const Cardinal kinds[] = {3, 6, 4, 7, 5};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(stages->GetItem(i)->Stage, kinds[i]);
        EXPECT_TRUE(stages->GetItem(i)->DesignVisible);
        EXPECT_EQ(stages->GetItem(i)->RunTimeVisible, kinds[i] != 6 && kinds[i] != 7);
    }
    EXPECT_EQ(stages->GetItem(4)->Parameter, 0x80000000u);

    image->SetColor(TColor(0x000000FF)); // red as a system colour
    image->GetBitmap()->Clear(0xFF00FF00);
    auto* layer = image->GetLayers()->Add<TBitmapLayer>();
    layer->GetBitmap()->SetSize(2, 2);
    layer->GetBitmap()->Clear(0xFF0000FF);
    layer->SetLocation({20, 20, 30, 30});
    auto* hidden = image->GetLayers()->Add<TBitmapLayer>();
    hidden->GetBitmap()->SetSize(1, 1);
    hidden->GetBitmap()->Clear(0xFFFFFFFF);
    hidden->SetLocation({0, 0, 40, 30});
    hidden->SetVisible(false);
    std::vector<int> customStages;
    image->OnPaintStage = TPaintStageEvent::FromCallable(
        [&customStages](TObject*, TBitmap32*, int StageNum) { customStages.push_back(StageNum); });
    stages->Add()->Stage = PST_CUSTOM;
    stages->Add()->Stage = 99; // unknown kinds are skipped

    TBitmap32 dest;
    dest.SetSize(40, 30);
    dest.Clear(0);
    image->PaintTo(&dest, {5, 5, 15, 15});
    EXPECT_EQ(dest.GetPixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(dest.GetPixel(16, 16), 0xFFFF0000u);
    EXPECT_EQ(dest.GetPixel(6, 6), 0xFF00FF00u);
    EXPECT_EQ(dest.GetPixel(25, 25), 0xFF0000FFu);
    EXPECT_EQ(customStages, std::vector<int>({5}));
    EXPECT_EQ(image->GetRepaintMode(), rmFull);

    EXPECT_THROW(stages->Delete(7), EListError);
    try {
        stages->GetItem(-1);
        ADD_FAILURE() << "no error";
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "Invalid stage index");
    }
    TPaintStage* inserted = stages->Insert(-3);
    EXPECT_EQ(inserted, stages->GetItem(0));
    inserted = stages->Insert(100);
    EXPECT_EQ(inserted, stages->GetItem(stages->GetCount() - 1));
}

TEST(ImageTest, BitmapAreasReachTheOptimiserOncePerTile) {
    Image image(100, 100, 30, 40);
    image->SetRepaintMode(rmOptimizer);
    image->SetBitmapAlign(baTile);
    TMicroTilesRepaintOptimizer* optimizer = image->GetRepaintOptimizer();
    optimizer->UpdatesAvailable();
    image->GetBitmap()->FillRectS(2, 3, 3, 4, 0xFFFFFFFF);
    ASSERT_TRUE(optimizer->UpdatesAvailable());
    optimizer->PerformOptimization();
    TRectList* rects = image->GetInvalidRects();
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(Covered(rects, 2 + 30 * i, 3 + 40 * j)) << i << ", " << j;
    EXPECT_FALSE(Covered(rects, 15, 20));

    // Shown nowhere: no copies, no division by zero.
    rects->Clear();
    image->SetBounds(0, 0, 0, 0);
    image->GetBitmap()->FillRectS(1, 1, 2, 2, 0);
    optimizer->PerformOptimization();
    EXPECT_EQ(rects->GetCount(), 0);
}

TEST(ImageTest, AutoSizeAndCroppedLayers) {
    Image image(40, 30, 10, 10);
    image->SetAutoSize(true);
    image->GetBitmap()->SetSize(33, 22);
    EXPECT_EQ(image->GetWidth(), 33);
    EXPECT_EQ(image->GetHeight(), 22);
    image->SetScaleMode(smScale);
    image->SetScale(2);
    image->GetBitmap()->SetSize(10, 5);
    EXPECT_EQ(image->GetWidth(), 20);
    EXPECT_EQ(image->GetHeight(), 10);

    // A cropped layer stays on the bitmap's rectangle (0, 0, 20, 10).
    auto* layer = image->GetLayers()->Add<TBitmapLayer>();
    layer->GetBitmap()->SetSize(1, 1);
    layer->GetBitmap()->Clear(0xFFFFFFFF);
    layer->SetLocation({15, 5, 30, 30});
    layer->SetCropped(true);
    TBitmap32 dest;
    dest.SetSize(40, 40);
    dest.Clear(0);
    layer->DoPaint(&dest);
    EXPECT_EQ(dest.GetPixel(17, 7), 0xFFFFFFFFu);
    EXPECT_EQ(dest.GetPixel(17, 12), 0u);
    EXPECT_EQ(dest.GetPixel(22, 7), 0u);
}

// ---- Form resources -----------------------------------------------------------------------

namespace {

class TListHolder : public TComponent {
    DECLARE_CLASS(TListHolder, TComponent)
public:
    explicit TListHolder(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    void GetChildren(TGetChildProc Proc, TComponent* Root) override {
        if (Root != this) return;
        for (int i = 0; i < GetComponentCount(); ++i)
            Proc(GetComponent(i));
    }
};

} // namespace

TEST(BitmapListTest, ItemsOwnTheirBitmaps) {
    TBitmap32List list(nullptr);
    TBitmap32Item* first = list.GetBitmaps()->Add();
    EXPECT_TRUE(first->GetBitmap()->Empty());
    EXPECT_EQ(list.GetBitmaps()->GetOwner(), &list);
    list.GetBitmaps()->Add()->GetBitmap()->SetSize(3, 4);
    TBitmap32* second = list.GetBitmap(1);
    TBitmap32 source;
    source.SetSize(5, 6);
    list.SetBitmap(0, &source);
    EXPECT_EQ(list.GetBitmap(0)->GetWidth(), 5);
    EXPECT_NE(list.GetBitmap(0), &source);
    list.GetBitmaps()->Delete(0);
    EXPECT_EQ(list.GetBitmap(0), second);
    EXPECT_THROW(list.GetBitmap(1), EListError);
}

TEST(BitmapListTest, TravelsThroughFormText) {
    TListHolder root;
    root.SetName("Holder");
    auto* list = new TBitmap32List(&root);
    list->SetName("IML_Pages");
    const AnsiString empty = WriteComponentText(&root);
    EXPECT_NE(empty.find("Bitmaps = <>"), AnsiString::npos) << empty;

    list->GetBitmaps()->Add()->GetBitmap()->SetSize(2, 1);
    list->GetBitmap(0)->Clear(0x80112233);
    list->GetBitmaps()->Add();
    const AnsiString text = WriteComponentText(&root);
    EXPECT_NE(text.find("Bitmap.Data"), AnsiString::npos) << text;

    TListHolder copy;
    ReadComponentText(text, &copy);
    ASSERT_EQ(copy.GetComponentCount(), 1);
    auto* read = dynamic_cast<TBitmap32List*>(copy.GetComponent(0));
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->GetBitmaps()->GetCount(), 2);
    EXPECT_EQ(read->GetBitmap(0)->GetPixel(1, 0), 0x80112233u);
    EXPECT_TRUE(read->GetBitmap(1)->Empty());

    // Damaged pixels: a read error naming where.
    AnsiString damaged = text;
    auto digit = damaged.find("Bitmap.Data = {");
    ASSERT_NE(digit, AnsiString::npos);
    while (!std::isxdigit(static_cast<unsigned char>(damaged[digit])))
        ++digit;
    damaged.replace(digit, 2, "FF"); // a width the pixels do not fill
    TListHolder broken;
    try {
        ReadComponentText(damaged, &broken, "damaged");
        ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("damaged"), std::string::npos) << message;
        EXPECT_NE(message.find("Data"), std::string::npos) << message;
    }
}

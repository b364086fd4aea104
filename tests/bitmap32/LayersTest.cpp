#include "bitmap32/Bmp32_Layers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Bmp32;

namespace {

// Records what a collection and its layers report.
struct Recorder {
    std::vector<std::string> Log;
    void Notify(TObject*, TLayerListNotification Action, TCustomLayer*, int Index) {
        static const char* names[] = {"added", "inserted", "deleted", "cleared"};
        Log.push_back(std::string(names[Action]) + " " + std::to_string(Index));
    }
    void Change(TObject*) { Log.push_back("change"); }
    void Changing(TObject*) { Log.push_back("changing"); }
    void Updated(TObject*, TCustomLayer* Layer) { Log.push_back("updated " + std::to_string(Layer->GetIndex())); }
    void Down(TObject* Sender, TMouseButton, TShiftState, int, int) {
        Log.push_back("down " + std::to_string(static_cast<TCustomLayer*>(Sender)->GetIndex()));
    }
};

TPositionedLayer* Positioned(TLayerCollection& Layers, const TFloatRect& Location) {
    auto* layer = Layers.Add<TPositionedLayer>();
    layer->SetLocation(Location);
    return layer;
}

} // namespace

TEST(LayersTest, HitOrderOptionsAndIndex) {
    TLayerCollection layers(nullptr);
    TCustomLayer* plain = layers.Add<TCustomLayer>();
    TPositionedLayer* low = Positioned(layers, {0, 0, 50, 50});
    TPositionedLayer* high = Positioned(layers, {20, 20, 70, 70});
    EXPECT_EQ(plain->GetLayerOptions(), 0x80000000u);
    EXPECT_EQ(low->GetLayerOptions(), 0xA0000000u);
    EXPECT_EQ(layers.FindLayerAtPos(30, 30, LOB_MOUSE_EVENTS), high);
    EXPECT_EQ(layers.FindLayerAtPos(10, 10, LOB_MOUSE_EVENTS), low);
    EXPECT_EQ(layers.FindLayerAtPos(69, 69, LOB_MOUSE_EVENTS), high);
    EXPECT_EQ(layers.FindLayerAtPos(70, 70, LOB_MOUSE_EVENTS), nullptr);
    EXPECT_EQ(layers.FindLayerAtPos(100, 100, LOB_VISIBLE), plain); // hits anywhere
    high->SetMouseEvents(false);
    EXPECT_EQ(layers.FindLayerAtPos(30, 30, LOB_MOUSE_EVENTS), low);
    high->OnHitTest = THitTestEvent::FromCallable([](TObject*, int, int, bool& Passed) { Passed = true; });
    EXPECT_EQ(layers.FindLayerAtPos(99, 99, LOB_VISIBLE), high);

    high->SetIndex(-5);
    EXPECT_EQ(high->GetIndex(), 0);
    high->SetIndex(99);
    EXPECT_EQ(high->GetIndex(), 2);
    low->SendToBack();
    EXPECT_EQ(layers.GetItem(0), low);
    EXPECT_THROW(layers.GetItem(3), EListError);

    TCustomLayer* alone = new TPositionedLayer(nullptr);
    EXPECT_EQ(alone->GetIndex(), -1);
    delete alone;
}

TEST(LayersTest, AlphaHitTestAndViewport) {
    TLayerCollection layers(nullptr);
    auto* layer = layers.Add<TBitmapLayer>();
    layer->GetBitmap()->SetSize(4, 4);
    layer->GetBitmap()->Clear(0x00FFFFFF);
    layer->GetBitmap()->SetPixel(3, 0, 0x01000000);
    layer->SetLocation({0, 0, 40, 40});
    EXPECT_TRUE(layer->HitTest(5, 5));
    layer->SetAlphaHitTest(true);
    EXPECT_FALSE(layer->HitTest(5, 5));
    EXPECT_TRUE(layer->HitTest(30, 2)); // (3, 0) after rounding 30 * 4 / 40

    layers.OnGetViewportScale = TGetScaleEvent::FromCallable([](TObject*, float& X, float& Y) {
        X = 2;
        Y = 0.5f;
    });
    layers.OnGetViewportShift = TGetShiftEvent::FromCallable([](TObject*, float& X, float& Y) {
        X = 10;
        Y = -3;
    });
    const TFloatPoint p{7.25f, -4};
    EXPECT_EQ(layers.LocalToViewport(p, true), TFloatPoint(24.5f, -5));
    EXPECT_EQ(layers.ViewportToLocal(layers.LocalToViewport(p, true), true), p);
    EXPECT_EQ(layers.LocalToViewport(p, false), p);
    layer->SetScaled(true);
    EXPECT_EQ(layer->GetAdjustedLocation(), TFloatRect(10, -3, 90, 17));
}

TEST(LayersTest, MouseRoutingAndListener) {
    TLayerCollection layers(nullptr);
    Recorder recorder;
    TPositionedLayer* a = Positioned(layers, {0, 0, 50, 50});
    TPositionedLayer* b = Positioned(layers, {100, 0, 150, 50});
    for (TPositionedLayer* layer : {a, b})
        layer->OnMouseDown = TMouseEvent(&recorder, &Recorder::Down);

    EXPECT_EQ(layers.MouseDown(mbLeft, {}, 200, 200), nullptr);
    EXPECT_EQ(layers.GetMouseListener(), nullptr);
    EXPECT_EQ(layers.MouseDown(mbRight, {}, 10, 10), a);
    EXPECT_EQ(layers.GetMouseListener(), nullptr); // a right press never captures
    EXPECT_EQ(layers.MouseDown(mbLeft, {}, 10, 10), a);
    EXPECT_EQ(layers.GetMouseListener(), a);
    EXPECT_EQ(layers.MouseDown(mbRight, {}, 120, 10), a); // the listener takes it all
    EXPECT_EQ(layers.MouseMove({}, 120, 10), a);
    EXPECT_EQ(layers.MouseUp(mbLeft, {}, 120, 10), a);
    EXPECT_EQ(layers.GetMouseListener(), a); // the right button is still down
    EXPECT_EQ(layers.MouseUp(mbRight, {}, 120, 10), a);
    EXPECT_EQ(layers.GetMouseListener(), nullptr);
    EXPECT_EQ(recorder.Log, std::vector<std::string>({"down 0", "down 0"}));

    // A layer that does not capture is answered but gets no press of its own.
    b->SetLayerOptions(b->GetLayerOptions() | LOB_NO_CAPTURE);
    EXPECT_EQ(layers.MouseDown(mbLeft, {}, 120, 10), b);
    EXPECT_EQ(layers.GetMouseListener(), nullptr);
    EXPECT_EQ(recorder.Log.size(), 2u);

    layers.MouseDown(mbLeft, {}, 10, 10);
    delete a; // the listener leaves
    EXPECT_EQ(layers.GetMouseListener(), nullptr);
    b->SetAsMouseListener();
    layers.SetMouseEvents(false);
    EXPECT_EQ(layers.GetMouseListener(), nullptr);
}

TEST(LayersTest, NotificationsAndUpdates) {
    TLayerCollection layers(nullptr);
    Recorder recorder;
    layers.OnListNotify = TLayerListNotifyEvent(&recorder, &Recorder::Notify);
    layers.OnChange = TNotifyEvent(&recorder, &Recorder::Change);
    layers.OnChanging = TNotifyEvent(&recorder, &Recorder::Changing);
    layers.OnLayerUpdated = TLayerUpdateEvent(&recorder, &Recorder::Updated);

    layers.Add<TBitmapLayer>();
    EXPECT_EQ(recorder.Log, std::vector<std::string>({"changing", "added 0", "change", "added 0"}));
    recorder.Log.clear();
    layers.Insert(0, &NewLayer<TCustomLayer>);
    EXPECT_EQ(recorder.Log.back(), "change");
    EXPECT_EQ(recorder.Log[recorder.Log.size() - 2], "inserted 0");

    // Drawing on a layer's bitmap reaches the collection.
    auto* bitmapLayer = static_cast<TBitmapLayer*>(layers.GetItem(1));
    bitmapLayer->GetBitmap()->SetSize(3, 3);
    recorder.Log.clear();
    bitmapLayer->GetBitmap()->Clear(0);
    EXPECT_EQ(recorder.Log, std::vector<std::string>({"updated 1", "change", "change"}));
    // The layer's own OnChange fires only without bit 28.
    int ownChanges = 0;
    bitmapLayer->OnChange = TNotifyEvent::FromCallable([&ownChanges](TObject*) { ++ownChanges; });
    bitmapLayer->GetBitmap()->Clear(0);
    bitmapLayer->SetLayerOptions(bitmapLayer->GetLayerOptions() | LOB_NO_UPDATE);
    bitmapLayer->GetBitmap()->Clear(0);
    EXPECT_EQ(ownChanges, 1);
    recorder.Log.clear();
    layers.Clear();
    EXPECT_EQ(recorder.Log, std::vector<std::string>({"changing", "deleted 1", "deleted 0", "cleared 0", "change"}));
    EXPECT_THROW(layers.EndUpdate(), EAssertionFailed);
    try {
        layers.EndUpdate();
    } catch (const EAssertionFailed& e) {
        EXPECT_STREQ(e.what(), "Unpaired EndUpdate");
    }
}

TEST(LayersTest, DestructionAndFreeNotification) {
    TLayerCollection layers(nullptr);
    std::vector<std::string> log;
    auto* child = layers.Add<TBitmapLayer>();
    auto* band = layers.Add<TRubberbandLayer>();
    child->SetLocation({5, 6, 30, 40});
    band->SetChildLayer(child);
    EXPECT_EQ(band->GetLocation(), child->GetLocation());
    EXPECT_NE(band->GetLayerOptions() & LOB_NO_UPDATE, 0u);
    band->SetLocation({1, 2, 3, 4});
    EXPECT_EQ(child->GetLocation(), TFloatRect(1, 2, 3, 4));
    child->OnDestroy = TNotifyEvent::FromCallable([&log, child](TObject*) {
        log.push_back("destroy " + std::to_string(child->GetBitmap()->GetWidth()));
    });
    child->GetBitmap()->SetSize(7, 7);
    delete child;
    EXPECT_EQ(log, std::vector<std::string>({"destroy 7"}));
    EXPECT_EQ(band->GetChildLayer(), nullptr);
    EXPECT_EQ(band->GetLayerOptions() & LOB_NO_UPDATE, 0u);

    // A band that goes first stops its child's notification.
    auto* second = layers.Add<TPositionedLayer>();
    band->SetChildLayer(second);
    delete band;
    delete second;
    EXPECT_EQ(layers.GetCount(), 0);
}

TEST(LayersTest, AssignCopiesEachLayer) {
    TLayerCollection source(nullptr), target(nullptr);
    auto* bitmapLayer = source.Add<TBitmapLayer>();
    bitmapLayer->GetBitmap()->SetSize(2, 3);
    bitmapLayer->SetLocation({1, 2, 3, 4});
    bitmapLayer->SetScaled(true);
    bitmapLayer->SetAlphaHitTest(true);
    bitmapLayer->SetCropped(true);
    bitmapLayer->SetCursor(crHandPoint);
    bitmapLayer->SetTag(7);
    source.Add<TCustomLayer>()->SetVisible(false);
    target.Add<TPositionedLayer>();

    target.Assign(&target);
    EXPECT_EQ(target.GetCount(), 1);
    target.Assign(&source);
    ASSERT_EQ(target.GetCount(), 2);
    auto* copy = dynamic_cast<TBitmapLayer*>(target.GetItem(0));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetBitmap()->GetHeight(), 3);
    EXPECT_EQ(copy->GetLocation(), TFloatRect(1, 2, 3, 4));
    EXPECT_TRUE(copy->GetScaled() && copy->GetAlphaHitTest() && copy->GetCropped());
    EXPECT_EQ(copy->GetCursor(), crHandPoint);
    EXPECT_EQ(copy->GetTag(), 7);
    EXPECT_EQ(std::string(target.GetItem(1)->ClassName()), "TCustomLayer");
    EXPECT_FALSE(target.GetItem(1)->GetVisible());
}

TEST(LayersTest, RubberbandDragStatesAndResizing) {
    TLayerCollection layers(nullptr);
    auto* band = layers.Add<TRubberbandLayer>();
    band->SetLocation({10, 10, 111, 61}); // R = (10, 10, 110, 60), centre (60, 35)
    EXPECT_EQ(band->GetDragState(110, 60), dsSizeBR);
    EXPECT_EQ(band->GetDragState(6, 64), dsSizeBL);
    EXPECT_EQ(band->GetDragState(114, 10), dsSizeTR);
    EXPECT_EQ(band->GetDragState(10, 10), dsSizeTL);
    EXPECT_EQ(band->GetDragState(110, 35), dsSizeR);
    EXPECT_EQ(band->GetDragState(60, 60), dsSizeB);
    EXPECT_EQ(band->GetDragState(10, 35), dsSizeL);
    EXPECT_EQ(band->GetDragState(60, 10), dsSizeT);
    EXPECT_EQ(band->GetDragState(40, 40), dsMove);
    EXPECT_EQ(band->GetDragState(115, 35), dsNone);
    band->SetHandles({rhCenter, rhSides, rhCorners, rhNotBRCorner});
    EXPECT_EQ(band->GetDragState(110, 60), dsMove);

    int changes = 0;
    band->OnUserChange = TNotifyEvent::FromCallable([&changes](TObject*) { ++changes; });
    band->SetMinWidth(20);
    band->SetMaxWidth(150);
    layers.MouseDown(mbLeft, {}, 110, 35); // right side
    layers.MouseMove({}, 20, 35);
    EXPECT_EQ(band->GetLocation(), TFloatRect(10, 10, 30, 61)); // held at the minimum
    layers.MouseMove({}, 400, 35);
    EXPECT_EQ(band->GetLocation(), TFloatRect(10, 10, 160, 61)); // and at the maximum
    layers.MouseUp(mbLeft, {}, 400, 35);
    layers.MouseDown(mbLeft, {}, 50, 30); // move, grabbed 40, 20 inside
    layers.MouseMove({}, 55, 32);
    EXPECT_EQ(band->GetLocation(), TFloatRect(15, 12, 165, 63));
    layers.MouseMove({}, 55, 32);
    layers.MouseUp(mbLeft, {}, 55, 32);
    EXPECT_EQ(changes, 3);
}

TEST(LayersTest, LocationsFarOutsideDrawClipped) {
    TLayerCollection layers(nullptr);
    auto* layer = layers.Add<TBitmapLayer>();
    layer->GetBitmap()->SetSize(1, 1);
    layer->GetBitmap()->Clear(0xFFFF0000);
    TBitmap32 buffer;
    buffer.SetSize(20, 20);
    buffer.Clear(0);
    layer->SetLocation({-1e6f, -1e6f, 1e6f, 1e6f});
    layer->DoPaint(&buffer);
    EXPECT_EQ(buffer.GetPixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(buffer.GetPixel(19, 19), 0xFFFF0000u);
    buffer.Clear(0);
    layer->SetLocation({1e12f, -1e12f, 3e12f, 1e12f});
    layer->DoPaint(&buffer);
    EXPECT_EQ(buffer.GetPixel(10, 10), 0u);
    auto* band = layers.Add<TRubberbandLayer>();
    band->SetLocation({-1e12f, -1e12f, 1e12f, 1e12f});
    EXPECT_EQ(band->GetDragState(10, 10), dsMove);
    band->DoPaint(&buffer);
}

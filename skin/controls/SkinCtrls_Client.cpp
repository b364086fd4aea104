#include "skin/controls/SkinCtrls_Client.h"

#include "skin/data/Skeffbmp.h"
#include "skin/data/Skutils.h"

#include <algorithm>

void TskSkinClient::SetSkinData(TskSkinData* Value) {
    TControl* control = SkinnedControl();
    SetReference(control, FSD, Value);
    if (!Value) {
        control->Repaint();
        return;
    }
    if (!Value->Empty && !control->IsDesigning()) ChangeSkinData();
}

void TskSkinClient::SetAlphaBlend(bool Value) {
    FAlphaBlend = Value;
    SkinnedControl()->Repaint();
}

void TskSkinClient::SetAlphaBlendValue(Byte Value) {
    FAlphaBlendValue = Value;
    SkinnedControl()->Repaint();
}

void TskSkinClient::GetSkinData() {
    FIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(FSkinDataName);
}

TskDataSkinControl* TskSkinClient::GetSkinRecord() const {
    if (!FSD || FIndex < 0 || FIndex >= static_cast<int>(FSD->CtrlList.size())) return nullptr;
    return FSD->CtrlList[static_cast<std::size_t>(FIndex)].get();
}

void TskSkinClient::ChangeSkinData() {
    GetSkinData();
    ApplySkinCursor();
    SkinnedControl()->Repaint();
}

void TskSkinClient::ApplySkinCursor() {
    if (!UseSkinCursor) return;
    SkinnedControl()->SetCursor(FSD && FSkinCursorIndex != -1
                                    ? FSD->StartCursorIndex + FSkinCursorIndex
                                    : crDefault);
}

TRect PartOfPlaced(const TRect& Part, const TRect& Placed) {
    const TRect part(std::max(Part.Left, Placed.Left) - Placed.Left,
                     std::max(Part.Top, Placed.Top) - Placed.Top,
                     std::min(Part.Right, Placed.Right) - Placed.Left,
                     std::min(Part.Bottom, Placed.Bottom) - Placed.Top);
    return IsNullRect(part) ? TRect() : part;
}

TRect PaintedPartAt(HDC DC, const TRect& Placed) {
    RECT clip{};
    if (GetClipBox(DC, &clip) == ERROR) return TRect(0, 0, Placed.Width(), Placed.Height());
    return PartOfPlaced(TRect(clip.left, clip.top, clip.right, clip.bottom), Placed);
}

TRect PaintedPart(HDC DC, int Width, int Height) {
    return PaintedPartAt(DC, TRect(0, 0, Width, Height));
}

namespace {

// Rectangles past which one clipping box paints faster than each of them.
constexpr DWORD MaxPaintedParts = 24;

// The region of DC's window the screen shows, in DC's coordinates; null where DC has no
// window of its own or draws with a moved origin.
HRGN VisibleRegion(HDC DC) {
    POINT viewport{}, window{}, origin{};
    if (GetMapMode(DC) != MM_TEXT || !GetViewportOrgEx(DC, &viewport) ||
        !GetWindowOrgEx(DC, &window) || viewport.x || viewport.y || window.x || window.y ||
        !GetDCOrgEx(DC, &origin) || !WindowFromDC(DC))
        return nullptr;
    HRGN shown = CreateRectRgn(0, 0, 0, 0);
    if (!shown) return nullptr;
    // The visible region comes in screen coordinates.
    if (GetRandomRgn(DC, shown, SYSRGN) != 1) {
        DeleteObject(shown);
        return nullptr;
    }
    OffsetRgn(shown, -origin.x, -origin.y);
    return shown;
}

// The same within DC's clipping region.
HRGN ShownRegion(HDC DC) {
    HRGN shown = VisibleRegion(DC);
    if (!shown) return nullptr;
    if (HRGN clip = CreateRectRgn(0, 0, 0, 0)) {
        if (GetClipRgn(DC, clip) == 1) CombineRgn(shown, shown, clip, RGN_AND);
        DeleteObject(clip);
    }
    return shown;
}

} // namespace

std::vector<TRect> PaintedParts(HDC DC, int Width, int Height) {
    const TRect whole = PaintedPart(DC, Width, Height);
    if (IsNullRect(whole)) return {};
    HRGN shown = ShownRegion(DC);
    if (!shown) return {whole};
    std::vector<TRect> parts{whole};
    if (HRGN bounds = CreateRectRgn(whole.Left, whole.Top, whole.Right, whole.Bottom)) {
        CombineRgn(shown, shown, bounds, RGN_AND);
        DeleteObject(bounds);
        const DWORD size = GetRegionData(shown, 0, nullptr);
        std::vector<char> data(size);
        auto* region = reinterpret_cast<RGNDATA*>(data.data());
        if (size >= sizeof(RGNDATAHEADER) && GetRegionData(shown, size, region) == size &&
            region->rdh.nCount <= MaxPaintedParts) {
            const auto* rects = reinterpret_cast<const RECT*>(region->Buffer);
            parts.clear();
            for (DWORD i = 0; i < region->rdh.nCount; ++i)
                parts.emplace_back(rects[i].left, rects[i].top, rects[i].right, rects[i].bottom);
        }
    }
    DeleteObject(shown);
    return parts;
}

namespace {

// Pixels up to which a morph is drawn over the whole look (16 MB per picture).
constexpr Int64 WholeMorphPixels = Int64{4} << 20;

} // namespace

TRect ShownPart(HDC DC, int Width, int Height) {
    const TRect all(0, 0, Width, Height);
    HRGN visible = VisibleRegion(DC);
    if (!visible) return all;
    RECT box{};
    const bool known = GetRgnBox(visible, &box) != ERROR;
    DeleteObject(visible);
    return known ? PartOfPlaced(TRect(box.left, box.top, box.right, box.bottom), all) : all;
}

void DrawMorphed(TBitmap* Image, const TRect& Shown, TMorphKind Kind, double Kf,
                 const std::function<void(TBitmap*)>& DrawNormal,
                 const std::function<void(TBitmap*)>& DrawLit) {
    const int w = Image->GetWidth(), h = Image->GetHeight();
    const TRect part = BitmapPart(Image);
    // The repainted part lies within what shows, save where a DC told less than it drew.
    const TRect shown(std::min(Shown.Left, part.Left), std::min(Shown.Top, part.Top),
                      std::max(Shown.Right, part.Right), std::max(Shown.Bottom, part.Bottom));
    const TRect whole = Int64{shown.Width()} * shown.Height() <= WholeMorphPixels ? shown : part;
    TBitmapPart normalLook(whole, w, h);
    TBitmapPart litLook(whole, w, h);
    DrawNormal(&normalLook);
    DrawLit(&litLook);
    TskEffectBmp normal(normalLook.GetHandle());
    TskEffectBmp lit(litLook.GetHandle());
    normal.MorphByKind(Kind, &lit, Kf);
    // Image's canvas keeps what falls inside its part.
    normal.Draw(Image->GetCanvas()->GetHandle(), whole.Left, whole.Top);
}

void TskSkinClient::PaintOffScreen(TCanvas* Canvas) {
    TControl* control = SkinnedControl();
    const int w = control->GetWidth(), h = control->GetHeight();
    if (w < 1 || h < 1) return;
    GetSkinData();
    const TRect part = PaintedPart(Canvas->GetHandle(), w, h);
    if (IsNullRect(part)) return;
    TBitmapPart image(part, w, h);
    if (FIndex != -1)
        CreateControlSkinImage(&image);
    else if (DrawDefault)
        CreateControlDefaultImage(&image);
    DrawBlended(Canvas, &image);
}

void TskSkinClient::DrawBlended(TCanvas* Canvas, TBitmap* Image) {
    if (!FAlphaBlend) {
        Canvas->Draw(0, 0, Image);
        return;
    }
    TControl* control = SkinnedControl();
    const TRect part = BitmapPart(Image);
    TBitmapPart parent(part, Image->GetWidth(), Image->GetHeight());
    if (control->IsWindowed())
        GetParentImage(control, parent.GetCanvas());
    else
        GetParentImage2(control, parent.GetCanvas());
    TskEffectBmp mine(Image->GetHandle());
    TskEffectBmp under(parent.GetHandle());
    mine.Morph(&under, 1 - FAlphaBlendValue / 255.0);
    mine.Draw(Canvas->GetHandle(), part.Left, part.Top);
}

void TskSkinClient::SkinNotification(TComponent* AComponent, TOperation Operation) {
    if (Operation != opRemove || !FSD || AComponent != FSD) return;
    FSD = nullptr;
    // The records and pictures go with the skin: the lookup without one clears whatever the
    // control kept of them (its record's index, its pictures and masks), and the control
    // takes its default look, unless it is going as well.
    if (SkinnedControl()->IsDestroying())
        GetSkinData();
    else
        ChangeSkinData();
}

void TskSkinClient::MovedRepaint() {
    if (FAlphaBlend) SkinnedControl()->Repaint();
}

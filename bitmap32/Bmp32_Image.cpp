#include "bitmap32/Bmp32_Image.h"
#include "bitmap32/Bmp32_ImageView.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

namespace Bmp32 {

// ---- TPaintStages -------------------------------------------------------------------------

namespace {

[[noreturn]] void InvalidStageIndex() {
    throw EListError("Invalid stage index");
}

} // namespace

TPaintStage* TPaintStages::Add() {
    FItems.push_back(std::make_unique<TPaintStage>());
    return FItems.back().get();
}

TPaintStage* TPaintStages::Insert(int Index) {
    Index = std::clamp(Index, 0, GetCount());
    FItems.insert(FItems.begin() + Index, std::make_unique<TPaintStage>());
    return FItems[Index].get();
}

void TPaintStages::Delete(int Index) {
    if (Index < 0 || Index >= GetCount()) InvalidStageIndex();
    FItems.erase(FItems.begin() + Index);
}

TPaintStage* TPaintStages::GetItem(int Index) {
    if (Index < 0 || Index >= GetCount()) InvalidStageIndex();
    return FItems[Index].get();
}

// ---- Published properties -----------------------------------------------------------------

namespace {

// What both published controls store besides their own properties.
void PublishPaintBoxProperties(TPropertyList& P) {
    P.Add("Align", &TControl::GetAlign, &TControl::SetAlign, alNone);
    P.Add("Anchors", &TControl::GetAnchors, &TControl::SetAnchors, TAnchors{akLeft, akTop});
    P.Add("AutoSize", &TControl::GetAutoSize, &TControl::SetAutoSize, false);
    P.Add("Constraints", &TControl::GetConstraints);
    P.Add("Cursor", &TControl::GetCursor, &TControl::SetCursor, crDefault)
        .Idents(CursorToIdent, IdentToCursor);
    P.Add("ParentShowHint", &TControl::GetParentShowHint, &TControl::SetParentShowHint);
    P.Add("PopupMenu", &TControl::GetPopupMenu, &TControl::SetPopupMenu);
    P.Add("RepaintMode", &TCustomPaintBox32::GetRepaintMode, &TCustomPaintBox32::SetRepaintMode,
          rmFull);
    P.Add("ShowHint", &TControl::GetShowHint, &TControl::SetShowHint, false);
    P.Add("TabOrder", &TWinControl::GetTabOrder, &TWinControl::SetTabOrder);
    P.Add("TabStop", &TWinControl::GetTabStop, &TWinControl::SetTabStop, false);
    P.Add("Visible", &TControl::GetVisible, &TControl::SetVisible, true);
    P.Add("OnClick", &TControl::OnClick);
    P.Add("OnDblClick", &TControl::OnDblClick);
    P.Add("OnGDIOverlay", &TCustomPaintBox32::OnGDIOverlay);
    P.Add("OnMouseWheel", &TControl::OnMouseWheel);
    P.Add("OnMouseWheelDown", &TControl::OnMouseWheelDown);
    P.Add("OnMouseWheelUp", &TControl::OnMouseWheelUp);
    P.Add("OnMouseEnter", &TCustomPaintBox32::OnMouseEnter);
    P.Add("OnMouseLeave", &TCustomPaintBox32::OnMouseLeave);
    P.Add("OnResize", &TControl::OnResize);
}

} // namespace

void TPaintBox32::Published(TPropertyList& P) {
    PublishPaintBoxProperties(P);
    P.Add("Options", &TCustomPaintBox32::GetOptions, &TCustomPaintBox32::SetOptions,
          TPaintBoxOptions{});
    P.Add("OnMouseDown", &TControl::OnMouseDown);
    P.Add("OnMouseMove", &TControl::OnMouseMove);
    P.Add("OnMouseUp", &TControl::OnMouseUp);
    P.Add("OnPaintBuffer", &TPaintBox32::OnPaintBuffer);
}

void TCustomImage32::Published(TPropertyList& P) {
    PublishPaintBoxProperties(P);
    P.Add("Bitmap", &TCustomImage32::GetBitmap);
    P.Add("BitmapAlign", &TCustomImage32::GetBitmapAlign, &TCustomImage32::SetBitmapAlign,
          baTopLeft);
    P.Add("Color", &TControl::GetColor, &TControl::SetColor, clWindow)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("ParentColor", &TControl::GetParentColor, &TControl::SetParentColor);
    P.Add("Scale", &TCustomImage32::GetScale, &TCustomImage32::SetScale, 1.0f);
    P.Add("ScaleMode", &TCustomImage32::GetScaleMode, &TCustomImage32::SetScaleMode, smNormal);
    P.Add("OnBitmapResize", &TCustomImage32::OnBitmapResize);
    P.Add("OnChange", &TCustomImage32::OnChange);
    P.Add("OnInitStages", &TCustomImage32::OnInitStages);
    P.Add("OnKeyDown", &TWinControl::OnKeyDown);
    P.Add("OnKeyPress", &TWinControl::OnKeyPress);
    P.Add("OnKeyUp", &TWinControl::OnKeyUp);
    P.Add("OnMouseDown", &TCustomImage32::OnMouseDown);
    P.Add("OnMouseMove", &TCustomImage32::OnMouseMove);
    P.Add("OnMouseUp", &TCustomImage32::OnMouseUp);
    P.Add("OnPaintStage", &TCustomImage32::OnPaintStage);
}

} // namespace Bmp32

namespace {

void RegisterImageClasses() {
    using namespace Bmp32;
    RegisterEnum<TRepaintMode>({"rmFull", "rmDirect", "rmOptimizer"});
    RegisterEnum<TPaintBoxOption>({"pboWantArrowKeys", "pboAutoFocus"});
    RegisterEnum<TBitmapAlign>({"baTopLeft", "baCenter", "baTile", "baCustom"});
    RegisterEnum<TScaleMode>(
        {"smNormal", "smStretch", "smScale", "smResize", "smOptimal", "smOptimalScaled"});
    for (const TClassInfo* info :
         {TPaintBox32::StaticClass(), TImage32::StaticClass(), TBitmap32List::StaticClass()})
        RegisterClass(info);
    RegisterImageViewClasses();
}

} // namespace

DEFINE_UNIT(Bmp32_Image, uoBmp32Image, RegisterImageClasses, nullptr);

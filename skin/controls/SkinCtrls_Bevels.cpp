#include "skin/controls/SkinCtrls_Bevels.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

namespace {

// The record named Name in Data, null when the skin is missing, empty or has none.
TskDataSkinControl* FindRecord(TskSkinData* Data, const AnsiString& Name, int& Index) {
    Index = (!Data || Data->Empty) ? -1 : Data->GetControlIndex(Name);
    return Index == -1 ? nullptr : Data->CtrlList[static_cast<std::size_t>(Index)].get();
}

} // namespace

// ---- TskSkinBevel ------------------------------------------------------------------------

TskSkinBevel::TskSkinBevel(TComponent* AOwner) : TBevel(AOwner) {}

void TskSkinBevel::Published(TPropertyList& P) {
    P.Add("SkinData", &TskSkinBevel::GetSkin, &TskSkinBevel::SetSkinData);
    P.Add("SkinDataName", &TskSkinBevel::GetSkinDataName, &TskSkinBevel::SetSkinDataName);
    P.Add("DividerMode", &TskSkinBevel::GetDividerMode, &TskSkinBevel::SetDividerMode, false);
}

void TskSkinBevel::SetSkinData(TskSkinData* Value) {
    SetReference(this, FSD, Value);
    ChangeSkinData();
}

void TskSkinBevel::Notification(TComponent* AComponent, TOperation Operation) {
    TBevel::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSD) FSD = nullptr;
}

void TskSkinBevel::SetDividerMode(bool Value) {
    FDividerMode = Value;
    Invalidate();
}

void TskSkinBevel::ChangeSkinData() {
    int index = -1;
    TskDataSkinControl* record = FindRecord(FSD, SkinDataName, index);
    if (index == -1) {
        FLightColor = clBtnHighlight;
        FDarkColor = clBtnShadow;
    } else if (auto* bevel = dynamic_cast<TskDataSkinBevel*>(record)) {
        FLightColor = bevel->LightColor;
        FDarkColor = bevel->DarkColor;
    }
    Invalidate();
}

void TskSkinBevel::Paint() {
    TCanvas* canvas = GetCanvas();
    if (GetShape() == bsSpacer) {
        if (IsDesigning()) DrawDesignFrame();
        return;
    }
    canvas->GetPen()->SetWidth(1);
    const bool raised = GetStyle() == bsRaised;
    TColor c1 = raised ? FLightColor : FDarkColor;
    TColor c2 = raised ? FDarkColor : FLightColor;
    const int w = GetWidth();
    const int h = GetHeight();
    auto bevelRect = [&](TColor First, TColor Second, int L, int T, int R, int B) {
        canvas->GetPen()->SetColor(First);
        canvas->Polyline({TPoint(L, B), TPoint(L, T), TPoint(R, T)});
        canvas->GetPen()->SetColor(Second);
        canvas->Polyline({TPoint(R, T), TPoint(R, B), TPoint(L, B)});
    };
    auto line = [&](TColor Color, int X1, int Y1, int X2, int Y2) {
        canvas->GetPen()->SetColor(Color);
        canvas->MoveTo(X1, Y1);
        canvas->LineTo(X2, Y2);
    };
    if (FDividerMode) {
        if (GetShape() == bsTopLine || GetShape() == bsBottomLine)
            bevelRect(c1, c2, 2, h / 2 - 1, w - 2, h / 2);
        else
            bevelRect(c1, c2, w / 2 - 1, 2, w / 2, h - 2);
        return;
    }
    switch (GetShape()) {
    case bsBox: bevelRect(c1, c2, 0, 0, w - 1, h - 1); break;
    case bsFrame:
        bevelRect(c2, c2, 1, 1, w - 1, h - 1);
        bevelRect(c1, c1, 0, 0, w - 2, h - 2);
        break;
    case bsTopLine:
        line(c1, 0, 0, w, 0);
        line(c2, 0, 1, w, 1);
        break;
    case bsBottomLine:
        line(c1, 0, h - 2, w, h - 2);
        line(c2, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        line(c1, 0, 0, 0, h);
        line(c2, 1, 0, 1, h);
        break;
    case bsRightLine:
        line(c1, w - 2, 0, w - 2, h);
        line(c2, w - 1, 0, w - 1, h);
        break;
    case bsSpacer: break;
    }
}

// ---- TskSkinSplitter -----------------------------------------------------------------------

TskSkinSplitter::TskSkinSplitter(TComponent* AOwner) : TSplitter(AOwner) {
    SetControlStyle(GetControlStyle() << csOpaque);
}

void TskSkinSplitter::Published(TPropertyList& P) {
    P.Add("DefaultSize", &TskSkinSplitter::GetDefaultSize, &TskSkinSplitter::SetDefaultSize, 10);
    P.Add("SkinDataName", &TskSkinSplitter::GetSkinDataName, &TskSkinSplitter::SetSkinDataName);
    P.Add("SkinData", &TskSkinSplitter::GetSkin, &TskSkinSplitter::SetSkinData);
}

void TskSkinSplitter::SetSkinData(TskSkinData* Value) {
    SetReference(this, FSD, Value);
    ChangeSkinData();
}

void TskSkinSplitter::Notification(TComponent* AComponent, TOperation Operation) {
    TSplitter::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSD) FSD = nullptr;
}

void TskSkinSplitter::GetSkinData() {
    auto* record = dynamic_cast<TskDataSkinSplitterControl*>(FindRecord(FSD, SkinDataName, FIndex));
    if (!record) return;
    FShape.LTPoint = record->LTPoint;
    FShape.RTPoint = record->RTPoint;
    FShape.LBPoint = record->LBPoint;
    FShape.SkinRect = record->SkinRect;
    FShape.Picture = SkinPicture(FSD, record->PictureIndex);
}

void TskSkinSplitter::ChangeSkinData() {
    GetSkinData();
    const bool across = GetAlign() == alTop || GetAlign() == alBottom;
    const bool skinned = FIndex != -1 && !IsNullRect(FShape.SkinRect);
    const int thickness = !skinned ? FDefaultSize
                          : across ? RectHeight(FShape.SkinRect)
                                   : RectWidth(FShape.SkinRect);
    SetMinSize(thickness);
    if (across)
        SetHeight(thickness);
    else
        SetWidth(thickness);
    Invalidate();
}

void TskSkinSplitter::Paint() {
    if (GetWidth() < 1 || GetHeight() < 1) return;
    GetSkinData();
    const TAlign align = GetAlign();
    if (FIndex == -1 || !FShape.Picture || align == alNone || align == alClient) {
        TSplitter::Paint();
        return;
    }
    TBitmap strip;
    const TRect& r = FShape.SkinRect;
    if (align == alTop || align == alBottom)
        CreateHSkinImage(FShape.LTPoint.X, RectWidth(r) - FShape.RTPoint.X, &strip, FShape.Picture,
                         r, GetWidth(), RectHeight(r));
    else
        CreateVSkinImage(FShape.LTPoint.Y, RectHeight(r) - FShape.LBPoint.Y, &strip,
                         FShape.Picture, r, RectWidth(r), GetHeight());
    GetCanvas()->Draw(0, 0, &strip);
}

REGISTER_CLASS(TskSkinBevel);
REGISTER_CLASS(TskSkinSplitter);

DEFINE_UNIT(SkinCtrls_Bevels, uoSkin + 10, nullptr, nullptr);

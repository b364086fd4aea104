#include "grid/gclbordr.h"

#include "classlib/Graphics.h"
#include "classlib/Persistence.h"

// ---- TGclBorder -------------------------------------------------------------------

void TGclBorder::Changed() {
    if (OnChange.Assigned()) OnChange(this);
}

void TGclBorder::SetBorderStyle(TGclBorderStyle Value) {
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    Changed();
}

void TGclBorder::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    Changed();
}

void TGclBorder::SetPenColor(TColor Value) {
    if (Value == FPenColor) return;
    FPenColor = Value;
    Changed();
}

void TGclBorder::SetPenStyle(TPenStyle Value) {
    if (Value == FPenStyle) return;
    FPenStyle = Value;
    Changed();
}

void TGclBorder::SetPenWidth(int Value) {
    if (Value < 1 || Value == FPenWidth) return;
    FPenWidth = Value;
    Changed();
}

void TGclBorder::Assign(TPersistent* Source) {
    if (auto* other = dynamic_cast<TGclBorder*>(Source)) {
        SetEnabled(other->FEnabled);
        SetPenColor(other->FPenColor);
        SetPenStyle(other->FPenStyle);
        SetPenWidth(other->FPenWidth);
        return;
    }
    TPersistent::Assign(Source);
}

void TGclBorder::Published(TPropertyList& P) {
    P.Add("BorderStyle", &TGclBorder::GetBorderStyle, &TGclBorder::SetBorderStyle, bpsSolid);
    P.Add("Enabled", &TGclBorder::GetEnabled, &TGclBorder::SetEnabled, false);
    P.Add("OnChange", &TGclBorder::OnChange);
    P.Add("PenColor", &TGclBorder::GetPenColor, &TGclBorder::SetPenColor, TColor(clBlack))
        .Idents(ColorToIdent, IdentToColor);
    P.Add("PenStyle", &TGclBorder::GetPenStyle, &TGclBorder::SetPenStyle, psSolid);
    P.Add("PenWidth", &TGclBorder::GetPenWidth, &TGclBorder::SetPenWidth, 2);
}

// ---- TGclBorders ------------------------------------------------------------------

TGclBorders::TGclBorders(TNotifyEvent Changed)
    : FBottom(new TGclBorder), FLeft(new TGclBorder), FRight(new TGclBorder), FTop(new TGclBorder) {
    for (TGclBorder* border : {FBottom, FLeft, FRight, FTop})
        border->OnChange = Changed;
}

TGclBorders::~TGclBorders() {
    for (TGclBorder* border : {FBottom, FLeft, FRight, FTop})
        delete border;
}

void TGclBorders::Assign(TPersistent* Source) {
    if (auto* other = dynamic_cast<TGclBorders*>(Source)) {
        FBottom->Assign(other->FBottom);
        FLeft->Assign(other->FLeft);
        FRight->Assign(other->FRight);
        FTop->Assign(other->FTop);
        return;
    }
    TPersistent::Assign(Source);
}

void TGclBorders::Published(TPropertyList& P) {
    P.Add("BottomBorder", &TGclBorders::GetBottomBorder);
    P.Add("LeftBorder", &TGclBorders::GetLeftBorder);
    P.Add("RightBorder", &TGclBorders::GetRightBorder);
    P.Add("TopBorder", &TGclBorders::GetTopBorder);
}

// ---- TGclBorderParent -------------------------------------------------------------

TGclBorderParent::TGclBorderParent(TComponent* AOwner)
    : TGclCustomControl(AOwner),
      FBorders(new TGclBorders(TNotifyEvent(this, &TGclBorderParent::BordersChanged))) {
    SetBounds(GetLeft(), GetTop(), 121, 21);
    SetParentColor(true);
    SetCtl3D(false);
}

TGclBorderParent::~TGclBorderParent() {
    delete FBorders;
}

void TGclBorderParent::SetEditControl(TGclCustomEdit* Edit) {
    FEdit = Edit;
}

void TGclBorderParent::SetLabelPosition(TGclLabelPosition Value) {
    FLabelPosition = Value;
    Labels().SetBelow(Value == lpBottomLeft);
}

void TGclBorderParent::SetButtonAllowance(int GlyphWidth, bool ShowButton) {
    FButtonGlyphWidth = GlyphWidth;
    FShowButton = ShowButton;
    Invalidate();
}

void TGclBorderParent::BordersChanged(TObject*) {
    Invalidate();
}

TRect TGclBorderParent::EditRect() const {
    const TGclBorder* left = FBorders->GetLeftBorder();
    const TGclBorder* right = FBorders->GetRightBorder();
    const TGclBorder* top = FBorders->GetTopBorder();
    const TGclBorder* bottom = FBorders->GetBottomBorder();
    int x = left->GetEnabled() ? left->GetPenWidth() : 0;
    int y = top->GetEnabled() ? top->GetPenWidth() : 0;
    // Without side borders the edit spans the container (a shown button stays above it);
    // with them it keeps the button's room besides.
    int width = GetWidth();
    if (left->GetEnabled() || right->GetEnabled()) {
        width -= FShowButton ? FButtonGlyphWidth + 4 : 0;
        if (left->GetEnabled()) width -= left->GetPenWidth();
        if (right->GetEnabled()) width -= right->GetPenWidth();
    }
    int height = GetHeight();
    if (top->GetEnabled() || bottom->GetEnabled()) {
        if (top->GetEnabled()) height -= top->GetPenWidth();
        if (bottom->GetEnabled()) height -= bottom->GetPenWidth();
    }
    return TRect(x, y, x + width, y + height);
}

void TGclBorderParent::PaintBorders() {
    if (FEdit) {
        TRect r = EditRect();
        FEdit->SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    }
    TCanvas* canvas = GetCanvas();
    const int width = GetWidth(), height = GetHeight();
    auto pen = [&](const TGclBorder* b) {
        canvas->GetPen()->SetColor(b->GetPenColor());
        canvas->GetPen()->SetWidth(b->GetPenWidth());
        canvas->GetPen()->SetStyle(b->GetPenStyle());
        return b->GetPenWidth();
    };
    // Each line runs half a pen width inside its edge; odd widths one pixel further in.
    if (const TGclBorder* b = FBorders->GetLeftBorder(); b->GetEnabled()) {
        int w = pen(b);
        canvas->MoveTo(w / 2, 0);
        canvas->LineTo(w / 2, height);
    }
    if (const TGclBorder* b = FBorders->GetRightBorder(); b->GetEnabled()) {
        int w = pen(b);
        int x = width - w / 2 - (w % 2);
        canvas->MoveTo(x, 0);
        canvas->LineTo(x, height);
    }
    if (const TGclBorder* b = FBorders->GetTopBorder(); b->GetEnabled()) {
        int w = pen(b);
        canvas->MoveTo(0, w / 2);
        canvas->LineTo(width, w / 2);
    }
    if (const TGclBorder* b = FBorders->GetBottomBorder(); b->GetEnabled()) {
        int w = pen(b);
        int y = height - w / 2 - (w % 2);
        canvas->MoveTo(0, y);
        canvas->LineTo(w % 2 ? width : width - w / 2, y);
    }
    if (FEdit && FEdit->HandleAllocated()) FEdit->Invalidate();
    ValidateRect(GetHandle(), nullptr);
}

void TGclBorderParent::CreateParams(TCreateParams& Params) {
    TGclCustomControl::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN; // the inner edit paints itself
}

void TGclBorderParent::Paint() {
    PaintBorders();
}

void TGclBorderParent::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TGclCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FEdit) {
        TRect r = EditRect();
        FEdit->SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    }
}

void TGclBorderParent::WMSetFocus(TMessage& Msg) {
    TGclCustomControl::Dispatch(Msg);
    if (FEdit && FEdit->CanFocus()) FEdit->SetFocus();
}

void TGclBorderParent::Published(TPropertyList& P) {
    P.Add("Borders", &TGclBorderParent::GetBorders);
}

// ---- TGclBorderEdButton -----------------------------------------------------------

TGclBorderEdButton::TGclBorderEdButton(TGclBorderParent* AOwner)
    : TBitBtn(AOwner), FContainer(AOwner) {
    SetTabStop(false);
}

void TGclBorderEdButton::Click() {
    FContainer->PopupOpen();
}

namespace {
void StartBorders() {
    RegisterEnum<TGclBorderStyle>({"bpsSolid"});
}
} // namespace

DEFINE_UNIT(gclbordr, uoGridModules, StartBorders, nullptr);

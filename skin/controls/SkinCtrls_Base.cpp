#include "skin/controls/SkinCtrls_Base.h"

#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"

#include <algorithm>

void DrawBorderFrame(TCanvas* Canvas, const TRect& R, TskSkinBorderStyle Style) {
    switch (Style) {
    case TskSkinBorderStyle::bvFrame: Frm3D(Canvas, R, clBtnShadow, clBtnShadow); break;
    case TskSkinBorderStyle::bvRaised: Frm3D(Canvas, R, clBtnHighlight, clBtnShadow); break;
    case TskSkinBorderStyle::bvLowered: Frm3D(Canvas, R, clBtnShadow, clBtnHighlight); break;
    case TskSkinBorderStyle::bvNone: break;
    }
}

void MakeDefaultSkinFont(TFont* Font) {
    Font->SetName("Arial");
    Font->SetHeight(14);
    Font->SetStyle(TFontStyles());
}

void AnswerFrameInsets(TMessage& Message, const TRect& Insets) {
    auto* r = reinterpret_cast<RECT*>(Message.LParam); // the first of the params when WParam
    r->left += Insets.Left;
    r->top += Insets.Top;
    r->right = std::max(r->left, r->right - Insets.Right);
    r->bottom = std::max(r->top, r->bottom - Insets.Bottom);
    Message.Result = 0;
}

TRect SkinClientInsets(const TRect& SkinRect, const TRect& ClRect) {
    return TRect(std::max(0, ClRect.Left), std::max(0, ClRect.Top),
                 std::max(0, RectWidth(SkinRect) - ClRect.Right),
                 std::max(0, RectHeight(SkinRect) - ClRect.Bottom));
}

std::unique_ptr<TTimer> NewFadeTimer(TNotifyEvent Tick) {
    auto timer = std::make_unique<TTimer>(nullptr);
    timer->SetInterval(20);
    timer->SetOnTimer(Tick);
    timer->SetEnabled(true);
    return timer;
}

bool StepFade(double& Kf, bool Lit) {
    if (Lit && Kf < 1) {
        Kf += 0.1;
    } else if (!Lit && Kf > 0) {
        Kf -= 0.1;
    } else {
        Kf = Lit ? 1 : 0;
        return false;
    }
    return true;
}

bool FocusOnPress(TWinControl* Control, bool& SettingFocus) {
    if (Control->IsDesigning() || Control->Focused()) return true;
    {
        TFlagGuard settingFocus(SettingFocus);
        ::SetFocus(Control->GetHandle());
    }
    return Control->Focused();
}

// ---- TskSkinControl ----------------------------------------------------------------

TskSkinControl::TskSkinControl(TComponent* AOwner) : TCustomControl(AOwner) {}

TskSkinControl::~TskSkinControl() = default;

void TskSkinControl::Published(TPropertyList& P) {
    PublishWinControlProperties(P);
    PublishSkinClient<TskSkinControl>(P);
}

void TskSkinControl::Paint() {
    PaintOffScreen(GetCanvas());
}

void TskSkinControl::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    SkinNotification(AComponent, Operation);
}

void TskSkinControl::CMMouseEnter(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    if (OnMouseEnter) OnMouseEnter(this);
}

void TskSkinControl::CMMouseLeave(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    if (OnMouseLeave) OnMouseLeave(this);
}

void TskSkinControl::WMEraseBkgnd(TMessage& Message) {
    // The off-screen paint covers the whole control.
    Message.Result = 1;
}

void TskSkinControl::WMMove(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    MovedRepaint();
}

void TskSkinControl::SetWindowRegion(HRGN Rgn) {
    if (!HandleAllocated()) {
        if (Rgn) DeleteObject(Rgn);
        FRgn = nullptr;
        return;
    }
    if (!Rgn && !FRgn) return;
    FRgn = ::SetWindowRegion(GetHandle(), Rgn, FRgn);
}

// ---- TskSkinSizing -----------------------------------------------------------------

TskSkinSizing::TskSkinSizing() : FDefaultFont(std::make_unique<TFont>()) {
    MakeDefaultSkinFont(FDefaultFont.get());
    FDefaultFont->OnChange = TNotifyEvent(this, &TskSkinSizing::DefaultFontChanged);
}

void TskSkinSizing::DefaultFontChanged(TObject*) {
    DefaultFontChange();
    if (Client().GetSkinIndex() == -1) Client().SkinnedControl()->Repaint();
}

void TskSkinSizing::SetDefaultFont(TFont* Value) {
    FDefaultFont->Assign(Value);
    DefaultFontChange();
}

void TskSkinSizing::SetDefaultWidth(int Value) {
    FDefaultWidth = Value;
    if (Client().GetSkinIndex() == -1 && Value >= 1) Client().SkinnedControl()->SetWidth(Value);
}

void TskSkinSizing::SetDefaultHeight(int Value) {
    FDefaultHeight = Value;
    if (Client().GetSkinIndex() == -1 && Value >= 1) Client().SkinnedControl()->SetHeight(Value);
}

void TskSkinSizing::CalcSize(int& W, int& H) {
    MapToSize(W, H, Client().GetSkinIndex() != -1);
}

TRect TskSkinSizing::GetNewRect(const TRect& R) {
    TControl* control = Client().SkinnedControl();
    return TskSkinShape::GetNewRect(R, control->GetWidth(), control->GetHeight());
}

void TskSkinSizing::CreateSkinControlImage(TBitmap* B, TBitmap* SB, const TRect& R) {
    TControl* control = Client().SkinnedControl();
    TskSkinShape::CreateSkinControlImage(B, SB, R, control->GetWidth(), control->GetHeight());
}

void SetSkinFont(TCanvas* Canvas, TFont* DefaultFont, bool UseSkinFont, const AnsiString& Name,
                 int Height, TFontStyles Style) {
    TFont* font = Canvas->GetFont();
    if (!UseSkinFont) {
        font->Assign(DefaultFont);
        return;
    }
    font->SetName(Name);
    font->SetHeight(Height);
    font->SetStyle(Style);
    font->SetCharset(DefaultFont->GetCharset());
}

void TskSkinSizing::SetSkinFont(TCanvas* Canvas, const AnsiString& Name, int Height,
                                TFontStyles Style) {
    ::SetSkinFont(Canvas, FDefaultFont.get(), UseSkinFont, Name, Height, Style);
}

void TskSkinSizing::ReadRecordShape(int& CursorIndex) {
    TskSkinClient& client = Client();
    if (TskDataSkinControl* record = client.GetSkinRecord())
        ReadShape(client.GetSkin(), record, CursorIndex);
    else
        Picture = MaskPicture = nullptr; // a skin that went may have taken them along
}

bool TskSkinSizing::FitBounds(int& AWidth, int& AHeight) {
    TskSkinClient& client = Client();
    TControl* control = client.SkinnedControl();
    client.GetSkinData();
    if (AWidth == control->GetWidth() && AHeight == control->GetHeight()) return false;
    if (client.GetSkinIndex() == -1) return false;
    CalcSize(AWidth, AHeight);
    if (ResizeMode == rmFixed) NewClRect = ClRect;
    return true;
}

bool TskSkinSizing::ApplySkinSize() {
    TskSkinClient& client = Client();
    TControl* control = client.SkinnedControl();
    if (client.GetSkinIndex() == -1) {
        if (FDefaultWidth > 0) control->SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0) control->SetHeight(FDefaultHeight);
        return false;
    }
    int w = control->GetWidth();
    int h = control->GetHeight();
    CalcSize(w, h);
    if (w == control->GetWidth() && h == control->GetHeight()) return false;
    control->SetBounds(control->GetLeft(), control->GetTop(), w, h);
    return true;
}

// ---- TskSkinCustomControl ------------------------------------------------------------

TskSkinCustomControl::TskSkinCustomControl(TComponent* AOwner) : TskSkinControl(AOwner) {}

void TskSkinCustomControl::Published(TPropertyList& P) {
    PublishSkinSizing<TskSkinCustomControl>(P);
}

void TskSkinCustomControl::GetSkinData() {
    TskSkinControl::GetSkinData();
    ReadRecordShape(FSkinCursorIndex);
}

void TskSkinCustomControl::ChangeSkinData() {
    GetSkinData();
    ApplySkinCursor();
    if (ApplySkinSize()) return;
    SetControlRegion();
    Repaint();
}

void TskSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const bool fitted = FitBounds(AWidth, AHeight);
    TskSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!fitted) return;
    SetControlRegion();
    Repaint();
}

void TskSkinCustomControl::CreateWnd() {
    TskSkinControl::CreateWnd();
    // A region asked for before the window existed is set now.
    FRgn = nullptr;
    SetControlRegion();
}

void TskSkinCustomControl::SetControlRegion() {
    if (MaskPicture && FIndex != -1)
        CreateControlRegion();
    else
        SetWindowRegion(nullptr);
}

void TskSkinCustomControl::CreateControlRegion() {
    if (ResizeMode == rmNoSkinRect || !HandleAllocated()) return;
    SetWindowRegion(CreateShapeRegion(GetWidth(), GetHeight()));
}

void TskSkinCustomControl::CreateControlDefaultImage(TBitmap* B) {
    TCanvas* canvas = B->GetCanvas();
    canvas->GetBrush()->SetColor(clBtnFace);
    canvas->FillRect(GetClientRect());
}

void TskSkinCustomControl::CreateControlSkinImage(TBitmap* B) {
    CreateSkinControlImage(B, Picture, SkinRect);
}

REGISTER_CLASS(TskSkinControl);
REGISTER_CLASS(TskSkinCustomControl);

namespace {

void RegisterSkinCtrlsEnums() {
    RegisterEnum<TskSkinBorderStyle>({"bvFrame", "bvRaised", "bvLowered", "bvNone"});
}

} // namespace

DEFINE_UNIT(SkinCtrls, uoSkin + 10, RegisterSkinCtrlsEnums, nullptr);

namespace {
bool IsChildOf(TWinControl* Parent, TControl* Control) {
    for (int i = 0; i < Parent->GetControlCount(); ++i)
        if (Parent->GetControl(i) == Control) return true;
    return false;
}
} // namespace

void HideChildren(TWinControl* Parent, std::unique_ptr<std::vector<TControl*>>& Hidden) {
    auto list = std::make_unique<std::vector<TControl*>>();
    for (int i = 0; i < Parent->GetControlCount(); ++i)
        if (Parent->GetControl(i)->GetVisible()) list->push_back(Parent->GetControl(i));
    // Each step runs the child's events: the walk goes over a copy of its own.
    const std::vector<TControl*> children = *list;
    const auto* mine = list.get();
    Hidden = std::move(list);
    for (TControl* control : children) {
        if (Hidden.get() != mine) return;
        if (IsChildOf(Parent, control)) control->SetVisible(false);
    }
}

void ShowChildren(TWinControl* Parent, std::unique_ptr<std::vector<TControl*>>& Hidden) {
    if (!Hidden) return;
    const auto list = std::move(Hidden);
    // A child freed while hidden has left the parent.
    for (TControl* control : *list)
        if (IsChildOf(Parent, control)) control->SetVisible(true);
}

void StackInOrder(TWinControl* Parent, const std::vector<TControl*>& Buttons, int Last) {
    // Laid out together, the buttons keep the order of their places: a button that joins
    // the bottom stack comes from above it, one that joins the top stack from below it.
    Parent->DisableAlign();
    for (std::size_t i = 0; i < Buttons.size(); ++i)
        Buttons[i]->SetAlign(static_cast<int>(i) <= Last ? alTop : alBottom);
    Parent->EnableAlign();
}

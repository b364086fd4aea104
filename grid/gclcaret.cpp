#include "grid/gclcaret.h"

#include "classlib/Persistence.h"
#include "classlib/UnitInit.h"

// ---- TGclCaret ------------------------------------------------------------------

TGclCaret::TGclCaret() : FBitmap(new TBitmap) {}

TGclCaret::~TGclCaret() {
    delete FBitmap;
}

void TGclCaret::Deregister() {
    if (--FRefCount <= 0) delete this;
}

void TGclCaret::Changed() {
    if (OnChange.Assigned()) OnChange(this);
}

void TGclCaret::SetBitmap(TBitmap* Value) {
    if (!Value) return;
    FBitmap->Assign(Value);
    if (FShape == csBitmap) {
        FCaretHeight = FBitmap->GetHeight();
        FCaretWidth = FBitmap->GetWidth();
    }
    Changed();
}

void TGclCaret::SetBitmapHotSpotX(int Value) {
    if (Value == FHotSpotX) return;
    FHotSpotX = Value;
    if (FShape == csBitmap) Changed();
}

void TGclCaret::SetBitmapHotSpotY(int Value) {
    if (Value == FHotSpotY) return;
    FHotSpotY = Value;
    if (FShape == csBitmap) Changed();
}

void TGclCaret::SetShape(TGclCaretShape Value) {
    if (Value == FShape) return;
    FShape = Value;
    switch (Value) {
    case csBlock: FAlign = caLeft; break;
    case csHalfBlock: FAlign = caBottom; break;
    case csVertLine:
        FAlign = caLeft;
        FCaretWidth = 2;
        break;
    case csHorzLine:
        FAlign = caBottom;
        FCaretHeight = 2;
        break;
    case csCustom: break;
    case csBitmap:
        FCaretHeight = FBitmap->GetHeight();
        FCaretWidth = FBitmap->GetWidth();
        break;
    }
    Changed();
}

void TGclCaret::SetAlign(TGclCaretAlign Value) {
    if (Value == FAlign) return;
    FAlign = Value;
    Changed();
}

void TGclCaret::SetBlinkTime(Word Value) {
    if (Value == FBlinkTime) return;
    FBlinkTime = Value;
    Changed();
}

void TGclCaret::SetCaretHeight(int Value) {
    if (Value < 1 || Value == FCaretHeight) return;
    FCaretHeight = Value;
    Changed();
}

void TGclCaret::SetCaretWidth(int Value) {
    if (Value < 1 || Value == FCaretWidth) return;
    FCaretWidth = Value;
    Changed();
}

void TGclCaret::SetIsGray(bool Value) {
    if (Value == FIsGray) return;
    FIsGray = Value;
    Changed();
}

void TGclCaret::Published(TPropertyList& P) {
    P.Add("Bitmap", &TGclCaret::GetBitmap, &TGclCaret::SetBitmap);
    P.Add("BitmapHotSpotX", &TGclCaret::GetBitmapHotSpotX, &TGclCaret::SetBitmapHotSpotX, 0);
    P.Add("BitmapHotSpotY", &TGclCaret::GetBitmapHotSpotY, &TGclCaret::SetBitmapHotSpotY, 0);
    P.Add("Shape", &TGclCaret::GetShape, &TGclCaret::SetShape, csVertLine);
    P.Add("Align", &TGclCaret::GetAlign, &TGclCaret::SetAlign, caLeft);
    P.Add("BlinkTime", &TGclCaret::GetBlinkTime, &TGclCaret::SetBlinkTime, Word(0));
    P.Add("CaretHeight", &TGclCaret::GetCaretHeight, &TGclCaret::SetCaretHeight, 10);
    P.Add("CaretWidth", &TGclCaret::GetCaretWidth, &TGclCaret::SetCaretWidth, 2);
    P.Add("IsGray", &TGclCaret::GetIsGray, &TGclCaret::SetIsGray, false);
}

// ---- TGclSingleCaret ------------------------------------------------------------

TGclSingleCaret::TGclSingleCaret(TWinControl* AOwner) : FOwner(AOwner) {
    FCaretType = new TGclCaret;
    FCaretType->Register();
    FCaretType->OnChange = TNotifyEvent(this, &TGclSingleCaret::Relink);
    Reinit();
}

TGclSingleCaret::~TGclSingleCaret() {
    SetVisible(false);
    Unlink();
    FCaretType->OnChange = nullptr;
    FCaretType->Deregister();
}

void TGclSingleCaret::SetCaretType(TGclCaret* Value) {
    if (Value && Value != FCaretType) UseCaretType(Value);
}

void TGclSingleCaret::UseCaretType(TGclCaret* Value) {
    Value->Register();
    FCaretType->OnChange = nullptr;
    FCaretType->Deregister();
    FCaretType = Value;
    FCaretType->OnChange = TNotifyEvent(this, &TGclSingleCaret::Relink);
    Relink(this);
}

void TGclSingleCaret::SetCellHeight(int Value) {
    if (Value < 1 || Value == FCellHeight) return;
    FCellHeight = Value;
    Relink(this);
}

void TGclSingleCaret::SetCellWidth(int Value) {
    if (Value < 1 || Value == FCellWidth) return;
    FCellWidth = Value;
    Relink(this);
}

void TGclSingleCaret::SetLinked(bool Value) {
    if (Value)
        Link();
    else
        Unlink();
}

void TGclSingleCaret::SetVisible(bool Value) {
    if (Value == FVisible) return;
    FVisible = Value;
    if (!FLinked || !FOwner->HandleAllocated()) return;
    if (Value)
        ShowCaret(FOwner->GetHandle());
    else
        HideCaret(FOwner->GetHandle());
}

void TGclSingleCaret::SetPos(TPoint Value) {
    if (Value.X < 0) Value.X = OffScreen;
    if (Value.Y < 0) Value.Y = OffScreen;
    if (Value == FPos) return;
    FPos = Value;
    MoveCaret();
}

void TGclSingleCaret::MoveCaret() {
    if (!FLinked) return;
    int x = FPos.X == OffScreen ? OffScreen : FPos.X + FOffset.X;
    int y = FPos.Y == OffScreen ? OffScreen : FPos.Y + FOffset.Y;
    SetCaretPos(x, y);
}

void TGclSingleCaret::Reinit() {
    TGclCaret* t = FCaretType;
    TNotifyEvent listener = t->OnChange;
    t->OnChange = nullptr;
    switch (t->GetShape()) {
    case csBlock:
        t->SetCaretHeight(FCellHeight);
        t->SetCaretWidth(FCellWidth);
        break;
    case csHalfBlock:
        t->SetCaretHeight(FCellHeight / 2);
        t->SetCaretWidth(FCellWidth);
        break;
    case csVertLine: t->SetCaretHeight(FCellHeight); break;
    case csHorzLine: t->SetCaretWidth(FCellWidth); break;
    case csCustom:
    case csBitmap: break;
    }
    t->OnChange = listener;

    int w = t->GetCaretWidth(), h = t->GetCaretHeight();
    TPoint offset;
    switch (t->GetAlign()) {
    case caLeft: offset = {0, (FCellHeight - h) / 2}; break;
    case caTop: offset = {(FCellWidth - w) / 2, 0}; break;
    case caRight: offset = {FCellWidth - w, (FCellHeight - h) / 2}; break;
    case caBottom: offset = {(FCellWidth - w) / 2, FCellHeight - h}; break;
    case caCenter: offset = {(FCellWidth - w) / 2, (FCellHeight - h) / 2}; break;
    }
    if (t->GetShape() == csBitmap) {
        offset.X -= t->GetBitmapHotSpotX();
        offset.Y -= t->GetBitmapHotSpotY();
    }
    if (offset == FOffset) return;
    FOffset = offset;
    MoveCaret();
}

void TGclSingleCaret::Relink(TObject*) {
    bool wasLinked = FLinked;
    Unlink();
    Reinit();
    if (wasLinked) Link();
}

void TGclSingleCaret::Link() {
    if (FLinked || !FOwner->HandleAllocated()) return;
    HWND wnd = FOwner->GetHandle();
    FSavedBlinkTime = GetCaretBlinkTime();
    HBITMAP shape = nullptr;
    if (FCaretType->GetShape() == csBitmap)
        shape = FCaretType->GetBitmap()->GetHandle();
    else if (FCaretType->GetIsGray())
        shape = reinterpret_cast<HBITMAP>(1);
    if (!CreateCaret(wnd, shape, FCaretType->GetCaretWidth(), FCaretType->GetCaretHeight()))
        return;
    FLinked = true;
    if (FVisible) ShowCaret(wnd);
    MoveCaret();
    Word blink = FCaretType->GetBlinkTime();
    if (blink != 0 && blink != FSavedBlinkTime) SetCaretBlinkTime(blink);
}

void TGclSingleCaret::Unlink() {
    if (!FLinked) return;
    FLinked = false;
    // The blink time is a setting of the whole system: it always goes back.
    if (GetCaretBlinkTime() != FSavedBlinkTime) SetCaretBlinkTime(FSavedBlinkTime);
    DestroyCaret();
}

// ---- TGclCaretPair --------------------------------------------------------------

TGclCaretPair::TGclCaretPair(TWinControl* AOwner)
    : TGclSingleCaret(AOwner), FInsType(new TGclCaret), FOvrType(new TGclCaret) {
    FInsType->Register();
    FOvrType->Register();
    FOvrType->SetShape(csBlock);
    UseCaretType(FInsType);
}

TGclCaretPair::~TGclCaretPair() {
    FInsType->Deregister();
    FOvrType->Deregister();
}

void TGclCaretPair::SetInsMode(bool Value) {
    if (Value == FInsMode) return;
    FInsMode = Value;
    UseCaretType(Value ? FInsType : FOvrType);
}

void TGclCaretPair::ReplaceType(TGclCaret*& Slot, TGclCaret* Value) {
    if (!Value || Value == Slot) return;
    Value->Register();
    TGclCaret* old = Slot;
    Slot = Value;
    if ((Slot == FInsType) == FInsMode) UseCaretType(Value);
    old->Deregister();
}

void TGclCaretPair::SetInsCaretType(TGclCaret* Value) {
    ReplaceType(FInsType, Value);
}

void TGclCaretPair::SetOvrCaretType(TGclCaret* Value) {
    ReplaceType(FOvrType, Value);
}

namespace {
void StartCarets() {
    RegisterEnum<TGclCaretShape>(
        {"csBlock", "csHalfBlock", "csVertLine", "csHorzLine", "csCustom", "csBitmap"});
    RegisterEnum<TGclCaretAlign>({"caLeft", "caTop", "caRight", "caBottom", "caCenter"});
}
} // namespace

DEFINE_UNIT(gclcaret, uoGridModules, StartCarets, nullptr);

// Client mode of TskSkinForm: the window has no non-client area and the whole skin picture,
// frame included, is painted in its client area. Hit tests size the window by the skin's
// borders, a rolled-up form shows the skin's roll-up picture cut by its roll-up mask,
// controls named after the skin's areas stand on them, and a form may be dragged by any
// point outside the objects.
#include "skin/form/SkinForm.h"

#include "skin/form/SkinForm_Frame.h"

#include <algorithm>

namespace {

bool HasPicture(const std::unique_ptr<TBitmap>& B) {
    return B && !B->GetEmpty() && B->GetWidth() > 0 && B->GetHeight() > 0;
}

} // namespace

void TskSkinForm::SetSupportNCArea(bool Value) {
    if (FSupportNCArea == Value) return;
    FSupportNCArea = Value;
    if (IsLoading() || IsDesigning() || !FForm->HandleAllocated()) return;
    // The client area grows over the old frame, or gives it back.
    SetWindowPos(FForm->GetHandle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ChangeSkinData();
}

bool TskSkinForm::CanScale() const {
    if (!FSkinData) return false;
    return FSkinData->RBPoint.X != FSkinData->LTPoint.X && FSkinData->RBPoint.Y != FSkinData->LTPoint.Y;
}

void TskSkinForm::CheckSize() {
    if (!FSkinApplied || !HasPicture(FSkinData->Picture)) return;
    const int pw = FSkinData->Picture->GetWidth(), ph = FSkinData->Picture->GetHeight();
    if (!CanScale()) {
        if (FForm->GetClientWidth() != pw) FForm->SetClientWidth(pw);
        if (FForm->GetClientHeight() != ph) FForm->SetClientHeight(ph);
        FSizeable = false;
    } else if (FMinWidth == 0 || FMinHeight == 0) {
        if (FForm->GetClientWidth() < pw) FForm->SetClientWidth(pw);
        if (FForm->GetClientHeight() < ph) FForm->SetClientHeight(ph);
    }
}

void TskSkinForm::ChangeClientSkinData() {
    if (!FSkinApplied) {
        // No skin: no objects, no region, the plain client area.
        ClearObjects();
        RemoveRegion();
        FForm->Invalidate();
        return;
    }
    const bool scalable = CanScale();
    bool unrolled = false;
    if (FRollUpState && !HasPicture(FSkinData->RollUpPicture)) {
        FRollUpState = false;
        RestoreRollUpForm();
        unrolled = true;
    }
    if (!FRollUpState) CheckSize();
    LoadObjects();
    CheckObjects();
    if (FRollUpState && !unrolled) CreateRollUpForm();
    FInChangeSkinData = true;
    if (OnChangeSkinData) OnChangeSkinData(this);
    if (!FRollUpState) RebuildClientFrame(scalable);
    LinkControlsToAreas();
    ControlsToAreas();
    FormChangeActive(true);
    FInChangeSkinData = false;
    MouseTimer->SetEnabled(true);
}

// A skin that stretches is laid out for any size; one that does not only at its own.
void TskSkinForm::RebuildClientFrame(bool Scalable) {
    FNewWidth = FForm->GetWidth();
    FNewHeight = FForm->GetHeight();
    const TBitmap* p = FSkinData->Picture.get();
    if (Scalable)
        CreateNewForm(true);
    else if (p && FForm->GetClientWidth() == p->GetWidth() && FForm->GetClientHeight() == p->GetHeight())
        CreateNewForm(false);
}

// ---------------------------------------------------------------------------
// Painting

void TskSkinForm::Paint(HDC DC) {
    const TRect client = FForm->GetClientRect();
    if (!FSkinApplied || !HasPicture(FSkinData->Picture)) {
        TCanvas canvas;
        canvas.SetHandle(DC);
        canvas.GetBrush()->SetColor(clBtnFace);
        canvas.GetPen()->SetColor(clBlack);
        canvas.Rectangle(client.Left, client.Top, client.Right, client.Bottom);
        canvas.SetHandle(nullptr);
        return;
    }
    const TskSkinData& s = *FSkinData;
    TBitmap b;
    if (FRollUpState && HasPicture(s.RollUpPicture)) {
        TBitmap* r = s.RollUpPicture.get();
        if (s.RollUpLeftPoint.X < s.RollUpRightPoint.X)
            CreateHSkinImage(s.RollUpLeftPoint.X, r->GetWidth() - s.RollUpRightPoint.X, &b, r,
                             TRect(0, 0, r->GetWidth(), r->GetHeight()), FForm->GetWidth(), r->GetHeight());
        else
            b.Assign(r);
    } else if (s.LTPoint == TPoint() && s.RBPoint == TPoint()) {
        b.Assign(s.Picture.get());
    } else {
        if (FNewWidth == 0) FNewWidth = FForm->GetWidth();
        if (FNewHeight == 0) FNewHeight = FForm->GetHeight();
        CalcRects();
        TBitmap* p = s.Picture.get();
        CreateSkinImage(TSkinGeometry{s.LTPoint, s.RTPoint, s.LBPoint, s.RBPoint, s.ClRect},
                        TSkinGeometry{NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect}, &b, p,
                        TRect(0, 0, p->GetWidth(), p->GetHeight()), FNewWidth, FNewHeight, true);
    }
    if (b.GetWidth() <= 0 || b.GetHeight() <= 0) return;
    for (TskActiveSkinObject* o : ObjectSnapshot())
        if (HasObject(o) && o->RollUp == FRollUpState && o->Visible) o->Draw(b.GetCanvas(), true);
    BitBlt(DC, 0, 0, b.GetWidth(), b.GetHeight(), b.GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------
// Hit tests and the mouse

int TskSkinForm::NewHitTest(TPoint P) {
    if (!FSizeable || FWindowState == wsMaximized || FRollUpState || ActiveObject != -1 || !FSkinData ||
        FSkinData->Empty)
        return HTCLIENT;
    if (const int code = SkinBorderHitTest(P)) return code;
    return HTCLIENT;
}

void TskSkinForm::ClientHitTest(TMessage& Message) {
    POINT p{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
    ScreenToClient(FForm->GetHandle(), &p);
    if (!FMouseTracking) {
        FMouseTracking = true;
        TestActive(p.x, p.y, true);
        MouseTimer->SetEnabled(true);
    }
    Message.Result = NewHitTest(TPoint(p.x, p.y));
}

void TskSkinForm::CheckWindowState() {
    if (!dynamic_cast<TskSkinCaptionObject*>(ObjectAt(ActiveObject))) return;
    if (FRollUpState)
        SetRollUpState(false);
    else if (!FSizeable)
        SetRollUpState(true);
    else if (FWindowState == wsNormal)
        SetWindowState(wsMaximized);
    else
        SetWindowState(wsNormal);
}

// The form follows the pointer on the mouse timer; it keeps the mouse meanwhile, so that a
// release anywhere ends the drag.
void TskSkinForm::StartDragg(int X, int Y) {
    FDragging = true;
    DragOrigin = POINT{X, Y};
    ClientToScreen(FForm->GetHandle(), &DragOrigin);
    SetCapture(FForm->GetHandle());
    MouseTimer->SetEnabled(true);
}

void TskSkinForm::EndDragg() {
    if (!FDragging) return;
    FDragging = false;
    if (GetCapture() == FForm->GetHandle()) ReleaseCapture();
}

void TskSkinForm::DragTo(POINT Cursor) {
    if (Cursor.x == DragOrigin.x && Cursor.y == DragOrigin.y) return;
    int l = FForm->GetLeft() + Cursor.x - DragOrigin.x;
    int t = FForm->GetTop() + Cursor.y - DragOrigin.y;
    if (FMagnetic) DoMagnetic(l, t, FForm->GetWidth(), FForm->GetHeight());
    FForm->SetBounds(l, t, FForm->GetWidth(), FForm->GetHeight());
    DragOrigin = Cursor;
}

// ---------------------------------------------------------------------------
// Roll-up

void TskSkinForm::CreateRollUpForm() {
    const TskSkinData& s = *FSkinData;
    TBitmap* r = s.RollUpPicture.get();
    const int h = r->GetHeight();
    const bool stretch = s.RollUpLeftPoint.X < s.RollUpRightPoint.X;
    const int w = stretch ? FForm->GetWidth() : r->GetWidth();
    const int dX = stretch ? w - r->GetWidth() : 0;
    for (auto& o : FObjectList) {
        if (!o->RollUp) continue;
        TRect R = o->SkinRect;
        if (R.Left >= s.RollUpRightPoint.X)
            R = MovedRect(R, dX, 0);
        else if (R.Left <= s.RollUpLeftPoint.X && R.Right >= s.RollUpRightPoint.X)
            R.Right += dX;
        o->ObjectRect = R;
    }
    TestActive(-1, -1, true);
    MouseTimer->SetEnabled(false);
    MorphTimer->SetEnabled(false);
    if (RollUpControls.empty()) {
        for (int i = 0; i < FForm->GetControlCount(); ++i) {
            TControl* c = FForm->GetControl(i);
            if (!c->GetVisible()) continue;
            RollUpControls.push_back(c);
            c->FreeNotification(this);
        }
        // Hiding runs a control's events, which may free others: the walk goes over a copy,
        // and a control that left meanwhile is passed over.
        const std::vector<TControl*> hiding = RollUpControls;
        for (TControl* c : hiding)
            if (std::find(RollUpControls.begin(), RollUpControls.end(), c) != RollUpControls.end())
                c->SetVisible(false);
    }
    if (stretch)
        FForm->SetHeight(h);
    else
        FForm->SetBounds(FForm->GetLeft(), FForm->GetTop(), w, h);
    SetRollUpFormRegion();
    FForm->Invalidate();
    MouseTimer->SetEnabled(true);
    MorphTimer->SetEnabled(true);
}

void TskSkinForm::RestoreRollUpForm() {
    TestActive(-1, -1, true);
    MouseTimer->SetEnabled(false);
    MorphTimer->SetEnabled(false);
    // Each leaves the list, and lets its role go, before it shows: showing runs its events,
    // which may free the others.
    while (!RollUpControls.empty()) {
        TControl* c = RollUpControls.front();
        RollUpControls.erase(RollUpControls.begin());
        RemoveFreeNotification(c);
        c->SetVisible(true);
    }
    if (CanScale()) FForm->SetBounds(FForm->GetLeft(), FForm->GetTop(), RollUpWidth, RollUpHeight);
    CheckSize();
    // The frame is rebuilt for the size even when it did not change.
    RebuildClientFrame(CanScale());
    FForm->Invalidate();
    MouseTimer->SetEnabled(true);
    MorphTimer->SetEnabled(true);
}

void TskSkinForm::SetRollUpFormRegion() {
    const TskSkinData& s = *FSkinData;
    if (!HasPicture(s.RollUpMask)) return RemoveRegion();
    TBitmap* mask = s.RollUpMask.get();
    HRGN rgn;
    if (s.RollUpLeftPoint.X < s.RollUpRightPoint.X) {
        TBitmap wide;
        CreateHSkinImage(s.RollUpLeftPoint.X, mask->GetWidth() - s.RollUpRightPoint.X, &wide, mask,
                         TRect(0, 0, mask->GetWidth(), mask->GetHeight()), FForm->GetWidth(), mask->GetHeight());
        rgn = CreateSkinSimplyRegion(&wide);
    } else {
        rgn = CreateSkinSimplyRegion(mask);
    }
    SetRegion(rgn);
}

// ---------------------------------------------------------------------------
// Controls on areas

void TskSkinForm::LinkControlsToAreas() {
    for (int i = 0; i < FForm->GetControlCount(); ++i) {
        TControl* c = FForm->GetControl(i);
        if (auto* skinned = dynamic_cast<TskSkinClient*>(c))
            if (!skinned->AreaName.empty()) LinkControlToArea(skinned->AreaName, c);
    }
}

void TskSkinForm::LinkControlToArea(const AnsiString& AreaName, TControl* Control) {
    if (!FSkinData) return;
    const int index = FSkinData->GetAreaIndex(AreaName);
    const TRect r = index >= 0 ? FSkinData->AreaList[static_cast<std::size_t>(index)]->AreaRect : TRect();
    if (IsNullRect(r)) return;
    Control->SetAlign(alNone);
    AreaLinks.push_back(TAreaLink{Control, r});
    Control->FreeNotification(this);
}

void TskSkinForm::UnLinkControlFromArea(TControl* Control) {
    for (auto it = AreaLinks.begin(); it != AreaLinks.end(); ++it)
        if (it->Control == Control) {
            AreaLinks.erase(it);
            RemoveFreeNotification(Control);
            return;
        }
}

void TskSkinForm::ForgetControl(TControl* Control) {
    const auto linked = [&](const TAreaLink& L) { return L.Control == Control; };
    const std::size_t roles =
        std::erase_if(AreaLinks, linked) + std::erase(RollUpControls, Control);
    for (std::size_t i = 0; i < roles; ++i)
        RemoveFreeNotification(Control);
}

void TskSkinForm::ControlsToAreas() {
    if (AreaLinks.empty() || !FSkinApplied) return;
    const bool scale = CanScale();
    if (scale) CalcRects();
    // A control's resize runs its events, which may link, unlink or free controls: the
    // links are walked on a copy, and each is taken only while it still stands.
    const std::vector<TAreaLink> links = AreaLinks;
    for (const TAreaLink& link : links) {
        const auto linked = [&](const TAreaLink& L) { return L.Control == link.Control; };
        if (std::none_of(AreaLinks.begin(), AreaLinks.end(), linked)) continue;
        const TRect r = scale ? CalcRealObjectRect(link.Rect) : link.Rect;
        link.Control->SetBounds(r.Left, r.Top, RectWidth(r), RectHeight(r));
    }
}

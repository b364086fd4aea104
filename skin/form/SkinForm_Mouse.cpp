// Mouse routing of TskSkinForm: the mouse messages of the form's window handed to the
// frame's objects, the hover tracking behind them (with the 50 ms watch of the pointer and
// the skin's cursors) and the morph timer's steps.
#include "skin/form/SkinForm.h"

void TskSkinForm::RouteMouse(TMessage& Message) {
    const bool nc = FSupportNCArea;
    const TPoint pos = TWMMouse(Message).Pos();
    TPoint frame = pos;
    if (Message.Msg == WM_NCLBUTTONDOWN && Message.WParam != HTOBJECT_FRAME) {
        // The system has just moved or sized the window in its own loop: the press point
        // now lies elsewhere on the frame, perhaps over a button.
        POINT cursor;
        GetCursorPos(&cursor);
        frame = TPoint(cursor.x, cursor.y);
    }
    if (nc) PointToNCPoint(frame);
    const int x = pos.X, y = pos.Y;
    const bool onCaption = Message.WParam == HTCAPTION;
    auto press = [&](TMouseButton Button) {
        TestActive(frame.X, frame.Y, true);
        MouseDown(Button, frame.X, frame.Y);
    };
    switch (Message.Msg) {
    case WM_NCMOUSEMOVE:
        if (nc) MouseMove(frame.X, frame.Y);
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
        if (!nc) break;
        press(Message.Msg == WM_NCLBUTTONDOWN ? mbLeft : mbRight);
        if (onCaption) MouseDownObject = -1;
        break;
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
        if (nc) MouseUp(Message.Msg == WM_NCLBUTTONUP ? mbLeft : mbRight, frame.X, frame.Y);
        break;
    case WM_NCLBUTTONDBLCLK:
        if (!nc) break;
        press(mbLeft);
        if (IsDestroying()) return;
        MouseDBlClick();
        if (onCaption && !IsDestroying()) {
            CaptionDoubleClick();
            MouseDownObject = -1;
        }
        break;
    case WM_NCRBUTTONDOWN:
        if (!nc) break;
        press(mbRight);
        if (onCaption) {
            MouseDownObject = -1;
            POINT cursor;
            GetCursorPos(&cursor);
            TrackSystemMenu(cursor.x, cursor.y);
        }
        break;
    case WM_MOUSEMOVE:
        if (!nc) MouseMove(x, y);
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (!nc) MouseDown(Message.Msg == WM_LBUTTONDOWN ? mbLeft : mbRight, x, y);
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
        const TMouseButton button = Message.Msg == WM_LBUTTONUP ? mbLeft : mbRight;
        if (nc)
            MouseUp(button, -1, -1);
        else
            MouseUp(button, x, y);
        break;
    }
    case WM_LBUTTONDBLCLK:
        MouseDown(mbLeft, x, y);
        if (!IsDestroying()) MouseDBlClick();
        if (!IsDestroying()) CheckWindowState();
        break;
    case WM_RBUTTONDBLCLK:
        MouseDown(mbRight, x, y);
        break;
    default:
        break;
    }
}

void TskSkinForm::CaptionDoubleClick() {
    if (FSizeable && FWindowState == wsMinimized)
        SetWindowState(wsNormal);
    else if (FSizeable && FWindowState != wsMaximized && !FRollUpState &&
             FBorderIcons.Contains(TskBorderIcon::biMaximize))
        SetWindowState(wsMaximized);
    else if (FSizeable && FWindowState == wsMaximized && !FMaxRollUpState)
        SetWindowState(wsNormal);
    else
        SetRollUpState(!FRollUpState);
}

TskActiveSkinObject* TskSkinForm::ObjectAt(int Index) const {
    if (Index < 0 || Index >= GetObjectCount()) return nullptr;
    return FObjectList[static_cast<std::size_t>(Index)].get();
}

void TskSkinForm::ResetObjectIndexes() {
    ActiveObject = OldActiveObject = MouseDownObject = -1;
}

void TskSkinForm::TestActive(int X, int Y, bool AActive) {
    if (FObjectList.empty()) return;
    if (FSupportNCArea && !GetFormActive()) return;
    OldActiveObject = ActiveObject;
    int found = -1;
    for (int i = 0; i < GetObjectCount(); ++i) {
        TskActiveSkinObject* o = GetObject(i);
        if (CanObjectTest(o->RollUp) && o->Enabled && o->Visible && PointInRect(o->ObjectRect, TPoint(X, Y)) &&
            X < o->ObjectRect.Right && Y < o->ObjectRect.Bottom) {
            found = i;
            break;
        }
    }
    ActiveObject = AActive ? found : -1;
    if (MouseDownObject != -1 && ActiveObject != -1 && ActiveObject != MouseDownObject) ActiveObject = -1;
    if (ActiveObject >= GetObjectCount()) ActiveObject = -1;
    if (ActiveObject == OldActiveObject) return;
    if (TskActiveSkinObject* old = ObjectAt(OldActiveObject)) {
        const bool hadHint = !old->CurrentHint().empty();
        if (old->Enabled && old->Visible) old->MouseLeave();
        if (IsDestroying()) return;
        if (ObjectHints() && hadHint) FSkinHint->HideHint();
    }
    if (IsDestroying()) return;
    if (TskActiveSkinObject* now = ObjectAt(ActiveObject)) {
        const AnsiString hint = now->CurrentHint();
        if (now->Enabled && now->Visible) {
            now->MouseEnter();
            if (IsDestroying()) return;
            // A hint would cover the open menu's items.
            if (GetFormActive() && ObjectHints() && !hint.empty() && !FSkinMenuOpen) FSkinHint->ActivateHint2(hint);
        }
    }
}

void TskSkinForm::MouseDown(TMouseButton Button, int X, int Y) {
    if (!FSupportNCArea) {
        EndDragg();
        TestActive(X, Y, true);
    }
    TskActiveSkinObject* o = ObjectAt(ActiveObject);
    if (!o) {
        if (!FSupportNCArea && Button == mbLeft && FWindowState != wsMaximized && FDraggAble) StartDragg(X, Y);
        return;
    }
    if (FSupportNCArea && !dynamic_cast<TskSkinCaptionObject*>(o)) SetCapture(FForm->GetHandle());
    MouseDownObject = ActiveObject;
    o->MouseDown(X, Y, Button);
}

void TskSkinForm::MouseUp(TMouseButton Button, int X, int Y) {
    if (!FSupportNCArea) EndDragg();
    TskActiveSkinObject* o = ObjectAt(MouseDownObject);
    if (!o) {
        MouseDownObject = -1;
        return;
    }
    if (FSupportNCArea && !dynamic_cast<TskSkinCaptionObject*>(o)) ReleaseCapture();
    MouseDownObject = -1;
    o->MouseUp(X, Y, Button);
}

void TskSkinForm::MouseMove(int X, int Y) {
    if (!FSupportNCArea && FDragging) return;
    TskActiveSkinObject* o = ObjectAt(MouseDownObject != -1 ? MouseDownObject : ActiveObject);
    if (o) o->MouseMove(X, Y);
}

void TskSkinForm::MouseDBlClick() {
    if (TskActiveSkinObject* o = ObjectAt(ActiveObject)) o->DblClick();
}

void TskSkinForm::TestMouse(TObject*) {
    TComponentProtector protect(this);
    if (!FSkinApplied && !FSupportNCArea) return;
    if (!FForm->HandleAllocated()) return;
    POINT cursor;
    GetCursorPos(&cursor);
    HWND under = WindowFromPoint(cursor);
    if (!FSupportNCArea) {
        if (FDragging) {
            DragTo(cursor);
        } else if (under != FForm->GetHandle()) {
            TestActive(-1, -1, false);
            FMouseTracking = false;
            MouseTimer->SetEnabled(false);
        } else {
            ScreenToClient(FForm->GetHandle(), &cursor);
            TestActive(cursor.x, cursor.y, true);
        }
        if (FUseSkinCursors && !IsDestroying()) TestCursors();
        return;
    }
    // The icon of a minimized window is all caption: its buttons only show.
    if (under != FForm->GetHandle() || Iconic()) {
        TestActive(-1, -1, false);
        MouseTimer->SetEnabled(false);
        return;
    }
    if (FInSizeMove) return;
    TPoint p(cursor.x, cursor.y);
    PointToNCPoint(p);
    const TRect client = FSkinApplied ? NewClRect
                                      : TRect(3, GetDefCaptionHeight() + 3, FForm->GetWidth() - 3,
                                              FForm->GetHeight() - 3);
    const bool inClient = p.X >= client.Left && p.X < client.Right && p.Y >= client.Top && p.Y < client.Bottom;
    if (!inClient)
        TestActive(p.X, p.Y, true);
    else if (ActiveObject != -1)
        TestActive(-1, -1, true);
}

void TskSkinForm::TestCursors() {
    int index = 0;
    if (FSkinData && !FSkinData->Empty) {
        const TskActiveSkinObject* active = ObjectAt(ActiveObject);
        if (active && active->CursorIndex != -1)
            index = FSkinData->StartCursorIndex + active->CursorIndex;
        else if (FSkinData->FormCursorIndex != -1)
            index = FSkinData->StartCursorIndex + FSkinData->FormCursorIndex;
    }
    if (FForm->GetCursor() != static_cast<TCursor>(index)) FForm->SetCursor(static_cast<TCursor>(index));
}

void TskSkinForm::TestMorph(TObject*) {
    TComponentProtector protect(this);
    bool any = false;
    for (int i = 0; i < GetObjectCount() && !IsDestroying(); ++i) {
        TskActiveSkinObject* o = GetObject(i);
        if (o->Morphing && o->CanMorphing()) {
            o->DoMorphing();
            any = true;
        }
    }
    if (!any) MorphTimer->SetEnabled(false);
}

#include "skin/form/SkinForm.h"

#include "skin/form/SkinForm_Frame.h"
#include "skin/form/SkinRelay.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

#include <algorithm>
#include <utility>

namespace {

void RegisterSkinFormClasses() {
    RegisterEnum<TskBorderIcon>(
        {"biSystemMenu", "biMinimize", "biMaximize", "biRollUp", "biMinimizeToTray"});
    RegisterClass(TskSkinForm::StaticClass());
}

// The owner is checked before the component joins it.
TComponent* FormOwner(TComponent* AOwner) {
    if (!dynamic_cast<TForm*>(AOwner)) throw EConvertError("Invalid class typecast");
    return AOwner;
}

TFont* MakeCaptionFont(TColor Color) {
    auto* font = new TFont;
    font->SetName("Arial");
    font->SetStyle(TFontStyles{fsBold});
    font->SetHeight(14);
    font->SetColor(Color);
    return font;
}

} // namespace

DEFINE_UNIT(SkinForm, uoSkin + 20, RegisterSkinFormClasses, nullptr);

TskSkinForm::TskSkinForm(TComponent* AOwner) : TskFormTakeover(FormOwner(AOwner)) {
    FDefCaptionFont.reset(MakeCaptionFont(clBtnText));
    FDefInActiveCaptionFont.reset(MakeCaptionFont(clBtnShadow));
    TopMask = std::make_unique<TBitmap>();
    BottomMask = std::make_unique<TBitmap>();
    LeftMask = std::make_unique<TBitmap>();
    RightMask = std::make_unique<TBitmap>();
    MorphTimer = MakeTimer(this, 20, TNotifyEvent(this, &TskSkinForm::TestMorph));
    MouseTimer = MakeTimer(this, 50, TNotifyEvent(this, &TskSkinForm::TestMouse));
    AnimateTimer = MakeTimer(this, 25, TNotifyEvent(this, &TskSkinForm::TestAnimate));

    FForm = static_cast<TForm*>(AOwner);
    FForm->SetBorderIcons(TBorderIcons{});
    FForm->OnShortCut = TShortCutEvent(this, &TskSkinForm::FormShortCut);
    FForm->SetAutoSize(false);
    FSysMenu = new TPopupMenu(this);
    SysTrayMenu = new TskSkinPopupMenu(this);
    SysTrayMenu->PopupForm = FForm;
    CreateSysTrayMenu();
    SkinMenu = new TskSkinMenu(this, FForm);

    if (!IsDesigning()) {
        OldWindowProc = FForm->WindowProc;
        FForm->WindowProc = TWndMethod(this, &TskSkinForm::NewWndProc);
        // A form still reading its resource makes its window later, with every property in
        // place: making it now would give its controls their windows half-read.
        if (FForm->HandleAllocated()) {
            FForm->RecreateWnd();
            RemoveCaptionStyle();
        } else if (!FForm->IsLoading()) {
            FForm->GetHandle();
            RemoveCaptionStyle();
        }
    }
}

TskSkinForm::~TskSkinForm() {
    UnHookApp();
    if (HWND client = FClientHook.GetWindow()) {
        FClientHook.Unhook();
        SetWindowPos(client, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The window menu keeps no item of children it can no longer list.
    while (!FChildItems.empty()) {
        TMenuItem* item = FChildItems.back().Item;
        FChildItems.pop_back();
        delete item;
    }
    delete std::exchange(FChildDivider, nullptr);
    ReleaseTrayIcon();
    if (FForm && !IsDesigning() && !FForm->IsDestroying()) {
        SetReference<TskSkinForm>(FForm, FShownToMain, nullptr);
        FForm->WindowProc = OldWindowProc;
        if (FForm->HandleAllocated()) {
            HWND wnd = FForm->GetHandle();
            SetWindowRgn(wnd, nullptr, TRUE);
            SetWindowLongPtrA(wnd, GWL_STYLE, GetWindowLongPtrA(wnd, GWL_STYLE) | (FSavedStyle & WS_CAPTION));
            SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                         SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    FObjectList.clear();
    // The window that held the region is gone or has given it back.
    if (FRgn && FForm && FForm->IsDestroying()) FRgn = nullptr;
    FRgn = nullptr;
}

void TskSkinForm::Published(TPropertyList& P) {
    P.Add("ShowIcon", &TskSkinForm::GetShowIcon, &TskSkinForm::SetShowIcon, false);
    P.Add("MaximizeOnFullScreen", &TskSkinForm::GetMaximizeOnFullScreen,
          &TskSkinForm::SetMaximizeOnFullScreen, false);
    P.Add("SkinHint", &TskSkinForm::GetSkinHint, &TskSkinForm::SetSkinHint);
    P.Add("ShowObjectHint", &TskSkinForm::GetShowObjectHint, &TskSkinForm::SetShowObjectHint, false);
    P.Add("DefCaptionFont", &TskSkinForm::GetDefCaptionFont, &TskSkinForm::SetDefCaptionFont);
    P.Add("DefInActiveCaptionFont", &TskSkinForm::GetDefInActiveCaptionFont,
          &TskSkinForm::SetDefInActiveCaptionFont);
    P.Add("TrayIcon", &TskSkinForm::GetTrayIcon, &TskSkinForm::SetTrayIcon);
    P.Add("SupportNCArea", &TskSkinForm::GetSupportNCArea, &TskSkinForm::SetSupportNCArea, true);
    P.Add("MainMenu", &TskSkinForm::GetMainMenu, &TskSkinForm::SetMainMenu);
    P.Add("MainMenuBar", &TskSkinForm::GetMainMenuBar, &TskSkinForm::SetMainMenuBar);
    P.Add("SystemMenu", &TskSkinForm::GetSystemMenuProp, &TskSkinForm::SetSystemMenu);
    P.Add("UseDefaultSysMenu", &TskSkinForm::GetUseDefaultSysMenu, &TskSkinForm::SetUseDefaultSysMenu, true);
    P.Add("OnMainMenuEnter", &TskSkinForm::OnMainMenuEnter);
    P.Add("OnMainMenuExit", &TskSkinForm::OnMainMenuExit);
    P.Add("OnSkinMenuOpen", &TskSkinForm::OnSkinMenuOpen);
    P.Add("OnSkinMenuClose", &TskSkinForm::OnSkinMenuClose);
    P.Add("SkinData", &TskSkinForm::GetSkinData, &TskSkinForm::SetSkinData);
    P.Add("MenusSkinData", &TskSkinForm::GetMenusSkinData, &TskSkinForm::SetMenusSkinData);
    P.Add("MinHeight", &TskSkinForm::GetMinHeightProp, &TskSkinForm::SetMinHeight, 0);
    P.Add("MinWidth", &TskSkinForm::GetMinWidthProp, &TskSkinForm::SetMinWidth, 0);
    P.Add("Sizeable", &TskSkinForm::GetSizeable, &TskSkinForm::SetSizeable, true);
    P.Add("Magnetic", &TskSkinForm::GetMagnetic, &TskSkinForm::SetMagnetic, false);
    P.Add("MagneticSize", &TskSkinForm::GetMagneticSize, &TskSkinForm::SetMagneticSize, Byte{10});
    P.Add("BorderIcons", &TskSkinForm::GetBorderIcons, &TskSkinForm::SetBorderIcons);
    P.Add("AlphaBlendAnimation", &TskSkinForm::GetAlphaBlendAnimation, &TskSkinForm::SetAlphaBlendAnimation, false);
    P.Add("AlphaBlendValue", &TskSkinForm::GetAlphaBlendValue, &TskSkinForm::SetAlphaBlendValue, Byte{200});
    P.Add("AlphaBlend", &TskSkinForm::GetAlphaBlend, &TskSkinForm::SetAlphaBlend, false);
    P.Add("MenusAlphaBlend", &TskSkinForm::GetMenusAlphaBlend, &TskSkinForm::SetMenusAlphaBlend, false);
    P.Add("MenusAlphaBlendAnimation", &TskSkinForm::GetMenusAlphaBlendAnimation,
          &TskSkinForm::SetMenusAlphaBlendAnimation, false);
    P.Add("MenusAlphaBlendValue", &TskSkinForm::GetMenusAlphaBlendValue, &TskSkinForm::SetMenusAlphaBlendValue,
          Byte{200});
    P.Add("UseSkinCursors", &TskSkinForm::GetUseSkinCursors, &TskSkinForm::SetUseSkinCursors, false);
    P.Add("DraggAble", &TskSkinForm::GetDraggAble, &TskSkinForm::SetDraggAble, false);
    P.Add("DefMenuItemHeight", &TskSkinForm::GetDefMenuItemHeight, &TskSkinForm::SetDefMenuItemHeight, 20);
    P.Add("DefMenuItemFont", &TskSkinForm::GetDefMenuItemFont, &TskSkinForm::SetDefMenuItemFont);
    P.Add("OnActivate", &TskSkinForm::OnActivate);
    P.Add("OnDeActivate", &TskSkinForm::OnDeActivate);
    P.Add("OnChangeRollUpState", &TskSkinForm::OnChangeRollUpState);
    P.Add("OnChangeSkinData", &TskSkinForm::OnChangeSkinData);
    P.Add("OnChangeClientRect", &TskSkinForm::OnChangeClientRect);
    P.Add("OnMouseUpEvent", &TskSkinForm::OnMouseUpEvent);
    P.Add("OnMouseDownEvent", &TskSkinForm::OnMouseDownEvent);
    P.Add("OnMouseMoveEvent", &TskSkinForm::OnMouseMoveEvent);
    P.Add("OnMouseEnterEvent", &TskSkinForm::OnMouseEnterEvent);
    P.Add("OnMouseLeaveEvent", &TskSkinForm::OnMouseLeaveEvent);
    P.Add("OnPaintEvent", &TskSkinForm::OnPaintEvent);
    P.Add("OnSwitchChangeStateEvent", &TskSkinForm::OnSwitchChangeStateEvent);
    P.Add("OnTrackBarChangeValueEvent", &TskSkinForm::OnTrackBarChangeValueEvent);
    P.Add("OnFrameRegulatorChangeValueEvent", &TskSkinForm::OnFrameRegulatorChangeValueEvent);
    P.Add("OnMinimizeToTray", &TskSkinForm::OnMinimizeToTray);
    P.Add("OnRestoreFromTray", &TskSkinForm::OnRestoreFromTray);
}

TskSkinForm* GetSkinFormComponent(TCustomForm* Form) {
    if (!Form) return nullptr;
    for (int i = 0; i < Form->GetComponentCount(); ++i)
        if (auto* c = dynamic_cast<TskSkinForm*>(Form->GetComponent(i))) return c;
    return nullptr;
}

// ---------------------------------------------------------------------------
// Properties

void TskSkinForm::Loaded() {
    TComponent::Loaded();
    ChangeSkinData();
}

void TskSkinForm::SetSkinData(TskSkinData* Value) {
    if (FSkinData == Value) return;
    SetReference(this, FSkinData, Value);
    if (!IsDesigning() && !IsLoading()) ChangeSkinData();
}

bool TskSkinForm::GetMenusAlphaBlend() const {
    return SkinMenu->AlphaBlend;
}
void TskSkinForm::SetMenusAlphaBlend(bool Value) {
    SkinMenu->AlphaBlend = Value;
}
bool TskSkinForm::GetMenusAlphaBlendAnimation() const {
    return SkinMenu->AlphaBlendAnimation;
}
void TskSkinForm::SetMenusAlphaBlendAnimation(bool Value) {
    SkinMenu->AlphaBlendAnimation = Value;
}
Byte TskSkinForm::GetMenusAlphaBlendValue() const {
    return SkinMenu->AlphaBlendValue;
}
void TskSkinForm::SetMenusAlphaBlendValue(Byte Value) {
    SkinMenu->AlphaBlendValue = Value;
}

void TskSkinForm::SetMenusSkinData(TskSkinData* Value) {
    SetReference(this, FMenusSkinData, Value);
}

void TskSkinForm::SetUpDialog(TskSkinData* Skin, TskSkinData* MenusSkin, bool Blend,
                              bool Animation, Byte Value) {
    SetBorderIcons({});
    SetSkinData(Skin);
    SetMenusSkinData(MenusSkin);
    SetAlphaBlend(Blend);
    SetAlphaBlendAnimation(Animation);
    SetAlphaBlendValue(Value);
}

void TskSkinForm::SetFormStyle(TFormStyle Value) {
    if (Value != fsNormal && Value != fsStayOnTop) return;
    FForm->SetFormStyle(Value);
    if (FAlphaBlend) RelaySkinChange(FForm, nullptr, [] {});
}

void TskSkinForm::SetMainMenuBar(TskSkinMainMenuBar* Value) {
    SetReference(this, FMainMenuBar, Value);
}

void TskSkinForm::SetSystemMenu(TPopupMenu* Value) {
    SetReference(this, FSystemMenu, Value);
}

void TskSkinForm::SetMainMenu(TMainMenu* Value) {
    SetReference(this, FMainMenu, Value);
    if (FSkinData && !FSkinData->Empty && !IsDesigning()) UpdateMainMenu(true);
}

void TskSkinForm::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FSkinData) {
        FSkinData = nullptr;
        if (!IsDestroying()) ChangeSkinData();
    } else if (AComponent == FMenusSkinData) {
        FMenusSkinData = nullptr;
    } else if (AComponent == FMainMenu) {
        FMainMenu = nullptr;
        UpdateMainMenu(false);
    } else if (AComponent == FMainMenuBar) {
        FMainMenuBar = nullptr;
    } else if (AComponent == FSystemMenu) {
        FSystemMenu = nullptr;
    } else if (AComponent == FTrayIcon) {
        FTrayIcon = nullptr;
    }
    if (AComponent == FSkinHint) FSkinHint = nullptr;
    if (AComponent == FShownToMain) FShownToMain = nullptr;
    if (auto* control = dynamic_cast<TControl*>(AComponent)) ForgetControl(control);
    if (AComponent == FChildDivider) FChildDivider = nullptr;
    std::erase_if(FChildItems, [&](const TMDIChildItem& e) { return e.Item == AComponent; });
    // A child of the main form deleted while listed or maximized.
    auto* form = dynamic_cast<TCustomForm*>(AComponent);
    if (form && form != FForm && form->GetFormStyle() == fsMDIChild && IsMDIMainForm() && !IsDestroying())
        MDIChildLeft(form);
}

void TskSkinForm::SetBorderIcons(TskBorderIcons Value) {
    FBorderIcons = Value;
    if (IsLoading()) return;
    if (FSkinApplied) {
        LoadObjects();
        CheckObjects();
    } else if (FSupportNCArea) {
        LoadDefObjects();
    }
    SendNCPaint();
}

void TskSkinForm::SetShowIcon(bool Value) {
    FShowIcon = Value;
    FFrameBuiltFor = TSize(-1, -1);
    if (!IsLoading() && !IsDesigning()) SendNCPaint();
}

void TskSkinForm::SetDefCaptionFont(TFont* Value) {
    FDefCaptionFont->Assign(Value);
    if (!IsLoading() && !IsDesigning() && !FSkinApplied) SendNCPaint();
}

void TskSkinForm::SetDefInActiveCaptionFont(TFont* Value) {
    FDefInActiveCaptionFont->Assign(Value);
    if (!IsLoading() && !IsDesigning() && !FSkinApplied) SendNCPaint();
}

void TskSkinForm::SetLayered(bool Value) {
    if (!FForm->HandleAllocated()) return;
    HWND wnd = FForm->GetHandle();
    const LONG_PTR ex = GetWindowLongPtrA(wnd, GWL_EXSTYLE);
    const LONG_PTR wanted = Value ? ex | WS_EX_LAYERED : ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED);
    if (wanted != ex) SetWindowLongPtrA(wnd, GWL_EXSTYLE, wanted);
}

// Neither loading, designing nor being destroyed: other components watching this one for
// its freeing do not count.
bool TskSkinForm::Running() const {
    TComponentState state = GetComponentState();
    state.Exclude(csFreeNotification);
    return state.Empty();
}

void TskSkinForm::SetAlphaBlend(bool Value) {
    if (FAlphaBlend == Value) return;
    FAlphaBlend = Value;
    if (!Running() || !FForm->HandleAllocated()) return;
    SetLayered(Value);
    if (Value) SetAlphaBlendTransparent(FForm->GetHandle(), FAlphaBlendValue);
}

void TskSkinForm::SetAlphaBlendValue(Byte Value) {
    if (FAlphaBlendValue == Value) return;
    FAlphaBlendValue = Value;
    if (FAlphaBlend && Running() && FForm->HandleAllocated())
        SetAlphaBlendTransparent(FForm->GetHandle(), Value);
}

// The window shows fully transparent; timer 1 fades it in.
void TskSkinForm::StartFadeIn() {
    if (!CheckW2KWXP() || !(FAlphaBlend || FAlphaBlendAnimation)) return;
    SetLayered(true);
    SetAlphaBlendTransparent(FForm->GetHandle(), 0);
    SetTimer(FForm->GetHandle(), 1, 1, nullptr);
}

void TskSkinForm::FadeIn() {
    if (!CheckW2KWXP() || !(FAlphaBlend || FAlphaBlendAnimation)) return;
    HWND wnd = FForm->GetHandle();
    KillTimer(wnd, 1);
    const int target = FAlphaBlendAnimation && !FAlphaBlend ? 255 : FAlphaBlendValue;
    if (FAlphaBlendAnimation) {
        Application->ProcessMessages();
        if (IsDestroying() || !FForm->HandleAllocated()) return;
        for (int alpha = 5;; alpha += 5) {
            SetAlphaBlendTransparent(wnd, static_cast<Byte>(std::min(alpha, target)));
            if (alpha >= target) break;
        }
    } else if (target != 255) {
        SetAlphaBlendTransparent(wnd, FAlphaBlendValue);
    }
    if (target == 255) SetLayered(false);
}

// ---------------------------------------------------------------------------
// Window procedure

void TskSkinForm::SendNCPaint() {
    if (FForm && FForm->HandleAllocated()) SendMessageA(FForm->GetHandle(), WM_NCPAINT, 0, 0);
}

void TskSkinForm::RemoveCaptionStyle() {
    HWND wnd = FForm->GetHandle();
    LONG_PTR style = GetWindowLongPtrA(wnd, GWL_STYLE);
    if (!(style & WS_CAPTION)) return;
    FSavedStyle = style;
    SetWindowLongPtrA(wnd, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION));
    SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TskSkinForm::GetFormActive() {
    if (IsMDIChild() || IsMDIMainForm()) return FFormActive;
    return FForm->GetActive() && Screen->GetActiveForm() == FForm;
}

void TskSkinForm::FormChangeActive(bool AUpdate) {
    const bool active = GetFormActive();
    for (auto& object : FObjectList) {
        auto* caption = dynamic_cast<TskSkinCaptionObject*>(object.get());
        if (!caption) continue;
        if (AUpdate && CanObjectTest(caption->RollUp)) {
            if (!FSupportNCArea) {
                caption->Active = active;
                DrawSkinObject(caption);
            } else if (!IsNullRect(caption->ActiveSkinRect)) {
                DrawSkinObject(caption);
            }
        } else if (caption->Morphing) {
            caption->MorphKf = active ? 1.0 : 0.0;
        }
    }
    if (active) {
        if (OnActivate) OnActivate(this);
    } else if (OnDeActivate) {
        OnDeActivate(this);
    }
}

bool TskSkinForm::FrameBuiltForItsSize() {
    return FSkinApplied && !IsMDIChild() && !IsMDIMainForm() &&
           FFrameBuiltFor == TSize(FForm->GetWidth(), FForm->GetHeight());
}

void TskSkinForm::UpDateForm() {
    if (!FForm->HandleAllocated()) return;
    const int w = FForm->GetWidth();
    if (GetMinWidth() > w - 1) {
        FForm->SetWidth(w + 1);
        FForm->SetWidth(w);
    } else {
        FForm->SetWidth(w - 1);
        FForm->SetWidth(w);
    }
}

void TskSkinForm::CreateNewForm(bool AUpdate) {
    FFrameBuiltFor = TSize(-1, -1);
    if (IsDesigning() || !FSkinData || FSkinData->Empty) return;
    CalcRects();
    if (AUpdate) CalcAllRealObjectRect();
    CreateNewRegion(AUpdate);
    if (AUpdate) FFrameBuiltFor = TSize(FNewWidth, FNewHeight);
    if (OnChangeClientRect) OnChangeClientRect(NewClRect);
    if (!FSupportNCArea) {
        FForm->Invalidate();
        ControlsToAreas();
    } else if (!FRgn) {
        SendNCPaint();
    }
}

void TskSkinForm::ChangeSkinData() {
    FFrameBuiltFor = TSize(-1, -1);
    ResetObjectIndexes();
    for (TskInactiveLook& look : FInactiveLooks) look.Clear();
    FSkinApplied = FSkinData && !FSkinData->Empty;
    if (!FSupportNCArea) return ChangeClientSkinData();
    if (FSkinApplied) {
        LoadObjects();
        CheckObjects();
    } else {
        ClearObjects();
        CreateNewRegion(true);
    }
    if (!FForm->HandleAllocated()) return;
    FInChangeSkinData = true;
    // A hidden form (the main form while the data module loads) is not laid out twice nor
    // painted: its first show lays it out once, and the frame change below already lays out
    // a client area that changed size.
    const bool shown = IsWindowVisible(FForm->GetHandle());
    // The client area follows the new frame.
    SetWindowPos(FForm->GetHandle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int mw = GetMinWidth(), mh = GetMinHeight();
    if (mw > FForm->GetWidth() && mh > FForm->GetHeight())
        FForm->SetBounds(FForm->GetLeft(), FForm->GetTop(), mw, mh);
    else if (mh > FForm->GetHeight())
        FForm->SetHeight(mh);
    else if (mw > FForm->GetWidth())
        FForm->SetWidth(mw);
    else if (shown)
        UpDateForm();
    if ((FRollUpState || FWindowState == wsMinimized) && FForm->GetHeight() != mh) FForm->SetHeight(mh);
    if (FWindowState == wsMinimized && FForm->GetWidth() != mw) FForm->SetWidth(mw);
    FNewWidth = FForm->GetWidth();
    FNewHeight = FForm->GetHeight();
    if (FSkinApplied) CreateNewForm(true);
    if (HWND client = IsMDIMainForm() ? FForm->GetClientHandle() : nullptr) {
        RedrawWindow(client, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
        ResizeMDIChilds();
    } else if (shown) {
        FForm->Invalidate();
    }
    FormChangeActive(!MaximizedMDIChild());
    // The pointer cannot be over a window that is not on the screen, and the frame's hit test
    // starts the timer once it is: a hidden form is spared making the timer's window.
    if (shown) MouseTimer->SetEnabled(true);
    if (OnChangeSkinData) OnChangeSkinData(this);
    FInChangeSkinData = false;
}

void TskSkinForm::NewWndProc(TMessage& Message) {
    TComponentProtector protect(this);
    CheckMenuVisible(Message);
    // The mouse of a window minimized before the message reaches no object of the frame.
    const bool iconic = Iconic();
    Dispatch(Message);
    if (IsDestroying()) return;
    if (!iconic) RouteMouse(Message);
}

bool TskSkinForm::Iconic() const {
    return FForm->HandleAllocated() && IsIconic(FForm->GetHandle());
}

// A maximized MDI child shows no frame: the main form shows its caption and buttons.
bool TskSkinForm::Frameless() const {
    return FForm->GetBorderStyle() == bsNone || MaximizedMDIChild();
}

void TskSkinForm::WMCreate(TMessage& Message) {
    CallOld(Message);
    FFrameBuiltFor = TSize(-1, -1);
    RemoveCaptionStyle();
}

void TskSkinForm::WMDestroy(TMessage& Message) {
    FFrameBuiltFor = TSize(-1, -1);
    MorphTimer->SetEnabled(false);
    MouseTimer->SetEnabled(false);
    if (IsMDIChild()) {
        FWindowState = wsNormal;
        DeleteChildFromMenu(FForm);
        SendToMainForm(WM_MDICHILDRESTORED);
    }
    CallOld(Message);
}

void TskSkinForm::WMSize(TMessage& Message) {
    CallOld(Message);
    if (FInSizeMove && FFullDrag) return;
    const bool nc = FSupportNCArea;
    FNewWidth = FForm->GetWidth();
    FNewHeight = FForm->GetHeight();
    if (!FSkinApplied) {
        if (nc) SendNCPaint();
    } else if (nc && GetMinWidth() <= FNewWidth && GetMinHeight() <= FNewHeight) {
        if (Message.WParam != SIZE_RESTORED || !FrameBuiltForItsSize()) CreateNewForm(true);
    } else if (!nc && !FRollUpState) {
        RebuildClientFrame(CanScale());
    }
    if (FAlphaBlend && FAlphaBlendValue != 255 && CheckW2KWXP() && nc) {
        SendNCPaint();
        FForm->Invalidate();
    }
}

void TskSkinForm::WMActivate(TMessage& Message) {
    // A drag that loses the activation has lost its button too.
    FDragging = false;
    CallOld(Message);
    if (MaximizedMDIChild()) return FormChangeActive(false);
    if (FSupportNCArea) {
        if (!FShowPaintPending) SendNCPaint();
        TestActive(-1, -1, false);
        for (auto& object : FObjectList) {
            if (dynamic_cast<TskSkinCaptionObject*>(object.get())) continue;
            object->Active = false;
            object->MorphKf = 0;
        }
    }
    FormChangeActive(true);
}

void TskSkinForm::WMSetText(TMessage& Message) {
    const bool frameless = Frameless();
    CallOld(Message);
    if (!frameless) {
        SendNCPaint();
        if (FSkinApplied) SetDefaultCaptionText();
    }
    if (IsMDIChild()) {
        UpDateChildCaptionInMenu(FForm);
        // The main form's caption shows a maximized child's.
        if (FWindowState == wsMaximized)
            if (TskSkinForm* main = MainFormComponent()) main->SendNCPaint();
    }
}

void TskSkinForm::WMEraseBkgnd(TMessage& Message) {
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    if (!FSupportNCArea)
        Paint(dc);
    else if (!FSkinApplied)
        PaintBGDefault(dc);
    else if (BackgroundPicture())
        PaintBG2(dc);
    else
        PaintBG(dc);
    Message.Result = 1;
}

void TskSkinForm::WMShowWindow(TMessage& Message) {
    const bool shown = Message.WParam != 0;
    const bool nc = FSupportNCArea;
    FShowPaintPending = shown && !IsMDIChild() && !IsMDIMainForm();
    if (shown)
        StartFadeIn();
    else if (CheckW2KWXP() && FAlphaBlend)
        SetLayered(false);
    if (shown && IsMDIMainForm()) HookMDIClient();
    // A frame already built for the size the form shows at is not built again.
    if (shown && nc && !FrameBuiltForItsSize()) UpDateForm();
    if (shown && !nc) ControlsToAreas();
    if (IsMDIChild()) {
        if (shown)
            MDIChildShown();
        else
            MDIChildHidden();
    }
    // The menu is shown skinned, not as the system's menu bar.
    if (shown && FForm->GetMenu()) FForm->SetMenu(nullptr);
    CallOld(Message);
}

void TskSkinForm::WMGetMinMaxInfo(TMessage& Message) {
    auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
    info->ptMinTrackSize = POINT{GetMinWidth(), GetMinHeight()};
    info->ptMaxTrackSize = POINT{GetMaxWidth(), GetMaxHeight()};
    CallOld(Message);
}

void TskSkinForm::WMNCHitTest(TMessage& Message) {
    if (MaximizedMDIChild()) {
        // All client: the frame is not shown.
        Message.Result = HTCLIENT;
        return;
    }
    const bool nc = FSupportNCArea;
    if (!nc && FSkinApplied) ClientHitTest(Message);
    if (Iconic()) {
        // The whole of a minimized window is its caption: a double click restores it.
        Message.Result = HTCAPTION;
        return;
    }
    if (!nc) {
        // Without a skin the old procedure answers.
        if (!FSkinApplied) CallOld(Message);
        return;
    }
    TPoint p = TWMNCHitTest(Message).Pos();
    PointToNCPoint(p);
    Message.Result = FSkinApplied ? NewNCHitTest(p) : NewDefNCHitTest(p);
    if (Message.Result == HTOBJECT_FRAME && !MouseTimer->GetEnabled()) {
        TestActive(p.X, p.Y, true);
        MouseTimer->SetEnabled(true);
    }
}

void TskSkinForm::WMWindowPosChanged(TMessage& Message) {
    FShowPaintPending = false;
    CallOld(Message);
}

void TskSkinForm::WMNCPaint(TMessage&) {
    FShowPaintPending = false;
    if (Frameless() || !FSupportNCArea) return;
    if (Iconic())
        PaintIconic();
    else if (FSkinApplied)
        PaintNCSkin();
    else
        PaintNCDefault();
}

void TskSkinForm::WMNCActivate(TMessage& Message) {
    const bool frameless = Frameless();
    FFormActive = Message.WParam != 0;
    if (IsMDIMainForm() || IsMDIChild())
        // The client window hands the activation on to the active child.
        CallOld(Message);
    else
        Message.Result = 1;
    if (!frameless && !FShowPaintPending) SendNCPaint();
    FormChangeActive(!frameless);
    if (MaximizedMDIChild())
        if (TskSkinForm* main = MainFormComponent()) main->SendNCPaint();
    if (IsMDIChild()) UpDateChildActiveInMenu();
}

void TskSkinForm::WMMouseActivate(TMessage& Message) {
    if (IsMDIChild() && !FFormActive && Application->GetMainForm() &&
        Application->GetMainForm()->GetActiveMDIChild() == FForm) {
        FFormActive = true;
        FormChangeActive(!MaximizedMDIChild());
    }
    CallOld(Message);
}

void TskSkinForm::WMTimer(TMessage& Message) {
    if (Message.WParam == 1) FadeIn();
    CallOld(Message);
}

void TskSkinForm::WMSyncPaint(TMessage& Message) {
    if (!FRollUpState || !FSupportNCArea) return CallOld(Message);
    SendNCPaint();
    Message.Result = 0;
}

void TskSkinForm::WMSysCommand(TMessage& Message) {
    // SC_KEYMENU exactly (61696); 61440 would be SC_SIZE, keyboard sizing.
    if (Message.WParam == SC_KEYMENU) return KeyMenu();
    CallOld(Message);
}

void TskSkinForm::WMSizing(TMessage& Message) {
    CallOld(Message);
    if (!FInSizeMove || !FFullDrag) return;
    auto* r = reinterpret_cast<RECT*>(Message.LParam);
    FNewWidth = r->right - r->left;
    FNewHeight = r->bottom - r->top;
    if (FSupportNCArea && FSkinData && GetMinWidth() <= FForm->GetWidth() && GetMinHeight() <= FForm->GetHeight())
        CreateNewForm(true);
}

void TskSkinForm::WMMoving(TMessage& Message) {
    auto* r = reinterpret_cast<RECT*>(Message.LParam);
    if (FWindowState == wsMaximized && !IsMDIChild()) {
        *r = RECT{FForm->GetLeft(), FForm->GetTop(), FForm->GetLeft() + FForm->GetWidth(),
                  FForm->GetTop() + FForm->GetHeight()};
    } else if (FMagnetic) {
        int l = r->left, t = r->top;
        DoMagnetic(l, t, FForm->GetWidth(), FForm->GetHeight());
        *r = RECT{l, t, l + FForm->GetWidth(), t + FForm->GetHeight()};
    }
    CallOld(Message);
}

void TskSkinForm::WMEnterSizeMove(TMessage& Message) {
    if (FSupportNCArea) {
        FInSizeMove = true;
        BOOL full = FALSE;
        SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
        FFullDrag = full != FALSE;
    }
    CallOld(Message);
}

void TskSkinForm::WMExitSizeMove(TMessage& Message) {
    if (FSupportNCArea) {
        FInSizeMove = false;
        if (FSkinData && !FSkinData->Empty) SendNCPaint();
    }
    CallOld(Message);
}

void TskSkinForm::WMNCRButton(TMessage& Message) {
    // The system would track its own system menu in a loop of its own; the frame shows the
    // skinned one.
    if (FSupportNCArea && Message.WParam == HTCAPTION) return;
    CallOld(Message);
}

void TskSkinForm::WMBeforeChangeSkinData(TMessage& Message) {
    if (FSkinData && Message.WParam == reinterpret_cast<WPARAM>(FSkinData)) {
        FSkinApplied = false;
        MorphTimer->SetEnabled(false);
        MouseTimer->SetEnabled(false);
        ClearObjects();
    }
    ForEachSkinnedControl(FForm, reinterpret_cast<TskSkinData*>(Message.WParam),
                          [](TskSkinFollower* f) { f->BeforeChangeSkinData(); });
    CallOld(Message);
}

void TskSkinForm::WMChangeSkinData(TMessage& Message) {
    if (FSkinData && Message.WParam == reinterpret_cast<WPARAM>(FSkinData)) ChangeSkinData();
    ForEachSkinnedControl(FForm, reinterpret_cast<TskSkinData*>(Message.WParam),
                          [](TskSkinFollower* f) { f->ChangeSkinData(); });
    CallOld(Message);
}

void TskSkinForm::WMAfterChangeSkinData(TMessage& Message) {
    if (FSkinData && Message.WParam == reinterpret_cast<WPARAM>(FSkinData) && IsMDIMainForm()) ResizeMDIChilds();
    CallOld(Message);
}

void TskSkinForm::WMResizeMDIChild(TMessage& Message) {
    if (MaximizedMDIChild()) ResizeMaximizedMDIChild();
    CallOld(Message);
}

void TskSkinForm::WMMDIChildMaximized(TMessage& Message) {
    if (IsMDIMainForm()) MDIChildMaximized();
    CallOld(Message);
}

void TskSkinForm::WMMDIChildRestored(TMessage& Message) {
    if (IsMDIMainForm()) MDIChildRestored();
    CallOld(Message);
}

void TskSkinForm::WMCloseSkinMenu(TMessage& Message) {
    SkinMenuClose();
    CallOld(Message);
}

// ---------------------------------------------------------------------------
// Objects

void TskSkinForm::ClearObjects() {
    ResetObjectIndexes();
    FObjectList.clear();
    for (const TAreaLink& link : AreaLinks)
        RemoveFreeNotification(link.Control);
    AreaLinks.clear();
}

void TskSkinForm::LoadObjects() {
    ClearObjects();
    if (!FSkinData) return;
    for (auto& record : FSkinData->ObjectList)
        if (auto object = CreateSkinObject(this, record.get())) FObjectList.push_back(std::move(object));
    CreateMainMenu();
}

void TskSkinForm::LoadDefObjects() {
    ClearObjects();
    static const std::pair<const char*, TStdCommand> kButtons[] = {{"closebutton", cmClose},
                                                                   {"maxbutton", cmMaximize},
                                                                   {"minbutton", cmMinimize},
                                                                   {"rollupbutton", cmRollUp},
                                                                   {"sysmenubutton", cmSysMenu}};
    for (const auto& [name, command] : kButtons)
        FObjectList.push_back(std::make_unique<TskSkinStdButtonObject>(this, name, command));
    CheckObjects();
}

namespace {
bool CommandAllowed(TStdCommand Command, const TskBorderIcons& Icons) {
    switch (Command) {
    case cmRollUp:
        return Icons.Contains(TskBorderIcon::biRollUp);
    case cmMaximize:
        return Icons.Contains(TskBorderIcon::biMaximize);
    case cmMinimize:
        return Icons.Contains(TskBorderIcon::biMinimize);
    case cmSysMenu:
        return Icons.Contains(TskBorderIcon::biSystemMenu);
    default:
        return true;
    }
}
} // namespace

void TskSkinForm::CheckObjects() {
    TskSkinCaptionObject* first = nullptr;
    bool anyDefault = false;
    for (auto& object : FObjectList) {
        if (auto* button = dynamic_cast<TskSkinStdButtonObject*>(object.get())) {
            if (!CommandAllowed(button->Command, FBorderIcons)) {
                button->Enabled = false;
                button->Visible = !button->SkinRectInAPicture;
            }
        } else if (auto* animate = dynamic_cast<TskSkinAnimateObject*>(object.get())) {
            if (animate->ButtonStyle && animate->Command != cmDefault &&
                !CommandAllowed(animate->Command, FBorderIcons))
                animate->Enabled = false;
        } else if (auto* caption = dynamic_cast<TskSkinCaptionObject*>(object.get())) {
            if (!first) first = caption;
            if (caption->DefaultCaption) {
                anyDefault = true;
                caption->SimpleSetTextValue(FForm->GetCaption());
            }
        }
    }
    if (!anyDefault && first) {
        first->DefaultCaption = true;
        first->SimpleSetTextValue(FForm->GetCaption());
    }
}

void TskSkinForm::SetDefaultCaptionText() {
    if (!FSkinData || FSkinData->Empty) return;
    for (auto& object : FObjectList)
        if (auto* caption = dynamic_cast<TskSkinCaptionObject*>(object.get()))
            if (caption->DefaultCaption) caption->SetTextValue(FForm->GetCaption());
}

std::vector<TskActiveSkinObject*> TskSkinForm::ObjectSnapshot() const {
    std::vector<TskActiveSkinObject*> objects;
    for (const auto& o : FObjectList) objects.push_back(o.get());
    return objects;
}

bool TskSkinForm::HasObject(const TskActiveSkinObject* Object) const {
    return std::any_of(FObjectList.begin(), FObjectList.end(), [&](const auto& o) { return o.get() == Object; });
}

int TskSkinForm::GetIndex(const AnsiString& IDName) const {
    for (int i = 0; i < GetObjectCount(); ++i)
        if (GetObject(i)->IDName == IDName) return i;
    return -1;
}

void TskSkinForm::SetEnabled(const AnsiString& IDName, bool Value) {
    if (TskActiveSkinObject* o = ObjectAt(GetIndex(IDName))) o->Enabled = Value;
}

void TskSkinForm::CaptionSetText(const AnsiString& IDName, const AnsiString& Value) {
    auto* caption = ObjectAs<TskSkinCaptionObject>(IDName);
    if (!caption) return;
    if (FInChangeSkinData)
        caption->SimpleSetTextValue(Value);
    else
        caption->SetTextValue(Value);
}

bool TskSkinForm::ButtonGetDown(const AnsiString& IDName) {
    auto* button = ObjectAs<TskSkinButtonObject>(IDName);
    return button && button->Down;
}

void TskSkinForm::ButtonSetDown(const AnsiString& IDName, bool Value) {
    if (auto* button = ObjectAs<TskSkinButtonObject>(IDName)) button->SetDown(Value);
}

void TskSkinForm::UserObjectDraw(const AnsiString& IDName) {
    if (auto* user = ObjectAs<TskUserObject>(IDName))
        user->Draw(FForm->GetCanvas(), true);
}

void TskSkinForm::PaintEvent(const AnsiString& IDName, TCanvas* Canvas, const TRect& ObjectRect) {
    if (OnPaintEvent) OnPaintEvent(IDName, Canvas, ObjectRect);
}
void TskSkinForm::MouseUpEvent(const AnsiString& IDName, int X, int Y, const TRect& R, TMouseButton B) {
    if (OnMouseUpEvent) OnMouseUpEvent(IDName, X, Y, R, B);
}
void TskSkinForm::MouseDownEvent(const AnsiString& IDName, int X, int Y, const TRect& R, TMouseButton B) {
    if (OnMouseDownEvent) OnMouseDownEvent(IDName, X, Y, R, B);
}
void TskSkinForm::MouseMoveEvent(const AnsiString& IDName, int X, int Y, const TRect& R) {
    if (OnMouseMoveEvent) OnMouseMoveEvent(IDName, X, Y, R);
}
void TskSkinForm::MouseEnterEvent(const AnsiString& IDName) {
    if (OnMouseEnterEvent) OnMouseEnterEvent(IDName);
}
void TskSkinForm::MouseLeaveEvent(const AnsiString& IDName) {
    if (OnMouseLeaveEvent) OnMouseLeaveEvent(IDName);
}

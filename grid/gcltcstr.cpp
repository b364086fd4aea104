#include "grid/gcltcstr.h"

#include "classlib/Persistence.h"
#include "classlib/Strings.h"

#include "classlib/ClassRegistry.h"
#include "grid/gcltcedt.h"

#include <algorithm>
#include <cstring>

REGISTER_CLASS(TGclTCString);
REGISTER_CLASS(TGclTCMemo);

// ---- Painting ---------------------------------------------------------------------------

void TGclTCBaseString::SetUseASCIIZStrings(bool Value) {
    if (Value == FUseASCIIZStrings) return;
    FUseASCIIZStrings = Value;
    tcDoCfgChanged();
}

void TGclTCBaseString::SetUseWordWrap(bool Value) {
    if (Value == FUseWordWrap) return;
    FUseWordWrap = Value;
    tcDoCfgChanged();
}

void TGclTCBaseString::tcPaint(TCanvas* TableCanvas, const TRect& CellRect, int RowNum, int ColNum,
                               const TGclCellAttributes& CellAttr, void* Data) {
    TGclBaseTableCell::tcPaint(TableCanvas, CellRect, RowNum, ColNum, CellAttr, Data);
    if (CellAttr.Access == otxInvisible) return;
    AnsiString Text;
    if (!Data) {
        if (!Designing()) return;
        Text = Format("%d:%d", RowNum, ColNum);
    } else if (FUseASCIIZStrings) {
        Text = static_cast<const char*>(Data);
    } else {
        auto* Short = static_cast<const unsigned char*>(Data);
        Text.assign(reinterpret_cast<const char*>(Short + 1), Short[0]);
    }
    if (!Text.empty()) tcPaintStrZ(TableCanvas, CellRect, CellAttr, Text.c_str());
}

namespace {

int Column3(TGclTblAdjust A) { return (static_cast<int>(A) - 1) % 3; } // 0 left, 1 centre, 2 right
int Row3(TGclTblAdjust A) { return (static_cast<int>(A) - 1) / 3; }    // 0 top, 1 centre, 2 bottom

UINT HorzFlags(TGclTblAdjust A) {
    switch (Column3(A)) {
    case 0:
        return DT_LEFT;
    case 2:
        return DT_RIGHT;
    default:
        return DT_CENTER;
    }
}

} // namespace

void TGclTCBaseString::tcPaintStrZ(TCanvas* TableCanvas, const TRect& CellRect,
                                   const TGclCellAttributes& CellAttr, const char* Text) {
    CopyFont(TableCanvas->GetFont(), CellAttr.Font);
    TableCanvas->GetFont()->SetColor(CellAttr.FontColor);
    int Half = GetMargin() / 2;
    TRect R(CellRect.Left + Half, CellRect.Top + Half, CellRect.Right - Half, CellRect.Bottom - Half);
    TGclTblAdjust Adjust = CellAttr.Adjust == otaDefault ? otaCenterLeft : CellAttr.Adjust;
    UINT Flags;
    if (FUseWordWrap) {
        Flags = DT_WORDBREAK | DT_NOPREFIX | HorzFlags(Adjust);
    } else {
        // A text too wide for the cell keeps its beginning in view (left texts already do).
        if (Column3(Adjust) != 0 && TableCanvas->TextWidth(Text) > R.Right - R.Left)
            Adjust = static_cast<TGclTblAdjust>(Row3(Adjust) * 3 + 1);
        Flags = DT_SINGLELINE | DT_NOPREFIX | HorzFlags(Adjust);
        Flags |= Row3(Adjust) == 0 ? DT_TOP : (Row3(Adjust) == 2 ? DT_BOTTOM : DT_VCENTER);
    }
    if (CellAttr.TextStyle == tsFlat) {
        // Drawn straight on the device context with a transparent background, so the
        // canvas keeps its brush (re-creating it for every cell is what painting costs most).
        HDC DC = TableCanvas->GetHandle();
        int OldMode = SetBkMode(DC, TRANSPARENT);
        RECT Box{R.Left, R.Top, R.Right, R.Bottom};
        DrawTextA(DC, Text, -1, &Box, Flags);
        SetBkMode(DC, OldMode);
        return;
    }
    int Shift = CellAttr.TextStyle == tsRaised ? -1 : 1;
    TRect Hi(R.Left + Shift, R.Top + Shift, R.Right + Shift, R.Bottom + Shift);
    TableCanvas->GetBrush()->SetStyle(bsClear);
    TableCanvas->GetFont()->SetColor(CellAttr.FontHiColor);
    TableCanvas->TextRect(Hi, Text, Flags);
    TableCanvas->GetFont()->SetColor(CellAttr.FontColor);
    TableCanvas->TextRect(R, Text, Flags);
    TableCanvas->GetBrush()->SetStyle(bsSolid);
}

// ---- Editors --------------------------------------------------------------------------------

TGclTCEditCell::~TGclTCEditCell() { delete FEditor; }

void TGclTCEditCell::Notification(TComponent* AComponent, TOperation Operation) {
    TGclTCBaseString::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FEditor) FEditor = nullptr;
}

TWinControl* TGclTCEditCell::GetCellEditor() { return FEditor; }

HWND TGclTCEditCell::EditHandle() {
    return FEditor && FEditor->HandleAllocated() ? FEditor->GetHandle() : nullptr;
}

void TGclTCEditCell::EditHide() {
    if (FEditor && FEditor->HandleAllocated())
        SetWindowPos(FEditor->GetHandle(), nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
}

void TGclTCEditCell::EditMove(const TRect& CellRect) {
    if (!FEditor) return;
    FEditor->SetBounds(CellRect.Left, CellRect.Top, CellRect.Right - CellRect.Left,
                       CellRect.Bottom - CellRect.Top);
    SetWindowPos(FEditor->GetHandle(), nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    FEditor->Invalidate();
    FEditor->Update();
}

bool TGclTCEditCell::GetModified() { return FEditor && FEditor->GetModified(); }

TCustomEdit* TGclTCEditCell::OpenEditor(const TRect& CellRect, const TGclCellAttributes& CellAttr,
                                        TGclTblEditorStyle CellStyle, const AnsiString& Text) {
    delete FEditor;
    FEditor = CreateEditControl(GetTable());
    FEditor->FreeNotification(this);
    FEditor->SetText(Text);
    FEditor->SetColor(CellAttr.Color);
    if (CellAttr.Font) FEditor->GetFont()->Assign(CellAttr.Font);
    FEditor->GetFont()->SetColor(CellAttr.FontColor);
    FEditor->SetBounds(CellRect.Left, CellRect.Top, CellRect.Right - CellRect.Left,
                       CellRect.Bottom - CellRect.Top);
    FEditor->SetTabStop(false);
    FEditor->SetMaxLength(EffectiveMaxLength());
    FEditor->SetHint(GetHint());
    FEditor->SetShowHint(GetShowHint());
    FEditor->SetCtl3D(CellStyle == tes3D);
    FEditor->SetBorderStyle(CellStyle == tesNormal ? bsNone : bsSingle);
    FEditor->OnChange = OnChange;
    FEditor->OnClick = OnClick;
    FEditor->OnDblClick = OnDblClick;
    FEditor->OnEnter = OnEnter;
    FEditor->OnExit = OnExit;
    FEditor->OnKeyDown = OnKeyDown;
    FEditor->OnKeyPress = OnKeyPress;
    FEditor->OnKeyUp = OnKeyUp;
    FEditor->OnMouseDown = OnMouseDown;
    FEditor->OnMouseMove = OnMouseMove;
    FEditor->OnMouseUp = OnMouseUp;
    FEditor->SetParent(GetTable());
    return FEditor;
}

// Both ways of saving write the same bound: at most MaxLength characters.
void TGclTCEditCell::StoreText(void* Data) {
    if (!Data || !FEditor) return;
    AnsiString Text = FEditor->GetText();
    std::size_t Bound = static_cast<std::size_t>(EffectiveMaxLength());
    if (Text.size() > Bound) Text.resize(Bound);
    if (GetUseASCIIZStrings()) {
        std::memcpy(Data, Text.c_str(), Text.size() + 1);
    } else {
        auto* Short = static_cast<unsigned char*>(Data);
        Short[0] = static_cast<unsigned char>(Text.size());
        std::memcpy(Short + 1, Text.data(), Text.size());
    }
}

void TGclTCEditCell::SaveEditedData(void* Data) { StoreText(Data); }

void TGclTCEditCell::StopEditing(bool SaveValue, void* Data) {
    if (SaveValue) StoreText(Data);
    TCustomEdit* Editor = FEditor;
    FEditor = nullptr;
    delete Editor;
}

namespace {
AnsiString TextOf(void* Data, bool ASCIIZ) {
    if (!Data) return AnsiString();
    if (ASCIIZ) return static_cast<const char*>(Data);
    auto* Short = static_cast<const unsigned char*>(Data);
    return AnsiString(reinterpret_cast<const char*>(Short + 1), Short[0]);
}
} // namespace

void TGclTCCustomString::StartEditing(int, int, const TRect& CellRect, const TGclCellAttributes& CellAttr,
                                      TGclTblEditorStyle CellStyle, void* Data) {
    OpenEditor(CellRect, CellAttr, CellStyle, TextOf(Data, GetUseASCIIZStrings()));
}

TCustomEdit* TGclTCCustomString::CreateEditControl(TComponent* AOwner) {
    auto* Editor = new TGclTCStringEdit(AOwner);
    Editor->CellOwner = this;
    return Editor;
}

TGclTCCustomMemo::TGclTCCustomMemo(TComponent* AOwner) : TGclTCEditCell(AOwner) {
    SetUseASCIIZStrings(true);
    SetUseWordWrap(true);
}

void TGclTCCustomMemo::StartEditing(int, int, const TRect& CellRect, const TGclCellAttributes& CellAttr,
                                    TGclTblEditorStyle CellStyle, void* Data) {
    auto* Memo = static_cast<TGclTCMemoEdit*>(
        OpenEditor(CellRect, CellAttr, CellStyle, TextOf(Data, true)));
    Memo->SetWantReturns(FWantReturns);
    Memo->SetWantTabs(FWantTabs);
    Memo->SetVisible(true);
}

TCustomEdit* TGclTCCustomMemo::CreateEditControl(TComponent* AOwner) {
    auto* Editor = new TGclTCMemoEdit(AOwner);
    Editor->CellOwner = this;
    return Editor;
}

// ---- Published properties -----------------------------------------------------------------

void PublishCellProperties(TPropertyList& P, bool WithFont) {
    using C = TGclBaseTableCell;
    P.Add("Access", &C::GetAccess, &C::SetAccess, otxDefault);
    P.Add("Adjust", &C::GetAdjust, &C::SetAdjust, otaDefault);
    P.Add("Color", &C::GetColor, &C::SetColor).Idents(ColorToIdent, IdentToColor).Stored(&C::IsColorStored);
    P.Add("Margin", &C::GetMargin, &C::SetMargin, 4);
    P.Add("Table", &C::GetTable, &C::SetTable);
    P.Add("TableColor", &C::GetTableColor, &C::SetTableColor, true);
    P.Add("OnOwnerDraw", &C::OnOwnerDraw);
    if (!WithFont) return;
    P.Add("Font", &C::GetFont, &C::SetFont).Stored(&C::IsFontStored);
    P.Add("Hint", &C::GetHint, &C::SetHint);
    P.Add("ShowHint", &C::GetShowHint, &C::SetShowHint, false);
    P.Add("TableFont", &C::GetTableFont, &C::SetTableFont, true);
    P.Add("TextHiColor", &C::GetTextHiColor, &C::SetTextHiColor, clBtnHighlight)
        .Idents(ColorToIdent, IdentToColor);
    P.Add("TextStyle", &C::GetTextStyle, &C::SetTextStyle, tsFlat);
    P.Add("OnClick", &C::OnClick);
    P.Add("OnDblClick", &C::OnDblClick);
    P.Add("OnEnter", &C::OnEnter);
    P.Add("OnExit", &C::OnExit);
    P.Add("OnKeyDown", &C::OnKeyDown);
    P.Add("OnKeyPress", &C::OnKeyPress);
    P.Add("OnKeyUp", &C::OnKeyUp);
    P.Add("OnMouseDown", &C::OnMouseDown);
    P.Add("OnMouseMove", &C::OnMouseMove);
    P.Add("OnMouseUp", &C::OnMouseUp);
}

void TGclTCBaseString::Published(TPropertyList&) {}

void TGclTCString::Published(TPropertyList& P) {
    using S = TGclTCCustomString;
    PublishCellProperties(P, true);
    P.Add("AutoAdvanceChar", &S::GetAutoAdvanceChar, &S::SetAutoAdvanceChar, false);
    P.Add("AutoAdvanceLeftRight", &S::GetAutoAdvanceLeftRight, &S::SetAutoAdvanceLeftRight, false);
    P.Add("MaxLength", &S::GetMaxLength, &S::SetMaxLength, 0);
    P.Add("UseWordWrap", &TGclTCBaseString::GetUseWordWrap, &TGclTCBaseString::SetUseWordWrap, false);
    P.Add("UseASCIIZStrings", &TGclTCBaseString::GetUseASCIIZStrings,
          &TGclTCBaseString::SetUseASCIIZStrings, false);
    P.Add("OnChange", &S::OnChange);
}

void TGclTCMemo::Published(TPropertyList& P) {
    using M = TGclTCCustomMemo;
    PublishCellProperties(P, true);
    P.Add("MaxLength", &M::GetMaxLength, &M::SetMaxLength, 0);
    P.Add("WantReturns", &M::GetWantReturns, &M::SetWantReturns, false);
    P.Add("WantTabs", &M::GetWantTabs, &M::SetWantTabs, false);
    P.Add("OnChange", &M::OnChange);
}

DEFINE_UNIT(gcltcstr, uoGridModules, nullptr, nullptr);

#include "skin/controls/SkinCtrls_Labels.h"

#include "skin/data/Skutils_Geometry.h"

#include "classlib/ClassRegistry.h"

namespace {

// The width Text takes in the canvas's font, with room for the glyphs' overhang.
int TextRoomIn(TCanvas* Canvas, const AnsiString& Text) {
    return Canvas->TextWidth(Text) + Canvas->TextOverhang(Text);
}

// The same in Font, measured off-screen.
int TextRoomIn(TFont* Font, const AnsiString& Text) {
    TBitmap measure(1, 1);
    measure.GetCanvas()->GetFont()->Assign(Font);
    return TextRoomIn(measure.GetCanvas(), Text);
}

} // namespace

// ---- TskStdLabelSkin ----------------------------------------------------------------------

TskStdLabelSkin::TskStdLabelSkin(TComponent* Label)
    : FLabel(Label), FDefaultFont(std::make_unique<TFont>()) {
    FDefaultFont->OnChange = TNotifyEvent::FromCallable([this](TObject*) { LabelFontChanged(); });
}

void TskStdLabelSkin::SetSkinData(TskSkinData* Value) {
    SetReference(FLabel, FSD, Value);
    if (!Value) return;
    ChangeSkinData();
}

void TskStdLabelSkin::SkinNotification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == FSD) FSD = nullptr;
}

void TskStdLabelSkin::SetUseSkinFont(bool Value) {
    if (Value == FUseSkinFont) return;
    FUseSkinFont = Value;
    LabelFontChanged();
}

void TskStdLabelSkin::GetSkinData() {
    FIndex = (!FSD || FSD->Empty) ? -1 : FSD->GetControlIndex(FSkinDataName);
    if (FIndex == -1) return;
    auto* record = dynamic_cast<TskDataSkinStdLabelControl*>(
        FSD->CtrlList[static_cast<std::size_t>(FIndex)].get());
    if (!record) {
        FIndex = -1;
        return;
    }
    FontName = record->FontName;
    FontStyle = record->FontStyle;
    FontHeight = record->FontHeight;
    FontColor = record->FontColor;
    ActiveFontColor = record->ActiveFontColor;
}

void TskStdLabelSkin::ChangeSkinData() {
    GetSkinData();
    // The skin's font measures differently from the one the label was sized in.
    LabelFontChanged();
}

void TskStdLabelSkin::AssignLabelFont(TFont* Font, TFont* Plain, bool Hot) const {
    if (FIndex == -1) {
        Font->Assign(FUseSkinFont ? FDefaultFont.get() : Plain);
        return;
    }
    Font->Assign(Plain);
    if (FUseSkinFont) {
        Font->SetName(FontName);
        Font->SetStyle(FontStyle);
        Font->SetHeight(FontHeight);
    }
    Font->SetColor(Hot ? ActiveFontColor : FontColor);
}

// ---- TskSkinStdLabel ---------------------------------------------------------------------

TskSkinStdLabel::TskSkinStdLabel(TComponent* AOwner) : TCustomLabel(AOwner), TskStdLabelSkin(this) {
    SetTransparent(true);
}

void TskSkinStdLabel::Published(TPropertyList& P) {
    PublishStdLabelSkin<TskSkinStdLabel>(P);
    P.Add("OnClick", &TControl::OnClick);
}

void TskSkinStdLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomLabel::Notification(AComponent, Operation);
    SkinNotification(AComponent, Operation);
}

void TskSkinStdLabel::LabelFontChanged() {
    AdjustBounds();
    Invalidate();
}

void TskSkinStdLabel::SetTextFont(TFont* Font) {
    AssignLabelFont(Font, GetFont(), false);
}

void TskSkinStdLabel::DoDrawText(TRect& Rect, UINT Flags) {
    GetSkinData();
    SetTextFont(GetCanvas()->GetFont());
    DrawLabelText(Rect, GetCaption(), Flags);
}

// ---- TskSkinLabel --------------------------------------------------------------------------

TskSkinLabel::TskSkinLabel(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
    FSkinDataName = "label";
    SetAutoSize(false);
    SetBounds(GetLeft(), GetTop(), 75, 21);
}

void TskSkinLabel::Published(TPropertyList& P) {
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
    P.Add("Alignment", &TskSkinLabel::GetAlignment, &TskSkinLabel::SetAlignment, taLeftJustify);
    P.Add("AutoSize", &TControl::GetAutoSize, &TControl::SetAutoSize, false);
    P.Add("BorderStyle", &TskSkinLabel::GetBorderStyle, &TskSkinLabel::SetBorderStyle,
          TskSkinBorderStyle::bvFrame);
    P.Add("OnClick", &TControl::OnClick);
    P.Add("OnDblClick", &TControl::OnDblClick);
}

void TskSkinLabel::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    auto* record = dynamic_cast<TskDataSkinLabelControl*>(GetSkinRecord());
    if (!record) return;
    FontName = record->FontName;
    FontHeight = record->FontHeight;
    FontStyle = record->FontStyle;
    FontColor = record->FontColor;
    // A fixed-size skin never widens.
    if (ResizeMode == rmFixed && GetAutoSize()) TControl::SetAutoSize(false);
}

void TskSkinLabel::SetLabelFont(TCanvas* Canvas) {
    TFont* font = Canvas->GetFont();
    if (FIndex == -1) {
        font->Assign(GetDefaultFont());
        return;
    }
    font->SetName(FontName);
    font->SetStyle(FontStyle);
    font->SetHeight(FontHeight);
    font->SetColor(FontColor);
}

int TskSkinLabel::CalcWidthOffset() {
    if (ResizeMode == rmFixed) return 0;
    TBitmap measure(1, 1);
    SetLabelFont(measure.GetCanvas());
    return TextRoomIn(measure.GetCanvas(), GetCaption()) - RectWidth(NewClRect);
}

void TskSkinLabel::CalcSize(int& W, int& H) {
    TskSkinCustomControl::CalcSize(W, H);
    if (!GetAutoSize() || FIndex == -1) return;
    const int offset = CalcWidthOffset();
    if (offset < 1) return;
    W += offset;
    // The client part follows the wider label.
    TskSkinCustomControl::CalcSize(W, H);
}

void TskSkinLabel::AdjustBounds() {
    if (GetAlign() != alNone) return;
    int offset = 0;
    if (FIndex == -1)
        offset = TextRoomIn(GetDefaultFont(), GetCaption()) - (GetWidth() - 4);
    else
        offset = CalcWidthOffset();
    if (offset != 0) SetWidth(GetWidth() + offset);
}

void TskSkinLabel::DefaultFontChange() {
    if (GetAutoSize()) AdjustBounds();
}

void TskSkinLabel::SetAutoSize(bool Value) {
    TControl::SetAutoSize(Value);
    if (Value) AdjustBounds();
}

void TskSkinLabel::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Repaint();
}

void TskSkinLabel::SetBorderStyle(TskSkinBorderStyle Value) {
    FBorderStyle = Value;
    if (FIndex != -1) return;
    Repaint();
    Realign();
}

void TskSkinLabel::CMTextChanged(TMessage&) {
    if (GetAutoSize()) AdjustBounds();
    Repaint();
}

void TskSkinLabel::DrawLabelText(TCanvas* Canvas, const TRect& R) {
    SetLabelFont(Canvas);
    const AnsiString caption = GetCaption();
    const int tw = Canvas->TextWidth(caption);
    const int ty = R.Top + RectHeight(R) / 2 - Canvas->TextHeight(caption) / 2;
    int tx = R.Left;
    if (FAlignment == taRightJustify)
        tx = R.Right - tw;
    else if (FAlignment == taCenter)
        tx = R.Left + RectWidth(R) / 2 - tw / 2;
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->TextRect(R, tx, ty, caption);
}

void TskSkinLabel::CreateControlDefaultImage(TBitmap* B) {
    TskSkinCustomControl::CreateControlDefaultImage(B);
    DrawBorderFrame(B->GetCanvas(), GetClientRect(), FBorderStyle);
    DrawLabelText(B->GetCanvas(), TRect(2, 2, GetWidth() - 2, GetHeight() - 2));
}

void TskSkinLabel::PaintLabel(TBitmap* B) {
    TskSkinCustomControl::CreateControlSkinImage(B);
}

void TskSkinLabel::CreateControlSkinImage(TBitmap* B) {
    PaintLabel(B);
    DrawLabelText(B->GetCanvas(), NewClRect);
}

// ---- TskSkinBitLabel -------------------------------------------------------------------------

TskSkinBitLabel::TskSkinBitLabel(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
    FSkinDataName = "bitlabel";
    SetAutoSize(false);
    SetBounds(GetLeft(), GetTop(), 100, 20);
}

void TskSkinBitLabel::Published(TPropertyList& P) {
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
    P.Add("AutoSize", &TControl::GetAutoSize, &TControl::SetAutoSize, false);
    P.Add("FixLength", &TskSkinBitLabel::GetFixLength, &TskSkinBitLabel::SetFixLength, 0);
    P.Add("OnClick", &TControl::OnClick);
}

void TskSkinBitLabel::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    auto* record = dynamic_cast<TskDataSkinBitLabelControl*>(GetSkinRecord());
    if (!record) return;
    SkinTextRect = record->SkinTextRect;
    SymbolWidth = record->SymbolWidth;
    SymbolHeight = record->SymbolHeight;
}

int TskSkinBitLabel::GetFixWidth() const {
    return ClRect.Left + (RectWidth(SkinRect) - ClRect.Right) + SymbolWidth * FFixLength;
}

void TskSkinBitLabel::SetFixLength(int Value) {
    FFixLength = Value;
    if (Value < 1) return;
    TControl::SetAutoSize(false);
    if (FIndex != -1) SetWidth(GetFixWidth());
}

int TskSkinBitLabel::TextOffset() {
    if (FIndex == -1) return 0;
    return static_cast<int>(GetCaption().size()) * SymbolWidth - RectWidth(NewClRect);
}

void TskSkinBitLabel::CalcSize(int& W, int& H) {
    TskSkinCustomControl::CalcSize(W, H);
    if (FFixLength >= 1) {
        if (FIndex != -1) W = GetFixWidth();
    } else {
        const int offset = TextOffset();
        if (offset >= 1 || (GetAutoSize() && offset != 0)) W += offset;
    }
    TskSkinCustomControl::CalcSize(W, H);
}

void TskSkinBitLabel::AdjustBounds() {
    if (GetAlign() != alNone || FIndex == -1) return;
    const int offset = TextOffset();
    if (offset != 0) SetWidth(GetWidth() + offset);
}

void TskSkinBitLabel::SetAutoSize(bool Value) {
    TControl::SetAutoSize(Value);
    AdjustBounds();
    Repaint();
}

void TskSkinBitLabel::CMTextChanged(TMessage&) {
    if (GetAutoSize()) AdjustBounds();
    Repaint();
}

void TskSkinBitLabel::CreateControlDefaultImage(TBitmap* B) {
    TskSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* canvas = B->GetCanvas();
    const AnsiString caption = GetCaption();
    canvas->GetBrush()->SetStyle(bsClear);
    canvas->TextRect(TRect(1, 1, GetWidth() - 1, GetHeight() - 1), 2,
                     GetHeight() / 2 - canvas->TextHeight(caption) / 2, caption);
}

void TskSkinBitLabel::CreateControlSkinImage(TBitmap* B) {
    TskSkinCustomControl::CreateControlSkinImage(B);
    auto* record = dynamic_cast<TskDataSkinBitLabelControl*>(GetSkinRecord());
    if (!record || !Picture || SymbolWidth < 1 || SymbolHeight < 1) return;
    const AnsiString caption = GetCaption();
    const int xl = ClRect.Left;
    const int xr = RectWidth(SkinRect) - ClRect.Right;
    const int width = B->GetWidth();
    for (int i = 1; i <= static_cast<int>(caption.size()); ++i) {
        const char symbol = caption[static_cast<std::size_t>(i - 1)];
        int row = -1, column = -1;
        for (int line = 0; line < record->Symbols->GetCount() && row == -1; ++line) {
            const AnsiString symbols = record->Symbols->Get(line);
            const std::size_t at = symbols.find(symbol);
            if (at == AnsiString::npos) continue;
            row = line;
            column = static_cast<int>(at);
        }
        // The symbol that no longer fits is clipped, and the text ends with it.
        const int cut = width < i * SymbolWidth ? i * SymbolWidth - width - xl - xr : 0;
        if (row != -1) {
            const TRect source(SkinTextRect.Left + column * SymbolWidth,
                               SkinTextRect.Top + row * SymbolHeight,
                               SkinTextRect.Left + (column + 1) * SymbolWidth - cut,
                               SkinTextRect.Top + (row + 1) * SymbolHeight);
            const TRect dest(xl + (i - 1) * SymbolWidth, NewClRect.Top, xl + i * SymbolWidth - cut,
                             NewClRect.Top + SymbolHeight);
            if (!IsNullRect(dest) && !IsNullRect(source))
                B->GetCanvas()->CopyRect(dest, Picture->GetCanvas(), source);
        }
        if (cut > 0) break;
    }
}

REGISTER_CLASS(TskSkinStdLabel);
REGISTER_CLASS(TskSkinLabel);
REGISTER_CLASS(TskSkinBitLabel);

DEFINE_UNIT(SkinCtrls_Labels, uoSkin + 10, nullptr, nullptr);

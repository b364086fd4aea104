#include "skin/controls/SkinCtrls_TextLabels.h"


#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/ShellOpen.h"
#include "classlib/Strings.h"

namespace {

// Opens URL with the shell. A link is an address on the web or for mail: any other
// scheme (a program, a file, a script) is refused, and so is a failure of the shell, each
// naming the address. An empty URL is no link.
void OpenLink(const AnsiString& URL) {
    if (URL.empty()) return;
    bool allowed = false;
    for (const char* scheme : {"http:", "https:", "mailto:"})
        allowed =
            allowed || SameText(URL.substr(0, std::char_traits<char>::length(scheme)), scheme);
    if (!allowed)
        throw EInvalidOperation("Cannot open " + URL +
                                ": a link opens only http:, https: and mailto: addresses");
    ShellOpenOrRaise(URL);
}

} // namespace

// ---- TskSkinTextLabel --------------------------------------------------------------------

TskSkinTextLabel::TskSkinTextLabel(TComponent* AOwner)
    : TGraphicControl(AOwner), TskStdLabelSkin(this), FLines(std::make_unique<TStringList>()) {
    SetControlStyle(GetControlStyle() << csReplicatable);
    FLines->OnChange = TNotifyEvent::FromCallable([this](TObject*) { LabelFontChanged(); });
    // A new label keeps its size until it has text to fit.
    SetAutoSize(true);
    SetBounds(GetLeft(), GetTop(), 65, 65);
}

void TskSkinTextLabel::Published(TPropertyList& P) {
    PublishControlProperties(P);
    P.Add("Lines", &TskSkinTextLabel::GetLines);
    P.Add("Alignment", &TskSkinTextLabel::GetAlignment, &TskSkinTextLabel::SetAlignment,
          taLeftJustify);
    P.Add("Layout", &TskSkinTextLabel::GetLayout, &TskSkinTextLabel::SetLayout, tlTop);
    P.Add("WordWrap", &TskSkinTextLabel::GetWordWrap, &TskSkinTextLabel::SetWordWrap, false);
    P.Add("AutoSize", &TControl::GetAutoSize, &TControl::SetAutoSize, true);
    PublishStdLabelSkin<TskSkinTextLabel>(P);
}

void TskSkinTextLabel::SetLines(TStrings* Value) {
    FLines->Assign(Value);
}

void TskSkinTextLabel::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Invalidate();
}

void TskSkinTextLabel::SetLayout(TTextLayout Value) {
    if (Value == FLayout) return;
    FLayout = Value;
    Invalidate();
}

void TskSkinTextLabel::SetWordWrap(bool Value) {
    if (Value == FWordWrap) return;
    FWordWrap = Value;
    LabelFontChanged();
}

void TskSkinTextLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    SkinNotification(AComponent, Operation);
}

void TskSkinTextLabel::LabelFontChanged() {
    AdjustSize();
    Invalidate();
}

void TskSkinTextLabel::CMFontChanged(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    LabelFontChanged();
}

UINT TskSkinTextLabel::TextFlags() const {
    // "&" marks an accelerator, as on every label.
    return LabelTextFlags(FAlignment, FWordWrap, true);
}

AnsiString TskSkinTextLabel::Text() const {
    return FLines->GetText();
}

void TskSkinTextLabel::DoDrawText(TRect& Rect, UINT Flags) {
    GetSkinData();
    TCanvas* canvas = GetCanvas();
    AssignLabelFont(canvas->GetFont(), GetFont(), false);
    const AnsiString text = Text();
    DrawLabelTextOn(canvas, Rect, text, Flags, IsEffectivelyEnabled());
}

void TskSkinTextLabel::Paint() {
    GetCanvas()->GetBrush()->SetStyle(bsClear);
    TRect rect = GetClientRect();
    UINT flags = TextFlags();
    PlaceLabelText(rect, flags, GetAutoSize() && !FWordWrap, FAlignment, FLayout,
                   [this](TRect& R, UINT F) { DoDrawText(R, F); });
    DoDrawText(rect, flags);
}

bool TskSkinTextLabel::CanAutoSize(int& NewWidth, int& NewHeight) {
    ReleaseCanvasHandle();
    const TPoint size =
        MeasureLabelOnScreen(GetCanvas(), FWordWrap ? GetWidth() : 0, Text(), TextFlags(),
                             [this](TRect& R) { DoDrawText(R, TextFlags() | DT_CALCRECT); });
    // A wrapping label keeps the width it wraps at, so a longer text wraps there again.
    if (!FWordWrap) NewWidth = size.X;
    NewHeight = size.Y;
    return true;
}

void TskSkinTextLabel::AdjustSize() {
    if (!GetAutoSize() || IsLoading()) return;
    int width = GetWidth();
    int height = GetHeight();
    CanAutoSize(width, height);
    const int left = FAlignment == taRightJustify ? GetLeft() + GetWidth() - width : GetLeft();
    SetBounds(left, GetTop(), width, height);
}

// ---- TskSkinLinkLabel --------------------------------------------------------------------

TskSkinLinkLabel::TskSkinLinkLabel(TComponent* AOwner) : TskSkinStdLabel(AOwner) {
    TFont* font = GetDefaultFont();
    font->SetName("Arial");
    font->SetHeight(14);
    font->SetStyle(TFontStyles{fsUnderline});
    GetFont()->Assign(font);
    SetCursor(crHandPoint);
}

void TskSkinLinkLabel::Published(TPropertyList& P) {
    P.Add("URL", &TskSkinLinkLabel::GetURL, &TskSkinLinkLabel::SetURL);
    P.Add("DefaultActiveFontColor", &TskSkinLinkLabel::GetDefaultActiveFontColor,
          &TskSkinLinkLabel::SetDefaultActiveFontColor, clBlue)
        .Idents(ColorToIdent, IdentToColor);
    // The values the class is made with.
    P.Add("Transparent", &TCustomLabel::GetTransparent, &TCustomLabel::SetTransparent, true);
    P.Add("Cursor", &TControl::GetCursor, &TControl::SetCursor, crHandPoint)
        .Idents(CursorToIdent, IdentToCursor);
}

void TskSkinLinkLabel::SetDefaultActiveFontColor(TColor Value) {
    if (Value == FDefaultActiveFontColor) return;
    FDefaultActiveFontColor = Value;
    if (FMouseIn) Invalidate();
}

void TskSkinLinkLabel::SetTextFont(TFont* Font) {
    AssignLabelFont(Font, GetFont(), FMouseIn);
    if (!Skinned() && FMouseIn) Font->SetColor(FDefaultActiveFontColor);
    Font->SetStyle(Font->GetStyle() << fsUnderline);
}

void TskSkinLinkLabel::CMMouseEnter(TMessage& Message) {
    TskSkinStdLabel::Dispatch(Message);
    FMouseIn = true;
    Repaint();
}

void TskSkinLinkLabel::CMMouseLeave(TMessage& Message) {
    TskSkinStdLabel::Dispatch(Message);
    FMouseIn = false;
    Repaint();
}

void TskSkinLinkLabel::Click() {
    TComponentProtector protect(this);
    TskSkinStdLabel::Click();
    if (!IsDestroying()) OpenLink(FURL);
}

// ---- TskSkinLinkImage --------------------------------------------------------------------

TskSkinLinkImage::TskSkinLinkImage(TComponent* AOwner) : TImage(AOwner) {
    SetAutoSize(true);
    SetCursor(crHandPoint);
}

void TskSkinLinkImage::Published(TPropertyList& P) {
    P.Add("URL", &TskSkinLinkImage::GetURL, &TskSkinLinkImage::SetURL);
    // The values the class is made with.
    P.Add("AutoSize", &TControl::GetAutoSize, &TControl::SetAutoSize, true);
    P.Add("Cursor", &TControl::GetCursor, &TControl::SetCursor, crHandPoint)
        .Idents(CursorToIdent, IdentToCursor);
}

void TskSkinLinkImage::Click() {
    TComponentProtector protect(this);
    TImage::Click();
    if (!IsDestroying()) OpenLink(FURL);
}

// ---- TskSkinButtonLabel ------------------------------------------------------------------

TskSkinButtonLabel::TskSkinButtonLabel(TComponent* AOwner)
    : TGraphicControl(AOwner), TskStdLabelSkin(this) {
    TFont* font = GetDefaultFont();
    font->SetName("Arial");
    font->SetHeight(14);
    SetBounds(GetLeft(), GetTop(), 100, 50);
}

void TskSkinButtonLabel::Published(TPropertyList& P) {
    PublishControlProperties(P);
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
    PublishButtonGlyph<TskSkinButtonLabel>(P);
    P.Add("DefaultActiveFontColor", &TskSkinButtonLabel::GetDefaultActiveFontColor,
          &TskSkinButtonLabel::SetDefaultActiveFontColor, clBlue)
        .Idents(ColorToIdent, IdentToColor);
    PublishStdLabelSkin<TskSkinButtonLabel>(P);
}

void TskSkinButtonLabel::SetDefaultActiveFontColor(TColor Value) {
    if (Value == FDefaultActiveFontColor) return;
    FDefaultActiveFontColor = Value;
    if (FMouseIn) Repaint();
}

void TskSkinButtonLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    SkinNotification(AComponent, Operation);
}

void TskSkinButtonLabel::LabelFontChanged() {
    Repaint();
}

int TskSkinButtonLabel::GlyphIndex() const {
    return ButtonGlyphIndex(FPressed, FMouseIn, IsEffectivelyEnabled(), GetNumGlyphs());
}

void TskSkinButtonLabel::Paint() {
    GetSkinData();
    TCanvas* canvas = GetCanvas();
    TFont* font = canvas->GetFont();
    // Its own Font plays no part: without the skin's font the label draws in DefaultFont.
    AssignLabelFont(font, GetDefaultFont(), FMouseIn);
    if (!Skinned() && FMouseIn) font->SetColor(FDefaultActiveFontColor);
    // Its greyed glyph alone would leave the caption looking as if it still answered.
    if (!Skinned() && !IsEffectivelyEnabled()) font->SetColor(clBtnShadow);
    DrawGlyphAndCaption(canvas, GetClientRect(), FPressed, GlyphIndex(), GetCaption());
}

void TskSkinButtonLabel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FPressed = true;
    Repaint();
    TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinButtonLabel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FPressed = false;
    Repaint();
    TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinButtonLabel::CMMouseEnter(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    FMouseIn = true;
    Repaint();
}

void TskSkinButtonLabel::CMMouseLeave(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    FMouseIn = false;
    Repaint();
}

void TskSkinButtonLabel::CMTextChanged(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    Repaint();
}

void TskSkinButtonLabel::CMEnabledChanged(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    Repaint();
}

REGISTER_CLASS(TskSkinTextLabel);
REGISTER_CLASS(TskSkinLinkLabel);
REGISTER_CLASS(TskSkinLinkImage);
REGISTER_CLASS(TskSkinButtonLabel);

DEFINE_UNIT(SkinCtrls_TextLabels, uoSkin + 10, nullptr, nullptr);

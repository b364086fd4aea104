// Entry-field painting (off-screen, one block copy), caret placement and the mapping
// of a mouse position to a caret position.
#include "grid/gclef.h"
#include "grid/gclmisc.h"

namespace {
int BorderWidth(const TGclBorder* Border) {
    return Border->GetEnabled() ? Border->GetPenWidth() : 0;
}

// Runs Use with a screen context that has Font selected.
template <typename F> void WithFont(TFont* Font, F Use) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font->GetHandle());
    Use(dc);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
}

TEXTMETRICA Metrics(TFont* Font) {
    TEXTMETRICA tm{};
    WithFont(Font, [&](HDC dc) { GetTextMetricsA(dc, &tm); });
    return tm;
}
} // namespace

void TGclBaseEntryField::SetAutoSize(bool Value) {
    FAutoSize = Value;
    if (Value) efAdjustSize();
}

void TGclBaseEntryField::efAdjustSize() {
    if (!FAutoSize || !HandleAllocated()) return;
    int height = GetEditHeight(GetFont(), GetCtl3D());
    FAdjusting = true;
    SetBounds(GetLeft(), GetTop(), GetWidth(), height);
    FAdjusting = false;
}

void TGclBaseEntryField::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    // A height set by hand ends the automatic height.
    if (!FAdjusting && AHeight != GetHeight() && !GetComponentState().Contains(csLoading))
        FAutoSize = false;
    TGclCustomControlEx::SetBounds(ALeft, ATop, AWidth, AHeight);
}

int TGclBaseEntryField::efGetTextExtent(const char* S, int Len) {
    if (Len <= 0) return 0;
    SIZE size{};
    WithFont(GetFont(), [&](HDC dc) { GetTextExtentPoint32A(dc, S, Len, &size); });
    return static_cast<Word>(size.cx);
}

void TGclBaseEntryField::SetCaretPos(int Pos) {
    if (Pos < 0) Pos = 0;
    if (Pos > static_cast<int>(FEditString.size())) Pos = static_cast<int>(FEditString.size());
    FCaretPos = Pos;
    if (!FHasFocus) return;
    if (FFirstChar > Pos) FFirstChar = Pos;
    AnsiString display = GetDisplayString();
    int left = FTextMargin + BorderWidth(FBorders->GetLeftBorder()) - 1;
    int x = left + efGetTextExtent(display.c_str() + FFirstChar, Pos - FFirstChar);
    TEXTMETRICA tm = Metrics(GetFont());
    FCarets->SetCellHeight(tm.tmHeight);
    FCarets->SetCellWidth(tm.tmAveCharWidth);
    FCarets->SetPos({x, TopTextMargin()});
}

int TGclBaseEntryField::TopTextMargin() {
    int margin = HandleAllocated() ? GetTopTextMargin(GetFont(), FBorderStyle, GetHeight(), GetCtl3D()) : 0;
    return margin + BorderWidth(FBorders->GetTopBorder());
}

int TGclBaseEntryField::efGetMousePos(int X) {
    if (X < 0 && FFirstChar > 0) {
        TEXTMETRICA tm = Metrics(GetFont());
        int a = tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : 1;
        FFirstChar -= (-X + a) / a;
        if (FFirstChar < 0) FFirstChar = 0;
    }
    AnsiString display = GetDisplayString().substr(0, 255);
    int l = static_cast<int>(display.size());
    int f = FFirstChar < l ? FFirstChar : l;
    const char* s = display.c_str();
    bool rightAligned = FOptions.Contains(efoRightAlign) && FFieldClass != 2 &&
                        efGetTextExtent(s + f, l - f) <
                            GetClientWidth() - (FTextMargin + BorderWidth(FBorders->GetRightBorder())) - 1;
    if (rightAligned) {
        int r = GetClientWidth() - (FTextMargin + BorderWidth(FBorders->GetRightBorder())) - 1;
        int d = r - X;
        if (d < 1) return l;
        int h = l > 0 ? efGetTextExtent(s + l - 1, 1) / 2 : 0;
        for (int i = l; i >= 1; --i)
            if (efGetTextExtent(s + i - 1, l - i + 1) + h > d) return i - 1;
        return 0;
    }
    int start = FTextMargin + BorderWidth(FBorders->GetLeftBorder()) - 1;
    int d = X - start;
    int i = 1;
    for (;; ++i) {
        if (f + i > l) break;
        int t = efGetTextExtent(s + f, i);
        int h = efGetTextExtent(s + f + i - 1, 1) / 2;
        if (t - h > d) break;
    }
    int pos = f + i - 1;
    return pos < 0 ? 0 : pos;
}

void TGclBaseEntryField::Paint() {
    HDC canvas = GetCanvas()->GetHandle();
    int w = GetWidth(), h = GetHeight();
    HDC dc = CreateCompatibleDC(canvas);
    HBITMAP bitmap = CreateCompatibleBitmap(canvas, w, h);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    SetMapMode(dc, GetMapMode(canvas));
    SetTextAlign(dc, 0);
    PaintPrim(dc, w, h);
    BitBlt(canvas, 0, 0, w, h, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    // The borders go over the copied text.
    TCanvas* c = GetCanvas();
    auto line = [&](const TGclBorder* b, int x1, int y1, int x2, int y2) {
        if (!b->GetEnabled()) return;
        c->GetPen()->SetColor(b->GetPenColor());
        c->GetPen()->SetWidth(b->GetPenWidth());
        c->GetPen()->SetStyle(b->GetPenStyle());
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    // Half a pen width in from each edge; an odd width one pixel further in on the right
    // and at the bottom.
    auto half = [](const TGclBorder* b) { return b->GetPenWidth() / 2; };
    auto inward = [&](const TGclBorder* b, int Edge) { return Edge - half(b) - b->GetPenWidth() % 2; };
    const TGclBorder* left = FBorders->GetLeftBorder();
    const TGclBorder* right = FBorders->GetRightBorder();
    const TGclBorder* top = FBorders->GetTopBorder();
    const TGclBorder* bottom = FBorders->GetBottomBorder();
    line(left, half(left), 0, half(left), h);
    line(right, inward(right, w), 0, inward(right, w), h);
    line(top, 0, half(top), w, half(top));
    line(bottom, 0, inward(bottom, h), w, inward(bottom, h));
}

void TGclBaseEntryField::PaintPrim(HDC DC, int Width, int Height) {
    HGDIOBJ oldFont = SelectObject(DC, GetFont()->GetHandle());
    COLORREF color = ColorToRGB(GetColor());
    COLORREF textColor = ColorToRGB(GetFont()->GetColor());
    bool designing = GetComponentState().Contains(csDesigning);
    int first = FFirstChar;
    AnsiString display;
    if (designing) {
        display = FFieldClass == 0 ? AnsiString(FMaxLength, efNthMaskChar(0))
                                   : FPicture.substr(0, FMaxLength);
        first = 0;
    } else {
        display = GetDisplayString().substr(0, 255);
    }
    if (first > static_cast<int>(display.size())) first = static_cast<int>(display.size());
    int selStart = 0, selEnd = 0;
    if (FHasFocus && !designing) {
        selStart = FSelStart - first < 0 ? 0 : FSelStart - first;
        selEnd = FSelEnd - first;
        if (selEnd <= selStart) selEnd = selStart = 0;
    }
    COLORREF baseText = textColor, baseBack = color;
    if (FInError) {
        baseText = ColorToRGB(FColors->GetError()->GetTextColor());
        baseBack = ColorToRGB(FColors->GetError()->GetBackColor());
    }
    COLORREF fill = !GetEnabled() ? ColorToRGB(FColors->GetDisabled()->GetBackColor())
                    : FInError    ? ColorToRGB(FColors->GetError()->GetBackColor())
                                  : color;
    HBRUSH brush = CreateSolidBrush(fill);
    RECT all{0, 0, Width, Height};
    FillRect(DC, &all, brush);
    DeleteObject(brush);
    if (!GetEnabled()) {
        selStart = selEnd = 0;
        baseText = ColorToRGB(FColors->GetDisabled()->GetTextColor());
        baseBack = ColorToRGB(FColors->GetDisabled()->GetBackColor());
    }
    int rightGap = FTextMargin + BorderWidth(FBorders->GetRightBorder());
    int clientWidth = GetClientWidth();
    int y = TopTextMargin();
    const char* text = display.c_str() + first;
    int remaining = static_cast<int>(display.size()) - first;
    int x;
    if (FFieldClass == 2) {
        x = clientWidth - rightGap - 1;
    } else if (FOptions.Contains(efoRightAlign) &&
               efGetTextExtent(text, remaining) < clientWidth - rightGap - 1) {
        x = clientWidth - efGetTextExtent(text, remaining) - rightGap - 1;
    } else {
        x = FTextMargin + BorderWidth(FBorders->GetLeftBorder()) - 1;
    }
    COLORREF ctrl = ColorToRGB(FCtrlColor);
    COLORREF hiText = ColorToRGB(FColors->GetHighlight()->GetTextColor());
    COLORREF hiBack = ColorToRGB(FColors->GetHighlight()->GetBackColor());
    RECT clip{0, 0, Width, Height};
    if (FFieldClass == 2 && !designing) {
        AnsiString trimmed = AnsiString(text, remaining);
        std::size_t a = trimmed.find_first_not_of(' ');
        trimmed = a == AnsiString::npos ? "" : trimmed.substr(a, trimmed.find_last_not_of(' ') - a + 1);
        bool selected = selEnd > selStart;
        SetTextColor(DC, selected ? hiText : baseText);
        SetBkColor(DC, selected ? hiBack : baseBack);
        SetTextAlign(DC, TA_RIGHT);
        ExtTextOutA(DC, x, y, ETO_CLIPPED | (selected ? ETO_OPAQUE : 0), &clip, trimmed.c_str(),
                    static_cast<UINT>(trimmed.size()), nullptr);
        SelectObject(DC, oldFont);
        return;
    }
    // Runs of plain and of control characters, each with its selected part.
    for (int i = 0; i < remaining;) {
        unsigned char raw = designing ? 'X' : static_cast<unsigned char>(FEditString[first + i]);
        bool control = raw >= 1 && raw <= 31;
        int n = 0;
        while (i + n < remaining) {
            unsigned char r = designing ? 'X' : static_cast<unsigned char>(FEditString[first + i + n]);
            if ((r >= 1 && r <= 31) != control) break;
            ++n;
        }
        COLORREF runText = control ? ctrl : baseText;
        COLORREF runSelText = control ? ctrl : hiText;
        while (n > 0) {
            int piece;
            bool selected = selStart == 0 && selEnd > 0;
            piece = selected ? (n < selEnd ? n : selEnd) : (selStart == 0 ? n : (n < selStart ? n : selStart));
            if (x < Width) {
                SetTextColor(DC, selected ? runSelText : runText);
                SetBkColor(DC, selected ? hiBack : baseBack);
                SetBkMode(DC, OPAQUE);
                ExtTextOutA(DC, x, y, ETO_CLIPPED, &clip, text + i, static_cast<UINT>(piece), nullptr);
            }
            x += efGetTextExtent(text + i, piece);
            i += piece;
            n -= piece;
            selStart = selStart - piece < 0 ? 0 : selStart - piece;
            selEnd -= piece;
            if (selEnd <= selStart) selEnd = selStart = 0;
        }
    }
    SelectObject(DC, oldFont);
}

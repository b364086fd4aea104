// Tiny solid-colour skins for the form tests, built in memory: a 120 x 80 frame picture
// whose top band is red, left band green, right band blue, bottom band yellow and client
// grey, with a caption, caption buttons and (optionally) a mask with cut corners. The
// client-mode skin adds an orange 120 x 24 roll-up picture with its own caption and
// unroll button, a roll-up mask with cut corners, and an area for a control.
#pragma once

#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "tests/support/GuiTestSupport.h"

#include "classlib/Bitmaps.h"
#include "classlib/WinControls.h"

#include <memory>

namespace testskins {

constexpr TColor kTop = 0x0000FF, kLeft = 0x00FF00, kRight = 0xFF0000, kBottom = 0x00FFFF;
constexpr TColor kClient = 0x808080, kButton = 0xFF00FF, kHover = 0x80FF00, kDown = 0x8000FF;
constexpr TColor kRollUp = 0x0080FF;
constexpr int kWidth = 120, kHeight = 80, kRollUpHeight = 24;
// Where the client-mode skin puts a control named after its area.
const TRect kArea(8, 28, 60, 60);

// Brings the skinned form to the front until its skin sees it active; whether it did
// within a deadline.
inline bool Activate(TskSkinForm* Skin, TWinControl* Form) {
    return PumpUntil([&] {
        if (Skin->GetFormActive()) return true;
        SetForegroundWindow(Form->GetHandle());
        return false;
    });
}

// The window's rectangle on the screen.
inline TRect WindowRectOf(TWinControl* C) {
    RECT r;
    GetWindowRect(C->GetHandle(), &r);
    return TRect(r.left, r.top, r.right, r.bottom);
}

// The window's hit-test answer at its point (X, Y).
inline int HitTestAt(TWinControl* C, int X, int Y) {
    const TRect w = WindowRectOf(C);
    return static_cast<int>(SendMessageA(C->GetHandle(), WM_NCHITTEST, 0, MAKELPARAM(w.Left + X, w.Top + Y)));
}

// The middle of the skinned form's frame object IDName on the screen.
inline TPoint ObjectCentre(TskSkinForm* Skin, const char* IDName) {
    const TRect r = Skin->GetObject(Skin->GetIndex(IDName))->ObjectRect;
    const TRect w = WindowRectOf(Skin->GetForm());
    return TPoint(w.Left + (r.Left + r.Right) / 2, w.Top + (r.Top + r.Bottom) / 2);
}

inline std::unique_ptr<TBitmap> Solid(int W, int H, TColor Color) {
    auto b = std::make_unique<TBitmap>(W, H);
    b->SetPixelFormat(pf24bit);
    b->GetCanvas()->GetBrush()->SetColor(Color);
    b->GetCanvas()->FillRect(TRect(0, 0, W, H));
    return b;
}

inline void Fill(TBitmap* B, const TRect& R, TColor Color) {
    B->GetCanvas()->GetBrush()->SetColor(Color);
    B->GetCanvas()->FillRect(R);
}

struct Options {
    bool Mask = false;
    bool Buttons = true;
    bool Caption = true;
    // A mask that is all white (no pixel inside).
    bool EmptyMask = false;
    int ActivePictureIndex = 0;
    // Roll-up picture, roll-up mask, roll-up objects and an area.
    bool ClientMode = false;
};

// A W x H frame picture: the top band down to Top, 4-pixel sides, the bottom band from
// Bottom; the corner points 20 in from the sides, the caption row at 4..20, the hit-test
// points 8 in from the sides and 4 above the bottom band.
inline void Frame(TskSkinData* S, int W, int H, int Top, int Bottom) {
    S->Picture = Solid(W, H, kClient);
    Fill(S->Picture.get(), TRect(0, 0, W, Top), kTop);
    Fill(S->Picture.get(), TRect(0, Top, 4, Bottom), kLeft);
    Fill(S->Picture.get(), TRect(W - 4, Top, W, Bottom), kRight);
    Fill(S->Picture.get(), TRect(0, Bottom, W, H), kBottom);
    S->LTPoint = TPoint(20, Top);
    S->RTPoint = TPoint(W - 20, Top);
    S->LBPoint = TPoint(20, Bottom);
    S->RBPoint = TPoint(W - 20, Bottom);
    S->ClRect = TRect(4, Top, W - 4, Bottom);
    S->CaptionRect = TRect(4, 4, W - 4, 20);
    S->HitTestLTPoint = TPoint(8, 8);
    S->HitTestRTPoint = TPoint(W - 8, 8);
    S->HitTestLBPoint = TPoint(8, Bottom - 4);
    S->HitTestRBPoint = TPoint(W - 8, Bottom - 4);
    S->MaskRectArea = TRect(4, 4, W - 4, Bottom);
}

// A caption button for Command with the looks of the active picture PictureIndex.
inline TskDataSkinStdButton* AddButton(TskSkinData* S, const char* Name, TStdCommand Command, int PictureIndex = 0) {
    auto b = std::make_unique<TskDataSkinStdButton>(Name);
    b->Command = Command;
    b->SkinRectInAPicture = true;
    b->SkinRect = TRect(32, 0, 48, 16);
    b->ActiveSkinRect = TRect(0, 0, 16, 16);
    b->DownRect = TRect(16, 0, 32, 16);
    b->ActivePictureIndex = PictureIndex;
    S->ObjectList.push_back(std::move(b));
    return static_cast<TskDataSkinStdButton*>(S->ObjectList.back().get());
}

// The caption starts in the left corner, just before its stretch point, and reaches to where
// the four caption buttons start, where the top band's right corner begins: the caption's
// room grows with the frame and never runs under the buttons. Its text starts at 24.
inline void CaptionUpToButtons(TskSkinData* S, TskDataSkinCaption* Caption) {
    const int buttons = S->ButtonsRect.Right - 4 * (16 + S->ButtonsOffset) + S->ButtonsOffset;
    S->RTPoint.X = buttons;
    Caption->SkinRect = TRect(S->LTPoint.X - 1, 4, buttons, 20);
    Caption->TextRect = TRect(24 - Caption->SkinRect.Left, 0, RectWidth(Caption->SkinRect) - 2, 16);
}

// Frame: top 24, left 4, right 4, bottom 4. Buttons 16 x 16 laid out from the right of
// the buttons band, one pixel apart; the caption up to them.
inline void Build(TskSkinData* S, const Options& O = Options()) {
    S->ClearAll();
    Frame(S, kWidth, kHeight, 24, 76);
    S->ButtonsRect = TRect(64, 4, 116, 20);
    S->ButtonsOffset = 1;
    S->BorderWidth = 2;
    S->ActivePictures.clear();
    // Button looks: hover 0..16, pressed 16..32, normal 32..48.
    S->ActivePictures.push_back(Solid(48, 16, kButton));
    Fill(S->ActivePictures[0].get(), TRect(0, 0, 16, 16), kHover);
    Fill(S->ActivePictures[0].get(), TRect(16, 0, 32, 16), kDown);
    if (O.Mask || O.EmptyMask) {
        S->Mask = Solid(kWidth, kHeight, O.EmptyMask ? TColor(0xFFFFFF) : TColor(0));
        if (!O.EmptyMask) {
            Fill(S->Mask.get(), TRect(0, 0, 3, 3), 0xFFFFFF);
            Fill(S->Mask.get(), TRect(117, 0, 120, 3), 0xFFFFFF);
        }
    }
    if (O.Caption) {
        auto caption = std::make_unique<TskDataSkinCaption>("caption");
        CaptionUpToButtons(S, caption.get());
        caption->FontColor = 0x000000;
        caption->ActiveFontColor = 0xFFFFFF;
        S->ObjectList.push_back(std::move(caption));
    }
    if (O.Buttons) {
        const std::pair<const char*, TStdCommand> buttons[] = {
            {"closebutton", cmClose}, {"maxbutton", cmMaximize}, {"minbutton", cmMinimize},
            {"rollupbutton", cmRollUp}};
        for (const auto& [name, command] : buttons) AddButton(S, name, command, O.ActivePictureIndex);
    }
    if (O.ClientMode) {
        S->RollUpPicture = Solid(kWidth, kRollUpHeight, kRollUp);
        Fill(S->RollUpPicture.get(), TRect(100, 4, 116, 20), kButton);
        S->RollUpMask = Solid(kWidth, kRollUpHeight, 0);
        Fill(S->RollUpMask.get(), TRect(0, 0, 3, 3), 0xFFFFFF);
        Fill(S->RollUpMask.get(), TRect(117, 0, 120, 3), 0xFFFFFF);
        S->RollUpLeftPoint = TPoint(20, 0);
        S->RollUpRightPoint = TPoint(100, 0);
        auto caption = std::make_unique<TskDataSkinCaption>("rollupcaption");
        caption->RollUp = true;
        caption->SkinRect = TRect(24, 4, 64, 20);
        caption->TextRect = TRect(2, 0, 38, 16);
        S->ObjectList.push_back(std::move(caption));
        auto unroll = std::make_unique<TskDataSkinStdButton>("unrollbutton");
        unroll->RollUp = true;
        unroll->Command = cmRollUp;
        unroll->SkinRect = TRect(100, 4, 116, 20);
        S->ObjectList.push_back(std::move(unroll));
        S->AddSkinArea("panelarea", kArea);
    }
    S->Empty = false;
}

} // namespace testskins

// Fixture skins for the skinned control tests: one picture in which every state
// rectangle of a record is one flat colour, so that any stretched image of a state is
// that colour all over.
#pragma once

#include "skin/data/SkinData.h"

#include "classlib/Paths.h"

#include "tests/support/GuiTestSupport.h"
#include "tests/support/UserInput.h"

#include <chrono>
#include <climits>
#include <functional>
#include <memory>

class TFixtureSkin {
public:
    TFixtureSkin() : Data(std::make_unique<TskSkinData>(nullptr)) {}

    // A new picture of W x H in clWhite; its index.
    int AddPicture(int W, int H) {
        auto picture = std::make_unique<TBitmap>(W, H);
        picture->SetPixelFormat(pf24bit);
        picture->GetCanvas()->GetBrush()->SetColor(clWhite);
        picture->GetCanvas()->FillRect(TRect(0, 0, W, H));
        Data->ActivePictures.push_back(std::move(picture));
        return static_cast<int>(Data->ActivePictures.size()) - 1;
    }
    void Fill(int Picture, const TRect& R, TColor Color) {
        TCanvas* canvas = Data->ActivePictures[static_cast<std::size_t>(Picture)]->GetCanvas();
        canvas->GetBrush()->SetColor(Color);
        canvas->FillRect(R);
    }
    // A record of class R named Name; the skin is no longer empty.
    template <typename R> R* Add(const char* Name) {
        auto record = std::make_unique<R>(Name);
        R* result = record.get();
        Data->CtrlList.push_back(std::move(record));
        Data->Empty = false;
        return result;
    }
    // A resizable record in Picture at SkinRect with 2-pixel edges.
    template <typename R> R* AddFramed(const char* Name, int Picture, const TRect& SkinRect) {
        R* record = Add<R>(Name);
        const int w = SkinRect.Right - SkinRect.Left;
        const int h = SkinRect.Bottom - SkinRect.Top;
        record->PictureIndex = Picture;
        record->SkinRect = SkinRect;
        record->LTPoint = TPoint(2, 2);
        record->RTPoint = TPoint(w - 2, 2);
        record->LBPoint = TPoint(2, h - 2);
        record->RBPoint = TPoint(w - 2, h - 2);
        record->ClRect = TRect(2, 2, w - 2, h - 2);
        return record;
    }

    std::unique_ptr<TskSkinData> Data;
};

// The bounding box of the window's region; empty without one.
inline TRect RegionBox(TWinControl* Control) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    RECT box{};
    if (GetWindowRgn(Control->GetHandle(), region) != ERROR) GetRgnBox(region, &box);
    DeleteObject(region);
    return TRect(box.left, box.top, box.right, box.bottom);
}

// The mouse messages a user's pointer sends to Control's window, handled at once. The real
// pointer goes there as well: the class library looks where the pointer really is, and puts
// out a hover that only a message lit.
inline void MouseMove(TWinControl* Control, int X, int Y) {
    PutPointer(Control, X, Y);
    SendMessageA(Control->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(X, Y));
}
inline void MouseDown(TWinControl* Control, int X, int Y) {
    MouseMove(Control, X, Y);
    SendMessageA(Control->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
}
inline void MouseUp(TWinControl* Control, int X, int Y) {
    SendMessageA(Control->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
}
// The pointer leaves the control (moved away while the control holds the mouse).
inline void MouseAway(TWinControl* Control) {
    MouseMove(Control, -20, -20);
}

// The bounds of the pixels of Picture that are not Background, offset by Origin; empty
// when there are none.
inline TRect InkOf(TBitmap* Picture, COLORREF Background, TPoint Origin = TPoint()) {
    TRect ink(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = 0; y < Picture->GetHeight(); ++y)
        for (int x = 0; x < Picture->GetWidth(); ++x)
            if (PixelOf(Picture, x, y) != Background) {
                ink.Left = std::min(ink.Left, x + Origin.X);
                ink.Top = std::min(ink.Top, y + Origin.Y);
                ink.Right = std::max(ink.Right, x + Origin.X + 1);
                ink.Bottom = std::max(ink.Bottom, y + Origin.Y + 1);
            }
    return ink.Left == INT_MAX ? TRect() : ink;
}

// The bounds of the pixels in which two pictures of one size differ, of those of A in Only
// when it is set; empty when none do.
inline TRect Differences(TBitmap* A, TBitmap* B, COLORREF Only = CLR_INVALID) {
    TRect ink(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = 0; y < A->GetHeight(); ++y)
        for (int x = 0; x < A->GetWidth(); ++x)
            if (PixelOf(A, x, y) != PixelOf(B, x, y) &&
                (Only == CLR_INVALID || PixelOf(A, x, y) == Only)) {
                ink.Left = std::min(ink.Left, x);
                ink.Top = std::min(ink.Top, y);
                ink.Right = std::max(ink.Right, x + 1);
                ink.Bottom = std::max(ink.Bottom, y + 1);
            }
    return ink.Left == INT_MAX ? TRect() : ink;
}
// A demo form of skinned controls, each in its looks side by side, for a screenshot that
// people look at.
class SkinDemoTest : public ShownFormTest {
protected:
    // A control on the form, named by its skin section (when given) before the skin sizes it.
    template <typename T>
    T* PlaceAt(int Left, int Top, int Width, int Height, const char* Section = nullptr) {
        T* control = new T(Form);
        control->SetParent(HostOfControls());
        if (Section) control->SetSkinDataName(Section);
        control->SetBounds(Left, Top, Width, Height);
        control->SetSkinData(Data);
        Controls.push_back(control);
        return control;
    }
    // The column of State is complete: the last column (3) shows its controls disabled.
    void EndColumn(int State) {
        if (State == 3)
            for (TControl* control : Controls) control->SetEnabled(false);
        Controls.clear();
    }
    // The form as the screen shows it, saved beside the test program.
    void Capture(const char* FileName) {
        Pump();
        CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + FileName);
        EXPECT_TRUE(Errors.empty());
        ReleaseCapture();
    }

    // Where PlaceAt puts the controls: Host, or the form itself when there is none.
    TWinControl* HostOfControls() const { return Host ? Host : Form; }

    TskSkinData* Data = nullptr;
    TWinControl* Host = nullptr;
    // The controls of the column being built.
    std::vector<TControl*> Controls;
};

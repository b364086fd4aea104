// The frame objects that show or set a value: a track bar, a two-state switch, frame
// strips (a gauge and a regulator turned by dragging), a frame animation that can act as a
// caption button, a bar gauge, a label drawn from a bitmap font and a text label.
//
// Degenerate skins are drawn safely: a strip of fewer than two frames, an empty range or
// a track whose ends coincide give the first frame, the least position and leave the
// value as it was; looks read from a missing picture are left out.
#pragma once

#include "skin/form/SkinForm_Objects.h"

#include "classlib/StringList.h"

enum TSwitchState { swOn, swOff };

// The integer nearest to X; an exact half goes to the even one.
int NearInt(double X);

// Creates the object that shows a form-object record; null for records the menus use and
// for unknown kinds.
std::unique_ptr<TskActiveSkinObject> CreateSkinObject(TskSkinForm* Parent, TskDataSkinObject* Data);

class TskSkinTrackBarObject : public TskActiveSkinObject {
    DECLARE_CLASS(TskSkinTrackBarObject, TskActiveSkinObject)
public:
    TskSkinTrackBarObject(TskSkinForm* AParent, TskDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseMove(int X, int Y) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;

    void SetValue(int V);
    void SimplySetValue(int V);
    TPoint CalcButtonPos(int V) const;
    int CalcValue() const;
    TRect CalcButtonRect(TPoint P) const;
    void SetButtonPos(TPoint P);

    TPoint ButtonPos;
    TPoint OldButtonPos;
    int Value = 0;
    bool ButtonDown = false;
    int OldX = 0, OldY = 0;
    bool Vertical = false;
    TRect ButtonRect, ActiveButtonRect;
    TPoint BeginPoint, EndPoint;
    int MinValue = 0, MaxValue = 0;
    bool MouseDownChangeValue = false;

private:
    TPoint Local(int X, int Y) const { return TPoint(X - ObjectRect.Left, Y - ObjectRect.Top); }
    void MoveTo(int V, bool AUpdate);
    void ValueChanged(bool AUpdate);
};

class TskSkinSwitchObject : public TskActiveSkinObject {
    DECLARE_CLASS(TskSkinSwitchObject, TskActiveSkinObject)
public:
    using TskActiveSkinObject::TskActiveSkinObject;

    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void SetState(TSwitchState S);
    void SimpleSetState(TSwitchState S);

    TSwitchState State = swOff;
};

// A strip of equal frames in the active picture, side by side or stacked.
class TskSkinFrameObject : public TskActiveSkinObject {
    DECLARE_CLASS(TskSkinFrameObject, TskActiveSkinObject)
public:
    TskSkinFrameObject(TskSkinForm* AParent, TskDataSkinObject* AData, int ACountFrames,
                       TFramesPlacement APlacement);

    void Draw(TCanvas* Cnvs, bool UpDate) override;

    int Frame = 1;
    int FrameWidth = 0, FrameHeight = 0;
    int CountFrames = 0;
    TFramesPlacement FramesPlacement = fpHorizontal;

protected:
    // The frame that shows Value in MinValue..MaxValue.
    int FrameOf(int Value, int MinValue, int MaxValue) const;
};

class TskSkinFrameGaugeObject : public TskSkinFrameObject {
    DECLARE_CLASS(TskSkinFrameGaugeObject, TskSkinFrameObject)
public:
    TskSkinFrameGaugeObject(TskSkinForm* AParent, TskDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void SetValue(int V);
    void SimplySetValue(int V);
    int CalcFrame() const { return FrameOf(Value, MinValue, MaxValue); }

    int Value = 0;
    int MinValue = 0, MaxValue = 0;

protected:
    bool HoverChangesLook() const override { return false; }
};

class TskSkinFrameRegulatorObject : public TskSkinFrameObject {
    DECLARE_CLASS(TskSkinFrameRegulatorObject, TskSkinFrameObject)
public:
    TskSkinFrameRegulatorObject(TskSkinForm* AParent, TskDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseMove(int X, int Y) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void SetValue(int V);
    void SimplySetValue(int V);
    // One value step when the pointer travelled a frame's worth since the last step.
    void CalcValue();
    int CalcFrame() const { return FrameOf(Value, MinValue, MaxValue); }

    int PixelStep = 0, ValueStep = 0;
    bool Down = false;
    int OldOffset = 0, CurrentOffset = 0;
    int TempValue = 0;
    int Value = 0;
    int MinValue = 0, MaxValue = 0;
    TRegulatorKind Kind = rkRound;

private:
    int Offset(int X, int Y) const;
};

class TskSkinAnimateObject : public TskActiveSkinObject {
    DECLARE_CLASS(TskSkinAnimateObject, TskActiveSkinObject)
public:
    TskSkinAnimateObject(TskSkinForm* AParent, TskDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void DblClick() override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    void Start();
    void Stop();
    // One 25 ms tick of the form's animation timer.
    void ChangeFrame();
    void SetFrame(int F);
    void DoCommand();
    void TrackMenu();

    int Frame = 1;
    int TimerCount = 25;
    int TimerInterval = 25;
    TMenuItem* MenuItem = nullptr;
    bool MenuPopupUp = false;
    int CountFrames = 0;
    bool Cycle = false;
    bool ButtonStyle = false;
    bool Increment = true;
    TStdCommand Command = cmClose;
};

class TskSkinGaugeObject : public TskActiveSkinObject {
    DECLARE_CLASS(TskSkinGaugeObject, TskActiveSkinObject)
public:
    TskSkinGaugeObject(TskSkinForm* AParent, TskDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void SetValue(int V);
    void SimplySetValue(int V);
    TPoint CalcProgressPos() const;

    TPoint ProgressPos, OldProgressPos;
    int Value = 0;
    int MinValue = 0, MaxValue = 0;
    TGaugeKind Kind = gkHorizontal;

protected:
    bool HoverChangesLook() const override { return false; }
};

class TskSkinBitLabelObject : public TskActiveSkinObject {
    DECLARE_CLASS(TskSkinBitLabelObject, TskActiveSkinObject)
public:
    TskSkinBitLabelObject(TskSkinForm* AParent, TskDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void SetTextValue(const AnsiString& S, bool AUpdate);

    AnsiString TextValue;
    int SymbolWidth = 0, SymbolHeight = 0;
    TStrings* Symbols = nullptr;
};

class TskSkinLabelObject : public TskActiveSkinObject {
    DECLARE_CLASS(TskSkinLabelObject, TskActiveSkinObject)
public:
    TskSkinLabelObject(TskSkinForm* AParent, TskDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void SetTextValue(const AnsiString& S, bool AUpdate);

    AnsiString TextValue;
    AnsiString FontName;
    TFontStyles FontStyle;
    int FontHeight = 0;
    TColor FontColor = 0, ActiveFontColor = 0;
    TAlignment Alignment = taLeftJustify;

protected:
    bool HoverChangesLook() const override;

private:
    std::unique_ptr<TBitmap> Image(bool ActiveBackground, bool ActiveText);
};

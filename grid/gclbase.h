// The grid library's component bases: the form-level controller with its command
// processor, timer pool and notification window; the process-wide default
// controller; the custom-control bases with an attached label, focus notices and
// a mouse-wheel event; and the attached label itself.
#pragma once

#include "classlib/Component.h"
#include "classlib/Controls.h"
#include "classlib/Messages.h"
#include "classlib/StdCtrls.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"
#include "grid/gclcmd.h"
#include "grid/gcltimer.h"

class TGclController;
class TGclAttachedLabel;

using TDelayNotifyEvent = TEvent<void(TObject* Sender, Word NotifyCode)>;
using TDataErrorEvent = TEvent<void(TObject* Sender, Word ErrorCode, const AnsiString& ErrorMsg)>;
using TGetEpochEvent = TEvent<void(TObject* Sender, int& Epoch)>;
using TIsSpecialControlEvent = TEvent<void(TObject* Sender, TWinControl* Control, bool& Special)>;
using TPostEditEvent = TEvent<void(TObject* Sender, TWinControl* GainingControl)>;
using TPreEditEvent = TEvent<void(TObject* Sender, TWinControl* LosingControl)>;
// Delta is signed: positive turns away from the user.
using TGclMouseWheelEvent =
    TEvent<void(TObject* Sender, TShiftState Shift, short Delta, Word XPos, Word YPos)>;
using TLabelAttachEvent = TEvent<void(TObject* Sender, bool Value)>;

enum TGclBaseEFOption {
    efoAutoAdvanceChar,
    efoAutoAdvanceLeftRight,
    efoAutoAdvanceUpDown,
    efoAutoSelect,
    efoBeepOnError,
    efoInsertPushes
};
using TGclBaseEFOptions = TSet<TGclBaseEFOption>;

// ---- Component bases --------------------------------------------------------

class TGclComponent : public TComponent {
    DECLARE_CLASS(TGclComponent, TComponent)
public:
    explicit TGclComponent(TComponent* AOwner) : TComponent(AOwner) {}
    AnsiString GetAbout() const;
    void SetAbout(const AnsiString&) {}
    static void Published(TPropertyList& P);
};

class TGcl32Component : public TComponent {
    DECLARE_CLASS(TGcl32Component, TComponent)
public:
    explicit TGcl32Component(TComponent* AOwner) : TComponent(AOwner) {}
    AnsiString GetAbout() const;
    void SetAbout(const AnsiString&) {}
    static void Published(TPropertyList& P);
};

class TGclGraphicControl : public TGraphicControl {
    DECLARE_CLASS(TGclGraphicControl, TGraphicControl)
public:
    explicit TGclGraphicControl(TComponent* AOwner) : TGraphicControl(AOwner) {}
    AnsiString GetAbout() const;
    void SetAbout(const AnsiString&) {}
    static void Published(TPropertyList& P);
};

// ---- Attached labels --------------------------------------------------------

// Where a control's caption label stands: the label's left edge at the control's
// left + OffsetX and its bottom edge at the control's top + OffsetY.
class TGclLabelInfo : public TPersistent {
    DECLARE_CLASS(TGclLabelInfo, TPersistent)
public:
    int GetOffsetX() const { return FOffsetX; }
    int GetOffsetY() const { return FOffsetY; }
    void SetOffsetX(int Value);
    void SetOffsetY(int Value);
    void SetOffsets(int X, int Y);
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    // The offsets are stored only while the label is visible.
    bool IsVisible() const { return FVisible; }

    TGclAttachedLabel* ALabel = nullptr;
    TNotifyEvent OnChange;
    TLabelAttachEvent OnAttach;

    static void Published(TPropertyList& P);

private:
    int FOffsetX = 0;
    int FOffsetY = 0;
    bool FVisible = false;
};

class TGclAttachedLabel : public TLabel {
    DECLARE_CLASS(TGclAttachedLabel, TLabel)
public:
    explicit TGclAttachedLabel(TComponent* AOwner);
    TGclAttachedLabel(TComponent* AOwner, TWinControl* AControl);

    TWinControl* GetControl() const { return FControl; }
    void SetControl(TWinControl* Value);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Loaded() override;
    static void Published(TPropertyList& P);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // Tells the labelled control where the label now stands.
    void SavePosition();

    TWinControl* FControl = nullptr;
};

// ---- Custom-control bases ---------------------------------------------------

class TGcl32CustomControl : public TCustomControl {
    DECLARE_CLASS(TGcl32CustomControl, TCustomControl)
public:
    explicit TGcl32CustomControl(TComponent* AOwner);
    ~TGcl32CustomControl() override;

    // Exception "Label not attached" while no label is shown.
    TGclAttachedLabel* GetAttachedLabel() const;
    TGclLabelInfo* GetLabelInfo() const { return FLabelInfo; }
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    AnsiString GetAbout() const;
    void SetAbout(const AnsiString&) {}

    TNotifyEvent AfterEnter;
    TNotifyEvent AfterExit;
    TGclMouseWheelEvent OnMouseWheel;

    static void Published(TPropertyList& P);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void DoOnMouseWheel(TShiftState Shift, short Delta, Word XPos, Word YPos);
    void LabelAttach(TObject* Sender, bool Value);
    void LabelChange(TObject* Sender);
    void PositionLabel();
    bool Loading() const { return GetComponentState().Contains(csLoading); }

    void WMSetFocus(TMessage& Msg);
    void WMKillFocus(TMessage& Msg);
    void WMMouseWheel(TMessage& Msg);
    void CMVisibleChanged(TMessage& Msg);
    void OMAfterEnter(TMessage& Msg);
    void OMAfterExit(TMessage& Msg);
    void OMAssignLabel(TMessage& Msg);
    void OMPositionLabel(TMessage& Msg);
    void OMRecordLabelPosition(TMessage& Msg);

    MESSAGE_HANDLERS(TGcl32CustomControl, TCustomControl)
    MESSAGE_HANDLER(WM_SETFOCUS, WMSetFocus)
    MESSAGE_HANDLER(WM_KILLFOCUS, WMKillFocus)
    MESSAGE_HANDLER(WM_MOUSEWHEEL, WMMouseWheel)
    MESSAGE_HANDLER(CM_VISIBLECHANGED, CMVisibleChanged)
    MESSAGE_HANDLER(32520, OMAfterEnter)
    MESSAGE_HANDLER(32521, OMAfterExit)
    MESSAGE_HANDLER(32523, OMPositionLabel)
    MESSAGE_HANDLER(32524, OMRecordLabelPosition)
    MESSAGE_HANDLER(32525, OMAssignLabel)
    END_MESSAGE_HANDLERS

private:
    // The offsets that the label's present place implies.
    void LabelOffsets(int& X, int& Y) const;

    TGclLabelInfo* FLabelInfo;
    bool FLabelBelow = false; // nothing sets it: the label stands above the control
};

// The same base for the library's other controls.
class TGclCustomControl : public TGcl32CustomControl {
    DECLARE_CLASS(TGclCustomControl, TGcl32CustomControl)
public:
    explicit TGclCustomControl(TComponent* AOwner) : TGcl32CustomControl(AOwner) {}
};

// A control that works with a controller: its form's, or the default one.
class TGclCustomControlEx : public TGclCustomControl {
    DECLARE_CLASS(TGclCustomControlEx, TGclCustomControl)
public:
    explicit TGclCustomControlEx(TComponent* AOwner) : TGclCustomControl(AOwner) {}

    // Controller, or the default controller when none is set.
    TGclController* GetController();
    bool ControllerAssigned() const { return FController != nullptr; }
    void SetController(TComponent* Value);

protected:
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TGclController* FController = nullptr;
};

// ---- Controller ---------------------------------------------------------------

class TGclController : public TGclComponent {
    DECLARE_CLASS(TGclController, TGclComponent)
public:
    explicit TGclController(TComponent* AOwner);
    ~TGclController() override;

    TGclBaseEFOptions EntryOptions{efoAutoSelect, efoBeepOnError, efoInsertPushes};
    bool ErrorPending = false;
    AnsiString ErrorText;
    bool InsertMode = true;

    TGclCommandProcessor* GetEntryCommands() const { return FEntryCommands; }
    TGclTimerPool* GetTimerPool() const { return FTimerPool; }
    TGclBaseEFOptions GetEntryOptions() const { return EntryOptions; }
    void SetEntryOptions(TGclBaseEFOptions Value) { EntryOptions = Value; }

    // The notification window, made on first use.
    HWND GetHandle();
    void DestroyHandle();
    bool HandleAllocated() const { return FHandle != nullptr; }

    void DoOnError(TObject* Sender, Word ErrorCode, const AnsiString& ErrorMsg);
    void DoOnPreEdit(TObject* Sender, TWinControl* LosingControl);
    void DoOnPostEdit(TObject* Sender, TWinControl* GainingControl);
    void DelayNotify(TObject* Sender, Word NotifyCode);
    void DoOnTimerTrigger(TObject* Sender, int Handle, Cardinal Interval, int ElapsedTime);
    int GetEpoch();
    // Only 1600 to 3999 are taken.
    void SetEpoch(int Value);
    bool IsSpecialButton(HWND Handle);

    TDelayNotifyEvent OnDelayNotify;
    TDataErrorEvent OnError;
    TGetEpochEvent OnGetEpoch;
    TIsSpecialControlEvent OnIsSpecialControl;
    TPostEditEvent OnPostEdit;
    TPreEditEvent OnPreEdit;
    TTriggerEvent OnTimerTrigger;

    static void Published(TPropertyList& P);

private:
    void cWndProc(TMessage& Msg);
    int StoredEpoch() const { return FEpoch; }

    TGclCommandProcessor* FEntryCommands;
    int FEpoch;
    HWND FHandle = nullptr;
    TGclTimerPool* FTimerPool;
};

// The first form or frame up the control's parent chain, or null.
TWinControl* GetImmediateParentForm(TControl* Control);
// The first component of Form that is a controller, or null.
TGclController* FindController(TWinControl* Form);
void ResolveController(TWinControl* Form, TGclController*& Controller);
// The process-wide controller, made on first use and freed at shut-down after the forms.
TGclController* DefaultController();

DECLARE_UNIT(gclbase)

// The grid library's component bases: the form-level controller with its command
// processor, timer pool and notification window; the process-wide default
// controller; the custom-control bases with an attached label, focus notices and
// a mouse-wheel event; and the attached label itself.
#pragma once

#include "classlib/Collection.h"
#include "classlib/Component.h"
#include "classlib/List.h"
#include "classlib/Controls.h"
#include "classlib/Messages.h"
#include "classlib/StdCtrls.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"
#include "grid/gclcmd.h"
#include "grid/gcltimer.h"

#include <vector>

class TGclController;
class TGclBaseEntryField;
class TGclAttachedLabel;
class TGclCollectionStreamer;

// The collections a component keeps, streamed as its children; made on first need.
class TGclStreamerSlot {
public:
    virtual ~TGclStreamerSlot();
    TGclCollectionStreamer* GetStreamer() const { return FStreamer; }
    TGclCollectionStreamer* NeedStreamer(TComponent* Owner);

protected:
    void StreamerChildren(TGetChildProc Proc);
    void StreamerLoaded();

private:
    TGclCollectionStreamer* FStreamer = nullptr;
};

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

class TGclComponent : public TComponent, public TGclStreamerSlot {
    DECLARE_CLASS(TGclComponent, TComponent)
public:
    explicit TGclComponent(TComponent* AOwner) : TComponent(AOwner) {}
    AnsiString GetAbout() const;
    void SetAbout(const AnsiString&) {}
    static void Published(TPropertyList& P);
    void GetChildren(TGetChildProc Proc, TComponent* Root) override;
    TComponent* GetChildOwner() override;
    void Loaded() override;
};

class TGcl32Component : public TComponent {
    DECLARE_CLASS(TGcl32Component, TComponent)
public:
    explicit TGcl32Component(TComponent* AOwner) : TComponent(AOwner) {}
    AnsiString GetAbout() const;
    void SetAbout(const AnsiString&) {}
    static void Published(TPropertyList& P);
};

class TGclGraphicControl : public TGraphicControl, public TGclStreamerSlot {
    DECLARE_CLASS(TGclGraphicControl, TGraphicControl)
public:
    explicit TGclGraphicControl(TComponent* AOwner) : TGraphicControl(AOwner) {}
    AnsiString GetAbout() const;
    void SetAbout(const AnsiString&) {}
    static void Published(TPropertyList& P);
    void GetChildren(TGetChildProc Proc, TComponent* Root) override;
    TComponent* GetChildOwner() override;
    void Loaded() override;
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

// The attached-label behaviour that the library's controls and edits share: attaching
// and freeing the label, keeping it beside the control, and the three label messages.
class TGclLabelHost {
public:
    explicit TGclLabelHost(TWinControl* AControl);
    ~TGclLabelHost();
    TGclLabelHost(const TGclLabelHost&) = delete;
    TGclLabelHost& operator=(const TGclLabelHost&) = delete;

    TGclLabelInfo* GetInfo() const { return FInfo; }
    // Exception "Label not attached" while no label is shown.
    TGclAttachedLabel* GetAttachedLabel() const;
    // Below: the label stands under the control instead of above it.
    bool GetBelow() const { return FBelow; }
    void SetBelow(bool Value);
    void Position();

    // For the control's handlers.
    void Removed(TComponent* AComponent);
    void VisibleChanged();
    void PositionMessage();
    void RecordPositionMessage();
    void AssignMessage(LPARAM Label);

private:
    bool Loading() const;
    void Attach(TObject* Sender, bool Value);
    void Changed(TObject* Sender);
    void Offsets(int& X, int& Y) const;

    TWinControl* FControl;
    TGclLabelInfo* FInfo;
    bool FBelow = false;
};

// ---- Custom-control bases ---------------------------------------------------

class TGcl32CustomControl : public TCustomControl {
    DECLARE_CLASS(TGcl32CustomControl, TCustomControl)
public:
    explicit TGcl32CustomControl(TComponent* AOwner);
    ~TGcl32CustomControl() override;

    // Exception "Label not attached" while no label is shown.
    TGclAttachedLabel* GetAttachedLabel() const;
    TGclLabelInfo* GetLabelInfo() const { return FLabels.GetInfo(); }
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
    void PositionLabel() { FLabels.Position(); }
    TGclLabelHost& Labels() { return FLabels; }
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
    TGclLabelHost FLabels;
};

// The same base for the library's other controls, which may keep collections.
class TGclCustomControl : public TGcl32CustomControl, public TGclStreamerSlot {
    DECLARE_CLASS(TGclCustomControl, TGcl32CustomControl)
public:
    explicit TGclCustomControl(TComponent* AOwner) : TGcl32CustomControl(AOwner) {}
    void GetChildren(TGetChildProc Proc, TComponent* Root) override;
    TComponent* GetChildOwner() override;
    void Loaded() override;
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
    // Shows Control and gives it the focus once the messages already waiting are handled
    // (om_FocusControl, carrying the control's window: a control freed meanwhile is passed by).
    void PostFocusControl(TWinControl* Control);
    void DoOnTimerTrigger(TObject* Sender, int Handle, Cardinal Interval, int ElapsedTime);
    int GetEpoch();
    // Only 1600 to 3999 are taken.
    void SetEpoch(int Value);
    bool IsSpecialButton(HWND Handle);

    // Entry fields among the owner form's components, searched depth first.
    void MarkAsUninitialized(bool Uninitialized);
    TGclBaseEntryField* ValidateEntryFields();
    // The first invalid visible, enabled field, or null; reports it and asks for the focus
    // on request (once: not while an error is pending). Stops at the first invalid field
    // unless both are false.
    TGclBaseEntryField* ValidateEntryFieldsEx(bool ReportError, bool ChangeFocus);
    // The same over Fields in order, visibility aside; always reports and moves the focus.
    TGclBaseEntryField* ValidateTheseEntryFields(const std::vector<TComponent*>& Fields);

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
// The controller a control starts its window with: at design time Current as the form
// resolves it; when none, the form's first controller, else (at run time) the default.
TGclController* ChooseController(TControl* Control, TGclController* Current);
// The process-wide controller, made on first use and freed at shut-down after the forms.
TGclController* DefaultController();

// ---- Collections ---------------------------------------------------------------

class TGclCollection;

// The collections of one component.
class TGclCollectionStreamer : public TObject {
    DECLARE_CLASS(TGclCollectionStreamer, TObject)
public:
    explicit TGclCollectionStreamer(TComponent* AOwner) : FOwner(AOwner) {}
    // The first collection whose item class Item belongs to; Exception "No
    // collection found for this type" when none.
    TGclCollection* CollectionFromType(TComponent* Item) const;
    // The items of every stored collection, in order: the owner's children.
    void GetChildren(TGetChildProc Proc) const;
    void Loaded();
    void Clear();
    TComponent* Owner() const { return FOwner; }

private:
    friend class TGclCollection;
    std::vector<TGclCollection*> FCollections;
    TComponent* FOwner;
};

using TItemSelectedEvent = TEvent<void(TObject* Sender, int Index)>;
using TGetEditorCaptionEvent = TEvent<void(TObject* Sender, AnsiString& Caption)>;

// A list of components of one class kept by a library component; the items are
// components on the form and stream as the owner's children.
class TGclCollection : public TPersistent {
    DECLARE_CLASS(TGclCollection, TPersistent)
public:
    // Owner must be a TGclComponent or a TGclCustomControl.
    TGclCollection(TComponent* AOwner, const TClassInfo* AItemClass);
    ~TGclCollection() override;

    // A new item of ItemClass owned by Owner; "Item class not set" without a class.
    TComponent* Add();
    // An index outside 0..Count appends.
    TComponent* Insert(int Index);
    void Delete(int Index);
    void Clear();
    TComponent* GetItem(int Index) const;
    void SetItem(int Index, TComponent* Value);
    int GetCount() const { return static_cast<int>(FItems.size()); }
    // Exact, case-sensitive name.
    TComponent* ItemByName(const AnsiString& Name) const;
    void Changed();
    void Loaded();
    TCustomForm* ParentForm() const;
    void DoOnItemSelected(int Index);
    AnsiString GetEditorCaption();
    // The design-time editor, owned; told of every change with message 32528.
    void SetItemEditor(TCustomForm* Editor) { FItemEditor = Editor; }

    const TClassInfo* ItemClass;
    bool Stored = true;
    TNotifyEvent OnChanged;
    TItemSelectedEvent OnItemSelected;
    TGetEditorCaptionEvent OnGetEditorCaption;

    TComponent* Owner() const { return FOwner; }
    int IndexOfItem(TComponent* Item) const;

private:
    friend class TGclCollectibleLink;
    void AddItem(TComponent* Item);
    void RemoveItem(TComponent* Item);
    void MoveItem(TComponent* Item, int Index);
    void RefreshEditor();

    TCustomForm* FItemEditor = nullptr;
    std::vector<TComponent*> FItems;
    TComponent* FOwner;
    TGclCollectionStreamer* FStreamer;
    bool FLoading = false;
    bool FLoaded = false;
    bool FChanging = false;
};

// What collectible items share: their collection and their place in it.
class TGclCollectibleLink {
public:
    explicit TGclCollectibleLink(TComponent* Self) : FSelf(Self) {}
    virtual ~TGclCollectibleLink() { LeaveCollection(); }

    TGclCollection* GetCollection() const { return FCollection; }
    // Leaves the collection it is in and joins Value; "Item incompatible with
    // collection" when Value does not take its class.
    void SetCollection(TGclCollection* Value);
    int GetIndex() const;
    // Moves the item within its collection.
    void SetIndex(int Value);
    // Joins the collection of CollectionOwner that takes the item's class.
    void JoinCollectionOf(TComponent* CollectionOwner);
    AnsiString GetDisplayText() const { return FSelf->ClassName(); }
    virtual AnsiString GetBaseName() const { return "CollectionItem"; }
    // The base name and the first number no component of the form bears (any case).
    void GenerateName();
    void Changed();

protected:
    // As JoinCollectionOf, for an item read from a form resource: bad data is a read error.
    void JoinFromResource(TComponent* CollectionOwner);
    void LeaveCollection();

    TComponent* FSelf;
    TGclCollection* FCollection = nullptr;
    bool FChanging = false;
};

class TGclCollectible : public TGclComponent, public TGclCollectibleLink {
    DECLARE_CLASS(TGclCollectible, TGclComponent)
public:
    explicit TGclCollectible(TComponent* AOwner) : TGclComponent(AOwner), TGclCollectibleLink(this) {}
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return FCollection != nullptr; }
    void SetParentComponent(TComponent* Value) override { JoinFromResource(Value); }
};

class TGclCollectibleControl : public TGclCustomControl, public TGclCollectibleLink {
    DECLARE_CLASS(TGclCollectibleControl, TGclCustomControl)
public:
    explicit TGclCollectibleControl(TComponent* AOwner)
        : TGclCustomControl(AOwner), TGclCollectibleLink(this) {}
    void SetParentComponent(TComponent* Value) override;
};

// The lighter form on the class library's TCollection.
class TGcl32CollectionItem : public TCollectionItem {
    DECLARE_CLASS(TGcl32CollectionItem, TCollectionItem)
public:
    explicit TGcl32CollectionItem(TCollection* Collection) : TCollectionItem(Collection) {}
    const AnsiString& GetName() const { return FName; }
    void SetName(const AnsiString& Value) { FName = Value; }
    AnsiString GetAbout() const;
    void SetAbout(const AnsiString&) {}
    static void Published(TPropertyList& P);

private:
    AnsiString FName;
};

class TGcl32Collection : public TCollection {
    DECLARE_CLASS(TGcl32Collection, TCollection)
public:
    TGcl32Collection(TPersistent* AOwner, const TClassInfo* AItemClass,
                     TCollectionItemFactory AItemFactory)
        : TCollection(AOwner, AItemClass, AItemFactory) {}
    ~TGcl32Collection() override;

    TCollectionItem* Add();
    // Exact, case-sensitive name.
    TGcl32CollectionItem* ItemByName(const AnsiString& Name) const;
    void Loaded();
    TCustomForm* ParentForm();
    void DoOnItemSelected(int Index);
    AnsiString GetEditorCaption();
    void SetItemEditor(TCustomForm* Editor) { FItemEditor = Editor; }

    TItemSelectedEvent OnItemSelected;
    TGetEditorCaptionEvent OnGetEditorCaption;

private:
    TCustomForm* FItemEditor = nullptr;
    bool FLoading = false;
    bool FLoaded = false;
};

// A list that owns the objects in it.
class TGcl32ContainerList : public TList {
    DECLARE_CLASS(TGcl32ContainerList, TList)
public:
    explicit TGcl32ContainerList(TComponent* AOwner) : FOwner(AOwner) {}
    ~TGcl32ContainerList() override;
    TComponent* Owner() const { return FOwner; }

private:
    TComponent* FOwner;
};

DECLARE_UNIT(gclbase)

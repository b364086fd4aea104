// Actions: a command (caption, enabled state, image, OnExecute) that controls link to, so
// that the controls follow the action and run it when clicked.
#pragma once

#include "classlib/Component.h"
#include "classlib/Events.h"
#include "classlib/ImageLists.h"
#include "classlib/UnitInit.h"

#include <functional>
#include <vector>

DECLARE_UNIT(ActnList)

class TCustomAction;

// A list of actions with the image list their ImageIndex refers to.
class TActionList : public TComponent {
    DECLARE_CLASS(TActionList, TComponent)
public:
    explicit TActionList(TComponent* AOwner) : TComponent(AOwner) {}
    static void Published(TPropertyList& P);

    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TCustomImageList* FImages = nullptr;
};

// The tie between one client and its action: the client hears every change of the action
// and runs it through the link.
class TActionLink {
public:
    using TChange = std::function<void(TCustomAction* Action)>;
    TActionLink(TCustomAction* Action, TChange OnChange);
    ~TActionLink();
    TActionLink(const TActionLink&) = delete;
    TActionLink& operator=(const TActionLink&) = delete;

    TCustomAction* GetAction() const { return FAction; }
    // Runs the action's OnExecute; false when there is none (or the action is disabled).
    bool Execute(TComponent* Target);

private:
    friend class TCustomAction;
    TCustomAction* FAction;
    TChange FOnChange;
};

class TCustomAction : public TComponent {
    DECLARE_CLASS(TCustomAction, TComponent)
public:
    explicit TCustomAction(TComponent* AOwner) : TComponent(AOwner) {}
    ~TCustomAction() override;
    static void Published(TPropertyList& P);

    TNotifyEvent OnExecute;

    const AnsiString& GetCaption() const { return FCaption; }
    void SetCaption(const AnsiString& Value);
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    TActionList* GetActionList() const { return FActionList; }
    void SetActionList(TActionList* Value);
    // Fires OnExecute (with the action as sender) when assigned and enabled.
    bool Execute();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TActionLink;
    void Changed();

    AnsiString FCaption;
    bool FEnabled = true;
    int FImageIndex = -1;
    TActionList* FActionList = nullptr;
    std::vector<TActionLink*> FLinks;
};

class TAction : public TCustomAction {
    DECLARE_CLASS(TAction, TCustomAction)
public:
    explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

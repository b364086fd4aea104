// The class library's edit with the grid library's controller reference and an
// attached caption label.
#pragma once

#include "classlib/Edits.h"
#include "classlib/UnitInit.h"
#include "grid/gclbase.h"

class TGclCustomEdit : public TCustomEdit {
    DECLARE_CLASS(TGclCustomEdit, TCustomEdit)
public:
    explicit TGclCustomEdit(TComponent* AOwner);

    TGclController* GetController() const { return FController; }
    bool ControllerAssigned() const { return FController != nullptr; }
    void SetController(TGclController* Value);
    TGclLabelInfo* GetLabelInfo() const { return FLabels.GetInfo(); }
    // Exception "Label not attached" while no label is shown.
    TGclAttachedLabel* GetAttachedLabel() const { return FLabels.GetAttachedLabel(); }
    TGclLabelHost& Labels() { return FLabels; }
    AnsiString GetAbout() const;
    void SetAbout(const AnsiString&) {}

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    static void Published(TPropertyList& P);

protected:
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    void CMVisibleChanged(TMessage& Msg);
    void OMPositionLabel(TMessage& Msg);
    void OMRecordLabelPosition(TMessage& Msg);
    void OMAssignLabel(TMessage& Msg);

    MESSAGE_HANDLERS(TGclCustomEdit, TCustomEdit)
    MESSAGE_HANDLER(CM_VISIBLECHANGED, CMVisibleChanged)
    MESSAGE_HANDLER(32523, OMPositionLabel)
    MESSAGE_HANDLER(32524, OMRecordLabelPosition)
    MESSAGE_HANDLER(32525, OMAssignLabel)
    END_MESSAGE_HANDLERS

private:
    TGclController* FController = nullptr;
    TGclLabelHost FLabels;
};

class TGclEdit : public TGclCustomEdit {
    DECLARE_CLASS(TGclEdit, TGclCustomEdit)
public:
    explicit TGclEdit(TComponent* AOwner) : TGclCustomEdit(AOwner) {}
};

DECLARE_UNIT(gcleditf)

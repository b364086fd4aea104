// Rich edits: the system's rich-text editor (the "RichEdit20A" class of riched20.dll, which is
// loaded with the first rich edit made), a memo whose lines are its paragraphs.
#pragma once

#include "classlib/Edits.h"

#include <functional>

DECLARE_UNIT(RichEdits)

using TRichEditProtectChangeEvent =
    TEvent<void(TObject* Sender, int StartPos, int EndPos, bool& AllowChange)>;
using TRichEditResizeEvent = TEvent<void(TObject* Sender, TRect Rect)>;
using TRichEditSaveClipboardEvent =
    TEvent<void(TObject* Sender, int NumObjects, int NumChars, bool& SaveClipboard)>;

class TCustomRichEdit : public TCustomMemo {
    DECLARE_CLASS(TCustomRichEdit, TCustomMemo)
public:
    explicit TCustomRichEdit(TComponent* AOwner);
    static void Published(TPropertyList& P);

    TNotifyEvent OnSelectionChange;
    // A change touches protected text: AllowChange (false when called) lets it through.
    TRichEditProtectChangeEvent OnProtectChange;
    // The text would fit in Rect.
    TRichEditResizeEvent OnResizeRequest;
    // The editor is going while the clipboard holds its text: SaveClipboard (true when
    // called) leaves it there.
    TRichEditSaveClipboardEvent OnSaveClipboard;

    // Of every paragraph.
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool GetHideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    // The text is taken as it is, never read as rich text.
    bool GetPlainText() const { return FPlainText; }
    void SetPlainText(bool Value);
    // Characters, not bytes: the editor keeps line breaks as one character.
    int GetTextLength();

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWindowHandle(const TCreateParams& Params) override;
    void CreateWnd() override;
    void LimitText() override;
    void WndProc(TMessage& Message) override;
    virtual void SelectionChange();

    void CNNotify(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);

    MESSAGE_HANDLERS(TCustomRichEdit, TCustomMemo)
    MESSAGE_HANDLER(CN_NOTIFY, CNNotify)
    MESSAGE_HANDLER(CM_COLORCHANGED, CMColorChanged)
    MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged)
    END_MESSAGE_HANDLERS

private:
    void ApplyAlignment();
    // The editor paints its background and its text's colour itself: it is told them.
    void ApplyColors();
    // Runs Change on the editor without any of its notifications.
    void Quietly(const std::function<void(HWND)>& Change);

    TAlignment FAlignment = taLeftJustify;
    bool FHideSelection = true;
    bool FPlainText = false;
};

class TRichEdit : public TCustomRichEdit {
    DECLARE_CLASS(TRichEdit, TCustomRichEdit)
public:
    explicit TRichEdit(TComponent* AOwner) : TCustomRichEdit(AOwner) {}
};

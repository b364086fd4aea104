// The skinned notebook: a stack of skinned pages of which one is shown, the pages'
// captions as a string list, and an optional column of page buttons stacked above and
// below the shown page in page order. The pages are stored in form resources as the
// notebook's children; the buttons are the notebook's own and never stored.
#pragma once

#include "skin/controls/SkinCtrls_Panels.h"
#include "skin/controls/SkinCtrls_SpeedButtons.h"

#include "classlib/ImageLists.h"
#include "classlib/StringList.h"

#include <memory>
#include <vector>

DECLARE_UNIT(SkinCtrls_Notebooks)

class TskSkinNotebook;

// A page of a notebook: a panel without a frame that fills the notebook while shown.
class TskSkinPage : public TskSkinPanel {
    DECLARE_CLASS(TskSkinPage, TskSkinPanel)
public:
    explicit TskSkinPage(TComponent* AOwner);
    // Leaves its notebook's page list.
    ~TskSkinPage() override;
    static void Published(TPropertyList& P);

    // The image of its page button; -1 for none.
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    // The notebook whose page list holds the page; null for none.
    TskSkinNotebook* GetNotebook() const { return FNotebook; }
    // Read under a notebook, the page joins its page list.
    void ReadState(TReader* Reader) override;

protected:
    void WMNCHitTest(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinPage, TskSkinPanel)
    MESSAGE_HANDLER(WM_NCHITTEST, WMNCHitTest)
    END_MESSAGE_HANDLERS

private:
    friend class TskSkinNotebook;
    TskSkinNotebook* FNotebook = nullptr;
    int FImageIndex = -1;
};

// A button that shows its page.
class TskPageButton : public TskSkinSpeedButton {
    DECLARE_CLASS(TskPageButton, TskSkinSpeedButton)
public:
    TskPageButton(TComponent* AOwner, TskSkinNotebook* Notebook, int Index);
    ~TskPageButton() override;

    int GetPageIndex() const { return FIndex; }
    // Shows the page, then clicks.
    void ButtonClick() override;

private:
    friend class TskSkinNotebook;
    TskSkinNotebook* FNotebook;
    int FIndex;
};

// The captions of a notebook's pages: adding a line adds a page, deleting one frees it.
class TskPageAccess : public TStrings {
    DECLARE_CLASS(TskPageAccess, TStrings)
public:
    explicit TskPageAccess(TskSkinNotebook* Notebook) : FNotebook(Notebook) {}

    int GetCount() const override;
    AnsiString Get(int Index) const override;
    // The page itself.
    TObject* GetObject(int Index) const override;
    void Put(int Index, const AnsiString& S) override;
    // A new page with caption S, shown.
    int Add(const AnsiString& S) override;
    void Insert(int Index, const AnsiString& S) override;
    void Delete(int Index) override;
    void Clear() override;
    // The pages themselves move, with what they hold.
    void Move(int CurIndex, int NewIndex) override;
    void Exchange(int Index1, int Index2) override;

protected:
    void SetUpdateState(bool) override {}

private:
    TskSkinNotebook* FNotebook;
};

class TskSkinNotebook : public TskSkinPanel {
    DECLARE_CLASS(TskSkinNotebook, TskSkinPanel)
public:
    explicit TskSkinNotebook(TComponent* AOwner);
    ~TskSkinNotebook() override;
    static void Published(TPropertyList& P);

    TNotifyEvent OnPageChanged;

    // The page captions; assigning replaces every page.
    TStrings* GetPages() const { return FAccess.get(); }
    void SetPages(TStrings* Value);
    int GetPageCount() const { return static_cast<int>(FPageList.size()); }
    TskSkinPage* GetPage(int Index) const;
    // The shown page; -1 when there is none.
    int GetPageIndex() const { return FPageIndex; }
    // Shows page Value; an index out of range or the shown one changes nothing.
    void SetPageIndex(int Value);
    // The caption of the shown page; setting shows the first page of that caption.
    AnsiString GetActivePage() const;
    void SetActivePage(const AnsiString& Value);
    bool GetButtonsMode() const { return FButtonsMode; }
    void SetButtonsMode(bool Value);
    const AnsiString& GetButtonSkinDataName() const { return FButtonSkinDataName; }
    void SetButtonSkinDataName(const AnsiString& Value);
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int GetButtonCount() const { return static_cast<int>(FButtons.size()); }
    TskPageButton* GetButton(int Index) const { return FButtons[static_cast<std::size_t>(Index)]; }

    // The shown page and the buttons take the same skin.
    void SetSkinData(TskSkinData* Value) override;
    // The page list is what was read: the page the notebook was made with goes, and a
    // child that is no page is refused.
    void ReadState(TReader* Reader) override;
    // The pages, in order.
    void GetChildren(TGetChildProc Proc, TComponent* Root) override;
    // A page to be shown is selected; the notebook then asks to be shown itself.
    void ShowControl(TControl* AControl) override;

protected:
    friend class TskSkinPage;
    friend class TskPageButton;
    friend class TskPageAccess;

    void CreateParams(TCreateParams& Params) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // A new page with caption S at Index, shown.
    int InsertPage(int Index, const AnsiString& S);
    void DeletePage(int Index);
    void ClearPages();
    void MovePage(int CurIndex, int NewIndex);
    void ExchangePages(int Index1, int Index2);
    void SetPageCaption(int Index, const AnsiString& S);
    // Frees every page and button at once, with nothing shown afterwards.
    void FreePagesAndButtons();
    // A page read under the notebook joins the list.
    void AdoptPage(TskSkinPage* Page);
    // A page that goes leaves the list.
    void ForgetPage(TskSkinPage* Page);
    // After pages changed places: the shown page stays shown.
    void PagesMoved();
    // After pages went: page 0 is shown, or none when none is left.
    void PagesRemoved();
    // Shows page Index (in range) and hides every other page.
    void ShowPage(int Index);
    // The buttons stack above the shown page up to its own and below it from the next.
    void RealignButtons();
    // Frees the buttons and, in ButtonsMode, makes one per page.
    void UpdateButtons();
    void UpdateButton(int Index);
    void CheckPageIndex(int Index) const;

    std::vector<TskSkinPage*> FPageList;
    std::unique_ptr<TskPageAccess> FAccess;
    std::vector<TskPageButton*> FButtons;
    int FPageIndex = -1;
    TskSkinPage* FShown = nullptr;
    bool FButtonsMode = false;
    AnsiString FButtonSkinDataName = "toolbutton";
    TCustomImageList* FImages = nullptr;
    // Set while pages are freed together: their leaving changes nothing else yet.
    bool FRemovingPages = false;
};

// Makes the window of every page of Notebook (nothing for null) without laying out the
// pages' children, so that hidden pages have their windows before they are first shown.
void NotebookHandlesNeeded(TskSkinNotebook* Notebook);

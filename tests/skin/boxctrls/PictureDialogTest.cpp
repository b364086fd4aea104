// The picture dialogs and the button edits on a temporary folder of sample pictures,
// scripted in-process: each run acts on the shown form from inside its modal loop, so that
// no test blocks. The screenshot picturedialog.bmp shows the dialog on the program's skin.
#include "skin/boxctrls/skSkinShellCtrls_FileEdits.h"
#include "skin/boxctrls/skSkinShellCtrls_PictureDialogs.h"
#include "skin/data/SkinData.h"

#include "classlib/Paths.h"

#include "tests/support/GuiTestSupport.h"
#include "tests/support/MetafileSamples.h"
#include "tests/support/ScreenText.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace {

class PictureDialog : public testing::Test, protected TTempFolder {
protected:
    void SetUp() override {
        Application->OnException = TExceptionEvent::FromCallable(
            [this](TObject*, const std::exception& E) { Errors.push_back(E.what()); });
        ASSERT_TRUE(ForceDirectories(PathOf("Pictures")));
        Data = IncludeTrailingPathDelimiter(PathOf("Pictures"));
        SaveBitmap("big.bmp", 400, 300);
        SaveBitmap("small.bmp", 40, 30);
        Put("Pictures\\square.emf", EnhancedMetafileBytes(40));
        Put("Pictures\\square.wmf", WindowsMetafileBytes(true, 40));
        Put("Pictures\\broken.bmp", "BM this is no bitmap");
        Put("Pictures\\notes.xyz", "plain text");
    }
    void TearDown() override {
        Application->OnIdle = nullptr;
        Application->OnException = nullptr;
        SetCurrentDir(ExeDir());
    }
    // A picture W x H: blue at its top-left corner, yellow at its bottom-right, red between.
    void SaveBitmap(const char* Name, int W, int H) {
        TBitmap bitmap(W, H);
        bitmap.SetPixelFormat(pf24bit);
        TCanvas* c = bitmap.GetCanvas();
        c->GetBrush()->SetColor(clRed);
        c->FillRect(TRect(0, 0, W, H));
        c->GetBrush()->SetColor(clBlue);
        c->FillRect(TRect(0, 0, 10, 10));
        c->GetBrush()->SetColor(clYellow);
        c->FillRect(TRect(W - 10, H - 10, W, H));
        bitmap.SaveToFile(Data + Name);
    }

    // Runs Dialog; Script acts once the form shows, and the form is closed when it is still
    // open afterwards.
    template <typename D, typename F> bool Run(D& Dialog, std::function<void(F*)> Script) {
        Application->OnIdle = TIdleEvent::FromCallable([&Dialog, Script](TObject*, bool& Done) {
            const std::function<void(F*)> act = Script;
            auto* form = static_cast<F*>(Dialog.Dlg);
            if (!form || !form->GetVisible()) return;
            Application->OnIdle = nullptr;
            act(form);
            if (form->GetModalResult() == mrNone) PostMessageA(form->GetHandle(), WM_CLOSE, 0, 0);
            Done = false;
        });
        return Dialog.Execute();
    }
    bool RunPicture(TskSkinOpenPictureDialog& Dialog, std::function<void(TskOpenPictureDlgForm*)> Script) {
        return Run<TskSkinOpenPictureDialog, TskOpenPictureDlgForm>(Dialog, std::move(Script));
    }
    static void Select(TskOpenPictureDlgForm* F, const AnsiString& Caption) {
        TskSkinFileListView* list = F->FLV;
        for (int i = 0; i < list->GetItemCount(); ++i)
            if (list->GetItemCaption(i) == Caption) {
                list->SelectItem(i);
                Pump();
                return;
            }
        ADD_FAILURE() << "no item " << Caption;
    }
    static void ClickStretch(TskOpenPictureDlgForm* F) {
        TskSkinSpeedButton* b = F->StretchButton;
        PostClick(F->ToolPanel, b->GetLeft() + b->GetWidth() / 2, b->GetTop() + b->GetHeight() / 2);
    }

    AnsiString Data;
    std::vector<std::string> Errors;
    TskSkinOpenPictureDialog Open{nullptr};
};

TEST_F(PictureDialog, FirstRunLayoutWithoutSkin) {
    EXPECT_EQ(Open.GetTitle(), "Open picture");
    EXPECT_EQ(Open.GetFilterIndex(), 1);
    Open.SetInitialDir(Data);
    EXPECT_FALSE(RunPicture(Open, [&](TskOpenPictureDlgForm* F) {
        EXPECT_EQ(F->GetCaption(), "Open picture");
        EXPECT_EQ(F->GetClientWidth(), 600);
        EXPECT_EQ(F->GetClientHeight(), 300);
        EXPECT_EQ(F->PreviewPanel->GetWidth(), 200);
        EXPECT_EQ(F->PreviewPanel->GetAlign(), alRight);
        EXPECT_EQ(F->PreviewPanel->GetLeft() + 200, F->GetClientWidth());
        EXPECT_EQ(F->PreviewSplitter->GetLeft() + 10, F->PreviewPanel->GetLeft());
        EXPECT_EQ(F->DTVPanel->GetWidth(), 150);
        EXPECT_EQ(F->BackToolButton->GetWidth(), 75);
        EXPECT_FALSE(F->StretchButton->GetDown());
        EXPECT_EQ(F->StretchButton->GetGroupIndex(), 2);
        EXPECT_TRUE(F->StretchButton->GetAllowAllUp());
        // The tool bar's right group ends with the divider and the stretch button.
        EXPECT_EQ(F->StretchButton->GetLeft() + F->StretchButton->GetWidth(), F->ToolPanel->GetClientWidth());
        EXPECT_EQ(F->StretchDivider->GetLeft() + F->StretchDivider->GetWidth(), F->StretchButton->GetLeft());
        EXPECT_LT(F->StyleButton(vsReport)->GetLeft(), F->StretchDivider->GetLeft());
        // The "All" filter lists the pictures only.
        std::vector<AnsiString> names;
        for (int i = 0; i < F->FLV->GetItemCount(); ++i) names.push_back(F->FLV->GetItemCaption(i));
        EXPECT_EQ(std::count(names.begin(), names.end(), AnsiString("notes.xyz")), 0);
        EXPECT_EQ(std::count(names.begin(), names.end(), AnsiString("square.emf")), 1);
    }));
    TskSkinSavePictureDialog save(nullptr);
    EXPECT_EQ(save.GetTitle(), "Save picture");
    EXPECT_TRUE(save.SaveMode);
}

TEST_F(PictureDialog, ABitmapShowsAtItsOwnSizeScrollableStretchedByTheButtonAndTheStateIsKept) {
    Open.SetInitialDir(Data);
    EXPECT_FALSE(RunPicture(Open, [&](TskOpenPictureDlgForm* F) {
        Select(F, "big.bmp");
        EXPECT_EQ(F->Edit->GetText(), "big.bmp");
        EXPECT_EQ(F->Image->GetWidth(), 400);
        EXPECT_EQ(F->Image->GetHeight(), 300);
        EXPECT_TRUE(F->PreviewVScrollBar->GetVisible()) << "taller than the pane";
        EXPECT_TRUE(F->PreviewHScrollBar->GetVisible());
        // The preview's bar scrolls the picture: its bottom-right corner comes into view.
        F->PreviewScrollBox->VScroll(1000);
        F->PreviewScrollBox->HScroll(1000);
        EXPECT_EQ(F->Image->GetTop() + 300, F->PreviewScrollBox->GetClientHeight());
        EXPECT_EQ(F->Image->GetLeft() + 400, F->PreviewScrollBox->GetClientWidth());

        ClickStretch(F);
        EXPECT_TRUE(F->StretchButton->GetDown());
        EXPECT_TRUE(F->Image->GetStretch());
        EXPECT_EQ(F->Image->GetAlign(), alClient);
        EXPECT_EQ(F->Image->GetWidth(), F->PreviewScrollBox->GetClientWidth());
        EXPECT_FALSE(F->PreviewVScrollBar->GetVisible()) << "the picture fits the pane";
        // Another file keeps the stretched look.
        Select(F, "small.bmp");
        EXPECT_EQ(F->Image->GetWidth(), F->PreviewScrollBox->GetClientWidth());

        ClickStretch(F);
        EXPECT_FALSE(F->StretchButton->GetDown()) << "all up is allowed";
        EXPECT_FALSE(F->Image->GetStretch());
        EXPECT_EQ(F->Image->GetWidth(), 40);
        EXPECT_EQ(F->Image->GetHeight(), 30);
        ClickStretch(F);
        F->PreviewPanel->SetWidth(240);
        PostKey(F, VK_ESCAPE);
    }));
    EXPECT_TRUE(Open.PreviewStretched);
    EXPECT_EQ(Open.PreviewWidth, 240);
    EXPECT_FALSE(RunPicture(Open, [&](TskOpenPictureDlgForm* F) {
        EXPECT_TRUE(F->StretchButton->GetDown()) << "as last left";
        EXPECT_EQ(F->Image->GetAlign(), alClient);
        EXPECT_EQ(F->PreviewPanel->GetWidth(), 240);
    }));
    EXPECT_TRUE(Errors.empty());
}

TEST_F(PictureDialog, MetafilesShowAndFilesTheLoaderRefusesReachTheApplicationAndTheDialogStays) {
    Open.SetFilter("Any (*.*)|*.*");
    Open.SetInitialDir(Data);
    EXPECT_TRUE(RunPicture(Open, [&](TskOpenPictureDlgForm* F) {
        Select(F, "square.emf");
        EXPECT_GT(F->Image->GetWidth(), 0);
        EXPECT_FALSE(F->Image->GetPicture()->GetGraphic() == nullptr);
        Select(F, "square.wmf");
        EXPECT_GT(F->Image->GetWidth(), 0);
        ASSERT_TRUE(Errors.empty()) << Errors.front();

        Select(F, "notes.xyz");
        ASSERT_EQ(Errors.size(), 1u);
        EXPECT_NE(Errors[0].find(".xyz"), std::string::npos) << Errors[0];
        EXPECT_TRUE(F->GetVisible()) << "the dialog stays open";
        EXPECT_EQ(F->Edit->GetText(), "notes.xyz");
        EXPECT_EQ(F->Image->GetWidth(), 0) << "no other file's picture for this one";

        Select(F, "broken.bmp");
        EXPECT_EQ(Errors.size(), 2u);
        EXPECT_TRUE(F->GetVisible());
        // The next good file shows again and is accepted with the Open button.
        Select(F, "small.bmp");
        EXPECT_EQ(F->Image->GetWidth(), 40);
        PostClick(F->OpenButton, 10, 10);
    }));
    EXPECT_EQ(Open.GetFileName(), Data + "small.bmp");
    Errors.clear();
}

TEST_F(PictureDialog, ANameWithItsFolderIsSelectedAndPreviewedAtTheStart) {
    Open.SetFileName(Data + "small.bmp");
    EXPECT_FALSE(RunPicture(Open, [&](TskOpenPictureDlgForm* F) {
        EXPECT_EQ(F->FLV->GetItemCaption(F->FLV->GetSelectedIndex()), "small.bmp");
        EXPECT_EQ(F->Image->GetWidth(), 40);
        EXPECT_EQ(F->Image->GetHeight(), 30);
    }));
}

// The narrow folder pane shows the name of the current folder, however deep it lies.
TEST_F(PictureDialog, TheNarrowPaneShowsTheCurrentFoldersName) {
    Open.SetFileName(Data + "small.bmp");
    RunPicture(Open, [&](TskOpenPictureDlgForm* F) {
        TskSkinDirTreeView* tree = F->DTV;
        TTreeNode node = tree->GetSelected();
        ASSERT_NE(node, nullptr);
        ASSERT_EQ(tree->GetNodeText(node), "Pictures");
        RECT label{};
        std::memcpy(&label, &node, sizeof node);
        ASSERT_TRUE(SendMessageA(tree->GetHandle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label)));
        EXPECT_GE(label.left, 0);
        EXPECT_LE(label.right, tree->GetClientWidth()) << "the name ends outside the pane";
        const TPoint corner = tree->ClientToScreen(TPoint(label.left, label.top));
        const TShot shown = Grab(RECT{corner.X, corner.Y, corner.X + label.right - label.left,
                                      corner.Y + label.bottom - label.top});
        TFont* font = tree->GetFont();
        EXPECT_TRUE(ShowsWhole(shown, "Pictures",
                               {font->GetName().c_str(), font->GetHeight(), font->GetStyle().Contains(fsBold)}));
    });
}

TEST_F(PictureDialog, ScreenshotOnTheProgramsSkinWithAPictureSelected) {
    TskSkinData skin(nullptr);
    skin.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(skin.Empty);
    Open.SetSkinData(&skin);
    Open.SetCtrlSkinData(&skin);
    Open.SetFileName(Data + "big.bmp");
    EXPECT_FALSE(RunPicture(Open, [&](TskOpenPictureDlgForm* F) {
        F->PreviewScrollBox->VScroll(40);
        Pump();
        CaptureWindow(F->GetHandle())->SaveToFile(ExeDir() + "picturedialog.bmp");
        EXPECT_TRUE(F->PreviewVScrollBar->GetVisible());
    }));
    EXPECT_TRUE(Errors.empty());
}

// ---- The button edits -----------------------------------------------------------------------

class ButtonEdit : public PictureDialog {
protected:
    // The user's click on the edit's button, at the right end of its window.
    static void ClickButton(TskSkinEdit* Edit) {
        RECT w;
        GetWindowRect(Edit->GetHandle(), &w);
        const TPoint at((w.right - 8), (w.top + w.bottom) / 2);
        PointerTo(at);
        // Queued together, without waiting: the click may open a dialog of its own.
        SendMouseInput(MOUSEEVENTF_LEFTDOWN, at);
        SendMouseInput(MOUSEEVENTF_LEFTUP, at);
    }
    void SetUp() override {
        PictureDialog::SetUp();
        Form = new TForm(nullptr);
        Form->SetBounds(50, 50, 400, 200);
        Form->Show();
        Pump();
    }
    void TearDown() override {
        delete Form;
        PictureDialog::TearDown();
    }
    // Clicks the button of Edit; Script acts on the dialog's form once it shows.
    template <typename F> bool ClickAndRun(TskSkinEdit* Edit, std::function<TComponent*()> Dlg,
                                           std::function<void(F*)> Script) {
        bool ran = false;
        Application->OnIdle = TIdleEvent::FromCallable([&ran, Dlg, Script](TObject*, bool& Done) {
            auto* form = dynamic_cast<F*>(Dlg());
            if (!form || !form->GetVisible()) return;
            // Clearing the event frees this closure: what runs afterwards is a copy.
            const std::function<void(F*)> act = Script;
            bool& done = ran;
            Application->OnIdle = nullptr;
            done = true;
            act(form);
            if (form->GetModalResult() == mrNone) PostMessageA(form->GetHandle(), WM_CLOSE, 0, 0);
            Done = false;
        });
        EXPECT_TRUE(TakeFocus(Edit));
        ClickButton(Edit);
        return PumpUntil([&] { return ran && !Dlg(); });
    }

    TForm* Form = nullptr;
};

TEST_F(ButtonEdit, TheFileEditOpensItsDialogInTheTextsFolderAndTakesTheChosenName) {
    auto* edit = new TskSkinFileEdit(Form);
    edit->SetParent(Form);
    edit->SetBounds(10, 10, 250, 21);
    EXPECT_EQ(edit->GetText(), "") << "the component's name is no text";
    EXPECT_TRUE(edit->GetButtonMode());
    EXPECT_EQ(edit->GetSkinDataName(), "buttonedit");
    edit->SetFilter("Bitmaps|*.bmp");
    EXPECT_EQ(edit->GetDialog()->GetFilter(), "Bitmaps|*.bmp");
    edit->SetText(Data + "small.bmp");
    auto dlg = [edit]() -> TComponent* { return edit->GetDialog()->Dlg; };
    ASSERT_TRUE(ClickAndRun<TskOpenDlgForm>(edit, dlg, [&](TskOpenDlgForm* F) {
        EXPECT_EQ(F->FLV->GetDirectory(), Data);
        EXPECT_EQ(F->Edit->GetText(), "small.bmp");
        F->SetClientWidth(560);
        PostKey(F, VK_ESCAPE);
    }));
    EXPECT_EQ(edit->GetText(), Data + "small.bmp") << "Cancel leaves the text";
    ASSERT_TRUE(ClickAndRun<TskOpenDlgForm>(edit, dlg, [&](TskOpenDlgForm* F) {
        EXPECT_EQ(F->GetClientWidth(), 560) << "the owned dialog keeps its size between clicks";
        F->Edit->SetText("big.bmp");
        PostClick(F->OpenButton, 10, 10);
    }));
    EXPECT_EQ(edit->GetText(), Data + "big.bmp");
}

TEST_F(ButtonEdit, TheSaveEditTakesANewNameAndTheDirectoryEditAFolder) {
    auto* save = new TskSkinSaveFileEdit(Form);
    save->SetParent(Form);
    save->SetBounds(10, 10, 250, 21);
    EXPECT_TRUE(save->GetDialog()->SaveMode);
    save->SetText(Data + "new.bmp");
    ASSERT_TRUE(ClickAndRun<TskOpenDlgForm>(save, [save]() -> TComponent* { return save->GetDialog()->Dlg; },
                                            [&](TskOpenDlgForm* F) {
                                                F->Edit->SetText("other.bmp");
                                                PostClick(F->OpenButton, 10, 10);
                                            }));
    EXPECT_EQ(save->GetText(), Data + "other.bmp");

    auto* folder = new TskSkinDirectoryEdit(Form);
    folder->SetParent(Form);
    folder->SetBounds(10, 50, 250, 21);
    folder->SetText(ExcludeTrailingPathDelimiter(Data));
    auto dlg = [folder]() -> TComponent* { return folder->GetDialog()->Dlg; };
    ASSERT_TRUE(ClickAndRun<TForm>(folder, dlg, [&](TForm* F) { PostKey(F, VK_ESCAPE); }));
    EXPECT_EQ(folder->GetText(), ExcludeTrailingPathDelimiter(Data)) << "Cancel leaves the text";
}

} // namespace

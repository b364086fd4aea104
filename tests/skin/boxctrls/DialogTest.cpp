// The open and save dialogs on a temporary folder of drive C:, scripted in-process: each run
// acts on the shown form with real key and mouse messages from inside its modal loop.
#include "skin/boxctrls/skSkinShellCtrls_Dialogs.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinData_Controls.h"

#include "tests/support/GuiTestSupport.h"
#include "tests/support/ScreenText.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UserInput.h"

#include "classlib/Paths.h"

#include <functional>

namespace {

class FileDialog : public testing::Test, protected TTempFolder {
protected:
    void SetUp() override {
        ASSERT_TRUE(ForceDirectories(PathOf("Data\\Sub")));
        Put("Data\\a.pge", "[Type]\r\nCommonType=0\r\n");
        Put("Data\\b.txt", "b");
        Data = IncludeTrailingPathDelimiter(PathOf("Data"));
    }
    void TearDown() override {
        Application->OnIdle = nullptr;
        SetCurrentDir(ExeDir());
    }

    // Runs Dialog; Script acts once the form shows, and the form is closed when it is
    // still open afterwards.
    bool Run(TskSkinOpenDialog& Dialog, std::function<void(TskOpenDlgForm*)> Script) {
        Application->OnIdle = TIdleEvent::FromCallable([&Dialog, Script](TObject*, bool& Done) {
            const std::function<void(TskOpenDlgForm*)> act = Script;
            TskOpenDlgForm* form = Dialog.Dlg;
            if (!form || !form->GetVisible()) return;
            Application->OnIdle = nullptr;
            act(form);
            if (form->GetModalResult() == mrNone) PostMessageA(form->GetHandle(), WM_CLOSE, 0, 0);
            // The modal loop looks at the result only after a message: it must not wait.
            Done = false;
        });
        return Dialog.Execute();
    }
    static void Type(TskOpenDlgForm* F, const AnsiString& Text) {
        F->Edit->SetText(Text);
        ASSERT_TRUE(TakeFocus(F->Edit));
        PostKey(F->Edit, VK_RETURN);
    }
    static std::vector<AnsiString> Captions(TskSkinFileListView* List) {
        std::vector<AnsiString> names;
        for (int i = 0; i < List->GetItemCount(); ++i) names.push_back(List->GetItemCaption(i));
        return names;
    }
    // Every window of the form, so that a test can see that none went.
    static std::vector<HWND> Windows(TskOpenDlgForm* F) {
        std::vector<HWND> windows;
        EnumChildWindows(F->GetHandle(), [](HWND Wnd, LPARAM List) {
            reinterpret_cast<std::vector<HWND>*>(List)->push_back(Wnd);
            return TRUE;
        }, reinterpret_cast<LPARAM>(&windows));
        return windows;
    }
    static void ExpectAlive(const std::vector<HWND>& Windows) {
        for (HWND wnd : Windows) EXPECT_TRUE(IsWindow(wnd)) << wnd;
    }
    static int DifferentPixels(TBitmap* A, TBitmap* B) {
        int count = 0;
        for (int y = 0; y < A->GetHeight(); ++y)
            for (int x = 0; x < A->GetWidth(); ++x) count += PixelOf(A, x, y) != PixelOf(B, x, y);
        return count;
    }
    static int IndexOf(TskSkinFileListView* List, const AnsiString& Caption) {
        for (int i = 0; i < List->GetItemCount(); ++i)
            if (List->GetItemCaption(i) == Caption) return i;
        return -1;
    }

    AnsiString Data;
    TskSkinOpenDialog Open{nullptr};
    TskSkinSaveDialog Save{nullptr};
};

TEST_F(FileDialog, FirstRunLayoutAndTheStateRememberedAfterCancel) {
    Open.SetFilter("Page Files (*.pge)|*.PGE|Any File(*.*)|*.*");
    Open.SetFileName("a.pge");
    EXPECT_FALSE(Run(Open, [&](TskOpenDlgForm* F) {
        EXPECT_EQ(F->GetCaption(), "Open file");
        EXPECT_EQ(F->GetClientWidth(), 500);
        EXPECT_EQ(F->GetClientHeight(), 300);
        EXPECT_EQ(F->DTVPanel->GetWidth(), 200);
        EXPECT_EQ(F->FLV->GetViewStyle(), vsList);
        EXPECT_TRUE(F->ListToolButton->GetDown());
        EXPECT_EQ(F->FCB->GetItemIndex(), 0);
        EXPECT_EQ(F->FLV->GetMask(), "*.PGE");
        EXPECT_EQ(F->OpenButton->GetCaption(), "&Open");
        EXPECT_EQ(F->OpenButton->GetLeft(), 390);
        EXPECT_EQ(F->OpenButton->GetTop(), 10);
        EXPECT_EQ(F->CancelButton->GetTop(), 45);
        EXPECT_EQ(F->BottomPanel->GetHeight(), 80);
        EXPECT_EQ(F->ToolPanel->GetHeight(), 25);
        EXPECT_EQ(F->Edit->GetBoundsRect(), TRect(70, 10, 370, 31));
        EXPECT_EQ(F->DCB->GetLeft(), F->LeftDivider->GetLeft() + 26) << "between the dividers";
        EXPECT_EQ(F->DCB->GetLeft() + F->DCB->GetWidth(), F->RightDivider->GetLeft());
        EXPECT_EQ(F->DCB->GetDrive(), ExeDir()[0]);
        EXPECT_EQ(F->FLV->GetDirectory(), IncludeTrailingPathDelimiter(ExeDir()))
            << "a name without folder and no initial folder: the program's folder";
        EXPECT_EQ(F->Edit->GetText(), "a.pge");
        EXPECT_EQ(F->GetActiveControl(), F->Edit);
        // Another filter and size, then Esc.
        F->FCB->SetItemIndex(1);
        EXPECT_EQ(F->FLV->GetMask(), "*.*");
        F->SetClientWidth(560);
        F->DTVPanel->SetWidth(150);
        PostClick(F->ReportToolButton->GetParent(), F->ReportToolButton->GetLeft() + 5, 5);
        EXPECT_EQ(F->FLV->GetViewStyle(), vsReport);
        PostKey(F, VK_ESCAPE);
    }));
    EXPECT_EQ(Open.GetFileName(), "a.pge") << "unchanged by Cancel";
    EXPECT_EQ(Open.GetFilterIndex(), 2);
    EXPECT_EQ(Open.DialogWidth, 560);
    EXPECT_EQ(Open.PaneWidth, 150);
    EXPECT_EQ(Open.ListViewStyle, vsReport);
    EXPECT_EQ(Open.Dlg, nullptr);

    EXPECT_FALSE(Run(Open, [&](TskOpenDlgForm* F) {
        EXPECT_EQ(F->GetClientWidth(), 560);
        EXPECT_EQ(F->DTVPanel->GetWidth(), 150);
        EXPECT_TRUE(F->ReportToolButton->GetDown());
        EXPECT_FALSE(F->ListToolButton->GetDown());
        EXPECT_EQ(F->FCB->GetItemIndex(), 1);
    }));
}

TEST_F(FileDialog, StartFolderComesFromFileNameThenInitialDirThenTheProgram) {
    Open.SetInitialDir(ExeDir());
    Open.SetFileName(Data + "a.pge");
    Run(Open, [&](TskOpenDlgForm* F) {
        EXPECT_EQ(F->FLV->GetDirectory(), Data);
        EXPECT_EQ(F->Edit->GetText(), "a.pge");
        EXPECT_EQ(AnsiUpperCase(F->DTV->GetFollowedPath()), AnsiUpperCase(Data)) << "the tree follows";
    });
    Open.SetFileName("");
    Open.SetInitialDir(Data + "Sub");
    Run(Open, [&](TskOpenDlgForm* F) { EXPECT_EQ(F->FLV->GetDirectory(), Data + "Sub\\"); });
    Open.SetFileName(Data + "Missing\\a.pge");
    Run(Open, [&](TskOpenDlgForm* F) {
        EXPECT_EQ(F->FLV->GetDirectory(), IncludeTrailingPathDelimiter(ExeDir()));
        EXPECT_EQ(F->Edit->GetText(), "a.pge");
    });
}

TEST_F(FileDialog, OpenAcceptsOnlyAnExistingFileOfTheListedFolder) {
    Open.SetFileName(Data + "none.pge");
    int changes = 0;
    Open.OnChange = TNotifyEvent::FromCallable([&](TObject*) { ++changes; });
    EXPECT_FALSE(Run(Open, [&](TskOpenDlgForm* F) {
        PostClick(F->OpenButton, 10, 10);
        EXPECT_EQ(F->GetModalResult(), mrNone) << "a missing file is refused";
        EXPECT_TRUE(F->FileName.empty());
        Type(F, Data + "a.pge");
        EXPECT_EQ(F->GetModalResult(), mrNone) << "the button takes no full path";
    }));
    EXPECT_EQ(Open.GetFileName(), Data + "none.pge");

    EXPECT_TRUE(Run(Open, [&](TskOpenDlgForm* F) { Type(F, "a.pge"); }));
    EXPECT_EQ(Open.GetFileName(), Data + "a.pge");
    EXPECT_EQ(changes, 1);
}

TEST_F(FileDialog, SaveAcceptsANewNameThroughTheButtonOnly) {
    Save.SetFileName(Data + "old.pge");
    EXPECT_TRUE(Run(Save, [&](TskOpenDlgForm* F) {
        EXPECT_EQ(F->GetCaption(), "Save file");
        EXPECT_EQ(F->OpenButton->GetCaption(), "&Save");
        Type(F, "digits");
        EXPECT_EQ(F->GetModalResult(), mrNone) << "Enter does not take a new name";
        for (const char* bad : {"*.txt", "a?b", "x:y", "sub\\c", "a|b", "<a>", "a\"b", "a/b"}) {
            F->Edit->SetText(bad);
            PostClick(F->OpenButton, 10, 10);
            EXPECT_EQ(F->GetModalResult(), mrNone) << bad;
        }
        F->Edit->SetText("digits");
        PostClick(F->OpenButton, 10, 10);
    }));
    EXPECT_EQ(Save.GetFileName(), Data + "digits");
    EXPECT_FALSE(FileExists(Data + "digits")) << "the dialog writes nothing";
}

TEST_F(FileDialog, EnterSetsAMaskOrMovesEverythingToATypedFolder) {
    Run(Open, [&](TskOpenDlgForm* F) {
        ASSERT_EQ(F->FLV->GetDirectory(), IncludeTrailingPathDelimiter(ExeDir()));
        Type(F, Data);
        EXPECT_EQ(F->FLV->GetDirectory(), Data);
        EXPECT_EQ(AnsiUpperCase(F->DTV->GetDirectory()), AnsiUpperCase(ExcludeTrailingPathDelimiter(Data)));
        EXPECT_EQ(AnsiUpperCase(F->DTVPanel->GetCaption()), "DATA");
        EXPECT_EQ(F->DCB->GetDrive(), 'C');

        Type(F, "*.txt");
        EXPECT_EQ(Captions(F->FLV), (std::vector<AnsiString>{"Sub", "b.txt"}));
        EXPECT_EQ(F->FCB->GetItemIndex(), 0) << "the filter keeps its choice";
        EXPECT_EQ(F->GetModalResult(), mrNone);
        CaptureWindow(F->GetHandle())->SaveToFile(ExeDir() + "opendialog-mask.bmp");

        // The tree's choice moves the list; the drive box's choice moves both.
        F->DTV->SetDirectory(Data + "Sub");
        EXPECT_EQ(AnsiUpperCase(F->FLV->GetDirectory()), AnsiUpperCase(Data + "Sub\\"));
        F->DCB->SetDrive(ExeDir()[0]);
        EXPECT_EQ(F->DTV->GetDirectory(), ExeDir().substr(0, 3));
        EXPECT_EQ(F->FLV->GetDirectory(), ExeDir().substr(0, 3));
    });
}

TEST_F(FileDialog, SelectionFillsTheEditAndADoubleClickOnAFileAccepts) {
    Open.SetFileName(Data + "x");
    EXPECT_TRUE(Run(Open, [&](TskOpenDlgForm* F) {
        TskSkinFileListView* list = F->FLV;
        list->SelectItem(IndexOf(list, "b.txt"));
        Pump();
        EXPECT_EQ(F->Edit->GetText(), "b.txt");
        list->SelectItem(IndexOf(list, "Sub"));
        Pump();
        EXPECT_EQ(F->Edit->GetText(), "");

        RECT r{};
        r.left = LVIR_LABEL;
        SendMessageA(list->GetHandle(), LVM_GETITEMRECT, IndexOf(list, "a.pge"), reinterpret_cast<LPARAM>(&r));
        PostDoubleClick(list, r.left + 5, (r.top + r.bottom) / 2);
    }));
    EXPECT_EQ(Open.GetFileName(), Data + "a.pge");
}

TEST_F(FileDialog, EscInEveryFieldPressesCancelReturnInTheNameActsAndNoWindowGoes) {
    for (TskSkinOpenDialog* dialog : {static_cast<TskSkinOpenDialog*>(&Open), static_cast<TskSkinOpenDialog*>(&Save)}) {
        dialog->SetFileName(Data + "x");
        for (int field = 0; field < 3; ++field)
            EXPECT_FALSE(Run(*dialog, [&](TskOpenDlgForm* F) {
                const std::vector<HWND> windows = Windows(F);
                TWinControl* fields[] = {F->Edit, F->FCB, F->DCB};
                ASSERT_TRUE(TakeFocus(fields[field]));
                PressKey(VK_ESCAPE);
                EXPECT_EQ(F->GetModalResult(), mrCancel) << F->GetCaption() << " " << field;
                ExpectAlive(windows);
            }));
    }
    // In the filter box Esc closes an open list first.
    EXPECT_FALSE(Run(Open, [&](TskOpenDlgForm* F) {
        const std::vector<HWND> windows = Windows(F);
        ASSERT_TRUE(TakeFocus(F->FCB));
        F->FCB->DropDown();
        Pump();
        ASSERT_TRUE(F->FCB->IsPopupVisible());
        PressKey(VK_ESCAPE);
        EXPECT_FALSE(F->FCB->IsPopupVisible());
        EXPECT_EQ(F->GetModalResult(), mrNone);
        PressKey(VK_ESCAPE);
        EXPECT_EQ(F->GetModalResult(), mrCancel);
        ExpectAlive(windows);
    }));
    EXPECT_TRUE(Run(Open, [&](TskOpenDlgForm* F) {
        const std::vector<HWND> windows = Windows(F);
        F->Edit->SetText("a.pge");
        ASSERT_TRUE(TakeFocus(F->Edit));
        PressKey(VK_RETURN);
        EXPECT_EQ(F->GetModalResult(), mrOk);
        ExpectAlive(windows);
    }));
    EXPECT_EQ(Open.GetFileName(), Data + "a.pge");
}

// The proposed name shows selected, so that typed keys replace it; Return on a typed folder
// moves there and leaves the field empty for the file's name.
TEST_F(FileDialog, TypingReplacesTheProposedNameAndAFolderReachedByReturnLeavesTheFieldEmpty) {
    Save.SetFileName(Data + "Untitled.pge");
    EXPECT_TRUE(Run(Save, [&](TskOpenDlgForm* F) {
        ASSERT_TRUE(PumpUntil([&] { return GetFocus() == F->Edit->GetHandle(); }));
        TypeOnKeyboard("mine");
        EXPECT_EQ(F->Edit->GetText(), "mine");
        for (int i = 0; i < 4; ++i) PressKey(VK_BACK);
        TypeOnKeyboard(std::string(Data) + "Sub");
        ASSERT_TRUE(KeyOnKeyboard(VK_RETURN, [&] { return F->FLV->GetDirectory() == Data + "Sub\\"; }));
        EXPECT_EQ(F->Edit->GetText(), "") << "the folder's path is no name for the file";
        TypeOnKeyboard("new.pge");
        ClickAt(F->OpenButton, 10, 10);
    }));
    EXPECT_EQ(Save.GetFileName(), Data + "Sub\\new.pge");
}

// A folder's name too long for the pane's caption loses letters in its middle: its start and
// its end show.
TEST_F(FileDialog, ALongFolderNameInThePanesCaptionKeepsItsStartAndItsEnd) {
    const std::string name = "a folder whose name is longer than its pane";
    ASSERT_TRUE(ForceDirectories(Data + name.c_str()));
    Open.SetInitialDir(Data);
    Run(Open, [&](TskOpenDlgForm* F) {
        ASSERT_TRUE(PumpUntil([&] { return GetFocus() == F->Edit->GetHandle(); }));
        TypeOnKeyboard(std::string(Data) + name);
        ASSERT_TRUE(KeyOnKeyboard(VK_RETURN, [&] { return F->DTVPanel->GetCaption() == name.c_str(); }));
        Pump();
        TskSkinExPanel* pane = F->DTVPanel;
        const TPoint corner = pane->ClientToScreen(TPoint(0, 0));
        const TShot caption = Grab(RECT{corner.X, corner.Y, corner.X + pane->GetWidth(),
                                        corner.Y + pane->GetDefaultCaptionHeight()});
        caption.Save("opendialog-long-folder-caption.bmp");
        TFont* font = pane->GetDefaultFont();
        const TTextFont look{font->GetName().c_str(), font->GetHeight(), font->GetStyle().Contains(fsBold)};
        EXPECT_TRUE(ShowsWhole(caption, "a folder", look));
        EXPECT_TRUE(ShowsWhole(caption, "its pane", look));
        EXPECT_TRUE(ShowsWhole(caption, "...", look));
    });
}

// Resting on a tool button that shows a picture only tells what it does.
TEST_F(FileDialog, EachPictureButtonOfTheToolBarSaysInItsHintWhatItDoes) {
    Open.SetFileName(Data + "x");
    Run(Open, [&](TskOpenDlgForm* F) {
        const std::pair<TskSkinSpeedButton*, const char*> buttons[] = {
            {F->BackToolButton, "Up one level"}, {F->SortNameToolButton, "Sort by name"},
            {F->SortSizeToolButton, "Sort by size"}, {F->SortDateButton, "Sort by date"},
            {F->ListToolButton, "List"}, {F->SmallIconToolButton, "Small icons"},
            {F->IconToolButton, "Large icons"}, {F->ReportToolButton, "Details"}};
        for (const auto& [button, hint] : buttons) {
            ASSERT_TRUE(SendPointerInput(OnScreen(button, button->GetWidth() / 2, button->GetHeight() / 2), 0));
            const std::string expected = hint;
            EXPECT_TRUE(PumpUntil([&] {
                THintWindow* window = Application->GetHintWindow();
                if (!Application->GetHintShowing() || !window || !window->HandleAllocated()) return false;
                char text[64] = {};
                GetWindowTextA(window->GetHandle(), text, sizeof text);
                return IsWindowVisible(window->GetHandle()) && expected == text;
            })) << "no hint " << hint << " over the button";
        }
        SendPointerInput(OnScreen(F->FLV, F->FLV->GetWidth() / 2, F->FLV->GetHeight() / 2), 0);
        Application->CancelHint();
    });
}

TEST_F(FileDialog, EachViewSwitchShowsTheNewViewAtOnce) {
    Open.SetFileName(Data + "x");
    Run(Open, [&](TskOpenDlgForm* F) {
        ASSERT_TRUE(TakeFocus(F->Edit));
        HWND list = F->FLV->GetHandle();
        for (TskSkinSpeedButton* button :
             {F->ReportToolButton, F->IconToolButton, F->SmallIconToolButton, F->ListToolButton}) {
            PostClick(F->ToolPanel, button->GetLeft() + 5, 5);
            ASSERT_TRUE(button->GetDown());
            const auto shown = ScreenShot(list);
            EXPECT_EQ(DifferentPixels(shown.get(), CaptureWindow(list).get()), 0) << F->FLV->GetViewStyle();
        }
    });
}

TEST_F(FileDialog, TheToolBarReadsInItsOrderAndTheSplitterAtThePanesRightResizesIt) {
    Run(Open, [&](TskOpenDlgForm* F) {
        const std::vector<TControl*> bar{F->BackToolButton, F->LeftDivider, F->DCB, F->RightDivider,
                                         F->SortNameToolButton, F->SortSizeToolButton, F->SortDateButton,
                                         F->SortDivider, F->ListToolButton, F->SmallIconToolButton,
                                         F->IconToolButton, F->ReportToolButton};
        EXPECT_EQ(bar.front()->GetLeft(), 0);
        for (std::size_t i = 1; i < bar.size(); ++i)
            EXPECT_EQ(bar[i]->GetLeft(), bar[i - 1]->GetLeft() + bar[i - 1]->GetWidth()) << i;
        EXPECT_EQ(bar.back()->GetLeft() + bar.back()->GetWidth(), F->ToolPanel->GetClientWidth());

        TskSkinExPanel* pane = F->DTVPanel;
        EXPECT_EQ(pane->GetLeft(), 0);
        EXPECT_EQ(F->Splitter->GetLeft(), pane->GetWidth());
        EXPECT_EQ(F->FLVPanel->GetLeft(), pane->GetWidth() + F->Splitter->GetWidth());
        // Dragged 40 pixels to the right, the splitter widens the pane.
        const int x = F->Splitter->GetLeft() + 5, y = F->Splitter->GetTop() + 20;
        PostMessageA(F->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageA(F->GetHandle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 40, y));
        PostMessageA(F->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(x + 40, y));
        Pump();
        EXPECT_EQ(pane->GetWidth(), 240);
        EXPECT_EQ(F->Splitter->GetLeft(), 240);
    });
}

TEST_F(FileDialog, OnTheProgramsSkinThePaneRollsToItsSkinnedStripAndBack) {
    TskSkinData skin(nullptr);
    skin.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(skin.Empty);
    const int index = skin.GetControlIndex("expanel");
    ASSERT_NE(index, -1);
    auto* record = dynamic_cast<TskDataSkinExPanelControl*>(skin.CtrlList[static_cast<std::size_t>(index)].get());
    ASSERT_NE(record, nullptr);
    TBitmap* picture = skin.ActivePictures[static_cast<std::size_t>(record->PictureIndex)].get();
    Open.SetSkinData(&skin);
    Open.SetCtrlSkinData(&skin);
    Open.SetFileName(Data + "a.pge");
    // The pane's roll button on the screen against its picture in the skin.
    auto expectButtonFrom = [&](TskOpenDlgForm* F, const TRect& Source) {
        TskSkinExPanel* pane = F->DTVPanel;
        const TRect button = pane->GetButtonRect(TskSkinExPanel::ebRoll);
        ASSERT_EQ(RectWidth(button), RectWidth(Source));
        auto shot = ScreenShot(pane->GetHandle());
        for (int y = 0; y < RectHeight(button); ++y)
            for (int x = 0; x < RectWidth(button); ++x)
                ASSERT_EQ(PixelOf(shot.get(), button.Left + x, button.Top + y),
                          PixelOf(picture, Source.Left + x, Source.Top + y)) << x << "," << y;
    };
    Run(Open, [&](TskOpenDlgForm* F) {
        ASSERT_TRUE(TakeFocus(F->Edit));
        TskSkinExPanel* pane = F->DTVPanel;
        CaptureWindow(F->GetHandle())->SaveToFile(ExeDir() + "opendialog-skinned.bmp");
        expectButtonFrom(F, record->HRollButtonRect);

        const TRect roll = pane->GetButtonRect(TskSkinExPanel::ebRoll);
        PostClick(pane, (roll.Left + roll.Right) / 2, (roll.Top + roll.Bottom) / 2);
        ASSERT_TRUE(pane->GetRollState());
        EXPECT_EQ(pane->GetWidth(), RectWidth(record->RollHSkinRect));
        EXPECT_EQ(F->Splitter->GetLeft(), pane->GetWidth());
        PutPointer(pane, 0, pane->GetHeight() - 1);
        PostMessageA(pane->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(0, pane->GetHeight() - 1));
        Pump();
        CaptureWindow(F->GetHandle())->SaveToFile(ExeDir() + "opendialog-rolled.bmp");
        expectButtonFrom(F, record->HRestoreButtonRect);
        auto shot = ScreenShot(pane->GetHandle());
        EXPECT_EQ(PixelOf(shot.get(), 1, pane->GetHeight() / 2),
                  PixelOf(picture, record->RollHSkinRect.Left + 1, record->RollHSkinRect.Top + 30))
            << "the rolled strip is the skin's";

        const TRect restore = pane->GetButtonRect(TskSkinExPanel::ebRoll);
        PostClick(pane, (restore.Left + restore.Right) / 2, (restore.Top + restore.Bottom) / 2);
        EXPECT_FALSE(pane->GetRollState());
        EXPECT_EQ(pane->GetWidth(), 200);
    });
    EXPECT_FALSE(Open.PaneRolled);
}

// A size remembered below the least one is raised, and dragging stops at it: the name field,
// the type box and both buttons stay whole inside the client area, in the places they have,
// and the folder tree and the file list keep rows to use.
TEST_F(FileDialog, TheDialogsReopenAndDragNoSmallerThanTheirPanesAndBottomRowNeed) {
    TskSkinData skin(nullptr);
    skin.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(skin.Empty);
    auto expectWhole = [](TskOpenDlgForm* F) {
        const TRect client = F->GetClientRect();
        for (TControl* control : std::initializer_list<TControl*>{F->Edit, F->FCB, F->OpenButton, F->CancelButton}) {
            const TPoint corner = F->ScreenToClient(control->ClientToScreen(TPoint(0, 0)));
            const TRect own(corner.X, corner.Y, corner.X + control->GetWidth(), corner.Y + control->GetHeight());
            EXPECT_TRUE(own.Left >= 0 && own.Top >= 0 && own.Right <= client.Right && own.Bottom <= client.Bottom)
                << control->ClassName() << " at " << own.Left << "," << own.Top << "-" << own.Right << ","
                << own.Bottom << " in " << client.Right << " x " << client.Bottom;
        }
        EXPECT_EQ(F->OpenButton->GetBoundsRect(), TRect(390, 10, 460, 10 + F->OpenButton->GetHeight()));
        EXPECT_EQ(F->FCB->GetLeft(), 70);
        // The tree shows four rows below the pane's caption, the list as much room beside it.
        const int rows = 4 * static_cast<int>(SendMessageA(F->DTV->GetHandle(), TVM_GETITEMHEIGHT, 0, 0));
        EXPECT_GE(F->DTV->GetHeight(), rows);
        EXPECT_GE(F->FLV->GetHeight(), rows);
        EXPECT_GE(F->DTV->GetWidth(), 150);
        EXPECT_GE(F->FLV->GetWidth(), 150);
    };
    for (TskSkinData* frameSkin : {static_cast<TskSkinData*>(nullptr), &skin})
        for (TskSkinOpenDialog* dialog : {static_cast<TskSkinOpenDialog*>(&Open), static_cast<TskSkinOpenDialog*>(&Save)}) {
            SCOPED_TRACE(std::string(dialog->GetTitle()) + (frameSkin ? ", skinned" : ", plain"));
            dialog->SetSkinData(frameSkin);
            dialog->SetCtrlSkinData(frameSkin);
            dialog->DialogWidth = 176;
            dialog->DialogHeight = 20;
            Run(*dialog, [&](TskOpenDlgForm* F) {
                const TPoint least = F->LeastClientSize();
                EXPECT_EQ(least, TPoint(470, 225))
                    << "the buttons' right edge and its margin; tool bar, room for the panes and bottom panel";
                EXPECT_GE(F->GetClientWidth(), least.X);
                EXPECT_GE(F->GetClientHeight(), least.Y);
                expectWhole(F);
                // What the frame lets a drag reach.
                MINMAXINFO info{};
                SendMessageA(F->GetHandle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
                EXPECT_EQ(info.ptMinTrackSize.x, least.X + F->GetWidth() - F->GetClientWidth());
                EXPECT_EQ(info.ptMinTrackSize.y, least.Y + F->GetHeight() - F->GetClientHeight());
                F->SetBounds(F->GetLeft(), F->GetTop(), info.ptMinTrackSize.x, info.ptMinTrackSize.y);
                Pump();
                EXPECT_EQ(F->GetClientWidth(), least.X);
                EXPECT_EQ(F->GetClientHeight(), least.Y);
                expectWhole(F);
            });
            EXPECT_EQ(dialog->DialogWidth, 470);
            EXPECT_EQ(dialog->DialogHeight, 225);
        }
}

} // namespace

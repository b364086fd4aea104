// The program's own skin as the program reads it: the data module's stored skin and the
// compressed skin resource, their records and pictures, byte-stable round trips, and a
// contact sheet (skin-sheet.bmp beside the test program) for people to review.
#include "app/Dm.h"

#include "skin/data/SkinData.h"
#include "skin/data/SkinData_Compressed.h"
#include "skin/data/SkinData_Stored.h"
#include "skin/data/Skutils_Codecs.h"
#include "skin/data/Skutils_Geometry.h"
#include "skin/data/Skutils_Images.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/ScreenText.h"

#include "classlib/Paths.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace {

struct TNamedRecord {
    const char* Name;
    const TClassInfo* Class;
};

const std::vector<TNamedRecord>& ExpectedObjects() {
    static const std::vector<TNamedRecord> objects = {
        {"caption", TskDataSkinCaption::StaticClass()},
        {"sysmenubutton", TskDataSkinStdButton::StaticClass()},
        {"minbutton", TskDataSkinStdButton::StaticClass()},
        {"rollupbutton", TskDataSkinStdButton::StaticClass()},
        {"menubaritem", TskDataSkinMainMenuBarItem::StaticClass()},
        {"MENUITEM", TskDataSkinMenuItem::StaticClass()},
    };
    return objects;
}

const std::vector<TNamedRecord>& ExpectedControls() {
    static const std::vector<TNamedRecord> controls = {
        {"mainmenubar", TskDataSkinMainMenuBar::StaticClass()},
        {"panel", TskDataSkinPanelControl::StaticClass()},
        {"groupbox", TskDataSkinPanelControl::StaticClass()},
        {"button", TskDataSkinButtonControl::StaticClass()},
        {"label", TskDataSkinLabelControl::StaticClass()},
        {"combobox", TskDataSkinComboBox::StaticClass()},
        {"listbox", TskDataSkinListBox::StaticClass()},
        {"stdlabel", TskDataSkinStdLabelControl::StaticClass()},
        {"toolpanel", TskDataSkinPanelControl::StaticClass()},
        {"toolbutton", TskDataSkinButtonControl::StaticClass()},
        {"resizebutton", TskDataSkinButtonControl::StaticClass()},
        {"bevel", TskDataSkinBevel::StaticClass()},
        {"vsplitter", TskDataSkinSplitterControl::StaticClass()},
        {"expanel", TskDataSkinExPanelControl::StaticClass()},
        {"vscrollbar", TskDataSkinScrollBarControl::StaticClass()},
        {"hscrollbar", TskDataSkinScrollBarControl::StaticClass()},
        {"bothhscrollbar", TskDataSkinScrollBarControl::StaticClass()},
        {"treeview", TskDataSkinTreeView::StaticClass()},
        {"listview", TskDataSkinListView::StaticClass()},
        {"edit", TskDataSkinEditControl::StaticClass()},
        {"htrackbar", TskDataSkinTrackBarControl::StaticClass()},
        {"trackbar", TskDataSkinTrackBarControl::StaticClass()},
        {"gauge", TskDataSkinGaugeControl::StaticClass()},
        {"vgauge", TskDataSkinGaugeControl::StaticClass()},
        {"slider", TskDataSkinSlider::StaticClass()},
        {"checkbox", TskDataSkinCheckRadioControl::StaticClass()},
        {"radiobox", TskDataSkinCheckRadioControl::StaticClass()},
        {"switch", TskDataSkinSwitchControl::StaticClass()},
        {"animate", TskDataSkinAnimateControl::StaticClass()},
        {"framegauge", TskDataSkinFrameGauge::StaticClass()},
        {"frameregulator", TskDataSkinFrameRegulator::StaticClass()},
        {"hupdown", TskDataSkinUpDownControl::StaticClass()},
        {"vupdown", TskDataSkinUpDownControl::StaticClass()},
        {"spinedit", TskDataSkinSpinEditControl::StaticClass()},
        {"menubutton", TskDataSkinMenuButtonControl::StaticClass()},
        {"toolmenubutton", TskDataSkinMenuButtonControl::StaticClass()},
        {"tab", TskDataSkinTabControl::StaticClass()},
        {"controlbar", TskDataSkinControlBar::StaticClass()},
        {"notebook", TskDataSkinPanelControl::StaticClass()},
        {"buttonsbar", TskDataSkinPanelControl::StaticClass()},
        {"header", TskDataSkinButtonControl::StaticClass()},
        {"statusbar", TskDataSkinPanelControl::StaticClass()},
        {"statuspanel", TskDataSkinLabelControl::StaticClass()},
        {"richedit", TskDataSkinRichEdit::StaticClass()},
        {"buttonedit", TskDataSkinEditControl::StaticClass()},
        {"memo", TskDataSkinMemoControl::StaticClass()},
        {"scrollbox", TskDataSkinScrollBoxControl::StaticClass()},
        {"checklistbox", TskDataSkinCheckListBox::StaticClass()},
        {"captionlistbox", TskDataSkinCheckListBox::StaticClass()},
    };
    return controls;
}

// The main window's size with the skin's frame around the editor's client area.
const int MainClientWidth = 390;
const int MainClientHeight = 501;

template <typename R> TSkinFieldLevels LevelsOf(const R* Record) {
    TSkinFieldLevels levels;
    Record->GetFieldTables(levels);
    return levels;
}

template <typename R>
void ExpectSameRecords(const std::vector<std::unique_ptr<R>>& A,
                       const std::vector<std::unique_ptr<R>>& B) {
    ASSERT_EQ(A.size(), B.size());
    for (std::size_t i = 0; i < A.size(); ++i) {
        SCOPED_TRACE(A[i]->IDName);
        EXPECT_EQ(A[i]->IDName, B[i]->IDName);
        EXPECT_EQ(A[i]->ClassType(), B[i]->ClassType());
        EXPECT_TRUE(SameSkinFields(A[i].get(), B[i].get(), LevelsOf(A[i].get())));
    }
}

void ExpectSameSkin(TskSkinData* A, TskSkinData* B, bool Areas = true) {
    EXPECT_FALSE(B->Empty);
    EXPECT_EQ(A->SkinName, B->SkinName);
    EXPECT_TRUE(SameSkinFields(A, B, {&TskSkinData::FormInfoFields()}));
    EXPECT_TRUE(SameSkinFields(A->PopupWindow.get(), B->PopupWindow.get(),
                               {&TskDataSkinPopupWindow::OwnFields()}));
    EXPECT_TRUE(SameSkinFields(A->HintWindow.get(), B->HintWindow.get(),
                               {&TskDataSkinHintWindow::OwnFields()}));
    ExpectSameRecords(A->ObjectList, B->ObjectList);
    ExpectSameRecords(A->CtrlList, B->CtrlList);
    if (Areas) {
        EXPECT_EQ(A->AreaList.size(), B->AreaList.size());
    }
    ExpectSamePicture(A->Picture.get(), B->Picture.get());
    ASSERT_EQ(A->ActivePictures.size(), B->ActivePictures.size());
    for (std::size_t i = 0; i < A->ActivePictures.size(); ++i)
        ExpectSamePicture(A->ActivePictures[i].get(), B->ActivePictures[i].get());
}

AnsiString TempFolder() {
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    const AnsiString folder = AnsiString(path) + Format("vantorel-skin-%u\\", GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void RemoveFolder(const AnsiString& Folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((Folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((Folder + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(Folder.c_str());
}

AnsiString ResourceToFile(const char* Name, const AnsiString& FileName) {
    TResourceStream resource(GetModuleHandleA(nullptr), Name, RT_RCDATA);
    resource.SaveToFile(FileName);
    return FileName;
}

class ProgramSkin : public testing::Test {
protected:
    static void SetUpTestSuite() { DMM = CreateFromResource<TDMM>(nullptr); }
    static void TearDownTestSuite() {
        delete DMM;
        DMM = nullptr;
    }
    TskSkinData* Skin() const { return DMM->STS_SkinData; }
};

TEST_F(ProgramSkin, TheDataModuleLoadsItWithEveryNamedRecordOfItsClass) {
    ASSERT_NE(Skin(), nullptr);
    ASSERT_NE(DMM->STS_StoredSkin, nullptr);
    EXPECT_EQ(Skin()->GetStoredSkin(), DMM->STS_StoredSkin);
    EXPECT_FALSE(Skin()->Empty);
    EXPECT_EQ(Skin()->SkinName, "Vantorel");
    EXPECT_EQ(DMM->STS_StoredSkin->GetFileName(), "skin.ini");

    for (const TNamedRecord& expected : ExpectedObjects()) {
        SCOPED_TRACE(expected.Name);
        const int index = Skin()->GetIndex(expected.Name);
        ASSERT_GE(index, 0);
        EXPECT_EQ(Skin()->ObjectList[index]->ClassType(), expected.Class);
    }
    for (const TNamedRecord& expected : ExpectedControls()) {
        SCOPED_TRACE(expected.Name);
        const int index = Skin()->GetControlIndex(expected.Name);
        ASSERT_GE(index, 0);
        EXPECT_EQ(Skin()->CtrlList[index]->ClassType(), expected.Class);
    }
    EXPECT_EQ(Skin()->ObjectList.size(), ExpectedObjects().size());
    EXPECT_EQ(Skin()->CtrlList.size(), ExpectedControls().size());
    EXPECT_EQ(Skin()->GetIndex("closebutton"), -1);
    EXPECT_EQ(Skin()->GetIndex("MAINMENUITEM"), -1);

    std::set<AnsiString> lowered;
    for (const auto& record : Skin()->ObjectList)
        EXPECT_TRUE(lowered.insert(LowerCase(record->IDName)).second) << record->IDName;
    for (const auto& record : Skin()->CtrlList)
        EXPECT_TRUE(lowered.insert(LowerCase(record->IDName)).second) << record->IDName;
}

TEST_F(ProgramSkin, PicturesFitTheRecordsThatReadThem) {
    TskSkinData* skin = Skin();
    EXPECT_EQ(skin->Picture->GetPixelFormat(), pf8bit);
    EXPECT_TRUE(skin->Mask->GetEmpty());
    EXPECT_TRUE(skin->RollUpPicture->GetEmpty());
    ASSERT_EQ(skin->ActivePictures.size(), 3u);
    for (const auto& picture : skin->ActivePictures)
        EXPECT_EQ(picture->GetPixelFormat(), pf24bit);
    // Every skinned form is at least as wide as the frame picture: the about box fits.
    EXPECT_LE(RectWidth(skin->ClRect), 169);
    EXPECT_EQ(skin->Picture->GetWidth() - RectWidth(skin->ClRect), 6);

    // Resize modes: buttons, panels, labels, boxes and edits take any size; the
    // horizontal bars only their width, the vertical bar only its height.
    auto mode = [&](const char* Name) {
        auto* c = dynamic_cast<TskDataSkinCustomControl*>(
            skin->CtrlList[skin->GetControlIndex(Name)].get());
        if (!c || IsNullRect(c->SkinRect)) return -1;
        if (c->RBPoint.X != 0 && c->RBPoint.Y != 0) return 1;
        if (c->RTPoint.X != 0 || c->RTPoint.Y != 0) return 2;
        if (c->LBPoint.X != 0 || c->LBPoint.Y != 0) return 3;
        return 0;
    };
    for (const char* name :
         {"button", "panel", "toolpanel", "groupbox", "label", "combobox", "edit", "listbox"})
        EXPECT_EQ(mode(name), 1) << name;
    EXPECT_EQ(mode("hscrollbar"), 2);
    EXPECT_EQ(mode("bothhscrollbar"), 2);
    EXPECT_EQ(mode("vscrollbar"), 3);

    // Every rectangle a control reads from its picture lies inside that picture.
    for (const auto& record : skin->CtrlList) {
        if (record->PictureIndex < 0) continue;
        ASSERT_LT(record->PictureIndex, static_cast<int>(skin->ActivePictures.size()));
        TBitmap* picture = skin->ActivePictures[record->PictureIndex].get();
        const TRect& r = record->SkinRect;
        EXPECT_TRUE(r.Left >= 0 && r.Top >= 0 && r.Right <= picture->GetWidth() &&
                    r.Bottom <= picture->GetHeight())
            << record->IDName;
    }
}

// The text rectangle of a control that shows a line of text is its client rectangle grown
// with the control: at 21 pixels, the height of the message boxes' buttons and of the
// dialogs' fields, it holds a line of the record's font.
TEST_F(ProgramSkin, TextControlsHoldALineOfTheirFontAt21Pixels) {
    auto fontOf = [](TskDataSkinControl* Record) {
        if (auto* b = dynamic_cast<TskDataSkinButtonControl*>(Record)) return b->FontHeight;
        if (auto* e = dynamic_cast<TskDataSkinEditControl*>(Record)) return e->FontHeight;
        if (auto* l = dynamic_cast<TskDataSkinLabelControl*>(Record)) return l->FontHeight;
        if (auto* c = dynamic_cast<TskDataSkinComboBox*>(Record)) return c->FontHeight;
        return 0;
    };
    for (const char* name : {"button", "toolbutton", "edit", "combobox", "label"}) {
        SCOPED_TRACE(name);
        const int index = Skin()->GetControlIndex(name);
        ASSERT_GE(index, 0);
        auto* c = dynamic_cast<TskDataSkinCustomControl*>(Skin()->CtrlList[static_cast<std::size_t>(index)].get());
        ASSERT_NE(c, nullptr);
        ASSERT_GT(fontOf(c), 0);
        const int margins = RectHeight(c->SkinRect) - RectHeight(c->ClRect);
        EXPECT_GE(21 - margins, fontOf(c)) << "client rectangle " << RectHeight(c->ClRect) << " of "
                                           << RectHeight(c->SkinRect) << " rows";
    }
}

TEST_F(ProgramSkin, TheCompressedResourceLoadsTheSameRecordsAndPictures) {
    const AnsiString file = ResourceToFile("VANTOREL_SKIN", TempFolder() + "vantorel.skn");
    TskSkinData compressed(nullptr);
    compressed.LoadFromCompressedFile(file);
    // A compressed skin carries no areas; the program's skin has none.
    ExpectSameSkin(Skin(), &compressed, false);
    RemoveFolder(ExtractFilePath(file));
}

TEST_F(ProgramSkin, RoundTripsAreByteStable) {
    // "Pictures" read, then written.
    TStringStream pictures;
    DMM->STS_StoredSkin->WriteData(&pictures);
    TskStoredSkin reread(nullptr);
    pictures.SetPosition(0);
    reread.ReadData(&pictures);
    TStringStream again;
    reread.WriteData(&again);
    EXPECT_EQ(pictures.GetDataString(), again.GetDataString());

    // The description written twice.
    TTestIni first, second;
    Skin()->SaveToCustomIniFile(&first.Ini);
    TskStoredSkin written(nullptr);
    TStringList lines;
    first.Ini.GetStrings(&lines);
    written.SetIniStrings(&lines);
    written.Picture->Assign(Skin()->Picture.get());
    for (const auto& picture : Skin()->ActivePictures) {
        written.ActivePictures.push_back(std::make_unique<TBitmap>());
        written.ActivePictures.back()->Assign(picture.get());
    }
    TskSkinData fromWritten(nullptr);
    fromWritten.LoadStoredSkin(&written);
    fromWritten.SaveToCustomIniFile(&second.Ini);
    EXPECT_EQ(first.Text(), second.Text());

    // The compressed block loaded and compressed again.
    const AnsiString folder = TempFolder();
    TskCompressedStoredSkin block(nullptr);
    block.LoadFromSkinData(Skin());
    block.SaveToCompressFile(folder + "first.skn");
    TskSkinData loaded(nullptr);
    loaded.LoadFromCompressedFile(folder + "first.skn");
    TskCompressedStoredSkin blockAgain(nullptr);
    blockAgain.LoadFromSkinData(&loaded);
    EXPECT_EQ(block.CompressedStream->GetSize(), blockAgain.CompressedStream->GetSize());
    EXPECT_EQ(0, std::memcmp(block.CompressedStream->GetMemory(),
                             blockAgain.CompressedStream->GetMemory(),
                             static_cast<std::size_t>(block.CompressedStream->GetSize())));

    // Stored to disk, then read back from the folder.
    Skin()->StoreToDisk(folder);
    TskSkinData fromDisk(nullptr);
    fromDisk.SkipCursorFiles = true;
    fromDisk.LoadFromFile(folder + "skin.ini");
    ExpectSameSkin(Skin(), &fromDisk);
    RemoveFolder(folder);
}

// ---- The contact sheet ------------------------------------------------------------

// Lays pictures out in rows on a white sheet.
// Pictures laid out in rows; the sheet is as tall as its rows, whatever they hold.
class TSheet {
public:
    void Place(TBitmap* Picture) {
        if (X + Picture->GetWidth() > Width - Margin) NewRow();
        auto copy = std::make_unique<TBitmap>();
        copy->Assign(Picture);
        Placed.push_back({TPoint(X, Y), std::move(copy)});
        X += Picture->GetWidth() + Margin;
        RowHeight = std::max(RowHeight, Picture->GetHeight());
    }
    void NewRow() {
        if (RowHeight == 0) return;
        X = Margin;
        Y += RowHeight + Margin;
        RowHeight = 0;
    }
    // The sheet as saved: every picture placed, at its place.
    std::unique_ptr<TBitmap> Compose() {
        NewRow();
        auto sheet = std::make_unique<TBitmap>();
        sheet->SetPixelFormat(pf24bit);
        sheet->SetSize(Width, Y);
        sheet->GetCanvas()->GetBrush()->SetColor(clWhite);
        sheet->GetCanvas()->FillRect(TRect(0, 0, Width, Y));
        for (const auto& [at, picture] : Placed) sheet->GetCanvas()->Draw(at.X, at.Y, picture.get());
        return sheet;
    }
    // Where the last picture placed lies on the sheet.
    TRect LastPlaced() const {
        const auto& [at, picture] = Placed.back();
        return TRect(at.X, at.Y, at.X + picture->GetWidth(), at.Y + picture->GetHeight());
    }

private:
    static constexpr int Width = 1100;
    static constexpr int Margin = 10;
    std::vector<std::pair<TPoint, std::unique_ptr<TBitmap>>> Placed;
    int X = Margin, Y = Margin, RowHeight = 0;
};

TSkinGeometry Grown(const TSkinGeometry& G, int DW, int DH) {
    return {G.LTPoint,
            {G.RTPoint.X + DW, G.RTPoint.Y},
            {G.LBPoint.X, G.LBPoint.Y + DH},
            {G.RBPoint.X + DW, G.RBPoint.Y + DH},
            {G.ClRect.Left, G.ClRect.Top, G.ClRect.Right + DW, G.ClRect.Bottom + DH}};
}

// Source rectangle R of a control's picture at W x H, composed as the control bases do.
std::unique_ptr<TBitmap> ControlImage(TskDataSkinCustomControl* C, TBitmap* Picture,
                                      const TRect& R, int W, int H) {
    auto image = std::make_unique<TBitmap>();
    image->SetPixelFormat(pf24bit);
    const int sw = RectWidth(C->SkinRect), sh = RectHeight(C->SkinRect);
    const TSkinGeometry skin{C->LTPoint, C->RTPoint, C->LBPoint, C->RBPoint, C->ClRect};
    if (C->RBPoint.X != 0 && C->RBPoint.Y != 0)
        CreateSkinImage(skin, Grown(skin, W - sw, H - sh), image.get(), Picture, R, W, H, true);
    else if (C->RTPoint.X != 0 || C->RTPoint.Y != 0)
        CreateHSkinImage(C->LTPoint.X, sw - C->RTPoint.X, image.get(), Picture, R, W, H);
    else
        CreateVSkinImage(C->LTPoint.Y, sh - C->LBPoint.Y, image.get(), Picture, R, W, H);
    return image;
}

void PlaceControls(TSheet& Sheet, TskSkinData* Skin) {
    for (const auto& record : Skin->CtrlList) {
        if (auto* strip = dynamic_cast<TskDataSkinFrameControl*>(record.get())) {
            // A frame strip shows all its frames.
            const TRect& r = strip->SkinRect;
            TBitmap image(RectWidth(r), RectHeight(r));
            image.GetCanvas()->CopyRect(TRect(0, 0, RectWidth(r), RectHeight(r)),
                                        Skin->ActivePictures[strip->PictureIndex]->GetCanvas(), r);
            Sheet.Place(&image);
            Sheet.NewRow();
            continue;
        }
        auto* c = dynamic_cast<TskDataSkinCustomControl*>(record.get());
        if (!c || IsNullRect(c->SkinRect) || c->PictureIndex < 0) continue;
        TBitmap* picture = Skin->ActivePictures[c->PictureIndex].get();
        TTestIni ini;
        c->SaveToFile(&ini.Ini);
        const int w = RectWidth(c->SkinRect), h = RectHeight(c->SkinRect);
        const bool wide = c->RTPoint.X != 0 || c->RTPoint.Y != 0 || c->RBPoint.X != 0;
        const bool tall = c->LBPoint.X != 0 || c->LBPoint.Y != 0;
        for (const auto& size : {std::pair{w, h}, std::pair{wide ? w + 60 : w,
                                                            tall ? h + (h <= 25 ? 4 : 30) : h}}) {
            for (const char* key : {"skinrect", "activeskinrect", "downskinrect", "disabledskinrect"}) {
                if (!ini.Ini.ValueExists(c->IDName, key)) continue;
                const TRect r = ReadRect(&ini.Ini, c->IDName, key);
                if (IsNullRect(r)) continue;
                Sheet.Place(ControlImage(c, picture, r, size.first, size.second).get());
            }
        }
        Sheet.NewRow();
    }
}

void PlaceMenuItems(TSheet& Sheet, TskSkinData* Skin) {
    for (const auto& record : Skin->ObjectList) {
        auto* item = dynamic_cast<TskDataSkinMenuItem*>(record.get());
        auto* bar = dynamic_cast<TskDataSkinMainMenuItem*>(record.get());
        if (!item && !bar) continue;
        TBitmap* picture = Skin->ActivePictures[record->ActivePictureIndex].get();
        const int left = item ? item->ItemLeftOffset : bar->ItemLeftOffset;
        const int right = item ? item->ItemRightOffset : bar->ItemRightOffset;
        std::vector<TRect> states = {record->SkinRect, record->ActiveSkinRect};
        if (bar) states.push_back(bar->DownRect);
        if (item) states.push_back(item->DividerRect);
        for (const TRect& r : states) {
            TBitmap image;
            CreateHSkinImage(left, right, &image, picture, r, RectWidth(r) * 3 / 2, RectHeight(r));
            Sheet.Place(&image);
        }
    }
    Sheet.NewRow();
}

template <typename W> void PlaceWindow(TSheet& Sheet, TskSkinData* Skin, W* Window, TRect Client) {
    TBitmap* picture = Skin->ActivePictures[Window->WindowPictureIndex].get();
    const TSkinGeometry skin{Window->LTPoint, Window->RTPoint, Window->LBPoint, Window->RBPoint,
                             Client};
    TBitmap image;
    const int w = picture->GetWidth(), h = picture->GetHeight();
    CreateSkinImage(skin, Grown(skin, 140, 60), &image, picture, TRect(0, 0, w, h), w + 140,
                    h + 60, true);
    Sheet.Place(&image);
}

// The frame at the main window's size: its border images, the client area and the
// caption objects where the form puts them.
std::unique_ptr<TBitmap> FrameImage(TskSkinData* Skin) {
    TBitmap* picture = Skin->Picture.get();
    const int pw = picture->GetWidth(), ph = picture->GetHeight();
    const int aw = MainClientWidth + pw - RectWidth(Skin->ClRect);
    const int ah = MainClientHeight + ph - RectHeight(Skin->ClRect);
    const TSkinGeometry skin{Skin->LTPoint, Skin->RTPoint, Skin->LBPoint, Skin->RBPoint,
                             Skin->ClRect};
    const TSkinGeometry frame = Grown(skin, aw - pw, ah - ph);
    TBitmap left, top, right, bottom;
    CreateSkinBorderImages(skin, frame, &left, &top, &right, &bottom, picture,
                           TRect(0, 0, pw, ph), aw, ah, Skin->LeftStretch, Skin->TopStretch,
                           Skin->RightStretch, Skin->BottomStretch);
    auto image = std::make_unique<TBitmap>();
    image->SetPixelFormat(pf24bit);
    image->SetSize(aw, ah);
    TCanvas* canvas = image->GetCanvas();
    canvas->GetBrush()->SetColor(static_cast<TColor>(
        GetPixel(picture->GetCanvas()->GetHandle(), Skin->ClRect.Left + 2, Skin->ClRect.Top + 2)));
    canvas->FillRect(frame.ClRect);
    canvas->Draw(0, 0, &top);
    canvas->Draw(0, top.GetHeight(), &left);
    canvas->Draw(frame.ClRect.Right, top.GetHeight(), &right);
    canvas->Draw(0, frame.ClRect.Bottom, &bottom);
    const int dx = aw - pw;
    for (const auto& record : Skin->ObjectList) {
        auto* caption = dynamic_cast<TskDataSkinCaption*>(record.get());
        if (!caption) continue;
        TRect r = caption->SkinRect;
        r.Right += dx;
        canvas->GetFont()->SetName(caption->FontName);
        canvas->GetFont()->SetHeight(caption->FontHeight);
        canvas->GetFont()->SetStyle(caption->FontStyle);
        canvas->GetFont()->SetColor(static_cast<TColor>(caption->ActiveFontColor));
        canvas->GetBrush()->SetStyle(bsClear);
        canvas->TextOut(r.Left + caption->TextRect.Left, r.Top + 1, "Vantorel");
    }
    return image;
}

TEST_F(ProgramSkin, ContactSheetShowsEveryStateAtSkinSizeAndLarger) {
    TSheet sheet;
    PlaceControls(sheet, Skin());
    PlaceMenuItems(sheet, Skin());
    PlaceWindow(sheet, Skin(), Skin()->PopupWindow.get(), Skin()->PopupWindow->ItemsRect);
    PlaceWindow(sheet, Skin(), Skin()->HintWindow.get(), Skin()->HintWindow->ClRect);
    sheet.NewRow();
    auto frame = FrameImage(Skin());
    // The frame's client area shows the client colour and no picture seams.
    const TColor client = static_cast<TColor>(GetPixel(
        Skin()->Picture->GetCanvas()->GetHandle(), Skin()->ClRect.Left + 2, Skin()->ClRect.Top + 2));
    EXPECT_EQ(GetPixel(frame->GetCanvas()->GetHandle(), frame->GetWidth() / 2,
                       frame->GetHeight() / 2),
              static_cast<COLORREF>(client));
    sheet.Place(frame.get());
    const TRect placed = sheet.LastPlaced();
    auto saved = sheet.Compose();
    saved->SaveToFile(ExeDir() + "skin-sheet.bmp");
    // The last row, the frame at the main window's size, shows whole on the sheet.
    ASSERT_GE(saved->GetHeight(), placed.Bottom);
    EXPECT_TRUE(ShotOf(saved.get(), placed) ==
                ShotOf(frame.get(), TRect(0, 0, frame->GetWidth(), frame->GetHeight())));
}

} // namespace

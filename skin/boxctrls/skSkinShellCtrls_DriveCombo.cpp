#include "skin/boxctrls/skSkinShellCtrls_DriveCombo.h"

#include "skin/boxctrls/skSkinShellCtrls_Drives.h"
#include "skin/boxctrls/skSkinShellCtrls_Shell.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"

#include <cctype>

using namespace Skshellctrls;

TskSkinShellDriveComboBox::TskSkinShellDriveComboBox(TComponent* AOwner)
    : TskSkinComboBox(AOwner), FDriveLetters(std::make_unique<TStringList>()) {
    MakeImages();
    SetStyle(skcbFixedStyle);
    const auto draw = TskDrawSkinItemEvent(this, &TskSkinShellDriveComboBox::DrawItem);
    OnComboBoxDrawItem = draw;
    SetOnListBoxDrawItem(draw);
}

TskSkinShellDriveComboBox::~TskSkinShellDriveComboBox() {
    // The drawing points at this object, which goes before the list does.
    OnComboBoxDrawItem = nullptr;
    SetOnListBoxDrawItem(nullptr);
}

void TskSkinShellDriveComboBox::Published(TPropertyList& P) {
    using C = TskSkinShellDriveComboBox;
    P.Add("Drive", &C::GetDrive, &C::SetDrive);
    P.Add("OnChange", &C::OnChange);
}

void TskSkinShellDriveComboBox::MakeImages() {
    FDriveImages = std::make_unique<TImageList>(nullptr);
    FDriveImages->ShareHandle(SmallSystemImages());
}

void TskSkinShellDriveComboBox::CreateWnd() {
    TskSkinComboBox::CreateWnd();
    BuildList();
}

void TskSkinShellDriveComboBox::UpdateDrives() {
    MakeImages();
    BuildList();
}

void TskSkinShellDriveComboBox::BuildList() {
    TStrings* items = GetItems();
    if (items->GetCount() > 0) {
        if (GetItemIndex() != -1) FLastIndex = GetItemIndex();
        items->Clear();
    }
    FDriveLetters->Clear();
    FIcons.clear();
    FDriveImages->ShareHandle(SmallSystemImages());
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (static_cast<int>(DriveProbe().MediaType(letter)) < 2) continue;
        const AnsiString root = AnsiString(1, letter) + ":\\";
        const TShellItem drive = PathItem(root);
        // A drive the shell cannot name still shows its letter.
        items->Add(drive.DisplayName.empty() ? root.substr(0, 2) : drive.DisplayName);
        FIcons.push_back(drive.Icon);
        FDriveLetters->Add(AnsiString(1, letter));
    }
    const int count = FDriveLetters->GetCount();
    if (count > 0) {
        const int index = FLastIndex < 0 || FLastIndex >= count ? 0 : FLastIndex;
        SetDrive(FDriveLetters->Get(index)[0]);
    }
    Repaint();
}

void TskSkinShellDriveComboBox::SetDrive(char Value) {
    const char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(Value)));
    // Chosen before the window, which builds the rows, exists: they are built now, so that
    // the choice holds and the window keeps it.
    if (FDriveLetters->GetCount() == 0) BuildList();
    if (drive != FDrive) {
        const int index = FDriveLetters->IndexOf(AnsiString(1, drive));
        if (index == -1) return;
        FDrive = drive;
        FLastIndex = index;
        SetItemIndex(index);
        return;
    }
    const int index = FLastIndex == -1 ? 0 : FLastIndex;
    if (GetItemIndex() != index && index < GetItems()->GetCount()) SetItemIndex(index);
}

void TskSkinShellDriveComboBox::Change() {
    // Selecting the drive's item below comes back here.
    if (FChanging) return;
    FChanging = true;
    try {
        const int index = GetItemIndex();
        if (index >= 0 && index < FDriveLetters->GetCount()) {
            FLastIndex = index;
            SetDrive(FDriveLetters->Get(index)[0]);
        }
    } catch (...) {
        FChanging = false;
        throw;
    }
    FChanging = false;
    if (OnChange) OnChange(this);
}

void TskSkinShellDriveComboBox::DrawItem(TCanvas* Canvas, int Index, int, int, const TRect& Rect,
                                         TOwnerDrawState) {
    if (Index < 0 || Index >= GetItems()->GetCount()) return;
    int x = Rect.Left;
    if (FDriveImages->GetCount() > 0 && Index < static_cast<int>(FIcons.size())) {
        const int h = FDriveImages->GetHeight();
        FDriveImages->Draw(Canvas, x, Rect.Top + (RectHeight(Rect) - h) / 2,
                           FIcons[static_cast<std::size_t>(Index)]);
        x += FDriveImages->GetWidth() + 4;
    }
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->TextOut(x, Rect.Top + (RectHeight(Rect) - Canvas->TextHeight("Wg")) / 2,
                    GetItems()->Get(Index));
}

REGISTER_CLASS(TskSkinShellDriveComboBox);

DEFINE_UNIT(skSkinShellCtrls_DriveCombo, uoSkin + 31, nullptr, nullptr);

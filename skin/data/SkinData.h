// TskSkinData: one loaded skin (pictures, records, areas and the form frame's
// geometry) that every skinned element shares and finds its record in by name.
//
// A load replaces the whole skin. Around every load and ClearSkin the forms hear 1225
// (the skin is about to change), 1226 (the new skin is in place) and 1227 (the change is
// over), but only when the owner is a form. A load that raises (a damaged description,
// picture or cursor file) leaves the loaded skin as it was and sends nothing.
#pragma once

#include "skin/data/SkinData_Pictures.h"
#include "skin/data/SkinData_Types.h"
#include "skin/data/SkinData_Windows.h"

#include "classlib/Component.h"

#include <functional>

class TskStoredSkin;
class TskCompressedStoredSkin;
class TPropertyList;

const int WM_BEFORECHANGESKINDATA = 1225;
const int WM_CHANGESKINDATA = 1226;
const int WM_AFTERCHANGESKINDATA = 1227;

// True when the five required sections all exist.
bool CheckSkinSections(TCustomIniFile* IniFile);
// Raises EReadError (EConvertError past the limit) when a count of the description's
// lists of pictures, cursors, areas, objects or controls exceeds the entries present.
void CheckSkinLists(TCustomIniFile* IniFile);

class TskSkinData : public TComponent {
    DECLARE_CLASS(TskSkinData, TComponent)
public:
    explicit TskSkinData(TComponent* AOwner);
    ~TskSkinData() override;
    static void Published(TPropertyList& P);
    static const TSkinFieldTable& FormInfoFields();

    TskStoredSkin* GetStoredSkin() const { return FStoredSkin; }
    // Loads the stored skin (outside design mode).
    void SetStoredSkin(TskStoredSkin* Value);
    TskCompressedStoredSkin* GetCompressedStoredSkin() const { return FCompressedStoredSkin; }
    void SetCompressedStoredSkin(TskCompressedStoredSkin* Value);

    // Each load reads everything before the skin is cleared: a damaged stored or
    // compressed skin, picture, cursor file or description raises and leaves the loaded
    // skin as it was. A description without a required section clears the skin.
    void LoadStoredSkin(TskStoredSkin* StoredSkin);
    // Does nothing for an empty compressed skin.
    void LoadCompressedStoredSkin(TskCompressedStoredSkin* CompressedStoredSkin);
    // A description file beside its pictures; EFOpenError when it does not exist.
    void LoadFromFile(const AnsiString& FileName);
    void LoadFromCompressedFile(const AnsiString& FileName);
    void SaveToCompressedFile(const AnsiString& FileName);
    // Writes the description to a new file; the old file stays whole when writing fails
    // (a record name that cannot be a section name, say).
    void SaveToFile(const AnsiString& FileName);
    void SaveToCustomIniFile(TCustomIniFile* IniFile);
    // Writes "skin.ini", every picture as a BMP and the cursor files read with the skin
    // into Path (which ends with a path separator), so that LoadFromFile of the
    // description reads the same skin. A skin that names cursors whose files were not
    // read with it (skipped) raises EWriteError, and nothing is written.
    void StoreToDisk(const AnsiString& Path);

    void ClearSkin();
    void ClearAll();
    void ClearObjects();
    void SendSkinDataMessage(int Msg);

    // The first record of that exact name; -1 when there is none.
    int GetIndex(const AnsiString& Name) const;
    int GetControlIndex(const AnsiString& Name) const;
    int GetAreaIndex(const AnsiString& Name) const;

    void AddBitMap(const AnsiString& FileName);
    // Records that index later pictures are not renumbered.
    void DeleteBitMap(int Index);
    void AddSkinArea(const AnsiString& Name, const TRect& R);

    void ReadFormInfo(TCustomIniFile* IniFile);
    void ReadAreas(TCustomIniFile* IniFile);
    void ReadObjects(TCustomIniFile* IniFile);
    void ReadCtrls(TCustomIniFile* IniFile);
    void ReadActivePictures(TCustomIniFile* IniFile, const AnsiString& Folder);
    void ReadCursors(TCustomIniFile* IniFile, const AnsiString& Folder);
    void WriteFormInfo(TCustomIniFile* IniFile);
    void WriteAreas(TCustomIniFile* IniFile);
    void WriteObjects(TCustomIniFile* IniFile);
    void WriteCtrls(TCustomIniFile* IniFile);
    void WriteActivePictures(TCustomIniFile* IniFile);
    void WriteCursors(TCustomIniFile* IniFile);

    bool Empty = true;

    AnsiString SkinName, SkinAuthor, AuthorEmail, AuthorURL, SkinComments;

    std::unique_ptr<TBitmap> Picture, Mask, RollUpPicture, RollUpMask;
    AnsiString PictureName, MaskName, RollUpPictureName, RollUpMaskName;
    TBitmapList ActivePictures;
    std::unique_ptr<TStringList> ActivePictureNames;

    int StartCursorIndex = 1;
    std::unique_ptr<TStringList> CursorNames;
    bool SkipCursorFiles = false;

    std::vector<std::unique_ptr<TskDataSkinObject>> ObjectList;
    std::vector<std::unique_ptr<TskDataSkinArea>> AreaList;
    std::vector<std::unique_ptr<TskDataSkinControl>> CtrlList;
    std::unique_ptr<TskDataSkinPopupWindow> PopupWindow;
    std::unique_ptr<TskDataSkinHintWindow> HintWindow;

    // The form frame.
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClRect;
    int BGPictureIndex = -1;
    bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;
    TRect ButtonsRect, CaptionRect;
    int ButtonsOffset = 0;
    bool ButtonsInLeft = false;
    TRect MaskRectArea;
    TPoint HitTestLTPoint, HitTestRTPoint, HitTestLBPoint, HitTestRBPoint;
    TPoint RollUpLeftPoint, RollUpRightPoint;
    TRect MainMenuRect, IconRect;
    bool MainMenuPopupUp = false;
    int BorderWidth = 0;
    int FormCursorIndex = -1;
    bool AutoRenderingInActiveImage = false;
    TskInActiveEffect InActiveEffect = ieBrightness;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // The file names a description gives.
    struct TPictureNames {
        std::array<AnsiString, 4> Main;
        std::vector<AnsiString> Active;
        std::vector<AnsiString> Cursors;
    };
    struct TStaged;
    // The load skeleton: Read runs between the clear and the completion messages; it
    // returns false when the description lacks a required section. Whatever can fail is
    // read before (staged), so that Read only takes it over.
    void RunLoad(const std::function<bool()>& Read);
    // A description without a required section: the skin is cleared, with the messages.
    void RejectLoad();
    // Form frame, popup and hint windows, areas (when asked), objects, controls.
    void ReadRecords(TCustomIniFile* IniFile, bool Areas);
    // The records From read from IniFile (the frame's fields are read again).
    void TakeRecords(TskSkinData& From, TCustomIniFile* IniFile);
    // Loads the cursor files of CursorNames and keeps their contents; the cursors are
    // returned to be installed. A file that cannot be loaded raises, and nothing is kept.
    std::vector<HCURSOR> LoadCursorFiles(TCustomIniFile* IniFile, const AnsiString& Folder);
    // Puts the cursors into the screen's table from StartCursorIndex on and empties Cursors.
    void InstallCursors(std::vector<HCURSOR>& Cursors);
    void ReadVersion(TCustomIniFile* IniFile, bool All);
    // "startcursorindex", raised to 1 when lower (all a stored skin reads of its cursors).
    void ReadStartCursorIndex(TCustomIniFile* IniFile);
    void ReadPictureNames(TCustomIniFile* IniFile);
    void AdoptPictures(TSkinPictures& Pictures);
    void WriteDescription(TCustomIniFile* IniFile, const TPictureNames& Names);
    TPictureNames CurrentPictureNames() const;
    std::array<TBitmap*, 4> MainPictures() const;

    void WriteCursorList(TCustomIniFile* IniFile, const std::vector<AnsiString>& Names);
    // The contents of the cursor files read with the skin, one for each of CursorNames
    // when their files were read (none when they were skipped).
    std::vector<std::string> FCursorFiles;

    TskStoredSkin* FStoredSkin = nullptr;
    TskCompressedStoredSkin* FCompressedStoredSkin = nullptr;
};

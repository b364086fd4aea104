// TskStoredSkin: a whole skin kept in a form resource: the description text in
// IniStrings and the decoded pictures in the binary property "Pictures".
#pragma once

#include "skin/data/SkinData_Pictures.h"

#include "classlib/Component.h"
#include "classlib/StringList.h"

class TPropertyList;

class TskStoredSkin : public TComponent {
    DECLARE_CLASS(TskStoredSkin, TComponent)
public:
    explicit TskStoredSkin(TComponent* AOwner);
    static void Published(TPropertyList& P);
    void DefineProperties(TFiler* Filer) override;

    const AnsiString& GetFileName() const { return FFileName; }
    void SetFileName(const AnsiString& Value) { FFileName = Value; }
    TStrings* GetIniStrings() const { return IniStrings.get(); }
    void SetIniStrings(TStrings* Value) { IniStrings->Assign(Value); }

    // Frees the active pictures; the four main pictures stay.
    void ClearBitMaps();
    // The "Pictures" property. Reading replaces every picture, and only once all of
    // them have been read; damaged data raises EReadError and changes nothing.
    void ReadData(TStream* Stream);
    void WriteData(TStream* Stream);
    // Takes the description file and the pictures it names from a skin folder. Nothing
    // changes unless every file could be read; a list of the description that counts more
    // entries than it holds raises EReadError.
    void LoadFromFile(const AnsiString& FileName);

    std::array<TBitmap*, 4> MainPictures() const;

    std::unique_ptr<TStringList> IniStrings;
    std::unique_ptr<TBitmap> Picture, Mask, RollUpPicture, RollUpMask;
    TBitmapList ActivePictures;

private:
    void Adopt(TSkinPictures& Pictures);
    AnsiString FFileName;
};

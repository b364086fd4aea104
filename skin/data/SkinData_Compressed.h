// TskCompressedStoredSkin: a whole skin as one zlib block, in a form resource
// ("CompressedData") or in a compressed skin file.
//
// The block inflates to the payload: the 32-bit version 1, the pictures in the stored
// skin's layout, then the description text to the end. The file holds the version 1,
// the block's length N and the block.
#pragma once

#include "skin/data/SkinData_Pictures.h"

#include "classlib/Component.h"
#include "classlib/StringList.h"
#include "classlib/Streams.h"

class TPropertyList;
class TskSkinData;
class TskCompressedStoredSkin;

// Payloads inflating past this are refused.
constexpr Int64 MaxSkinPayloadSize = Int64{64} << 20;

struct TSkinPayload {
    TSkinPictures Pictures;
    std::unique_ptr<TStringList> Description;
};

// Inflates and splits the component's block; damaged data raises EDecompressionError
// (the block) or EReadError (a payload of another version than 1, the pictures, binary data
// where the description should be), naming the component's property.
TSkinPayload ReadSkinPayload(TskCompressedStoredSkin* Skin);

class TskCompressedStoredSkin : public TComponent {
    DECLARE_CLASS(TskCompressedStoredSkin, TComponent)
public:
    explicit TskCompressedStoredSkin(TComponent* AOwner);
    static void Published(TPropertyList& P);
    void DefineProperties(TFiler* Filer) override;

    // While designing (not loading), setting a file name also reads that file and keeps
    // its bare name; otherwise the value is only stored.
    const AnsiString& GetFileName() const { return FFileName; }
    void SetFileName(const AnsiString& Value);
    const AnsiString& GetCompressedFileName() const { return FCompressedFileName; }
    void SetCompressedFileName(const AnsiString& Value);

    bool GetEmpty() const;
    // Inflates the block into Stream from its position (at most MaxSkinPayloadSize bytes).
    void DeCompressToStream(TMemoryStream* Stream);
    void LoadFromSkinData(TskSkinData* SkinData);
    // A skin folder's description and BMP pictures. A description lacking a required
    // section changes nothing; so does any error (a list of the description that counts
    // more entries than it holds raises EReadError).
    void LoadFromIniFile(const AnsiString& FileName);
    // A compressed skin file of another version leaves the component empty; a
    // damaged one (one whose block length is not the rest of the file) raises
    // EReadError and changes nothing.
    void LoadFromCompressFile(const AnsiString& FileName);
    // Writes nothing when empty.
    void SaveToCompressFile(const AnsiString& FileName);

    void ReadData(TStream* Stream);
    void WriteData(TStream* Stream);

    std::unique_ptr<TMemoryStream> CompressedStream;

private:
    // Compresses version 1, the pictures and the description lines into a new block.
    void Compress(const std::array<TBitmap*, 4>& Main, const TBitmapList& Active,
                  TStrings* Description);

    AnsiString FFileName;
    AnsiString FCompressedFileName;
};

// TPicture: holds one picture of any kind and loads it by the file's extension.
#pragma once

#include "classlib/Bitmaps.h"
#include "classlib/Icons.h"

#include <memory>

// File extensions (ignoring case): ".bmp" gives a TBitmap, ".jpg" and ".jpeg" a
// TJPEGImage, ".ico" a TIcon, ".emf" and ".wmf" a TMetafile. Any other extension raises EInvalidGraphic
// "Unknown picture file extension (.xyz)".
//
// The picture owns its graphic and fires OnChange when the graphic is replaced or
// changes itself.
class TPicture : public TPersistent {
    DECLARE_CLASS(TPicture, TPersistent)
public:
    TPicture();
    ~TPicture() override;

    TNotifyEvent OnChange;

    // Null when the picture is empty.
    TGraphic* GetGraphic() const { return FGraphic.get(); }
    // Holds a copy of Value as the kind of graphic it is or derives from (null empties
    // the picture). A graphic of another kind raises EInvalidGraphic.
    void SetGraphic(TGraphic* Value);
    // The picture as a bitmap: when it holds another kind of graphic or none, that is
    // replaced by a new, empty TBitmap first.
    TBitmap* GetBitmap();
    void SetBitmap(TBitmap* Value) { SetGraphic(Value); }

    int GetWidth() const { return FGraphic ? FGraphic->GetWidth() : 0; }
    int GetHeight() const { return FGraphic ? FGraphic->GetHeight() : 0; }

    // The graphic is replaced only when the whole file could be read.
    void LoadFromFile(const AnsiString& FileName);
    // Writes the graphic in its own format; an empty picture writes nothing.
    void SaveToFile(const AnsiString& FileName);

    // From a TPicture or a TGraphic (copies), or null (empties); any other source is
    // asked to AssignTo this picture.
    void Assign(TPersistent* Source) override;

    // The binary property "Data" of form resources: the graphic's class name (a length byte
    // and its characters), then the graphic's own "Data"; stored when there is a graphic.
    // A class that is no picture kind, or damaged graphic data, raises EReadError.
    void DefineProperties(TFiler* Filer) override;
    void ReadData(TStream* Stream);
    void WriteData(TStream* Stream);

protected:
    // Assigns the graphic to Dest when there is one.
    void AssignTo(TPersistent* Dest) override;

private:
    void Replace(std::unique_ptr<TGraphic> Graphic);
    void GraphicChanged(TObject* Sender);

    std::unique_ptr<TGraphic> FGraphic;
};

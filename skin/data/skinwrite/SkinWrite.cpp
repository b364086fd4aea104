// skinwrite: stores a skin folder in the two forms the program is built with.
//
//   skinwrite SKIN_INI DATA_MODULE_FORM COMPRESSED_SKIN
//
// Reads the description SKIN_INI and the pictures it names, then writes the data
// module's form (a stored skin "STS_StoredSkin" and the skin data "STS_SkinData" that
// loads it) and the compressed skin file. The form is written in its binary form, which
// the program reads where it lies in its resources: as text, its pictures would be
// megabytes of hexadecimal digits to decode at every start. Run at build time; any error ends it
// with a message and a non-zero exit code, and writes nothing further.
#include "skin/data/SkinData.h"
#include "skin/data/SkinData_Compressed.h"
#include "skin/data/SkinData_Stored.h"

#include "classlib/FormLoader.h"
#include "classlib/Forms.h"
#include "classlib/Streams.h"
#include "classlib/UnitInit.h"

#include <cstdio>
#include <exception>

namespace {

// The program's data module, under the class name its form resource is read with.
class TDMM : public TDataModule {
    DECLARE_CLASS(TDMM, TDataModule)
public:
    explicit TDMM(TComponent* AOwner) : TDataModule(AOwner) {}
};

void Write(const AnsiString& IniFile, const AnsiString& FormFile, const AnsiString& SkinFile) {
    TDMM root(nullptr);
    root.SetName("DMM");
    auto* stored = new TskStoredSkin(&root);
    stored->SetName("STS_StoredSkin");
    stored->LoadFromFile(IniFile);
    stored->SetFileName("skin.ini");
    auto* data = new TskSkinData(&root);
    data->SetName("STS_SkinData");
    data->SetStoredSkin(stored);
    if (data->Empty) throw Exception(IniFile + " lacks a required section");
    TMemoryStream form;
    WriteComponentStream(&form, &root);
    form.SaveToFile(FormFile);

    TskCompressedStoredSkin compressed(nullptr);
    compressed.LoadFromIniFile(IniFile);
    if (compressed.GetEmpty()) throw Exception(IniFile + " lacks a required section");
    compressed.SaveToCompressFile(SkinFile);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: skinwrite SKIN_INI DATA_MODULE_FORM COMPRESSED_SKIN\n");
        return 2;
    }
    try {
        InitializeUnits();
        Write(argv[1], argv[2], argv[3]);
        FinalizeUnits();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skinwrite: %s\n", e.what());
        return 1;
    }
    return 0;
}

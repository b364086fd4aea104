// Program entry: the main window, the data module and the about box, then the message
// loop until the main window closes.
#include "app/About_sl.h"
#include "app/Dm.h"
#include "app/Segled.h"

#include "classlib/Forms.h"
#include "classlib/UnitInit.h"

#include "classlib/Platform.h"

#include <exception>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        InitializeUnits();
    } catch (const std::exception& e) {
        MessageBoxA(nullptr, e.what(), "Vantorel", MB_OK | MB_ICONSTOP);
        return 0;
    }
    try {
        Application->Initialize();
        Application->SetTitle("Vantorel");
        Application->CreateForm(FM);
        Application->CreateForm(DMM);
        Application->CreateForm(FAbout);
        Application->OnException = TExceptionEvent(FM, &TFM::ShowError);
        Application->Run();
    } catch (const std::exception& e) {
        Application->ShowException(e);
    }
    // The skinned box goes with the main window: what fails after it, the system's box shows.
    Application->OnException = nullptr;
    try {
        FinalizeUnits();
    } catch (const std::exception& e) {
        MessageBoxA(nullptr, e.what(), "Vantorel", MB_OK | MB_ICONSTOP);
    }
    return 0;
}

#include "classlib/WindowProcErrors.h"

#include "classlib/Exceptions.h"
#include "classlib/Platform.h"

namespace {

TWindowProcErrorHandler gHandler = nullptr;

void Report(TObject* Sender, const std::exception& E) {
    if (gHandler)
        gHandler(Sender, E);
    else
        OutputDebugStringA(E.what());
}

} // namespace

void HandleWindowProcException(TObject* Sender) {
    try {
        try {
            throw;
        } catch (const std::exception& e) {
            Report(Sender, e);
        } catch (...) {
            Report(Sender, Exception("Unknown exception"));
        }
    } catch (...) {
        // Nothing may leave a window procedure, not even a failing exception handler.
    }
}

TWindowProcErrorHandler SetWindowProcErrorHandler(TWindowProcErrorHandler Handler) {
    TWindowProcErrorHandler previous = gHandler;
    gHandler = Handler;
    return previous;
}

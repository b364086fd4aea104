// What happens to an exception that reaches a window procedure. No exception may cross a
// system frame, so every procedure that calls into our code catches everything and hands
// it here; the application object installs the handler that reports it.
#pragma once

#include "classlib/Objects.h"

#include <exception>

using TWindowProcErrorHandler = void (*)(TObject* Sender, const std::exception& E);

// Hands the exception being handled (call it in a catch block) to the installed handler,
// and anything that goes wrong there to nobody. Without a handler the message goes to the
// debugger's output.
void HandleWindowProcException(TObject* Sender);
// Installs Handler (null: none) and returns the previous one.
TWindowProcErrorHandler SetWindowProcErrorHandler(TWindowProcErrorHandler Handler);

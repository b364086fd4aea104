// Opening a document or address with the program the system associates with it.
#pragma once

#include "classlib/Types.h"

#include "classlib/Platform.h"

#include <functional>

// The shell call: the system's ShellExecuteA unless a test put another in its place.
using TShellExecute =
    std::function<HINSTANCE(HWND Owner, const char* Verb, const char* File, const char* Parameters,
                            const char* Directory, int ShowCommand)>;
// Sets the shell call and returns the previous one; an empty Function restores the system's.
TShellExecute SetShellExecute(TShellExecute Function);

// Opens FileName (a file or an address) with the "open" verb, no parameters and no working
// folder, shown normally. False when the shell reports failure.
bool ShellOpen(const AnsiString& FileName, HWND Owner = nullptr);
// The same, returning the shell's answer: above 32 on success, else a failure code.
INT_PTR ShellOpenCode(const AnsiString& FileName, HWND Owner = nullptr);
// The same, raising EOSError "Cannot open FileName: reason" on failure.
void ShellOpenOrRaise(const AnsiString& FileName, HWND Owner = nullptr);
// The text for a failure code of the shell call (a result of 32 or below).
AnsiString ShellErrorText(INT_PTR Code);
// Whether a failure code says that no program is set for the file's kind.
bool IsNoProgramError(INT_PTR Code);

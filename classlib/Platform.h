// The one place our code includes the Windows headers. The build sets their options
// (WIN32_LEAN_AND_MEAN, NOMINMAX, STRICT, the target version). Some system names are
// macros that switch between ANSI and wide functions and would rename ours: they are
// undone here once, so our names mean ours everywhere and code that wants the system
// function writes its ...A name (RegisterClassA, GetObjectA, DeleteFileA).
#pragma once

#include <windows.h>

#undef RegisterClass
#undef GetObject
#undef DeleteFile

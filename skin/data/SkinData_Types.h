// The type words of the lists [SKINCONTROLS] and [SKINOBJECTS] and the record class
// each selects. Words are compared exactly; the same word may stand in both lists
// for different classes.
#pragma once

#include "skin/data/SkinData_EditControls.h"
#include "skin/data/SkinData_Objects.h"

#include <vector>

template <typename R> struct TSkinRecordType {
    const char* TypeName;
    const TClassInfo* Class;
    R* (*Create)(const AnsiString& Name);
};

const std::vector<TSkinRecordType<TskDataSkinControl>>& SkinControlTypes();
const std::vector<TSkinRecordType<TskDataSkinObject>>& SkinObjectTypes();

// A new record of the word's class named Name; null for an unknown word.
TskDataSkinControl* CreateSkinControl(const AnsiString& TypeName, const AnsiString& Name);
TskDataSkinObject* CreateSkinObject(const AnsiString& TypeName, const AnsiString& Name);

// The word of the record's own class, else of its nearest base; empty when none has one.
AnsiString SkinControlTypeName(const TskDataSkinControl* Record);
AnsiString SkinObjectTypeName(const TskDataSkinObject* Record);

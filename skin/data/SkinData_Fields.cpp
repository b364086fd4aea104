#include "skin/data/SkinData_Fields.h"

void ReadSkinFields(TObject* Record, const TSkinFieldLevels& Levels, TCustomIniFile* Ini,
                    const AnsiString& Section) {
    for (const TSkinFieldTable* table : Levels)
        for (const TSkinField& field : *table)
            field.Read(Record, Ini, Section);
}

void WriteSkinFields(const TObject* Record, const TSkinFieldLevels& Levels, TCustomIniFile* Ini,
                     const AnsiString& Section) {
    for (const TSkinFieldTable* table : Levels) {
        std::vector<const TSkinField*> order;
        for (const TSkinField& field : *table)
            order.push_back(&field);
        std::stable_sort(order.begin(), order.end(), [](const TSkinField* a, const TSkinField* b) {
            return a->Written < b->Written;
        });
        for (const TSkinField* field : order)
            field->Write(Record, Ini, Section);
    }
}

bool SameSkinFields(const TObject* A, const TObject* B, const TSkinFieldLevels& Levels) {
    for (const TSkinFieldTable* table : Levels)
        for (const TSkinField& field : *table)
            if (!field.Same(A, B)) return false;
    return true;
}

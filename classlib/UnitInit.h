// Ordered start-up and shut-down of the program's units.
//
// C++ runs the static initialisers of different source files in no defined
// order, so a unit that needs start-up work (filling tables, reading locale
// settings, choosing routine variants) does not do it in a static constructor.
// Instead it registers an init and a fini routine with an order key, and
// InitializeUnits() runs the inits sorted by key before anything else happens;
// FinalizeUnits() runs the finis in reverse.
//
// A unit's header says DECLARE_UNIT(Name) and its .cpp says
// DEFINE_UNIT(Name, Order, Init, Fini). The registration object lives in the
// unit's own object file, and a linker only takes an object file out of a
// static library when something refers to it. DECLARE_UNIT therefore leaves,
// in every source file that includes the unit's header, a kept reference to the
// registration: a program that includes a unit's header contains that unit and
// runs its start-up, whether or not it calls any of its functions (a unit that
// only registers classes for lookup by name is still started).
#pragma once

#include <cstddef>
#include <vector>

// Order keys of the unit groups, spaced so that units can sit between them.
enum TUnitOrder : int {
    // The class library's own units come first.
    uoClassLib = 100,
    // Grid library: message table, then the date unit, then the locale unit,
    // then its other modules, the table unit last among them.
    uoGridMessages = 200,
    uoGridDate = 210,
    uoGridLocale = 220,
    uoGridModules = 250,
    uoGridTable = 290,
    // Bitmap library, in the order its modules depend on one another.
    uoBmp32System = 400,
    uoBmp32LowLevel = 410,
    uoBmp32Containers = 420,
    uoBmp32Blend = 430,
    uoBmp32DrawingEx = 440,
    uoBmp32OrdinalMaps = 450,
    uoBmp32Rasterizers = 460,
    uoBmp32VectorMaps = 470,
    uoBmp32Transforms = 480,
    uoBmp32Resamplers = 490,
    uoBmp32Filters = 500,
    uoBmp32 = 510,
    uoBmp32Math = 520,
    uoBmp32Layers = 530,
    uoBmp32RepaintOpt = 540,
    uoBmp32MicroTiles = 550,
    uoBmp32RangeBars = 560,
    uoBmp32Image = 570,
    uoBmp32Polygons = 580,
    // Skinning library.
    uoSkin = 700,
    // The editor itself.
    uoApp = 900,
};

using TUnitProc = void (*)();

// A list of units with their start-up state. The program has one
// (GlobalUnits()); tests build their own.
class TUnitRegistry {
public:
    // Records a unit; Init and Fini may be null.
    void Add(const char* Name, int Order, TUnitProc Init, TUnitProc Fini);

    // Runs, sorted by order key (equal keys in order of registration), the
    // init of every unit that is not started yet. When an init throws, the
    // units started so far are finalised in reverse and the exception goes on;
    // exceptions of those finis are dropped in favour of the init's.
    void Initialize();
    // Runs the fini of every started unit, last started first. All finis run
    // even when one throws; the first exception is raised afterwards.
    void Finalize();

    std::size_t Count() const { return FUnits.size(); }
    std::size_t StartedCount() const { return FStarted.size(); }
    bool IsStarted(const char* Name) const;

private:
    struct TUnit {
        const char* Name;
        int Order;
        TUnitProc Init;
        TUnitProc Fini;
        bool Started;
    };
    std::vector<TUnit> FUnits;
    std::vector<std::size_t> FStarted; // indexes into FUnits, in start order
};

// The program's units, filled by the DEFINE_UNIT objects.
TUnitRegistry& GlobalUnits();

void InitializeUnits();
void FinalizeUnits();

// The object that DEFINE_UNIT places in a unit's .cpp.
class TUnitRegistration {
public:
    TUnitRegistration(const char* Name, int Order, TUnitProc Init, TUnitProc Fini) {
        GlobalUnits().Add(Name, Order, Init, Fini);
    }
};

#define DECLARE_UNIT(Name)                                                                         \
    extern TUnitRegistration Name##_Unit;                                                          \
    namespace {                                                                                    \
    [[gnu::used]] const TUnitRegistration* const Name##_UnitAnchor = &Name##_Unit;                 \
    }

#define DEFINE_UNIT(Name, Order, Init, Fini) TUnitRegistration Name##_Unit(#Name, Order, Init, Fini)

#include "store/platform/RegistryApi.h"

#include "store/platform/BuiltinHive.h"

namespace store {

// The program's store is its own SQLite, on Windows too: no driver has to be installed, and a
// 64-bit Windows has no Jet OLE DB 4.0 provider at all. So the probe reads the built-in hive
// everywhere, in which that store stands registered; the real registry would only ever say
// "Kein Access-Treiber" about a driver the program does not use.
RegistryApi& SystemRegistry() {
    static BuiltinHive hive = BuiltinHive::WithOwnStore();
    return hive;
}

}  // namespace store

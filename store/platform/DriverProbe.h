#pragma once

#include <string>
#include <string_view>

#include "store/platform/RegistryApi.h"

namespace store {

inline constexpr std::string_view kJet40ClassKey = "SOFTWARE\\Classes\\Microsoft.Jet.OLEDB.4.0";
inline constexpr std::string_view kJet351ClassKey = "SOFTWARE\\Classes\\Microsoft.Jet.OLEDB.3.51";
inline constexpr std::string_view kOdbcDriversKey = "SOFTWARE\\ODBC\\ODBCINST.INI\\ODBC Drivers";

// Chooses how to reach the database at `databasePath` by reading the registry below
// HKEY_LOCAL_MACHINE: the Jet OLE DB 4.0 provider, else 3.51, else the first ODBC driver whose
// name contains "*.mdb" (any case). Returns the connection text, or the empty text when no
// driver is installed.
std::string ProbeConnectionText(RegistryApi& registry, const std::string& databasePath);

}  // namespace store

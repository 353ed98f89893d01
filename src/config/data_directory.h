#pragma once

#include <filesystem>

namespace liftvox {

// Where a program whose executable lies in `executableDir` finds the shipped
// data (Languages/, Icons/, Help/, Interfaces.ini, Default.DIL):
// 1. `chosen` when not empty (the --data option), made absolute;
// 2. `executableDir` itself when it holds a Languages folder: a build tree,
//    or a copy kept in one folder;
// 3. `executableDir`/../share/liftvox when that holds one: a copy installed
//    under any prefix (/usr, /usr/local, /opt/liftvox);
// 4. otherwise `executableDir`, so that what is missing is reported there.
// Stored sample paths are relative to this folder, so it is returned without
// ".." parts.
std::filesystem::path FindDataDirectory(const std::filesystem::path& executableDir,
                                        const std::filesystem::path& chosen = {});

}  // namespace liftvox

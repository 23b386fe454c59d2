#pragma once
#include <QString>

namespace platform {

// Lookups of the kind "is there such a file?", as the program asks them: a hidden item (on Linux
// one whose name begins with a dot) counts as not there.

// An ordinary file (not a folder, not hidden) at exactly `path`.
bool OrdinaryFileExists(const QString& path);

// A folder or an ordinary file at `path`, neither of them hidden.
bool FolderOrFileExists(const QString& path);

}  // namespace platform

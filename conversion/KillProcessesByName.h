#pragma once
#include <QString>

namespace conversion {

// Whether a process's image name ends with `imageName`, letter case ignored. A shorter name is
// compared whole and so never matches.
bool ImageNameMatches(const QString& processImageName, const QString& imageName);

// Terminates every process this user may terminate whose image name ends with `imageName`,
// without waiting for any of them. Failures are ignored.
void KillProcessesByName(const QString& imageName);

}  // namespace conversion

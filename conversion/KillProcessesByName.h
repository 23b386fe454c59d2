#pragma once
#include <QString>

namespace conversion {

// Whether a process's image name ends with `imageName`, letter case ignored. A shorter name is
// compared whole and so never matches.
bool ImageNameMatches(const QString& processImageName, const QString& imageName);

// Stops every converter this program runs whose image name ends with `imageName`, through the run
// that owns it (ConverterRun::Stop), without waiting for any of them. A converter the user runs
// by hand is not this program's to stop. Failures are ignored.
void KillProcessesByName(const QString& imageName);

}  // namespace conversion

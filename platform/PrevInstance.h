#pragma once
#include <QString>

namespace platform {

// Stands in for the run-time's PrevInstance: takes this user's single-instance lock for the rest of
// the process and answers true when another running instance already holds it. The lock is held by
// the kernel for the process, so a crashed or killed instance never leaves it stuck.
// `lockName` lets tests use a lock of their own.
bool PrevInstance(const QString& lockName = QStringLiteral("quillbrook"));

// The path of `fileName` in the user's runtime folder, where the lock and its hand-over socket live.
QString InstanceFile(const QString& fileName);

}  // namespace platform

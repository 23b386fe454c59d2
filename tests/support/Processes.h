#pragma once
// Waiting through the event loop, and the test's own children and descriptors: what tests of
// converter runs need to prove that nothing is left behind.
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTest>
#include <functional>

namespace testsupport {

// Runs the event loop (and so the window's timer) until `done` holds; false on the deadline.
inline bool WaitUntil(const std::function<bool()>& done, int milliseconds = 20000) {
  return QTest::qWaitFor(done, milliseconds);
}

// Children of this test, running or not yet collected.
inline QList<int> OwnChildren() {
  QList<int> children;
  const QStringList ids = QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  for (const QString& id : ids) {
    QFile stat("/proc/" + id + "/stat");
    if (!stat.open(QIODevice::ReadOnly)) continue;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 1).simplified().split(' ');
    if (fields.size() > 1 && fields[1].toInt() == getpid()) children.append(id.toInt());
  }
  return children;
}

inline int OpenDescriptors() {
  return int(QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::System).size());
}

}  // namespace testsupport

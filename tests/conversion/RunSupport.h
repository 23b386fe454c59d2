#pragma once
// What the tests of whole converter runs share: waiting through the event loop, the test's own
// children and descriptors, and a window that remembers every status text it showed.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <memory>
#include <unistd.h>

#include "FakeControlView.h"
#include "tests/support/QStringPrinter.h"
#include "conversion/ConversionWindow.h"
#include "platform/CreateToolhelp32Snapshot.h"

namespace testsupport {

// Runs the event loop (and so the window's timer) until `done` holds; false on the deadline.
inline bool WaitUntil(const std::function<bool()>& done, int milliseconds = 20000) {
  QDeadlineTimer deadline(milliseconds);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  return true;
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

// The percentages the status line showed, in order.
inline QList<int> Percentages(const QStringList& statusTexts) {
  QList<int> percents;
  for (const QString& t : statusTexts) {
    if (t.startsWith("Converting video... ")) percents.append(t.section(' ', 2, 2).chopped(1).toInt());
  }
  return percents;
}

inline int OpenDescriptors() { return int(QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::System).size()); }

// Cancelling terminates converters by name; a test must touch only the ones it started.
inline void KeepProcessListToOwnChildren() {
  platform::testing::SetCreateToolhelp32SnapshotDouble([](std::vector<platform::ProcessEntry> all) {
    std::erase_if(all, [](const platform::ProcessEntry& e) { return e.th32ParentProcessID != getpid(); });
    return all;
  });
}

class RecordingView : public FakeControlView {
 public:
  QStringList statusTexts;
  void SetText(const QString& c, const QString& t) override {
    if (c == "T1_0") statusTexts.append(t);
    FakeControlView::SetText(c, t);
  }
};

// The conversion window on a view, over a program folder of the test's choosing.
struct WindowUnderTest {
  RecordingView view;
  QString input;
  QString chosenFolder;
  conversion::ConversionWindow window;

  WindowUnderTest(const QString& programFolder, QString inputPath)
      : input(std::move(inputPath)),
        window(view, programFolder, [this] { return input; }, [this] { return chosenFolder; }) {
    window.Form_Load();
  }

  bool Idle() const {
    return !window.Timer1.isActive() && view.IsEnabled("B1_1") && view.IsEnabled("B1_4") && view.IsEnabled("CBO") &&
           !view.IsEnabled("B1_0");
  }
  bool WaitForIdle(int milliseconds = 20000) {
    return WaitUntil([this] { return Idle(); }, milliseconds);
  }
};

}  // namespace testsupport

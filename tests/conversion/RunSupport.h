#pragma once
// What the tests of whole converter runs share: a window that remembers every status text it
// showed, over a program folder of the test's choosing.
#include <QTemporaryDir>
#include <memory>

#include "FakeControlView.h"
#include "conversion/ConversionWindow.h"
#include "platform/RememberedChoices.h"
#include "tests/support/Processes.h"
#include "tests/support/QStringPrinter.h"

namespace testsupport {

using namespace view::frmConvert;
using enum view::frmConvert::Button;

// The window's status texts.
inline const QString Loading = QString::fromUtf16(conversion::LoadingStatus);
inline const QString Converting = QString::fromUtf16(conversion::ProgressStatus).section(u'%', 0, 0);
inline const QString Done = QString::fromUtf16(conversion::DoneStatus);
inline const QString Cancelled = QString::fromUtf16(conversion::CancelledStatus);
inline const QString Failed = QString::fromUtf16(conversion::FailedStatus);
inline const QString StartFailed = QString::fromUtf16(conversion::StartFailedStatus);
inline const QString ConverterMissing = QString::fromUtf16(conversion::ConverterMissingText);

// The percentages the status line showed, in order.
inline QList<int> Percentages(const QStringList& statusTexts) {
  QList<int> percents;
  for (const QString& t : statusTexts) {
    if (t.startsWith(Converting)) percents.append(t.mid(Converting.size()).section(u'%', 0, 0).toInt());
  }
  return percents;
}

class RecordingView : public FakeControlView {
 public:
  RecordingView() : FakeControlView(view::frmConvertSpec) {}
  QStringList statusTexts, barTexts, timeLeftTexts, captions;
  void SetText(const QString& c, const QString& t) override {
    if (c == StatusLine) statusTexts.append(t);
    if (c == ProgressBar) barTexts.append(t);
    if (c == TimeLeftLabel) timeLeftTexts.append(t);
    FakeControlView::SetText(c, t);
  }
  void SetCaption(const QString& c) override {
    captions.append(c);
    FakeControlView::SetCaption(c);
  }
};

// The conversion window on a view, over a program folder of the test's choosing.
struct WindowUnderTest {
  platform::testing::ScopedChoices choices;  // nothing remembered from an earlier window
  RecordingView view;
  QString input;
  QString chosenFolder;
  conversion::ConversionWindow window;

  WindowUnderTest(const QString& programFolder, QString inputPath)
      : input(std::move(inputPath)),
        window(
            view, programFolder, [this] { return input; }, [this] { return chosenFolder; }) {
    window.Form_Load();
  }

  // "Cut:" checked, from `start` to `end` in the seconds boxes.
  void Cut(const QString& start, const QString& end) {
    view.checked[CutCheckBox] = true;
    window.CHk1_Click();
    view.texts[StartSecondsBox] = start;
    view.texts[EndSecondsBox] = end;
  }

  bool Idle() const {
    return !window.Ticking() && view.IsEnabled(ConvertButton) && view.IsEnabled(InformationButton) &&
           view.IsEnabled(FormatList) && !view.IsEnabled(CancelButton);
  }
  bool WaitForIdle(int milliseconds = 20000) {
    return WaitUntil([this] { return Idle(); }, milliseconds);
  }
};

}  // namespace testsupport

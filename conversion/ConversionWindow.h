#pragma once
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <optional>
#include <functional>

#include "conversion/ConverterRun.h"
#include "conversion/FormatCatalogue.h"

namespace view {
class ControlView;
}

namespace conversion {

// The title of the output folder chooser that Browse shows.
inline constexpr char16_t FolderDialogTitle[] = u"Select Video Output Folder";

// The conversion window's behaviour and window-level state, over its controls: "T1_0" status
// line, "T1_1" output folder, "T1_2" information box, "T2_0".."T2_5" cut boxes, "CHk1" Cut:,
// "CBO" format list, "B1_0".."B1_5" Cancel, Convert, Browse, Open, Display Video Information, Exit.
// The window creates the controls, forwards their events to the handlers of the same names and
// closes itself on closeRequested().
class ConversionWindow : public QObject {
  Q_OBJECT

 public:
  // `mainWindowFileText` yields the main window's "T5" (the chosen video); `browseForFolder`
  // shows the folder chooser and yields the chosen folder, empty when cancelled.
  ConversionWindow(view::ControlView& view, QString applicationDirectory,
                   std::function<QString()> mainWindowFileText, std::function<QString()> browseForFolder,
                   QObject* parent = nullptr);

  void Form_Load();
  // Closing the window during a run cancels it as Cancel does and lets the child go.
  void Form_Unload();
  void B1_Click(int index);
  void CHk1_Click();
  // Returns the character to keep, or a null character to discard it.
  QChar T2_KeyPress(int index, QChar typed);
  void T2_Change(int index);
  void SetInputsEnabled(bool enabled);
  void CancelConvert();
  void Timer1_Timer();

  bool CancelRequested = false;
  bool InfoOnly = false;
  int CutStartSeconds = 0;
  int CutEndSeconds = 0;
  QString InputPath;
  QString InputBaseName;
  QString OutputPath;
  conversion::ConversionSettings ConversionSettings;
  int InputDurationSeconds = 0;
  QTimer Timer1;

 signals:
  void closeRequested();

 private:
  void RunSequence(bool informationOnly);
  bool PassesChecks();
  void ApplyFormat(const QString& formatName);
  void StartConversion();
  void LaunchConverter(const QStringList& arguments);
  void TakeFindings(const OutputFindings& findings);
  // Asks every converter of this program, this window's own among them, to stop.
  void StopConverter();
  // The stop sequence, once the converter has exited or the window closes.
  void StopRun();
  // Back to idle, whichever way the run ended, with nothing of it kept for the next.
  void EndRun();
  // The default output folder comes into being when a run or Open first needs it.
  void CreateDefaultFolderInUse();

  view::ControlView& view_;
  const QString applicationDirectory_;
  QString defaultFolder_;
  const std::function<QString()> mainWindowFileText_;
  const std::function<QString()> browseForFolder_;
  ConverterRun run_;
  // Where an information run lets the converter write, instead of the output folder.
  std::optional<QTemporaryDir> scratch_;
  bool inTick_ = false;
};

}  // namespace conversion

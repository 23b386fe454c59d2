#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <optional>

#include "conversion/ConverterArguments.h"
#include "conversion/ConverterRun.h"
#include "conversion/FormatCatalogue.h"
#include "conversion/ProgressDisplay.h"
#include "view/frmConvertControls.h"

namespace view {
class ControlView;
}

namespace conversion {

// The title of the output folder chooser that Browse shows.
inline constexpr char16_t FolderDialogTitle[] = u"Select Video Output Folder";

// What the status line says of a run.
inline constexpr char16_t LoadingStatus[] = u"Loading & analyzing video... It may take a while.";
inline constexpr char16_t ProgressStatus[] = u"Converting video... %1% completed.";
inline constexpr char16_t DoneStatus[] = u"Done! Click Open button to open the folder.";
inline constexpr char16_t CancelledStatus[] = u"Conversion is cancelled.";
inline constexpr char16_t FailedStatus[] = u"Conversion failed! See the information box for the converter's message.";
inline constexpr char16_t StartFailedStatus[] = u"Unable to start decoder. Please reinstall the software.";

// The conversion window's behaviour and window-level state, over its controls (named in
// view/frmConvertControls.h). The window creates the controls, forwards their events to the
// handlers of the same names and closes itself on closeRequested().
class ConversionWindow : public QObject {
  Q_OBJECT

 public:
  // `mainWindowFileText` yields the main window's file box (the chosen video); `browseForFolder`
  // shows the folder chooser and yields the chosen folder, empty when cancelled.
  ConversionWindow(view::ControlView& view, QString applicationDirectory, std::function<QString()> mainWindowFileText,
                   std::function<QString()> browseForFolder, QObject* parent = nullptr);

  void Form_Load();
  // Closing the window during a run cancels it as Cancel does and lets the child go.
  void Form_Unload();
  void B1_Click(view::frmConvert::Button index);
  void CHk1_Click();
  // Returns the character to keep, or a null character to discard it.
  QChar T2_KeyPress(view::frmConvert::CutTime index, QChar typed);
  void T2_Change(view::frmConvert::CutTime index);
  void SetInputsEnabled(bool enabled);
  void CancelConvert();
  void Timer1_Timer();

  // The chosen video as the last load read it, and its name without folder nor extension.
  const QString& InputPath() const { return inputPath_; }
  const QString& InputBaseName() const { return inputBaseName_; }
  // The output file of the last run that got as far as choosing it.
  const QString& OutputPath() const { return outputPath_; }
  const conversion::ConversionSettings& Settings() const { return settings_; }
  bool Ticking() const { return Timer1.isActive(); }

 signals:
  void closeRequested();

 private:
  // What the checks before a run let through: the cut range, when "Cut:" is checked.
  struct CheckedInput {
    std::optional<CutRange> cut;
  };

  void RunSequence(bool informationOnly);
  // Nothing when a check failed; the user has been told why.
  std::optional<CheckedInput> PassesChecks();
  void StartConversion(std::optional<CutRange> cut);
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
  // The folder and format the user chose last, where they still fit.
  void RestoreChoices();
  // The bar, the time left, the title and the taskbar, which follow a conversion run's percentage.
  void StartProgress();
  void ShowProgress(int percent);
  void EndProgress();
  // Tells a user working in another window how the conversion ended.
  void NotifyEnd(bool failed);

  view::ControlView& view_;
  const QString applicationDirectory_;
  QString defaultFolder_;
  const std::function<QString()> mainWindowFileText_;
  const std::function<QString()> browseForFolder_;
  ConverterRun run_;
  // Where an information run lets the converter write, instead of the output folder.
  std::optional<QTemporaryDir> scratch_;
  bool inTick_ = false;
  TimeLeft timeLeft_;
  QElapsedTimer runClock_;

  bool CancelRequested = false;
  bool InfoOnly = false;
  int CutStartSeconds = 0;
  int CutEndSeconds = 0;
  QString inputPath_;
  QString inputBaseName_;
  QString outputPath_;
  conversion::ConversionSettings settings_;
  int InputDurationSeconds = 0;
  QTimer Timer1;
};

}  // namespace conversion

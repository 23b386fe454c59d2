#include "conversion/ConversionWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "QuillbrookConfig.h"
#include "conversion/ConverterArguments.h"
#include "conversion/KillProcessesByName.h"
#include "conversion/ProgressParser.h"
#include "conversion/TimeBoxes.h"
#include "platform/FileLookup.h"
#include "platform/Notify.h"
#include "platform/RememberedChoices.h"
#include "platform/Shell.h"
#include "platform/TaskbarProgress.h"
#include "view/ControlCatalogue.h"
#include "view/ControlView.h"
#include "view/frmConvertControls.h"

namespace conversion {
namespace {

using namespace view::frmConvert;

// The controls that a run disables and Cancel, which it enables, and the other way back.
constexpr const char* RunInputs[] = {BrowseButton, ConvertButton, InformationButton,
                                     ExitButton,   FormatList,    CutCheckBox};

// The file name without its folder and without its extension. Cutting a fixed four characters
// (".flv") left "clip." of "clip.mpeg" and "m" of "movie"; a leading dot marks a hidden name, not
// an extension.
QString BaseNameOf(const QString& path) {
  const QString name = path.mid(path.lastIndexOf(QDir::separator()) + 1);
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  return dot > 0 ? name.left(dot) : name;
}

// "Video Output" beside the program while the user may write into it, as in a build or a per-user
// install. A system-wide install leaves that folder to root (or has none), so the user's own
// videos folder takes its place.
QString DefaultOutputFolder(const QString& applicationDirectory) {
  const QString name = QString::fromUtf8(config::OutputFolderName);
  const QString beside = applicationDirectory + QDir::separator() + name;
  if (QFileInfo(beside).isWritable()) return beside;
  return QStandardPaths::writableLocation(QStandardPaths::MoviesLocation) + QDir::separator() + name;
}

}  // namespace

ConversionWindow::ConversionWindow(view::ControlView& view, QString applicationDirectory,
                                   std::function<QString()> mainWindowFileText,
                                   std::function<QString()> browseForFolder, QObject* parent)
    : QObject(parent),
      view_(view),
      applicationDirectory_(std::move(applicationDirectory)),
      mainWindowFileText_(std::move(mainWindowFileText)),
      browseForFolder_(std::move(browseForFolder)) {
  connect(&Timer1, &QTimer::timeout, this, &ConversionWindow::Timer1_Timer);
}

void ConversionWindow::Form_Load() {
  FillFormatList(view_);
  defaultFolder_ = DefaultOutputFolder(applicationDirectory_);
  view_.SetText(FolderBox, defaultFolder_);
  RestoreChoices();
  inputPath_ = mainWindowFileText_();
  inputBaseName_ = BaseNameOf(inputPath_);
}

void ConversionWindow::Form_Unload() {
  if (!run_.IsActive()) return;
  // The window cannot wait: the converter is stopped all the same and collected when it ends.
  CancelConvert();
  StopRun();
}

void ConversionWindow::B1_Click(Button index) {
  switch (index) {
    case Button::Cancel:
      CancelConvert();
      break;
    case Button::Convert:
      RunSequence(false);
      break;
    case Button::Browse:
      if (const QString folder = browseForFolder_(); !folder.isEmpty()) {
        view_.SetText(FolderBox, folder);
        platform::Remember(platform::Choice::OutputFolder, folder);
      }
      break;
    case Button::Open:
      CreateDefaultFolderInUse();
      platform::Shell(platform::ExplorerCommand(view_.Text(FolderBox)));
      break;
    case Button::DisplayInformation:
      RunSequence(true);
      break;
    case Button::Exit:
      emit closeRequested();
      break;
  }
}

void ConversionWindow::RunSequence(bool informationOnly) {
  InfoOnly = false;
  CancelRequested = false;
  SetInputsEnabled(false);
  view_.SetText(ProgressBar, QString());
  view_.SetText(TimeLeftLabel, QString());
  if (informationOnly) {
    view_.SetText(InformationBox, QString());
    view_.SetText(StatusLine, QString());
    InfoOnly = true;
  }
  const std::optional<CheckedInput> checked = PassesChecks();
  if (!checked) {
    SetInputsEnabled(true);
    return;
  }
  if (checked->cut) {
    CutStartSeconds = checked->cut->startSeconds;
    CutEndSeconds = checked->cut->endSeconds;
  }
  if (InfoOnly) {
    // The converter would start writing the output before the window has seen "Output #0"; a
    // scratch folder keeps an earlier conversion's file intact.
    scratch_.emplace();
    if (!scratch_->isValid()) {
      view_.SetText(StatusLine, QStringLiteral("Unable to create a scratch folder: ") + scratch_->errorString());
      EndRun();
      return;
    }
  }
  if (!InfoOnly) platform::Remember(platform::Choice::Format, view_.Text(FormatList));
  outputPath_ = ApplyFormat(settings_, view_.Text(FormatList), view_.Text(FolderBox), inputBaseName_);
  StartConversion(checked->cut);
}

std::optional<ConversionWindow::CheckedInput> ConversionWindow::PassesChecks() {
  if (!platform::OrdinaryFileExists(inputPath_)) {
    view_.ShowError(QStringLiteral("Input file doesn't exist!"));
    return std::nullopt;
  }
  CreateDefaultFolderInUse();
  if (!platform::FolderOrFileExists(view_.Text(FolderBox))) {
    view_.ShowError(QStringLiteral("Output folder doesn't exist!"));
    return std::nullopt;
  }
  if (!view_.IsChecked(CutCheckBox)) return CheckedInput{};
  const CutRange cut{SecondsOfTime(view_.Text(StartHoursBox), view_.Text(StartMinutesBox), view_.Text(StartSecondsBox)),
                     SecondsOfTime(view_.Text(EndHoursBox), view_.Text(EndMinutesBox), view_.Text(EndSecondsBox))};
  if (cut.startSeconds >= cut.endSeconds) {
    view_.ShowError(QStringLiteral("Incorrect parameters: Starting time >= ending time!"));
    return std::nullopt;
  }
  return CheckedInput{cut};
}

void ConversionWindow::StartConversion(std::optional<CutRange> cut) {
  const QString converter = ConverterPath(applicationDirectory_);
  const QString output = scratch_ ? scratch_->filePath(QFileInfo(outputPath_).fileName()) : outputPath_;
  const QStringList arguments = ConverterArguments(converter, inputPath_, ConverterOptionList(settings_, cut), output);
  if (!platform::OrdinaryFileExists(converter)) {
    view_.SetText(StatusLine, QString::fromUtf16(ConverterMissingText));
    EndRun();
    return;
  }
  view_.SetText(StatusLine, QString::fromUtf16(LoadingStatus));
  LaunchConverter(arguments);
}

void ConversionWindow::LaunchConverter(const QStringList& arguments) {
  if (!run_.Start(arguments, inputPath_)) {
    view_.SetText(StatusLine, QString::fromUtf16(StartFailedStatus));
    EndRun();
    return;
  }
  // A duration left from an earlier run belongs to another video: until this one reports its own,
  // progress lines leave the status line alone.
  InputDurationSeconds = 0;
  if (!InfoOnly) StartProgress();
  Timer1.setInterval(300);
  Timer1.start();
}

void ConversionWindow::Timer1_Timer() {
  // The message box of the end-time check lets further ticks through; they must wait for this one.
  if (inTick_ || !run_.IsActive()) return;
  inTick_ = true;
  const ConverterRun::Chunk chunk = run_.ReadChunk();
  if (chunk.state != ConverterRun::Chunk::State::Nothing) TakeFindings(chunk.findings);
  // A cancel and the end of an information run stop the converter; the run itself ends only once
  // the converter has exited, so that no new run can write into a file it still writes. The run
  // may also have been ended meanwhile, by closing the window while the end-time message was shown.
  if (chunk.state == ConverterRun::Chunk::State::Ended) {
    if (run_.IsActive()) StopRun();
  } else if (!run_.StopAsked() && (CancelRequested || (InfoOnly && chunk.findings.outputHeader))) {
    StopConverter();
  }
  inTick_ = false;
}

void ConversionWindow::TakeFindings(const OutputFindings& findings) {
  if (InfoOnly && !findings.information.isEmpty()) view_.AppendText(InformationBox, findings.information);
  if (findings.durationLine) {
    if (!findings.durationSeconds) return;  // "N/A": the percentage waits for a duration
    InputDurationSeconds = *findings.durationSeconds;
    if (view_.IsChecked(CutCheckBox) && CutEndSeconds > InputDurationSeconds) {
      CancelRequested = true;
      view_.ShowError(QStringLiteral("Incorrect parameters: Ending time > video duration!"));
    }
  } else if (findings.progressSeconds) {
    if (const auto percent = ProgressPercent(*findings.progressSeconds, InputDurationSeconds)) {
      view_.SetText(StatusLine, QString::fromUtf16(ProgressStatus).arg(*percent));
      if (!InfoOnly) ShowProgress(*percent);
    }
  }
}

void ConversionWindow::StopRun() {
  // A converter that ended without being asked to, with a status other than success, failed; a
  // stop by someone else included.
  const bool failed = !CancelRequested && !run_.StopAsked() && !run_.Succeeded();
  const QString lastLines = failed ? run_.LastLines() : QString();
  run_.Release();
  Timer1.stop();
  if (failed) {
    // An information run has shown everything the converter wrote already.
    if (!InfoOnly) view_.SetText(InformationBox, lastLines);
    view_.SetText(StatusLine, QString::fromUtf16(FailedStatus));
  } else {
    view_.SetText(StatusLine, QString::fromUtf16(CancelRequested ? CancelledStatus : DoneStatus));
    if (InfoOnly) view_.SetText(StatusLine, QString());
  }
  if (!InfoOnly && !CancelRequested) NotifyEnd(failed);
  EndRun();
}

void ConversionWindow::StopConverter() {
  KillProcessesByName(QString::fromLatin1(config::ConverterFileName));
  // The process list may miss this window's own converter (its file renamed meanwhile); asking it
  // once more changes nothing.
  run_.Stop();
}

void ConversionWindow::CreateDefaultFolderInUse() {
  // Only the default is ever made: a folder the user browsed to and then removed is reported missing.
  if (view_.Text(FolderBox) == defaultFolder_) QDir().mkpath(defaultFolder_);
}

void ConversionWindow::EndRun() {
  EndProgress();
  SetInputsEnabled(true);
  settings_ = {};
  scratch_.reset();
}

void ConversionWindow::RestoreChoices() {
  // A folder since removed, or a format the list no longer holds, leaves the default in place.
  const QString folder = platform::Remembered(platform::Choice::OutputFolder);
  if (!folder.isEmpty() && QFileInfo(folder).isDir()) view_.SetText(FolderBox, folder);
  const qsizetype format = FormatNames().indexOf(platform::Remembered(platform::Choice::Format));
  if (format >= 0) view_.SetListIndex(FormatList, int(format));
}

void ConversionWindow::StartProgress() {
  view_.SetText(ProgressBar, QStringLiteral("0"));
  timeLeft_ = {};
  runClock_.start();
  platform::SetTaskbarProgress(0, true);
}

void ConversionWindow::ShowProgress(int percent) {
  view_.SetText(ProgressBar, QString::number(percent));
  view_.SetCaption(ProgressCaption(percent, QString::fromUtf8(view::frmConvertSpec.caption)));
  if (const auto seconds = timeLeft_.Update(percent, runClock_.elapsed()))
    view_.SetText(TimeLeftLabel, TimeLeftText(*seconds));
  platform::SetTaskbarProgress(percent / 100.0, true);
}

void ConversionWindow::EndProgress() {
  view_.SetCaption(QString::fromUtf8(view::frmConvertSpec.caption));
  view_.SetText(TimeLeftLabel, QString());
  platform::SetTaskbarProgress(0, false);
}

void ConversionWindow::NotifyEnd(bool failed) {
  if (view_.IsActiveWindow()) return;
  const Notice notice = RunEndNotice(failed, outputPath_);
  platform::Notify(notice.summary, notice.body);
}

void ConversionWindow::CancelConvert() {
  CancelRequested = true;
  StopConverter();
}

void ConversionWindow::SetInputsEnabled(bool enabled) {
  for (const char* name : RunInputs) view_.SetEnabled(name, enabled);
  view_.SetEnabled(CancelButton, !enabled);
  for (CutTime index : CutTimes) view_.SetEnabled(NameOf(index), enabled);
}

void ConversionWindow::CHk1_Click() {
  const bool checked = view_.IsChecked(CutCheckBox);
  for (CutTime index : CutTimes) view_.SetEnabled(NameOf(index), checked);
}

QChar ConversionWindow::T2_KeyPress(CutTime, QChar typed) { return FilterTimeKey(typed); }

void ConversionWindow::T2_Change(CutTime index) {
  if (const auto limited = LimitedTimeText(view_.Text(NameOf(index)))) view_.SetText(NameOf(index), *limited);
}

}  // namespace conversion

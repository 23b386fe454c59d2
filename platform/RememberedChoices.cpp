#include "platform/RememberedChoices.h"

#include <QSettings>
#include <QStandardPaths>

namespace platform {
namespace {

QMap<Choice, QString>*& Double() {
  static QMap<Choice, QString>* values = nullptr;
  return values;
}

QString Key(Choice choice) {
  switch (choice) {
    case Choice::OutputFolder:
      return QStringLiteral("OutputFolder");
    case Choice::Format:
      return QStringLiteral("Format");
    case Choice::SelectedFileFolder:
      return QStringLiteral("SelectedFileFolder");
  }
  return {};
}

// Looked up at each use rather than through QSettings' own user scope, which fixes the folder at
// its first use.
QString SettingsFile() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/quillbrook/quillbrook.conf");
}

}  // namespace

QString Remembered(Choice choice) {
  if (Double()) return Double()->value(choice);
  return QSettings(SettingsFile(), QSettings::IniFormat).value(Key(choice)).toString();
}

void Remember(Choice choice, const QString& value) {
  if (Double()) {
    Double()->insert(choice, value);
    return;
  }
  QSettings settings(SettingsFile(), QSettings::IniFormat);
  settings.setValue(Key(choice), value);
}

namespace testing {
ScopedChoices::ScopedChoices() { Double() = &values; }
ScopedChoices::~ScopedChoices() { Double() = nullptr; }
}  // namespace testing

}  // namespace platform

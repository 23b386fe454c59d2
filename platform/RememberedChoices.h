#pragma once
#include <QMap>
#include <QString>

namespace platform {

// What the user chose last, kept for the user in the configuration folder, so that it is there
// again after a restart. Nothing is checked here: the caller decides whether a value still fits.
enum class Choice { OutputFolder, Format, SelectedFileFolder };

// Empty when nothing is remembered.
QString Remembered(Choice choice);
void Remember(Choice choice, const QString& value);

namespace testing {
// While it lives, choices are kept in `values` instead of the user's configuration.
class ScopedChoices {
 public:
  ScopedChoices();
  ~ScopedChoices();
  ScopedChoices(const ScopedChoices&) = delete;
  ScopedChoices& operator=(const ScopedChoices&) = delete;
  QMap<Choice, QString> values;
};
}  // namespace testing

}  // namespace platform

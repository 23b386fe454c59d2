#pragma once
#include <QString>

// What the program knows about itself: the version information of its program file and the
// folder it runs from. One instance per process, filled at start-up; tests may change it.
struct Application {
  QString ProductName;
  int Major = 0;
  int Minor = 0;
  QString FileVersion;  // the version strings, "1.03"
  QString LegalCopyright;
  QString Title;              // the application's title, used by message boxes without a title of their own
  QString Path;               // the folder that holds the program's executable, without a trailing separator
  bool PrevInstance = false;  // another instance of the program was already running at start
};

Application& App();

// ProductName + " v" + Major + "." + Minor, the numbers in plain decimal: "Quillbrook v1.3".
QString ProductLine(const Application& app);

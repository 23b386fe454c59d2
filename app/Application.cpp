#include "app/Application.h"

#include <QCoreApplication>

namespace {
Application Defaults() {
  Application app;
  app.ProductName = QStringLiteral("Quillbrook");
  app.Major = QB_VERSION_MAJOR;
  app.Minor = QB_VERSION_MINOR;
  app.FileVersion = QStringLiteral("%1.%2").arg(app.Major).arg(app.Minor, 2, 10, QLatin1Char('0'));
  app.LegalCopyright = QStringLiteral("Copyright (C) 2026 Brookfield Software");
  app.Title = app.ProductName;
  if (QCoreApplication::instance()) app.Path = QCoreApplication::applicationDirPath();
  return app;
}
}  // namespace

Application& App() {
  static Application app = Defaults();
  return app;
}

QString ProductLine(const Application& app) {
  return app.ProductName + QStringLiteral(" v") + QString::number(app.Major) + QLatin1Char('.') +
         QString::number(app.Minor);
}

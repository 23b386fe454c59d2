#pragma once
#include <QDialog>

#include "ui/CatalogueView.h"

// The conversion window: format, output folder, cut range, and a converter run with its progress.
class frmConvert : public QDialog {
  Q_OBJECT
 public:
  explicit frmConvert(QWidget* owner);

  // Loads the window anew and shows it modally over its owner; returns when it is closed.
  void Show();

  ui::CatalogueView& View() { return view_; }

 private:
  ui::CatalogueView view_;
};

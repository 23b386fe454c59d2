#pragma once
#include <QDialog>
#include <functional>

#include "conversion/ConversionWindow.h"
#include "ui/CatalogueView.h"

// The conversion window: format, output folder, cut range, and a converter run with its progress.
// The main window makes one for each click of Convert and it is gone once closed; Show loads it.
class frmConvert : public QDialog {
  Q_OBJECT
 public:
  // `mainWindowFileText` yields the main window's file box, which the window reads at each load.
  frmConvert(QWidget* owner, std::function<QString()> mainWindowFileText);

  // Loads the window and shows it modally over its owner; returns when it is closed.
  void Show();

  ui::CatalogueView& View() { return view_; }
  conversion::ConversionWindow& ConversionWindow() { return conversionWindow_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void done(int result) override;

 private:
  ui::CatalogueView view_;
  conversion::ConversionWindow conversionWindow_;
};

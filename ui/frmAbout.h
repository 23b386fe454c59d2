#pragma once
#include <QDialog>

#include "ui/CatalogueView.h"
#include "view/frmAboutControls.h"

// The About window: product line, legal notice, description and the two links.
class frmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit frmAbout(QWidget* owner);

  void Form_Load();
  void L1_Click(view::frmAbout::Label index);
  void B1_Click();

  ui::CatalogueView& View() { return view_; }

 private:
  ui::CatalogueView view_;
};

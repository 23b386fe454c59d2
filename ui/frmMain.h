#pragma once
#include <QWidget>
#include <memory>

#include "platform/Inet.h"
#include "platform/widgets/CommonDialog.h"
#include "ui/CatalogueView.h"
#include "view/frmMainControls.h"

// The main window: step 1 (retrieve a watch page, download), step 2 (select a local video,
// convert) and the program's commands.
class frmMain : public QWidget {
  Q_OBJECT
 public:
  frmMain();
  ~frmMain() override;

  void Form_Load();
  void Form_Unload();
  void Pic1_Click();
  void B1_Click();
  void B2_Click(view::frmMain::Button index);
  void B3_Click();
  void ShowConvertWindow(const QString& path);
  // A video handed over from outside (`quillbrook FILE`, `quillbrook URL`, a second start), as
  // resolved by retrieval::ArgumentArrival.
  void TakeArgument(const QString& argument);

  ui::CatalogueView& View() { return view_; }
  platform::CommonDialog& OpenDialog() { return CD1; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void InitOpenDialog();
  void OnClicked(const QString& name);

  ui::CatalogueView view_;
  platform::Inet Inet1;
  platform::CommonDialog CD1;
};

#include "ui/frmConvert.h"

#include "app/Module1.h"

frmConvert::frmConvert(QWidget* owner) : QDialog(owner), view_(this, ui::frmConvertSpec) {
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(true);
}

void frmConvert::Show() {
  SetWindowTransparency(this);
  exec();
}

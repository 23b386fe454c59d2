#include "ui/frmAbout.h"

#include <QuillbrookConfig.h>

#include "app/Application.h"
#include "app/Module1.h"
#include "platform/widgets/ShellExecute.h"
#include "view/frmAboutControls.h"

namespace {
const QString kDescription = QStringLiteral(
    "It's a freeware for you to download YouTube Videos to your computer and convert them to popular formats. "
    "It's free, meaning full functional software without time limits, nag screens or ADs.\r\n\r\n"
    "You can click the links below to visit our web site, try our other great software, also feel free to "
    "contact us and give your feedbacks.");
}  // namespace

frmAbout::frmAbout(QWidget* owner) : QDialog(owner), view_(this, view::frmAboutSpec) {
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(true);
  connect(&view_, &ui::CatalogueView::clicked, this, [this](const QString& name) {
    if (name == view::frmAbout::B1)
      B1_Click();
    else if (name.startsWith(QLatin1String("L1_")))
      L1_Click(name.mid(3).toInt());
  });
  Form_Load();
  view_.Control(view::frmAbout::B1)->setFocus();
}

void frmAbout::Form_Load() {
  const Application& app = App();
  // Doubled so that the label shows the ampersand instead of taking it for a shortcut mark.
  view_.SetText(view::frmAbout::L1_0, ProductLine(app).replace(QLatin1String("&"), QLatin1String("&&")));
  view_.SetText(view::frmAbout::L1_1, app.LegalCopyright);
  view_.SetText(view::frmAbout::L1_2, kDescription);
  view_.SetText(view::frmAbout::L1_4, QString::fromUtf8(config::MakerSiteAddress));
  view_.SetText(view::frmAbout::L1_5, QString::fromUtf8(config::SupportMailAddress));
  SetWindowTransparency(this);
}

void frmAbout::L1_Click(int index) {
  if (index == 4)
    platform::ShellExecute(view_.Text(view::frmAbout::L1_4));
  else if (index == 5)
    platform::ShellExecute(QStringLiteral("mailto:") + view_.Text(view::frmAbout::L1_5));
}

void frmAbout::B1_Click() { accept(); }

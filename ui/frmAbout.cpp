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
  setWindowFlags(ui::ModalWindowFlags);
  setModal(true);
  connect(&view_, &ui::CatalogueView::clicked, this, [this](const QString& name) {
    if (name == view::frmAbout::OkButton) B1_Click();
    for (const auto label : view::frmAbout::Labels) {
      if (name == view::frmAbout::NameOf(label)) L1_Click(label);
    }
  });
  Form_Load();
  view_.Control(view::frmAbout::OkButton)->setFocus();
}

void frmAbout::Form_Load() {
  const Application& app = App();
  // Doubled so that the label shows the ampersand instead of taking it for a shortcut mark.
  view_.SetText(view::frmAbout::ProductLabel, ProductLine(app).replace(QLatin1String("&"), QLatin1String("&&")));
  view_.SetText(view::frmAbout::CopyrightLabel, app.LegalCopyright);
  view_.SetText(view::frmAbout::DescriptionLabel, kDescription);
  view_.SetText(view::frmAbout::WebsiteLink, QString::fromUtf8(config::MakerSiteAddress));
  view_.SetText(view::frmAbout::MailLink, QString::fromUtf8(config::SupportMailAddress));
  SetWindowTransparency(this);
}

void frmAbout::L1_Click(view::frmAbout::Label index) {
  if (index == view::frmAbout::Label::Website)
    platform::ShellExecute(view_.Text(view::frmAbout::WebsiteLink));
  else if (index == view::frmAbout::Label::Mail)
    platform::ShellExecute(QStringLiteral("mailto:") + view_.Text(view::frmAbout::MailLink));
}

void frmAbout::B1_Click() { accept(); }

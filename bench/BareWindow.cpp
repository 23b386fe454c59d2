// The start-up benchmark's peer: what any Qt program pays before its first window shows, a window
// with about as many controls as the main window has.
#include <QApplication>
#include <QGridLayout>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Bare window"));
  auto* layout = new QGridLayout(&window);
  for (int i = 0; i < 30; ++i) layout->addWidget(new QPushButton(QStringLiteral("Button %1").arg(i + 1)), i / 5, i % 5);
  window.show();
  return application.exec();
}

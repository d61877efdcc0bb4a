// The yardstick of the start-up benchmark: a bare Qt window, built and
// started the way every program of the suite is.
#include <QApplication>
#include <QLabel>
#include <QStyleFactory>

#include "frame/exit_when_painted.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  QWidget window;
  window.setFixedSize(900, 500);
  QLabel label("Bare window", &window);
  frame::ExitWhenPainted::InstallIfAsked(window);
  window.show();
  return app.exec();
}

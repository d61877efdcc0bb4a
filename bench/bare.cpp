// The yardstick of the start-up benchmark: a bare Qt window, built and
// started the way every program of the suite is, of the size given as
// WIDTHxHEIGHT (the size of the program it is compared with; 900x500 else).
#include <QApplication>
#include <QLabel>
#include <QStyleFactory>
#include <cstdio>

#include "qt/exit_when_painted.h"

int main(int argc, char** argv) {
  int width = 900, height = 500;
  if (argc > 1 && std::sscanf(argv[1], "%dx%d", &width, &height) != 2) return 2;
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  QWidget window;
  window.setFixedSize(width, height);
  QLabel label("Bare window", &window);
  qt::ExitWhenPainted::InstallIfAsked(window);
  window.show();
  return app.exec();
}

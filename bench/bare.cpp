// The yardstick of the start-up benchmark: a bare Qt window, built and
// started the way every program of the suite is.
#include <QApplication>
#include <QLabel>
#include <QStyleFactory>
#include <QTimer>
#include <cstdlib>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  QWidget window;
  window.setFixedSize(900, 500);
  QLabel label("Bare window", &window);
  window.show();
  if (std::getenv("CALC_EXIT_WHEN_SHOWN")) QTimer::singleShot(0, &app, &QCoreApplication::quit);
  return app.exec();
}

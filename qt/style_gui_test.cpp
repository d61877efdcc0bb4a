// The suite's style draws buttons and boxes exactly as Fusion does, from its
// copies of panels already drawn.
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <QtTest>
#include <memory>

#include "qt/style.h"

class StyleGui : public QObject {
  Q_OBJECT

  static QImage Render(QWidget& widget, QStyle* style) {
    widget.setStyle(style);
    widget.ensurePolished();
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    widget.render(&image);
    return image;
  }

 private slots:
  void panelsMatchFusionPixelForPixel() {
    std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    qt::SuiteStyle suite;
    for (int round = 0; round < 2; ++round) {  // drawn, then from the copy
      QPushButton button("Calculate");
      button.resize(120, 34);
      QLineEdit edit("1,234.5");
      edit.resize(100, 26);
      QLineEdit results("0.8333");
      results.setReadOnly(true);
      results.resize(100, 26);
      QPalette red = edit.palette();
      red.setColor(QPalette::WindowText, Qt::red);  // a palette of its own
      results.setPalette(red);
      for (QWidget* widget : {static_cast<QWidget*>(&button), static_cast<QWidget*>(&edit),
                              static_cast<QWidget*>(&results)}) {
        const QImage want = Render(*widget, fusion.get());
        const QImage got = Render(*widget, &suite);
        QCOMPARE(got, want);
      }
    }
  }
};

QTEST_MAIN(StyleGui)
#include "style_gui_test.moc"

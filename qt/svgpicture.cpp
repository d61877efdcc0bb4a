// Fixed drawings from SVG text, for the programs that show one.
#include <QPainter>
#include <QSvgRenderer>

#include "qt/view.h"
#include "qt/model.h"

namespace qt {
namespace {

class SvgPicture : public QWidget {
 public:
  SvgPicture(const std::string& svg, QWidget* parent)
      : QWidget(parent), renderer_(QByteArray::fromStdString(svg)) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    renderer_.render(&painter, QRectF(rect()));
  }

 private:
  QSvgRenderer renderer_;
};

QWidget* MakeSvgPicture(const std::string& svg, QWidget* parent) {
  return new SvgPicture(svg, parent);
}

// Linked in as an object file, so this runs whenever the renderer is there.
[[maybe_unused]] const bool registered = (SetPictureMaker(&MakeSvgPicture), true);

}  // namespace
}  // namespace qt

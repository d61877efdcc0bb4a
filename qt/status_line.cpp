#include "qt/status_line.h"
#include "qt/model.h"

#include <QDesktopServices>
#include <algorithm>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace qt {

namespace {
constexpr int kHeight = 28;
constexpr const char* kName = "statusLine";
}  // namespace

StatusLine::StatusLine(QWidget* parent) : QWidget(parent) {
  setObjectName(kName);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(8, 2, 8, 2);
  label_ = new QLabel(this);
  label_->setObjectName("statusText");
  label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  open_ = new QPushButton("Open folder", this);
  open_->setObjectName("statusOpenFolder");
  open_->setToolTip("Show the folder of the print file in the file manager");
  layout->addWidget(label_, 1);
  layout->addWidget(open_);
  connect(open_, &QPushButton::clicked, this, [this] { QDesktopServices::openUrl(folder_); });
  setFocusPolicy(Qt::NoFocus);
}

void StatusLine::ShowFile(const std::string& name) {
  const QFileInfo file(QDir::current(), QString::fromStdString(name));
  const QString folder = QDir::toNativeSeparators(file.absolutePath());
  text_ = "Wrote \"" + file.fileName() + "\" in the folder " + folder;
  folder_ = QUrl::fromLocalFile(file.absolutePath());
  label_->setToolTip(text_);
  label_->setAccessibleName(text_);
  open_->setAccessibleDescription("Opens " + folder);
  Fit();
  show();
}

void StatusLine::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Fit();
}

void StatusLine::Fit() {
  // A deep folder is shortened in its middle rather than cut off at the end;
  // the tooltip keeps it whole.
  label_->setText(label_->fontMetrics().elidedText(text_, Qt::ElideMiddle,
                                                   std::max(40, label_->width())));
}

StatusLine& StatusLineOf(QWidget& window) {
  if (auto* line = window.findChild<StatusLine*>(kName, Qt::FindDirectChildrenOnly)) return *line;
  auto* line = new StatusLine(&window);
  const int top = window.height();
  line->setGeometry(0, top, window.width(), kHeight);
  window.setFixedSize(window.width(), top + kHeight);
  return *line;
}

}  // namespace qt

#include "qt/status_line.h"
#include "qt/model.h"
#include "qt/view.h"

#include <QDesktopServices>
#include <algorithm>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

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
  open_->hide();  // until there is a folder to open
  layout->addWidget(label_, 1);
  layout->addWidget(open_);
  connect(open_, &QPushButton::clicked, this, [this] { OpenFolder(); });
  opener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  setFocusPolicy(Qt::NoFocus);
}

void StatusLine::ShowFile(const std::string& name, bool shownInSI) {
  const QFileInfo file(QDir::current(), QString::fromStdString(name));
  const QString folder = QDir::toNativeSeparators(file.absolutePath());
  text_ = "Wrote \"" + file.fileName() + "\" in the folder " + folder;
  if (shownInSI) text_ += " (in US customary units)";
  folder_ = QUrl::fromLocalFile(file.absolutePath());
  label_->setToolTip(text_);
  label_->setAccessibleName(text_);
  open_->setAccessibleDescription("Opens " + folder);
  open_->show();
  Fit();
  show();
}

QComboBox& StatusLine::unitsChoice() {
  if (!units_) {
    units_ = new QComboBox(this);
    units_->setObjectName("unitsChoice");
    units_->setAccessibleName("Units");
    units_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* caption = new QLabel("Units:", this);
    caption->setBuddy(units_);
    static_cast<QHBoxLayout*>(layout())->addWidget(caption);
    static_cast<QHBoxLayout*>(layout())->addWidget(units_);
    show();
  }
  return *units_;
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

namespace {
constexpr const char* kNoteName = "unopenedNote";
}  // namespace

QWidget* StatusLine::unopenedNote() const {
  return window()->findChild<QDialog*>(kNoteName, Qt::FindDirectChildrenOnly);
}

void StatusLine::OpenFolder() {
  if (opener_(folder_)) return;
  // No file manager to hand the folder to (none installed, or none
  // registered): say so, and give the path to paste elsewhere.
  if (QWidget* open = unopenedNote()) open->close();
  const QString path = QDir::toNativeSeparators(folder_.toLocalFile());
  auto* note = new QDialog(window());
  note->setObjectName(kNoteName);
  note->setAttribute(Qt::WA_DeleteOnClose);
  note->setWindowTitle("Open folder");
  auto* layout = new QVBoxLayout(note);
  auto* text = new QLabel("No file manager could be started to show the folder. "
                          "Its path, to copy:", note);
  text->setWordWrap(true);
  auto* field = new QLineEdit(path, note);
  field->setObjectName("folderPath");
  field->setReadOnly(true);
  field->setAccessibleName("Folder path");
  field->setMinimumWidth(std::min(640, field->fontMetrics().horizontalAdvance(path) + 24));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, note);
  QPushButton* copy = buttons->addButton("Copy path", QDialogButtonBox::ActionRole);
  copy->setObjectName("copyPath");
  connect(copy, &QPushButton::clicked, note, [path] { QApplication::clipboard()->setText(path); });
  connect(buttons, &QDialogButtonBox::rejected, note, &QDialog::close);
  layout->addWidget(text);
  layout->addWidget(field);
  layout->addWidget(buttons);
  field->selectAll();
  note->show();
  field->setFocus();
}

StatusLine& StatusLineOf(View& window) {
  QWidget& canvas = *window.canvas();
  if (auto* line = canvas.findChild<StatusLine*>(kName, Qt::FindDirectChildrenOnly)) return *line;
  auto* line = new StatusLine(&canvas);
  const int top = canvas.height();
  line->setGeometry(0, top, canvas.width(), kHeight);
  canvas.setFixedSize(canvas.width(), top + kHeight);
  window.Fit();
  return *line;
}

}  // namespace qt

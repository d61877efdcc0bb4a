// The line under a window's own controls that tells where a print file went,
// with a button that opens its folder in the desktop's file manager, and in a
// window with quantities the unit system it shows. It is made when first
// needed (the window grows by its height) and each new file replaces the
// notice.
#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;

namespace qt {

class StatusLine : public QWidget {
  Q_OBJECT

 public:
  explicit StatusLine(QWidget* parent);

  // name: a file just written in the working directory. Print files keep
  // their US customary units: a window showing SI says so.
  void ShowFile(const std::string& name, bool shownInSI = false);
  // The unit system choice at the line's right end (made on first use).
  QComboBox& unitsChoice();
  QComboBox* unitsChoiceIfAny() const { return units_; }
  // The whole notice, also when the line shows it shortened.
  const QString& text() const { return text_; }
  // The folder the button opens.
  const QUrl& folder() const { return folder_; }
  QPushButton* openButton() const { return open_; }
  // How the folder is opened (the desktop's file manager; tests stand in):
  // false when nothing could be started. Then the line says so and offers
  // the folder's path to copy.
  void SetOpener(std::function<bool(const QUrl&)> opener) { opener_ = std::move(opener); }
  // The note shown when no file manager could be started, or nullptr.
  QWidget* unopenedNote() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Fit();
  void OpenFolder();

  QLabel* label_;
  QPushButton* open_;
  QComboBox* units_ = nullptr;
  QString text_;
  QUrl folder_;
  std::function<bool(const QUrl&)> opener_;
};

class View;

// The status line of a window, made and placed at the bottom of its canvas
// on first use (the window grows by its height, as far as the screen has room).
StatusLine& StatusLineOf(View& window);

}  // namespace qt

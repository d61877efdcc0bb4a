// The plot window: sweeps one input box of a window and plots its results.
//
// Points run on copies of the window, off the user-interface thread, so the
// window and this one stay usable; a point the window reported a failure or
// a warning for is a gap in its curve, listed with its message. Loaded on
// first use (qt/plot_action.h), so that programs do not load the chart
// library at start-up.
#pragma once

#include <QWidget>
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/plot.h"
#include "core/sweep.h"
#include "qt/model.h"

class QAbstractAxis;
class QChart;
class QChartView;
class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;

namespace qt {

class PlotWindow : public QWidget {
  Q_OBJECT

 public:
  PlotWindow(Form& form, FormFactory make, QWidget* parent = nullptr);
  ~PlotWindow() override;

  // Offers the boxes and results the window shows now (it may show others
  // than when this one opened), keeping the choices still offered.
  Q_INVOKABLE void RefreshChoices();

  // What a person sets in the window, by control id (false: not offered).
  bool ChooseInput(const std::string& id);  // also sets the default range and button
  void SetRange(double from, double to, int points, bool logSpacing = false);
  bool ChooseButton(const std::string& id);
  bool ChooseOutputs(const std::vector<std::string>& ids);
  bool ChooseFamily(const std::string& id, const std::string& values);  // "" id: none
  void SetLogAxes(bool x, bool y);

  // Plot / Cancel. Start returns false (and says why in the window) when the
  // request does not fit.
  bool Start();
  void Cancel();
  // Whether any point is still being computed (after Cancel, until the
  // points under way have ended).
  bool running() const { return live_->load() > 0; }
  bool finished() const { return finished_; }

  // The points computed, in order (curve, then point).
  std::vector<SweepPoint> points() const;
  const SweepRequest& request() const { return request_; }
  // The table: headings, then one row per point; CSV or tab-separated.
  std::string TableText(char separator) const;
  bool SaveCsv(const QString& path) const;
  bool SavePng(const QString& path) const;
  bool SaveSvg(const QString& path) const;
  // The gaps listed under the chart.
  QStringList GapLines() const;
  QChart* chart() const;
  QString status() const;
  // What is drawn: the core's description of the points computed so far.
  SweepPlot description() const;

 private:
  struct Run;
  QWidget* SettingsSide();
  QLayout* ChartSide();
  // The lists of what the window offers; a first fill also takes the
  // core's offer (the box, its range and button, the results checked).
  void FillChoices(bool first);
  void InputChosen();
  void ShowOffer(const SweepOffer& offer);  // its range and button
  CheckedRequest RequestFromWidgets() const;
  void PointDone(int generation, const SweepPoint& point);
  void RunEnded(int generation);
  void Rebuild();
  void ClearChart();
  void AddCurve(const PlotCurve& curve, bool markers, QAbstractAxis* axisX, QAbstractAxis* axisY);
  void CopyTable() const;
  void SaveAs(const QString& kind);
  void SetIdle(bool idle);

  Form& form_;
  FormFactory make_;
  std::vector<const TextBox*> inputs_;
  std::vector<ResultChoice> outputs_;
  std::vector<const Button*> buttons_;

  QComboBox *input_, *button_, *family_;
  QLineEdit *from_, *to_, *familyValues_;
  QSpinBox* points_;
  QCheckBox *logSpacing_, *logX_, *logY_;
  QListWidget* results_;
  QPushButton *plot_, *cancelButton_;
  QProgressBar* progress_;
  QLabel *status_, *hover_;
  QChartView* view_;
  QListWidget* gaps_;
  QTimer* redraw_;

  SweepRequest request_;
  SweepCaptions captions_;
  std::vector<std::optional<SweepPoint>> slots_;
  int done_ = 0;
  int generation_ = 0;
  bool finished_ = false;
  std::shared_ptr<std::atomic<bool>> cancel_;
  std::shared_ptr<std::atomic<int>> live_ = std::make_shared<std::atomic<int>>(0);
  std::vector<std::thread> threads_;
};

}  // namespace qt

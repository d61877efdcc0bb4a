#include "qt/plot_window.h"
#include "qt/model.h"
#include "qt/drawing.h"
#include "qt/window_keys.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QSvgGenerator>
#include <QTimer>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/numtext.h"
#include "core/plot.h"
#include "core/reading.h"

namespace qt {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// A control by its one caption, as the error line and the screen reader
// name it.
QString Choice(const Form& form, const Control& control) { return Q(CaptionOf(form, control)); }

QAbstractAxis* MakeAxis(const PlotAxis& want) {
  QAbstractAxis* axis = NumberAxis(want.log);
  axis->setTitleText(Q(want.title));
  return axis;
}

// The range of the points on an axis, with a margin so that no point sits
// on the frame.
void FitAxis(QAbstractAxis* axis, double lo, double hi, bool log) {
  if (!(lo <= hi)) return;
  if (log) {
    static_cast<QLogValueAxis*>(axis)->setRange(lo / 1.2, hi * 1.2);
    return;
  }
  double pad = (hi - lo) * 0.03;
  if (pad == 0) pad = lo == 0 ? 1 : std::fabs(lo) * 0.05;
  auto* values = static_cast<QValueAxis*>(axis);
  // A range of values not below zero does not reach below zero.
  values->setRange(lo >= 0 ? std::max(0.0, lo - pad) : lo - pad, hi + pad);
  values->applyNiceNumbers();
}

// The id of entry `at` of a list of offered controls; empty when none is chosen.
template <class List>
std::string IdAt(const List& list, int at) {
  return at >= 0 && at < static_cast<int>(list.size()) ? list[static_cast<size_t>(at)]->id() : std::string();
}
std::string IdAt(const std::vector<ResultChoice>& list, int at) {
  return at >= 0 && at < static_cast<int>(list.size()) ? list[static_cast<size_t>(at)].id : std::string();
}

struct Span {
  double lo = HUGE_VAL, hi = -HUGE_VAL;
  void Add(double v) {
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
};

}  // namespace

PlotWindow::PlotWindow(Form& form, FormFactory make, QWidget* parent)
    : QWidget(parent, Qt::Window), form_(form), make_(std::move(make)) {
  setObjectName("PlotWindow");
  setWindowTitle("Sweep and plot: " + Q(form.caption()).section("  ", 0, 0).trimmed());
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(SettingsSide());
  layout->addLayout(ChartSide(), 1);

  redraw_ = new QTimer(this);
  redraw_->setInterval(250);
  connect(redraw_, &QTimer::timeout, this, [this] { Rebuild(); });
  connect(plot_, &QPushButton::clicked, this, [this] { Start(); });
  for (QLineEdit* box : {from_, to_, familyValues_}) EnterPresses(*box, *plot_);
  CloseOnEscape(*this);
  connect(cancelButton_, &QPushButton::clicked, this, [this] { Cancel(); });
  connect(input_, &QComboBox::currentIndexChanged, this, [this] { InputChosen(); });
  connect(logX_, &QCheckBox::toggled, this, [this] { Rebuild(); });
  connect(logY_, &QCheckBox::toggled, this, [this] { Rebuild(); });

  FillChoices(true);
}

// What to sweep, what to press and plot; Plot, Cancel and the progress.
QWidget* PlotWindow::SettingsSide() {
  auto* settings = new QFormLayout;
  input_ = new QComboBox;
  input_->setObjectName("input");
  from_ = new QLineEdit;
  from_->setObjectName("from");
  to_ = new QLineEdit;
  to_->setObjectName("to");
  points_ = new QSpinBox;
  points_->setObjectName("points");
  points_->setRange(kMinPoints, kMaxPoints);
  points_->setValue(kDefaultPoints);
  logSpacing_ = new QCheckBox("Equal ratios (log spacing)");
  button_ = new QComboBox;
  button_->setObjectName("button");
  results_ = new QListWidget;
  results_->setObjectName("results");
  results_->setMinimumHeight(140);
  family_ = new QComboBox;
  family_->setObjectName("family");
  familyValues_ = new QLineEdit;
  familyValues_->setObjectName("familyValues");
  familyValues_->setPlaceholderText(Q(FamilyHint()));
  logX_ = new QCheckBox("Logarithmic horizontal axis");
  logY_ = new QCheckBox("Logarithmic vertical axes");
  settings->addRow("Sweep", input_);
  settings->addRow("From", from_);
  settings->addRow("To", to_);
  settings->addRow("Points", points_);
  settings->addRow("", logSpacing_);
  settings->addRow("Press", button_);
  settings->addRow("Plot", results_);
  settings->addRow("Family of", family_);
  settings->addRow("Values", familyValues_);
  settings->addRow("", logX_);
  settings->addRow("", logY_);

  plot_ = new QPushButton("Plot");
  plot_->setObjectName("plot");
  plot_->setDefault(true);
  cancelButton_ = new QPushButton("Cancel");
  cancelButton_->setObjectName("cancel");
  cancelButton_->setEnabled(false);
  progress_ = new QProgressBar;
  progress_->setObjectName("progress");
  progress_->setRange(0, 1);
  progress_->setValue(0);
  status_ = new QLabel;
  status_->setObjectName("status");
  status_->setWordWrap(true);
  auto* runRow = new QHBoxLayout;
  runRow->addWidget(plot_);
  runRow->addWidget(cancelButton_);

  auto* left = new QVBoxLayout;
  left->addLayout(settings);
  left->addLayout(runRow);
  left->addWidget(progress_);
  left->addWidget(status_);
  left->addStretch(1);
  auto* leftBox = new QWidget;
  leftBox->setLayout(left);
  leftBox->setFixedWidth(340);
  return leftBox;
}

// The drawing, the gaps under it and the ways to save it.
QLayout* PlotWindow::ChartSide() {
  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);  // solid or dashed
  view_ = new QChartView(chart);
  view_->setObjectName("chart");
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setMinimumSize(620, 440);
  hover_ = new QLabel(" ");
  hover_->setObjectName("hover");
  gaps_ = new QListWidget;
  gaps_->setObjectName("gaps");
  gaps_->setMaximumHeight(110);
  gaps_->setWordWrap(true);
  gaps_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* exportRow = new QHBoxLayout;
  auto* copy = new QPushButton("Copy");
  copy->setObjectName("copy");
  exportRow->addWidget(copy);
  for (const char* kind : {"CSV", "PNG", "SVG"}) {
    auto* save = new QPushButton(QString("Save as %1…").arg(kind));
    save->setObjectName(QString("save%1").arg(kind));
    connect(save, &QPushButton::clicked, this, [this, kind] { SaveAs(kind); });
    exportRow->addWidget(save);
  }
  exportRow->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(view_, 1);
  right->addWidget(hover_);
  right->addWidget(new QLabel("Gaps (the window reported a failure or a warning):"));
  right->addWidget(gaps_);
  right->addLayout(exportRow);
  connect(copy, &QPushButton::clicked, this, [this] { CopyTable(); });
  return right;
}

PlotWindow::~PlotWindow() {
  if (cancel_) *cancel_ = true;
  for (auto& t : threads_) t.join();
}

void PlotWindow::FillChoices(bool first) {
  inputs_ = SweepInputs(form_);
  buttons_ = SweepButtons(form_);
  const std::optional<SweepOffer> offer = first ? DefaultOffer(form_, make_) : std::nullopt;
  const TextBox* box = offer ? static_cast<const TextBox*>(form_.FindById(offer->input)) : nullptr;
  const Button* compute = box ? form_.ComputeFor(*box) : nullptr;
  if (!compute && !buttons_.empty()) compute = buttons_.front();
  outputs_ = SweepResults(form_, make_, compute);
  family_->addItem("(none)");
  for (const TextBox* box : inputs_) family_->addItem(Choice(form_, *box));
  for (const Button* button : buttons_) button_->addItem(Choice(form_, *button));
  for (const ResultChoice& output : outputs_) {
    auto* item = new QListWidgetItem(Q(output.caption), results_);
    item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
    item->setCheckState(Qt::Unchecked);
  }
  {
    const QSignalBlocker quiet(input_);
    for (const TextBox* box : inputs_) input_->addItem(Choice(form_, *box));
  }
  const bool usable = !inputs_.empty() && !buttons_.empty() && !outputs_.empty();
  plot_->setEnabled(usable);
  status_->setText(usable ? QString() : QString(kNothingToSweep));
  if (!usable || !offer) return;
  {
    const QSignalBlocker quiet(input_);
    for (size_t i = 0; i < inputs_.size(); ++i)
      if (inputs_[i]->id() == offer->input) input_->setCurrentIndex(static_cast<int>(i));
  }
  ShowOffer(*offer);
  ChooseOutputs(offer->outputs);
}

void PlotWindow::RefreshChoices() {
  if (cancel_ && !*cancel_) return;  // not while a sweep runs
  const std::string input = IdAt(inputs_, input_->currentIndex());
  const std::string button = IdAt(buttons_, button_->currentIndex());
  const std::string family = IdAt(inputs_, family_->currentIndex() - 1);
  const QString from = from_->text(), to = to_->text(), values = familyValues_->text();
  std::vector<std::string> checked;
  for (int i = 0; i < results_->count(); ++i)
    if (results_->item(i)->checkState() == Qt::Checked) checked.push_back(IdAt(outputs_, i));
  {
    const QSignalBlocker quiet(input_);
    input_->clear();
  }
  button_->clear();
  family_->clear();
  results_->clear();
  FillChoices(false);
  if (!plot_->isEnabled()) return;
  // The box kept, with its range as it was; else the core's offer.
  bool kept = false;
  {
    const QSignalBlocker quiet(input_);
    for (size_t i = 0; i < inputs_.size(); ++i)
      if (inputs_[i]->id() == input) {
        input_->setCurrentIndex(static_cast<int>(i));
        kept = true;
      }
  }
  if (kept) {
    from_->setText(from);
    to_->setText(to);
  } else if (const std::optional<SweepOffer> offer = DefaultOffer(form_, make_)) {
    const QSignalBlocker quiet(input_);
    for (size_t i = 0; i < inputs_.size(); ++i)
      if (inputs_[i]->id() == offer->input) input_->setCurrentIndex(static_cast<int>(i));
    ShowOffer(*offer);
  }
  ChooseButton(button);
  if (!checked.empty()) ChooseOutputs(checked);
  ChooseFamily(family, values.toStdString());
}

void PlotWindow::InputChosen() {
  const int at = input_->currentIndex();
  if (at < 0 || at >= static_cast<int>(inputs_.size())) return;
  ShowOffer(OfferFor(form_, make_, *inputs_[static_cast<size_t>(at)]));
}

void PlotWindow::ShowOffer(const SweepOffer& offer) {
  from_->setText(Q(NumberText(static_cast<float>(offer.from))));
  to_->setText(Q(NumberText(static_cast<float>(offer.to))));
  ChooseButton(offer.button);
}

bool PlotWindow::ChooseInput(const std::string& id) {
  for (size_t i = 0; i < inputs_.size(); ++i)
    if (inputs_[i]->id() == id) {
      input_->setCurrentIndex(static_cast<int>(i));
      InputChosen();
      return true;
    }
  return false;
}

void PlotWindow::SetRange(double from, double to, int points, bool logSpacing) {
  from_->setText(Q(NumberText(from)));
  to_->setText(Q(NumberText(to)));
  points_->setValue(points);
  logSpacing_->setChecked(logSpacing);
}

bool PlotWindow::ChooseButton(const std::string& id) {
  for (size_t i = 0; i < buttons_.size(); ++i)
    if (buttons_[i]->id() == id) {
      button_->setCurrentIndex(static_cast<int>(i));
      return true;
    }
  return false;
}

bool PlotWindow::ChooseOutputs(const std::vector<std::string>& ids) {
  int found = 0;
  for (size_t i = 0; i < outputs_.size(); ++i) {
    const bool on = std::find(ids.begin(), ids.end(), outputs_[i].id) != ids.end();
    found += on;
    results_->item(static_cast<int>(i))->setCheckState(on ? Qt::Checked : Qt::Unchecked);
  }
  return found == static_cast<int>(ids.size());
}

bool PlotWindow::ChooseFamily(const std::string& id, const std::string& values) {
  familyValues_->setText(Q(values));
  if (id.empty()) {
    family_->setCurrentIndex(0);
    return true;
  }
  for (size_t i = 0; i < inputs_.size(); ++i)
    if (inputs_[i]->id() == id) {
      family_->setCurrentIndex(static_cast<int>(i) + 1);
      return true;
    }
  return false;
}

void PlotWindow::SetLogAxes(bool x, bool y) {
  logX_->setChecked(x);
  logY_->setChecked(y);
}

CheckedRequest PlotWindow::RequestFromWidgets() const {
  TypedRequest typed;
  typed.input = IdAt(inputs_, input_->currentIndex());
  typed.button = IdAt(buttons_, button_->currentIndex());
  typed.from = from_->text().toStdString();
  typed.to = to_->text().toStdString();
  typed.points = points_->value();
  typed.log = logSpacing_->isChecked();
  for (int i = 0; i < results_->count(); ++i)
    if (results_->item(i)->checkState() == Qt::Checked) typed.outputs.push_back(IdAt(outputs_, i));
  typed.family = IdAt(inputs_, family_->currentIndex() - 1);
  typed.familyValues = familyValues_->text().toStdString();
  return ReadRequest(form_, typed);
}

bool PlotWindow::Start() {
  Cancel();  // a run under way gives way to the new one
  CheckedRequest checked = RequestFromWidgets();
  std::unique_ptr<Sweep> sweep;
  if (checked.problem.empty()) {
    try {
      sweep = std::make_unique<Sweep>(form_, make_, checked.request);
    } catch (const SweepError& e) {
      checked.problem = e.what();
      checked.problem[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(checked.problem[0])));
    }
  }
  if (!sweep) {
    status_->setText(Q(checked.problem));
    return false;
  }
  request_ = std::move(checked.request);
  captions_ = CaptionsOf(form_, request_, make_);
  slots_.assign(static_cast<size_t>(sweep->size()), std::nullopt);
  done_ = 0;
  finished_ = false;
  const int generation = ++generation_;
  cancel_ = std::make_shared<std::atomic<bool>>(false);
  progress_->setRange(0, sweep->size());
  progress_->setValue(0);
  status_->setText(Q(ComputingStatus(sweep->size())));
  SetIdle(false);
  Rebuild();
  redraw_->start();

  ++*live_;
  // The points are copies of the window as it stands now; they report back
  // to this window's thread, which drops a report of a run it has left.
  threads_.emplace_back([this, sweep = std::shared_ptr<Sweep>(std::move(sweep)), cancel = cancel_,
                         live = live_, generation] {
    sweep->Run(SweepThreads(), cancel.get(), [this, generation](const SweepPoint& point) {
      QMetaObject::invokeMethod(this, [this, generation, point] { PointDone(generation, point); },
                                Qt::QueuedConnection);
    });
    QMetaObject::invokeMethod(this, [this, generation] { RunEnded(generation); },
                              Qt::QueuedConnection);
    --*live;
  });
  return true;
}

void PlotWindow::Cancel() {
  if (!cancel_ || *cancel_) return;
  *cancel_ = true;
  ++generation_;  // reports still under way are dropped
  redraw_->stop();
  SetIdle(true);
  status_->setText(Q(CancelledStatus(done_, static_cast<int>(slots_.size()))));
  Rebuild();
}

void PlotWindow::SetIdle(bool idle) {
  plot_->setEnabled(idle);
  cancelButton_->setEnabled(!idle);
}

void PlotWindow::PointDone(int generation, const SweepPoint& point) {
  if (generation != generation_) return;
  const size_t k = static_cast<size_t>(point.curve) * static_cast<size_t>(request_.points) +
                   static_cast<size_t>(point.index);
  if (k < slots_.size() && !slots_[k]) {
    slots_[k] = point;
    progress_->setValue(++done_);
  }
}

void PlotWindow::RunEnded(int generation) {
  if (generation != generation_) return;
  redraw_->stop();
  finished_ = true;
  *cancel_ = true;  // nothing left to cancel
  SetIdle(true);
  int gaps = 0;
  for (const auto& slot : slots_) gaps += slot && !slot->message.empty();
  status_->setText(Q(FinishedStatus(done_, gaps)));
  Rebuild();
  // The window keeps the run (a running line on a map follows it).
  form_.NoteSweep(Trace(request_, points()));
}

std::vector<SweepPoint> PlotWindow::points() const {
  std::vector<SweepPoint> points;
  for (const auto& slot : slots_)
    if (slot) points.push_back(*slot);
  return points;
}

QChart* PlotWindow::chart() const { return view_->chart(); }
QString PlotWindow::status() const { return status_->text(); }

QStringList PlotWindow::GapLines() const {
  QStringList lines;
  for (int i = 0; i < gaps_->count(); ++i) lines << gaps_->item(i)->text();
  return lines;
}

SweepPlot PlotWindow::description() const {
  return DescribeSweep(request_, captions_, slots_, logX_->isChecked(), logY_->isChecked());
}

void PlotWindow::ClearChart() {
  QChart* chart = view_->chart();
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
  gaps_->clear();
  hover_->setText(" ");
}

void PlotWindow::Rebuild() {
  ClearChart();
  if (slots_.empty() || request_.outputs.empty()) return;
  const SweepPlot plot = description();
  QChart* chart = view_->chart();
  QAbstractAxis* axisX = MakeAxis(plot.x);
  chart->addAxis(axisX, Qt::AlignBottom);
  QAbstractAxis* axisY = MakeAxis(plot.y);
  chart->addAxis(axisY, Qt::AlignLeft);
  QAbstractAxis* axisY2 = plot.y2 ? MakeAxis(*plot.y2) : nullptr;
  if (axisY2) chart->addAxis(axisY2, Qt::AlignRight);
  chart->legend()->setAlignment(plot.legend == LegendSide::Right ? Qt::AlignRight : Qt::AlignBottom);
  chart->setTitle(Q(plot.title));
  Span x, y[2];
  for (const PlotCurve& curve : plot.curves) {
    AddCurve(curve, plot.markers, axisX, curve.secondAxis ? axisY2 : axisY);
    for (const ChartPoint& p : curve.points)
      if (p) {
        x.Add(p->first);
        y[curve.secondAxis].Add(p->second);
      }
  }
  for (const std::string& line : plot.gapLines) gaps_->addItem(Q(line));
  hover_->setText(Q(plot.note));
  FitAxis(axisX, x.lo, x.hi, plot.x.log);
  FitAxis(axisY, y[0].lo, y[0].hi, plot.y.log);
  if (axisY2) FitAxis(axisY2, y[1].lo, y[1].hi, plot.y2->log);
  // Lay the axes and the legend out now, not at the next turn of the event
  // loop: a copy of the drawing taken at once must show them.
  if (QGraphicsLayout* layout = chart->layout()) layout->activate();
}

// One curve as line pieces between its gaps; only the first piece is named
// in the legend.
void PlotWindow::AddCurve(const PlotCurve& curve, bool markers, QAbstractAxis* axisX, QAbstractAxis* axisY) {
  QChart* chart = view_->chart();
  QPen pen(Colour(curve.colour), 2);
  pen.setStyle(PenStyle(curve.dash));
  const QString name = Q(curve.name), xName = Q(captions_.input);
  QLineSeries* piece = nullptr;
  std::vector<QLineSeries*> pieces;
  bool first = true;
  for (const ChartPoint& p : curve.points) {
    if (!p) {
      piece = nullptr;
      continue;
    }
    if (!piece) {
      piece = new QLineSeries;
      piece->setName(name);
      piece->setPen(pen);
      piece->setPointsVisible(markers);
      piece->setMarkerSize(5);
      pieces.push_back(piece);
      chart->addSeries(piece);
      piece->attachAxis(axisX);
      piece->attachAxis(axisY);
      if (!first)
        for (QLegendMarker* marker : chart->legend()->markers(piece)) marker->setVisible(false);
      first = false;
      connect(piece, &QLineSeries::hovered, this, [this, xName, name](const QPointF& at, bool state) {
        if (state)
          hover_->setText(
              QString("%1 = %2;  %3 = %4").arg(xName).arg(at.x(), 0, 'g', 7).arg(name).arg(at.y(), 0, 'g', 7));
      });
    }
    piece->append(p->first, p->second);
  }
  // A lone point between two gaps still shows.
  for (QLineSeries* lone : pieces)
    if (lone->count() == 1) lone->setPointsVisible(true);
}

std::string PlotWindow::TableText(char separator) const {
  return SweepTable(request_, captions_, points(), separator);
}

void PlotWindow::CopyTable() const {
  QApplication::clipboard()->setText(Q(TableText('\t')));
}

bool PlotWindow::SaveCsv(const QString& path) const {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  const std::string text = TableText(',');
  return file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size());
}

bool PlotWindow::SavePng(const QString& path) const { return view_->grab().save(path, "PNG"); }

bool PlotWindow::SaveSvg(const QString& path) const {
  QSvgGenerator svg;
  svg.setFileName(path);
  svg.setSize(view_->size());
  svg.setViewBox(QRect(QPoint(0, 0), view_->size()));
  svg.setTitle(windowTitle());
  QPainter painter;
  if (!painter.begin(&svg)) return false;
  view_->render(&painter);
  return painter.end();
}

void PlotWindow::SaveAs(const QString& kind) {
  const QString filter = kind == "CSV"   ? "Comma-separated values (*.csv)"
                         : kind == "PNG" ? "PNG image (*.png)"
                                         : "SVG drawing (*.svg)";
  QString path = QFileDialog::getSaveFileName(this, "Save as " + kind, "sweep." + kind.toLower(), filter);
  if (path.isEmpty()) return;
  const bool saved = kind == "CSV" ? SaveCsv(path) : kind == "PNG" ? SavePng(path) : SaveSvg(path);
  status_->setText(saved ? "Saved " + path : "Could not save " + path);
}

}  // namespace qt

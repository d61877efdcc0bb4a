#include "qt/plot_window.h"
#include "qt/model.h"

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
#include "core/reading.h"

namespace qt {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// A control by its one caption, as the error line and the screen reader
// name it.
QString Choice(const Form& form, const Control& control) { return Q(CaptionOf(form, control)); }

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

// Family values: separated by blanks or ";" (a "," groups digits).
std::vector<std::string> SplitValues(const QString& text) {
  std::vector<std::string> values;
  for (const QString& part : text.split(QRegularExpression("[\\s;]+"), Qt::SkipEmptyParts))
    values.push_back(part.toStdString());
  return values;
}

const QColor kColours[] = {QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28), QColor(0x2c, 0xa0, 0x2c),
                           QColor(0xff, 0x7f, 0x0e), QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
                           QColor(0xe3, 0x77, 0xc2), QColor(0x17, 0xbe, 0xcf), QColor(0x7f, 0x7f, 0x7f),
                           QColor(0xbc, 0xbd, 0x22)};

// Points beyond this are not listed one by one under the chart.
constexpr int kMaxGapLines = 500;

}  // namespace

PlotWindow::PlotWindow(Form& form, FormFactory make, QWidget* parent)
    : QWidget(parent, Qt::Window), form_(form), make_(std::move(make)) {
  setObjectName("PlotWindow");
  setWindowTitle("Sweep and plot: " + Q(form.caption()).section("  ", 0, 0).trimmed());
  setAttribute(Qt::WA_DeleteOnClose);

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
  points_->setValue(21);
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
  familyValues_->setPlaceholderText("up to 8 values, e.g. 2000 2500 3000");
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

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(leftBox);
  layout->addLayout(right, 1);

  redraw_ = new QTimer(this);
  redraw_->setInterval(250);
  connect(redraw_, &QTimer::timeout, this, [this] { Rebuild(); });
  connect(plot_, &QPushButton::clicked, this, [this] { Start(); });
  connect(cancelButton_, &QPushButton::clicked, this, [this] { Cancel(); });
  connect(copy, &QPushButton::clicked, this, [this] { CopyTable(); });
  connect(input_, &QComboBox::currentIndexChanged, this, [this] { InputChosen(); });
  connect(logX_, &QCheckBox::toggled, this, [this] { Rebuild(); });
  connect(logY_, &QCheckBox::toggled, this, [this] { Rebuild(); });

  FillChoices();
}

PlotWindow::~PlotWindow() {
  if (cancel_) *cancel_ = true;
  for (auto& t : threads_) t.join();
}

void PlotWindow::FillChoices() {
  inputs_ = SweepInputs(form_);
  outputs_ = SweepOutputs(form_);
  buttons_ = SweepButtons(form_);
  family_->addItem("(none)");
  for (const TextBox* box : inputs_) family_->addItem(Choice(form_, *box));
  for (const Button* button : buttons_) button_->addItem(Choice(form_, *button));
  for (const Control* output : outputs_) {
    auto* item = new QListWidgetItem(Choice(form_, *output), results_);
    item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
    item->setCheckState(Qt::Unchecked);
  }
  {
    const QSignalBlocker quiet(input_);
    for (const TextBox* box : inputs_) input_->addItem(Choice(form_, *box));
  }
  const bool usable = !inputs_.empty() && !buttons_.empty() && !outputs_.empty();
  plot_->setEnabled(usable);
  status_->setText(usable ? QString() : "This window has no input box with results to sweep.");
  if (!usable) return;
  // The first box whose part of the window has a compute button.
  int first = 0;
  for (size_t i = 0; i < inputs_.size(); ++i)
    if (form_.ComputeFor(*inputs_[i])) {
      first = static_cast<int>(i);
      break;
    }
  input_->setCurrentIndex(first);
  InputChosen();
  // The first two results are checked to start with.
  for (int i = 0; i < results_->count() && i < 2; ++i) results_->item(i)->setCheckState(Qt::Checked);
}

void PlotWindow::RefreshChoices() {
  if (cancel_ && !*cancel_) return;  // not while a sweep runs
  auto idOf = [](const auto& list, int at) {
    return at >= 0 && at < static_cast<int>(list.size()) ? list[static_cast<size_t>(at)]->id()
                                                        : std::string();
  };
  const std::string input = idOf(inputs_, input_->currentIndex());
  const std::string button = idOf(buttons_, button_->currentIndex());
  const std::string family = idOf(inputs_, family_->currentIndex() - 1);
  const QString from = from_->text(), to = to_->text(), values = familyValues_->text();
  std::vector<std::string> checked;
  for (int i = 0; i < results_->count(); ++i)
    if (results_->item(i)->checkState() == Qt::Checked) checked.push_back(idOf(outputs_, i));
  {
    const QSignalBlocker quiet(input_);
    input_->clear();
  }
  button_->clear();
  family_->clear();
  results_->clear();
  FillChoices();
  if (!plot_->isEnabled()) return;
  if (ChooseInput(input)) {
    from_->setText(from);
    to_->setText(to);
  }
  ChooseButton(button);
  if (!checked.empty()) ChooseOutputs(checked);
  ChooseFamily(family, values.toStdString());
}

void PlotWindow::InputChosen() {
  const int at = input_->currentIndex();
  if (at < 0 || at >= static_cast<int>(inputs_.size())) return;
  const TextBox& box = *inputs_[static_cast<size_t>(at)];
  const auto [from, to] = DefaultRange(box);
  from_->setText(Q(NumberText(static_cast<float>(from))));
  to_->setText(Q(NumberText(static_cast<float>(to))));
  if (Button* compute = form_.ComputeFor(box)) {
    auto it = std::find(buttons_.begin(), buttons_.end(), compute);
    if (it != buttons_.end()) button_->setCurrentIndex(static_cast<int>(it - buttons_.begin()));
  }
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
    const bool on = std::find(ids.begin(), ids.end(), outputs_[i]->id()) != ids.end();
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

SweepRequest PlotWindow::RequestFromWidgets(std::string& problem) const {
  SweepRequest request;
  const int in = input_->currentIndex(), press = button_->currentIndex();
  if (in < 0 || press < 0) {
    problem = "Choose a box to sweep and a button to press.";
    return request;
  }
  request.input = inputs_[static_cast<size_t>(in)]->id();
  request.button = buttons_[static_cast<size_t>(press)]->id();
  const std::optional<double> from = ReadRangeEnd(from_->text().toStdString());
  const std::optional<double> to = ReadRangeEnd(to_->text().toStdString());
  if (!from || !to) {
    problem = "From and To must be numbers.";
    return request;
  }
  request.from = *from;
  request.to = *to;
  request.points = points_->value();
  request.spacing = logSpacing_->isChecked() ? Spacing::Log : Spacing::Linear;
  for (int i = 0; i < results_->count(); ++i)
    if (results_->item(i)->checkState() == Qt::Checked)
      request.outputs.push_back(outputs_[static_cast<size_t>(i)]->id());
  if (request.outputs.empty()) {
    problem = "Check at least one result to plot.";
    return request;
  }
  if (family_->currentIndex() > 0) {
    request.family = inputs_[static_cast<size_t>(family_->currentIndex() - 1)]->id();
    request.familyTexts = SplitValues(familyValues_->text());
  }
  return request;
}

bool PlotWindow::Start() {
  Cancel();  // a run under way gives way to the new one
  std::string problem;
  SweepRequest request = RequestFromWidgets(problem);
  std::unique_ptr<Sweep> sweep;
  if (problem.empty()) {
    try {
      sweep = std::make_unique<Sweep>(form_, make_, request);
    } catch (const SweepError& e) {
      problem = e.what();
      problem[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(problem[0])));
    }
  }
  if (!sweep) {
    status_->setText(Q(problem));
    return false;
  }
  request_ = std::move(request);
  slots_.assign(static_cast<size_t>(sweep->size()), std::nullopt);
  done_ = 0;
  finished_ = false;
  const int generation = ++generation_;
  cancel_ = std::make_shared<std::atomic<bool>>(false);
  progress_->setRange(0, sweep->size());
  progress_->setValue(0);
  status_->setText(QString("Computing %1 points…").arg(sweep->size()));
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
  status_->setText(QString("Cancelled after %1 of %2 points.").arg(done_).arg(slots_.size()));
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
  status_->setText(QString("%1 points, %2 of them gaps.").arg(done_).arg(gaps));
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

void PlotWindow::Rebuild() {
  QChart* chart = view_->chart();
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
  gaps_->clear();
  hover_->setText(" ");
  if (slots_.empty() || request_.outputs.empty()) return;

  const Control* inputControl = form_.FindById(request_.input);
  const std::string xCaption = inputControl ? CaptionOf(form_, *inputControl) : request_.input;
  const Control* familyControl = request_.family.empty() ? nullptr : form_.FindById(request_.family);
  const std::string familyCaption =
      familyControl ? CaptionOf(form_, *familyControl) : request_.family;
  const size_t nOut = request_.outputs.size();
  std::vector<std::string> captions;
  for (const std::string& id : request_.outputs) {
    const Control* c = form_.FindById(id);
    captions.push_back(c ? CaptionOf(form_, *c) : id);
  }
  const bool logX = logX_->isChecked(), logY = logY_->isChecked();

  // The magnitude of each result decides its axis: more than ten times
  // apart from the first one's, it goes on the second axis.
  std::vector<double> magnitude(nOut, 0);
  for (const auto& slot : slots_) {
    if (!slot || !slot->message.empty()) continue;
    for (size_t o = 0; o < nOut && o < slot->outputs.size(); ++o)
      if (auto y = ShownNumber(slot->outputs[o])) magnitude[o] = std::max(magnitude[o], std::fabs(*y));
  }
  std::vector<bool> second(nOut, false);
  for (size_t o = 1; o < nOut; ++o) {
    const double a = magnitude[0], b = magnitude[o];
    second[o] = a > 0 && b > 0 && (b > 10 * a || a > 10 * b);
  }
  const bool twoAxes = std::find(second.begin(), second.end(), true) != second.end();

  auto makeAxis = [](bool log) -> QAbstractAxis* {
    if (log) {
      auto* axis = new QLogValueAxis;
      axis->setBase(10);
      axis->setLabelFormat("%g");
      axis->setMinorTickCount(-1);
      return axis;
    }
    auto* axis = new QValueAxis;
    axis->setLabelFormat("%g");
    return axis;
  };
  QAbstractAxis* axisX = makeAxis(logX);
  axisX->setTitleText(Q(xCaption));
  chart->addAxis(axisX, Qt::AlignBottom);
  QAbstractAxis* axisY = makeAxis(logY);
  chart->addAxis(axisY, Qt::AlignLeft);
  QAbstractAxis* axisY2 = nullptr;
  if (twoAxes) {
    axisY2 = makeAxis(logY);
    chart->addAxis(axisY2, Qt::AlignRight);
  }
  QStringList leftTitles, rightTitles;
  for (size_t o = 0; o < nOut; ++o) (second[o] ? rightTitles : leftTitles) << Q(captions[o]);
  axisY->setTitleText(leftTitles.join(", "));
  if (axisY2) axisY2->setTitleText(rightTitles.join(", "));

  const int curves = request_.family.empty() ? 1 : static_cast<int>(request_.familyTexts.size());
  const int n = request_.points;
  // Many curves: their names in a column beside the chart, not cut short.
  chart->legend()->setAlignment(curves * static_cast<int>(nOut) > 3 ? Qt::AlignRight : Qt::AlignBottom);
  QStringList familyValues;
  for (const std::string& v : request_.familyTexts) familyValues << Q(v);
  chart->setTitle(request_.family.empty()
                      ? QString()
                      : QString("One curve for each %1 = %2").arg(Q(familyCaption), familyValues.join(", ")));
  double xmin = HUGE_VAL, xmax = -HUGE_VAL, ymin[2] = {HUGE_VAL, HUGE_VAL}, ymax[2] = {-HUGE_VAL, -HUGE_VAL};
  int hidden = 0, gapLines = 0, colour = 0;
  for (size_t o = 0; o < nOut; ++o) {
    for (int c = 0; c < curves; ++c, ++colour) {
      QString name = Q(captions[o]);
      if (curves > 1) name += ", " + Q(request_.familyTexts[static_cast<size_t>(c)]);
      // In a family, a colour for each value and a line for each result.
      const int hue = curves > 1 ? c : colour;
      const QColor tint = kColours[hue % static_cast<int>(std::size(kColours))];
      static const Qt::PenStyle lines[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine};
      QPen pen(tint, 2);
      pen.setStyle(curves > 1 ? lines[o % std::size(lines)] : Qt::SolidLine);
      QLineSeries* segment = nullptr;
      bool first = true;
      auto close = [&] { segment = nullptr; };
      for (int i = 0; i < n; ++i) {
        const auto& slot = slots_[static_cast<size_t>(c * n + i)];
        if (!slot) {
          close();
          continue;
        }
        const std::optional<double> x = ReadRangeEnd(slot->text);
        const std::optional<double> y =
            slot->message.empty() && o < slot->outputs.size() ? ShownNumber(slot->outputs[o]) : std::nullopt;
        if (!x || !y || (logX && *x <= 0) || (logY && *y <= 0)) {
          if (slot->message.empty() && x && y) ++hidden;
          close();
          continue;
        }
        if (!segment) {
          segment = new QLineSeries;
          segment->setName(name);
          segment->setPen(pen);
          segment->setPointsVisible(true);
          segment->setMarkerSize(5);
          chart->addSeries(segment);
          segment->attachAxis(axisX);
          segment->attachAxis(second[o] ? axisY2 : axisY);
          if (!first) {
            for (QLegendMarker* marker : chart->legend()->markers(segment)) marker->setVisible(false);
          }
          first = false;
          const QString yName = name;
          connect(segment, &QLineSeries::hovered, this,
                  [this, xCaption, yName](const QPointF& p, bool state) {
                    if (!state) return;
                    hover_->setText(QString("%1 = %2;  %3 = %4")
                                        .arg(Q(xCaption))
                                        .arg(p.x(), 0, 'g', 7)
                                        .arg(yName)
                                        .arg(p.y(), 0, 'g', 7));
                  });
        }
        segment->append(*x, *y);
        xmin = std::min(xmin, *x);
        xmax = std::max(xmax, *x);
        const int side = second[o] ? 1 : 0;
        ymin[side] = std::min(ymin[side], *y);
        ymax[side] = std::max(ymax[side], *y);
      }
    }
  }
  // Each gap once, with its message (the results share one point).
  for (int c = 0; c < curves; ++c) {
    for (int i = 0; i < n; ++i) {
      const auto& slot = slots_[static_cast<size_t>(c * n + i)];
      if (!slot || slot->message.empty()) continue;
      if (gapLines++ >= kMaxGapLines) continue;
      QString line = QString("%1 = %2").arg(Q(xCaption), Q(slot->text));
      if (curves > 1)
        line = QString("%1 = %2, ").arg(Q(familyCaption), Q(request_.familyTexts[static_cast<size_t>(c)])) + line;
      gaps_->addItem(line + ": " + Q(slot->message));
    }
  }
  if (gapLines > kMaxGapLines) gaps_->addItem(QString("… and %1 more").arg(gapLines - kMaxGapLines));
  if (hidden) hover_->setText(QString("%1 points at or below zero are not shown on a log axis").arg(hidden));

  // Ranges with a margin, so no point sits on the frame.
  auto range = [](QAbstractAxis* axis, double lo, double hi, bool log) {
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
  };
  range(axisX, xmin, xmax, logX);
  range(axisY, ymin[0], ymax[0], logY);
  if (axisY2) range(axisY2, ymin[1], ymax[1], logY);
  // Lay the axes and the legend out now, not at the next turn of the event
  // loop: a copy of the drawing taken at once must show them.
  if (QGraphicsLayout* layout = chart->layout()) layout->activate();
}

std::string PlotWindow::TableText(char separator) const {
  auto field = [separator](const std::string& text) {
    return separator == ',' ? CsvField(text) : text;
  };
  std::string table;
  std::vector<std::string> headings;
  if (!request_.family.empty()) {
    const Control* c = form_.FindById(request_.family);
    headings.push_back(c ? CaptionOf(form_, *c) : request_.family);
  }
  const Control* in = form_.FindById(request_.input);
  headings.push_back(in ? CaptionOf(form_, *in) : request_.input);
  for (const std::string& id : request_.outputs) {
    const Control* c = form_.FindById(id);
    headings.push_back(c ? CaptionOf(form_, *c) : id);
  }
  headings.push_back("Message");
  for (size_t i = 0; i < headings.size(); ++i) table += (i ? std::string(1, separator) : "") + field(headings[i]);
  table += "\n";
  for (const SweepPoint& point : points()) {
    std::vector<std::string> row;
    if (!request_.family.empty()) row.push_back(request_.familyTexts[static_cast<size_t>(point.curve)]);
    row.push_back(point.text);
    for (const std::string& out : point.outputs) row.push_back(out);
    row.push_back(point.message);
    for (size_t i = 0; i < row.size(); ++i) table += (i ? std::string(1, separator) : "") + field(row[i]);
    table += "\n";
  }
  return table;
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

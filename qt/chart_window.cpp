#include "qt/chart_window.h"
#include "qt/model.h"
#include "qt/drawing.h"
#include "qt/window_keys.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGraphicsLayout>
#include <QGraphicsPathItem>
#include <QGraphicsTextItem>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QResizeEvent>
#include <QSplitter>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <map>
#include <optional>

namespace qt {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QScatterSeries::MarkerShape Shape(MarkShape shape) {
  switch (shape) {
    case MarkShape::Circle: return QScatterSeries::MarkerShapeCircle;
    case MarkShape::Square: return QScatterSeries::MarkerShapeRectangle;
    case MarkShape::Triangle: return QScatterSeries::MarkerShapeTriangle;
    case MarkShape::Diamond: return QScatterSeries::MarkerShapeRotatedRectangle;
  }
  return QScatterSeries::MarkerShapeCircle;
}

// Rounds of equal-scale settling after each resize (axis labels change
// width with the range, which moves the plot area a little).
constexpr int kSettleRounds = 6;
QFont ChartFont(int points, bool bold = false) {
  QFont font;
  font.setFamilies({"Liberation Sans", "Arial"});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(points);
  font.setBold(bold);
  return font;
}

// Shortest text that reads back to the same Double.
QString Number(double v) {
  if (!std::isfinite(v)) return {};
  char buf[32];
  for (int digits = 15; digits <= 17; ++digits) {
    std::snprintf(buf, sizeof buf, "%.*g", digits, v);
    if (std::strtod(buf, nullptr) == v) break;
  }
  return QString::fromLatin1(buf);
}

QString Plain(const std::string& text) {
  QTextDocument doc;
  doc.setHtml(ChartRichText(text));
  return doc.toPlainText();
}

bool Usable(const ChartPoint& p, bool logX, bool logY) {
  return p && std::isfinite(p->first) && std::isfinite(p->second) && (!logX || p->first > 0) &&
         (!logY || p->second > 0);
}

// The font of the texts beside points, at the size the core places them for.
QFont LabelFont() {
  QFont font = ChartFont(9);
  font.setPixelSize(static_cast<int>(core::kLabelFontPixels));
  return font;
}

QAbstractAxis* MakeAxis(const ChartAxis& want) {
  QAbstractAxis* axis = NumberAxis(want.log);
  axis->setTitleText(ChartRichText(want.label));
  axis->setTitleFont(ChartFont(10));
  axis->setLabelsFont(ChartFont(9));
  return axis;
}

// An axis set to the core's range, with its ticks where the core puts them.
void SetRange(QAbstractAxis* axis, const core::AxisRange& range, bool log) {
  if (log) {
    static_cast<QLogValueAxis*>(axis)->setRange(range.lo, range.hi);
    return;
  }
  auto* values = static_cast<QValueAxis*>(axis);
  if (range.step > 0) values->setTickCount(static_cast<int>(std::round((range.hi - range.lo) / range.step)) + 1);
  values->setRange(range.lo, range.hi);
}

// The range an axis shows now (an equal scale may have widened it).
core::AxisRange RangeShown(const QAbstractAxis* axis, const core::AxisRange& asked) {
  if (const auto* values = qobject_cast<const QValueAxis*>(axis)) return {values->min(), values->max(), asked.step};
  if (const auto* log = qobject_cast<const QLogValueAxis*>(axis)) return {log->min(), log->max(), 0};
  return asked;
}

}  // namespace

QString ChartRichText(const std::string& text) {
  const QString in = Q(text);
  QString out;
  enum { Normal, Sub, Sup } mode = Normal;
  auto enter = [&](decltype(mode) want) {
    if (mode == want) return;
    if (mode == Sub) out += "</sub>";
    if (mode == Sup) out += "</sup>";
    if (want == Sub) out += "<sub>";
    if (want == Sup) out += "<sup>";
    mode = want;
  };
  static const QString subs = QString::fromUtf8("₀₁₂₃₄₅₆₇₈₉₊₋₌₍₎ₐₑₒₓₕₖₗₘₙₚₛₜ");
  static const QString subPlain = QString::fromUtf8("0123456789+−=()aeoxhklmnpst");
  static const QString sups = QString::fromUtf8("⁰¹²³⁴⁵⁶⁷⁸⁹⁺⁻⁼⁽⁾ⁿⁱ");
  static const QString supPlain = QString::fromUtf8("0123456789+−=()ni");
  for (const QChar c : in) {
    if (const qsizetype at = subs.indexOf(c); at >= 0) {
      enter(Sub);
      out += subPlain[at];
    } else if (const qsizetype up = sups.indexOf(c); up >= 0) {
      enter(Sup);
      out += supPlain[up];
    } else {
      enter(Normal);
      if (c == '&') out += "&amp;";
      else if (c == '<') out += "&lt;";
      else if (c == '>') out += "&gt;";
      else out += c;
    }
  }
  enter(Normal);
  return out;
}

// ---------------------------------------------------------------- ChartTab

ChartTab::ChartTab(QWidget* parent) : QWidget(parent) {
  message_ = new QLabel;
  message_->setObjectName("message");
  message_->setWordWrap(true);
  message_->setAlignment(Qt::AlignCenter);
  message_->setFont(ChartFont(12));
  message_->setTextFormat(Qt::PlainText);

  auto* chart = new QChart;
  chart->setTitleFont(ChartFont(12, true));
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->legend()->setFont(ChartFont(9));
  chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
  view_ = new QChartView(chart);
  view_->setObjectName("chart");
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setMinimumSize(360, 260);
  connect(chart, &QChart::plotAreaChanged, this, [this] { Relayout(); });

  table_ = new QTableWidget;
  table_->setObjectName("table");
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setContextMenuPolicy(Qt::ActionsContextMenu);
  table_->setAlternatingRowColors(true);
  // A row is named by its first cell (a station number), not by a count.
  table_->verticalHeader()->setVisible(false);
  auto* copyTable = new QAction("Copy", table_);
  copyTable->setShortcut(QKeySequence::Copy);
  copyTable->setShortcutContext(Qt::WidgetShortcut);
  connect(copyTable, &QAction::triggered, this, [this] { QApplication::clipboard()->setText(TableText()); });
  table_->addAction(copyTable);

  split_ = new QSplitter(Qt::Vertical);
  split_->addWidget(view_);
  split_->addWidget(table_);
  split_->setStretchFactor(0, 3);
  split_->setStretchFactor(1, 1);

  hover_ = new QLabel(" ");
  hover_->setObjectName("hover");
  hover_->setTextFormat(Qt::RichText);

  copy_ = new QPushButton("Copy");
  copy_->setObjectName("copy");
  copy_->setToolTip("Copy the data as tab-separated rows");
  png_ = new QPushButton("Save as PNG…");
  png_->setObjectName("savePNG");
  svg_ = new QPushButton("Save as SVG…");
  svg_->setObjectName("saveSVG");
  connect(copy_, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(CopyText()); });
  connect(png_, &QPushButton::clicked, this, [this] { SaveAs("PNG"); });
  connect(svg_, &QPushButton::clicked, this, [this] { SaveAs("SVG"); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(copy_);
  buttons->addWidget(png_);
  buttons->addWidget(svg_);
  buttons->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(message_, 1);
  layout->addWidget(split_, 1);
  layout->addWidget(hover_);
  layout->addLayout(buttons);
}

void ChartTab::Clear() {
  QChart* chart = view_->chart();
  for (QGraphicsTextItem* item : labels_) delete item;
  labels_.clear();
  for (Arrow& arrow : arrows_) delete arrow.head;
  arrows_.clear();
  pending_.clear();
  placed_.clear();
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
  axisX_ = axisY_ = axisY2_ = nullptr;
  chart->setTitle({});
  table_->clear();
  table_->setRowCount(0);
  table_->setColumnCount(0);
  hover_->setText(" ");
}

void ChartTab::Show(const ChartData& data) {
  data_ = data;
  Clear();
  const bool available = data_.available();
  const bool drawing = available && (!data_.series.empty() || !data_.marks.empty());
  const bool table = available && !data_.table.empty();
  message_->setText(available ? QString() : Q(data_.unavailable));
  message_->setVisible(!available);
  split_->setVisible(drawing || table);
  view_->setVisible(drawing);
  table_->setVisible(table);
  hover_->setVisible(drawing);
  copy_->setEnabled(drawing || table);
  png_->setEnabled(drawing || table);
  svg_->setEnabled(drawing || table);
  const QString title = Plain(data_.title.empty() ? data_.name : data_.title);
  view_->setAccessibleName(title);
  view_->setAccessibleDescription(available ? QString("Chart: %1").arg(title) : message_->text());
  table_->setAccessibleName(title + " (table)");
  if (drawing) Draw();
  if (table) FillTable();
}

// What the steps of Draw gather: the ranges the data needs, the legend's names.
struct ChartTab::Drawn {
  QStringList legendNames;
};

void ChartTab::Draw() {
  look_ = DescribeChart(data_);
  QChart* chart = view_->chart();
  chart->setTitle(ChartRichText(data_.title));
  AddAxes();
  Drawn drawn;
  for (size_t i = 0; i < data_.series.size(); ++i) {
    const ChartSeries& s = data_.series[i];
    const ChartLook::Series& look = look_.series[i];
    if (s.style == SeriesStyle::Points) DrawPoints(s, look, drawn);
    else if (s.style == SeriesStyle::Arrows) DrawArrows(s, look, drawn);
    else DrawLine(s, look, drawn);
  }
  DrawMarks(drawn);
  chart->legend()->setVisible(look_.legend);
  legendWidth_ = 0;
  const QFontMetrics metrics(chart->legend()->font());
  for (const QString& name : drawn.legendNames) {
    QTextDocument doc;
    doc.setHtml(name);
    legendWidth_ += metrics.horizontalAdvance(doc.toPlainText()) + 40;
  }
  PlaceLegend();
  SetRange(axisX_, look_.x, data_.x.log);
  SetRange(axisY_, look_.y, data_.y.log);
  if (axisY2_) SetRange(axisY2_, look_.y2, data_.y2->log);
  // Lay the drawing out now: a picture taken at once shows it whole.
  if (QGraphicsLayout* layout = chart->layout()) layout->activate();
  Relayout();
}

void ChartTab::AddAxes() {
  QChart* chart = view_->chart();
  axisX_ = MakeAxis(data_.x);
  chart->addAxis(axisX_, Qt::AlignBottom);
  axisY_ = MakeAxis(data_.y);
  chart->addAxis(axisY_, Qt::AlignLeft);
  if (data_.y2) {
    axisY2_ = MakeAxis(*data_.y2);
    // Its ticks only: two grids over one drawing are hard to read.
    axisY2_->setGridLineVisible(false);
    axisY2_->setMinorGridLineVisible(false);
    chart->addAxis(axisY2_, Qt::AlignRight);
  }
}

void ChartTab::Attach(QXYSeries* series, bool second, const QString& name, bool inLegend, Drawn& drawn) {
  QChart* chart = view_->chart();
  if (inLegend) drawn.legendNames << name;
  series->setName(name);
  chart->addSeries(series);
  series->attachAxis(axisX_);
  series->attachAxis(second ? axisY2_ : axisY_);
  for (QLegendMarker* marker : chart->legend()->markers(series)) marker->setVisible(inLegend);
  connect(series, &QXYSeries::hovered, this, [this, series, name, second](const QPointF& p, bool state) {
    Hovered(series, name, second, p, state);
  });
}

bool ChartTab::Shows(const ChartPoint& p, bool second) const {
  return Usable(p, data_.x.log, second ? data_.y2->log : data_.y.log);
}

// The text of point i of s (if any), for the hover line.
void ChartTab::Note(const ChartSeries& s, const ChartLook::Series& look, QXYSeries* series, size_t i) {
  const auto& p = *s.points[i];
  if (s.labels.size() == s.points.size() && !s.labels[i].empty())
    pending_.push_back({series, QPointF(p.first, p.second), ChartRichText(s.labels[i]), Colour(look.colour)});
}

void ChartTab::DrawPoints(const ChartSeries& s, const ChartLook::Series& look, Drawn& drawn) {
  const QColor tint = Colour(look.colour);
  auto* series = new QScatterSeries;
  series->setColor(tint);
  series->setBorderColor(tint.darker(130));
  series->setMarkerSize(look.marker);
  for (size_t i = 0; i < s.points.size(); ++i)
    if (Shows(s.points[i], look.secondAxis)) {
      series->append(s.points[i]->first, s.points[i]->second);
      Note(s, look, series, i);
    }
  Attach(series, look.secondAxis, ChartRichText(s.name), look.inLegend, drawn);
}

// Each pair is one vector: a shaft and a head at its second point.
void ChartTab::DrawArrows(const ChartSeries& s, const ChartLook::Series& look, Drawn& drawn) {
  const QColor tint = Colour(look.colour);
  const QPen pen(tint, look.width);
  bool legend = look.inLegend;
  for (size_t i = 0; i + 1 < s.points.size(); i += 2) {
    if (!Shows(s.points[i], look.secondAxis) || !Shows(s.points[i + 1], look.secondAxis)) continue;
    auto* shaft = new QLineSeries;
    shaft->setPen(pen);
    shaft->append(s.points[i]->first, s.points[i]->second);
    shaft->append(s.points[i + 1]->first, s.points[i + 1]->second);
    Note(s, look, shaft, i);
    Note(s, look, shaft, i + 1);
    Attach(shaft, look.secondAxis, ChartRichText(s.name), legend, drawn);
    legend = false;
    auto* head = new QGraphicsPathItem(view_->chart());
    head->setBrush(tint);
    head->setPen(QPen(tint, 1));
    head->setZValue(20);
    arrows_.push_back({shaft, QPointF(s.points[i]->first, s.points[i]->second),
                       QPointF(s.points[i + 1]->first, s.points[i + 1]->second), head});
  }
}

// A line, broken at each gap (and at each point a log axis cannot show).
void ChartTab::DrawLine(const ChartSeries& s, const ChartLook::Series& look, Drawn& drawn) {
  QPen pen(Colour(look.colour), look.width);
  pen.setStyle(PenStyle(look.dash));
  bool legend = look.inLegend;
  QLineSeries* segment = nullptr;
  for (size_t i = 0; i < s.points.size(); ++i) {
    if (!Shows(s.points[i], look.secondAxis)) {
      segment = nullptr;
      continue;
    }
    if (!segment) {
      segment = new QLineSeries;
      segment->setPen(pen);
    }
    segment->append(s.points[i]->first, s.points[i]->second);
    Note(s, look, segment, i);
    if (i + 1 == s.points.size() || !Shows(s.points[i + 1], look.secondAxis)) {
      // A lone point between two gaps still shows.
      if (segment->count() == 1) segment->setPointsVisible(true);
      Attach(segment, look.secondAxis, ChartRichText(s.name), legend, drawn);
      legend = false;
      segment = nullptr;
    }
  }
}

// Marks in the core's groups: one scatter series and one legend entry each.
void ChartTab::DrawMarks(Drawn& drawn) {
  std::vector<QScatterSeries*> groups;
  for (const ChartLook::Group& g : look_.groups) {
    auto* series = new QScatterSeries;
    series->setMarkerSize(look_.markSize);
    series->setMarkerShape(Shape(g.shape));
    series->setColor(Colour(g.colour));
    series->setBorderColor(Qt::white);
    groups.push_back(series);
  }
  for (size_t i = 0; i < data_.marks.size(); ++i) {
    const ChartMark& m = data_.marks[i];
    const ChartLook::Mark& look = look_.marks[i];
    if (look.group < 0) continue;
    QScatterSeries* series = groups[static_cast<size_t>(look.group)];
    series->append(m.x, m.y);
    const std::string text = m.text.empty() ? m.name : m.text;
    if (!text.empty()) pending_.push_back({series, QPointF(m.x, m.y), ChartRichText(text), Colour(look.colour)});
  }
  for (size_t g = 0; g < groups.size(); ++g) {
    const ChartLook::Group& group = look_.groups[g];
    const QString name = ChartRichText(group.legend);
    Attach(groups[g], group.secondAxis, name, !name.isEmpty(), drawn);
  }
}

void ChartTab::FillTable() {
  const auto& rows = data_.table;
  size_t columns = 0;
  for (const auto& row : rows) columns = std::max(columns, row.size());
  table_->setColumnCount(static_cast<int>(columns));
  table_->setRowCount(static_cast<int>(rows.size()) - 1);
  QStringList headings;
  for (const std::string& h : rows.front()) headings << Plain(h);
  table_->setHorizontalHeaderLabels(headings);
  for (size_t r = 1; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].size(); ++c) {
      auto* item = new QTableWidgetItem(Plain(rows[r][c]));
      // Numbers to the right, so their digits line up; words to the left.
      bool number = false;
      item->text().toDouble(&number);
      item->setTextAlignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
      table_->setItem(static_cast<int>(r) - 1, static_cast<int>(c), item);
    }
  table_->resizeColumnsToContents();
}

void ChartTab::PlaceLegend() {
  // A legend too long for one row goes in a column beside the drawing,
  // where no name is cut short.
  QLegend* legend = view_->chart()->legend();
  const Qt::Alignment want = legendWidth_ > view_->width() - 80 ? Qt::AlignRight : Qt::AlignBottom;
  if (legend->alignment() != want) legend->setAlignment(want);
}

void ChartTab::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceLegend();
  if (QGraphicsLayout* layout = view_->chart()->layout()) layout->activate();
  Relayout();
}

void ChartTab::Relayout() {
  if (relaying_ || !axisX_) return;
  relaying_ = true;
  for (int round = 0; round < kSettleRounds; ++round) {
    const QRectF before = view_->chart()->plotArea();
    KeepEqualScale();
    if (QGraphicsLayout* layout = view_->chart()->layout()) layout->activate();
    if (view_->chart()->plotArea() == before) break;
  }
  PlaceOverlays();
  relaying_ = false;
}

void ChartTab::KeepEqualScale() {
  if (!data_.equalScale || data_.x.log || data_.y.log) return;
  const QRectF plot = view_->chart()->plotArea();
  if (plot.width() < 1 || plot.height() < 1) return;
  // One unit per pixel alike on both axes: the larger need decides.
  const core::AxisRange& x = look_.x;
  const core::AxisRange& y = look_.y;
  const double perPixel = std::max((x.hi - x.lo) / plot.width(), (y.hi - y.lo) / plot.height());
  const double cx = (x.lo + x.hi) / 2, cy = (y.lo + y.hi) / 2;
  const double w = perPixel * plot.width(), h = perPixel * plot.height();
  auto* ax = static_cast<QValueAxis*>(axisX_);
  auto* ay = static_cast<QValueAxis*>(axisY_);
  // One step on both axes, a few of them along the shorter.
  const double step = NiceStep(std::min(w, h), 4);
  for (QValueAxis* axis : {ax, ay}) {
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(step);
  }
  ax->setRange(cx - w / 2, cx + w / 2);
  ay->setRange(cy - h / 2, cy + h / 2);
}

void ChartTab::PlaceOverlays() {
  QChart* chart = view_->chart();
  for (QGraphicsTextItem* item : labels_) delete item;
  labels_.clear();
  const QRectF plot = chart->plotArea();
  PlaceArrowHeads();
  // The texts where the core puts them for this plot area and these ranges.
  core::PixelFrame frame = core::FrameOf(data_, look_, plot.left(), plot.top(), plot.width(), plot.height());
  frame.x = RangeShown(axisX_, look_.x);
  frame.y = RangeShown(axisY_, look_.y);
  if (axisY2_) frame.y2 = RangeShown(axisY2_, look_.y2);
  placed_ = core::PlaceLabels(data_, look_, frame);
  for (const core::ChartLabel& label : placed_) {
    auto* item = new QGraphicsTextItem(chart);
    item->setFont(LabelFont());
    item->document()->setDocumentMargin(core::kLabelMargin);
    item->setDefaultTextColor(Colour(label.colour));
    item->setHtml(ChartRichText(label.text));
    item->setZValue(30);
    item->setPos(label.left, label.top);
    labels_.push_back(item);
  }
}

// Arrow heads: drawn in pixels so they keep their shape at any scale.
void ChartTab::PlaceArrowHeads() {
  QChart* chart = view_->chart();
  for (Arrow& arrow : arrows_) {
    const QPointF tip = chart->mapToPosition(arrow.to, arrow.series);
    const QPointF tail = chart->mapToPosition(arrow.from, arrow.series);
    const QPointF d = tip - tail;
    const double length = std::hypot(d.x(), d.y());
    QPainterPath path;
    if (length > 1) {
      const QPointF u = d / length, n(-u.y(), u.x());
      const double size = std::min(11.0, length / 2);
      path.moveTo(tip);
      path.lineTo(tip - u * size + n * size * 0.4);
      path.lineTo(tip - u * size - n * size * 0.4);
      path.closeSubpath();
    }
    arrow.head->setPath(path);
  }
}

QPointF ChartTab::Position(double x, double y, bool secondAxis) const {
  QChart* chart = view_->chart();
  for (QAbstractSeries* s : chart->series()) {
    const auto axes = s->attachedAxes();
    if (axes.contains(secondAxis ? axisY2_ : axisY_)) return chart->mapToPosition(QPointF(x, y), s);
  }
  return {};
}

void ChartTab::Hovered(QXYSeries* series, const QString& name, bool second, const QPointF& near, bool state) {
  if (!state) return;
  // The data point nearest the pointer, with its own values.
  QChart* chart = view_->chart();
  const QPointF mouse = chart->mapToPosition(near, series);
  const QList<QPointF> points = series->points();
  if (points.isEmpty()) return;
  QPointF best = points.front();
  double bestDistance = HUGE_VAL;
  for (const QPointF& p : points) {
    const QPointF d = chart->mapToPosition(p, series) - mouse;
    const double distance = d.x() * d.x() + d.y() * d.y();
    if (distance < bestDistance) {
      bestDistance = distance;
      best = p;
    }
  }
  const ChartAxis& yAxis = second && data_.y2 ? *data_.y2 : data_.y;
  QString text = name.isEmpty() ? QString() : name + ":  ";
  text += QString("%1 = %2,  %3 = %4")
              .arg(ChartRichText(data_.x.label))
              .arg(best.x(), 0, 'g', 7)
              .arg(ChartRichText(yAxis.label))
              .arg(best.y(), 0, 'g', 7);
  for (const Label& label : pending_)
    if (label.series == series && label.at == best) text += "  (" + label.html + ")";
  hover_->setText(text);
}

QString ChartTab::TableText() const {
  QString text;
  for (const auto& row : data_.table) {
    QStringList cells;
    for (const std::string& cell : row) cells << Q(cell);
    text += cells.join('\t') + '\n';
  }
  return text;
}

QString ChartTab::CopyText() const {
  if (!data_.available()) return Q(data_.unavailable) + '\n';
  QString text;
  if (!data_.series.empty() || !data_.marks.empty()) {
    const bool two = data_.y2.has_value();
    QStringList headings{"Series", Q(data_.x.label), Q(data_.y.label)};
    if (two) headings << Q(data_.y2->label);
    headings << "Label";
    text += headings.join('\t') + '\n';
    auto row = [&](const std::string& name, const QString& x, const QString& y, bool second,
                   const std::string& label) {
      QStringList cells{Q(name), x};
      cells << (second && two ? QString() : y);
      if (two) cells << (second ? y : QString());
      cells << Q(label);
      text += cells.join('\t') + '\n';
    };
    for (const ChartSeries& s : data_.series) {
      for (size_t i = 0; i < s.points.size(); ++i) {
        const std::string label = i < s.labels.size() ? s.labels[i] : std::string();
        // A gap is a row without values, where the curve breaks.
        if (s.points[i])
          row(s.name, Number(s.points[i]->first), Number(s.points[i]->second), s.secondAxis, label);
        else
          row(s.name, {}, {}, s.secondAxis, label);
      }
    }
    for (const ChartMark& m : data_.marks) row(m.name, Number(m.x), Number(m.y), m.secondAxis, m.text);
  }
  if (!data_.table.empty()) {
    if (!text.isEmpty()) text += '\n';
    text += TableText();
  }
  return text;
}

QWidget* ChartTab::Drawing() const {
  if (!view_->isHidden()) return view_;
  if (!table_->isHidden()) return table_;
  return nullptr;
}

bool ChartTab::SavePng(const QString& path) const {
  QWidget* drawing = Drawing();
  return drawing && drawing->grab().save(path, "PNG");
}

bool ChartTab::SaveSvg(const QString& path) const {
  QWidget* drawing = Drawing();
  if (!drawing) return false;
  QSvgGenerator svg;
  svg.setFileName(path);
  svg.setSize(drawing->size());
  svg.setViewBox(QRect(QPoint(0, 0), drawing->size()));
  svg.setTitle(Plain(data_.title));
  QPainter painter;
  if (!painter.begin(&svg)) return false;
  drawing->render(&painter);
  return painter.end();
}

void ChartTab::SaveAs(const QString& kind) {
  const QString filter = kind == "PNG" ? "PNG image (*.png)" : "SVG drawing (*.svg)";
  const QString path =
      QFileDialog::getSaveFileName(this, "Save as " + kind, Q(data_.name) + "." + kind.toLower(), filter);
  if (path.isEmpty()) return;
  const bool saved = kind == "PNG" ? SavePng(path) : SaveSvg(path);
  hover_->setVisible(true);
  hover_->setText((saved ? "Saved " : "Could not save ") + path.toHtmlEscaped());
}

// ------------------------------------------------------------- ChartWindow

ChartWindow::ChartWindow(Form& form, QWidget* parent)
    : QWidget(parent, Qt::Window), form_(form) {
  setObjectName("ChartWindow");
  setWindowTitle(Q(form.caption()).section("  ", 0, 0).trimmed() + " — Charts");
  setAttribute(Qt::WA_DeleteOnClose);
  tabs_ = new QTabWidget;
  tabs_->setObjectName("charts");
  tabs_->setAccessibleName("Charts");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(tabs_);
  // Many actions in a row (a replay, a sweep noted) draw once.
  redraw_ = new QTimer(this);
  redraw_->setSingleShot(true);
  redraw_->setInterval(0);
  connect(redraw_, &QTimer::timeout, this, [this] { Refresh(); });
  listener_ = form_.Listen([this] { redraw_->start(); });
  resize(980, 700);
  CloseOnEscape(*this);
  Refresh();
}

ChartWindow::~ChartWindow() { form_.Unlisten(listener_); }

int ChartWindow::count() const { return tabs_->count(); }

ChartTab* ChartWindow::tab(int index) const { return qobject_cast<ChartTab*>(tabs_->widget(index)); }

ChartTab* ChartWindow::tab(const std::string& name) const {
  for (size_t i = 0; i < names_.size(); ++i)
    if (names_[i] == name) return tab(static_cast<int>(i));
  return nullptr;
}

void ChartWindow::Refresh() {
  redraw_->stop();
  const std::vector<std::string> names = form_.ChartNames();
  if (names != names_) {
    const int current = tabs_->currentIndex();
    while (tabs_->count()) {
      QWidget* page = tabs_->widget(0);
      tabs_->removeTab(0);
      delete page;
    }
    names_ = names;
    for (const std::string& name : names_) {
      auto* page = new ChartTab;
      page->setObjectName(Q("chart-" + name));
      tabs_->addTab(page, Q(name));
    }
    if (current >= 0 && current < tabs_->count()) tabs_->setCurrentIndex(current);
  }
  for (size_t i = 0; i < names_.size(); ++i) {
    ChartData data;
    try {
      data = form_.ShownChart(names_[i]);
    } catch (const std::exception& e) {
      data = Unavailable(names_[i], names_[i], std::string("This chart cannot be drawn: ") + e.what());
    }
    ChartTab* page = tab(static_cast<int>(i));
    page->Show(data);
    const QString title = Plain(data.title.empty() ? names_[i] : data.title);
    tabs_->setTabText(static_cast<int>(i), QString(title).replace('&', "&&"));
    tabs_->setTabToolTip(static_cast<int>(i), Q(names_[i]));
    page->setAccessibleName(title);
  }
}

}  // namespace qt

// The chart window: one tab for each chart of a window (core/chart.h),
// drawn with Qt Charts from the window's own chart data.
//
// It follows the window: after every user action and every sweep noted on
// the window, each tab is drawn again from the window's data as it stands (a
// chart with nothing to draw says why instead). Loaded on first use with the
// plot window (qt/plot_action.h).
#pragma once

#include <QPointF>
#include <QWidget>
#include <string>
#include <vector>

#include "core/chart.h"
#include "core/chart_labels.h"
#include "core/form.h"
#include "core/plot.h"
#include "qt/model.h"

class QChart;
class QChartView;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTimer;
class QSplitter;
class QGraphicsTextItem;
class QGraphicsPathItem;
class QAbstractAxis;
class QXYSeries;

namespace qt {

// One chart: the drawing, its table, or the reason there is neither.
class ChartTab : public QWidget {
  Q_OBJECT

 public:
  explicit ChartTab(QWidget* parent = nullptr);

  // Draws data, replacing whatever was drawn before.
  void Show(const ChartData& data);
  const ChartData& data() const { return data_; }
  // How it is drawn: the core's colours, dashes and mark groups.
  const ChartLook& look() const { return look_; }

  // The data as tab-separated rows with headings: a row per point of each
  // curve and per marked point, then the table (if any).
  QString CopyText() const;
  // The table alone, as tab-separated rows with its headings.
  QString TableText() const;
  bool SavePng(const QString& path) const;
  bool SaveSvg(const QString& path) const;

  QChartView* view() const { return view_; }
  QTableWidget* table() const { return table_; }
  QLabel* message() const { return message_; }
  QLabel* hover() const { return hover_; }
  // Where the drawing puts a point of the data (in the chart's scene), for
  // the tests; secondAxis reads y against the second vertical axis.
  QPointF Position(double x, double y, bool secondAxis = false) const;
  // Text items beside points and marks, as drawn.
  std::vector<QGraphicsTextItem*> labels() const { return labels_; }
  // Where the core placed each of them, with its point (in the chart's scene).
  const std::vector<core::ChartLabel>& placed() const { return placed_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Label {
    QXYSeries* series;  // placed against this series' axes
    QPointF at;
    QString html;
    QColor colour;
  };
  struct Arrow {
    QXYSeries* series;
    QPointF from, to;
    QGraphicsPathItem* head;
  };
  struct Drawn;
  void Clear();
  void Draw();
  void AddAxes();
  void Attach(QXYSeries* series, bool second, const QString& name, bool inLegend, Drawn& drawn);
  bool Shows(const ChartPoint& p, bool second) const;
  void Note(const ChartSeries& s, const ChartLook::Series& look, QXYSeries* series, size_t i);
  void DrawPoints(const ChartSeries& s, const ChartLook::Series& look, Drawn& drawn);
  void DrawArrows(const ChartSeries& s, const ChartLook::Series& look, Drawn& drawn);
  void DrawLine(const ChartSeries& s, const ChartLook::Series& look, Drawn& drawn);
  void DrawMarks(Drawn& drawn);
  void FillTable();
  // Settles one unit to the same length on both axes, then places labels
  // and arrow heads for the plot area as it is now.
  void Relayout();
  void KeepEqualScale();
  void PlaceLegend();
  void PlaceOverlays();
  void PlaceArrowHeads();
  void Hovered(QXYSeries* series, const QString& name, bool second, const QPointF& near, bool state);
  QWidget* Drawing() const;
  void SaveAs(const QString& kind);

  ChartData data_;
  ChartLook look_;
  QLabel* message_;
  QSplitter* split_;
  QChartView* view_;
  QTableWidget* table_;
  QLabel* hover_;
  QPushButton *copy_, *png_, *svg_;
  QAbstractAxis *axisX_ = nullptr, *axisY_ = nullptr, *axisY2_ = nullptr;
  std::vector<Label> pending_;  // the texts of points, for the hover line
  std::vector<core::ChartLabel> placed_;
  std::vector<QGraphicsTextItem*> labels_;
  std::vector<Arrow> arrows_;
  bool relaying_ = false;
  int legendWidth_ = 0;  // of the legend in one row, in pixels
};

class ChartWindow : public QWidget {
  Q_OBJECT

 public:
  // form must outlive the window (the window is a child of the form's view).
  explicit ChartWindow(Form& form, QWidget* parent = nullptr);
  ~ChartWindow() override;

  // Draws every tab again from the window as it stands now.
  Q_INVOKABLE void Refresh();

  QTabWidget* tabs() const { return tabs_; }
  int count() const;
  ChartTab* tab(int index) const;
  ChartTab* tab(const std::string& name) const;

 private:
  Form& form_;
  int listener_;
  QTabWidget* tabs_;
  QTimer* redraw_;
  std::vector<std::string> names_;
};

// The text of a chart (a title, an axis, a label) as rich text a Liberation
// font draws: sub- and superscript digits, which the font lacks, as
// <sub>/<sup> of plain digits.
QString ChartRichText(const std::string& text);

}  // namespace qt

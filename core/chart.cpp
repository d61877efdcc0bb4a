#include "core/chart.h"

#include <cmath>
#include <cstdlib>
#include <cstdio>

#include "core/script.h"

namespace core {

ChartData Unavailable(std::string name, std::string title, std::string why) {
  ChartData chart;
  chart.name = std::move(name);
  chart.title = std::move(title);
  chart.unavailable = std::move(why);
  return chart;
}

int SweepTrace::Column(const std::string& id) const {
  for (size_t i = 0; i < outputs.size(); ++i)
    if (outputs[i] == id) return static_cast<int>(i);
  return -1;
}

namespace {

// Shortest text that reads back to the same Double; null when not finite.
std::string Number(double v) {
  if (!std::isfinite(v)) return "null";
  char buf[32];
  for (int digits = 15; digits <= 17; ++digits) {
    std::snprintf(buf, sizeof buf, "%.*g", digits, v);
    if (std::strtod(buf, nullptr) == v) break;
  }
  return buf;
}

std::string Axis(const ChartAxis& axis) {
  return "{\"label\":" + JsonString(axis.label) + ",\"log\":" + (axis.log ? "true" : "false") + "}";
}

const char* StyleName(SeriesStyle style) {
  switch (style) {
    case SeriesStyle::Line: return "line";
    case SeriesStyle::Dashed: return "dashed";
    case SeriesStyle::Points: return "points";
    case SeriesStyle::Arrows: return "arrows";
  }
  return "line";
}

}  // namespace

std::string ChartJson(const ChartData& chart) {
  std::string json = "{\"chart\":" + JsonString(chart.name) + ",\"title\":" + JsonString(chart.title);
  json += ",\"x\":" + Axis(chart.x) + ",\"y\":" + Axis(chart.y);
  if (chart.y2) json += ",\"y2\":" + Axis(*chart.y2);
  json += ",\"series\":[";
  for (size_t s = 0; s < chart.series.size(); ++s) {
    const ChartSeries& series = chart.series[s];
    if (s) json += ",";
    json += "{\"name\":" + JsonString(series.name) + ",\"points\":[";
    for (size_t i = 0; i < series.points.size(); ++i) {
      if (i) json += ",";
      const ChartPoint& p = series.points[i];
      if (p && std::isfinite(p->first) && std::isfinite(p->second))
        json += "[" + Number(p->first) + "," + Number(p->second) + "]";
      else
        json += "null";
    }
    json += "]";
    if (series.style != SeriesStyle::Line) json += std::string(",\"style\":\"") + StyleName(series.style) + "\"";
    if (series.secondAxis) json += ",\"axis\":2";
    if (!series.labels.empty()) {
      json += ",\"labels\":[";
      for (size_t i = 0; i < series.labels.size(); ++i) json += (i ? "," : "") + JsonString(series.labels[i]);
      json += "]";
    }
    json += "}";
  }
  json += "],\"marks\":[";
  for (size_t m = 0; m < chart.marks.size(); ++m) {
    const ChartMark& mark = chart.marks[m];
    if (m) json += ",";
    json += "{\"name\":" + JsonString(mark.name) + ",\"x\":" + Number(mark.x) + ",\"y\":" + Number(mark.y) +
            ",\"text\":" + JsonString(mark.text);
    if (mark.alarm) json += ",\"alarm\":true";
    if (mark.secondAxis) json += ",\"axis\":2";
    json += "}";
  }
  json += "]";
  if (chart.equalScale) json += ",\"equal\":true";
  if (!chart.table.empty()) {
    json += ",\"table\":[";
    for (size_t r = 0; r < chart.table.size(); ++r) {
      json += r ? ",[" : "[";
      for (size_t c = 0; c < chart.table[r].size(); ++c) json += (c ? "," : "") + JsonString(chart.table[r][c]);
      json += "]";
    }
    json += "]";
  }
  if (!chart.available()) json += ",\"message\":" + JsonString(chart.unavailable);
  return json + "}";
}

}  // namespace core

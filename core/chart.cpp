#include "core/chart.h"

#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>

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

using Json = nlohmann::ordered_json;

// A number, or null where it is not finite: JSON has no infinities. Whole
// numbers are written without a fraction ("2", not "2.0").
Json Number(double v) {
  if (!std::isfinite(v)) return nullptr;
  if (std::fabs(v) < 1e15 && std::trunc(v) == v) return static_cast<std::int64_t>(v);
  return v;
}

Json Axis(const ChartAxis& axis) { return {{"label", axis.label}, {"log", axis.log}}; }

const char* StyleName(SeriesStyle style) {
  switch (style) {
    case SeriesStyle::Line: return "line";
    case SeriesStyle::Dashed: return "dashed";
    case SeriesStyle::Points: return "points";
    case SeriesStyle::Arrows: return "arrows";
  }
  return "line";
}

Json Series(const ChartSeries& series) {
  Json points = Json::array();
  for (const ChartPoint& p : series.points) {
    if (p && std::isfinite(p->first) && std::isfinite(p->second))
      points.push_back({Number(p->first), Number(p->second)});
    else
      points.push_back(nullptr);
  }
  Json json = {{"name", series.name}, {"points", std::move(points)}};
  if (series.style != SeriesStyle::Line) json["style"] = StyleName(series.style);
  if (series.secondAxis) json["axis"] = 2;
  if (!series.labels.empty()) json["labels"] = series.labels;
  return json;
}

Json Mark(const ChartMark& mark) {
  Json json = {
      {"name", mark.name}, {"x", Number(mark.x)}, {"y", Number(mark.y)}, {"text", mark.text}};
  if (mark.alarm) json["alarm"] = true;
  if (mark.secondAxis) json["axis"] = 2;
  return json;
}

}  // namespace

std::string ChartJson(const ChartData& chart) {
  Json json = {
      {"chart", chart.name}, {"title", chart.title}, {"x", Axis(chart.x)}, {"y", Axis(chart.y)}};
  if (chart.y2) json["y2"] = Axis(*chart.y2);
  json["series"] = Json::array();
  for (const ChartSeries& series : chart.series) json["series"].push_back(Series(series));
  json["marks"] = Json::array();
  for (const ChartMark& mark : chart.marks) json["marks"].push_back(Mark(mark));
  if (chart.equalScale) json["equal"] = true;
  if (!chart.table.empty()) json["table"] = chart.table;
  if (!chart.available()) json["message"] = chart.unavailable;
  return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace core

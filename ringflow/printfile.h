// The lines of the streamline print file: heading, option lines, the IGV
// entrance table and the two tables of every solved station.
#pragma once

#include <string>
#include <vector>

#include "ringflow/streamline.h"

namespace ringflow {

inline constexpr const char* kPrintBase = "RINGFLOW";

struct PrintHeading {
  float dho = 0, dto = 0, dtdh = 0, qo = 0, rotno = 0, rhoo = 0, mdot = 0;
  std::string turbo;  // "Compressor" or "Turbine"
  int ntyp = 2, itty = 0, isl = 0;  // isl as selected, before any forcing
};

void AddHeading(const PrintHeading& h, std::vector<std::string>& out);

// The tables append their lines only when every number is finite; false
// (and nothing appended) otherwise.
bool AddEntrance(const Solution& s, double rho, std::vector<std::string>& out);
// Station j of a solution; ptot receives the summed power of the rows.
bool AddStation(const Solution& s, int j, double rho, float& ptot,
                std::vector<std::string>& out);

void AddFailure(int j, std::vector<std::string>& out);

}  // namespace ringflow

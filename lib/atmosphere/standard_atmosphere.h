// The three-layer standard atmosphere (feet, degrees Rankine, psia). Shared by
// the atmosphere program and the jet engine cycle.
#pragma once

namespace atmosphere {

struct AirState {
  float t;  // static temperature, degR
  float p;  // static pressure, psia
};

// Every result is held in Single precision, as the programs store it.
AirState StandardAtmosphere(float h);

}  // namespace atmosphere

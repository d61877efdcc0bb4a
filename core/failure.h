// A computation that cannot go on. Thrown anywhere inside a handler; the window
// catches it once, at the event boundary, and shows the message in lblError.
#pragma once

#include <stdexcept>
#include <string>

namespace core {

class Failure : public std::runtime_error {
 public:
  explicit Failure(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace core

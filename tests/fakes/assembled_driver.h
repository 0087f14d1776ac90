// A driver built whole, as the exports build theirs: its worksheet functions, menu commands
// and tools registered.
#pragma once

#include "exports/driver_assembly.h"
#include "fakes/assembled_driver.h"
#include "host/driver.h"

namespace r7::testing {

class AssembledDriver : public Driver {
 public:
  explicit AssembledDriver(platform::Platform& platform) : Driver(platform) {
    AssembleDriver(*this);
  }
};

}  // namespace r7::testing

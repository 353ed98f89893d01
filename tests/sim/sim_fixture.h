#pragma once

#include <memory>
#include <string>
#include <vector>

#include "device/announcer_session.h"
#include "device/line_rig.h"
#include "device/rs232_interface.h"
#include "support/program_runner.h"

namespace liftvox::test {

// A virtual announcer process plus everything a run needs to reach it as
// port 1 through the real serial port code.
struct SimLink {
  explicit SimLink(const std::vector<std::string>& simArguments)
      : sim(simArguments),
        port(PortTable({sim.DevicePath()})),
        session(port, LineRig::FixedPort(1), language,
                std::vector<InterfaceEntry>{{"Paralelní", 1}, {"Sériové", 5}}) {}

  SimProcess sim;
  RS232Interface port;
  CzechTranslator language;
  AnnouncerSession session;
  ScriptedPrompter prompter;
  JobRecorder observer;
};

}  // namespace liftvox::test

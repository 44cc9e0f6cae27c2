// The simulator's knobs as the user types them (command line, window
// settings), turned into SimFaults. Hex numbers take 0x or not.
#pragma once
#include <optional>
#include <string>

#include "sim/sim_faults.h"

namespace zelko::sim {

struct SimOptionTexts {
  std::string ids;             // VID:PID the simulated mouse reports
  std::string chip;            // HEX: status chip code (0x75 = chip 0x99)
  std::string signature;       // HEX: status byte 1
  bool no_flag = false;        // status flag bit 2 clear
  std::string identity;        // HEX,HEX: bytes at 0x36, 0x37
  std::string stuck;           // ADDR[,ADDR...]: never keep a written byte
  std::string sticky;          // ADDR:K[,ADDR:K...]: keep a byte only after K lost writes
  std::string latency_ms;      // MS per report
  std::string not_ready;       // N polls answered "not ready" before each answer
  std::string ack;             // HEX:N: acknowledgement value for the next N replies
  bool no_answer = false;      // Get Feature always fails
  std::string refuse;         // HEX[,HEX...]: command codes never acknowledged
  std::string unacked_chunks;  // N[,N...]: read chunks never acknowledged
  std::string unplug_after;    // N reports, then unplugged
  // HEX: button-state word of the status reply, held throughout; or a
  // script of presses over time, BUTTONS@START+DURATION[,...] (sim/button_script.h)
  std::string buttons;
  // Not a fault: the simulated mouse and the protocol run on a virtual
  // clock, so no exchange waits in real time (session/device_session.h).
  bool virtual_time = false;
};

struct [[nodiscard]] SimOptionsResult {
  SimFaults faults;
  std::string error;  // empty when every text was good
  bool ok() const { return error.empty(); }
};

[[nodiscard]] SimOptionsResult ParseSimOptions(const SimOptionTexts& texts);

}  // namespace zelko::sim

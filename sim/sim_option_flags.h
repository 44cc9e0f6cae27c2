// The simulated mouse's --sim-* options, shared by zelko77ctl and zelko77
// (session/device_option_flags.h adds them with --simulate and --device). Header only: sim/ itself does not link the argument
// parser; the programs that include this do.
#pragma once
#include <CLI/CLI.hpp>

#include "sim/sim_options.h"

namespace zelko::sim {

inline void AddSimulatorOptions(CLI::App& app, SimOptionTexts& s) {
  const char* group = "Simulated mouse (with --simulate)";
  app.add_option("--sim-ids", s.ids, "VID:PID the simulated mouse reports")->type_name("VID:PID")->group(group);
  app.add_option("--sim-chip", s.chip,
                 "Chip code of the status reply, HEX (0x75 = chip 0x99, 0x35 = 0x90, 0xFD = 0x98)")
      ->type_name("HEX")->group(group);
  app.add_option("--sim-signature", s.signature, "Status reply byte 1, HEX (0xAA when healthy)")
      ->type_name("HEX")->group(group);
  app.add_flag("--sim-no-flag", s.no_flag, "Status flag bit 2 clear (not configurable)")->group(group);
  app.add_option("--sim-identity", s.identity, "Identity bytes at 0x36,0x37 as HEX,HEX")
      ->type_name("HEX,HEX")->group(group);
  app.add_option("--sim-stuck", s.stuck, "Addresses that never keep a written byte, ADDR[,ADDR...] in HEX")
      ->type_name("ADDR,...")->group(group);
  app.add_option("--sim-sticky", s.sticky,
                 "Addresses that keep a written byte only after K lost writes, ADDR:K[,ADDR:K...]")
      ->type_name("ADDR:K,...")->group(group);
  app.add_option("--sim-latency", s.latency_ms, "Milliseconds each report takes")->type_name("MS")->group(group);
  app.add_option("--sim-not-ready", s.not_ready, "Polls answered 'not ready' before each acknowledgement")
      ->type_name("N")->group(group);
  app.add_option("--sim-ack", s.ack, "Acknowledgement byte HEX for the next N replies, as HEX:N")
      ->type_name("HEX:N")->group(group);
  app.add_flag("--sim-no-answer", s.no_answer, "The mouse never answers a Get Feature")->group(group);
  app.add_option("--sim-refuse", s.refuse,
                 "Command codes the mouse never acknowledges, HEX[,HEX...] (8,2: the closing pair)")
      ->type_name("CODE,...")->group(group);
  app.add_option("--sim-unacked-chunks", s.unacked_chunks,
                 "Read chunks (numbered from 0 in each block) never acknowledged, N[,N...]")
      ->type_name("N,...")->group(group);
  app.add_option("--sim-unplug-after", s.unplug_after, "Unplug the mouse after N reports")
      ->type_name("N")->group(group);
  app.add_option("--sim-buttons", s.buttons,
                 "Buttons pressed over time, BUTTONS@START+DURATION[,...] in ms from the start of "
                 "the key test (3@1000+200,1+2@4000+100: button 3 for 0.2 s after 1 s, then 1 and 2 "
                 "together); or a button-state word HEX held throughout")
      ->type_name("SCRIPT")->group(group);
  app.add_flag("--sim-virtual-time", s.virtual_time,
               "Run the simulated mouse in virtual time: no real sleeps")
      ->group(group);
}

}  // namespace zelko::sim

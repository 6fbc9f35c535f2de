// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state file of the virtual instrument (--state FILE): what survives a power cycle,
// i.e. the stored settings copy (par:savw?), the probe EEPROM (PROB:WRIT?) and the stored
// internal constants (INTE:SAVE?). Plain text, one "KEY=VALUE" per line under three
// sections:
//
//   # qel11-sim state
//   [settings]
//   MODE=DC
//   OUT1:LIMI:HIGH=1.5
//   [probe]
//   NAME=HS-TR 10T
//   [constants]
//   CONS:MAG:GA3=8
//
// Values are taken byte for byte up to the line end (blanks kept); "\\" stands for a
// backslash, "\n" and "\r" for line ends and "\xHH" for other control bytes. Lines
// starting with "#" and unknown keys are ignored.

#include <string>

namespace qel::sim {

class Instrument;

std::string FormatStateFile(const Instrument& instrument);
// Puts the values into the instrument's stored memories (not the working ones; call
// PowerUp afterwards). False with a message for a line or value it cannot read.
bool ParseStateFile(const std::string& text, Instrument& instrument, std::string& error);

// Reads the file at `path`; a file that does not exist is no error (a new instrument).
bool LoadStateFile(const std::string& path, Instrument& instrument, std::string& error);
// Writes the file atomically: a temporary file in the same folder, then a rename.
bool SaveStateFile(const std::string& path, const Instrument& instrument, std::string& error);

}  // namespace qel::sim

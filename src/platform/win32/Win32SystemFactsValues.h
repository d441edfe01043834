#pragma once

#include "platform/win32/Win32Registry.h"

#include <cstdint>
#include <optional>
#include <string>

namespace domora {

// How the system's answers about the machine become the texts and numbers the "Система"
// page shows. Registry texts read through the "A" calls are in the ANSI code page; what
// these give back is UTF-8.

// The device technology GetDeviceCaps(TECHNOLOGY) answers (DT_PLOTTER = 0 ... DT_DISPFILE = 6)
// as its name ("Raster Display" for DT_RASDISPLAY); empty for a number outside them.
std::string TechnologyText(int technology);

// A volume serial as two groups of four upper-case hex digits: 0x1A2B3C4D -> "1A2B-3C4D".
std::string VolumeSerialText(std::uint32_t serial);

// The registry path of a display adapter's key as EnumDisplayDevices names it
// ("\Registry\Machine\System\...", any case) as the subkey of HKEY_LOCAL_MACHINE
// ("System\..."); nothing for a key under another root.
std::optional<std::string> MachineSubkeyOf(const std::string& deviceKey);

// A registry value as one line of text: a REG_SZ or REG_EXPAND_SZ up to its closing zero, the
// strings of a REG_MULTI_SZ joined with blanks, a REG_BINARY as UTF-16 text (as display
// drivers store their chip and converter names); empty for any other type.
std::string RegistryValueText(const RawRegValue& value);

// The adapter's memory size, a REG_DWORD or a REG_BINARY of four bytes, or a REG_QWORD, as
// the decimal digits of its byte count; empty for anything else.
std::string MemorySizeDigits(const RawRegValue& value);

// The clock rate in MHz from the time-stamp counter and the performance counter read at the
// same two moments: counter ticks over the microseconds the performance counter measured.
// Nothing when either counter did not move forward or the frequency is unknown.
std::optional<double> ClockRateMHz(std::uint64_t tscStart, std::uint64_t tscEnd, std::int64_t counterStart,
                                   std::int64_t counterEnd, std::int64_t counterFrequency);

} // namespace domora

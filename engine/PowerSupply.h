// Whether the machine runs on battery, as the kernel's power-supply class tells it: the computer player
// thinks ahead only on mains power, so that a laptop on battery spends no charge on searches the player
// may never need.
#pragma once

#include <filesystem>

namespace zelmar {

// Where the kernel lists the machine's power supplies, one folder each.
inline constexpr const char* kPowerSupplyFolder = "/sys/class/power_supply";
// An environment variable naming a folder laid out the same way, read in place of the kernel's (to try
// the battery check on a fake folder).
inline constexpr const char* kPowerSupplyVariable = "ZELMAR_POWER_SUPPLY";

// The folder to read: the variable's when it is set and not empty, the kernel's otherwise.
std::filesystem::path PowerSupplyFolder();

// True when a battery that powers the system (type "Battery", scope not "Device") says "Discharging".
// A folder that cannot be read, a machine without a battery, and files that cannot be read or say
// something else all count as mains.
bool OnBattery(const std::filesystem::path& folder);

}  // namespace zelmar

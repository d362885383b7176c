// The battery check on fake power-supply folders: only a discharging battery of the machine itself means
// battery; everything else, unreadable and malformed folders included, counts as mains.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/PowerSupply.h"
#include "tests/engine/worker/WorkerTestUtil.h"

namespace zelmar {

namespace {

using worker_test::FakePowerSupply;

TEST(PowerSupply, OnlyADischargingSystemBatteryMeansBattery) {
  struct TCase {
    const char* Name;
    std::string Type, Status, Scope;
    bool Battery;
  };
  const TCase cases[] = {
      {"discharging", "Battery\n", "Discharging\n", "", true},
      {"discharging, no line break", "Battery", "Discharging", "", true},
      {"discharging, system scope", "Battery\n", "Discharging\n", "System\n", true},
      {"charging", "Battery\n", "Charging\n", "", false},
      {"full", "Battery\n", "Full\n", "", false},
      {"not charging", "Battery\n", "Not charging\n", "", false},
      {"a mouse's battery", "Battery\n", "Discharging\n", "Device\n", false},
      {"mains that says discharging", "Mains\n", "Discharging\n", "", false},
      {"lower-case type", "battery\n", "Discharging\n", "", false},
      {"binary garbage",
       std::string("\0\xff\x01"
                   "Battery",
                   10),
       "Discharging\n", "", false},
      {"an endless type", std::string(1 << 16, 'B'), "Discharging\n", "", false},
      {"a battery with a long status", "Battery\n", "Discharging" + std::string(100, ' ') + "x\n", "", false},
  };
  for (const TCase& c : cases) {
    FakePowerSupply power;
    power.Add("AC", {{"type", "Mains\n"}, {"online", "0\n"}});
    if (c.Scope.empty())
      power.Add("BAT0", {{"type", c.Type}, {"status", c.Status}});
    else
      power.Add("BAT0", {{"type", c.Type}, {"status", c.Status}, {"scope", c.Scope}});
    EXPECT_EQ(OnBattery(power.Folder()), c.Battery) << c.Name;
  }
}

TEST(PowerSupply, MachinesWithoutABatteryAndUnreadableFoldersCountAsMains) {
  FakePowerSupply power;
  EXPECT_FALSE(OnBattery(power.Folder()));  // no supply at all, as on this desktop
  EXPECT_FALSE(OnBattery(power.Folder() / "missing"));
  EXPECT_FALSE(OnBattery(""));
  power.Add("AC", {{"type", "Mains\n"}, {"online", "1\n"}});
  power.Add("BAT0", {{"type", "Battery\n"}});        // no status file
  power.Add("BAT1", {{"status", "Discharging\n"}});  // no type file
  EXPECT_FALSE(OnBattery(power.Folder()));
  // A type that is a folder, and a status that is a pipe (which would block a reader), are not read.
  power.Add("BAT2", {{"status", "Discharging\n"}});
  std::filesystem::create_directory(power.Folder() / "BAT2" / "type");
  power.Add("BAT3", {{"type", "Battery\n"}});
  ASSERT_EQ(::mkfifo((power.Folder() / "BAT3" / "status").c_str(), 0600), 0);
  EXPECT_FALSE(OnBattery(power.Folder()));
  // The folder given may be a plain file.
  EXPECT_FALSE(OnBattery(power.Folder() / "AC" / "type"));
  // One discharging battery among several is enough, as on a laptop with two.
  power.Add("BAT4", {{"type", "Battery\n"}, {"status", "Discharging\n"}});
  EXPECT_TRUE(OnBattery(power.Folder()));
}

// The kernel lists its supplies as links to their device folders.
TEST(PowerSupply, FollowsTheKernelsLinks) {
  FakePowerSupply devices, power;
  devices.Add("BAT0", {{"type", "Battery\n"}, {"status", "Discharging\n"}});
  std::filesystem::create_directory_symlink(devices.Folder() / "BAT0", power.Folder() / "BAT0");
  EXPECT_TRUE(OnBattery(power.Folder()));
}

TEST(PowerSupply, TheVariableNamesTheFolder) {
  const char* before = std::getenv(kPowerSupplyVariable);
  const std::string saved = before ? before : "";
  ASSERT_EQ(::setenv(kPowerSupplyVariable, "/tmp/fake-power", 1), 0);
  EXPECT_EQ(PowerSupplyFolder(), "/tmp/fake-power");
  ASSERT_EQ(::setenv(kPowerSupplyVariable, "", 1), 0);
  EXPECT_EQ(PowerSupplyFolder(), kPowerSupplyFolder);
  ASSERT_EQ(::unsetenv(kPowerSupplyVariable), 0);
  EXPECT_EQ(PowerSupplyFolder(), kPowerSupplyFolder);
  if (before) ::setenv(kPowerSupplyVariable, saved.c_str(), 1);
}

}  // namespace

}  // namespace zelmar

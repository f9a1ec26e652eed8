// The scenario text that picks the simulated unit for a run of the program.

#include "platform/vxqmrt6hid-standin/Scenario.h"

#include <gtest/gtest.h>

using hidstandin::Scenario;
using hidstandin::UnitCommand;
using hidstandin::UnitFault;

namespace
{
Scenario parsed(const std::string& text)
{
    auto scenario = hidstandin::defaultScenario();
    std::string error;
    EXPECT_TRUE(hidstandin::parseScenario(text, scenario, error)) << error;
    return scenario;
}

std::string errorFor(const std::string& text)
{
    auto scenario = hidstandin::defaultScenario();
    std::string error;
    EXPECT_FALSE(hidstandin::parseScenario(text, scenario, error)) << text;
    return error;
}
} // namespace

TEST(Scenario, withoutPartsItIsAnOlderVariantAUnitPresentAtStart)
{
    const auto scenario = parsed("");

    EXPECT_EQ(scenario.plug, Scenario::Plug::atStart);
    EXPECT_FALSE(scenario.unit.variantB);
    EXPECT_EQ(scenario.unit.version, (std::array<std::uint8_t, 4> { '1', '.', '0', '0' }));
    EXPECT_EQ(scenario.unit.date[0], 0x20);
    EXPECT_EQ(scenario.unit.latencyMs, 1);
    EXPECT_TRUE(scenario.unit.faults.empty());
}

TEST(Scenario, everyPartIsRead)
{
    const auto scenario = parsed("plug=after:3,variant=B,date=20241231,version=none,latency=0,busy=2,"
                                 "kind1-probes=4,unplug-after=900,fault=poll:2:refuse:3,fault=data:every:delay:5,"
                                 "fault=window:1:wrong-code:8F,fault=checksum:1:silent,fault=probe:1:wrong-echo");

    EXPECT_EQ(scenario.plug, Scenario::Plug::later);
    EXPECT_EQ(scenario.plugDelayMs, 3000);
    EXPECT_TRUE(scenario.unit.variantB);
    EXPECT_EQ(scenario.unit.date, (std::array<std::uint8_t, 4> { 0x20, 0x24, 0x12, 0x31 }));
    EXPECT_EQ(scenario.unit.version, (std::array<std::uint8_t, 4> { 0xFF, 0xFF, 0xFF, 0xFF }));
    EXPECT_EQ(scenario.unit.latencyMs, 0);
    EXPECT_EQ(scenario.unit.busyPolls, 2);
    EXPECT_EQ(scenario.unit.processorKind1Probes, 4);
    EXPECT_EQ(scenario.unit.unplugAfterReports, 900);
    ASSERT_EQ(scenario.unit.faults.size(), 5u);
    EXPECT_EQ(scenario.unit.faults[0].command, UnitCommand::poll);
    EXPECT_EQ(scenario.unit.faults[0].occurrence, 2);
    EXPECT_EQ(scenario.unit.faults[0].value, 3);
    EXPECT_EQ(scenario.unit.faults[1].occurrence, 0);
    EXPECT_EQ(scenario.unit.faults[1].action, UnitFault::Action::delay);
    EXPECT_EQ(scenario.unit.faults[2].value, 0x8F);
    EXPECT_EQ(parsed("plug=never").plug, Scenario::Plug::never);
    EXPECT_EQ(parsed("kind1-probes=always").unit.processorKind1Probes, -1);
}

TEST(Scenario, aBadPartIsNamedInTheError)
{
    for (const std::string bad : { "variant=C", "plug=later", "date=2024", "version=1.0", "latency=-1",
                                   "fault=poll:0:silent", "fault=poll:1:refuse", "fault=flash:1:silent",
                                   "fault=data:1:wrong-code:100", "busy=99999999", "colour=blue", "variant" })
    {
        const auto error = errorFor("latency=1," + bad);
        EXPECT_NE(error.find("'" + bad + "'"), std::string::npos) << error;
    }
}

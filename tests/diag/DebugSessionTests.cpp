#include "diag/DebugSession.h"

#include <gtest/gtest.h>

TEST(DebugSession, ModuleHoldingAnAddress)
{
    ParentProcessDebug::ModuleList Modules;
    ParentProcessDebug::ModuleList::Module Found {};
    EXPECT_FALSE(Modules.Find(0x140001000, Found));
    Modules.Add(0x7FF800000000, 0x20000);
    Modules.Add(0x140000000, 0x5000);
    Modules.Add(0x180000000, 0x1000);
    auto const Holder = [&](uint64_t Address) { return Modules.Find(Address, Found) ? Found.m_Base : 0; };
    EXPECT_EQ(Holder(0x140000000), 0x140000000u);
    EXPECT_EQ(Holder(0x140004FFF), 0x140000000u);
    EXPECT_EQ(Holder(0x140005000), 0u);
    EXPECT_EQ(Holder(0x13FFFFFFF), 0u);
    EXPECT_EQ(Holder(0x180000800), 0x180000000u);
    EXPECT_EQ(Holder(0x7FF80001FFFF), 0x7FF800000000u);
    EXPECT_EQ(Found.m_Size, 0x20000u);
    // An unloaded module holds nothing; another loaded at its base takes its place with its own size.
    Modules.Remove(0x140000000);
    EXPECT_EQ(Holder(0x140000000), 0u);
    Modules.Add(0x180000000, 0x3000);
    EXPECT_EQ(Holder(0x180002000), 0x180000000u);
}

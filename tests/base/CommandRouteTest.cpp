// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/CommandRoute.h"
#include "base/CommandTarget.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// A link that takes a fixed set of ids, enables some of them and records
// what it carries out.
class FakeTarget : public CommandTarget {
public:
    FakeTarget(std::set<int> takes, std::set<int> enabled)
        : m_takes(std::move(takes)), m_enabled(std::move(enabled)) { }

    bool TakesCommand(int id) const override { return m_takes.count(id) > 0; }
    bool CommandEnabled(int id) const override { return m_enabled.count(id) > 0; }
    void OnCommand(int id) override { done.push_back(id); }

    std::vector<int> done;

private:
    std::set<int> m_takes;
    std::set<int> m_enabled;
};

TEST(CommandRouteTest, TheFirstLinkThatTakesACommandDecidesAlone)
{
    FakeTarget view({1, 2}, {1});
    FakeTarget frame({2, 3}, {2, 3});
    FakeTarget application({3, 4}, {4});
    CommandRoute route;
    route.SetView(&view);
    route.SetFrame(&frame);
    route.SetApplication(&application);

    EXPECT_EQ(route.Handler(2), &view);
    // The view takes 2 but disables it: the frame, which would enable it, is not asked.
    EXPECT_FALSE(route.Enabled(2));
    EXPECT_FALSE(route.Execute(2));
    EXPECT_TRUE(frame.done.empty());

    EXPECT_TRUE(route.Execute(3));
    EXPECT_EQ(frame.done, std::vector<int>{3});
    EXPECT_TRUE(application.done.empty());

    EXPECT_TRUE(route.Execute(4));
    EXPECT_EQ(application.done, std::vector<int>{4});
}

TEST(CommandRouteTest, ACommandNobodyTakesIsDisabled)
{
    FakeTarget frame({3}, {3});
    CommandRoute route;
    route.SetFrame(&frame);
    EXPECT_EQ(route.Handler(99), nullptr);
    EXPECT_FALSE(route.Enabled(99));
    EXPECT_FALSE(route.Execute(99));
}

TEST(CommandRouteTest, WithoutAnActiveViewTheFrameIsFirst)
{
    FakeTarget view({5}, {5});
    FakeTarget frame({6}, {6});
    CommandRoute route;
    route.SetFrame(&frame);
    EXPECT_FALSE(route.Enabled(5));
    route.SetView(&view);
    EXPECT_TRUE(route.Enabled(5));
    route.SetView(nullptr);
    EXPECT_FALSE(route.Enabled(5));
    EXPECT_TRUE(route.Enabled(6));
}

}  // namespace

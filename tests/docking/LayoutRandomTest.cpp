// Random dock, split, tab, hide, restore and remove sequences, checked after every step.
#include "LayoutHelpers.h"
#include "LayoutInvariants.h"
#include "docking/layout/DockSection.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace {

struct Frame : CDockFrameBase {
    Frame() : CDockFrameBase(1) { UseClientArea(*this, 1000, 800); }
};

enum class State { Away, Docked, Hidden };

struct Pane {
    std::unique_ptr<FakePane> pane;
    State state = State::Away;
};

void RunSequence(unsigned seed, int steps)
{
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    Frame f;
    std::vector<Pane> panes(14);
    for (size_t i = 0; i < panes.size(); ++i)
        panes[i].pane = std::make_unique<FakePane>("pane" + std::to_string(i), 60 + pick(100), 50 + pick(80));
    auto withState = [&](State s) {
        std::vector<int> out;
        for (size_t i = 0; i < panes.size(); ++i)
            if (panes[i].state == s) out.push_back(static_cast<int>(i));
        return out;
    };
    std::string log;
    for (int step = 0; step < steps; ++step) {
        const auto away = withState(State::Away), docked = withState(State::Docked), hidden = withState(State::Hidden);
        const int op = pick(6);
        std::string what;
        if (op == 0 && !away.empty()) {
            Pane& p = panes[away[pick(static_cast<int>(away.size()))]];
            const int side = pick(4);
            if (f.SectionCount(side) >= 3) continue;
            p.pane->m_nSide = side;
            p.pane->m_nSectionIndex = pick(3) == 0 ? 0 : -1;
            p.pane->m_pBlock = nullptr;
            f.DockPane(p.pane.get(), 0, nullptr);
            p.state = State::Docked;
            what = "dock " + p.pane->m_title + " side " + std::to_string(side);
        } else if (op == 1 && !away.empty() && !docked.empty()) {
            Pane& p = panes[away[pick(static_cast<int>(away.size()))]];
            FakePane* target = panes[docked[pick(static_cast<int>(docked.size()))]].pane.get();
            if (target->m_pBlock->m_pTabStrip || target->m_rc.right - target->m_rc.left < 60 ||
                target->m_rc.bottom - target->m_rc.top < 60)
                continue;
            const int side = pick(4);
            SplitBeside(f, target, p.pane.get(), side);
            p.state = State::Docked;
            what = "split " + target->m_title + " with " + p.pane->m_title + " at " + std::to_string(side);
        } else if (op == 2 && !away.empty() && !docked.empty()) {
            Pane& p = panes[away[pick(static_cast<int>(away.size()))]];
            FakePane* target = panes[docked[pick(static_cast<int>(docked.size()))]].pane.get();
            CLayoutBlock* leaf = target->m_pBlock;
            if (leaf->m_pPane != target) continue;
            leaf->AddPaneAsTab(p.pane.get(), false);
            p.state = State::Docked;
            what = "tab " + p.pane->m_title + " onto " + target->m_title;
        } else if (op == 3 && !docked.empty()) {
            Pane& p = panes[docked[pick(static_cast<int>(docked.size()))]];
            f.ReleasePane(p.pane.get(), nullptr);
            p.state = p.pane->m_pBlock ? State::Hidden : State::Away;
            what = "hide " + p.pane->m_title;
        } else if (op == 4 && !hidden.empty()) {
            Pane& p = panes[hidden[pick(static_cast<int>(hidden.size()))]];
            f.DockPane(p.pane.get(), 0, nullptr);
            p.state = State::Docked;
            what = "restore " + p.pane->m_title;
        } else if (op == 5 && (!docked.empty() || !hidden.empty())) {
            const bool fromDocked = !docked.empty() && (hidden.empty() || pick(2) == 0);
            Pane& p = panes[fromDocked ? docked[pick(static_cast<int>(docked.size()))]
                                       : hidden[pick(static_cast<int>(hidden.size()))]];
            if (fromDocked)
                f.ReleasePane(p.pane.get(), &f);
            else
                f.RemovePane(p.pane.get());
            p.pane->m_pBlock = nullptr;
            p.pane->m_nSectionIndex = -1;
            p.pane->Show(false);
            p.state = State::Away;
            what = "remove " + p.pane->m_title;
        } else {
            continue;
        }
        log += what + "\n";
        // A hidden pane whose placeholder went away can no longer return.
        for (Pane& p : panes)
            if (p.state == State::Hidden && !p.pane->m_pBlock) p.state = State::Away;
        const std::string error = CheckLayout(f);
        ASSERT_EQ(error, "") << "seed " << seed << " step " << step << "\n" << log;
        for (Pane& p : panes) {
            if (p.state == State::Docked) {
                ASSERT_TRUE(p.pane->m_shown || p.pane->m_pBlock->m_pPane != p.pane.get())
                    << p.pane->m_title << " docked but hidden, seed " << seed << "\n" << log;
            }
        }
    }
    f.ClearAllSections();
    EXPECT_EQ(CSplitterBar::LiveCount(), 0);
    EXPECT_EQ(CLayoutBlock::LiveCount(), 0);
}

}  // namespace

TEST(DockLayoutRandom, InvariantsHoldAfterEveryStep)
{
    for (unsigned seed = 1; seed <= 60; ++seed) {
        RunSequence(seed, 150);
        if (HasFatalFailure()) return;
    }
}

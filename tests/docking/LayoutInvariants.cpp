#include "LayoutInvariants.h"

#include "docking/frame/DockFrameBase.h"
#include "docking/layout/DockSection.h"
#include "docking/layout/Geometry.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/layout/PaneBase.h"
#include "docking/layout/SplitterBar.h"
#include "docking/layout/TabStrip.h"

#include <sstream>
#include <vector>

namespace {

std::string Str(const RECT& r)
{
    std::ostringstream s;
    s << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
    return s.str();
}

long long Area(const RECT& r)
{
    return (r.right > r.left && r.bottom > r.top) ? static_cast<long long>(r.right - r.left) * (r.bottom - r.top) : 0;
}

// Rectangles that must cover `whole` exactly, without overlaps.
std::string CheckTiling(const RECT& whole, const std::vector<RECT>& parts, const std::string& what)
{
    long long sum = 0;
    for (size_t i = 0; i < parts.size(); ++i) {
        const RECT& a = parts[i];
        if (a.right < a.left || a.bottom < a.top)
            return what + ": inverted rectangle " + Str(a);
        RECT clip;
        if (Area(a) && (!IntersectRect(&clip, &a, &whole) || !EqualRect(&clip, &a)))
            return what + ": " + Str(a) + " lies outside " + Str(whole);
        for (size_t j = i + 1; j < parts.size(); ++j) {
            RECT both;
            if (Area(a) && Area(parts[j]) && IntersectRect(&both, &a, &parts[j]))
                return what + ": " + Str(a) + " overlaps " + Str(parts[j]);
        }
        sum += Area(a);
    }
    if (sum != Area(whole))
        return what + ": parts cover " + std::to_string(sum) + " of " + std::to_string(Area(whole)) + " in " + Str(whole);
    return {};
}

struct Walker {
    const CDockFrameBase& frame;
    int splitters = 0;
    std::string error;

    void Fail(const std::string& e) { if (error.empty()) error = e; }

    // Checks links and sides; collects what a shown subtree puts on screen.
    void Block(const CLayoutBlock* b, std::vector<RECT>* shown)
    {
        if (!error.empty()) return;
        if (b->m_nOwnSide < 0 || b->m_nOwnSide > 3 || b->m_nSplitSide < 0 || b->m_nSplitSide > 3)
            return Fail("side out of range");
        if (b->m_pSplitter) ++splitters;
        if (b->m_pTabStrip && b->m_pTabStrip->TabCount() < 2)
            return Fail("tab strip with fewer than two tabs");
        if (b->m_pTabStrip && !b->IsLeaf())
            return Fail("tab strip on an inner node");
        for (const CLayoutBlock* c : {b->m_pFirst, b->m_pSecond})
            if (c && c->m_pParent != b)
                return Fail("child whose parent link names another block");
        if (b->m_pFirst && b->m_pSecond) {
            const int s1 = b->m_pFirst->m_nOwnSide, s2 = b->m_pSecond->m_nOwnSide;
            if (dockgeo::OppositeSide(s1) != s2)
                return Fail("children whose own sides are not opposite");
            if (dockgeo::IsStacked(s1) != dockgeo::IsStacked(b->m_nSplitSide))
                return Fail("split side disagrees with the children's sides");
            const bool both = !b->m_pFirst->m_bVacant && !b->m_pSecond->m_bVacant;
            if (shown && !b->m_bVacant && both != (b->m_pSplitter != nullptr))
                return Fail("splitter present must match two shown children");
        } else if (b->m_pSplitter) {
            return Fail("splitter on a node without two children");
        }
        if (b->IsLeaf()) {
            if (!b->m_bVacant) {
                if (!b->m_pPane) return Fail("shown leaf without a pane");
                if (b->m_pPane->m_pBlock != b) return Fail("pane of a leaf names another block");
                if (shown) shown->push_back(b->m_pPane->GetRectInFrame());
                if (!b->m_pPane->IsShown() && shown) return Fail("pane of a shown leaf is hidden");
                if (b->m_pTabStrip)
                    for (CPaneBase* p : b->m_pTabStrip->GetPanes())
                        if (p->m_pBlock != b) return Fail("tabbed pane names another block");
            }
            return;
        }
        const bool showChildren = shown && !b->m_bVacant;
        if (showChildren && b->m_pSplitter) shown->push_back(b->m_pSplitter->m_rc);
        if (b->m_pFirst) Block(b->m_pFirst, showChildren && !b->m_pFirst->m_bVacant ? shown : nullptr);
        if (b->m_pSecond) Block(b->m_pSecond, showChildren && !b->m_pSecond->m_bVacant ? shown : nullptr);
    }
};

bool InSide(const CDockFrameBase& f, int side, const CDockSection* s)
{
    return f.FindSectionIndex(side, s) >= 0;
}

}  // namespace

std::string CheckLayout(const CDockFrameBase& frame)
{
    Walker w{frame, 0, {}};
    std::vector<RECT> outer;
    int sectionSplitters = 0;
    for (int side = 0; side < 4; ++side) {
        for (int i = 0; i < frame.SectionCount(side); ++i) {
            const CDockSection* s = frame.SectionAt(side, i);
            const std::string where = "side " + std::to_string(side) + " section " + std::to_string(i) + ": ";
            if (!s->m_pRoot) return where + "no root";
            if (s->m_pRoot->m_pParent) return where + "root with a parent";
            if (s->m_pSplitter) ++sectionSplitters;
            if (s->m_pStartNeighbour && !InSide(frame, StartNeighbourSide(side), s->m_pStartNeighbour))
                return where + "start neighbour outside the perpendicular side";
            if (s->m_pEndNeighbour && !InSide(frame, EndNeighbourSide(side), s->m_pEndNeighbour))
                return where + "end neighbour outside the perpendicular side";
            if (s->m_bShown && !s->m_pSplitter) return where + "shown without splitter";
            std::vector<RECT> inner;
            const bool shown = s->m_bShown && !s->m_pRoot->m_bVacant;
            w.Block(s->m_pRoot, shown ? &inner : nullptr);
            if (!w.error.empty()) return where + w.error;
            if (s->m_bShown) {
                outer.push_back(s->m_rc);
                outer.push_back(s->m_pSplitter->m_rc);
                if (shown) {
                    std::string e = CheckTiling(s->m_rc, inner, where + "blocks");
                    if (!e.empty()) return e;
                }
            }
        }
    }
    if (CSplitterBar::LiveCount() != sectionSplitters + w.splitters)
        return "splitter bars alive: " + std::to_string(CSplitterBar::LiveCount()) + ", in the layout: " +
               std::to_string(sectionSplitters + w.splitters);
    for (int i = 0; i < CPaneBase::LiveCount(); ++i) {
        CPaneBase* p = CPaneBase::LiveAt(i);
        if (p->m_pFrame != &frame || !p->m_pBlock) continue;
        if (p->m_nSide < 0 || p->m_nSide > 3) return p->m_title + ": side out of range";
        const CDockSection* s = frame.SectionAt(p->m_nSide, p->m_nSectionIndex);
        if (!s) return p->m_title + ": section index out of range";
        bool found = false;
        std::vector<const CLayoutBlock*> stack = {s->m_pRoot};
        while (!stack.empty()) {
            const CLayoutBlock* b = stack.back();
            stack.pop_back();
            if (!b) continue;
            if (b == p->m_pBlock) found = true;
            stack.push_back(b->m_pFirst);
            stack.push_back(b->m_pSecond);
        }
        if (!found) return p->m_title + ": block not in its section";
        bool named = p->m_pBlock->m_pPane == p;
        if (p->m_pBlock->m_pSlots)
            for (const TabSlot& slot : *p->m_pBlock->m_pSlots)
                if (slot.pane == p) named = true;
        if (!named) return p->m_title + ": its block neither shows it nor keeps a slot for it";
    }
    RECT area = frame.FrameClientRect();
    area.left += frame.m_insets[0];
    area.top += frame.m_insets[1];
    area.right -= frame.m_insets[2];
    area.bottom -= frame.m_insets[3];
    outer.push_back(frame.m_rcClient);
    return CheckTiling(area, outer, "frame");
}

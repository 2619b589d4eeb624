#include "docking/layout/Geometry.h"

#include <gtest/gtest.h>

using namespace dockgeo;

TEST(DockGeometry, ZonesInsideAndOutsideTheEdges)
{
    const RECT rc = {100, 100, 300, 200};
    EXPECT_EQ(DockZoneFromPoint(rc, 112, 150), 1);   // 12 inside the left edge
    EXPECT_EQ(DockZoneFromPoint(rc, 113, 150), 255); // 13 inside is no zone
    EXPECT_EQ(DockZoneFromPoint(rc, 100, 105), 3);   // on the left edge: not 1, but near the top
    EXPECT_EQ(DockZoneFromPoint(rc, 100, 150), 255);
    EXPECT_EQ(DockZoneFromPoint(rc, 299, 150), 5);
    EXPECT_EQ(DockZoneFromPoint(rc, 200, 199), 7);
    EXPECT_EQ(DockZoneFromPoint(rc, 300, 150), 255); // the right edge is outside and not past it
    EXPECT_EQ(DockZoneFromPoint(rc, 301, 150), 4);
    EXPECT_EQ(DockZoneFromPoint(rc, 88, 150), 0);
    EXPECT_EQ(DockZoneFromPoint(rc, 87, 150), 255);
    EXPECT_EQ(DockZoneFromPoint(rc, 150, 95), 2);
    EXPECT_EQ(DockZoneFromPoint(rc, 150, 212), 6);
    EXPECT_EQ(DockZoneFromPoint(rc, 95, 95), 255);   // diagonal outside a corner
}

TEST(DockGeometry, SplitArithmetic)
{
    int o, m;
    SplitExtents(104, 1.0f, o, m);
    EXPECT_EQ(o, 50);
    EXPECT_EQ(m, 50);
    SplitExtents(204, 3.0f, o, m);
    EXPECT_EQ(o, 150);
    EXPECT_EQ(m, 50);
    SplitExtents(2, 1.0f, o, m);  // too small for the bar: nothing goes negative
    EXPECT_EQ(o, 0);
    EXPECT_EQ(m, 0);
}

TEST(DockGeometry, GhostOrigins)
{
    const RECT rc = {10, 20, 110, 220};
    EXPECT_EQ(DropOrigin(2, rc, 30, 40).x, 80);
    EXPECT_EQ(DropOrigin(3, rc, 30, 40).y, 180);
    EXPECT_EQ(DropOrigin(0, rc, 30, 40).x, 10);
    EXPECT_EQ(SectionDropOrigin(3, rc, 30, 40).y, 180);
    EXPECT_EQ(SectionDropOrigin(2, rc, 30, 40).x, 80);
}

TEST(DockGeometry, BarInsetsWhateverTheWindowOrder)
{
    const RECT client = {0, 0, 800, 600};
    std::vector<HostBar> bars = {{{0, 578, 800, 600}}, {{0, 28, 800, 56}}, {{0, 0, 800, 28}}};
    int insets[4];
    MeasureBarInsets(client, bars, insets);
    EXPECT_EQ(insets[1], 56);
    EXPECT_EQ(insets[3], 22);
    EXPECT_EQ(insets[0], 0);
    // Two status bars stacked at the bottom, the inner one listed first.
    bars = {{{0, 556, 800, 578}}, {{0, 578, 800, 600}}, {{0, 0, 100, 556}}};
    MeasureBarInsets(client, bars, insets);
    EXPECT_EQ(insets[3], 44);
    EXPECT_EQ(insets[0], 100);
}

TEST(DockGeometry, ScaleModes)
{
    POINT p = ScaleToPixels(3, 10.7f, 0.5f, 96, 96);
    EXPECT_EQ(p.x, 11);
    EXPECT_EQ(p.y, 0);
    p = ScaleToPixels(1, 1440, 1440, 96, 96);
    EXPECT_EQ(p.x, 96);
    p = ScaleToPixels(5, 1, 2, 96, 96);  // inches
    EXPECT_EQ(p.x, 96);
    EXPECT_EQ(p.y, 192);
    p = ScaleToPixels(7, 2.54f, 2.54f, 96, 96);  // centimetres
    EXPECT_EQ(p.x, 96);
    p = ScaleToPixels(0, 2540, 2540, 96, 120);   // HIMETRIC
    EXPECT_EQ(p.x, 96);
    EXPECT_EQ(p.y, 120);
}

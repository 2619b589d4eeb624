#include "docking/layout/Geometry.h"

#include <algorithm>

namespace dockgeo {

int DockZoneFromPoint(const RECT& rc, int x, int y)
{
    const bool inside = x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
    if (inside) {
        if (x - rc.left >= 1 && x - rc.left <= kDropBand) return 1;
        if (y - rc.top >= 1 && y - rc.top <= kDropBand) return 3;
        if (x - rc.right >= -kDropBand && x - rc.right <= -1) return 5;
        if (y - rc.bottom >= -kDropBand && y - rc.bottom <= -1) return 7;
        return kNoZone;
    }
    if (rc.top < y && y < rc.bottom) {
        if (x - rc.left >= -kDropBand && x - rc.left <= -1) return 0;
        if (x - rc.right >= 1 && x - rc.right <= kDropBand) return 4;
        return kNoZone;
    }
    if (rc.left < x && x < rc.right) {
        if (y - rc.top >= -kDropBand && y - rc.top <= -1) return 2;
        if (y - rc.bottom >= 1 && y - rc.bottom <= kDropBand) return 6;
        return kNoZone;
    }
    return kNoZone;
}

void SplitExtents(int h, float ratio, int& first, int& second)
{
    int m = static_cast<int>((h - kSplitterWidth) / (ratio + 1.0f));
    m = std::max(0, m);
    int o = std::max(0, h - m - kSplitterWidth);
    first = o;
    second = m;
}

POINT DropOrigin(int zone, const RECT& rc, int w, int h)
{
    POINT pt = {rc.left, rc.top};
    if (zone == 2) pt.x = rc.right - w;
    if (zone == 3) pt.y = rc.bottom - h;
    return pt;
}

POINT SectionDropOrigin(int side, const RECT& rc, int w, int h)
{
    POINT pt = {rc.left, rc.top};
    if (side == 3) pt.y = rc.bottom - h;
    if (side == 2) pt.x = rc.right - w;
    return pt;
}

void MeasureBarInsets(const RECT& client, const std::vector<HostBar>& bars, int insets[4])
{
    insets[0] = insets[1] = insets[2] = insets[3] = 0;
    int left = client.left, top = client.top, right = client.right, bottom = client.bottom;
    std::vector<RECT> waitH, waitV;
    for (const HostBar& bar : bars) {
        const RECT& r = bar.rc;
        if (r.left == client.left && RectWidth(r) > RectHeight(r)) {
            if (r.top == top) { insets[1] += RectHeight(r); top = r.bottom; }
            else if (r.bottom == bottom) { insets[3] += RectHeight(r); bottom = r.top; }
            else waitH.insert(std::upper_bound(waitH.begin(), waitH.end(), r,
                                  [](const RECT& a, const RECT& b) { return a.top < b.top; }), r);
        } else {
            if (r.left == left) { insets[0] += RectWidth(r); left = r.right; }
            else if (r.right == right) { insets[2] += RectWidth(r); right = r.left; }
            else waitV.insert(std::upper_bound(waitV.begin(), waitV.end(), r,
                                  [](const RECT& a, const RECT& b) { return a.left < b.left; }), r);
        }
    }
    std::vector<bool> usedH(waitH.size()), usedV(waitV.size());
    for (size_t i = 0; i < waitH.size(); ++i)
        if (waitH[i].top == top) { insets[1] += RectHeight(waitH[i]); top = waitH[i].bottom; usedH[i] = true; }
    // Bottom bars stack upward: the one nearest the bottom edge goes first.
    for (size_t n = waitH.size(); n-- > 0;)
        if (!usedH[n] && waitH[n].bottom == bottom) { insets[3] += RectHeight(waitH[n]); bottom = waitH[n].top; }
    for (size_t i = 0; i < waitV.size(); ++i)
        if (waitV[i].left == left) { insets[0] += RectWidth(waitV[i]); left = waitV[i].right; usedV[i] = true; }
    for (size_t n = waitV.size(); n-- > 0;)
        if (!usedV[n] && waitV[n].right == right) { insets[2] += RectWidth(waitV[n]); right = waitV[n].left; }
}

POINT ScaleToPixels(int mode, float x, float y, int dpiX, int dpiY)
{
    double fx = 1, fy = 1;
    switch (mode) {
    case 1: fx = fy = 1.763935456831517; break;
    case 2: fx = fy = 35.27870913663035; break;
    case 3: {
        POINT pt = {static_cast<LONG>(x + 0.4), static_cast<LONG>(y + 0.4)};
        return pt;
    }
    case 4: fx = 120 * 1.763935456831517; fy = 240 * 1.763935456831517; break;
    case 5: fx = fy = 2540.067057837385; break;
    case 6: fx = fy = 100; break;
    case 7: fx = fy = 1000; break;
    default: break;
    }
    const long hx = static_cast<long>(x * fx + 0.4);
    const long hy = static_cast<long>(y * fy + 0.4);
    POINT pt = {static_cast<LONG>((dpiX * hx + 1270) / 2540), static_cast<LONG>((dpiY * hy + 1270) / 2540)};
    return pt;
}

}  // namespace dockgeo

#include "claims.h"

#include <algorithm>
#include <cstdint>

namespace {

// The cell of pixel coordinate v: floor division, clamped so that far
// places cost no overflow.
int cellof(int v, int cell) {
    const int c = std::clamp(v, -(1 << 28), 1 << 28);
    return c >= 0 ? c / cell : -((-c + cell - 1) / cell);
}

bool meets(int ax1, int ay1, int ax2, int ay2, int bx1, int by1, int bx2, int by2) {
    return ax1 < bx2 && bx1 < ax2 && ay1 < by2 && by1 < ay2;
}

} // namespace

void Claims::clear() {
    All.clear();
    // Clearing walks every bucket: a grid grown by a whole picture is
    // given up rather than walked at every frame of a drag.
    if (Grid.bucket_count() > 64 + 4 * Grid.size())
        Grid = {};
    else
        Grid.clear();
    Large.clear();
    Under = nullptr;
}

void Claims::over(const Claims* under) {
    clear();
    Under = under != this ? under : nullptr;
}

long long Claims::key(int cx, int cy) {
    return static_cast<long long>(static_cast<uint64_t>(static_cast<uint32_t>(cx)) << 32 |
                                  static_cast<uint32_t>(cy));
}

bool Claims::cells(int x1, int y1, int x2, int y2, int& cx1, int& cy1, int& cx2, int& cy2) {
    cx1 = cellof(x1, Cell);
    cy1 = cellof(y1, Cell);
    cx2 = cellof(std::max(x1, x2 - 1), Cell);
    cy2 = cellof(std::max(y1, y2 - 1), Cell);
    return cx2 - cx1 < MaxCells && cy2 - cy1 < MaxCells;
}

void Claims::take(int x1, int y1, int x2, int y2, const void* owner, int sx, int sy) {
    if (x2 <= x1 || y2 <= y1) return;
    const int i = static_cast<int>(All.size());
    All.push_back({x1, y1, x2, y2, owner, sx, sy});
    int cx1, cy1, cx2, cy2;
    if (!cells(x1, y1, x2, y2, cx1, cy1, cx2, cy2)) {
        Large.push_back(i);
        return;
    }
    for (int cx = cx1; cx <= cx2; ++cx)
        for (int cy = cy1; cy <= cy2; ++cy) Grid[key(cx, cy)].push_back(i);
}

bool Claims::taken(int x1, int y1, int x2, int y2) const {
    if (x2 <= x1 || y2 <= y1) return false;
    if (Under && Under->taken(x1, y1, x2, y2)) return true;
    auto hit = [&](int i) {
        const Claim& c = All[static_cast<size_t>(i)];
        return meets(x1, y1, x2, y2, c.x1, c.y1, c.x2, c.y2);
    };
    if (std::any_of(Large.begin(), Large.end(), hit)) return true;
    int cx1, cy1, cx2, cy2;
    if (!cells(x1, y1, x2, y2, cx1, cy1, cx2, cy2))
        return std::any_of(All.begin(), All.end(), [&](const Claim& c) {
            return meets(x1, y1, x2, y2, c.x1, c.y1, c.x2, c.y2);
        });
    for (int cx = cx1; cx <= cx2; ++cx)
        for (int cy = cy1; cy <= cy2; ++cy) {
            auto f = Grid.find(key(cx, cy));
            if (f != Grid.end() && std::any_of(f->second.begin(), f->second.end(), hit))
                return true;
        }
    return false;
}

const void* Claims::owner(int x, int y, int margin, int* sx, int* sy) const {
    int best = -1;
    auto look = [&](int i) {
        const Claim& c = All[static_cast<size_t>(i)];
        if (c.owner && i > best && x >= c.x1 - margin && x < c.x2 + margin && y >= c.y1 - margin &&
            y < c.y2 + margin)
            best = i;
    };
    std::for_each(Large.begin(), Large.end(), look);
    const int cx1 = cellof(x - margin, Cell), cx2 = cellof(x + margin, Cell);
    const int cy1 = cellof(y - margin, Cell), cy2 = cellof(y + margin, Cell);
    for (int cx = cx1; cx <= cx2; ++cx)
        for (int cy = cy1; cy <= cy2; ++cy) {
            auto f = Grid.find(key(cx, cy));
            if (f != Grid.end()) std::for_each(f->second.begin(), f->second.end(), look);
        }
    if (best < 0) return Under ? Under->owner(x, y, margin, sx, sy) : nullptr;
    const Claim& c = All[static_cast<size_t>(best)];
    if (sx) *sx = c.sx;
    if (sy) *sy = c.sy;
    return c.owner;
}

// The places of a picture that labels and dots have taken while it was
// drawn, found by a grid of cells, so that a label looks only at what lies
// near it however many there are.
#pragma once

#include <unordered_map>
#include <vector>

class Claims {
  public:
    // Forgets every claim (and the claims under these).
    void clear();
    // Forgets every claim and lies over under: what under has taken counts
    // as taken before these, while under lives and until the next clear.
    void over(const Claims* under);
    // Takes the rectangle (pixels, right and bottom edges outside) for
    // owner (null: no label, such as a dot), (sx, sy) pixels off the place
    // the owner's label takes first.
    void take(int x1, int y1, int x2, int y2, const void* owner, int sx = 0, int sy = 0);
    // Whether the rectangle meets one taken.
    bool taken(int x1, int y1, int x2, int y2) const;
    // The owner of the last label taken over pixel (x, y), or within
    // margin pixels of it, and how far off its first place it was taken;
    // null if none.
    const void* owner(int x, int y, int margin, int* sx = nullptr, int* sy = nullptr) const;
    int size() const { return static_cast<int>(All.size()); }

  private:
    struct Claim {
        int x1, y1, x2, y2;
        const void* owner;
        int sx, sy;
    };
    static constexpr int Cell = 64;    // pixels a side
    static constexpr int MaxCells = 8; // a side; a larger claim goes to Large
    static long long key(int cx, int cy);
    // The cells [cx1, cx2] x [cy1, cy2] the rectangle lies in; false when
    // it spans more than MaxCells.
    static bool cells(int x1, int y1, int x2, int y2, int& cx1, int& cy1, int& cx2, int& cy2);
    std::vector<Claim> All;
    std::unordered_map<long long, std::vector<int>> Grid;
    std::vector<int> Large;
    const Claims* Under = nullptr;
};

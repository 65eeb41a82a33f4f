// Small flag types of the construction model.
#pragma once

class Flag {
  public:
    Flag(int f = 0) : F(f ? 1 : 0) {}
    void set() { F = 1; }
    void clear() { F = 0; }
    void toggle() { F = !F; }
    operator int() const { return F; }
    Flag& operator=(int f) {
        F = f ? 1 : 0;
        return *this;
    }
    int F;
};

// A flag that can be pinned: while pinned, set and clear leave it alone.
class FixFlag {
  public:
    void set() {
        if (!Fix) F = 1;
    }
    void clear() {
        if (!Fix) F = 0;
    }
    void fix() { Fix = 1; }
    void unfix() { Fix = 0; }
    int fixed() const { return Fix; }
    operator int() const { return F; }
    int F = 0;
    int Fix = 0;
};

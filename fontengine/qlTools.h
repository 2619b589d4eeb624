#pragma once
// The font tools that carry out queued removals and write proof sheets.
class qlMain;

class qlTools {
public:
    // Non-owning link to the model root that owns the tools.
    qlMain* Parent() const { return parent_; }
    void Parent(qlMain* parent) { parent_ = parent; }

private:
    qlMain* parent_ = nullptr;
};

#pragma once
// An indexed group of menu items sharing one name (mnuView(0) ... mnuView(12)); the
// items register with the form in index order.
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Menu.h"

class MenuArray {
public:
    MenuArray(platform::forms::Form& form, const std::string& name, int count)
    {
        for (int i = 0; i < count; ++i)
            items_.push_back(std::make_unique<platform::forms::Menu>(form, name, i));
    }
    platform::forms::Menu& operator()(int index) { return *items_.at(static_cast<size_t>(index)); }
    int Count() const { return static_cast<int>(items_.size()); }
    // One handler for the whole group; it receives the item's index.
    template <class F>
    void OnClick(F handler)
    {
        for (auto& m : items_) {
            int i = m->Index();
            m->Click = [handler, i] { handler(i); };
        }
    }

private:
    std::vector<std::unique_ptr<platform::forms::Menu>> items_;
};

#include "platform/forms/Component.h"

#include "platform/forms/Form.h"

namespace platform::forms {

Component::Component(Form& form, std::string name, int index)
    : form_(form), name_(std::move(name)), index_(index)
{
    form_.AddComponent(this);
}

Component::~Component() { form_.RemoveComponent(this); }

std::string Component::Source(const char* event) const
{
    return form_.Name() + ": " + name_ + "_" + event;
}

void Component::EnsureLoaded() const { form_.EnsureLoaded(); }

bool Component::FormWindowExists() const { return form_.Window() != nullptr; }

}  // namespace platform::forms

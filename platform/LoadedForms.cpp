#include "platform/LoadedForms.h"

#include <algorithm>

namespace platform {

static std::vector<LoadedForm*>& Forms()
{
    // Never destroyed: forms held by globals go at exit, after this would be.
    static auto* forms = new std::vector<LoadedForm*>;
    return *forms;
}

void RegisterLoadedForm(LoadedForm* form)
{
    auto& forms = Forms();
    if (form && std::find(forms.begin(), forms.end(), form) == forms.end())
        forms.push_back(form);
}

void UnregisterLoadedForm(LoadedForm* form)
{
    auto& forms = Forms();
    forms.erase(std::remove(forms.begin(), forms.end(), form), forms.end());
}

std::vector<LoadedForm*> LoadedFormsSnapshot() { return Forms(); }

bool IsFormRegistered(const LoadedForm* form)
{
    auto& forms = Forms();
    return std::find(forms.begin(), forms.end(), form) != forms.end();
}

}  // namespace platform

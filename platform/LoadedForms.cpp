#include "platform/LoadedForms.h"

#include <algorithm>

namespace platform {

static std::vector<LoadedForm*>& Forms()
{
    static std::vector<LoadedForm*> forms;
    return forms;
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

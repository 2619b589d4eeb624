#pragma once
// The registry of loaded windows: the forms layer adds a window when it loads and
// removes it when it unloads; modMain::IsLoaded and UnloadAllForms read it.
#include <string>
#include <vector>

namespace platform {

class LoadedForm {
public:
    virtual ~LoadedForm() = default;
    virtual std::string FormName() const = 0;
    virtual void Unload() = 0;
};

void RegisterLoadedForm(LoadedForm* form);
void UnregisterLoadedForm(LoadedForm* form);

// A snapshot in load order: unloading while walking it is safe.
std::vector<LoadedForm*> LoadedFormsSnapshot();

// Whether a form is still registered (a window closed meanwhile is not touched).
bool IsFormRegistered(const LoadedForm* form);

}  // namespace platform

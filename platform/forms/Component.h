#pragma once
// Anything a form carries: windowed controls, timers, menus, image lists. A component
// registers itself with its form when constructed; the form creates it when it loads and
// tears it down when it unloads.
#include <windows.h>
#include <unknwn.h>

#include <string>

namespace platform::forms {

class Form;

class Component {
public:
    Component(Form& form, std::string name, int index = -1);
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    Form& Parent() const { return form_; }
    const std::string& Name() const { return name_; }
    // Position in a control array, -1 when not in one.
    int Index() const { return index_; }
    const std::string& Tag() const { return tag_; }
    void Tag(const std::string& v) { tag_ = v; }

    // The object the form's OLE container enumerates for this component (borrowed;
    // nullptr for components the docking library need not see).
    virtual IUnknown* ContainedObject() { return nullptr; }

    // "frmX: cmdOK_Click": the source under which a failing handler is reported.
    std::string Source(const char* event) const;

protected:
    friend class Form;
    // Called by the form after its window exists (in registration order, containers first).
    virtual void Create() = 0;
    // Called before the form's window goes; windowed controls lose their windows with it.
    virtual void Destroy() {}
    // Loads the form when it is not loaded (touching a control loads its form hidden).
    void EnsureLoaded() const;
    bool FormWindowExists() const;

    Form& form_;

private:
    std::string name_;
    int index_;
    std::string tag_;
};

}  // namespace platform::forms

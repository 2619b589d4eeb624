#pragma once
// Fixture of the window tests: whatever a test leaves loaded is unloaded afterwards, so
// a failed assertion never leaks windows into the next test. Message boxes shown while
// unloading are answered Yes (a pending question must not block the run), popup
// choosers are reset.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/LoadedForms.h"
#include "platform/forms/Menu.h"
#include "platform/forms/Seams.h"

#include <gtest/gtest.h>

class WindowTest : public ::testing::Test {
public:
    // Runs the window messages waiting now.
    static void Pump()
    {
        MSG msg;
        for (int i = 0; i < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    // Unloads every loaded window, the last loaded first (panes before the main window
    // that hosts them), until none is left or none gives way.
    static void UnloadEverything()
    {
        namespace pf = platform::forms;
        pf::EndScript();
        pf::BeginScript({pf::vbYes, pf::vbYes, pf::vbYes, pf::vbYes});
        for (int round = 0; round < 5; ++round) {
            std::vector<platform::LoadedForm*> forms = platform::LoadedFormsSnapshot();
            if (forms.empty())
                break;
            std::reverse(forms.begin(), forms.end());
            for (platform::LoadedForm* f : forms)
                if (platform::IsFormRegistered(f))
                    f->Unload();
            Pump();
        }
        pf::EndScript();
    }

protected:
    void TearDown() override
    {
        platform::forms::Menu::SetPopupChooser(nullptr);
        UnloadEverything();
        EXPECT_TRUE(platform::LoadedFormsSnapshot().empty()) << "a window would not unload";
    }
};

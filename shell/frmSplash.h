#pragma once
// The splash window: shown modally at start while the installed fonts are read, with the
// progress of the read in lblStatus.
#include "fontengine/IProgressSink.h"
#include "platform/controls/Frame.h"
#include "platform/controls/Image.h"
#include "platform/controls/Shape.h"
#include "platform/controls/TextBox.h"
#include "platform/forms/Form.h"
#include "platform/forms/Timer.h"
#include "shell/ProgressThrottle.h"

class frmSplash : public platform::forms::Form, public IProgressSink {
public:
    frmSplash();

    platform::forms::Frame Frame1{*this, "Frame1"};
    platform::forms::Timer Timer1{*this, "Timer1"};
    platform::forms::Image Image1{*this, "Image1"};
    platform::forms::Label lblMain{*this, "lblMain"};
    platform::forms::Label lblStatus{*this, "lblStatus"};
    platform::forms::Label lblVersion{*this, "lblVersion"};
    platform::forms::Label lblPlatform{*this, "lblPlatform"};
    platform::forms::Label lblProduct{*this, "lblProduct"};
    platform::forms::Label lblCopyright{*this, "lblCopyright"};
    platform::forms::Label lblWarning{*this, "lblWarning"};
    platform::forms::Line Line1_0{*this, "Line1", 0};
    platform::forms::Line Line1_1{*this, "Line1", 1};

    // The font engine reports each registry value it reads.
    void ProgressUpdate(std::int32_t current, std::int32_t total, const std::string& faceName = std::string()) override;

    // Tests start faster: the first tick and the two pauses (milliseconds).
    static void SetTimingsForTests(int firstTickMs, int pauseMs);

protected:
    void Design() override;
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void Form_Unload(int& cancel) override;

private:
    void Timer1_Timer();
    void Pause();
    bool reading_ = false;
    ProgressThrottle progressThrottle_;
};

namespace Forms {
extern platform::forms::FormRef<::frmSplash> frmSplash;
}

// The product's web site, named on the splash window.
inline constexpr const char* kProductSite = "https://www.quillerypro.example";

#pragma once
// The central preview window: the one MDI child of the main window. It carries the
// removal-queue indicator OverImage1, whose picture ("Empty" or "Full" of ImageList1)
// says whether fonts wait in the uninstall queue.
#include <string>

#include "core/controls/OverImageControl.h"
#include "platform/controls/ImageList.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/RichTextBox.h"
#include "platform/forms/Form.h"

class frmViewer : public platform::forms::Form {
public:
    frmViewer();

    platform::forms::RichTextBox rtbFonts{*this, "rtbFonts"};
    platform::forms::PictureBox picPreview{*this, "picPreview"};
    OverImageControl OverImage1{*this, "OverImage1"};
    platform::forms::ImageList ImageList1{*this, "ImageList1"};

    // Redraws the preview for a face name ("" redraws the current view).
    void UpdateDisplay(const std::string& faceName);

    // Shows the queue indicator's picture by its key of ImageList1 ("Empty" or "Full").
    void SetQueuePicture(const std::string& key);
    // The key of the picture the indicator shows.
    const std::string& QueuePicture() const { return queuePicture_; }

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Resize() override;

private:
    std::string queuePicture_;
};

namespace Forms {
extern platform::forms::FormRef<::frmViewer> frmViewer;
}

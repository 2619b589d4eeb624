#pragma once
// The central preview window: the one MDI child of the main window. It shows the current
// font at every preview size, or a proof sheet of all or of the checked fonts, in rtbFonts;
// and it carries the removal-queue indicator OverImage1, whose picture ("Empty" or "Full"
// of ImageList1) says whether fonts wait in the uninstall queue.
#include <string>
#include <vector>

#include "core/controls/OverImageControl.h"
#include "platform/controls/ImageList.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/RichTextBox.h"
#include "platform/forms/Form.h"
#include "shell/RichTextPage.h"

struct RtbLine;

class frmViewer : public platform::forms::Form {
public:
    frmViewer();

    platform::forms::RichTextBox rtbFonts{*this, "rtbFonts"};
    platform::forms::PictureBox picPreview{*this, "picPreview"};
    OverImageControl OverImage1{*this, "OverImage1"};
    platform::forms::ImageList ImageList1{*this, "ImageList1"};

    // Redraws the preview of a face; "" takes the display font, and the argument receives
    // it. While a proof sheet is shown the sheet is redrawn instead.
    void UpdateDisplay(std::string& faceName);
    void UpdateDisplay(const std::string& faceName = std::string());
    // Proof sheet of every installed font (view 3) or of the fonts checked in the tree (5).
    void ShowProofSheet();
    void ShowProofSheetSelected();

    // Shows the queue indicator's picture by its key of ImageList1 ("Empty" or "Full").
    void SetQueuePicture(const std::string& key);
    // The key of the picture the indicator shows.
    const std::string& QueuePicture() const { return queuePicture_; }

    // How pages reach the box (the benchmark compares both; the result is the same).
    static void SetPageWriting(PageWriting how);
    static PageWriting GetPageWriting();

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Resize() override;

private:
    // The rich-text views show rtbFonts and enable printing.
    void ShowRichText();
    void WriteFilledPage(const std::vector<RtbLine>& lines);
    void WriteProofSheet(const std::vector<std::string>& faces, bool checkedFonts);

    std::string queuePicture_;
};

namespace Forms {
extern platform::forms::FormRef<::frmViewer> frmViewer;
}

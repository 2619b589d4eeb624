#pragma once
// The installed-fonts tree pane: one root and one node per installed font. A click on a
// font makes it the display font and redraws the windows that show it.
#include <string>
#include <vector>

#include "platform/controls/CheckBox.h"
#include "platform/controls/ImageList.h"
#include "platform/controls/TreeView.h"
#include "shell/PaneForm.h"

class frmFonts : public PaneForm {
public:
    frmFonts();

    platform::forms::TreeView tvFonts{*this, "tvFonts"};
    platform::forms::CheckBox cbCustomProof{*this, "cbCustomProof"};
    platform::forms::ImageList ImageList1{*this, "ImageList1"};

    // Rebuilds the tree with every installed font; false when there is none to list or
    // none could be added.
    bool LoadFonts();
    // The click road: the node's font becomes the display font and, unless the click was
    // a right click, the preview and the panes that show the font are redrawn.
    void tvFonts_NodeClick(const platform::forms::Node::Ref& node);
    // Selects the font node whose text is exactly the name and runs the click road for it.
    void HighlightFont(const std::string& fontName);
    // Checks or clears the root and every font node.
    void ToggleChecks(bool check);
    // Applies the stored "custom_proof" choice (check boxes for custom proof sheets).
    void RefreshSettings();

    // The fonts checked for a custom proof sheet, in tree order.
    std::vector<std::string> CheckedFontNames();
    // The last font node that went through the click road (nullptr before the first).
    const platform::forms::Node::Ref& CurrentNode() const { return objCurrentNode_; }

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Resize() override;

private:
    void ClearTreeview();
    void SetCustomProofMode(bool on);
    void WireEvents();

    bool bRightClick_ = false;
    platform::forms::Node::Ref objCurrentNode_;
};

namespace Forms {
extern platform::forms::FormRef<::frmFonts> frmFonts;
}

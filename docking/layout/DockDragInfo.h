#pragma once
// The drag record of a pane: filled by the drop-target search, read by the drop.
#include <windows.h>

class CPaneBase;
class CLayoutBlock;
class CDockFrameBase;

struct DockDragInfo {
    RECT sourceRect = {};
    int sourceFloating = 0;
    int isFormPane = 1;             // form panes may go into blocks and tab groups
    CDockFrameBase* sourceContainer = nullptr;
    CPaneBase* pane = nullptr;
    int sourceIndex = -1;
    int sourceSide = 0;
    CLayoutBlock* sourceBlock = nullptr;
    int targetIndex = -1;           // section index, -1 append
    int zone = 255;                 // 0-3 a side, 8 float, 255 none
    int insertSide = -1;            // side of the target block that receives a new block
    int secondarySide = 255;
    CLayoutBlock* targetBlock = nullptr;
    CDockFrameBase* targetFrame = nullptr;
    CPaneBase* targetPane = nullptr;
    int atFrameEdge = 0;
    CPaneBase* tabTarget = nullptr;
    int asTab = 0;
    int suppress = 0;
    int changed = 0;
    int fromTab = 0;
    int ghostX = 0, ghostY = 0;
    SIZE proposed = {0, 0};
};

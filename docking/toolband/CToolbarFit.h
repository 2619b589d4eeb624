#pragma once
// The candidate sizes of one toolbar: its buttons grouped between separators, packed into
// rows of a given greatest length. Lengths are in the host form's units; conversion to pixels
// is the owner's (toPixels).
#include <windows.h>

#include <functional>
#include <vector>

class CToolbarFit {
public:
  struct Button {
    float position = 0;  // running sum of the widths before it
    float width = 0;
    int kind = 0;        // 3 separator, 4 placeholder, anything else a button
  };
  struct Group {
    std::vector<int> buttons;  // indices into buttons
    float start = 0;
    float end = 0;             // end of the last button that is no separator
  };
  struct Wrap {
    float width = 0;       // longest row
    float height = 0;      // row height plus the weighted row breaks
    float rowsHeight = 0;  // row count times the row height
    int rows = 0;
  };

  CToolbarFit();
  virtual ~CToolbarFit() = default;

  // Appends a button; the position follows from the ones before.
  void AddButton(float width, int kind);
  void ClearButtons();
  // Groups end after each separator or placeholder; a non-empty last group is kept.
  void BuildGroups();
  // Start and end of every group.
  void ComputeRows();
  // Packs the groups into rows no longer than maxLength; every row takes at least one button,
  // so the result is strictly below maxLength unless a single button is longer than it.
  // Returns the longest row's length - 1.
  float WrapAt(float maxLength, Wrap* out = nullptr) const;
  // Single row first, then ever narrower wraps; the list runs narrowest first. A wrap that
  // exceeds the limits (0: none) is left out.
  void BuildCandidates(int limitWidth = 0, int limitHeight = 0);

  // First candidate at least size.cx wide, else the widest. Unchanged without candidates.
  void FitAtLeast(SIZE& size) const;
  // byWidth: widest candidate narrower than request, else the narrowest; otherwise the
  // narrowest lower than request, else the widest. False when nothing is written.
  virtual bool FitByDimension(SIZE* out, const int* request, bool byWidth) const;
  // Docked size for a zone: one row along the top and bottom, a column at the sides.
  SIZE GetFittedSize(int zone);

  static bool IsSeparator(int kind) { return kind == 3 || kind == 4; }

  std::vector<SIZE> candidates;
  std::vector<Button> buttons;
  std::vector<Group> groups;
  float rowHeight = 0;
  float columnWidth = 0;
  int scaleMode = 1;
  unsigned rowStyle = 0;  // 1: a row break counts in full, else at 0.66
  std::function<SIZE(float, float)> toPixels;
};

// The process-wide pieces of the dialog model: the back-end singleton with
// the list of live dialogs, the logical sizes that set all spacing and their
// conversion to pixels, and the system colours.
//
// Start-up constructs the back-end's Mui (which converts the sizes) and
// installs it with Mui::set; it lives to the end of the process. Dialogs
// register themselves while they live.
#pragma once

#include <vector>

#include "lib2/mui/Forward.h"

namespace mui {

class Mui {
 public:
  // Converts the logical sizes with the current ppmm.
  Mui();
  Mui(const Mui&) = delete;
  Mui& operator=(const Mui&) = delete;
  // Uninstalls itself when it is the installed one, so that nothing reaches
  // a dead singleton at exit.
  virtual ~Mui();

  // Installs the singleton, replacing any earlier one; null is a broken
  // invariant.
  static void set(Mui* backEnd);
  // The installed singleton; asking before set is a broken invariant.
  static Mui* get();
  // Adds (true) or removes (false) a live dialog. Removing with no singleton
  // installed, as at exit, does nothing.
  static void registerDialog(MuDialog* dialog, bool add);

  const std::vector<MuDialog*>& getDialogs() const { return dialogs_; }

 private:
  static Mui* installed_;
  std::vector<MuDialog*> dialogs_;
};

// Sizes in logical units (eighths of a millimetre at the screen's ppmm), or
// the same converted to pixels.
struct MuiSizes {
  enum Index {
    Spacing = 0,          // between the children of a box layout
    LabelPadding = 1,     // around the label part of labelled controls
    DialogInset = 2,      // of a dialog's main panel from the window edge
    Margin = 3,           // default margin of single-child containers
    ButtonMinHeight = 4,  //
    ButtonMinWidth = 5,   //
    ListImage = 6,        // images drawn in list tables
    CheckWidth = 7,       // a check box's width plus 8, set by the back-end
    Count = 8
  };

  int size[Count];
  bool flag;

  int operator[](int i) const { return size[i]; }
  int& operator[](int i) { return size[i]; }
};

extern MuiSizes logicalSizes;
// logicalSizes in pixels, all 0 until the first conversion.
extern MuiSizes sizes;

// Stores s as the logical sizes and converts them: v * ppmm / 8 pixels,
// rounded to the nearest, halves away from zero. A later change of ppmm
// takes effect only at the next call.
void setLogicalSizes(const MuiSizes& s);

struct MuiRgb {
  int r;
  int g;
  int b;
};

// The first is the background of information frames.
struct MuiColours {
  MuiRgb colour[4];
};

extern const MuiColours sysColours;

}  // namespace mui

// The element factories of the dialog model. Application code never builds
// an element with new: it calls a creating function (muDialog, muLayout,
// ...), which calls the factory the back-end installed at start-up and hands
// the new element to its parent, which owns it from then on. A slot still
// empty when it is used is a broken invariant named after the slot.
//
// Each element kind adds its slot here when it joins the model.
#pragma once

#include "lib2/mui/MuDialog.h"
#include "lib2/mui/MuFrame.h"
#include "lib2/mui/MuLayout.h"
#include "lib2/mui/MuPager.h"
#include "lib2/mui/MuScroll.h"
#include "lib2/mui/MuSlider.h"

class TXWindow;

namespace mui {

using MuDialogFactory = MuDialog* (*)(const char* id, const char* title, const plat::Point& size,
                                      int flags, MuDialog* parentDialog, TXWindow* ownerWin);
using MuFrameFactory = MuFrame* (*)(MuContainer* parent, const char* id, const char* label,
                                    MuFrame::Type type);
using MuLayoutFactory = MuLayout* (*)(MuContainer* parent, const char* id, MuLayout::Type type);
using MuPagerFactory = MuPager* (*)(MuContainer* parent, const char* id, MuPager::Type type);
using MuScrollFactory = MuScroll* (*)(MuContainer* parent, const char* id, int style);
using MuSliderFactory = MuSlider* (*)(MuContainer* parent, const char* id, int flags);

extern MuDialogFactory muDialogFactory;
extern MuFrameFactory muFrameFactory;
extern MuLayoutFactory muLayoutFactory;
extern MuPagerFactory muPagerFactory;
extern MuScrollFactory muScrollFactory;
extern MuSliderFactory muSliderFactory;

// A dialog has no parent: it is not added anywhere.
MuDialog* muDialog(const char* id, const char* title, const plat::Point& size, int flags,
                   MuDialog* parentDialog, TXWindow* ownerWin);
MuFrame* muFrame(MuContainer* parent, const char* id, const char* label, MuFrame::Type type);
MuLayout* muLayout(MuContainer* parent, const char* id, MuLayout::Type type);
MuPager* muPager(MuContainer* parent, const char* id, MuPager::Type type);
MuScroll* muScroll(MuContainer* parent, const char* id, int style);
MuSlider* muSlider(MuContainer* parent, const char* id, int flags);

}  // namespace mui

// The element factories of the dialog model. Application code never builds
// an element with new: it calls a creating function (muDialog, muLayout,
// ...), which calls the factory the back-end installed at start-up and hands
// the new element to its parent, which owns it from then on. A slot still
// empty when it is used is a broken invariant named after the slot.
//
// Each element kind adds its slot here when it joins the model.
#pragma once

#include "lib2/mui/MuAutoHider.h"
#include "lib2/mui/MuButton.h"
#include "lib2/mui/MuCheck.h"
#include "lib2/mui/MuChoice.h"
#include "lib2/mui/MuDialog.h"
#include "lib2/mui/MuEdit.h"
#include "lib2/mui/MuFrame.h"
#include "lib2/mui/MuImage.h"
#include "lib2/mui/MuLayout.h"
#include "lib2/mui/MuList.h"
#include "lib2/mui/MuPager.h"
#include "lib2/mui/MuScroll.h"
#include "lib2/mui/MuSlider.h"
#include "lib2/mui/MuStatic.h"
#include "lib2/mui/MuSuperbox.h"

class TXWindow;

namespace mui {

using MuDialogFactory = MuDialog* (*)(const char* id, const char* title, const plat::Point& size,
                                      int flags, MuDialog* parentDialog, TXWindow* ownerWin);
using MuFrameFactory = MuFrame* (*)(MuContainer* parent, const char* id, const char* label,
                                    MuFrame::Type type);
using MuLayoutFactory = MuLayout* (*)(MuContainer* parent, const char* id, MuLayout::Type type);
using MuButtonFactory = MuButton* (*)(MuContainer* parent, const char* id, const char* label,
                                      MuButton::Type type, int flags, const plat::Point& size);
using MuStaticFactory = MuStatic* (*)(MuContainer* parent, const char* id, const char* text,
                                      MuStatic::Type type);
using MuImageFactory = MuImage* (*)(MuContainer* parent, const char* id, const char* name,
                                    const plat::Point& size);
using MuEditFactory = MuEdit* (*)(MuContainer* parent, const char* id, const char* label,
                                  MuEdit::Type type);
// markImage: the name of the box's mark images; null picks the check mark,
// or the dot for a Radio.
using MuCheckFactory = MuCheck* (*)(MuContainer* parent, const char* id, const char* label,
                                    MuCheck::Type type, MuCheck* groupWith, const char* markImage);
// flags: MuChoice::Flag bits.
using MuChoiceFactory = MuChoice* (*)(MuContainer* parent, const char* id, const char* label,
                                      int flags);
using MuListFactory = MuList* (*)(MuContainer* parent, const char* id, int flags,
                                  MuList::Callback* callback);
using MuPagerFactory = MuPager* (*)(MuContainer* parent, const char* id, MuPager::Type type);
using MuScrollFactory = MuScroll* (*)(MuContainer* parent, const char* id, int style);
using MuSliderFactory = MuSlider* (*)(MuContainer* parent, const char* id, int flags);
// callback is not owned and may be null.
using MuSuperboxFactory = MuSuperbox* (*)(MuContainer* parent, const char* id, const char* label,
                                          MuSuperbox::Callback* callback, int popupHeight);
// callback is not owned and may be null.
using MuAutoHiderFactory = MuAutoHider* (*)(const char* id, const plat::Point& size,
                                            ui::AutoHider::Edge edge, int visible,
                                            ui::AutoHider::Callback* callback);

extern MuDialogFactory muDialogFactory;
extern MuFrameFactory muFrameFactory;
extern MuLayoutFactory muLayoutFactory;
extern MuButtonFactory muButtonFactory;
extern MuStaticFactory muStaticFactory;
extern MuImageFactory muImageFactory;
extern MuEditFactory muEditFactory;
extern MuCheckFactory muCheckFactory;
extern MuChoiceFactory muChoiceFactory;
extern MuListFactory muListFactory;
extern MuPagerFactory muPagerFactory;
extern MuScrollFactory muScrollFactory;
extern MuSliderFactory muSliderFactory;
extern MuSuperboxFactory muSuperboxFactory;
extern MuAutoHiderFactory muAutoHiderFactory;

// Empties every slot, as a back-end that goes leaves them.
void clearFactories();

// A dialog has no parent: it is not added anywhere.
MuDialog* muDialog(const char* id, const char* title, const plat::Point& size, int flags,
                   MuDialog* parentDialog, TXWindow* ownerWin);
MuFrame* muFrame(MuContainer* parent, const char* id, const char* label, MuFrame::Type type);
MuLayout* muLayout(MuContainer* parent, const char* id, MuLayout::Type type);
// size is the picture's size for Image buttons and unused otherwise.
MuButton* muButton(MuContainer* parent, const char* id, const char* label, MuButton::Type type,
                   int flags, const plat::Point& size);
MuStatic* muStatic(MuContainer* parent, const char* id, const char* text, MuStatic::Type type);
MuImage* muImage(MuContainer* parent, const char* id, const char* name, const plat::Point& size);
MuEdit* muEdit(MuContainer* parent, const char* id, const char* label, MuEdit::Type type);
MuCheck* muCheck(MuContainer* parent, const char* id, const char* label, MuCheck::Type type,
                 MuCheck* groupWith, const char* markImage);
MuChoice* muChoice(MuContainer* parent, const char* id, const char* label, int flags);
// callback may be null; it is not owned.
MuList* muList(MuContainer* parent, const char* id, int flags, MuList::Callback* callback);
MuPager* muPager(MuContainer* parent, const char* id, MuPager::Type type);
MuScroll* muScroll(MuContainer* parent, const char* id, int style);
MuSlider* muSlider(MuContainer* parent, const char* id, int flags);
MuSuperbox* muSuperbox(MuContainer* parent, const char* id, const char* label,
                       MuSuperbox::Callback* callback, int popupHeight);
// Like a dialog, an auto-hiding window has no parent: the caller owns it.
MuAutoHider* muAutoHider(const char* id, const plat::Point& size, ui::AutoHider::Edge edge,
                         int visible, ui::AutoHider::Callback* callback);

}  // namespace mui

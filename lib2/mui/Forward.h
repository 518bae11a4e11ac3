// The dialog model's classes, declared once for headers that name them by
// pointer or reference only, so that no header spells out a list of its own
// and none includes another just to mention a class.
#pragma once

namespace mui {
class Mui;
class MuAutoHider;
class MuButton;
class MuButtonBar;
class MuCheck;
class MuChoice;
class MuCommon;
class MuConfigDialog;
class MuConfigSection;
class MuConfigSync;
class MuContainer;
class MuDialog;
class MuEdit;
class MuElement;
class MuFrame;
class MuImage;
class MuInfoFrame;
class MuLayout;
class MuList;
class MuObserver;
class MuPager;
class MuScroll;
class MuSlider;
class MuStatic;
class MuSuperbox;
}  // namespace mui

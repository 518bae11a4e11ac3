// The FLTK peer of the start-up benchmark: the toolkit's hello-world window
// at the tool's fixed size (415x625), a label and a button, closed through
// the window manager like the tool.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>

int main(int argc, char** argv) {
  Fl_Window window(415, 625, "Hello");
  Fl_Box label(20, 40, 375, 100, "Hello, World!");
  label.box(FL_UP_BOX);
  label.labelfont(FL_BOLD);
  label.labelsize(24);
  Fl_Button button(315, 585, 80, 25, "Close");
  button.callback([](Fl_Widget* w, void*) { w->window()->hide(); });
  window.end();
  window.size_range(415, 625, 415, 625);
  // The benchmark finds the window by its class.
  window.xclass("fltk-hello");
  window.show(argc, argv);
  return Fl::run();
}

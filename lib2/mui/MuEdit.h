// mui::MuEdit: a text entry with an optional label in front of it. Every
// change the user makes reaches the observers as MuEventChanged; a change the
// program makes with setText never does. A filter may refuse each edit before
// it happens.
//
// Text is never cut silently: an entry holds at least MinCapacity bytes, and
// a text that does not fit is cut only with an error in the log and false
// from setText.
#pragma once

#include "lib2/mui/MuElement.h"

namespace mui {

class MuEdit : public MuElement {
 public:
  // Multiline is shown by the widget back-end as a one-line entry.
  enum Type { Text = 0, Password = 1, Multiline = 2 };

  // What every back-end's entry holds at the least, in bytes.
  static constexpr int MinCapacity = 64 * 1024;

  class Filter {
   public:
    virtual ~Filter() = default;
    // newText: the whole text the edit would make; ch: the typed character,
    // or -1 for a deletion or a paste. True lets the edit happen.
    virtual bool filterText(MuEdit* edit, const char* newText, int ch) = 0;
  };

  // Admits the texts on the way to a decimal int from min to max: "" and,
  // when min is negative, "-" alone; no white space, no leading zero and no
  // "-0".
  class NumericFilter : public Filter {
   public:
    NumericFilter(int minValue, int maxValue) : min(minValue), max(maxValue) {}
    bool filterText(MuEdit* edit, const char* newText, int ch) override;

    int min;
    int max;
  };

  MuEdit(MuContainer* parent, const char* id, const char* label, Type type);

  // Replaces the text without an event. False when it did not fit and was
  // cut, which is logged as an error.
  virtual bool setText(const char* text) = 0;
  // Never null.
  virtual const char* getText() const = 0;
  // start < 0 clears the selection; length < 0 selects to the end.
  virtual void setSelection(int start, int length) = 0;
  // The lower end of the selection; length, when given, its size (never
  // negative).
  virtual int getSelection(int* length) const = 0;
  // Not owned: it must outlive the element; null removes it.
  virtual void setFilter(Filter* filter) = 0;
  // Installs the process-wide filter for the whole int range.
  void setNumeric();

  Type getEditType() const { return type_; }
  const char* getType() const override { return "edit"; }
  plat::DString getState() override;

 private:
  Type type_;
};

}  // namespace mui

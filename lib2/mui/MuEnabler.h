// mui::MuEnabler: decides from one named parameter whether an element may be
// used. The kinds here read a Boolean (MuEnablerBool), the priority of the
// value (MuEnablerPolicy: disabled while policy sets it) or the value text
// through a table (MuEnablerMapped).
//
// paramChangedByElement is told each time an element on the page has just
// written the parameter, so that an enabler can follow it; the kinds here
// ignore it. The by-configuration companions look the parameter up as
// MuSync does: a name the configuration lacks is a broken invariant.
#pragma once

#include <map>

#include "lib1/plat/Configuration.h"
#include "lib1/plat/String.h"
#include "lib2/mui/Forward.h"

namespace mui {

class MuEnabler {
 public:
  explicit MuEnabler(const char* paramName);
  virtual ~MuEnabler() = default;
  MuEnabler(const MuEnabler&) = delete;
  MuEnabler& operator=(const MuEnabler&) = delete;

  virtual bool isEnabled(const plat::ConfigParameter& param) const = 0;
  virtual void paramChangedByElement(const plat::ConfigParameter&, MuElement*) {}

  bool isEnabled(const plat::Configuration& config) const;
  void paramChangedByElement(const plat::Configuration& config, MuElement* changed);

  const char* paramName() const { return paramName_.get(); }

 private:
  plat::String paramName_;
};

// Enabled while the parameter's integer value is not 0, or while it is 0
// when inverted.
class MuEnablerBool : public MuEnabler {
 public:
  MuEnablerBool(const char* paramName, bool invert) : MuEnabler(paramName), invert_(invert) {}
  bool isEnabled(const plat::ConfigParameter& param) const override;

 private:
  bool invert_;
};

// Enabled unless policy sets the parameter.
class MuEnablerPolicy : public MuEnabler {
 public:
  explicit MuEnablerPolicy(const char* paramName) : MuEnabler(paramName) {}
  bool isEnabled(const plat::ConfigParameter& param) const override;
};

// The verdict the table gives the value text, the default for a text it
// does not hold.
class MuEnablerMapped : public MuEnabler {
 public:
  MuEnablerMapped(const char* paramName, const std::map<plat::String, bool>& verdicts,
                  bool byDefault)
      : MuEnabler(paramName), verdicts_(verdicts), default_(byDefault) {}
  bool isEnabled(const plat::ConfigParameter& param) const override;
  // The value text is one of the table's.
  bool isMapped(const plat::ConfigParameter& param) const;

 private:
  std::map<plat::String, bool> verdicts_;
  bool default_;
};

}  // namespace mui

#include "libs/svr/Permissions.h"

#include "AddLocStrings_svr.h"
#include "lib1/loc/Localize.h"
#include "lib1/plat/Assert.h"
#include "lib1/plat/DString.h"
#include "lib1/plat/Exception.h"

namespace svr {

namespace {

AddLocStrings_svr addLocStrings;

const char* const kInvalid = "invalid permissions string";

bool sameStates(const plat::FixedArray<int32_t, Permissions::nCodes>& a,
                const plat::FixedArray<int32_t, Permissions::nCodes>& b) {
  for (int i = 0; i < Permissions::nCodes; i++)
    if (a[i] != b[i]) return false;
  return true;
}

}  // namespace

Permissions::Permissions() { initCore(); }

Permissions::Permissions(const char* text) {
  initCore();
  parse(text);
}

void Permissions::clear() {
  states_ = States{};
  text_ = nullptr;
  keep_ = false;
}

void Permissions::parseInto(const char* text, States& states) {
  enum { Allow, Clear, Deny } mode = Allow;
  bool plusSeen = false;
  for (const char* p = text; *p; p++) {
    char c = *p;
    if (c >= 'a' && c <= 'z') {
      int32_t state = mode == Allow ? Allowed : mode == Clear ? Unset : Denied;
      if (const GroupMembers* group = lookupGroup(c)) {
        for (int i = 0; i < nCodes; i++)
          if ((*group)[i]) states[i] = state;
      } else {
        states[c - 'a'] = state;
      }
    } else if (c == '0') {
      // Padding some writers put in an otherwise empty part.
    } else if (c == '+' && mode == Allow && !plusSeen) {
      plusSeen = true;
    } else if (c == '-' && mode == Allow) {
      mode = Clear;
    } else if (c == '!' && mode != Deny) {
      mode = Deny;
    } else {
      throw plat::Exception(kInvalid);
    }
  }
}

void Permissions::parse(const char* text) {
  if (!text) {
    clear();
    return;
  }
  // Work on a copy so that a bad text leaves this set as it was: a half
  // applied text would describe neither the old nor the new permissions.
  States states{};
  parseInto(text, states);
  plat::String copy(text);
  states_ = states;
  text_ = std::move(copy);
  keep_ = true;
}

const char* Permissions::getString() const {
  if (text_.isNull()) {
    plat::DString s(32);
    for (int i = 0; i < nCodes; i++)
      if (states_[i] == Allowed) s.appendChar_(char('a' + i));
    bool bang = false;
    for (int i = 0; i < nCodes; i++) {
      if (states_[i] != Denied) continue;
      if (!bang) s.appendChar_('!');
      bang = true;
      s.appendChar_(char('a' + i));
    }
    text_ = s.get();
  }
  return text_.get();
}

void Permissions::setExpandedString() {
  text_ = nullptr;
  getString();
  keep_ = true;
}

bool Permissions::isExactlyEqual(const Permissions& other) const {
  return sameStates(states_, other.states_);
}

bool Permissions::isEffectivelyEqual(const Permissions& other) const {
  for (int i = 0; i < nCodes; i++)
    if ((states_[i] == Allowed) != (other.states_[i] == Allowed)) return false;
  return true;
}

bool Permissions::isStringEqual(const Permissions& other) const {
  return plat::String::equal(getString(), other.getString());
}

bool Permissions::allowsAccess() const {
  for (int32_t s : states_)
    if (s == Allowed) return true;
  return false;
}

Permissions::State Permissions::getState(char code) const {
  PLAT_ASSERT(code >= 'a' && code <= 'z');
  return State(states_[code - 'a']);
}

void Permissions::settleText(const States& before, const Permissions& other, bool adoptCachedText) {
  if (sameStates(states_, before)) return;
  bool otherHasText = adoptCachedText ? !other.text_.isNull() : other.keep_;
  if (otherHasText && sameStates(states_, other.states_)) {
    if (!plat::String::equal(text_.get(), other.text_.get())) text_ = other.text_;
    keep_ = true;
  } else {
    text_ = nullptr;
    keep_ = false;
  }
}

void Permissions::merge(const Permissions& other) {
  States before = states_;
  for (int i = 0; i < nCodes; i++) {
    if (other.states_[i] == Denied)
      states_[i] = Denied;
    else if (other.states_[i] == Allowed && states_[i] == Unset)
      states_[i] = Allowed;
  }
  settleText(before, other, false);
}

void Permissions::restrictTo(const Permissions& other) {
  States before = states_;
  for (int i = 0; i < nCodes; i++) {
    if (other.states_[i] == Denied)
      states_[i] = Denied;
    else if (other.states_[i] == Unset && states_[i] == Allowed)
      states_[i] = Unset;
  }
  settleText(before, other, true);
}

const char* Permissions::shortDescription(bool nullIfCustom) const {
  static const struct {
    const char* text;
    const char* key;
  } levels[] = {
      {"", "svr_permissions_desc_noaccess"},   {"f", "svr_permissions_desc_full"},
      {"d", "svr_permissions_desc_defaults"},  {"v", "svr_permissions_desc_viewonly"},
      {"i", "svr_permissions_desc_inputonly"},
  };
  for (const auto& level : levels) {
    if (isEffectivelyEqual(Permissions(level.text)))
      return loc::localize(loc::msgid_t(level.key), __FILE__, __LINE__);
  }
  if (nullIfCustom) return nullptr;
  return loc::localize(loc::msgid_t("svr_permissions_desc_custom"), __FILE__, __LINE__);
}

}  // namespace svr

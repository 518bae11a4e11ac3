#include "libs/svr/SecurityPrincipal.h"

#include <cstring>

#include "AddLocStrings_svr.h"
#include "lib1/loc/Localize.h"
#include "lib1/plat/Assert.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/Utf8.h"

namespace svr {

namespace {

AddLocStrings_svr addLocStrings;

bool hasText(const plat::String& s) { return !s.isNull() && s.get()[0]; }

}  // namespace

SecurityPrincipal::NameResolver* SecurityPrincipal::resolver = nullptr;

SecurityPrincipal::NameResolver::~NameResolver() {
  if (resolver == this) resolver = nullptr;
}

SecurityPrincipal::SecurityPrincipal() = default;

// The fourth argument is the display name (not an alternative name): the
// editor passes null, and the resolver fills the name in on first display.
SecurityPrincipal::SecurityPrincipal(const char* id, const Permissions& perms, bool isGroup,
                                     const char* displayName)
    : id_(id), displayName_(displayName), perms_(perms), isGroup_(isGroup) {
  if (!checkId()) throwInvalid();
}

bool SecurityPrincipal::isWritableId(const char* id, bool isGroup) {
  // The parameter holds only UTF-8, so any other id could never be saved.
  // The empty id is the server's owner (":d" reads back as written).
  if (!id || strpbrk(id, ",:") || !plat::isValidUtf8(id)) return false;
  return isGroup || id[0] != '%';
}

bool SecurityPrincipal::isWritable() const {
  return isWritableId(id_.get(), isGroup_) &&
         (altName_.isNull() || isWritableId(altName_.get(), isGroup_));
}

void SecurityPrincipal::throwInvalid() const {
  throw plat::ExceptionFmt("invalid %s name \"%s\"", isGroup_ ? "group" : "user",
                           id_.isNull() ? "" : id_.get());
}

bool SecurityPrincipal::read(const char* text, const char*) {
  bool group = text[0] == '%';
  if (group) text++;
  const char* colon = strchr(text, ':');
  // Everything is checked before anything is assigned, so a bad item changes
  // nothing: a principal being edited keeps what it had.
  Permissions perms(colon ? colon + 1 : nullptr);
  plat::String id(text, colon ? int(colon - text) : -1);
  if (!isWritableId(id.get(), group)) return false;
  isGroup_ = group;
  if (!plat::String::equal(id_.get(), id.get())) id_ = std::move(id);
  perms_ = perms;
  displayName_ = nullptr;
  return checkId();
}

void SecurityPrincipal::write(plat::DString& out) const {
  PLAT_ASSERT_MSG(isWritable(), "principal \"%s\" would not read back as written", id_.get());
  if (isGroup_) out.appendChar_('%');
  out.append_(altName_.isNull() ? id_.get() : altName_.get());
  out.appendChar_(':');
  out.append_(perms_.getString());
}

plat::String SecurityPrincipal::getDisplayName() {
  if (hasText(displayName_)) return displayName_;
  if (displayName_.isNull() && resolver) {
    try {
      plat::String answer = resolver->resolveName(id_.get(), altName_.get(), isGroup_);
      // A null answer is not stored, so the resolver is asked again later.
      if (!answer.isNull()) displayName_ = std::move(answer);
    } catch (const plat::Exception&) {
      // The id stands in for a name the user database cannot give.
    }
    if (hasText(displayName_)) return displayName_;
  }
  return altName_.isNull() ? id_ : altName_;
}

bool SecurityPrincipal::checkId(const char*) {
  const char* id = id_.get();
  PLAT_ASSERT(id);
  if (!isGroup_ && strcmp(id, "*") == 0) {
    const char* all =
        loc::localize(loc::msgid_t("svr_securityprincipal_all_users"), __FILE__, __LINE__);
    if (!plat::String::equal(displayName_.get(), all)) displayName_ = all;
  }
  return isWritable();
}

}  // namespace svr

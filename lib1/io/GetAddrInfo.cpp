#include "lib1/io/GetAddrInfo.h"

#include "AddLocStrings_io.h"
#include "lib1/loc/Localize.h"

namespace io {

namespace {

AddLocStrings_io addLocStrings;

}  // namespace

int getAddrInfo(const char* node, const char* service, const addrinfo* hints, addrinfo** result) {
  return getaddrinfo(node, service, hints, result);
}

void freeAddrInfo(addrinfo* list) { freeaddrinfo(list); }

GetAddrInfoException::GetAddrInfoException(const char* call, int code)
    : plat::Exception(1, "%s: '%s' (%d)", call, gai_strerror(code), code), error(code) {
  type.append("GetAddrInfo");
}

const char* GetAddrInfoException::locStr() const {
  switch (error) {
    case EAI_NONAME:
      return loc::localize(loc::msgid_t("io_error_eai_noname"));
    case EAI_AGAIN:
      return loc::localize(loc::msgid_t("io_error_eai_again"));
#ifdef EAI_NODATA
    // Not every C library tells a name without address from an unknown name.
    case EAI_NODATA:
      return loc::localize(loc::msgid_t("io_error_eai_nodata"));
#endif
    default:
      return str();
  }
}

}  // namespace io

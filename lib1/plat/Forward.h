// The platform classes that other headers name by pointer or reference only:
// declared here once, so that such a header need not pull in their
// definitions.
#pragma once

namespace plat {
class Configuration;
class DString;
}  // namespace plat

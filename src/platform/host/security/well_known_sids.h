// The well-known groups the stand-in knows, and which of them stand for every local user.
#pragma once

#include <optional>

#include "security/acl_layout.h"

namespace standin {

std::optional<SidBytes> WellKnownSid(WELL_KNOWN_SID_TYPE type);

// BUILTIN\Users: the host's group permission bits.
bool IsLocalUsersGroup(const SidBytes& sid);
// Everyone and Authenticated Users: the host's other (and so also group) permission bits.
bool IsEveryUser(const SidBytes& sid);

}  // namespace standin

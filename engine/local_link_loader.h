#pragma once
/// Loading the DDE client's socket transport (see dde_link/local_link.h).

#include "engine/dde_link/local_link.h"

#include <string>

/// Environment variable that names the transport module's file instead of the install's.
inline constexpr const char *kLocalLinkVariable = "VANTREL_DDE_LINK";

/// The transport's table, loaded on the first call and kept loaded for the rest of the run;
/// nullptr when the module cannot be loaded, with the reason in `why` ("file: reason", the
/// reason a marked Portuguese text). A failed load is tried again on the next call.
const LocalLinkApi *LoadLocalLink(std::string &why);

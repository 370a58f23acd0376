// libsndfile writes a float WAV's fmt chunk in 16 bytes, without the two-byte
// extension size that every non-PCM format carries; sox and other readers warn
// about it. This adds the field (0: nothing follows) to a finished file.
#pragma once

#include <string>

namespace host {

// Rewrites a closed float WAV in place with an 18-byte fmt chunk. Files of any
// other layout are left as they are. Throws HostError when the file cannot be
// read or written.
void addFmtExtension(const std::string& path);

}  // namespace host

// Checks on the files a command reads and writes, made before any work so that
// problems are reported in tarn's own words rather than a library's.
#pragma once

#include <string>

namespace host {

// Throws HostError "cannot read 'path': ..." when path is missing, a folder or
// not readable.
void checkReadableFile(const std::string& path);

// Throws HostError "cannot write 'path': ..." when path names a folder, its
// folder does not exist or cannot be written into.
void checkWritableFile(const std::string& path);

// Throws HostError when output is the same file as input: the same device and
// inode, so links and other spellings of one path are caught.
void checkDistinctFiles(const std::string& input, const std::string& output);

}  // namespace host

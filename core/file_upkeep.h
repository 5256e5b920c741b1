#pragma once
// Keeping the program's files tidy and private: where a symbolic link leads (writeFileAtomic
// replaces the file a link names, never the link), the temporary files an interrupted atomic
// write left, and rights that others were given on the program's folders and files.

#include <filesystem>

#include "core/places.h"

namespace keiro {

// The file a path finally names, following symbolic links (also a link to a missing file);
// the path itself when it is no link.  IoError on a chain of links without end.
std::filesystem::path followLinks(const std::filesystem::path& path);

// Removes the temporary files that an interrupted writeFileAtomic of `path` left beside it
// ("<name>.tmp" and one to six digits, regular files only); returns how many were removed.
int removeLeftoverTempFiles(const std::filesystem::path& path);
// The same for every file of `folder`, whether or not the file it was to become exists (a first
// save killed before its rename leaves only the temporary file).  Only under the folder's lock:
// a running copy's save in progress looks the same.
int removeLeftoverTempFilesIn(const std::filesystem::path& folder);

// Takes the access of group and others away from an existing file or folder (not following a
// link); a missing one, or one that is not ours to change, is left alone.  Returns whether the
// mode was changed.
bool tightenPermissions(const std::filesystem::path& path);

// Takes group and other access away from the vendor and settings folders, the configuration
// file, the data folder and the files directly in it (0700 folders, 0600 files).  Returns how
// many were changed.  ensureDataFolder does this on every start.
int tightenProgramFiles(const Places& places);

}  // namespace keiro

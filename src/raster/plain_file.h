// What the program's files may be: plain files, reached through any chain of
// symbolic links. A device, a pipe or a socket under a file's name is neither
// read (it could block or never end) nor written over (a rename would put a
// file in its place); two spellings of one file are told apart by identity.
#pragma once

#include <cstdio>
#include <string>

namespace qm {

// The reason for anything but a plain file or a folder under a file's name.
constexpr const char* not_plain_file = "not a plain file";

// The name path's links lead to, each link read relative to its own folder:
// path itself when it is no link; a name that may not exist yet when the
// last link dangles. False, with the system's reason, for a loop or a name
// the system cannot take.
bool follow_links(const std::string& path, std::string& target, std::string& reason);

// Whether a file may be written at path (links already followed): nothing
// is there, or a plain file is. Otherwise the reason: "Is a directory" for
// a folder, not_plain_file for anything else.
bool may_replace(const std::string& path, std::string& reason);

// Opens a plain file for reading ("rb"), following links, without waiting
// on a pipe or device under its name; null with the reason: the system's
// word when it cannot be opened, "Is a directory", or not_plain_file.
std::FILE* open_plain_file(const char* path, std::string& reason);

// Whether nothing is at path, and so a file there would be new: not even
// the folders on its way, as long as none of them is a file.
bool nothing_at(const char* path);

// Whether a and b name one file, however each is spelled and through
// whatever links: one existing file (device and file number), or one name
// not yet taken in one folder.
bool same_file(const char* a, const char* b);

}  // namespace qm

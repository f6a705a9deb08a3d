// The system calls the history's append is made of, on each platform: a
// plain file opened for appending, its end, its last byte, a write, a cut
// back to an earlier length, a sync of the file and of its folder, and the
// close. Each answers as its POSIX namesake does (-1 or false on failure,
// with errno set).
#pragma once

#include <cstddef>
#include <string>

namespace qm::history_file {

// Opened for reading and appending, made if missing (mode 0644); `created`
// says whether it was. Anything but a plain file is refused: -1 with the
// reason ("not a plain file" or the system's word).
int open_for_append(const char* path, bool& created, std::string& reason);
// The file's size, from its end.
long long end_of(int fd);
// The byte at size - 1.
bool last_byte(int fd, long long size, char& c);
long long write_some(int fd, const char* data, std::size_t size);
// Cuts the file back to size bytes.
int cut_to(int fd, long long size);
int sync(int fd);
// Syncs the folder that holds path, so that a new file's name lasts too. A
// file system that cannot sync a folder counts as done.
int sync_folder_of(const char* path);
int close(int fd);

}  // namespace qm::history_file

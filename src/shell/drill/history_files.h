// The system calls the history's append is made of, on each platform: a
// file opened for appending, its end, its last byte, a write, a sync and the
// close. Each answers as its POSIX namesake does (-1 or false on failure,
// with errno set).
#pragma once

#include <cstddef>

namespace qm::history_file {

// Opened for reading and appending, made if missing (mode 0644).
int open_for_append(const char* path);
// The file's size, from its end.
long long end_of(int fd);
// The byte at size - 1.
bool last_byte(int fd, long long size, char& c);
long long write_some(int fd, const char* data, std::size_t size);
int sync(int fd);
int close(int fd);

}  // namespace qm::history_file

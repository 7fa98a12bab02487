#pragma once

#include <QString>

#include <cstring>
#include <utility>

#include <unistd.h>

// What the platform layer's system calls share.

// The system's words for `error` (an errno value), as the user's locale gives them.
inline QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Closes a file descriptor when it goes out of scope.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {
    }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return m_fd; }
    // Closes now, so that an error on closing (a full disk on a network file system) is seen.
    int close() { return ::close(std::exchange(m_fd, -1)); }

private:
    int m_fd;
};

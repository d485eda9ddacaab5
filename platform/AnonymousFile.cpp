#include "platform/AnonymousFile.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace diduzozoz {

int AnonymousFile(std::string_view bytes) {
#ifdef __linux__
    const int fd = memfd_create("diduzozoz-clipboard", MFD_CLOEXEC);
#else
    char name[] = "/tmp/diduzozoz-clipboard-XXXXXX";
    const int fd = mkostemp(name, O_CLOEXEC);
    if (fd >= 0) unlink(name);
#endif
    if (fd < 0) return -1;
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            close(fd);
            return -1;
        }
        done += static_cast<std::size_t>(n);
    }
    if (lseek(fd, 0, SEEK_SET) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace diduzozoz
#endif

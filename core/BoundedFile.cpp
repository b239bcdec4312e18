#include "BoundedFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#define HL_READ ::_read
#define HL_CLOSE ::_close
#define HL_OPEN_FLAGS (_O_RDONLY | _O_BINARY)
#else
#include <unistd.h>
#define HL_READ ::read
#define HL_CLOSE ::close
#define HL_OPEN_FLAGS (O_RDONLY | O_CLOEXEC | O_NONBLOCK)
#endif

namespace hl {

namespace {

BoundedText Refused(int fd, std::string why, int error = 0) {
    HL_CLOSE(fd);
    BoundedText out;
    out.refusal = std::move(why);
    out.error = error;
    return out;
}

int FileType(int fd, long long& size) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return 0;
    size = static_cast<long long>(st.st_size);
    return st.st_mode & S_IFMT;
}

} // namespace

std::string CapText(size_t bytes) {
    if (bytes >= 1024 * 1024 && bytes % (1024 * 1024) == 0)
        return std::to_string(bytes / (1024 * 1024)) + " MiB";
    if (bytes >= 1024 && bytes % 1024 == 0) return std::to_string(bytes / 1024) + " KiB";
    return std::to_string(bytes) + " bytes";
}

BoundedText ReadBoundedDescriptor(int fd, size_t cap, bool anyKind) {
    long long size = 0;
    int type = FileType(fd, size);
    if (type == S_IFDIR) return Refused(fd, "is a folder", EISDIR);
    if (type != S_IFREG && !anyKind) return Refused(fd, "is not a regular file");
    std::string tooBig = "is larger than the limit of " + CapText(cap);
    // procfs states 0 and sysfs a page (4096) whatever an attribute holds: the size refuses a
    // big file before it is read, and the count of bytes read decides for the rest.
    if (size > 4096 && static_cast<unsigned long long>(size) > cap) return Refused(fd, tooBig);
    BoundedText out;
    out.bytes.reserve(static_cast<size_t>(size > 0 ? size : 0) + 1);
    char buffer[16384];
    for (;;) {
        size_t room = cap + 1 - out.bytes.size(); // one byte past the cap tells it is too big
        auto n =
            HL_READ(fd, buffer, static_cast<unsigned>(room < sizeof buffer ? room : sizeof buffer));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0)
            return Refused(fd, std::string("cannot be read: ") + std::strerror(errno), errno);
        if (n == 0) break;
        out.bytes.append(buffer, static_cast<size_t>(n));
        if (out.bytes.size() > cap) return Refused(fd, tooBig);
    }
    HL_CLOSE(fd);
    return out;
}

BoundedText ReadBoundedFile(const std::string& path, size_t cap) {
#ifdef _WIN32
    int fd = ::_open(path.c_str(), HL_OPEN_FLAGS);
#else
    int fd = ::open(path.c_str(), HL_OPEN_FLAGS);
#endif
    if (fd < 0) {
        BoundedText out;
        out.error = errno;
        out.refusal = std::string("cannot be read: ") + std::strerror(errno);
        return out;
    }
    return ReadBoundedDescriptor(fd, cap);
}

} // namespace hl

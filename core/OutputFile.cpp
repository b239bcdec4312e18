#include "OutputFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace hl {

namespace {

WriteResult Failed(const std::string& path, const std::string& why) {
    return {false, path + ": " + why};
}

WriteResult FromErrno(const std::string& path) {
    return Failed(path, std::strerror(errno));
}

} // namespace

#ifndef _WIN32

namespace {

bool WriteAll(int fd, const std::string& bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

std::string Folder(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows a chain of symbolic links to the name that is not one (which may not exist yet).
// ELOOP after as many links as the kernel itself follows.
bool FinalTarget(std::string& path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        std::string link(PATH_MAX, '\0');
        ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n <= 0) return false;
        link.resize(static_cast<size_t>(n));
        path = link.front() == '/' ? link : Folder(path) + "/" + link;
    }
    errno = ELOOP;
    return false;
}

// open() refuses a socket; a listening one takes the bytes over a connection.
WriteResult WriteToSocket(const std::string& path, const std::string& bytes) {
    sockaddr_un addr{};
    if (path.size() >= sizeof addr.sun_path) return Failed(path, std::strerror(ENAMETOOLONG));
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return FromErrno(path);
    bool ok =
        ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 && WriteAll(fd, bytes);
    WriteResult result = ok ? WriteResult{true, {}} : FromErrno(path);
    ::close(fd);
    return result;
}

// Devices and FIFOs are written in place: renaming over them would replace the node.
WriteResult WriteInPlace(const std::string& path, const std::string& bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return FromErrno(path);
    bool ok = WriteAll(fd, bytes);
    WriteResult result = ok ? WriteResult{true, {}} : FromErrno(path);
    if (::close(fd) != 0 && result.ok) result = FromErrno(path);
    return result;
}

mode_t NewFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// The temporary name is short and fixed in length, so a target name of 255 bytes still fits,
// and unpredictable; O_EXCL|O_NOFOLLOW refuse a file or link planted under it.
WriteResult ReplaceAtomically(const std::string& path, const std::string& bytes,
                              const struct stat* existing) {
    const std::string folder = Folder(path);
    std::string temp = folder + "/.hardlens-XXXXXX";
    int fd = ::mkostemp(temp.data(), O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return FromErrno(path);
    if (existing) {
        // Another user's file may not be given back to them; it keeps at least its mode.
        (void)!::fchown(fd, existing->st_uid, existing->st_gid);
    }
    bool ok = ::fchmod(fd, existing ? existing->st_mode & 07777 : NewFileMode()) == 0 &&
              WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int why = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        why = errno;
    }
    if (ok && ::rename(temp.c_str(), path.c_str()) == 0) {
        SyncFolder(folder);
        return {true, {}};
    }
    WriteResult result = Failed(path, std::strerror(ok ? errno : why));
    ::unlink(temp.c_str());
    return result;
}

} // namespace

WriteResult WriteOutputFile(const std::string& path, const std::string& bytes) {
    if (path.empty()) return {false, "no file name given"};
    if (path == "-")
        return WriteAll(STDOUT_FILENO, bytes) ? WriteResult{true, {}}
                                              : FromErrno("standard output");
    // The kernel follows the links, /proc's "pipe:[N]" ones included (/dev/stdout in a pipe).
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) return FromErrno(path);
        std::string target = path; // a new name, or a link to one
        if (!FinalTarget(target)) return FromErrno(path);
        return ReplaceAtomically(target, bytes, nullptr);
    }
    if (S_ISREG(st.st_mode)) {
        std::string target = path;
        struct stat resolved {};
        if (!FinalTarget(target) || ::stat(target.c_str(), &resolved) != 0) return FromErrno(path);
        // A link that names no real path (a /proc descriptor of a deleted file) is written into.
        if (resolved.st_dev != st.st_dev || resolved.st_ino != st.st_ino)
            return WriteInPlace(path, bytes);
        return ReplaceAtomically(target, bytes, &st);
    }
    if (S_ISDIR(st.st_mode)) return Failed(path, "is a folder; give a file name");
    if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode)) return WriteInPlace(path, bytes);
    if (S_ISSOCK(st.st_mode)) {
        std::string target = path; // connect() needs the socket's own name
        if (!FinalTarget(target)) return FromErrno(path);
        return WriteToSocket(target, bytes);
    }
    return Failed(path, "is a block device; not written");
}

#else

namespace {

WriteResult FromLastError(const std::string& path) {
    char text[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   GetLastError(), 0, text, sizeof text, nullptr);
    std::string why = text;
    while (!why.empty() && (why.back() == '\n' || why.back() == '\r'))
        why.pop_back();
    return Failed(path, why);
}

} // namespace

// Paths are in the ANSI code page here, as the command line and the environment give them.
WriteResult WriteOutputFile(const std::string& path, const std::string& bytes) {
    if (path.empty()) return {false, "no file name given"};
    if (path == "-") {
        _setmode(_fileno(stdout), _O_BINARY); // the bytes carry their own CRLF
        bool ok = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
                  std::fflush(stdout) == 0;
        return ok ? WriteResult{true, {}} : FromErrno("standard output");
    }
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Failed(path, "is a folder; give a file name");
    std::string folder = ".";
    if (size_t sep = path.find_last_of("\\/"); sep != std::string::npos)
        folder = path.substr(0, sep + 1);
    char temp[MAX_PATH + 1] = {};
    if (GetTempFileNameA(folder.c_str(), "hl", 0, temp) == 0) return FromLastError(folder);
    FILE* f = std::fopen(temp, "wb");
    bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = f && std::fflush(f) == 0 && _commit(_fileno(f)) == 0 && ok;
    ok = f && std::fclose(f) == 0 && ok;
    if (ok && MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {true, {}};
    WriteResult result = FromLastError(path);
    DeleteFileA(temp);
    return result;
}

#endif

} // namespace hl

#include "LinuxFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace hl {

namespace {

Access AccessOfErrno(int err) {
    return (err == EACCES || err == EPERM) ? Access::NeedsRoot : Access::Absent;
}

FileText FromBounded(BoundedText read) {
    FileText out;
    if (read.Ok())
        out.access = read.bytes.empty() ? Access::Empty : Access::Present;
    else if (read.error)
        // sysfs attributes that only root may read fail here, not at open.
        out.access = read.error == EISDIR ? Access::Absent : AccessOfErrno(read.error);
    else
        out.access = Access::Refused;
    if (out.access == Access::Present) out.text = std::move(read.bytes);
    return out;
}

constexpr int kMostLinks = 40; // as many as the kernel follows

// The components of a path, "." and empty ones left out.
std::vector<std::string> Components(std::string_view path) {
    std::vector<std::string> parts;
    for (size_t start = 0; start <= path.size();) {
        size_t end = std::min(path.find('/', start), path.size());
        std::string_view part = path.substr(start, end - start);
        if (!part.empty() && part != ".") parts.emplace_back(part);
        start = end + 1;
    }
    return parts;
}

class Folders {
public:
    explicit Folders(int root) { held_.push_back(root); }
    ~Folders() {
        for (size_t i = 1; i < held_.size(); ++i)
            ::close(held_[i]);
    }
    int Current() const { return held_.back(); }
    void Enter(int fd) { held_.push_back(fd); }
    void Up() { // ".." stops at the root
        if (held_.size() > 1) ::close(held_.back()), held_.pop_back();
    }
    void ToRoot() {
        while (held_.size() > 1)
            Up();
    }

private:
    std::vector<int> held_;
};

// The walk openat2's RESOLVE_IN_ROOT does, for kernels before 5.6: component by component,
// a link's target read and walked from the root when it is absolute.
int OpenByHand(int rootFd, std::string_view path, int flags) {
    std::vector<std::string> todo = Components(path);
    std::reverse(todo.begin(), todo.end());
    Folders at(rootFd);
    for (int links = 0; !todo.empty();) {
        std::string name = std::move(todo.back());
        todo.pop_back();
        if (name == "..") {
            at.Up();
            continue;
        }
        char target[4096];
        ssize_t n = ::readlinkat(at.Current(), name.c_str(), target, sizeof target - 1);
        if (n > 0) {
            if (++links > kMostLinks) return errno = ELOOP, -1;
            std::vector<std::string> more = Components(std::string_view(target, n));
            todo.insert(todo.end(), more.rbegin(), more.rend());
            if (target[0] == '/') at.ToRoot();
            continue;
        }
        if (todo.empty()) return ::openat(at.Current(), name.c_str(), flags | O_NOFOLLOW);
        int next = ::openat(at.Current(), name.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (next < 0) return -1;
        at.Enter(next);
    }
    return ::openat(at.Current(), ".", flags);
}

constexpr int kOpenTries = 16;

// Opens a path of the tree under `root` as a chroot would: absolute links and ".." resolve
// inside the root, never on the machine that reads the tree.
int OpenInRoot(const std::string& root, const std::string& path, int flags) {
    if (root.empty()) return ::open(path.c_str(), flags);
    int rootFd = ::open(root.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (rootFd < 0) return -1;
    open_how how{};
    how.flags = static_cast<uint64_t>(flags);
    how.resolve = RESOLVE_IN_ROOT | RESOLVE_NO_MAGICLINKS;
    // The kernel gives up on ".." when anything on the machine is renamed or mounted meanwhile
    // and asks for another try: a busy machine must not make a file of the tree look missing.
    int fd = -1;
    for (int tries = 0; tries < kOpenTries; ++tries) {
        fd = static_cast<int>(::syscall(SYS_openat2, rootFd, path.c_str(), &how, sizeof how));
        if (fd >= 0 || errno != EAGAIN) break;
    }
    if (fd < 0 && (errno == ENOSYS || errno == EAGAIN)) fd = OpenByHand(rootFd, path, flags);
    int saved = errno;
    ::close(rootFd);
    errno = saved;
    return fd;
}

} // namespace

// What one run has read, by path under the root.
struct RootFs::ReadCache {
    struct Kept {
        size_t limit = 0;
        FileText file;
    };
    std::mutex lock;
    std::map<std::string, Kept> files;
    std::map<std::string, std::vector<std::string>> folders;

    // A read at another limit gives the same answer unless the size decided it.
    std::optional<FileText> Find(const std::string& path, size_t limit) {
        std::lock_guard<std::mutex> guard(lock);
        auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        const Kept& kept = it->second;
        bool sizeDecided = kept.file.access == Access::Refused ||
                           (kept.file.Ok() && kept.file.text.size() > limit);
        if (kept.limit != limit && sizeDecided) return std::nullopt;
        return kept.file;
    }
    void Keep(const std::string& path, size_t limit, const FileText& file) {
        std::lock_guard<std::mutex> guard(lock);
        files[path] = {limit, file};
    }
};

std::shared_ptr<void> RootFs::HoldReads() const {
    std::lock_guard<std::mutex> guard(holdLock_);
    std::shared_ptr<ReadCache> cache = held_.lock();
    if (!cache) {
        cache = std::make_shared<ReadCache>();
        held_ = cache;
    }
    return cache;
}

std::shared_ptr<RootFs::ReadCache> RootFs::Held() const {
    std::lock_guard<std::mutex> guard(holdLock_);
    return held_.lock();
}

const char* AccessName(Access access) {
    switch (access) {
    case Access::Present: return "present";
    case Access::Absent: return "absent";
    case Access::NeedsRoot: return "needs administrator";
    case Access::Empty: return "empty";
    case Access::Refused: return "refused (not a regular file, or too large)";
    }
    return "absent";
}

int RootFs::Open(const std::string& path, Access& why) const {
    // O_NONBLOCK: an optical drive must not hold the open while it spins up.
    int fd = OpenInRoot(root_, path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) why = AccessOfErrno(errno);
    return fd;
}

FileText RootFs::ReadBytes(const std::string& path, size_t limit) const {
    std::shared_ptr<ReadCache> cache = Held();
    if (!cache) return ReadFresh(path, limit);
    if (std::optional<FileText> kept = cache->Find(path, limit)) return std::move(*kept);
    FileText read = ReadFresh(path, limit);
    cache->Keep(path, limit, read);
    return read;
}

FileText RootFs::ReadFresh(const std::string& path, size_t limit) const {
    FileText out;
    int fd = Open(path, out.access);
    return fd < 0 ? out : FromBounded(ReadBoundedDescriptor(fd, limit));
}

FileText RootFs::ReadDevice(const std::string& path, size_t limit) const {
    FileText out;
    int fd = Open(path, out.access);
    if (fd < 0) return out;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !(S_ISBLK(st.st_mode) || S_ISREG(st.st_mode))) {
        ::close(fd);
        out.access = Access::Refused;
        return out;
    }
    // Only the head is wanted: a device has no end to read to.
    std::string head(limit, '\0');
    size_t got = 0;
    while (got < limit) {
        ssize_t n = ::read(fd, head.data() + got, limit - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    head.resize(got);
    out.access = got ? Access::Present : Access::Empty;
    out.text = std::move(head);
    return out;
}

FileText RootFs::Read(const std::string& path, size_t limit) const {
    FileText out = ReadBytes(path, limit);
    if (out.Ok() && TrimWhite(out.text).empty()) {
        out.text.clear();
        out.access = Access::Empty;
    }
    return out;
}

FileText RootFs::ReadBinary(const std::string& path, size_t limit) const {
    return ReadBytes(path, limit);
}

std::string RootFs::Line(const std::string& path) const {
    FileText f = Read(path, 64 * 1024);
    return f.Ok() ? TrimWhite(f.text) : std::string();
}

std::optional<int64_t> RootFs::Number(const std::string& path) const {
    uint64_t v = 0;
    std::string text = Line(path);
    if (!ParseDecimal(text, v) || v > static_cast<uint64_t>(INT64_MAX)) return std::nullopt;
    return static_cast<int64_t>(v);
}

std::vector<std::string> RootFs::List(const std::string& path) const {
    std::shared_ptr<ReadCache> cache = Held();
    if (!cache) return ListFresh(path);
    {
        std::lock_guard<std::mutex> guard(cache->lock);
        if (auto it = cache->folders.find(path); it != cache->folders.end()) return it->second;
    }
    std::vector<std::string> names = ListFresh(path);
    std::lock_guard<std::mutex> guard(cache->lock);
    cache->folders[path] = names;
    return names;
}

std::vector<std::string> RootFs::ListFresh(const std::string& path) const {
    std::vector<std::string> names;
    int fd = OpenInRoot(root_, path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (!dir) {
        if (fd >= 0) ::close(fd);
        return names;
    }
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(std::move(name));
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

std::string RootFs::LinkTarget(const std::string& path) const {
    // The folder resolved inside the root, the link itself read, not followed.
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    int fd = OpenInRoot(root_, folder.empty() ? "/" : folder, O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return {};
    char buffer[4096];
    ssize_t n = ::readlinkat(fd, path.c_str() + (slash == std::string::npos ? 0 : slash + 1),
                             buffer, sizeof buffer);
    ::close(fd);
    if (n <= 0 || static_cast<size_t>(n) >= sizeof buffer) return {};
    return std::string(buffer, static_cast<size_t>(n));
}

bool RootFs::Exists(const std::string& path) const {
    int fd = OpenInRoot(root_, path, O_PATH | O_CLOEXEC);
    if (fd >= 0) ::close(fd);
    return fd >= 0;
}

} // namespace hl

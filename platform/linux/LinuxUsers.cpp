#include "LinuxUsers.h"

#include "LinuxClasses.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

namespace hl {

namespace {

std::vector<std::string_view> SplitFields(std::string_view line, char sep) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    while (true) {
        size_t end = line.find(sep, start);
        fields.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return fields;
}

std::optional<int64_t> Days(std::string_view field) {
    uint64_t v = 0;
    if (!ParseDecimal(field, v) || v > 1000000000) return std::nullopt;
    return static_cast<int64_t>(v);
}

std::string FixedText(const unsigned char* p, size_t size) {
    size_t n = 0;
    while (n < size && p[n] != 0)
        ++n;
    return std::string(reinterpret_cast<const char*>(p), n);
}

int32_t Int32At(const unsigned char* p) {
    int32_t v = 0;
    std::memcpy(&v, p, sizeof v); // the files are written in the machine's byte order
    return v;
}

// Whether the 32-byte ut_user field holds exactly `user`, without building a string for every
// record of a file that may hold millions.
bool UserIs(const unsigned char* field, const std::string& user) {
    if (user.empty() || user.size() > 32 || std::memcmp(field, user.data(), user.size()) != 0)
        return false;
    return user.size() == 32 || field[user.size()] == 0;
}

// The whole records at the end of a file of `size` bytes that fit in `cap`; records start
// at multiples of their size from the start of the file.
off_t ScanStart(off_t size, size_t cap) {
    off_t record = static_cast<off_t>(kUtmpRecordSize);
    off_t whole = size / record * record;
    off_t span = static_cast<off_t>(cap) / record * record;
    return whole > span ? whole - span : 0;
}

} // namespace

void TallyRecords(const unsigned char* data, size_t size, const std::string& user,
                  LoginTally& tally) {
    for (size_t at = 0; at + kUtmpRecordSize <= size; at += kUtmpRecordSize) {
        if (!UserIs(data + at + 44, user)) continue;
        std::optional<LoginRecord> r = ParseLoginRecord(data + at);
        if (!r) continue;
        ++tally.records;
        if (r->type != kUserProcess) continue;
        ++tally.logons;
        tally.last = std::max(tally.last, r->time);
    }
}

LoginTally TallyLogins(const RootFs& fs, const std::string& path, const std::string& user,
                       size_t cap) {
    LoginTally tally;
    int fd = fs.Open(path, tally.access);
    if (fd < 0) return tally;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        tally.access = Access::Refused; // a FIFO or /dev/zero in place of a log never ends
        return tally;
    }
    tally.access = Access::Present;
    off_t at = ScanStart(st.st_size, cap);
    tally.capped = at > 0;
    // Up to the size seen at the start: a log that grows while it is read ends there. The
    // buffer is as large as what is left, at most a chunk, and unfilled: the reads fill it.
    const size_t chunk =
        static_cast<size_t>(std::min<off_t>(st.st_size - at, kUtmpRecordSize * 4096));
    auto buffer = std::make_unique_for_overwrite<unsigned char[]>(chunk);
    while (at < st.st_size) {
        size_t want = static_cast<size_t>(std::min<off_t>(st.st_size - at, chunk));
        ssize_t n = ::pread(fd, buffer.get(), want, at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        size_t whole = static_cast<size_t>(n) / kUtmpRecordSize * kUtmpRecordSize;
        if (whole == 0) break;
        TallyRecords(buffer.get(), whole, user, tally);
        at += static_cast<off_t>(whole);
    }
    ::close(fd);
    return tally;
}

namespace {

std::string HostName(LinuxContext& ctx) {
    return ctx.Fs().Line("/proc/sys/kernel/hostname");
}

std::string Upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The shadow entry of each name, the last one where a name repeats: one look-up per account,
// where a scan of the file per account took seconds on a directory server's tens of thousands.
std::unordered_map<std::string_view, const ShadowEntry*>
ShadowByName(const std::vector<ShadowEntry>& entries) {
    std::unordered_map<std::string_view, const ShadowEntry*> byName;
    byName.reserve(entries.size());
    for (const ShadowEntry& e : entries)
        byName[e.name] = &e;
    return byName;
}

void SetPasswordFlags(LinuxContext& ctx, WmiObject& obj, const FileText& shadow,
                      const ShadowEntry* entry) {
    const char* cls = "Win32_UserAccount";
    if (!entry) {
        Access why = shadow.Ok() ? Access::Absent : shadow.access;
        for (const char* prop : {"PasswordChangeable", "PasswordExpires", "Disabled"})
            ctx.SetNull(obj, cls, prop, why);
        return;
    }
    // passwd(1) refuses a change while the minimum age exceeds the maximum age.
    bool changeable = !(entry->minDays && entry->maxDays && *entry->minDays > *entry->maxDays);
    // 99999 days is the "never expires" of shadow-utils.
    bool expires = entry->maxDays && *entry->maxDays < 99999;
    obj.Set("PasswordChangeable", Variant(changeable));
    obj.Set("PasswordExpires", Variant(expires));
    obj.Set("Disabled", Variant(!entry->hash.empty() && entry->hash[0] == '!'));
}

} // namespace

std::vector<PasswdEntry> ParsePasswd(std::string_view text) {
    std::vector<PasswdEntry> entries;
    for (std::string_view line : SplitLines(text)) {
        std::vector<std::string_view> f = SplitFields(line, ':');
        uint64_t uid = 0, gid = 0;
        if (f.size() < 7 || f[0].empty() || !ParseDecimal(f[2], uid) || !ParseDecimal(f[3], gid) ||
            uid > UINT32_MAX || gid > UINT32_MAX)
            continue;
        entries.push_back({std::string(f[0]), static_cast<uint32_t>(uid),
                           static_cast<uint32_t>(gid), std::string(f[4])});
    }
    return entries;
}

std::string FullNameOf(const PasswdEntry& entry) {
    return TrimWhite(std::string_view(entry.gecos).substr(0, entry.gecos.find(',')));
}

std::vector<std::string> GroupsOf(std::string_view text, const std::string& user, uint32_t gid) {
    std::vector<std::string> groups;
    for (std::string_view line : SplitLines(text)) {
        std::vector<std::string_view> f = SplitFields(line, ':');
        if (f.size() < 4) continue;
        uint64_t id = 0;
        bool member = ParseDecimal(f[2], id) && id == gid;
        for (std::string_view m : SplitFields(f[3], ','))
            member = member || TrimWhite(m) == user;
        if (member) groups.emplace_back(f[0]);
    }
    return groups;
}

std::vector<ShadowEntry> ParseShadow(std::string_view text) {
    std::vector<ShadowEntry> entries;
    for (std::string_view line : SplitLines(text)) {
        std::vector<std::string_view> f = SplitFields(line, ':');
        if (f.size() < 5 || f[0].empty()) continue;
        entries.push_back({std::string(f[0]), std::string(f[1]), Days(f[3]), Days(f[4])});
    }
    return entries;
}

std::optional<LoginRecord> ParseLoginRecord(const unsigned char* r) {
    // ut_type at 0 (short), ut_user at 44 (32 bytes), ut_tv.tv_sec at 340 (int32).
    LoginRecord record;
    record.type = static_cast<int16_t>(r[0] | r[1] << 8);
    if (record.type < 0 || record.type > 9) return std::nullopt;
    record.user = FixedText(r + 44, 32);
    record.time = static_cast<uint32_t>(Int32At(r + 340));
    return record;
}

std::optional<PasswdEntry> CurrentUser(LinuxContext& ctx) {
    uint32_t uid = ctx.Uid();
    for (PasswdEntry& e : ParsePasswd(ctx.Fs().Read("/etc/passwd", 8 << 20).text))
        if (e.uid == uid) return e;
    return std::nullopt;
}

std::string LoginName(LinuxContext& ctx) {
    for (const char* var : {"USERNAME", "USER"}) {
        std::optional<std::string> v = ctx.Env(var);
        if (v && !v->empty()) return *v;
    }
    std::optional<PasswdEntry> user = CurrentUser(ctx);
    return user ? user->name : std::string();
}

std::vector<WmiObject> BuildUserAccount(LinuxContext& ctx) {
    const char* cls = "Win32_UserAccount";
    std::string domain = Upper(HostName(ctx));
    FileText shadow = ctx.Fs().Read("/etc/shadow", 8 << 20);
    std::vector<ShadowEntry> entries = ParseShadow(shadow.text);
    const auto shadowOf = ShadowByName(entries);
    std::vector<WmiObject> out;
    for (const PasswdEntry& e : ParsePasswd(ctx.Fs().Read("/etc/passwd", 8 << 20).text)) {
        WmiObject obj;
        obj.Set("Name", Variant(e.name));
        obj.Set("Caption", Variant(domain + "\\" + e.name));
        if (domain.empty())
            ctx.SetNull(obj, cls, "Domain", Access::Absent);
        else
            obj.Set("Domain", Variant(domain));
        std::string full = FullNameOf(e);
        obj.Set("FullName", full.empty() ? Variant::Null() : Variant(full));
        obj.Set("AccountType", Variant(512)); // a normal account
        obj.Set("LocalAccount", Variant(true));
        auto found = shadowOf.find(e.name);
        SetPasswordFlags(ctx, obj, shadow, found == shadowOf.end() ? nullptr : found->second);
        out.push_back(std::move(obj));
    }
    return out;
}

std::vector<WmiObject> BuildNetworkLoginProfile(LinuxContext& ctx) {
    const char* cls = "Win32_NetworkLoginProfile";
    std::optional<PasswdEntry> user = CurrentUser(ctx);
    if (!user) return {};
    WmiObject obj;
    obj.Set("Name", Variant(HostName(ctx) + "\\" + user->name));
    std::vector<std::string> groups =
        GroupsOf(ctx.Fs().Read("/etc/group", 8 << 20).text, user->name, user->gid);
    bool admin = user->uid == 0 || std::any_of(groups.begin(), groups.end(), [](auto& g) {
                     return g == "sudo" || g == "wheel" || g == "admin";
                 });
    // 65534 is the overflow user "nobody" of the kernel and the distributions.
    obj.Set("Privileges", Variant(admin ? 2 : user->uid == 65534 ? 0 : 1));
    LoginTally bad = TallyLogins(ctx.Fs(), "/var/log/btmp", user->name);
    if (bad.access == Access::Present)
        obj.Set("BadPasswordCount", Variant(bad.records));
    else
        ctx.SetNull(obj, cls, "BadPasswordCount", bad.access);
    LoginTally history = TallyLogins(ctx.Fs(), "/var/log/wtmp", user->name);
    LoginTally now = TallyLogins(ctx.Fs(), "/run/utmp", user->name);
    if (history.access == Access::Present)
        obj.Set("NumberOfLogons", Variant(history.logons));
    else
        ctx.SetNull(obj, cls, "NumberOfLogons", history.access);
    int64_t last = std::max(history.last, now.last);
    if (last > 0)
        obj.Set("LastLogon", Variant(WmiDateTime(static_cast<time_t>(last))));
    else
        ctx.SetNull(obj, cls, "LastLogon",
                    history.access == Access::Present ? Access::Empty : history.access);
    return {obj};
}

} // namespace hl

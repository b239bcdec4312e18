#pragma once

#include "LinuxFiles.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hl {

class LinuxContext;

// passwd(5)
struct PasswdEntry {
    std::string name;
    uint32_t uid = 0;
    uint32_t gid = 0;
    std::string gecos;
};
std::vector<PasswdEntry> ParsePasswd(std::string_view text);
// The full name: the first comma-separated field of the GECOS text.
std::string FullNameOf(const PasswdEntry& entry);
// group(5): names of the groups that list `user` as a member or are its primary group.
std::vector<std::string> GroupsOf(std::string_view groupText, const std::string& user,
                                  uint32_t gid);

// shadow(5); ages in days, nothing for an empty field.
struct ShadowEntry {
    std::string name;
    std::string hash;
    std::optional<int64_t> minDays;
    std::optional<int64_t> maxDays;
};
std::vector<ShadowEntry> ParseShadow(std::string_view text);

// One record of utmp/wtmp/btmp (utmp(5), the glibc layout of 384 bytes).
struct LoginRecord {
    int type = 0; // 7 is USER_PROCESS
    std::string user;
    int64_t time = 0;
};
inline constexpr size_t kUtmpRecordSize = 384;
inline constexpr int kUserProcess = 7;
std::optional<LoginRecord> ParseLoginRecord(const unsigned char* record);

// What the login records of one user say. Only the end of a file is scanned (the most
// recent records, kLoginScanCap bytes): on a longer file the counts are those of that end,
// and `capped` tells so. The latest logon is always in it.
struct LoginTally {
    Access access = Access::Absent;
    int64_t records = 0; // of the user
    int64_t logons = 0;  // USER_PROCESS records of the user
    int64_t last = 0;    // latest logon time
    bool capped = false; // older records were left unread
};
inline constexpr size_t kLoginScanCap = 16 * 1024 * 1024;
// Adds the whole records of `data` that belong to `user`.
void TallyRecords(const unsigned char* data, size_t size, const std::string& user,
                  LoginTally& tally);
// A login-record file (utmp, wtmp, btmp): regular files only, its last `cap` bytes.
LoginTally TallyLogins(const RootFs& fs, const std::string& path, const std::string& user,
                       size_t cap = kLoginScanCap);

std::optional<PasswdEntry> CurrentUser(LinuxContext& ctx);

} // namespace hl

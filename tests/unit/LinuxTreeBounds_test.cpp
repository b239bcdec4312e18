// A copied tree read under --root: its links stay inside it as in a chroot, the id databases are
// capped like every other file, and a directory server's tens of thousands of accounts are read
// in linear time.
#include "LinuxTreeSupport.h"
#include "platform/linux/LinuxIds.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

using namespace hl;
using namespace hl::test;

namespace {

namespace fs = std::filesystem;

// `host` (outside the tree) holds "outside" files; the tree holds "inside" copies at the same
// paths, where a chroot would find them.
struct Escape {
    TempDir host, tree;
    Escape() {
        WriteFile(host.File("secret"), "outside\n");
        fs::create_directories(tree.Path() + host.Path());
        WriteFile(tree.Path() + host.File("secret"), "inside\n");
        fs::create_directories(tree.File("etc"));
        fs::create_directories(tree.File("sys/class"));
    }
    void Link(const std::string& target, const std::string& at) {
        fs::create_symlink(target, tree.Path() + at);
    }
};

} // namespace

TEST(RootedTree, LinksResolveInsideTheRoot) {
    struct Case {
        const char* what;
        std::function<std::string(Escape&)> make; // the path to read, inside the tree
    } cases[] = {
        {"absolute link",
         [](Escape& e) {
             e.Link(e.host.File("secret"), "/etc/os-release");
             return std::string("/etc/os-release");
         }},
        {"relative link climbing past the root",
         [](Escape& e) {
             e.Link("../../../../../../../.." + e.host.File("secret"), "/etc/climb");
             return std::string("/etc/climb");
         }},
        {"absolute link to a folder on the way",
         [](Escape& e) {
             e.Link(e.host.Path(), "/sys/class/net");
             return std::string("/sys/class/net/secret");
         }},
        {"a chain of links",
         [](Escape& e) {
             e.Link("/etc/second", "/etc/first");
             e.Link(e.host.File("secret"), "/etc/second");
             return std::string("/etc/first");
         }},
        {"dot-dot in the path itself",
         [](Escape& e) { return "/../../.." + e.host.File("secret"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Escape e;
        const std::string path = c.make(e);
        RootFs tree(e.tree.Path());
        EXPECT_EQ(tree.Line(path), "inside");
        EXPECT_TRUE(tree.Exists(path));
    }
    // What is only on the host is not in the tree, nor listed from it.
    Escape e;
    WriteFile(e.host.File("host-only"), "outside\n");
    e.Link(e.host.File("host-only"), "/etc/machine-id");
    e.Link(e.host.Path(), "/sys/class/drm");
    RootFs tree(e.tree.Path());
    EXPECT_EQ(tree.Read("/etc/machine-id").access, Access::Absent);
    EXPECT_FALSE(tree.Exists("/etc/machine-id"));
    EXPECT_EQ(tree.List("/sys/class/drm"), std::vector<std::string>{"secret"});
    EXPECT_EQ(tree.LinkTarget("/etc/machine-id"), e.host.File("host-only"));
    // The running system (no root) follows its links as always.
    EXPECT_EQ(RootFs("").Line(e.tree.File("etc/machine-id")), "outside");
}

// A link that climbs with ".." is resolved by the kernel, which gives up with EAGAIN whenever
// anything on the machine is renamed meanwhile (dpkg, a browser's cache): the file must still
// be found, every time.
TEST(RootedTree, LinksThatClimbResolveWhileTheMachineRenamesFiles) {
    TempDir tree, elsewhere;
    fs::create_directories(tree.File("devices/pci/net/eth0"));
    WriteFile(tree.File("devices/pci/net/eth0/address"), "00:16:41:e2:8d:ff\n");
    fs::create_directories(tree.File("class/net"));
    fs::create_symlink("../../devices/pci/net/eth0", tree.File("class/net/eth0"));
    WriteFile(elsewhere.File("a"), "x");
    std::atomic<bool> stop{false};
    std::atomic<int> renames{0};
    std::thread renamer([&] {
        const std::string a = elsewhere.File("a"), b = elsewhere.File("b");
        while (!stop) {
            std::rename(a.c_str(), b.c_str());
            std::rename(b.c_str(), a.c_str());
            ++renames;
        }
    });
    while (renames < 100)
        std::this_thread::yield();
    RootFs fs(tree.Path());
    int missed = 0;
    for (int i = 0; i < 20000; ++i)
        if (fs.Line("/class/net/eth0/address") != "00:16:41:e2:8d:ff") ++missed;
    stop = true;
    renamer.join();
    EXPECT_EQ(missed, 0) << "of 20000 reads";
}

TEST(RootedTree, IdDatabasesPastTheirCapGiveNoNames) {
    const std::string head = "8086  Intel Corporation\n\t1234  Thing\n";
    struct Case {
        size_t size;
        const char* vendor;
    } cases[] = {{head.size(), "Intel Corporation"},
                 {kIdsCap, "Intel Corporation"},
                 {kIdsCap + 1, ""},
                 {size_t{3} << 30, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        TempDir dir;
        fs::create_directories(dir.File("usr/share/hwdata"));
        const std::string path = dir.File("usr/share/hwdata/pci.ids");
        WriteFile(path, head);
        ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(c.size)), 0); // sparse
        RootFs tree(dir.Path());
        IdDatabase ids(tree);
        auto started = std::chrono::steady_clock::now();
        EXPECT_EQ(ids.Pci(0x8086, 0x1234).vendor, c.vendor);
        EXPECT_EQ(ids.Pci(0x8087, 0x1).vendor, ""); // absent: the whole file is scanned
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    }
}

// 60,000 accounts took 9.8 s when each looked its shadow entry up by a scan of the whole file.
TEST(RootedTree, ManyAccountsAreReadInLinearTime) {
    const int kAccounts = 60000;
    TempDir dir;
    fs::create_directories(dir.File("etc"));
    std::string passwd, shadow;
    for (int i = 0; i < kAccounts; ++i) {
        std::string name = "user" + std::to_string(i);
        passwd += name + ":x:" + std::to_string(10000 + i) + ":100::/home/" + name + ":/bin/sh\n";
        shadow += name + ":$6$hash:19000:0:99999:7:::\n";
    }
    // A name that repeats: the last entry counts; the last account is locked.
    shadow += "user0:!locked:19000:0:30:7:::\n";
    shadow += "user" + std::to_string(kAccounts - 1) + ":!:19000:5:1:7:::\n";
    WriteFile(dir.File("etc/passwd"), passwd);
    WriteFile(dir.File("etc/shadow"), shadow);
    LinuxSourceOptions o;
    o.root = dir.Path();
    o.environment = [](const std::string&) { return std::optional<std::string>(); };
    o.uid = 10000;
    LinuxSource source(o, SettingsStore(dir.File("settings")));

    auto started = std::chrono::steady_clock::now();
    std::vector<WmiObject> users = source.ConnectWmi()->InstancesOf("Win32_UserAccount");
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(4));
    ASSERT_EQ(users.size(), static_cast<size_t>(kAccounts));
    struct Expected {
        size_t index;
        bool disabled, expires, changeable;
    } expected[] = {
        {0, true, true, true}, {1, false, false, true}, {kAccounts - 1, true, true, false}};
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.index);
        EXPECT_EQ(users[e.index].Get("Disabled").ToBool(), e.disabled);
        EXPECT_EQ(users[e.index].Get("PasswordExpires").ToBool(), e.expires);
        EXPECT_EQ(users[e.index].Get("PasswordChangeable").ToBool(), e.changeable);
    }
}

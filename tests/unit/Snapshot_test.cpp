#include "TestSupport.h"
#include "core/PlatformError.h"
#include "platform/snapshot/Snapshot.h"

#include <gtest/gtest.h>

using namespace hl;
using hl::test::TempDir;

namespace {

const char* const kGood = R"({
  "format": "hardlens-snapshot/1",
  "source": "hand-written",
  "wmi": {
    "Win32_Processor": [ { "Name": "CPU One", "L2CacheSize": 256, "Architecture": 9 } ],
    "Win32_LogicalDisk": [ { "Caption": "C:", "Size": "80026361856", "VolumeName": null },
                           { "Caption": "D:", "DriveType": 3 } ],
    "Win32_BIOS": [ { "PrimaryBIOS": true, "ReleaseDate": "20080115000000.000000+000" } ]
  },
  "registry": { "HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0\\~MHz": 2394 },
  "binary": { "HKEY_LOCAL_MACHINE\\SOFTWARE\\MICROSOFT\\Windows NT\\CurrentVersion\\DigitalProductId": "a4000000 0300 00ff" },
  "environment": { "USERNAME": "ana", "PROCESSOR_ARCHITECTURE": "AMD64" },
  "tickCount": 93784000,
  "mouseButtons": 3,
  "regional": { "decimalSeparator": ",", "shortDate": "dd/MM/yyyy", "am": "a.m.", "pm": "p.m." }
})";

SnapshotSource Serve(const std::string& json, const TempDir& dir) {
    return SnapshotSource(ParseSnapshot(json, "good.json"), SettingsStore(dir.File("s")));
}

std::string RefusalOf(const std::string& json) {
    try {
        ParseSnapshot(json, "bad.json");
    } catch (const SnapshotError& e) {
        return e.what();
    }
    return "accepted";
}

} // namespace

TEST(SnapshotSource, ServesEveryKindOfValue) {
    TempDir dir;
    SnapshotSource s = Serve(kGood, dir);
    auto cpus = s.ConnectWmi()->InstancesOf("Win32_Processor");
    ASSERT_EQ(cpus.size(), 1u);
    EXPECT_EQ(cpus[0].Get("Name").Text(), "CPU One");
    EXPECT_EQ(cpus[0].Get("L2CacheSize").ToInt64(), 256);
    EXPECT_TRUE(cpus[0].Get("SocketDesignation").IsNull());

    auto disks = s.ConnectWmi()->InstancesOf("Win32_LogicalDisk");
    ASSERT_EQ(disks.size(), 2u);
    EXPECT_EQ(disks[0].Get("Size").kind(), Variant::Kind::Text);
    EXPECT_EQ(disks[0].Get("Size").Text(), "80026361856");
    EXPECT_TRUE(disks[0].Get("VolumeName").IsNull());
    EXPECT_EQ(disks[0].Get("caption").Text(), "C:") << "property names ignore case";

    auto bios = s.ConnectWmi()->InstancesOf("Win32_BIOS");
    EXPECT_TRUE(bios[0].Get("PrimaryBIOS").ToBool());
    EXPECT_EQ(bios[0].Get("ReleaseDate").Text(), "20080115000000.000000+000");
    EXPECT_TRUE(s.ConnectWmi()->InstancesOf("Win32_SoundDevice").empty());

    EXPECT_EQ(s.RegRead(CpuMhzPath(0)).ToInt64(), 2394);
    EXPECT_THROW(s.RegRead(CpuMhzPath(1)), PlatformError);
    auto id = s.RegReadBinary(kProductIdKey, kProductIdValue);
    ASSERT_TRUE(id.has_value());
    EXPECT_EQ(*id, (std::vector<uint8_t>{0xa4, 0, 0, 0, 3, 0, 0, 0xff}));
    EXPECT_EQ(s.ReadEnvironment("USERNAME"), "ana");
    EXPECT_EQ(s.ReadEnvironment("UNSET"), "");
    EXPECT_EQ(s.TickCount(), 93784000);
    EXPECT_EQ(s.GetSystemMetrics(kSmCMouseButtons), 3);
    EXPECT_EQ(s.RegionalSettings().decimalSeparator, ",");
    EXPECT_EQ(s.RegionalSettings().pm, "p.m.");
}

TEST(SnapshotSource, SettingsGoToTheStoreNotToTheRecordedMachine) {
    TempDir dir;
    SnapshotSource s = Serve(kGood, dir);
    std::string path = std::string(kSettingsKey) + "Idioma";
    EXPECT_THROW(s.RegRead(path), PlatformError);
    s.RegWrite(path, "Dutch");
    EXPECT_EQ(s.RegRead(path).Text(), "Dutch");
    EXPECT_THROW(s.RegWrite(kMainboardFullPath, "x"), PlatformError);
}

TEST(SnapshotLoader, RefusesMalformedFilesNamingTheFileAndThePlace) {
    struct Case {
        const char* json;
        const char* expected;
    } cases[] = {
        {"this is not json", "bad.json: not valid JSON"},
        {R"({"format": "hardlens-snapshot/1", "wmi": {)", "bad.json: not valid JSON"},
        {R"({"format": "hardlens-snapshot/1", "tickCount": 2e308})", "bad.json: not valid JSON"},
        {"[]", "bad.json: expected a JSON object"},
        {R"({"format": "hardlens-snapshot/2"})", "bad.json: format: expected"},
        {R"({"wmi": {}})", "bad.json: format: expected"},
        {R"({"format": "hardlens-snapshot/1", "wmi": []})", "bad.json: wmi: expected an object"},
        {R"({"format": "hardlens-snapshot/1", "wmi": {"Win32_BIOS": {}}})",
         "bad.json: wmi.Win32_BIOS: expected an array"},
        {R"({"format": "hardlens-snapshot/1", "wmi": {"Win32_BIOS": [1]}})",
         "bad.json: wmi.Win32_BIOS[0]: expected an object"},
        {R"({"format": "hardlens-snapshot/1", "wmi": {"Win32_BIOS": [{"Name": [1]}]}})",
         "bad.json: wmi.Win32_BIOS[0].Name: expected a string"},
        {R"({"format": "hardlens-snapshot/1", "binary": {"K": "zz"}})",
         "bad.json: binary.K: not hexadecimal"},
        {R"({"format": "hardlens-snapshot/1", "binary": {"K": "abc"}})",
         "bad.json: binary.K: odd number"},
        {R"({"format": "hardlens-snapshot/1", "tickCount": "12"})",
         "bad.json: tickCount: expected an integer"},
        {R"({"format": "hardlens-snapshot/1", "mouseButtons": -3})",
         "bad.json: mouseButtons: out of range"},
        {R"({"format": "hardlens-snapshot/1", "environment": {"USERNAME": 5}})",
         "bad.json: environment.USERNAME: expected a string"},
        {R"({"format": "hardlens-snapshot/1", "regional": {"am": 1}})",
         "bad.json: regional.am: expected a string"},
    };
    for (const Case& c : cases) {
        std::string refusal = RefusalOf(c.json);
        EXPECT_EQ(refusal.rfind(c.expected, 0), 0u) << c.json << "\n -> " << refusal;
    }
}

// A person fixing a recording by hand is told the line and column (in characters) and the
// fault in plain words, not the JSON library's exception text.
TEST(SnapshotLoader, SaysWhereAndWhatIsWrongInAMalformedFile) {
    struct Case {
        std::string json;
        const char* expected;
    } cases[] = {
        {"{\n  \"format\": \"hardlens-snapshot/1\",\n  \"tickCount\": 5,\n}\n",
         "line 4, column 1: found '}' where a quoted name was expected"},
        {R"({"format": [1 2]})", "line 1, column 15: found a number where ',' or ']' was expected"},
        {R"({"format" 1})", "line 1, column 11: found a number where ':' was expected"},
        {"{\"a\": \"x\ny\"}", "line 1, column 9: a line break or control character inside quotes"},
        {"{\"format\": \"hardlens-snapshot/1\",\n \"wmi\": {",
         "line 2, column 10: the file ends before the JSON is complete"},
        {"{'format': 1}",
         "line 1, column 2: text without double quotes (only true, false and null go without)"},
        {"{\"a\": \"caf\xC3\xA9\" x}",
         "line 1, column 14: text without double quotes (only true, false and null go without)"},
        {R"({"a": 1} x)", "line 1, column 10: more text after the end of the JSON document"},
        {R"({"a": "\q"})", "line 1, column 9: a backslash escape that JSON does not know"},
        {R"({"a": -x})", "line 1, column 8: a malformed number"},
        {R"({"a": 2e308})", "a number too large to hold"},
        {"", "the file is empty"},
        {" \n\t\n", "the file is empty"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RefusalOf(c.json), std::string("bad.json: not valid JSON: ") + c.expected)
            << c.json;
}

TEST(SnapshotLoader, MissingFileIsRefusedWithItsName) {
    try {
        LoadSnapshotFile("/nonexistent/machine.json");
        FAIL() << "accepted a missing file";
    } catch (const SnapshotError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "/nonexistent/machine.json: cannot be read: No such file or directory");
    }
}

TEST(SnapshotLoader, RegionalIsOptional) {
    TempDir dir;
    SnapshotSource s = Serve(R"({"format": "hardlens-snapshot/1"})", dir);
    EXPECT_EQ(s.RegionalSettings().decimalSeparator, ".");
    EXPECT_TRUE(s.ConnectWmi()->InstancesOf("Win32_Processor").empty());
}

TEST(SnapshotWriter, WritesWhatTheLoaderReadsBack) {
    TempDir dir;
    SnapshotSource original = Serve(kGood, dir);
    Snapshot captured = CaptureSnapshot(original, "copy");
    Snapshot again = ParseSnapshot(SnapshotToJson(captured), "copy.json");
    SnapshotSource copy(again, SettingsStore(dir.File("s2")));
    EXPECT_EQ(copy.ConnectWmi()->InstancesOf("Win32_LogicalDisk")[0].Get("Size").Text(),
              "80026361856");
    EXPECT_TRUE(copy.ConnectWmi()->InstancesOf("Win32_LogicalDisk")[0].Get("VolumeName").IsNull());
    EXPECT_EQ(copy.RegRead(CpuMhzPath(0)).ToInt64(), 2394);
    EXPECT_EQ(copy.RegReadBinary(kProductIdKey, kProductIdValue),
              original.RegReadBinary(kProductIdKey, kProductIdValue));
    EXPECT_EQ(copy.TickCount(), 93784000);
    EXPECT_EQ(copy.GetSystemMetrics(kSmCMouseButtons), 3);
    EXPECT_EQ(copy.RegionalSettings().shortDate, "dd/MM/yyyy");
    EXPECT_EQ(copy.ReadEnvironment("PROCESSOR_ARCHITECTURE"), "AMD64");
}

// "FreeSpace" and "Freespace" are one property: its first spelling keeps its place and takes
// the last value, for an instance of a few properties and for one of many.
TEST(WmiObject, NamesDifferingInCaseAreOneProperty) {
    for (size_t filler : {0u, 100u}) {
        std::vector<WmiObject::Property> props = {{"FreeSpace", 1}, {"Size", 2}};
        for (size_t i = 0; i < filler; ++i)
            props.emplace_back("P" + std::to_string(i), Variant(static_cast<int64_t>(i)));
        props.emplace_back("Freespace", 3);
        WmiObject obj(props);
        EXPECT_EQ(obj.Get("FREESPACE").ToInt64(), 3) << filler;
        std::vector<WmiObject::Property> kept = obj.Properties();
        ASSERT_EQ(kept.size(), filler + 2) << filler;
        EXPECT_EQ(kept[0].first, "FreeSpace") << filler;
        EXPECT_EQ(kept[1].first, "Size") << filler;
        if (filler) EXPECT_EQ(kept.back().first, "P" + std::to_string(filler - 1));
    }
}

// Shapes that once took many times their file in memory are refused while they are read, by
// what the model would keep; a recording of ordinary shape and the same size is read.
TEST(SnapshotLoader, ModelIsBoundedByWhatItKeeps) {
    const std::string head = R"({"format": "hardlens-snapshot/1", )";
    auto repeated = [](const std::string& item, size_t bytes) {
        std::string out;
        for (size_t i = 0; out.size() < bytes; ++i)
            out += (i ? "," : "") + std::string(item);
        return out;
    };
    const size_t big = 24 * 1024 * 1024; // past the smallest budget
    struct Case {
        const char* what;
        std::string json;
        const char* refusal; // nullptr: read
    } cases[] = {
        {"empty instances", head + R"("wmi": {"Win32_BIOS": [)" + repeated("{}", big) + "]}}",
         "may keep"},
        {"one object of many keys", head + R"("registry": {)" + repeated(R"("k": 0)", big) + "}}",
         "may keep"},
        {"instances of many classes", head + R"("wmi": {)" + repeated(R"("C": [{}])", big) + "}}",
         "may keep"},
        {"deep nesting",
         head + R"("x": )" + std::string(100000, '[') + std::string(100000, ']') + "}",
         "nested deeper"},
        {"long values",
         head + R"("wmi": {"Win32_BIOS": [)" +
             repeated(R"({"Name": ")" + std::string(4000, 'n') + "\"}", big) + "]}}",
         nullptr},
        // One file of the machine is read up to 1 MiB, a firmware table up to 64 KiB.
        {"a value as long as one file read",
         head + R"("wmi": {"Win32_BIOS": [{"Name": ")" + std::string(1024 * 1024, 'n') + "\"}]}}",
         nullptr},
        {"a value longer than any file read",
         head + R"("wmi": {"Win32_BIOS": [{"Name": ")" + std::string(1024 * 1024 + 1, 'n') +
             "\"}]}}",
         "Win32_BIOS[0].Name: a text of 1048577 bytes, longer than any a machine gives"},
        {"an environment value longer than any file read",
         head + R"("environment": {"PATH": ")" + std::string(3 * 1024 * 1024, 'p') + "\"}}",
         "environment.PATH: a text of 3 MiB"},
        {"a table longer than any firmware",
         head + R"("binary": {"T": ")" + std::string(2 * 64 * 1024 + 2, 'a') + "\"}}",
         "binary.T: a text of 131074 bytes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string refusal = RefusalOf(c.json);
        if (c.refusal)
            EXPECT_NE(refusal.find(c.refusal), std::string::npos) << refusal.substr(0, 200);
        else
            EXPECT_EQ(refusal, "accepted");
    }
}

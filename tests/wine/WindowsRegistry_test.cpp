// The registry by full path as the program uses it: its own settings key in HKCU, the
// processor speeds and the product key in HKLM.
#include "core/DataSource.h"
#include "core/PlatformError.h"
#include "platform/windows/WindowsRegistry.h"

#include <gtest/gtest.h>

namespace hl {
namespace {

TEST(ParseRegistryPath, SplitsHiveKeyAndValue) {
    RegistryPath p = ParseRegistryPath("HKEY_CURRENT_USER\\Software\\A\\B\\Car\xC3\xA1tula");
    EXPECT_EQ(p.hive, HKEY_CURRENT_USER);
    EXPECT_EQ(p.key, L"Software\\A\\B");
    EXPECT_EQ(p.value, L"Car\u00e1tula");
    RegistryPath d = ParseRegistryPath("hklm\\SOFTWARE\\X\\");
    EXPECT_EQ(d.hive, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(d.key, L"SOFTWARE\\X");
    EXPECT_EQ(d.value, L"") << "a trailing backslash names the default value";
    EXPECT_THROW(ParseRegistryPath("HKEY_NOWHERE\\X\\Y"), PlatformError);
    EXPECT_THROW(ParseRegistryPath("Idioma"), PlatformError);
}

// A key of its own under HKCU, removed afterwards.
class ScratchKey : public ::testing::Test {
protected:
    const std::wstring sub = L"Software\\Hardlens-tests\\" + std::to_wstring(GetCurrentProcessId());
    const std::string path = "HKEY_CURRENT_USER\\Software\\Hardlens-tests\\" +
                             std::to_string(GetCurrentProcessId()) + "\\";
    HKEY key = nullptr;

    void SetUp() override {
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, sub.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(key);
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Hardlens-tests");
    }
    void Set(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
    }
};

TEST_F(ScratchKey, ReadsTextAndDoubleWordsAsTheShellObjectDoes) {
    DWORD mhz = 2394, allOnes = 0xFFFFFFFF;
    Set(L"~MHz", REG_DWORD, &mhz, sizeof mhz);
    Set(L"Ones", REG_DWORD, &allOnes, sizeof allOnes);
    const wchar_t expand[] = L"%SystemRoot%\\x";
    Set(L"Expand", REG_EXPAND_SZ, expand, sizeof expand);
    const wchar_t unterminated[] = {L'A', L'B'};
    Set(L"", REG_SZ, unterminated, sizeof unterminated);
    BYTE bytes[] = {1, 2, 3};
    Set(L"Bytes", REG_BINARY, bytes, sizeof bytes);

    Variant v = ReadRegistryValue(path + "~MHz");
    EXPECT_EQ(v.kind(), Variant::Kind::Integer);
    EXPECT_EQ(v.ToInt64(), 2394);
    EXPECT_EQ(ReadRegistryValue(path + "Ones").ToInt64(), -1);
    EXPECT_EQ(ReadRegistryValue(path + "Expand").Text(), "%SystemRoot%\\x");
    EXPECT_EQ(ReadRegistryValue(path).Text(), "AB") << "default value, no terminator stored";
    EXPECT_THROW(ReadRegistryValue(path + "Bytes"), PlatformError);
    EXPECT_THROW(ReadRegistryValue(path + "Missing"), PlatformError);
    EXPECT_THROW(ReadRegistryValue(path + "NoKey\\Value"), PlatformError);
}

// The graphics memory drivers write beside WMI's 32-bit AdapterRAM: a QWORD, or eight bytes.
TEST_F(ScratchKey, ReadsSixtyFourBitFigures) {
    uint64_t eight = 8589934592ull, twelve = 12884901888ull;
    Set(L"HardwareInformation.qwMemorySize", REG_QWORD, &eight, sizeof eight);
    Set(L"AsBytes", REG_BINARY, &twelve, sizeof twelve);
    DWORD small = 42;
    Set(L"Dword", REG_DWORD, &small, sizeof small);
    BYTE three[] = {1, 2, 3};
    Set(L"Short", REG_BINARY, three, sizeof three);
    EXPECT_EQ(ReadQwordValue(path + "HardwareInformation.qwMemorySize"), eight);
    EXPECT_EQ(ReadQwordValue(path + "AsBytes"), twelve);
    EXPECT_FALSE(ReadQwordValue(path + "Dword").has_value()) << "another shape";
    EXPECT_FALSE(ReadQwordValue(path + "Short").has_value());
    EXPECT_FALSE(ReadQwordValue(path + "Missing").has_value());
    EXPECT_FALSE(ReadQwordValue(path + "NoKey\\Value").has_value());
}

// The program's own key, as the settings use it. Only a value of the test's own is touched.
TEST(SettingsKey, WriteThenReadRoundTripsAsStringValues) {
    const std::string name = "HardlensTest-\xC3\xB1";
    const std::string full = std::string(kSettingsKey) + name;
    WriteRegistryValue(full, Variant("Violeta \xC3\xB1"));
    EXPECT_EQ(ReadRegistryValue(full).Text(), "Violeta \xC3\xB1");

    // Stored as UTF-16 REG_SZ, whatever the variant held.
    WriteRegistryValue(full, Variant(42));
    RegistryPath p = ParseRegistryPath(full);
    wchar_t data[16] = {};
    DWORD type = 0, size = sizeof data;
    ASSERT_EQ(
        RegGetValueW(p.hive, p.key.c_str(), L"HardlensTest-\u00f1", RRF_RT_ANY, &type, data, &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(data, L"42");
    Variant back = ReadRegistryValue(full);
    EXPECT_EQ(back.kind(), Variant::Kind::Text);
    EXPECT_EQ(back.Text(), "42");

    EXPECT_THROW(WriteRegistryValue(full, Variant::Null()), PlatformError);
    EXPECT_EQ(ReadRegistryValue(full).Text(), "42") << "a failed write changes nothing";

    RegDeleteKeyValueW(p.hive, p.key.c_str(), L"HardlensTest-\u00f1");
    EXPECT_THROW(ReadRegistryValue(full), PlatformError);
}

// Binary values under HKLM, in a key of the test's own (needs administrator rights, which a
// wine prefix has).
class MachineScratchKey : public ::testing::Test {
protected:
    const std::string sub = "SOFTWARE\\Hardlens-tests-" + std::to_string(GetCurrentProcessId());
    HKEY key = nullptr;

    void SetUp() override {
        std::wstring w(sub.begin(), sub.end());
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, w.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr) != ERROR_SUCCESS)
            GTEST_SKIP() << "no write access to HKEY_LOCAL_MACHINE";
    }
    void TearDown() override {
        if (!key) return;
        RegCloseKey(key);
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, std::wstring(sub.begin(), sub.end()).c_str());
    }
};

TEST_F(MachineScratchKey, BinaryReadFillsA164ByteBuffer) {
    std::vector<uint8_t> full(164), shorter(100, 0xAB), longer(200, 1);
    for (size_t i = 0; i < full.size(); ++i)
        full[i] = static_cast<uint8_t>(i);
    RegSetValueExW(key, L"Full", 0, REG_BINARY, full.data(), 164);
    RegSetValueExW(key, L"Short", 0, REG_BINARY, shorter.data(), 100);
    RegSetValueExW(key, L"Long", 0, REG_BINARY, longer.data(), 200);

    EXPECT_EQ(ReadBinaryValue(sub, "Full"), full);
    auto got = ReadBinaryValue(sub, "Short");
    ASSERT_TRUE(got.has_value());
    std::vector<uint8_t> padded = shorter;
    padded.resize(164, 0);
    EXPECT_EQ(*got, padded);
    EXPECT_FALSE(ReadBinaryValue(sub, "Long").has_value()) << "does not fit the buffer";
    EXPECT_FALSE(ReadBinaryValue(sub, "Missing").has_value());
    EXPECT_FALSE(ReadBinaryValue(sub + "\\NoKey", "Full").has_value());
}

TEST(ProductId, ReadsWhateverTheMachineHasWithoutFailing) {
    auto id = ReadBinaryValue(kProductIdKey, kProductIdValue);
    if (id) EXPECT_EQ(id->size(), kBinaryBufferSize);
    // Every Windows records the speed of processor 0 as a double word.
    EXPECT_GT(ReadRegistryValue(CpuMhzPath(0)).ToInt64(), 0);
}

} // namespace
} // namespace hl

#include "TestSupport.h"
#include "core/LicenceCode.h"

#include <gtest/gtest.h>

using namespace hl;

namespace {

std::vector<uint8_t> ProductId(std::vector<uint8_t> keyBytes, size_t size = 164) {
    std::vector<uint8_t> id(size, 0);
    std::copy(keyBytes.begin(), keyBytes.end(), id.begin() + 52);
    return id;
}

const std::vector<uint8_t> kKnownKey = {0x6F, 0xFA, 0x95, 0x45, 0xFC, 0x75, 0xB5, 0x52,
                                        0xBB, 0xEF, 0xB1, 0x17, 0xDA, 0xCD, 0x00};

} // namespace

TEST(DecodeProductKey, DecodesTheFifteenBytesAtOffset52) {
    EXPECT_EQ(DecodeProductKey(ProductId(kKnownKey)), "FFFFF-GGGGG-HHHHH-JJJJJ-KKKKK");
}

TEST(DecodeProductKey, ZeroBytesGiveTheFirstLetterOfTheAlphabet) {
    EXPECT_EQ(DecodeProductKey(ProductId({})), "BBBBB-BBBBB-BBBBB-BBBBB-BBBBB");
}

TEST(DecodeProductKey, IgnoresBytesOutsideTheKey) {
    std::vector<uint8_t> id = ProductId(kKnownKey);
    for (size_t i = 0; i < 52; ++i)
        id[i] = 0xAA;
    for (size_t i = 67; i < id.size(); ++i)
        id[i] = 0x55;
    EXPECT_EQ(DecodeProductKey(id), "FFFFF-GGGGG-HHHHH-JJJJJ-KKKKK");
}

TEST(DecodeProductKey, ShortValueReadsAsZeroPadded) {
    std::vector<uint8_t> id = ProductId(kKnownKey, 67);
    EXPECT_EQ(DecodeProductKey(id), "FFFFF-GGGGG-HHHHH-JJJJJ-KKKKK");
    EXPECT_EQ(DecodeProductKey(std::vector<uint8_t>(10, 0xFF)), "BBBBB-BBBBB-BBBBB-BBBBB-BBBBB");
}

TEST(DecodeProductKey, ValueLargerThanTheReadBufferGivesNothing) {
    EXPECT_EQ(DecodeProductKey(ProductId(kKnownKey, 165)), "");
}

TEST(DecodeProductKey, AlwaysFiveGroupsOfFiveFromTheAlphabet) {
    const std::string alphabet = "BCDFGHJKMPQRTVWXY2346789";
    std::vector<uint8_t> key(15);
    for (int seed = 1; seed < 20; ++seed) {
        for (size_t i = 0; i < key.size(); ++i)
            key[i] = static_cast<uint8_t>(seed * 37 + i * 91);
        std::string text = DecodeProductKey(ProductId(key));
        ASSERT_EQ(text.size(), 29u) << seed;
        for (size_t i = 0; i < text.size(); ++i) {
            if (i % 6 == 5)
                EXPECT_EQ(text[i], '-') << text;
            else
                EXPECT_NE(alphabet.find(text[i]), std::string::npos) << text;
        }
    }
}

TEST(DecodeProductKey, MissingValueGivesTheEmptyText) {
    test::TestApp t(test::MachineBuilder().Build());
    EXPECT_EQ(DecodeProductKey(*t.source), "");
    test::TestApp withKey(
        test::MachineBuilder()
            .Binary(std::string("HKEY_LOCAL_MACHINE\\") + kProductIdKey + "\\" + kProductIdValue,
                    ProductId(kKnownKey))
            .Build());
    EXPECT_EQ(DecodeProductKey(*withKey.source), "FFFFF-GGGGG-HHHHH-JJJJJ-KKKKK");
}

// SHA-256 against the test vectors of FIPS 180-4 (its examples) and the one-million-'a' message.
#include "report/sha256.h"

#include <gtest/gtest.h>

namespace ormevak {
namespace {

TEST(Sha256, emptyMessage) {
    EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
}

TEST(Sha256, oneBlock) {
    EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

TEST(Sha256, lengthNeedsASecondPaddingBlock) {
    // 56 bytes: the marker fits, the 8-byte length does not.
    EXPECT_EQ(sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}

TEST(Sha256, manyBlocks) {
    EXPECT_EQ(sha256Hex(std::string(1000000, 'a')),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(Sha256, bytesAboveSeventyFAreTakenUnsigned) {
    // printf '\xff\x80' | sha256sum
    EXPECT_EQ(sha256Hex(std::string("\xff\x80", 2)),
              "85c61621ebd04403f66d96fe300cf10b3844de7358184f1276cb08790fd135f1");
}

} // namespace
} // namespace ormevak

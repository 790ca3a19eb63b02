// SHA-256 on the published test vectors (FIPS 180-4 examples, the million-a message, high bytes).
#include <string>

#include <gtest/gtest.h>

#include "model/sha256.h"

using ormevak::sha256Hex;

TEST(Sha256, emptyInput) {
    EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
}

TEST(Sha256, threeLetters) {
    EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

TEST(Sha256, twoBlockMessage) {
    EXPECT_EQ(sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}

TEST(Sha256, millionLetters) {
    EXPECT_EQ(sha256Hex(std::string(1000000, 'a')),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(Sha256, lengthsAroundTheBlockEdge) {
    // 55, 56 and 64 bytes put the length in the first, a second, and a fresh block.
    EXPECT_EQ(sha256Hex(std::string(55, 'a')),
              "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318");
    EXPECT_EQ(sha256Hex(std::string(56, 'a')),
              "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a");
    EXPECT_EQ(sha256Hex(std::string(64, 'a')),
              "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb");
}

TEST(Sha256, bytesAboveSeventyFAreTakenUnsigned) {
    // printf '\xff\x80' | sha256sum
    EXPECT_EQ(sha256Hex(std::string("\xff\x80", 2)),
              "85c61621ebd04403f66d96fe300cf10b3844de7358184f1276cb08790fd135f1");
}

// SHA-256 digests and password hashes.
#include "kernel/HashApi.h"

#include <gtest/gtest.h>

namespace {

TEST(Hash, Sha256DigestsTheUtf8Bytes)
{
    EXPECT_EQ(HashSha256(L"abc"), L"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // "\u00FC" is the two bytes C3 BC.
    EXPECT_EQ(HashSha256(L"\u00FC"), L"607474ca475a9724d7360aba71a56d5df77e61350e3f724cfa1f46e857e2d85f");
}

TEST(Hash, PasswordHashIsSaltedArgon2idAndVerifiesOnlyItsPassword)
{
    const std::wstring hash = HashPassword(L"s3cr\u00E8t");
    EXPECT_EQ(hash.rfind(L"$argon2id$", 0), 0u);
    EXPECT_EQ(hash.find(L"s3cr"), std::wstring::npos);
    EXPECT_LE(hash.size(), 128u);
    EXPECT_NE(HashPassword(L"s3cr\u00E8t"), hash);
    EXPECT_TRUE(VerifyPassword(hash, L"s3cr\u00E8t"));
    EXPECT_FALSE(VerifyPassword(hash, L"s3cret"));
    EXPECT_FALSE(VerifyPassword(L"", L""));
    EXPECT_FALSE(VerifyPassword(L"plain", L"plain"));
}

} // namespace

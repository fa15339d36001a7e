// SHA-256 and Argon2id over libsodium.
#include "HashApi.h"

#include "Text.h"

#include <sodium.h>

namespace {

// sodium_init is safe to call again; before it, the library's choice of implementation is unset.
bool SodiumReady()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

} // namespace

std::wstring HashSha256(std::wstring_view text)
{
    SodiumReady();
    const std::string bytes = WideToUtf8(text);
    unsigned char digest[crypto_hash_sha256_BYTES];
    crypto_hash_sha256(digest, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    static constexpr wchar_t digits[] = L"0123456789abcdef";
    std::wstring hex;
    for (unsigned char byte : digest) {
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    return hex;
}

std::wstring HashPassword(std::wstring_view password)
{
    if (!SodiumReady())
        return {};
    const std::string bytes = WideToUtf8(password);
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(hash, bytes.data(), bytes.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                              crypto_pwhash_MEMLIMIT_INTERACTIVE, crypto_pwhash_ALG_ARGON2ID13) != 0)
        return {};
    return Utf8ToWide(hash);
}

bool VerifyPassword(std::wstring_view hash, std::wstring_view password)
{
    if (!SodiumReady() || hash.empty())
        return false;
    const std::string stored = WideToUtf8(hash);
    const std::string bytes = WideToUtf8(password);
    return crypto_pwhash_str_verify(stored.c_str(), bytes.data(), bytes.size()) == 0;
}

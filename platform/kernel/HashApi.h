// Hashing for the module: SHA-256 for tamper evidence, and password hashes that cost an attacker
// time and memory (Argon2id), so that a copied database file gives no password away.
#pragma once

#include <string>
#include <string_view>

// The SHA-256 of the UTF-8 bytes of text, as 64 lowercase hex digits.
std::wstring HashSha256(std::wstring_view text);
// A self-describing Argon2id hash of password, salted afresh each time; empty when the memory it
// needs cannot be had.
std::wstring HashPassword(std::wstring_view password);
// True when hash was made by HashPassword from password.
bool VerifyPassword(std::wstring_view hash, std::wstring_view password);

// The register library's calls: loading a register file into a register and discarding a
// temporary register. The file format is described in docs/register-files.md.
#pragma once

#include "OrvaneTypes.h"
#include "Register.h"

#include <string>

// Statuses of the register calls and classes (0 = success).
constexpr SHORT REG_OK = 0;
constexpr SHORT REG_ERR_NO_REGISTER = 40;
constexpr SHORT REG_ERR_LOCKED = 41;
constexpr SHORT REG_ERR_NOT_LOCKED = 42;
constexpr SHORT REG_ERR_FILE = 43;
constexpr SHORT REG_ERR_SYNTAX = 44;
constexpr SHORT REG_ERR_NO_OBJECT = 45;
constexpr SHORT REG_ERR_NO_TABLE = 46;
constexpr SHORT REG_ERR_NO_ITEM = 47;
constexpr SHORT REG_ERR_WRONG_TYPE = 48;
constexpr SHORT REG_ERR_RANGE = 49;

// What a lock names: the register's handle and name.
struct REGDESCSTRUCT {
    HREGISTER hRegister;
    WCHAR szName[64];
};

// Reads a register file (Windows path) into the register; its objects replace the register's.
// mode and merge must be 1, reserved 0. REG_ERR_FILE when the file cannot be read,
// REG_ERR_SYNTAX (and nothing changed) when it is not a valid register file.
SHORT RegLoadFile(LPCWSTR path, int mode, int merge, HREGISTER reg, int reserved);
// The reason the last RegLoadFile failed: file, line and what was wrong.
std::wstring RegLastLoadError();

// The register space of a context (space 1: the context's temporary registers), a register found
// in it by its descriptor, and RegFree, which discards a temporary register that no lock holds.
LONGLONG RegGetCpSpace(HCPCONTEXT context, int space);
LONGLONG UtFindRegister(LONGLONG space, const REGDESCSTRUCT* desc);
SHORT RegFree(LONGLONG reg);

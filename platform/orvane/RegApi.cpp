// Loading register files and discarding temporary registers.
#include "RegApi.h"

#include "CpApi.h"
#include "RegFileReader.h"
#include "RegisterStore.h"

#include "kernel/DriveMap.h"
#include "kernel/FileBytes.h"
#include "kernel/Text.h"


namespace {

std::wstring& lastLoadError()
{
    static std::wstring error;
    return error;
}

SHORT loadFailed(SHORT status, std::wstring message)
{
    lastLoadError() = std::move(message);
    return status;
}

} // namespace

SHORT RegLoadFile(LPCWSTR path, int mode, int merge, HREGISTER reg, int reserved)
{
    const std::wstring file = path ? path : L"";
    if (mode != 1 || merge != 1 || reserved != 0)
        return loadFailed(REG_ERR_RANGE, file + L": RegLoadFile takes the modes 1, 1 and 0");
    Register* target = RegisterStore::instance().find(reg);
    if (!target)
        return loadFailed(REG_ERR_NO_REGISTER, file + L": no register has the handle " + std::to_wstring(reg));
    const auto hostPath = DriveMap::toHost(file);
    const auto bytes = hostPath ? FileBytes::read(*hostPath) : std::nullopt;
    if (!bytes)
        return loadFailed(REG_ERR_FILE, file + L": the file cannot be read");
    std::vector<std::unique_ptr<RegObject>> objects;
    std::wstring error;
    if (!RegFileReader::read(Utf8ToWide(*bytes), file, &objects, &error))
        return loadFailed(REG_ERR_SYNTAX, error);
    target->replaceObjects(std::move(objects));
    lastLoadError().clear();
    return REG_OK;
}

std::wstring RegLastLoadError()
{
    return lastLoadError();
}

// A space is its context in the upper half and its number in the lower, so that it is never 0.
LONGLONG RegGetCpSpace(HCPCONTEXT context, int space)
{
    if (!CpIsValidContext(context) || space != 1)
        return 0;
    return (static_cast<LONGLONG>(context) << 32) | static_cast<DWORD>(space);
}

LONGLONG UtFindRegister(LONGLONG space, const REGDESCSTRUCT* desc)
{
    if (space == 0 || !desc || !RegisterStore::instance().find(desc->hRegister))
        return 0;
    return desc->hRegister;
}

SHORT RegFree(LONGLONG reg)
{
    const auto handle = static_cast<HREGISTER>(reg);
    Register* found = reg > 0 ? RegisterStore::instance().find(handle) : nullptr;
    if (!found)
        return REG_ERR_NO_REGISTER;
    if (!found->temporary())
        return REG_ERR_RANGE;
    return RegisterStore::instance().remove(handle) ? REG_OK : REG_ERR_LOCKED;
}

// Fresh roots for tests.
#include "TempRoot.h"

#include "kernel/Clock.h"
#include "kernel/DriveMap.h"

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>

TempRoot::TempRoot()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "serion-test-XXXXXX").string();
    m_path = mkdtemp(pattern.data());
    DriveMap::setRoot(m_path);
    // 2026-03-14 09:26:53 UTC: a fixed, ordinary moment for every test, read as local time in UTC
    // so that the dates and times the tests expect do not depend on the machine's time zone.
    setenv("TZ", "UTC", 1);
    tzset();
    Clock::useVirtual(1773480413000LL);
}

TempRoot::~TempRoot()
{
    std::error_code error;
    // Read-only entries must be writable again before the tree can go.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(m_path, error))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(m_path, error);
}

std::string ReadFileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// Where an installation keeps its parts below the root given with --root: one folder per drive,
// the host variable file and the logbook.
#pragma once

#include <filesystem>

class HostRoot {
public:
    explicit HostRoot(std::filesystem::path root) : m_root(std::move(root)) {}

    const std::filesystem::path& path() const { return m_root; }
    std::filesystem::path variableFile() const { return m_root / "orvane.var"; }
    std::filesystem::path logbookFile() const { return m_root / "logbook.txt"; }
    // The Linux folder of a folder on drive C, given as "Orvane/Methods".
    std::filesystem::path onDriveC(const std::filesystem::path& relative) const { return m_root / "C" / relative; }
    std::filesystem::path worklistFile() const { return onDriveC("Orvane/Serion/database/worklist.mdb"); }
    // The newest anchor of the worklist file's audit trail, which the module keeps beside it.
    std::filesystem::path auditHeadFile() const { return onDriveC("Orvane/Serion/database/worklist.head"); }

    // A root counts as installed once its variable file exists: the installer writes it last.
    bool isInstalled() const { return std::filesystem::exists(variableFile()); }

private:
    std::filesystem::path m_root;
};

// The module's layers read from its sources: each folder includes only the folders below it, no
// file of the module reaches itself through the files it includes (a header and its source file
// count as one file), and the worklist reads no settings: it is handed its place.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kSources = SERION_SOURCE_DIR;

// From the bottom up: the resources and the core serve every folder; the hotlink and the worklist
// stand on the core alone; the dialogs edit the worklist; the user dialogs build on the dialogs; the
// main viewer opens them all; the module's entry opens the viewer.
const std::vector<std::string> kFolders = {"resources", "module/core", "hotlink", "worklist",
                                          "dialogs",   "users",       "viewer",  "module"};

std::string inSources(const fs::path& path) { return path.lexically_normal().lexically_relative(kSources).generic_string(); }

std::size_t rankOf(const fs::path& file)
{
    return static_cast<std::size_t>(std::ranges::find(kFolders, inSources(file.parent_path())) - kFolders.begin());
}

// Each module file ("worklist/MethodRows", header and source together) and the module files it
// includes, found beside it or from the sources' top; platform and standard headers are left out.
std::map<std::string, std::set<std::string>> moduleIncludes()
{
    const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::map<std::string, std::set<std::string>> includes;
    for (const std::string& folder : kFolders) {
        for (const fs::directory_entry& entry : fs::directory_iterator(kSources / folder)) {
            const fs::path file = entry.path();
            if (file.extension() != ".h" && file.extension() != ".cpp")
                continue;
            std::ifstream in(file);
            std::smatch match;
            for (std::string line; std::getline(in, line);) {
                if (!std::regex_search(line, match, include))
                    continue;
                for (const fs::path& candidate : {file.parent_path() / match[1].str(), kSources / match[1].str()}) {
                    if (!fs::exists(candidate))
                        continue;
                    EXPECT_LE(rankOf(candidate), rankOf(file)) << inSources(file) << " includes " << inSources(candidate);
                    if (candidate.stem() != file.stem() || candidate.parent_path() != file.parent_path())
                        includes[inSources(file.parent_path() / file.stem())].insert(
                            inSources(candidate.parent_path() / candidate.stem()));
                    break;
                }
            }
        }
    }
    return includes;
}

TEST(ModuleLayers, NoFolderIncludesAFolderAboveItNoFileReachesItselfAndTheWorklistReadsNoSettings)
{
    const auto includes = moduleIncludes();
    ASSERT_GT(includes.size(), 50u) << "the sources were found";
    for (const auto& [file, included] : includes)
        EXPECT_FALSE(file.starts_with("worklist/") && included.contains("module/core/ModuleSettings"))
            << file << " reads the module's settings";
    // Depth first from each file, keeping the path walked: a path back to the file is a cycle.
    for (const auto& [file, included] : includes) {
        std::vector<std::vector<std::string>> pending{{file}};
        std::set<std::string> seen;
        while (!pending.empty()) {
            const std::vector<std::string> path = std::move(pending.back());
            pending.pop_back();
            const auto next = includes.find(path.back());
            for (const std::string& to : next == includes.end() ? std::set<std::string>{} : next->second) {
                std::string cycle;
                for (const std::string& step : path)
                    cycle += step + " -> ";
                EXPECT_NE(to, file) << cycle << file;
                if (to != file && seen.insert(to).second) {
                    pending.push_back(path);
                    pending.back().push_back(to);
                }
            }
        }
    }
}

} // namespace

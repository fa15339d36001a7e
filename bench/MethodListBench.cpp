// The method list of the main window on groups of 1,000 and 10,000 rows: opening a group (LoadGroup
// with its Refill of the list, also at 100,000 rows) and a click on the last row's state image,
// through the window framework as a user's click goes, beside reading the same rows and writing
// the same state with plain sqlite3. Each benchmark is repeated; compare the medians.
#include "BenchRoot.h"

#include "module/core/ModuleSettings.h"
#include "resources/ModuleResources.h"
#include "viewer/CMethodListCtrl.h"

#include "win/ListViewAutomation.h"
#include "win/afx/AFX_MAINTAIN_STATE.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr int kListId = 19001;

// A window holding the method list, as the main viewer holds it, in the module's state so that
// the list finds its state images.
class ListWindow {
public:
    ListWindow() : m_state(ModuleResourceHandle(), L"Serion"), m_scope(&m_state)
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.lpszClassName = L"SerionBenchWindow";
        ::RegisterClassW(&windowClass);
        m_parent.CreateEx(0, L"SerionBenchWindow", L"Bench", WS_POPUP | WS_VISIBLE, 0, 0, 80 * 8, 24 * 16, nullptr, nullptr);
        const HWND hList = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 8,
                                             16, 72 * 8, 20 * 16, m_parent.m_hWnd,
                                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kListId)), nullptr, nullptr);
        m_list.SubclassWindow(hList);
    }
    ~ListWindow()
    {
        m_list.CloseTable();
        m_parent.DestroyWindow();
    }

    CMethodListCtrl& list() { return m_list; }
    HWND parent() const { return m_parent.m_hWnd; }

private:
    AFX_MODULE_STATE m_state;
    AFX_MAINTAIN_STATE m_scope;
    CWnd m_parent;
    MethodRows m_rows{ModuleSettings};
    CMethodListCtrl m_list{m_rows};
};

void ListOpenGroup(benchmark::State& state)
{
    Root().makeGroup(state.range(0));
    ListWindow window;
    for (auto _ : state)
        window.list().LoadGroup(benchGroup.c_str());
    state.counters["items"] = window.list().GetItemCount();
}

void ListClickToggleOnLastRow(benchmark::State& state)
{
    Root().makeGroup(state.range(0));
    ListWindow window;
    window.list().LoadGroup(benchGroup.c_str());
    const int last = static_cast<int>(state.range(0)) - 1;
    for (auto _ : state) {
        if (const ActionResult clicked = ListViewAutomation::clickItem(window.parent(), kListId, last, true); !clicked) {
            state.SkipWithError(std::string(clicked.message.begin(), clicked.message.end()).c_str());
            break;
        }
    }
}

void PlainReadRows(benchmark::State& state)
{
    Root().makeGroup(state.range(0));
    const std::string sql = "SELECT * FROM " + quotedBenchGroup + " ORDER BY aaaID";
    for (auto _ : state) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(Root().db(), sql.c_str(), -1, &statement, nullptr);
        long read = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int column = 0; column < sqlite3_column_count(statement); ++column)
                benchmark::DoNotOptimize(sqlite3_column_text16(statement, column));
            ++read;
        }
        sqlite3_finalize(statement);
        benchmark::DoNotOptimize(read);
    }
}

void PlainWriteStateOfLastRow(benchmark::State& state)
{
    Root().makeGroup(state.range(0));
    const std::string sql = "UPDATE " + quotedBenchGroup + " SET \"Run State\" = 6 - \"Run State\" WHERE aaaID = " +
                            std::to_string(state.range(0) - 1);
    for (auto _ : state)
        sqlite3_exec(Root().db(), sql.c_str(), nullptr, nullptr, nullptr);
}

#define LIST_SIZES ->Arg(1000)->Arg(10000)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond)

BENCHMARK(ListOpenGroup) LIST_SIZES->Arg(100000);
BENCHMARK(PlainReadRows) LIST_SIZES->Arg(100000);
BENCHMARK(ListClickToggleOnLastRow) LIST_SIZES;
BENCHMARK(PlainWriteStateOfLastRow) LIST_SIZES;

} // namespace

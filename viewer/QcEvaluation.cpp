// Evaluating a row's results against its group's QC rules.
#include "QcEvaluation.h"

#include "worklist/RecordText.h"
#include "worklist/RowResults.h"

#include "kernel/Text.h"
#include "kernel/WinFormat.h"

#include <algorithm>
#include <cwchar>
#include <optional>
#include <utility>

namespace {

std::optional<double> Figure(const WCHAR* text)
{
    wchar_t* end = nullptr;
    const double value = std::wcstod(text, &end);
    return end == text ? std::nullopt : std::optional<double>(value);
}

// What result gives the rule to judge; none when the rule does not concern it.
std::optional<double> ValueFor(const QcRule& rule, const ResultRecord& result)
{
    switch (rule.check) {
    case QcCheck::Recovery: {
        const std::optional<double> expected = Figure(result.Expected);
        const std::optional<double> found = Figure(result.Concentration);
        if (!EqualsNoCase(result.Kind, L"check") || !expected || *expected <= 0 || !found)
            return std::nullopt;
        return 100 * *found / *expected;
    }
    case QcCheck::Blank: return EqualsNoCase(result.Kind, L"blank") ? Figure(result.Concentration) : std::nullopt;
    case QcCheck::Rsd: return Figure(result.RSD);
    case QcCheck::R2: return Figure(result.R2);
    }
    return std::nullopt;
}

} // namespace

std::vector<QcEvaluation::Decision> QcEvaluation::Evaluate(const std::vector<QcRule>& rules,
                                                           std::vector<ResultRecord>& results, bool bRerun)
{
    std::vector<Decision> decisions;
    for (const QcRule& rule : rules) {
        const QcAction action = bRerun && rule.action == QcAction::Rerun ? rule.thenAction : rule.action;
        bool bDecided = false;
        for (std::size_t n = 0; n < results.size(); ++n) {
            const std::optional<double> value = ValueFor(rule, results[n]);
            if (!value || !rule.IsBrokenBy(*value))
                continue;
            SetRecordText(results[n].QC, RowResults::kFailed);
            if (!std::exchange(bDecided, true))
                decisions.push_back({rule, n, *value, action});
        }
    }
    return decisions;
}

const QcEvaluation::Decision* QcEvaluation::Strongest(const std::vector<Decision>& decisions)
{
    const auto strongest = std::ranges::max_element(decisions, {}, [](const Decision& decision) {
        return static_cast<int>(decision.action);
    });
    return strongest == decisions.end() ? nullptr : &*strongest;
}

std::wstring QcEvaluation::Decision::LimitText() const
{
    switch (rule.check) {
    case QcCheck::Recovery: return FormatWin(L"%g-%g %%", rule.low, rule.high);
    case QcCheck::Rsd: return FormatWin(L"%g %%", rule.high);
    case QcCheck::Blank: return FormatWin(L"%g", rule.high);
    case QcCheck::R2: return FormatWin(L"%g", rule.low);
    }
    return L"";
}

std::wstring QcEvaluation::Decision::Figures() const
{
    switch (rule.check) {
    case QcCheck::Recovery: return FormatWin(L"recovery %.1f %% outside %s", value, LimitText().c_str());
    case QcCheck::Blank: return FormatWin(L"blank %g above %s", value, LimitText().c_str());
    case QcCheck::Rsd: return FormatWin(L"RSD %.2f %% above %s", value, LimitText().c_str());
    case QcCheck::R2: return FormatWin(L"r2 %.5f below %s", value, LimitText().c_str());
    }
    return L"";
}

std::wstring QcEvaluation::Decision::Text(const std::vector<ResultRecord>& results) const
{
    return std::wstring(results[result].Sample) + L": " + Figures() + L": " + rule.ActionText(action);
}

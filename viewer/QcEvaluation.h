// What a row's results say against its group's QC rules: each rule a result broke, with the value
// that broke it and what the run does about it.
#pragma once

#include "worklist/QcRule.h"
#include "worklist/ResultRecord.h"

#include <cstddef>
#include <string>
#include <vector>

class QcEvaluation {
public:
    struct Decision {
        QcRule rule;
        // The result line that broke the rule, by its place among the row's results.
        std::size_t result = 0;
        double value = 0;
        // The rule's action, or its next one for a row that is the rerun of one that failed.
        QcAction action = QcAction::None;

        // "Check standard: recovery 86.2 % outside 90-110 %: rerun": the sample, the figures and
        // the action.
        std::wstring Text(const std::vector<ResultRecord>& results) const;
        // "recovery 86.2 % outside 90-110 %": the value against the limit.
        std::wstring Figures() const;
        // The limit as the audit trail gives it beside the value: "90-110 %", "0.05", "0.999".
        std::wstring LimitText() const;
    };

    // Each rule that a result broke, in the rules' order, with the first result that broke it; every
    // result that broke one is marked failed. bRerun: the results are a rerun's, whose rules go on
    // with their next action.
    static std::vector<Decision> Evaluate(const std::vector<QcRule>& rules, std::vector<ResultRecord>& results,
                                          bool bRerun);
    // The decision whose action weighs most (stop, pause, calibrate, rerun); null for none.
    static const Decision* Strongest(const std::vector<Decision>& decisions);
};

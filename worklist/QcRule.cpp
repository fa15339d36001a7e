// What a QC rule checks and does, and how it is told.
#include "QcRule.h"

#include "resources/ResourceIds.h"

#include "kernel/WinFormat.h"

namespace {

bool IsFinal(QcAction action)
{
    return action == QcAction::Calibrate || action == QcAction::Pause || action == QcAction::Stop;
}

} // namespace

unsigned QcRule::Fault() const
{
    if (check < QcCheck::Recovery || check > QcCheck::R2)
        return IDS_QC_UNKNOWN_CHECK;
    if (check == QcCheck::Recovery && !(0 < low && low < high))
        return IDS_QC_RECOVERY_RANGE;
    if (check == QcCheck::R2 && !(0 < low && low <= 1))
        return IDS_QC_R2_RANGE;
    if ((check == QcCheck::Blank || check == QcCheck::Rsd) && !(0 <= high))
        return IDS_QC_LIMIT_NEGATIVE;
    if (action == QcAction::Rerun ? !IsFinal(thenAction) : !IsFinal(action) || thenAction != QcAction::None)
        return IDS_QC_ACTIONS_INCOMPLETE;
    const bool calibrates = action == QcAction::Calibrate || thenAction == QcAction::Calibrate;
    if (calibrates != (calibrationGroup.find_first_not_of(L' ') != std::wstring::npos))
        return calibrates ? IDS_QC_NO_CALIBRATION_GROUP : IDS_QC_GROUP_WITHOUT_CALIBRATE;
    return 0;
}

std::wstring QcRule::Text() const
{
    std::wstring text;
    switch (check) {
    case QcCheck::Recovery: text = FormatWin(L"recovery outside %g-%g %%", low, high); break;
    case QcCheck::Blank: text = FormatWin(L"blank above %g", high); break;
    case QcCheck::Rsd: text = FormatWin(L"RSD above %g %%", high); break;
    case QcCheck::R2: text = FormatWin(L"r2 below %g", low); break;
    }
    text += L": " + ActionText(action);
    if (action == QcAction::Rerun)
        text += L", then " + ActionText(thenAction);
    return text;
}

std::wstring QcRule::ActionText(QcAction what) const
{
    switch (what) {
    case QcAction::None: return L"go on";
    case QcAction::Rerun: return L"rerun";
    case QcAction::Calibrate: return L"calibrate with " + calibrationGroup;
    case QcAction::Pause: return L"pause";
    case QcAction::Stop: return L"stop";
    }
    return L"?";
}

bool QcRule::IsBrokenBy(double value) const
{
    switch (check) {
    case QcCheck::Recovery: return value < low || value > high;
    case QcCheck::Blank:
    case QcCheck::Rsd: return value > high;
    case QcCheck::R2: return value < low;
    }
    return false;
}

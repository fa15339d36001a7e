// A delivered hotlink change as text, read as the module's hotlink window reads it:
// "class:type:variable" or "class:type:object/code".
#pragma once

#include "orvane/CBspSubjectDesc.h"

#include <string>

inline std::wstring DescribeChange(const CBspSubjectDesc& change)
{
    int subjectClass = 0, changeType = 0;
    std::wstring objectName, text, variableName;
    WORD code = 0;
    if (change.AnalyseSubjectDesc(&subjectClass, &changeType, &objectName, &code, &text, &variableName) != BSP_OK)
        return L"unreadable";
    return std::to_wstring(subjectClass) + L":" + std::to_wstring(changeType) + L":" +
           (subjectClass == BSP_SUBJ_CPVAR ? variableName : objectName + L"/" + std::to_wstring(code));
}

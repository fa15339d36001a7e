// Names what a hotlink follows (a host variable, or a host object with its code) and, when
// delivered, what changed.
#pragma once

#include "OrvaneTypes.h"

#include <string>
#include <string_view>

constexpr int BSP_SUBJ_NONE = 0;
constexpr int BSP_SUBJ_CPVAR = 1;
constexpr int BSP_SUBJ_OBJECT = 2;
// The change type of every delivered change: the subject's value was modified.
constexpr int BSP_CHANGE_MODIFIED = 5;

constexpr SHORT BSP_OK = 0;
constexpr SHORT BSP_ERR_NAME = 60;
constexpr SHORT BSP_ERR_EMPTY = 61;
constexpr SHORT BSP_ERR_NO_VARIABLE = 62;

class CBspSubjectDesc {
public:
    // Names longer than maxNameLength characters are refused.
    explicit CBspSubjectDesc(int maxNameLength = 255) : m_maxNameLength(maxNameLength) {}

    // BSP_ERR_NAME for a null, invalid or too long name. The variable need not exist yet;
    // connecting to it does.
    SHORT CreateCpVarSubj(LPCSTR variableName, HCPCONTEXT context);
    SHORT CreateObjBspSubj(LPCWSTR objectName, WORD code);
    // Any output may be null. BSP_ERR_EMPTY for a descriptor that names nothing.
    SHORT AnalyseSubjectDesc(int* subjectClass, int* changeType, std::wstring* objectName, WORD* objectCode,
                             std::wstring* text, std::wstring* variableName) const;

    // The hub's side: the change it delivers.
    static CBspSubjectDesc variableChange(std::string_view name);
    static CBspSubjectDesc objectChange(std::wstring_view name, WORD code);

    int subjectClass() const { return m_class; }
    int changeType() const { return m_changeType; }
    const std::string& variableName() const { return m_variableName; }
    const std::wstring& objectName() const { return m_objectName; }
    WORD objectCode() const { return m_code; }
    HCPCONTEXT context() const { return m_context; }

private:
    int m_maxNameLength;
    int m_class = BSP_SUBJ_NONE;
    int m_changeType = 0;
    std::string m_variableName;
    std::wstring m_objectName;
    WORD m_code = 0;
    HCPCONTEXT m_context = 0;
};

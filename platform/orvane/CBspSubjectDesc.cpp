// Subject descriptors: what a hotlink follows and what changed.
#include "CBspSubjectDesc.h"

#include "CpVariables.h"

#include <cwchar>

SHORT CBspSubjectDesc::CreateCpVarSubj(LPCSTR variableName, HCPCONTEXT context)
{
    if (!variableName || !CpVariables::isValidName(variableName) ||
        std::string_view(variableName).size() > static_cast<std::size_t>(m_maxNameLength))
        return BSP_ERR_NAME;
    *this = CBspSubjectDesc(m_maxNameLength);
    m_class = BSP_SUBJ_CPVAR;
    m_variableName = variableName;
    m_context = context;
    return BSP_OK;
}

SHORT CBspSubjectDesc::CreateObjBspSubj(LPCWSTR objectName, WORD code)
{
    if (!objectName || !*objectName || std::wcslen(objectName) > static_cast<std::size_t>(m_maxNameLength))
        return BSP_ERR_NAME;
    *this = CBspSubjectDesc(m_maxNameLength);
    m_class = BSP_SUBJ_OBJECT;
    m_objectName = objectName;
    m_code = code;
    return BSP_OK;
}

SHORT CBspSubjectDesc::AnalyseSubjectDesc(int* subjectClass, int* changeType, std::wstring* objectName,
                                          WORD* objectCode, std::wstring* text, std::wstring* variableName) const
{
    if (m_class == BSP_SUBJ_NONE)
        return BSP_ERR_EMPTY;
    if (subjectClass)
        *subjectClass = m_class;
    if (changeType)
        *changeType = m_changeType;
    if (objectName)
        *objectName = m_objectName;
    if (objectCode)
        *objectCode = m_code;
    if (text)
        text->clear();
    if (variableName)
        *variableName = std::wstring(m_variableName.begin(), m_variableName.end());
    return BSP_OK;
}

CBspSubjectDesc CBspSubjectDesc::variableChange(std::string_view name)
{
    CBspSubjectDesc change;
    change.m_class = BSP_SUBJ_CPVAR;
    change.m_changeType = BSP_CHANGE_MODIFIED;
    change.m_variableName = name;
    return change;
}

CBspSubjectDesc CBspSubjectDesc::objectChange(std::wstring_view name, WORD code)
{
    CBspSubjectDesc change;
    change.m_class = BSP_SUBJ_OBJECT;
    change.m_changeType = BSP_CHANGE_MODIFIED;
    change.m_objectName = name;
    change.m_code = code;
    return change;
}

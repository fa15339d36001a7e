// "Add Group": asks for the name of a new method group. The main viewer checks the name and
// creates the group; the dialog hands the text over exactly as typed.
#pragma once

#include "CDialogBase.h"

#include <string>

class CDialogAddGroup : public CDialogBase {
public:
    explicit CDialogAddGroup(CWnd* pParent = nullptr);

    std::wstring m_strGroupName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// "Add Group": asks for the name of a new method group and what a failed row does to its run. The
// main viewer checks the name and creates the group; the dialog hands the text over exactly as typed.
#pragma once

#include "CDialogBase.h"

#include <string>

class CDialogAddGroup : public CDialogBase {
public:
    explicit CDialogAddGroup(CWnd* pParent = nullptr);

    std::wstring m_strGroupName;
    // ONFAILURE_GO_ON, ONFAILURE_PAUSE or ONFAILURE_STOP.
    int m_nOnFailure = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};

// A scoped switch of the module state: from construction to the end of the scope the given state
// is in force, then the previous one again.
#pragma once

#include "AFX_MODULE_STATE.h"

class AFX_MAINTAIN_STATE {
public:
    explicit AFX_MAINTAIN_STATE(AFX_MODULE_STATE* pNewState) : m_pPrevModuleState(AfxSetModuleState(pNewState)) {}
    ~AFX_MAINTAIN_STATE() { AfxSetModuleState(m_pPrevModuleState); }
    AFX_MAINTAIN_STATE(const AFX_MAINTAIN_STATE&) = delete;
    AFX_MAINTAIN_STATE& operator=(const AFX_MAINTAIN_STATE&) = delete;

private:
    AFX_MODULE_STATE* m_pPrevModuleState;
};

// At the top of an entry point or window procedure of a module: run the rest in its state.
#define AFX_MANAGE_STATE(pModuleState) AFX_MAINTAIN_STATE _afxManagedState(pModuleState)

// Data exchange between a dialog's members and its controls (DDX_) and the checks of the values
// read (DDV_). A rejected value shows the framework's message and fails the exchange; see
// CDataExchange.
#pragma once

#include "CDataExchange.h"

#include <string>

class CWnd;

void DDX_Text(CDataExchange* pDX, int nIDC, std::wstring& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
// value is the index of the checked button of the group that starts at nIDC; -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// Subclasses the control into rControl the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Loading limits the last control to nChars characters; saving rejects a longer value.
void DDV_MaxChars(CDataExchange* pDX, const std::wstring& value, int nChars);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);

// A static control: a label, frame or icon whose text the dialog may change.
#pragma once

#include "CWnd.h"

class CStatic : public CWnd {};

// The framework's common-control classes.
#pragma once

#include "platform/afx/imagelist.h"
#include "platform/afx/listctrl.h"
#include "platform/afx/treectrl.h"
#include "platform/commctrl/commctrl.h"

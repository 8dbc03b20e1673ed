// Everything of the framework that window code uses: the base services, the graphics classes,
// the window classes and the platform's calls beneath them.
#pragma once

#include "platform/afx/app.h"
#include "platform/afx/dc.h"
#include "platform/afx/except.h"
#include "platform/afx/frame.h"
#include "platform/afx/gdiobj.h"
#include "platform/afx/geometry.h"
#include "platform/afx/imagelist.h"
#include "platform/afx/menu.h"
#include "platform/afx/msgmap.h"
#include "platform/afx/wnd.h"
#include "platform/afx/wnddc.h"
#include "platform/base/afx.h"
#include "platform/user/winreg.h"
#include "platform/user/winuser.h"

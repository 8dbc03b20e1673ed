// COptionsMenu: the player's options, a popup in the skin's look. The skin describes it as a
// component of the demo's own type "menu" (component 16 of section "main"): its colours, its
// font and a strip of 16 x 16 icons, the first seven for the items and the next seven their
// shadows under the highlighted item.
#pragma once

#include "menu/skinmenu.h"
#include "playerstate.h"
#include "repository/skinrepository.h"

class COptionsMenu : public CSkinMenu {
public:
    enum Command : UINT {
        kPlay = 0x9100,
        kPrevious,
        kNext,
        kLyrics,
        kSettings,
        kNextSkin,
    };

    COptionsMenu() : CSkinMenu(SKINMENU_TYPE4) {}

    // The items for state, in the look of the component; false without a popup menu.
    bool Build(CSkinRepository* repository, const PlayerState& state);
    // Runs the popup at (x, y) of the screen, its right edge there when alignRight; the chosen
    // command, or 0.
    UINT Run(CWnd* owner, int x, int y, bool alignRight);

private:
    void ApplyLook(CSkinRepository* repository, const tagCOMPONENT& component);
};

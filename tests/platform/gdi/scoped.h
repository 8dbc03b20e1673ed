// Graphics objects released at the end of a scope, so that tests need no clean-up lines.
#pragma once

#include "support/gdi_fixture.h"

// Deletes the object when the scope ends.
template <class H> struct Owned {
    Owned(H handle) : h(handle) {}
    ~Owned() { DeleteObject(h); }
    operator H() const { return h; }
    H h;
};

// Selects the object into dc for the scope, then selects the previous one back and deletes it.
struct Selected {
    Selected(HDC dc, HGDIOBJ object) : dc(dc), object(object), old(SelectObject(dc, object)) {}
    ~Selected() {
        SelectObject(dc, old);
        DeleteObject(object);
    }
    HDC dc;
    HGDIOBJ object, old;
};

#include "platform/afx/except.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CResourceException, CException)

void AfxThrowResourceException() {
    throw new CResourceException;
}

// The framework's exceptions. The only one the library raises is the resource exception, when
// its window class cannot be registered; like the framework, it is thrown by pointer and the
// catcher calls Delete().
#pragma once

#include "platform/base/object.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    void Delete() { delete this; }
};

class CResourceException : public CException {
    DECLARE_DYNAMIC(CResourceException)
};

[[noreturn]] void AfxThrowResourceException();

// Everything of the framework's services that the library's logic uses: strings, collections,
// files, the file system, run-time classes and module registration.
#pragma once

#include "platform/base/collections.h"
#include "platform/base/cstring.h"
#include "platform/base/file.h"
#include "platform/base/filesystem.h"
#include "platform/base/module.h"
#include "platform/base/object.h"
#include "platform/base/wcsrt.h"
#include "platform/base/wintypes.h"

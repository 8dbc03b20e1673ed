// The skin package builder: turns a skin definition (a description in either form next to the
// files it names) into skin packages.
//
// A package holds, in this order: ".index" (the index header), ".xml" (the description in the
// record form with the defaults applied) and every resource that a "file" attribute or
// property names, read from the folder the package is built in. One package is made for the
// whole skin, or one per section when the definition's output says separatefiles="true".
//
// Problems are reported only as message text appended to the caller's string, each message
// ending in "\n\r":
//   Could not create skin "NAME", the file could not be created.
//   Could not create skin "NAME", the package would replace its definition.
//   Could not add resource "FILE".
// A missing resource does not fail the build. A package path that names the definition file
// is refused, so a definition is never overwritten. A package is written beside its final path
// under a temporary name and put in place only when complete, so a build that fails leaves an
// earlier package as it was.
#pragma once

#include "skindesc/skinmodel.h"

bool BuildSkin(const CString& definitionPath, CString* messages);
bool BuildPackage(const tagSKIN& skin, const CString& packagePath, CString* messages);

// Where a package goes: outputFolder relative to the definition's folder unless it holds a drive
// colon; a outputFolder ending in a file name with an extension names the package's folder only.
// packageName's last component, when it has an extension, names the package; otherwise the
// definition's name with ".sdf".
CString ComposePackagePath(const CString& definitionPath, const CString& outputFolder,
                           const CString& packageName);

// The suffixes of the files a package passes through before it is in place.
inline constexpr LPCWSTR kBuildingSuffix = u".building";
inline constexpr LPCWSTR kPreviousSuffix = u".previous";

// Building a skin from a definition whose images are as their authors saved them.
//
// The library's builder packs each resource byte for byte, and the library reads only one
// bitmap layout. BuildSkinConverting examines every resource the definition names; when an
// image needs converting (see imageconvert.h), it stages the definition and its resources in a
// temporary folder (the converted images in place of the originals, every other file byte for
// byte), runs the library's BuildSkin there and puts the packages where the definition says.
// Entry names stay as the definition spells them: "play.png" holds the converted bitmap. The
// author's files are never changed. Without anything to convert it is BuildSkin itself.
#pragma once

#include "platform/base/afx.h"
#include "skindesc/skinmodel.h"

#include <string>
#include <vector>

// One line per image looked at that is not already in the library's layout:
//   converted play.png: PNG 32-bit -> bitmap 32-bit
//   left as it is: logo.bmp: damaged PNG image: ...; save the image again ...
// `messages` receives the builder's messages, as from BuildSkin.
bool BuildSkinConverting(const CString& definitionPath, CString* messages,
                         std::vector<std::string>& notes);

// Where BuildSkin puts the packages of the skin read from definitionPath, in build order.
std::vector<CString> PackagePaths(const tagSKIN& skin, const CString& definitionPath);

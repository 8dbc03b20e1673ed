// The two forms' loaders behind ReadDescription and ReadSkinInformation.
#pragma once

#include "skindesc/skinmodel.h"

void ReadTextForm(CFile& file, tagSKIN& skin);
bool ReadTextFormInformation(CFile& file, tagSKININFORMATION& info);
bool ReadRecordForm(CFile& file, tagSKIN& skin);
bool ReadRecordFormInformation(CFile& file, CString& name, tagSKININFORMATION& info);

#include "skindesc/skindescription.h"

#include "repository/skinfiles.h"
#include "skindesc/descforms.h"
#include "skindesc/descreader.h"

bool ReadDescription(CFile& file, tagSKIN& skin) {
    if (IsRecordForm(file)) return ReadRecordForm(file, skin);
    ReadTextForm(file, skin);
    return true;
}

bool ReadDescriptionFile(const CString& path, tagSKIN& skin) {
    CFile file;
    if (!OpenFileForReading(path, file)) return false;
    return ReadDescription(file, skin);
}

bool ReadSkinInformation(CFile& file, tagSKININFORMATION& info) {
    if (!IsRecordForm(file)) return ReadTextFormInformation(file, info);
    CString name;
    return ReadRecordFormInformation(file, name, info);
}

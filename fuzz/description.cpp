// Arbitrary bytes read as a skin description (the first bytes decide the form). Whatever loads
// must write out in the record form and read back to the same record form, and write out in
// the text form; damage must end in clean failures.

#include "skindesc/descwriter.h"
#include "skindesc/skindescription.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::vector<BYTE> RecordForm(const tagSKIN& skin) {
    CMemFile file(1024);
    WriteDescription(skin, file, false, false, nullptr);
    return std::vector<BYTE>(file.GetData(), file.GetData() + file.GetLength());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<BYTE> bytes(data, data + size);
    CMemFile input(bytes.data(), UINT(bytes.size()));
    tagSKININFORMATION info;
    ReadSkinInformation(input, info);
    tagSKIN skin;
    ReadDescription(input, skin);

    std::vector<BYTE> once = RecordForm(skin);
    CMemFile again(once.data(), UINT(once.size()));
    tagSKIN reread;
    if (!ReadDescription(again, reread) || RecordForm(reread) != once) std::abort();

    CMemFile text(1024);
    CStringList resources;
    WriteDescription(skin, text, true, true, &resources);
    text.SeekToBegin();
    tagSKIN fromText;
    if (!ReadDescription(text, fromText)) std::abort();
    ClearSkin(skin);
    return 0;
}

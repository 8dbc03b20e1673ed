#include "skindesc/attributetext.h"

#include "skindesc/descreader.h"

CAttributeText::CAttributeText(const CString& attributes) {
    std::u16string_view rest = attributes.View(), name, quoted;
    while (NextAttribute(rest, name, quoted))
        m_pairs.emplace_back(name, quoted);
}

bool CAttributeText::Get(const CString& name, CString& value) const {
    value.Empty();
    for (const auto& [key, quoted] : m_pairs) {
        if (!EqualsNoCase(key, name.View())) continue;
        value = UnquoteValue(CString(quoted));
        return true;
    }
    return false;
}

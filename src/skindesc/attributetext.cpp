#include "skindesc/attributetext.h"

#include "skindesc/descreader.h"

CAttributeText::CAttributeText(const CString& attributes) {
    std::u16string_view rest = attributes.View(), name, quoted;
    while (NextAttribute(rest, name, quoted)) {
        if (m_count < kInline)
            m_pairs[m_count++] = {name, quoted};
        else
            m_more.emplace_back(name, quoted);
    }
}

bool CAttributeText::Get(const CString& name, CString& value) const {
    value.Empty();
    auto match = [&](const Pair& pair) {
        if (!EqualsNoCase(pair.first, name.View())) return false;
        value = UnquoteView(pair.second);
        return true;
    };
    for (size_t i = 0; i < m_count; ++i)
        if (match(m_pairs[i])) return true;
    for (const Pair& pair : m_more)
        if (match(pair)) return true;
    return false;
}

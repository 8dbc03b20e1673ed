// The in-memory registry.
#include "platform/base/cstring.h"
#include "platform/user/winreg.h"
#include "platform/user/wndobj.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

namespace user {
namespace {

struct RegValue {
    CString name;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

struct RegKey {
    CString name;
    std::vector<std::shared_ptr<RegKey>> subkeys;
    std::vector<RegValue> values;
    bool deleted = false;
};

struct Registry {
    std::shared_ptr<RegKey> roots[4];
    std::map<uintptr_t, std::shared_ptr<RegKey>> open;
    uintptr_t next = 1;
};

Registry& Reg() {
    static auto* reg = new Registry;
    for (auto& root : reg->roots)
        if (!root) root = std::make_shared<RegKey>();
    return *reg;
}

// Open key handles stay below the predefined roots' values.
constexpr uintptr_t kHandleBase = 0x10000000u;

std::shared_ptr<RegKey> Resolve(HKEY key) {
    uintptr_t v = uintptr_t(key);
    Registry& r = Reg();
    if (v >= 0x80000000u && v <= 0x80000003u) return r.roots[v - 0x80000000u];
    auto it = r.open.find(v);
    if (it == r.open.end() || it->second->deleted) return nullptr;
    return it->second;
}

std::vector<CString> SplitPath(LPCWSTR path) {
    std::vector<CString> parts;
    CString current;
    for (LPCWSTR p = path ? path : u""; *p; ++p) {
        if (*p == u'\\') {
            if (!current.IsEmpty()) parts.push_back(current);
            current.Empty();
        } else {
            current += *p;
        }
    }
    if (!current.IsEmpty()) parts.push_back(current);
    return parts;
}

std::shared_ptr<RegKey> Child(const RegKey& key, const CString& name) {
    for (const auto& sub : key.subkeys)
        if (sub->name.CompareNoCase(name) == 0) return sub;
    return nullptr;
}

RegValue* FindValue(RegKey& key, LPCWSTR name) {
    CString wanted = name ? name : u"";
    for (RegValue& v : key.values)
        if (v.name.CompareNoCase(wanted) == 0) return &v;
    return nullptr;
}

HKEY NewHandle(std::shared_ptr<RegKey> key) {
    Registry& r = Reg();
    uintptr_t v = kHandleBase + r.next++;
    r.open[v] = std::move(key);
    return reinterpret_cast<HKEY>(v);
}

uint64_t g_serial = 1;

void MarkDeleted(RegKey& key) {
    key.deleted = true;
    for (auto& sub : key.subkeys)
        MarkDeleted(*sub);
}

} // namespace

uint64_t RegistrySerial() {
    return g_serial;
}

void ResetRegistry() {
    ++g_serial;
    Registry& r = Reg();
    for (auto& [handle, key] : r.open)
        key->deleted = true;
    r.open.clear();
    for (auto& root : r.roots) {
        MarkDeleted(*root);
        root = std::make_shared<RegKey>();
    }
}

} // namespace user

using namespace user;

LONG RegOpenKeyEx(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result) {
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::shared_ptr<RegKey> k = Resolve(key);
    if (!k) return ERROR_INVALID_HANDLE;
    for (const CString& part : SplitPath(subKey))
        if (!(k = Child(*k, part))) return ERROR_FILE_NOT_FOUND;
    *result = NewHandle(k);
    return ERROR_SUCCESS;
}

LONG RegCreateKeyEx(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR className, DWORD options,
                    REGSAM access, void* security, PHKEY result, LPDWORD disposition) {
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::shared_ptr<RegKey> k = Resolve(key);
    if (!k) return ERROR_INVALID_HANDLE;
    bool created = false;
    for (const CString& part : SplitPath(subKey)) {
        std::shared_ptr<RegKey> next = Child(*k, part);
        if (!next) {
            next = std::make_shared<RegKey>();
            next->name = part;
            k->subkeys.push_back(next);
            created = true;
        }
        k = next;
    }
    if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = NewHandle(k);
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
    uintptr_t v = uintptr_t(key);
    if (v >= 0x80000000u && v <= 0x80000003u) return ERROR_SUCCESS;
    return Reg().open.erase(v) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegQueryValueEx(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                     LPDWORD dataSize) {
    std::shared_ptr<RegKey> k = Resolve(key);
    if (!k) return ERROR_INVALID_HANDLE;
    if (data && !dataSize) return ERROR_INVALID_PARAMETER;
    RegValue* v = FindValue(*k, valueName);
    if (!v) return ERROR_FILE_NOT_FOUND;
    if (type) *type = v->type;
    DWORD needed = DWORD(v->data.size());
    if (!dataSize) return ERROR_SUCCESS;
    if (!data) {
        *dataSize = needed;
        return ERROR_SUCCESS;
    }
    if (*dataSize < needed) {
        *dataSize = needed;
        return ERROR_MORE_DATA;
    }
    std::copy(v->data.begin(), v->data.end(), data);
    *dataSize = needed;
    return ERROR_SUCCESS;
}

LONG RegSetValueEx(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                   DWORD dataSize) {
    std::shared_ptr<RegKey> k = Resolve(key);
    if (!k) return ERROR_INVALID_HANDLE;
    if (!data && dataSize) return ERROR_INVALID_PARAMETER;
    if (type == REG_DWORD && dataSize != sizeof(DWORD)) return ERROR_INVALID_PARAMETER;
    RegValue* v = FindValue(*k, valueName);
    if (!v) {
        k->values.push_back(RegValue{valueName ? valueName : u"", REG_NONE, {}});
        v = &k->values.back();
    }
    v->type = type;
    v->data.assign(data, data + dataSize);
    ++g_serial;
    return ERROR_SUCCESS;
}

LONG RegDeleteValue(HKEY key, LPCWSTR valueName) {
    std::shared_ptr<RegKey> k = Resolve(key);
    if (!k) return ERROR_INVALID_HANDLE;
    RegValue* v = FindValue(*k, valueName);
    if (!v) return ERROR_FILE_NOT_FOUND;
    k->values.erase(k->values.begin() + (v - k->values.data()));
    ++g_serial;
    return ERROR_SUCCESS;
}

LONG RegDeleteKey(HKEY key, LPCWSTR subKey) {
    std::shared_ptr<RegKey> parent = Resolve(key);
    if (!parent) return ERROR_INVALID_HANDLE;
    std::vector<CString> parts = SplitPath(subKey);
    if (parts.empty()) return ERROR_INVALID_PARAMETER;
    for (size_t i = 0; i + 1 < parts.size(); ++i)
        if (!(parent = Child(*parent, parts[i]))) return ERROR_FILE_NOT_FOUND;
    std::shared_ptr<RegKey> target = Child(*parent, parts.back());
    if (!target) return ERROR_FILE_NOT_FOUND;
    if (!target->subkeys.empty()) return ERROR_ACCESS_DENIED;
    target->deleted = true;
    auto& subs = parent->subkeys;
    subs.erase(std::find(subs.begin(), subs.end(), target));
    ++g_serial;
    return ERROR_SUCCESS;
}

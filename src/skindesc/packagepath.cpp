// Composing package paths from the definition's path and the output settings.
#include "skindesc/skinbuilder.h"

namespace {

// A "." directly preceded by another "." does not start an extension.
bool EndsInExtension(const CString& path) {
    int dot = path.ReverseFind(u'.');
    return dot > path.ReverseFind(u'\\') && !(dot > 0 && path[dot - 1] == u'.');
}

CString Trimmed(const CString& s) {
    CString t = s;
    t.Trim();
    return t;
}

} // namespace

CString ComposePackagePath(const CString& definitionPath, const CString& outputFolder,
                           const CString& packageName) {
    int slash = definitionPath.ReverseFind(u'\\');
    CString defFolder = definitionPath.Left(slash + 1);
    CString defName = definitionPath.Mid(slash + 1);
    defName = defName.Left(defName.ReverseFind(u'.')) + u".sdf";

    CString folder = Trimmed(outputFolder), name = Trimmed(packageName);
    if (folder.Find(u':') < 0) {
        if (!folder.IsEmpty() && folder[0] == u'\\') folder = folder.Mid(1);
        folder = defFolder + folder;
    }
    if (EndsInExtension(folder)) folder = folder.Left(folder.ReverseFind(u'\\'));
    if (folder.IsEmpty() || folder[folder.GetLength() - 1] != u'\\') folder += u'\\';

    if (name.Find(u'\\') >= 0) name = name.Mid(name.ReverseFind(u'\\') + 1);
    int dot = name.ReverseFind(u'.');
    if (name.IsEmpty() || name.Find(u'.', 1) < 0 || (dot > 0 && name[dot - 1] == u'.'))
        name = defName;
    return folder + name;
}

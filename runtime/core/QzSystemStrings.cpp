#include "QzSystemStrings.h"

#include <map>

namespace {

const std::map<int, const char16_t*>& messages() {
    static const std::map<int, const char16_t*> texts{
        {2, u"The search reached the end without finding the text. The next search starts again "
            u"from the top."},
        {25, u"Delete the selected image?"},
        {26, u"Delete the selected item?"},
        {34, u"Delete this folder with all its variables and subfolders?"},
        {35, u"Delete this variable?"},
        {36, u"Change the type of this entry? Its value may be lost, and a folder becomes a "
             u"variable."},
        {48, u"Clear all system and user strings of the language package?"},
        {49, u"The package file \"%s\" does not exist."},
        {50, u"Remove all images of the package?"},
        {51, u"The file \"%s\" already exists. Do you want to overwrite it?"},
        {56, u"The data in memory will be replaced by the contents of the file. Do you want to "
             u"continue?"},
        {57, u"Delete all menu items?"},
        {58, u"Clear all labels, messages and texts of the package?"},
        {59, u"Clear all folders and variables of the package?"},
        {60, u"Delete the variables of this folder? Its subfolders are kept."},
        {61, u"Clear all colour, font and background sets and the system and user images of the "
             u"display package?"},
        {65, u"Delete all privileges?"},
        {66, u"The synchronization failed: a package file could not be loaded, merged or saved."},
        {91, u"Give every privilege read and write access again?"},
    };
    return texts;
}

} // namespace

QString QzSystemMessageText(int id) {
    const auto it = messages().find(id);
    return it == messages().end() ? QString() : QString::fromUtf16(it->second);
}

QList<int> QzSystemMessageIds() {
    QList<int> ids;
    for (const auto& [id, text] : messages())
        ids.push_back(id);
    return ids;
}

void QzFillSystemStrings(TQzPkgStrings& package) {
    for (const auto& [id, text] : messages())
        if (!package.Messages()->FindId(id))
            package.Messages()->Add(id, QString::fromUtf16(text))->Protected = true;
}

std::unique_ptr<TQzPkgStrings> QzCreateSystemStrings() {
    auto package = std::make_unique<TQzPkgStrings>();
    package->SetPkgName(QzSystemPackageName.toString());
    QzFillSystemStrings(*package);
    return package;
}

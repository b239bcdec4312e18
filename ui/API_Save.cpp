#include "API_Save.h"

#include "QtString.h"
#include "core/LocaleText.h"
#include "core/OutputFile.h"

#include <QFileDialog>

namespace hl {

namespace {

// Qt reads a filter's patterns from the parentheses of its name; a description without them
// gets its pattern added.
QString NameFilter(const FilterEntry& entry) {
    const QString description = Q(entry.description);
    if (description.contains('(')) return description;
    return QString("%1 (%2)").arg(description, Q(entry.pattern));
}

} // namespace

std::string ShowSaveDialog(QWidget* owner, const std::string& filter, const std::string& title,
                           const std::string& initialFolder, const std::string& defaultName,
                           int filterIndex, std::string* typed) {
    const std::string converted = ConvertFilter(filter);
    QStringList names;
    for (const FilterEntry& entry : FilterEntries(converted))
        names << NameFilter(entry);

    QFileDialog dialog(owner, Q(title), Q(initialFolder));
    dialog.setObjectName("SaveDialog");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(names);
    if (filterIndex >= 1 && filterIndex <= names.size())
        dialog.selectNameFilter(names.at(filterIndex - 1));
    dialog.selectFile(Q(defaultName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};

    const std::string name = dialog.selectedFiles().constFirst().toStdString();
    if (typed) *typed = name;
    const int chosen = static_cast<int>(names.indexOf(dialog.selectedNameFilter())) + 1;
    return name + ExtensionFromFilter(converted, chosen);
}

bool WriteReportFile(const std::string& path, const std::string& document, QString* error,
                     bool lineEnd) {
    const std::string bytes =
        ExportDocument(lineEnd ? document + "\r\n" : document, EndsWith(path, "html"));
    const WriteResult written = WriteOutputFile(path, bytes);
    if (!written.ok && error) *error = Q(written.reason);
    return written.ok;
}

} // namespace hl

#include "savefiledialog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

#include <unistd.h>

namespace platform {

SaveFileDialog::SaveFileDialog(QWidget* parent, const QString& title, const QString& startPath, const QString& filter)
    : QFileDialog(parent, title, startPath, filter)
{
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    const QFileInfo start(startPath);
    setDirectory(start.absolutePath());
    selectFile(start.fileName());
}

QString SaveFileDialog::chosenPath() const
{
    if (result() != QDialog::Accepted)
        return {};
    return m_chosen.isEmpty() ? selectedFiles().value(0) : m_chosen;
}

QString SaveFileDialog::nameProblem(const QString& path)
{
    const QFileInfo file(path);
    if (!QFileInfo(file.absolutePath()).isDir())
        return QStringLiteral("There is no folder %1.").arg(QDir::toNativeSeparators(file.absolutePath()));
    const long longest = ::pathconf(QFile::encodeName(file.absolutePath()).constData(), _PC_NAME_MAX);
    if (longest > 0 && QFile::encodeName(file.fileName()).size() > longest)
        return QStringLiteral("The name is too long: a file name in this folder holds at most %1 bytes.").arg(longest);
    return {};
}

void SaveFileDialog::refuse(const QString& reason)
{
    QMessageBox::warning(this, windowTitle(), reason);
}

bool SaveFileDialog::confirmReplace(const QString& fileName)
{
    return QMessageBox::warning(this, windowTitle(),
                                QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(fileName),
                                QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

void SaveFileDialog::accept()
{
    m_chosen.clear();
    const auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    // A native dialog hands over the name as the user typed it already.
    if (!edit || !edit->isVisible() || edit->text().isEmpty()) {
        QFileDialog::accept();
        return;
    }
    const QString path = directory().absoluteFilePath(edit->text());
    const QFileInfo file(path);
    if (file.isDir()) {
        QFileDialog::accept();
        return;
    }
    if (const QString problem = nameProblem(path); !problem.isEmpty()) {
        refuse(problem);
        return;
    }
    if (!edit->text().contains(u'"')) {
        QFileDialog::accept();
        return;
    }
    // The toolkit would read the quotes as a list of names: the whole text is the one name.
    if (file.exists() && !confirmReplace(file.fileName()))
        return;
    m_chosen = path;
    QDialog::accept();
}

} // namespace platform

#include "bankfilepath.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace quizmark {

namespace {

bool carriesADrive(const QString& name)
{
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    return drive.match(name).hasMatch();
}

bool climbsOut(const QString& name)
{
    return name.split(u'/').contains(QLatin1String(".."));
}

bool isWithin(const QString& canonicalDirectory, const QString& canonicalPath)
{
    return canonicalPath.startsWith(canonicalDirectory + u'/');
}

// Follows every link: a file that exists must resolve inside; one that does not yet (or a link
// that leads nowhere) must not be a link, and its folder must resolve inside.
bool resolvesInside(const QString& directory, const QString& path)
{
    const QString inside = QFileInfo(directory).canonicalFilePath();
    if (inside.isEmpty())
        return true; // no data directory: opening anything in it fails with its own message
    const QFileInfo file(path);
    if (file.exists())
        return isWithin(inside, file.canonicalFilePath());
    if (file.isSymLink())
        return false;
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    return folder.isEmpty() || folder == inside || isWithin(inside, folder);
}

} // namespace

BankFilePath BankFilePath::inFolderOf(const QString& path)
{
    const QFileInfo file(path);
    return BankFilePath(file.path() + u'/', file.fileName());
}

BankFilePath::BankFilePath(const QString& dataDirectory, const QString& bankField)
{
    // The field is fixed-width: its trailing blanks are padding, not part of the name. Either slash
    // separates folders, as the catalogue may have been written on either kind of system.
    QString name = bankField;
    while (name.endsWith(u' '))
        name.chop(1);
    name.replace(u'\\', u'/');
    m_path = dataDirectory + name;
    if (name.isEmpty())
        m_problem = QStringLiteral("The catalogue gives no file name for it.");
    else if (QDir::isAbsolutePath(name) || carriesADrive(name) || climbsOut(name))
        m_problem = QStringLiteral("Its name is not a file name inside the data directory.");
    else if (!resolvesInside(dataDirectory, m_path))
        m_problem = QStringLiteral("It is a link that leads outside the data directory.");
}

} // namespace quizmark

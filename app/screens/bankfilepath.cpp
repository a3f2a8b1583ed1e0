#include "bankfilepath.h"

#include <QDir>
#include <QFileInfo>

namespace quizmark {

namespace {

bool isPlainFileName(const QString& name)
{
    return !name.isEmpty() && name != u'.' && name != QLatin1String("..") && !name.contains(u'/')
        && !name.contains(u'\\') && !name.contains(u':') && !QDir::isAbsolutePath(name);
}

// A link is followed only when it ends inside the data directory itself.
bool staysInside(const QString& directory, const QString& path)
{
    const QFileInfo file(path);
    if (!file.isSymLink())
        return true;
    const QString target = file.canonicalFilePath();
    return !target.isEmpty() && QFileInfo(target).canonicalPath() == QDir(directory).canonicalPath();
}

}

BankFilePath::BankFilePath(const QString& dataDirectory, const QString& bankField)
{
    // The field is fixed-width: its trailing blanks are padding, not part of the name.
    QString name = bankField;
    while (name.endsWith(u' '))
        name.chop(1);
    m_path = dataDirectory + name;
    if (!isPlainFileName(name))
        m_problem = QStringLiteral("Its name is not a plain file name inside the data directory.");
    else if (!staysInside(dataDirectory, m_path))
        m_problem = QStringLiteral("It is a link that leads outside the data directory.");
}

}

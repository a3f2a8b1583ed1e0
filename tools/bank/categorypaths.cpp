#include "categorypaths.h"

#include <QRegularExpression>

namespace quizmark {

void CategoryPaths::declare(const QString& path)
{
    const QStringList split = parts(path);
    m_current = m_paths.indexOf(split);
    if (m_current < 0) {
        m_paths.append(split);
        m_current = m_paths.size() - 1;
    }
}

void CategoryPaths::addQuestion()
{
    m_questions.append(m_current);
}

QStringList CategoryPaths::parts(const QString& path)
{
    static const QRegularExpression separator(QStringLiteral("(?<!/)/(?!/)"));
    QStringList parts = path.split(separator);
    for (QString& part : parts)
        part = part.replace(QStringLiteral("//"), QStringLiteral("/")).trimmed();
    return parts;
}

QStringList CategoryPaths::withoutContext(QStringList parts)
{
    static const QRegularExpression context(QStringLiteral("^\\$[a-z0-9]*\\$$"));
    if (!parts.isEmpty() && context.match(parts.first()).hasMatch()) {
        parts.removeFirst();
        if (!parts.isEmpty() && parts.first() == u"top")
            parts.removeFirst();
    }
    return parts;
}

QStringList CategoryPaths::commonPath() const
{
    QStringList common = withoutContext(m_paths.first());
    for (const QStringList& path : m_paths) {
        const QStringList own = withoutContext(path);
        qsizetype shared = 0;
        while (shared < common.size() && shared < own.size() && common[shared] == own[shared])
            ++shared;
        common = common.mid(0, shared);
    }
    return common;
}

void CategoryPaths::apply(ImportedExam& exam) const
{
    if (m_paths.isEmpty())
        return;
    // One category names the exam and makes no domains.
    if (m_paths.size() == 1) {
        exam.name = m_paths.first().last();
        return;
    }
    const QStringList common = commonPath();
    // Categories with nothing in common give no name: the file's own name or --name stands in.
    if (!common.isEmpty())
        exam.name = common.last();
    for (qsizetype q = 0; q < exam.questions.size() && q < m_questions.size(); ++q)
        if (m_questions[q] >= 0)
            exam.questions[q].domain = withoutContext(m_paths[m_questions[q]]).mid(common.size()).join(u'/');
}

} // namespace quizmark

#include "bankbuilder.h"

#include "datadirectory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <filesystem>

namespace quizmark {

BankBuilder::BankBuilder(QList<BankExam> exams)
    : m_banks(std::move(exams))
{
    for (const BankExam& exam : m_banks)
        m_catalogue.append(exam.catalogue);
}

BankBuilder::BankBuilder(QList<CatalogueRecord> catalogue, QList<BankExam> banks)
    : m_catalogue(std::move(catalogue))
    , m_banks(std::move(banks))
{
}

QMap<QString, QByteArray> BankBuilder::files() const
{
    QMap<QString, QByteArray> files;
    QByteArray& index = files[DataDirectory::IndexFile];
    index.reserve(qsizetype(m_catalogue.size()) * CatalogueRecord::Length);
    for (const CatalogueRecord& record : m_catalogue)
        index.append(record.toBytes());
    for (const BankExam& exam : m_banks) {
        QByteArray bank;
        bank.reserve(qsizetype(exam.questions.size()) * QuestionRecord::Length);
        for (const QuestionRecord& question : exam.questions)
            bank.append(question.toBytes());
        files.insert(exam.catalogue.bankFileName(), bank);
    }
    return files;
}

bool BankBuilder::write(const QString& directory, QString* error) const
{
    if (!QDir().mkpath(directory)) {
        *error = QStringLiteral("cannot create the directory %1").arg(directory);
        return false;
    }
    // Everything is written beside the target first, so a failed write replaces nothing, and
    // the renames stay on one file system.
    QTemporaryDir staging(QDir(directory).filePath(QStringLiteral(".quizmark-bank-XXXXXX")));
    if (!staging.isValid()) {
        *error = QStringLiteral("cannot write into %1: %2").arg(directory, staging.errorString());
        return false;
    }
    const QMap<QString, QByteArray> contents = files();
    for (auto it = contents.cbegin(); it != contents.cend(); ++it) {
        QFile file(staging.filePath(it.key()));
        if (!file.open(QIODevice::WriteOnly) || file.write(it.value()) != it.value().size() || !file.flush()) {
            *error = QStringLiteral("cannot write %1: %2").arg(QDir(directory).filePath(it.key()), file.errorString());
            return false;
        }
    }
    // The catalogue goes last, so that it never names a bank that is not in place yet.
    QStringList order = contents.keys();
    order.removeOne(DataDirectory::IndexFile);
    order.append(DataDirectory::IndexFile);
    for (const QString& name : order) {
        std::error_code failure;
        std::filesystem::rename(QFile::encodeName(staging.filePath(name)).toStdString(),
                                QFile::encodeName(QDir(directory).filePath(name)).toStdString(), failure);
        if (failure) {
            *error = QStringLiteral("cannot replace %1: %2")
                         .arg(QDir(directory).filePath(name), QString::fromStdString(failure.message()));
            return false;
        }
    }
    return true;
}

} // namespace quizmark

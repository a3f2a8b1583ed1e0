#include "catalogueedit.h"

#include "bankbuilder.h"
#include "examrules.h"

#include "data/bankdomains.h"
#include "data/fixedfield.h"

#include <limits>

namespace quizmark {

namespace {
constexpr qint64 MaximumRecords = std::numeric_limits<std::int16_t>::max();

QString examName(const CatalogueRecord& record)
{
    return FixedField::trimmedRight(record.ExamName);
}
} // namespace

CatalogueEdit::CatalogueEdit(DataDirectory directory)
    : m_directory(std::move(directory))
{
}

bool CatalogueEdit::load()
{
    // A directory without a catalogue starts an empty one.
    if (!m_directory.isPresent(DataDirectory::IndexFile))
        return true;
    QString error;
    auto index = m_directory.open(DataDirectory::IndexFile, CatalogueRecord::Length, &error);
    if (!index) {
        m_errors.append(QStringLiteral("%1 %2").arg(m_directory.filePath(DataDirectory::IndexFile), error));
        return false;
    }
    if (index->fragment() != 0 || index->wholeRecords() > MaximumRecords) {
        m_errors.append(
            QStringLiteral("%1 is damaged: %2 bytes are not whole records of %3 bytes each, at most %4 of them")
                .arg(m_directory.filePath(DataDirectory::IndexFile))
                .arg(index->length())
                .arg(CatalogueRecord::Length)
                .arg(MaximumRecords));
        return false;
    }
    for (qint64 n = 1; n <= index->wholeRecords(); ++n)
        m_catalogue.append(CatalogueRecord::fromBytes(index->record(n)));
    this->index();
    return true;
}

bool CatalogueEdit::add(const QList<BankExam>& exams, bool replace)
{
    const qsizetype errorsBefore = m_errors.size();
    index();
    for (const BankExam& exam : exams) {
        const QString bank = exam.catalogue.bankFileName();
        const qsizetype taken = bankIndex(bank);
        if (taken < 0 && !replace && m_directory.isPresent(bank)) {
            m_errors.append(
                QStringLiteral("%1: bank %2 is already a file in %3 that no exam names; --replace replaces it")
                    .arg(examName(exam.catalogue), bank, m_directory.path()));
            continue;
        }
        if (taken >= 0 && !replace) {
            m_errors.append(QStringLiteral("%1: bank %2 is already used by exam %3 \"%4\"; --replace replaces it")
                                .arg(examName(exam.catalogue), bank)
                                .arg(taken + 1)
                                .arg(examName(m_catalogue[taken])));
            continue;
        }
        const qsizetype sameName = nameIndex(exam.catalogue.ExamName);
        if (sameName >= 0 && sameName != taken) {
            m_errors.append(
                QStringLiteral("%1: exam %2 already has this name").arg(examName(exam.catalogue)).arg(sameName + 1));
            continue;
        }
        // A replaced exam keeps its place, so the score history's exam numbers still name it.
        if (taken >= 0) {
            if (nameIndex(m_catalogue[taken].ExamName) == taken)
                m_names.remove(nameKey(m_catalogue[taken].ExamName));
            m_catalogue[taken] = exam.catalogue;
            indexRecord(taken);
            m_notes.append(QStringLiteral("exam %1 \"%2\" replaced").arg(taken + 1).arg(examName(exam.catalogue)));
        } else {
            m_catalogue.append(exam.catalogue);
            indexRecord(m_catalogue.size() - 1);
            m_notes.append(
                QStringLiteral("exam %1 \"%2\" added").arg(m_catalogue.size()).arg(examName(exam.catalogue)));
        }
        m_added.append(exam);
    }
    if (m_catalogue.size() > MaximumRecords)
        m_errors.append(QStringLiteral("a catalogue holds at most %1 exams").arg(MaximumRecords));
    return m_errors.size() == errorsBefore;
}

bool CatalogueEdit::remove(const QString& exam)
{
    const qsizetype index = examIndex(exam);
    if (index < 0) {
        m_errors.append(QStringLiteral("no exam %1 in %2").arg(exam, m_directory.filePath(DataDirectory::IndexFile)));
        return false;
    }
    const CatalogueRecord removed = m_catalogue.takeAt(index);
    this->index();
    m_notes.append(QStringLiteral("exam %1 \"%2\" removed").arg(index + 1).arg(examName(removed)));
    // A bank that another exam still names stays.
    if (bankIndex(removed.bankFileName()) < 0 && DataDirectory::bankNameProblem(removed.bankFileName()).isEmpty())
        m_removedBank = removed.bankFileName();
    return true;
}

bool CatalogueEdit::write()
{
    QString error;
    BankBuilder builder(m_catalogue, m_added);
    builder.stopAfterRenames(m_stopAfterRenames);
    if (!m_removedBank.isEmpty()
        && (m_directory.isPresent(m_removedBank) || m_directory.isPresent(BankDomains::pathFor(m_removedBank))))
        builder.removeBank(m_removedBank);
    if (!builder.write(m_directory.path(), &error)) {
        m_errors.append(error);
        return false;
    }
    if (!m_removedBank.isEmpty() && m_directory.isPresent(m_removedBank))
        m_notes.append(QStringLiteral("the bank file %1 could not be removed").arg(m_removedBank));
    return true;
}

QStringList CatalogueEdit::strangersReplaced(const DataDirectory& directory, const QList<BankExam>& exams)
{
    CatalogueEdit there(directory);
    // A catalogue that cannot be read names no bank: every file there is then a stranger.
    if (!there.load())
        there.m_catalogue.clear();
    there.index();
    QStringList refusals;
    for (const BankExam& exam : exams) {
        const QString bank = exam.catalogue.bankFileName();
        if (directory.isPresent(bank) && there.bankIndex(bank) < 0)
            refusals.append(
                QStringLiteral("%1: bank %2 is already a file in %3 that no exam names; --replace replaces it")
                    .arg(examName(exam.catalogue), bank, directory.path()));
    }
    return refusals;
}

void CatalogueEdit::index()
{
    m_banks.clear();
    m_names.clear();
    for (qsizetype i = m_catalogue.size() - 1; i >= 0; --i)
        indexRecord(i);
}

// Earlier records win, as the search from the first did.
void CatalogueEdit::indexRecord(qsizetype at)
{
    const CatalogueRecord& record = m_catalogue[at];
    for (auto [table, key] :
         { std::pair{ &m_banks, bankKey(record.bankFileName()) }, std::pair{ &m_names, nameKey(record.ExamName) } }) {
        const auto found = table->constFind(key);
        if (found == table->cend() || found.value() > at)
            table->insert(key, at);
    }
}

QString CatalogueEdit::bankKey(const QString& bank)
{
    return bank.toCaseFolded();
}

QString CatalogueEdit::nameKey(const QString& name)
{
    return FixedField::trimmedRight(name);
}

qsizetype CatalogueEdit::examIndex(const QString& exam) const
{
    bool isNumber = false;
    const qsizetype number = exam.toLongLong(&isNumber);
    if (isNumber)
        return number >= 1 && number <= m_catalogue.size() ? number - 1 : -1;
    return nameIndex(exam);
}

qsizetype CatalogueEdit::bankIndex(const QString& bank) const
{
    return m_banks.value(bankKey(bank), -1);
}

qsizetype CatalogueEdit::nameIndex(const QString& name) const
{
    return m_names.value(nameKey(name), -1);
}

} // namespace quizmark

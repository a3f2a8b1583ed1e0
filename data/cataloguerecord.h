#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace platform {
class RecordFile;
}

namespace quizmark {

// One exam of the catalogue index.dat.
struct CatalogueRecord {
    static constexpr int Length = 307;
    static constexpr int ExamNameWidth = 25;
    static constexpr int BankFileWidth = 80;
    static constexpr int DescriptionWidth = 200;

    QString ExamName = QString(ExamNameWidth, u' ');
    QString BankFile = QString(BankFileWidth, u' ');
    std::int16_t QuestionTotal = 0;
    QString Description = QString(DescriptionWidth, u' ');

    static CatalogueRecord fromBytes(const QByteArray& bytes);
    QByteArray toBytes() const;
    // BankFile without its trailing blanks: the name of the bank file in the data directory.
    QString bankFileName() const;

    static CatalogueRecord read(platform::RecordFile& file, qint64 record);
    // Records in a catalogue of that many bytes: a trailing fragment of at least half a record counts.
    static std::int16_t count(qint64 fileLength);
};

}

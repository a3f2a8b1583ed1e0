#pragma once

#include "tools/bank/bankcommandline.h"

#include "data/cataloguerecord.h"
#include "data/questionrecord.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>

namespace banktest {

struct Outcome
{
    int code = -1;
    QString out;
    QString err;
};

// Runs the tool's command line in the test's own process; defaultDirectory stands in for a DIR left out.
inline Outcome run(QStringList arguments, const QString& defaultDirectory = {})
{
    Outcome outcome;
    QTextStream out(&outcome.out);
    QTextStream err(&outcome.err);
    arguments.prepend(QStringLiteral("quizmark-bank"));
    outcome.code = quizmark::BankCommandLine(out, err, defaultDirectory).run(arguments);
    return outcome;
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QByteArray catalogueRecord(const QString& name, const QString& bank, std::int16_t total)
{
    quizmark::CatalogueRecord record;
    record.ExamName = name;
    record.BankFile = bank;
    record.QuestionTotal = total;
    record.Description = QStringLiteral("About ") + name;
    return record.toBytes();
}

inline QByteArray questionRecord(std::array<std::int16_t, 4> correct, const QString& text = QStringLiteral("Which?"))
{
    quizmark::QuestionRecord record;
    record.Question = text;
    for (int k = 1; k <= 4; ++k)
        record.option(k) = QStringLiteral("Option %1").arg(k);
    record.CorrectOptions = correct;
    record.Explanation = QStringLiteral("Because.");
    return record.toBytes();
}

inline QJsonObject question(QJsonArray correct = { 2, 4 })
{
    return {
        { QStringLiteral("question"), QStringLiteral("Which of these are even?") },
        { QStringLiteral("options"),
          QJsonArray{ QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three"), QStringLiteral("four") } },
        { QStringLiteral("correct"), correct },
        { QStringLiteral("explanation"), QStringLiteral("Two and four divide by two.") },
    };
}

inline QJsonObject exam(const QString& name, const QString& bank, int questions = 2)
{
    QJsonArray list;
    for (int i = 0; i < questions; ++i)
        list.append(question());
    return {
        { QStringLiteral("name"), name },
        { QStringLiteral("bank"), bank },
        { QStringLiteral("description"), QStringLiteral("Numbers and their parity.") },
        { QStringLiteral("questions"), list },
    };
}

inline QString writeSource(const QTemporaryDir& dir, const QString& name, const QJsonArray& exams)
{
    const QString path = dir.filePath(name);
    writeFile(path, QJsonDocument(QJsonObject{ { QStringLiteral("exams"), exams } }).toJson());
    return path;
}

} // namespace banktest

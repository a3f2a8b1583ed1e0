#pragma once

#include "datadirectory.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>

#include <optional>

namespace quizmark {

// The catalogue of a data directory and every bank it names, in the source format of the tool.
class BankDumper
{
public:
    explicit BankDumper(DataDirectory directory);

    // Empty when index.dat cannot be read; banks that cannot be read dump without questions
    // and are named in warnings().
    std::optional<QJsonDocument> dump();
    const QStringList& warnings() const { return m_warnings; }

private:
    QJsonArray questions(const QString& bank, const QString& exam);

    DataDirectory m_directory;
    QStringList m_warnings;
};

} // namespace quizmark

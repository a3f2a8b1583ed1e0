#pragma once

#include <cstddef>
#include <cstdint>

#include <QByteArray>
#include <QString>

namespace quizmark {
struct ImportedExam;
}

// Puts what a format's reader made of any input through the source's checks, with and without
// leaving out the unfit questions: every exam accepted must make records that read back field for
// field, a refusal must say why, and a question taken as fit names only options it has.
void checkImport(const quizmark::ImportedExam& imported, const QString& format);

inline QByteArray fuzzInput(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

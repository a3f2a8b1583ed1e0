#include "runtimeerror.h"

#include <QHash>

namespace platform {

QString RuntimeError::standardMessage(int number)
{
    static const QHash<int, QString> messages {
        { ErrorNumber::InvalidProcedureCall, QStringLiteral("Invalid procedure call or argument") },
        { ErrorNumber::Overflow, QStringLiteral("Overflow") },
        { ErrorNumber::OutOfMemory, QStringLiteral("Out of memory") },
        { ErrorNumber::SubscriptOutOfRange, QStringLiteral("Subscript out of range") },
        { ErrorNumber::DivisionByZero, QStringLiteral("Division by zero") },
        { ErrorNumber::TypeMismatch, QStringLiteral("Type mismatch") },
        { ErrorNumber::BadFileNameOrNumber, QStringLiteral("Bad file name or number") },
        { ErrorNumber::FileNotFound, QStringLiteral("File not found") },
        { ErrorNumber::FileAlreadyOpen, QStringLiteral("File already open") },
        { ErrorNumber::DeviceIoError, QStringLiteral("Device I/O error") },
        { ErrorNumber::DiskFull, QStringLiteral("Disk full") },
        { ErrorNumber::BadRecordNumber, QStringLiteral("Bad record number") },
        { ErrorNumber::PermissionDenied, QStringLiteral("Permission denied") },
        { ErrorNumber::PathFileAccessError, QStringLiteral("Path/File access error") },
        { ErrorNumber::PathNotFound, QStringLiteral("Path not found") },
        { ErrorNumber::ObjectVariableNotSet, QStringLiteral("Object variable or With block variable not set") },
        { ErrorNumber::InvalidPropertyValue, QStringLiteral("Invalid property value") },
        { ErrorNumber::ObjectRequired, QStringLiteral("Object required") },
        { ErrorNumber::ObjectDoesNotSupportMember, QStringLiteral("Object doesn't support this property or method") },
        { ErrorNumber::WrongNumberOfArguments, QStringLiteral("Wrong number of arguments or invalid property assignment") },
    };
    return messages.value(number, QStringLiteral("Application-defined or object-defined error"));
}

static std::string whatText(int number, const QString& description, const QString& detail)
{
    QString text = QStringLiteral("Run-time error '%1': %2").arg(number).arg(description);
    if (!detail.isEmpty())
        text += QStringLiteral(" (%1)").arg(detail);
    return text.toStdString();
}

RuntimeError::RuntimeError(int number, QString detail, QString source)
    : std::runtime_error(whatText(number, standardMessage(number), detail))
    , m_number(number)
    , m_description(standardMessage(number))
    , m_detail(std::move(detail))
    , m_source(std::move(source))
{
}

RuntimeError::RuntimeError(int number, QString description, QString source, bool)
    : std::runtime_error(whatText(number, description, {}))
    , m_number(number)
    , m_description(std::move(description))
    , m_source(std::move(source))
{
}

QString RuntimeError::message() const
{
    return m_detail.isEmpty() ? m_description : QStringLiteral("%1: %2").arg(m_description, m_detail);
}

}

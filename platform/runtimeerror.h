#pragma once

#include <QString>

#include <stdexcept>

namespace platform {

// The runtime's error numbers that this system raises or reports.
namespace ErrorNumber {
constexpr int InvalidProcedureCall = 5;
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int SubscriptOutOfRange = 9;
constexpr int DivisionByZero = 11;
constexpr int TypeMismatch = 13;
constexpr int BadFileNameOrNumber = 52;
constexpr int FileNotFound = 53;
constexpr int FileAlreadyOpen = 55;
constexpr int DeviceIoError = 57;
constexpr int DiskFull = 61;
constexpr int BadRecordNumber = 63;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccessError = 75;
constexpr int PathNotFound = 76;
constexpr int ObjectVariableNotSet = 91;
constexpr int InvalidPropertyValue = 380;
constexpr int ObjectRequired = 424;
constexpr int ObjectDoesNotSupportMember = 438;
constexpr int WrongNumberOfArguments = 450;
}

// A run-time error as the runtime raises it: a number, its standard message, and where it applies a
// detail such as the path of the file concerned.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(int number, QString detail = {}, QString source = {});
    RuntimeError(int number, QString description, QString source, bool customDescription);

    int number() const { return m_number; }
    // The standard message, or the raiser's own description for application-defined errors.
    const QString& description() const { return m_description; }
    const QString& detail() const { return m_detail; }
    const QString& source() const { return m_source; }
    // The description followed by the detail, as the error box shows it.
    QString message() const;

    static QString standardMessage(int number);

private:
    int m_number;
    QString m_description;
    QString m_detail;
    QString m_source;
};

}

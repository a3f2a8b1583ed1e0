#pragma once

#include "variant.h"

#include <QString>

#include <vector>

namespace platform {

// What a failed member call reports back across the dispatch boundary.
struct ExceptionInfo {
    int number = 0;
    QString source;
    QString description;
};

enum class InvokeKind {
    Method = 1,
    PropertyGet = 2,
    PropertyPut = 4,
    PropertyPutRef = 8,
};

// Status codes of dispatch calls.
namespace DispatchStatus {
constexpr long Ok = 0;
constexpr long MemberNotFound = long(0x80020003u);
constexpr long TypeMismatch = long(0x80020005u);
constexpr long UnknownName = long(0x80020006u);
constexpr long Exception = long(0x80020009u);
constexpr long BadParamCount = long(0x8002000Eu);
}

// Late-bound access to an object's members by dispatch identifier. No C++ exception crosses this
// interface: failures come back as a status, with the error in ExceptionInfo.
class Dispatch : public AutomationObject {
public:
    // The identifier of a member named without regard to letter case.
    virtual long GetIDsOfNames(const QString& name, int& dispid) const = 0;
    // Arguments in call order; for a put, the value is the last argument.
    virtual long Invoke(int dispid, InvokeKind kind, std::vector<Variant>& arguments, Variant& result,
        ExceptionInfo& exception)
        = 0;
};

// A dispatch call from the program's side: a failure becomes the runtime error it stands for.
Variant invoke(Dispatch& object, int dispid, InvokeKind kind, std::vector<Variant> arguments = {});

}

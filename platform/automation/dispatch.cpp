#include "dispatch.h"

#include "platform/runtimeerror.h"

namespace platform {

Variant invoke(Dispatch& object, int dispid, InvokeKind kind, std::vector<Variant> arguments)
{
    Variant result;
    ExceptionInfo exception;
    const long status = object.Invoke(dispid, kind, arguments, result, exception);
    switch (status) {
    case DispatchStatus::Ok:
        return result;
    case DispatchStatus::Exception:
        throw RuntimeError(exception.number, exception.description, exception.source, true);
    case DispatchStatus::TypeMismatch:
        throw RuntimeError(ErrorNumber::TypeMismatch);
    case DispatchStatus::BadParamCount:
        throw RuntimeError(ErrorNumber::WrongNumberOfArguments);
    default:
        throw RuntimeError(ErrorNumber::ObjectDoesNotSupportMember);
    }
}

}

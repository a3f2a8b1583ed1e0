#pragma once

#include "plotvane_export.h"

#include <QString>

#include <optional>
#include <span>

namespace plotvane {

/// The description of the library Plotvane98: its members and events with their identifiers,
/// access and help strings, in the order of the interfaces.
class PLOTVANE_EXPORT TypeLibrary
{
public:
    enum Access
    {
        Get = 1,
        Let = 2,
        SetByReference = 4,
        Call = 8
    };

    struct Member
    {
        int dispid;
        const char* name;
        int access;
        const char* help; // empty where the member has none
    };

    struct Event
    {
        int dispid;
        const char* name;
        const char* arguments;
        const char* help;
    };

    static std::span<const Member> members();
    static std::span<const Event> events();
    /// The member of that name, letter case ignored.
    static const Member* member(const QString& name);
    static const Member* member(int dispid);
};

} // namespace plotvane

#pragma once

#include "platform/automation/fontobject.h"
#include "platform/automation/variant.h"
#include "platform/runtimeerror.h"

#include <QString>

#include <utility>
#include <vector>

namespace plotvane {

// The named values a container saves with its form. Keys are matched without regard to letter
// case and kept in the order they were first written. Header-only, so a container can fill and
// read one without linking the control library.
class PropertyBag
{
public:
    using Entry = std::pair<QString, platform::Variant>;

    // The stored value, or defaultValue when the bag lacks the key.
    platform::Variant read(const QString& key, const platform::Variant& defaultValue) const
    {
        const Entry* entry = find(key);
        return entry ? entry->second : defaultValue;
    }

    // Stores value under key unless it equals defaultValue, in which case the key is removed.
    void write(const QString& key, const platform::Variant& value, const platform::Variant& defaultValue)
    {
        if (sameValue(value, defaultValue)) {
            remove(key);
            return;
        }
        set(key, value);
    }

    // Stores value unconditionally, as a container does when it loads its form.
    void set(const QString& key, const platform::Variant& value)
    {
        if (Entry* entry = find(key))
            entry->second = value;
        else
            m_entries.emplace_back(key, value);
    }

    bool contains(const QString& key) const { return find(key) != nullptr; }
    void remove(const QString& key)
    {
        std::erase_if(m_entries, [&](const Entry& e) { return e.first.compare(key, Qt::CaseInsensitive) == 0; });
    }
    const std::vector<Entry>& entries() const { return m_entries; }

private:
    const Entry* find(const QString& key) const
    {
        for (const Entry& e : m_entries)
            if (e.first.compare(key, Qt::CaseInsensitive) == 0)
                return &e;
        return nullptr;
    }
    Entry* find(const QString& key) { return const_cast<Entry*>(std::as_const(*this).find(key)); }

    // Fonts are equal when they look the same; values that cannot be compared never are.
    static bool sameValue(const platform::Variant& a, const platform::Variant& b)
    {
        using Type = platform::Variant::Type;
        if (a.type() == Type::Object || b.type() == Type::Object) {
            if (a.type() != b.type())
                return false;
            auto fa = std::dynamic_pointer_cast<platform::FontObject>(a.toObject());
            auto fb = std::dynamic_pointer_cast<platform::FontObject>(b.toObject());
            if (!fa || !fb)
                return a.toObject() == b.toObject();
            return fa->Name.compare(fb->Name, Qt::CaseInsensitive) == 0 && fa->Size == fb->Size && fa->Bold == fb->Bold
                && fa->Italic == fb->Italic && fa->Underline == fb->Underline && fa->Strikethrough == fb->Strikethrough;
        }
        if (a.type() == Type::Array || b.type() == Type::Array)
            return false;
        try {
            return a == b;
        } catch (const platform::RuntimeError&) {
            return false;
        }
    }

    std::vector<Entry> m_entries;
};

} // namespace plotvane

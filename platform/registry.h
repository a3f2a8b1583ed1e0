#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace platform {

// The system registry as the about box reads it: open a key, query a value, close the key.
// Results are the system's status codes (0 = success).
class Registry {
public:
    using Key = std::uintptr_t;
    static constexpr Key LocalMachine = 0x80000002u;
    static constexpr long Success = 0;
    static constexpr long FileNotFound = 2;
    static constexpr std::uint32_t StringValue = 1;
    static constexpr std::uint32_t NumberValue = 4;

    virtual ~Registry() = default;
    virtual long openKey(Key root, const QString& name, std::uint32_t access, Key& opened) = 0;
    // Fills data with at most capacity bytes of the value and sets type to its kind.
    virtual long queryValue(Key key, const QString& valueName, std::uint32_t& type, QByteArray& data,
        int capacity)
        = 0;
    virtual long closeKey(Key key) = 0;
};

// Platforms without a registry: every key is missing.
class NoRegistry : public Registry {
public:
    long openKey(Key root, const QString& name, std::uint32_t access, Key& opened) override;
    long queryValue(Key key, const QString& valueName, std::uint32_t& type, QByteArray& data, int capacity) override;
    long closeKey(Key key) override;
};

}

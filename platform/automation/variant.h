#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <variant>

namespace platform {

class SafeArray;

// An object reference that crosses the automation boundary; concrete kinds (fonts, controls)
// derive from it.
class AutomationObject {
public:
    virtual ~AutomationObject() = default;
};

// The runtime's tagged value. Arrays and objects are held by shared reference, as the runtime
// holds them; copying a Variant that holds an array shares the array.
class Variant {
public:
    // The runtime's type numbers.
    enum class Type : int {
        Empty = 0,
        Integer = 2,
        Long = 3,
        Single = 4,
        Double = 5,
        String = 8,
        Object = 9,
        Boolean = 11,
        Array = 8192 + 12, // an array of Variants
    };

    Variant() = default;
    Variant(const Variant&) = default;
    Variant(Variant&&) noexcept = default;
    Variant& operator=(Variant&&) noexcept = default;
    Variant& operator=(const Variant& other)
    {
        // Tables of numbers are copied cell by cell: a Double over a Double is one store.
        if (const double* value = std::get_if<double>(&other.m_value); value && m_value.index() == other.m_value.index()) {
            *std::get_if<double>(&m_value) = *value;
            return *this;
        }
        m_value = other.m_value;
        return *this;
    }
    Variant(std::int16_t value) : m_value(value) { }
    Variant(std::int32_t value) : m_value(value) { }
    Variant(float value) : m_value(value) { }
    Variant(double value) : m_value(value) { }
    Variant(bool value) : m_value(value) { }
    Variant(QString value) : m_value(std::move(value)) { }
    Variant(const char* value) : m_value(QString::fromUtf8(value)) { }
    Variant(std::shared_ptr<AutomationObject> object) : m_value(std::move(object)) { }
    Variant(std::shared_ptr<SafeArray> array) : m_value(std::move(array)) { }

    Type type() const;
    bool isEmpty() const { return type() == Type::Empty; }
    bool isNumeric() const;

    // Conversions as the runtime makes them: Empty is 0 or "", True is -1, a string must hold a
    // number (error 13 "Type mismatch" otherwise), integers round halves to even and overflow (6).
    double toDouble() const
    {
        // Tables of numbers are read cell by cell: a Double needs no conversion.
        if (const double* value = std::get_if<double>(&m_value))
            return *value;
        return convertedToDouble();
    }
    float toSingle() const;
    std::int16_t toInteger() const;
    std::int32_t toLong() const;
    bool toBoolean() const;
    QString toString() const;
    std::shared_ptr<AutomationObject> toObject() const;
    std::shared_ptr<SafeArray> toArray() const;

    // -1, 0 or 1; numbers compare as numbers, strings as text, Empty as 0 or "".
    static int compare(const Variant& a, const Variant& b);
    friend bool operator==(const Variant& a, const Variant& b) { return compare(a, b) == 0; }
    friend bool operator<(const Variant& a, const Variant& b) { return compare(a, b) < 0; }

    // Arithmetic with the runtime's widening: Integer to Long to Double on overflow, Single stays
    // Single unless a Double takes part; division always gives a Double and dividing by 0 is error 11.
    friend Variant operator+(const Variant& a, const Variant& b);
    friend Variant operator-(const Variant& a, const Variant& b);
    friend Variant operator*(const Variant& a, const Variant& b);
    friend Variant operator/(const Variant& a, const Variant& b);

private:
    double convertedToDouble() const;

    using Value = std::variant<std::monostate, std::int16_t, std::int32_t, float, double, QString, bool,
        std::shared_ptr<AutomationObject>, std::shared_ptr<SafeArray>>;
    Value m_value;
};

}

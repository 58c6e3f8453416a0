#pragma once
// The framework's Variant: a value of one of the types the program stores or
// passes to scripts. VarType follows the framework's numbering (2 Integer,
// 5 Double, 8 String, 11 Boolean, 9 Object).
#include <QString>
#include <cstdint>
#include <memory>
#include <variant>

class Variant {
public:
    using Object = std::shared_ptr<void>;
    Variant() = default;
    Variant(int32_t v) : v_(v) {}
    Variant(double v) : v_(v) {}
    Variant(bool v) : v_(v) {}
    Variant(const QString& v) : v_(v) {}
    Variant(const char* v) : v_(QString::fromUtf8(v)) {}
    template <class T>
    Variant(std::shared_ptr<T> object) : v_(Object(std::move(object))) {}

    int32_t VarType() const;
    int32_t ToInt32() const;
    double ToDouble() const;
    bool ToBoolean() const;
    QString ToString() const;
    template <class T>
    std::shared_ptr<T> ToObject() const {
        if (auto o = std::get_if<Object>(&v_)) return std::static_pointer_cast<T>(*o);
        return nullptr;
    }

private:
    std::variant<std::monostate, int32_t, double, bool, QString, Object> v_;
};

#pragma once
// An object whose properties can be set by name from a layout record: windows
// and controls. Each property has a declared type that decides how its value is
// encoded in a record (see LayoutRecord.h). Names are matched without regard to
// case, since stored records spell some of them differently ("MultiLine").
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <map>
#include <variant>

#include "framework/core/Color.h"

enum class PropertyType { Int32, Boolean, Color, String };
using PropertyValue = std::variant<int32_t, bool, Color, QString>;

class PropertyObject {
public:
    virtual ~PropertyObject() = default;

    bool HasProperty(const QString& name) const;
    // Throws std::invalid_argument for a property this object does not have.
    PropertyType TypeOfProperty(const QString& name) const;
    // Throws std::invalid_argument for an unknown name or a value of the wrong type.
    void SetProperty(const QString& name, const PropertyValue& value);
    PropertyValue GetProperty(const QString& name) const;
    // Declared names, in declaration order.
    QStringList PropertyNames() const;

    // What error messages call this object ("PushButton1 (PushButton)", "Window1").
    virtual QString describe() const = 0;

protected:
    void DeclareInt32(const char* name, std::function<int32_t()> get, std::function<void(int32_t)> set);
    void DeclareBoolean(const char* name, std::function<bool()> get, std::function<void(bool)> set);
    void DeclareColor(const char* name, std::function<Color()> get, std::function<void(Color)> set);
    void DeclareString(const char* name, std::function<QString()> get, std::function<void(const QString&)> set);

    // The common case: a getter and a setter of the class itself.
    template <class C>
    void DeclareInt32(const char* name, int32_t (C::*get)() const, void (C::*set)(int32_t)) {
        C* self = static_cast<C*>(this);
        DeclareInt32(name, [self, get] { return (self->*get)(); }, [self, set](int32_t v) { (self->*set)(v); });
    }
    template <class C>
    void DeclareBoolean(const char* name, bool (C::*get)() const, void (C::*set)(bool)) {
        C* self = static_cast<C*>(this);
        DeclareBoolean(name, [self, get] { return (self->*get)(); }, [self, set](bool v) { (self->*set)(v); });
    }
    template <class C>
    void DeclareColor(const char* name, Color (C::*get)() const, void (C::*set)(Color)) {
        C* self = static_cast<C*>(this);
        DeclareColor(name, [self, get] { return (self->*get)(); }, [self, set](Color v) { (self->*set)(v); });
    }
    template <class C>
    void DeclareString(const char* name, QString (C::*get)() const, void (C::*set)(const QString&)) {
        C* self = static_cast<C*>(this);
        DeclareString(name, [self, get] { return (self->*get)(); },
                      [self, set](const QString& v) { (self->*set)(v); });
    }
    // A property the platform keeps but does nothing with (appearance codes, data binding).
    void DeclareStoredInt32(const char* name, int32_t* field);
    void DeclareStoredBoolean(const char* name, bool* field);
    void DeclareStoredString(const char* name, QString* field);

private:
    struct Property {
        QString name;
        PropertyType type;
        std::function<PropertyValue()> get;
        std::function<void(const PropertyValue&)> set;
    };
    const Property& find(const QString& name) const;
    void declare(Property p);

    std::map<QString, Property> properties_;  // keyed by the lower-case name
    QStringList order_;
};

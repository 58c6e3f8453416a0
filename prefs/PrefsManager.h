#pragma once
// The program's one store of settings: typed values under keys compared without
// regard to case, kept in parallel arrays and written to a binary record file.
//
// Entries are numbered from 1; element 0 of every array belongs to no entry.
// thePrefs, theTypes, theNames and theFlags always have the same size and grow
// together, one element at a time, at the end. Deleted entries stay in place
// with flag 1 until the store is refreshed. The store never reports an error: a
// key that is missing, deleted or held under another type reads as the default
// of the type asked for.
//
// The file: an Int32 count of live entries, then one record per live entry (a
// tag byte, the key as a one-byte length and its UTF-8 bytes, a payload by
// tag), all numbers big-endian. No magic, no version.
#include <QHash>
#include <QString>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "framework/core/Color.h"
#include "framework/core/Date.h"
#include "framework/core/Strings.h"
#include "framework/core/Variant.h"
#include "framework/files/FolderItem.h"
#include "framework/ui/WindowBounds.h"

class PrefsManager {
public:
    // The type tags, also the tag bytes of the file.
    enum Tag : int32_t {
        TagInteger = 2,
        TagDouble = 5,
        TagString = 8,
        TagBoolean = 11,
        TagSingle = 31,
        TagDate = 32,
        TagColor = 33,
        TagWindow = 34,
    };

    void Set(const QString& key, int32_t value);
    void Set(const QString& key, const QString& value);
    // A string literal is text, not a Boolean.
    void Set(const QString& key, const char* value) { Set(key, QString::fromUtf8(value)); }
    void Set(const QString& key, float value);
    void Set(const QString& key, double value);
    void Set(const QString& key, bool value);
    // Other arithmetic types would convert silently to one of the above; the
    // caller must say which type it means.
    template <class T>
        requires std::is_arithmetic_v<T>
    void Set(const QString& key, T value) = delete;
    // Writes the live entries to the backing file, atomically; nothing is
    // reported when it cannot be written.
    void Save();
    // Nil: nothing. Otherwise the item becomes the backing file and the store is saved.
    void SaveAs(FolderItemPtr file);
    // Nil: an empty store with no backing file. Otherwise the file is read.
    explicit PrefsManager(FolderItemPtr file);
    // Holds the Date object itself, not a copy.
    void Set(const QString& key, DatePtr value);
    void Set(const QString& key, Color value);
    // The number of the first live entry of the key, 0 when there is none.
    int32_t KeyIndex(const QString& key) const;
    int32_t GetInteger(const QString& key) const;
    float GetSingle(const QString& key) const;
    double GetDouble(const QString& key) const;
    bool GetBoolean(const QString& key) const;
    QString GetString(const QString& key) const;
    Color GetColor(const QString& key) const;
    DatePtr GetDate(const QString& key) const;
    // Drops every entry and the colour pool, then reads the backing file again.
    void Refresh();
    // Appends the records of the backing file behind the entries held. Stops at
    // a record cut short by the end of the file, keeping the records before it.
    void Read();
    // Stores the window's Top, Left, Height and Width as signed 16-bit values.
    void Set(const QString& key, const WindowBounds& window);
    // Sizes and moves the window from the stored rectangle, kept inside the top
    // and left edges and the available size of the main screen, then moved back
    // onto the available area of its screen (keepOnScreen). False, and the
    // window untouched, when the key holds no rectangle.
    bool GetWindow(const QString& key, WindowBounds& window) const;
    void Delete(const QString& key);
    void DeleteAll();
    // Entries held, deleted ones included.
    int32_t Count() const;
    // True when the key has a live entry of any type.
    bool Exists(const QString& key) const;
    void AddToPrefsWindow(const QString& key, const QString& caption, const QString& group,
                          const QString& help, int32_t type);
    void AddToPrefsWindow(const QString& key, const QString& caption, const QString& group,
                          const QString& help, int32_t type, const QString& extra);
    // As GetWindow, but only Top and Left; the size is left alone (a window
    // larger than its screen's area takes the area's top-left corner).
    bool GetWindowPosition(const QString& key, WindowBounds& window) const;

    // The store's arrays. Only the store changes them; they are public so the
    // layout of the store can be inspected.
    std::vector<Variant> thePrefs;
    FolderItemPtr pFile;
    std::vector<int32_t> theTypes;
    std::vector<QString> theNames;
    std::vector<Color> theColors;
    std::vector<int32_t> theFlags;

private:
    // The live entries of each key, in entry order, under the key's folded
    // upper case (the form the comparison of keys goes by), so that a lookup
    // does not grow with the number of entries. Kept by append, Delete,
    // DeleteAll and Refresh; a deleted entry leaves it for good.
    QHash<QString, std::vector<int32_t>> liveEntries_;
    static QString indexKey(const QString& key) { return FoldedCase(Uppercase(key)); }

    // The live entry of the key when it holds a value of this tag, else 0.
    int32_t indexOfType(const QString& key, int32_t tag) const;
    // A value held as it stands: replaces the value (and tag) of the key's
    // live entry, or appends a new entry.
    void store(const QString& key, int32_t tag, const Variant& value);
    void append(const QString& key, int32_t tag, const Variant& value);
    // Clamps to the main screen, with size Height and Width too, then keeps
    // the window on its screen.
    bool placeWindow(const QString& key, WindowBounds& window, bool size) const;
};

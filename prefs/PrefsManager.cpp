#include "prefs/PrefsManager.h"

#include <algorithm>

#include "framework/core/Convert.h"
#include "framework/core/MemoryBlock.h"
#include "framework/core/Strings.h"
#include "framework/files/FileNames.h"
#include "framework/system/Screens.h"
#include "framework/ui/KeepOnScreen.h"

namespace {

// Top, Left, Height, Width at 0, 2, 4, 6, narrowed to signed 16 bits.
void writeWindow(MemoryBlock& block, const WindowBounds& window) {
    block.SetShort(0, window.Top());
    block.SetShort(2, window.Left());
    block.SetShort(4, window.Height());
    block.SetShort(6, window.Width());
}

}  // namespace

void PrefsManager::Set(const QString& key, int32_t value) { store(key, TagInteger, Variant(value)); }

void PrefsManager::Set(const QString& key, const QString& value) { store(key, TagString, Variant(value)); }

void PrefsManager::Set(const QString& key, float value) { store(key, TagSingle, Variant(double(value))); }

void PrefsManager::Set(const QString& key, double value) { store(key, TagDouble, Variant(value)); }

void PrefsManager::Set(const QString& key, bool value) { store(key, TagBoolean, Variant(value)); }

void PrefsManager::Save() {
    if (!pFile) return;
    const BinaryStreamPtr out = pFile->CreateBinaryFile(QStringLiteral("prefs"));
    if (!out) return;

    int32_t live = 0;
    for (size_t i = 1; i < thePrefs.size(); ++i) {
        if (theFlags[i] == 0) ++live;
    }
    out->WriteLong(live);

    for (size_t i = 1; i < thePrefs.size(); ++i) {
        if (theFlags[i] != 0) continue;
        const Variant& value = thePrefs[i];
        out->WriteByte(theTypes[i]);
        out->WritePString(theNames[i]);
        switch (theTypes[i]) {
            case TagInteger:
                out->WriteLong(value.ToInt32());
                break;
            case TagDouble:
                out->WriteDouble(value.ToDouble());
                break;
            case TagString: {
                // The count is of the bytes written: the file-name encoding keeps
                // stray bytes, so it is not always the text's UTF-8 length.
                const QByteArray bytes = EncodeFileName(value.ToString());
                out->WriteLong(int32_t(bytes.size()));
                out->WriteBytes(bytes);
                break;
            }
            case TagBoolean:
                out->WriteByte(value.ToBoolean() ? 1 : 0);
                break;
            case TagSingle:
                out->WriteSingle(value.ToDouble());
                break;
            case TagDate: {
                // A Nil date (set by a caller) is written as 0 seconds.
                const DatePtr date = value.ToObject<Date>();
                out->WriteLong(date ? Int(date->TotalSeconds()) : 0);
                break;
            }
            case TagColor: {
                const int32_t index = value.ToInt32();
                const Color c = index >= 1 && size_t(index) < theColors.size() ? theColors[size_t(index)] : Color{};
                out->WriteLong(c.Red());
                out->WriteLong(c.Green());
                out->WriteLong(c.Blue());
                break;
            }
            case TagWindow: {
                const MemoryBlockPtr block = value.ToObject<MemoryBlock>();
                for (int32_t offset = 0; offset < 8; offset += 2) out->WriteShort(block ? block->Short(offset) : 0);
                break;
            }
            default:
                break;  // the setters create no other tag
        }
    }
    // The old file is replaced only when everything was written; a failure is not reported.
    out->Close();
}

void PrefsManager::SaveAs(FolderItemPtr file) {
    if (!file) return;
    pFile = std::move(file);
    Save();
}

PrefsManager::PrefsManager(FolderItemPtr file)
    : thePrefs(1), theTypes(1, 0), theNames(1), theColors(1), theFlags(1, 0) {
    if (!file) return;
    pFile = std::move(file);
    Read();
}

void PrefsManager::Set(const QString& key, DatePtr value) { store(key, TagDate, Variant(std::move(value))); }

void PrefsManager::Set(const QString& key, Color value) {
    const int32_t i = KeyIndex(key);
    if (i >= 1 && theTypes[size_t(i)] == TagColor) {
        // The entry keeps its pool slot.
        const int32_t slot = thePrefs[size_t(i)].ToInt32();
        if (slot >= 1 && size_t(slot) < theColors.size()) {
            theColors[size_t(slot)] = value;
            return;
        }
    }
    theColors.push_back(value);
    store(key, TagColor, Variant(int32_t(theColors.size() - 1)));
}

int32_t PrefsManager::KeyIndex(const QString& key) const {
    const auto it = liveEntries_.constFind(indexKey(key));
    return it == liveEntries_.cend() ? 0 : it->front();
}

int32_t PrefsManager::GetInteger(const QString& key) const {
    const int32_t i = indexOfType(key, TagInteger);
    return i ? thePrefs[size_t(i)].ToInt32() : 0;
}

float PrefsManager::GetSingle(const QString& key) const {
    const int32_t i = indexOfType(key, TagSingle);
    return i ? float(thePrefs[size_t(i)].ToDouble()) : 0.0f;
}

double PrefsManager::GetDouble(const QString& key) const {
    const int32_t i = indexOfType(key, TagDouble);
    return i ? thePrefs[size_t(i)].ToDouble() : 0.0;
}

bool PrefsManager::GetBoolean(const QString& key) const {
    const int32_t i = indexOfType(key, TagBoolean);
    return i ? thePrefs[size_t(i)].ToBoolean() : false;
}

QString PrefsManager::GetString(const QString& key) const {
    const int32_t i = indexOfType(key, TagString);
    return i ? thePrefs[size_t(i)].ToString() : QString();
}

Color PrefsManager::GetColor(const QString& key) const {
    const int32_t i = indexOfType(key, TagColor);
    if (!i) return RGB(0, 0, 0);
    const int32_t slot = thePrefs[size_t(i)].ToInt32();
    return slot >= 1 && size_t(slot) < theColors.size() ? theColors[size_t(slot)] : RGB(0, 0, 0);
}

DatePtr PrefsManager::GetDate(const QString& key) const {
    const int32_t i = indexOfType(key, TagDate);
    return i ? thePrefs[size_t(i)].ToObject<Date>() : nullptr;
}

void PrefsManager::Refresh() {
    liveEntries_.clear();
    theColors.resize(1);
    theNames.resize(1);
    thePrefs.resize(1);
    theTypes.resize(1);
    theFlags.resize(1);
    Read();
}

void PrefsManager::Read() {
    if (!pFile || !pFile->Exists()) return;
    const BinaryStreamPtr in = pFile->OpenAsBinaryFile(false);
    if (!in) return;

    in->ReadLong();  // the count; the end of the file ends the records
    while (!in->EndOfFile()) {
        const int32_t tag = in->ReadByte();
        const QString name = in->ReadPString(nullptr);
        if (in->ReadPastEnd()) break;

        Variant value;
        bool malformed = false;
        switch (tag) {
            case TagInteger:
                value = in->ReadLong();
                break;
            case TagDouble:
                value = in->ReadDouble();
                break;
            case TagString: {
                const int32_t n = in->ReadLong();
                // A count beyond the end reads nothing and ends the load below.
                if (n < 0) malformed = true;
                else value = in->Read(n, nullptr);
                break;
            }
            case TagBoolean:
                value = in->ReadByte() != 0;
                break;
            case TagSingle:
                value = in->ReadSingle();  // already widened from single precision
                break;
            case TagDate: {
                auto date = std::make_shared<Date>();
                date->SetTotalSeconds(double(in->ReadLong()));
                value = date;
                break;
            }
            case TagColor: {
                const int32_t red = in->ReadLong();
                const int32_t green = in->ReadLong();
                const int32_t blue = in->ReadLong();
                if (in->ReadPastEnd()) break;
                theColors.push_back(RGB(red, green, blue));
                value = int32_t(theColors.size() - 1);
                break;
            }
            case TagWindow: {
                MemoryBlockPtr block = NewMemoryBlock(8);
                for (int32_t offset = 0; offset < 8; offset += 2) block->SetShort(offset, in->ReadShort());
                value = block;
                break;
            }
            default:
                continue;  // unknown tag: the next byte is the next tag
        }
        if (malformed || in->ReadPastEnd()) break;  // a record cut short is dropped whole
        append(name, tag, value);
    }
    in->Close();
}

void PrefsManager::Set(const QString& key, const WindowBounds& window) {
    const int32_t i = KeyIndex(key);
    if (i >= 1 && theTypes[size_t(i)] == TagWindow) {
        // The entry keeps its own block.
        if (const MemoryBlockPtr block = thePrefs[size_t(i)].ToObject<MemoryBlock>()) {
            writeWindow(*block, window);
            return;
        }
    }
    const MemoryBlockPtr block = NewMemoryBlock(8);
    writeWindow(*block, window);
    store(key, TagWindow, Variant(block));
}

bool PrefsManager::GetWindow(const QString& key, WindowBounds& window) const {
    return placeWindow(key, window, true);
}

void PrefsManager::Delete(const QString& key) {
    const auto it = liveEntries_.find(indexKey(key));
    if (it == liveEntries_.end()) return;
    // The first live entry goes; a repeat of the key behind it comes to light.
    theFlags[size_t(it->front())] = 1;
    it->erase(it->begin());
    if (it->empty()) liveEntries_.erase(it);
}

void PrefsManager::DeleteAll() {
    for (size_t i = 1; i < theFlags.size(); ++i) theFlags[i] = 1;
    liveEntries_.clear();
}

int32_t PrefsManager::Count() const { return int32_t(theNames.size() - 1); }

bool PrefsManager::Exists(const QString& key) const { return KeyIndex(key) >= 1; }

void PrefsManager::AddToPrefsWindow(const QString&, const QString&, const QString&, const QString&, int32_t) {}

void PrefsManager::AddToPrefsWindow(const QString&, const QString&, const QString&, const QString&, int32_t,
                                    const QString&) {}

bool PrefsManager::GetWindowPosition(const QString& key, WindowBounds& window) const {
    return placeWindow(key, window, false);
}

int32_t PrefsManager::indexOfType(const QString& key, int32_t tag) const {
    const int32_t i = KeyIndex(key);
    return i >= 1 && theTypes[size_t(i)] == tag ? i : 0;
}

void PrefsManager::store(const QString& key, int32_t tag, const Variant& value) {
    const int32_t i = KeyIndex(key);
    if (i == 0) {
        append(key, tag, value);
        return;
    }
    // The entry keeps its number and its key as first spelled.
    thePrefs[size_t(i)] = value;
    theTypes[size_t(i)] = tag;
}

void PrefsManager::append(const QString& key, int32_t tag, const Variant& value) {
    thePrefs.push_back(value);
    theNames.push_back(key);
    theTypes.push_back(tag);
    theFlags.push_back(0);
    liveEntries_[indexKey(key)].push_back(int32_t(thePrefs.size() - 1));
}

bool PrefsManager::placeWindow(const QString& key, WindowBounds& window, bool size) const {
    const int32_t i = indexOfType(key, TagWindow);
    if (!i) return false;
    const MemoryBlockPtr block = thePrefs[size_t(i)].ToObject<MemoryBlock>();
    if (!block) return false;

    // The main screen is asked anew for every step: moving the window may change it.
    // Without any screen the stored values are taken as they stand.
    const auto atLeast = [](int32_t stored, int32_t (ScreenInfo::*edge)() const) {
        const ScreenPtr s = Screen(0);
        return s ? std::max(stored, ((*s).*edge)()) : stored;
    };
    const auto atMost = [](int32_t stored, int32_t (ScreenInfo::*extent)() const) {
        const ScreenPtr s = Screen(0);
        return s ? std::min(stored, ((*s).*extent)()) : stored;
    };
    window.SetTop(atLeast(block->Short(0), &ScreenInfo::AvailableTop));
    window.SetLeft(atLeast(block->Short(2), &ScreenInfo::AvailableLeft));
    if (size) {
        window.SetHeight(atMost(block->Short(4), &ScreenInfo::AvailableHeight));
        window.SetWidth(atMost(block->Short(6), &ScreenInfo::AvailableWidth));
    }
    // A place saved on a larger screen, in another layout or at another scale
    // factor may still reach past the right or bottom edge of its screen.
    keepOnScreen(window, size);
    return true;
}

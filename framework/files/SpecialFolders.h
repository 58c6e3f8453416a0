#pragma once
// The user's folders, as the XDG base-directory rules name them.
#include <QStringList>

#include "framework/files/FolderItem.h"

// $XDG_CONFIG_HOME, else ~/.config; created when missing. Nil when there is no home.
FolderItemPtr PreferencesFolder();
// The application's folder in the user's cache folder ($XDG_CACHE_HOME, else
// ~/.cache), named by AppIdentity::cacheFolderName; created when missing. Nil
// when it cannot be had.
FolderItemPtr ApplicationCacheFolder();
// A new, not yet existing file in ApplicationCacheFolder(), so that it outlives
// a reboot. Nil when none can be had.
FolderItemPtr GetTemporaryFolderItem();

namespace SpecialFolder {
// The XDG pictures folder (XDG_PICTURES_DIR of user-dirs.dirs, else ~/Pictures),
// created when missing. Nil when it cannot be had.
FolderItemPtr Pictures();
}

// The names of the files a program writes, by folder. Other programs write
// into the same folders, some with the same writer's naming.
struct WrittenFiles {
    QStringList preferences;  // in PreferencesFolder()
    QStringList pictures;     // in SpecialFolder::Pictures()
    QStringList cache;        // in ApplicationCacheFolder(), besides GetTemporaryFolderItem's
};

// Removes what saves of those files that were killed half-way (kill -9, a
// power cut) left in their folders: only temporary files of the atomic
// writer's naming for those names whose process has ended (see AtomicFile.h).
// Creates no folder. Returns how many were removed.
int RemoveLeftoversOfKilledWrites(const WrittenFiles& files);

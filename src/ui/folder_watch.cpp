#include "ui/folder_watch.h"

#include <QFileInfo>

#include "data/history/history_store.h"

namespace hanaki {
namespace {

// Long enough for the steps of one save to arrive as one burst.
constexpr int kSettleMilliseconds = 60;

}  // namespace

FolderWatch::FolderWatch(const DataFolder& folder, QObject* parent)
    : QObject(parent),
      paths_{QString::fromStdString(folder.path()), QString::fromStdString(HistoryPath(folder, "")),
             QString::fromStdString(HistoryPath(folder, kHistoryIndexName))} {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMilliseconds);
    connect(&settle_, &QTimer::timeout, this, &FolderWatch::changed);
    auto noticed = [this] {
        WatchWhatExists();
        settle_.start();
    };
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, noticed);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, noticed);
    WatchWhatExists();
}

void FolderWatch::WatchWhatExists() {
    const QStringList watched = watcher_.files() + watcher_.directories();
    for (const QString& path : paths_) {
        if (!watched.contains(path) && QFileInfo::exists(path))
            watcher_.addPath(path);
    }
}

}  // namespace hanaki

#include "moc_folder_watch.cpp"

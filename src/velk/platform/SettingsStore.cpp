#include "SettingsStore.h"

#include "SettingsTree_p.h"

#include <velk/common/TextFile.h>

#include <QDir>
#include <QFile>
#include <QLockFile>

#include <sys/stat.h>

#include <map>

namespace velk {
namespace {

const char *const kRootNames[SettingsStore::RootCount] = {
    "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS",
    "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA",
};

// Identifies one version of a file. Every write replaces the file by renaming a new one
// over it, so the inode changes even when size and time stamp happen to match.
struct FileStamp
{
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long mtimeNs = 0;

    bool operator==(const FileStamp &) const = default;
};

FileStamp stampOf(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {true, st.st_dev, st.st_ino, st.st_size,
            st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec};
}

struct RootFile
{
    SettingsTree tree;
    FileStamp stamp;
    bool loaded = false;
};

} // namespace

struct SettingsStore::Private
{
    QString fixedDirectory;
    std::map<QString, RootFile> files; // by file path: the directory may follow the environment

    QString directory() const
    {
        return fixedDirectory.isEmpty() ? SettingsStore::defaultDirectory() : fixedDirectory;
    }

    QString filePath(int root) const
    {
        const QString name = SettingsStore::rootName(root);
        return name.isEmpty() ? QString() : directory() + u'/' + name + QLatin1String(".settings");
    }

    // The root's tree, read again when the file changed on disk; nullptr for a bad root.
    RootFile *load(int root)
    {
        const QString path = filePath(root);
        if (path.isEmpty())
            return nullptr;
        RootFile &file = files[path];
        // The stamp is taken before reading: a replacement racing the read shows up as
        // a changed stamp next time instead of being missed.
        const FileStamp now = stampOf(path);
        if (!file.loaded || !(now == file.stamp)) {
            file.tree = now.exists ? SettingsTree::fromText(TextFile::read(path).value_or(QString()))
                                   : SettingsTree();
            file.stamp = now;
            file.loaded = true;
        }
        return &file;
    }

    // Applies `change` to a fresh copy of the root's tree and replaces the file with it.
    // The lock keeps another process from writing between our read and our write; the
    // cache takes the new tree only once the file is safely on disk.
    template<typename Change>
    bool modify(int root, Change change)
    {
        const QString path = filePath(root);
        if (path.isEmpty() || !QDir().mkpath(directory()))
            return false;
        QLockFile lock(path + QLatin1String(".lock"));
        if (!lock.tryLock(5000))
            return false;
        RootFile *file = load(root);
        SettingsTree tree = file->tree;
        if (!change(tree))
            return false;
        if (!TextFile::write(path, tree.toText()))
            return false;
        file->tree = std::move(tree);
        file->stamp = stampOf(path);
        return true;
    }
};

SettingsStore::SettingsStore(const QString &directory) : d(std::make_unique<Private>())
{
    d->fixedDirectory = directory;
}

SettingsStore::~SettingsStore() = default;

SettingsStore &SettingsStore::instance()
{
    static SettingsStore store;
    return store;
}

QString SettingsStore::defaultDirectory()
{
    const QString configured = qEnvironmentVariable("VELK_CONFIG_DIR");
    if (!configured.isEmpty())
        return configured;
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QLatin1String("/.config");
    return base + QLatin1String("/velk");
}

QString SettingsStore::rootName(int root)
{
    return root >= 0 && root < RootCount ? QString::fromLatin1(kRootNames[root]) : QString();
}

QString SettingsStore::directory() const
{
    return d->directory();
}

QString SettingsStore::filePath(int root) const
{
    return d->filePath(root);
}

std::optional<SettingsValue> SettingsStore::readValue(int root, const QString &keyPath,
                                                      const QString &name)
{
    const RootFile *file = d->load(root);
    const SettingsValue *value = file ? file->tree.value(keyPath, name) : nullptr;
    return value ? std::optional(*value) : std::nullopt;
}

bool SettingsStore::writeValue(int root, const QString &keyPath, const QString &name,
                               const SettingsValue &value)
{
    return d->modify(root, [&](SettingsTree &tree) {
        tree.setValue(keyPath, name, value);
        return true;
    });
}

bool SettingsStore::createKey(int root, const QString &keyPath)
{
    if (keyExists(root, keyPath))
        return true;
    return d->modify(root, [&](SettingsTree &tree) {
        tree.createKey(keyPath);
        return true;
    });
}

bool SettingsStore::keyExists(int root, const QString &keyPath)
{
    const RootFile *file = d->load(root);
    return file && file->tree.keyExists(keyPath);
}

bool SettingsStore::deleteValue(int root, const QString &keyPath, const QString &name)
{
    return d->modify(root, [&](SettingsTree &tree) { return tree.removeValue(keyPath, name); });
}

bool SettingsStore::deleteKey(int root, const QString &keyPath)
{
    return d->modify(root, [&](SettingsTree &tree) { return tree.removeKey(keyPath); });
}

QStringList SettingsStore::subKeys(int root, const QString &keyPath)
{
    const RootFile *file = d->load(root);
    return file ? file->tree.subKeys(keyPath) : QStringList();
}

QStringList SettingsStore::valueNames(int root, const QString &keyPath)
{
    const RootFile *file = d->load(root);
    return file ? file->tree.valueNames(keyPath) : QStringList();
}

} // namespace velk

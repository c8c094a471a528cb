#include "platform/os/settingsstore_linux.h"

#include "platform/savefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

const QString kStringSuffix = u"sz"_s;

// A name that stays inside its folder: no separators, no "." or "..", no NUL.
bool isSafeName(const QString &name)
{
    return name != u"." && name != u".." && !name.contains(u'/') && !name.contains(QChar(0));
}

// The entry of folder whose name equals name without regard to case; empty when none.
QString findEntry(const QDir &folder, const QString &name, QDir::Filters filters)
{
    const QStringList entries = folder.entryList(filters | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return QString();
}

// The value file of name in folder, any type; empty when the value is missing.
QFileInfo findValueFile(const QString &folder, const QString &name)
{
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden
                                                            | QDir::System);
    for (const QFileInfo &file : files) {
        const QString fileName = file.fileName();
        const qsizetype dot = fileName.lastIndexOf(u'.');
        if (dot < 0)
            continue;
        if (QStringView(fileName).left(dot).compare(name, Qt::CaseInsensitive) == 0)
            return file;
    }
    return QFileInfo();
}

class LinuxSettingsKey final : public SettingsKey
{
public:
    explicit LinuxSettingsKey(QString folder) : m_folder(std::move(folder)) {}

    bool hasValue(const QString &name) const override
    {
        return isSafeName(name) && !findValueFile(m_folder, name).filePath().isEmpty();
    }

    std::optional<QString> readString(const QString &name) const override
    {
        if (!isSafeName(name))
            return std::nullopt;
        const QFileInfo file = findValueFile(m_folder, name);
        const bool isString = file.suffix().compare(kStringSuffix, Qt::CaseInsensitive) == 0;
        if (file.filePath().isEmpty() || !isString)
            return std::nullopt;
        QFile in(file.filePath());
        if (!in.open(QIODevice::ReadOnly))
            return std::nullopt;
        return QString::fromUtf8(in.readAll());
    }

    bool writeString(const QString &name, const QString &value) override
    {
        if (!isSafeName(name))
            return false;
        // Keep the spelling of an existing value; a value of another type is replaced.
        const QFileInfo existing = findValueFile(m_folder, name);
        QString baseName = name;
        if (!existing.filePath().isEmpty()) {
            const QString fileName = existing.fileName();
            baseName = fileName.left(fileName.lastIndexOf(u'.'));
        }
        const QString target = m_folder + u'/' + baseName + u'.' + kStringSuffix;
        QSaveFile out(target);
        if (!out.open(QIODevice::WriteOnly))
            return false;
        const QByteArray bytes = value.toUtf8();
        if (out.write(bytes) != bytes.size() || !commitSaveFile(out))
            return false;
        const bool replacedOtherType = !existing.filePath().isEmpty()
            && existing.absoluteFilePath() != QFileInfo(target).absoluteFilePath();
        if (replacedOtherType)
            QFile::remove(existing.absoluteFilePath());
        return true;
    }

private:
    QString m_folder;
};

// "\Software\Nordvekt" → {"Software", "Nordvekt"}; nullopt when a part is unsafe.
std::optional<QStringList> keyParts(const QString &path)
{
    const QStringList parts = path.split(u'\\', Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        if (!isSafeName(part))
            return std::nullopt;
    }
    return parts;
}

} // namespace

LinuxSettingsStore::LinuxSettingsStore(const QString &rootFolder) : m_root(rootFolder) {}

QString LinuxSettingsStore::defaultRootFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + u"/liras-d7/registry"_s;
}

std::unique_ptr<SettingsKey> LinuxSettingsStore::createKey(const QString &path)
{
    const std::optional<QStringList> parts = keyParts(path);
    if (!parts || !QDir().mkpath(m_root))
        return nullptr;
    QDir folder(m_root);
    for (const QString &part : *parts) {
        QString entry = findEntry(folder, part, QDir::Dirs | QDir::NoDotAndDotDot);
        if (entry.isEmpty()) {
            // A file of that name would make the key unreachable: refuse, as the registry
            // refuses a key it cannot create.
            if (!folder.mkdir(part))
                return nullptr;
            entry = part;
        }
        if (!folder.cd(entry))
            return nullptr;
    }
    return std::make_unique<LinuxSettingsKey>(folder.absolutePath());
}

std::unique_ptr<SettingsKey> LinuxSettingsStore::openKey(const QString &path)
{
    const std::optional<QStringList> parts = keyParts(path);
    QDir folder(m_root);
    if (!parts || !folder.exists())
        return nullptr;
    for (const QString &part : *parts) {
        const QString entry = findEntry(folder, part, QDir::Dirs | QDir::NoDotAndDotDot);
        if (entry.isEmpty() || !folder.cd(entry))
            return nullptr;
    }
    if (!QFileInfo(folder.absolutePath()).isReadable())
        return nullptr;
    return std::make_unique<LinuxSettingsKey>(folder.absolutePath());
}

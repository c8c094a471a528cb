#include "platform/fakesystem.h"

#include "platform/apperror.h"
#include "platform/codepages.h"


using namespace Qt::StringLiterals;

namespace {

// The registry's spelling-free form of a key path: no leading or doubled backslashes,
// letters folded, so "\Software\X" and "software\x" are one key.
QString normalizedKey(const QString &path)
{
    return path.split(u'\\', Qt::SkipEmptyParts).join(u'\\').toCaseFolded();
}

QString normalizedName(const QString &name)
{
    return name.toCaseFolded();
}

} // namespace

class FakeSettingsKey final : public SettingsKey
{
public:
    FakeSettingsKey(FakeSettingsStore &store, QString key) : m_store(store), m_key(std::move(key))
    {
    }

    bool hasValue(const QString &name) const override
    {
        const auto key = m_store.m_keys.constFind(m_key);
        return key != m_store.m_keys.cend() && key->contains(normalizedName(name));
    }

    std::optional<QString> readString(const QString &name) const override
    {
        const auto key = m_store.m_keys.constFind(m_key);
        if (key == m_store.m_keys.cend())
            return std::nullopt;
        const auto value = key->constFind(normalizedName(name));
        if (value == key->cend() || !value->isString)
            return std::nullopt;
        return value->text;
    }

    bool writeString(const QString &name, const QString &value) override
    {
        // A key deleted after it was opened refuses writes, as a registry handle does.
        const auto key = m_store.m_keys.find(m_key);
        if (m_store.failWrite || key == m_store.m_keys.end())
            return false;
        key->insert(normalizedName(name), FakeSettingsStore::Value{value, true});
        ++m_store.writeCount;
        return true;
    }

private:
    FakeSettingsStore &m_store;
    QString m_key;
};

std::unique_ptr<SettingsKey> FakeSettingsStore::createKey(const QString &path)
{
    if (failCreate)
        return nullptr;
    addKey(path);
    return std::make_unique<FakeSettingsKey>(*this, normalizedKey(path));
}

std::unique_ptr<SettingsKey> FakeSettingsStore::openKey(const QString &path)
{
    if (failOpen || !hasKey(path))
        return nullptr;
    return std::make_unique<FakeSettingsKey>(*this, normalizedKey(path));
}

void FakeSettingsStore::addKey(const QString &path)
{
    // Every parent exists too, as the registry creates them.
    const QStringList parts = normalizedKey(path).split(u'\\', Qt::SkipEmptyParts);
    QString key;
    for (const QString &part : parts) {
        key = key.isEmpty() ? part : key + u'\\' + part;
        if (!m_keys.contains(key))
            m_keys.insert(key, {});
    }
}

void FakeSettingsStore::removeKey(const QString &path)
{
    // A key goes with everything below it.
    const QString key = normalizedKey(path);
    const QString prefix = key + u'\\';
    for (auto it = m_keys.begin(); it != m_keys.end();) {
        if (it.key() == key || it.key().startsWith(prefix))
            it = m_keys.erase(it);
        else
            ++it;
    }
}

bool FakeSettingsStore::hasKey(const QString &path) const
{
    return m_keys.contains(normalizedKey(path));
}

void FakeSettingsStore::setValue(const QString &path, const QString &name, const Value &value)
{
    addKey(path);
    m_keys[normalizedKey(path)].insert(normalizedName(name), value);
}

void FakeSettingsStore::removeValue(const QString &path, const QString &name)
{
    const auto key = m_keys.find(normalizedKey(path));
    if (key != m_keys.end())
        key->remove(normalizedName(name));
}

std::optional<FakeSettingsStore::Value> FakeSettingsStore::value(const QString &path,
                                                                 const QString &name) const
{
    const auto key = m_keys.constFind(normalizedKey(path));
    if (key == m_keys.cend())
        return std::nullopt;
    const auto value = key->constFind(normalizedName(name));
    if (value == key->cend())
        return std::nullopt;
    return *value;
}

FakeSystem::FakeSystem(int codePage) : ansi(makeCodePage(codePage))
{
    if (!ansi)
        throw AppError(u"Code page %1 is not available"_s.arg(codePage));
}

FakeSystem::~FakeSystem() = default;

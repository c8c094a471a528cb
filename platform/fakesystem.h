#pragma once

// Stand-ins for the system services of the platform core, for tests: nothing here touches the
// real system. Linked through the liras_platform_fake target.

#include "platform/ansicodepage.h"
#include "platform/driveroots.h"
#include "platform/regionalsettings.h"
#include "platform/settingsstore.h"

#include <QMap>
#include <QStringList>

#include <memory>

// Registry in memory. Keys are case-insensitive paths like the registry's.
class FakeSettingsStore final : public SettingsStore
{
public:
    struct Value
    {
        QString text;
        bool isString = true;
    };

    std::unique_ptr<SettingsKey> createKey(const QString &path) override;
    std::unique_ptr<SettingsKey> openKey(const QString &path) override;

    // Script and inspection.
    bool failCreate = false; // createKey returns null
    bool failOpen = false;   // openKey returns null
    bool failWrite = false;  // writeString returns false
    void addKey(const QString &path);
    void removeKey(const QString &path);
    bool hasKey(const QString &path) const;
    void setValue(const QString &path, const QString &name, const Value &value);
    void removeValue(const QString &path, const QString &name);
    std::optional<Value> value(const QString &path, const QString &name) const;
    int writeCount = 0; // successful writeString calls

private:
    friend class FakeSettingsKey;
    QMap<QString, QMap<QString, Value>> m_keys;
};

class FakeDriveRoots final : public DriveRoots
{
public:
    QStringList rootList;
    QStringList roots() const override { return rootList; }
};

// The core's services, faked; the code page is a real table (1251 unless told otherwise),
// the regional settings day.month.year with points and a decimal comma.
class FakeSystem
{
public:
    explicit FakeSystem(int codePage = 1251);
    ~FakeSystem();

    FakeSettingsStore settings;
    FakeDriveRoots drives;
    std::unique_ptr<AnsiCodePage> ansi;
    RegionalSettings regional;
};

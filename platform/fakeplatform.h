#pragma once

// Scripted stand-ins for the platform layer, for tests: nothing here opens a window or
// touches the real system. Linked through the liras_platform_fake target.

#include "platform/ansicodepage.h"
#include "platform/dialogs.h"
#include "platform/driveroots.h"
#include "platform/platform.h"
#include "platform/settingsstore.h"
#include "platform/shell.h"

#include <QMap>
#include <QQueue>
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

// Records every document it is asked to open; those named in unopenable have no viewer.
class FakeShell final : public Shell
{
public:
    QStringList opened;
    QStringList unopenable;
    bool openDocument(const QString &fileName, QWidget *) override
    {
        opened.append(fileName);
        return !unopenable.contains(fileName);
    }
};

// Answers from scripts, in order. A dialog with no scripted answer left is cancelled and a
// confirmation with none left is answered No, so a test never blocks.
class FakeDialogs final : public Dialogs
{
public:
    struct Shown
    {
        enum class Kind { Message, Confirm, Error, FileDialog } kind;
        QString text; // the message, or the file dialog's title
        const QWidget *parent = nullptr; // the window it was shown over; only to compare
    };

    void message(QWidget *parent, const QString &text) override;
    bool confirm(QWidget *parent, const QString &text) override;
    void error(QWidget *parent, const QString &text) override;
    std::unique_ptr<FileDialog> createFileDialog(FileDialog::Kind kind) override;

    // Each scripted file answer is a path, or an empty string to cancel. A path without an
    // extension gets the dialog's default extension, as the real dialog adds it.
    QQueue<QString> fileAnswers;
    QQueue<bool> confirmAnswers;
    QList<Shown> shown;

    QStringList texts(Shown::Kind kind) const;
    QStringList messages() const { return texts(Shown::Kind::Message); }
    QStringList confirmations() const { return texts(Shown::Kind::Confirm); }
    QStringList errors() const { return texts(Shown::Kind::Error); }
};

// A whole platform of fakes; the code page is a real table (1251 unless told otherwise),
// the regional settings day.month.year with points and a decimal comma.
class FakePlatform
{
public:
    explicit FakePlatform(int codePage = 1251);
    ~FakePlatform();

    FakeSettingsStore settings;
    FakeDriveRoots drives;
    FakeShell shell;
    FakeDialogs dialogs;
    std::unique_ptr<AnsiCodePage> ansi;
    Platform platform();
    RegionalSettings regional;
};
